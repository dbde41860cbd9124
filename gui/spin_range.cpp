#include "gui/spin_range.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

// The integer at the start of the text, cut to the widest range; nothing when
// no digit follows the optional blanks and sign.
std::optional<std::int64_t> read_integer(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = std::min(value * 10 + (text[at] - '0'), SpinRange::widest);
    }
    return negative ? -value : value;
}

}

SpinRange SpinRange::of(const Option& option)
{
    SpinRange range;
    range.min = read_integer(option.get_min()).value_or(-widest);
    range.max = std::max(range.min, read_integer(option.get_max()).value_or(widest));
    std::optional<std::int64_t> value = read_integer(option.get_value());
    if (!value) {
        value = read_integer(option.get_default());
    }
    range.value = std::clamp(value.value_or(range.min), range.min, range.max);
    return range;
}
