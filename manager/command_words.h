#pragma once

#include <sstream>
#include <string>

// Reads a command line word by word, the way the manager's commands take
// their arguments: whole numbers, single words, or the rest of the line.
class CommandWords {
public:
    explicit CommandWords(const std::string& line);

    // The next whole number; fallback when the next word is not one (the word
    // is then consumed all the same, so reading goes on after it).
    int next_int(int fallback);
    // The next blank-separated word; "" at the end.
    std::string next_word();
    // Everything after the last word read, without a final line feed; its
    // leading blank stays.
    std::string rest();
    // The rest with leading and trailing blanks, tabs and line ends removed.
    std::string trimmed_rest();

    // The text without leading and trailing white space.
    static std::string trim(const std::string& text);

private:
    std::istringstream m_in;
};
