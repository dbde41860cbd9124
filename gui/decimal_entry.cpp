#include "gui/decimal_entry.h"

std::optional<std::string> decimal_entry_text(const std::string& typed)
{
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    std::string text = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    bool has_digit = false;
    bool has_sign = false;
    for (char& c : text) {
        if (c >= '0' && c <= '9') {
            has_digit = true;
        } else if ((c == '.' || c == ',') && !has_sign) {
            has_sign = true;
            c = '.';
        } else {
            return std::nullopt;
        }
    }
    if (!has_digit) {
        return std::nullopt;
    }
    return text;
}
