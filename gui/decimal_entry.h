#pragma once

#include <optional>
#include <string>

// A number typed into a field that takes a decimal fraction (an increment in
// seconds, a handicap in percent), in the form that lines to the engines and
// files carry: blanks and tabs at the ends dropped, and a comma, the decimal
// sign of many locales, written as a point ("2,5" gives "2.5"). A blank field
// gives "". Nothing when the text is anything but digits with at most one
// decimal sign, so that no part of what was typed is lost unseen.
std::optional<std::string> decimal_entry_text(const std::string& typed);
