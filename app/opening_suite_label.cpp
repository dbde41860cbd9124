#include "app/opening_suite_label.h"

#include "gui/displayable_text.h"

#include <algorithm>

std::string opening_suite_label(const std::string& path)
{
    constexpr std::size_t longest = 50;
    std::string stem = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    const std::size_t point = stem.find_last_of('.');
    if (point != std::string::npos)
        stem.erase(point);
    // Walk whole characters so that a cut never leaves half of one behind;
    // a byte that starts no character counts as one.
    std::size_t end = 0;
    while (end < stem.size()) {
        const std::size_t length = std::max<std::size_t>(1, utf8_character_length(stem, end));
        if (end + length > longest)
            break;
        end += length;
    }
    return displayable_text(stem.substr(0, end));
}
