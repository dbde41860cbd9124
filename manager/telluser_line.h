#pragma once

#include <string>

// The manager's message to the user: "telluser ", the title as one word,
// then the text, which the window shows as it is. The window reads the title
// word back with telluser_title: a blank of the title is written as "_", so
// that the word holds none; "_" and "\" of the title itself (an engine's
// path, say) are written as "\_" and "\\", so that they reach the user as
// they are. Titles without them read as they always did ("No_tournament_loaded").

// The whole line for the title and the text ("" for none).
std::string telluser_line(const std::string& title, const std::string& text);

// The title that the first word of a "telluser" line stands for.
std::string telluser_title(const std::string& word);
