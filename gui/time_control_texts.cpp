#include "gui/time_control_texts.h"

#include "gui/decimal_entry.h"

#include <cctype>

namespace {

std::string signed_text(std::uint32_t value)
{
    return std::to_string(static_cast<std::int32_t>(value));
}

std::string entry_word(const std::string& text)
{
    std::string word;
    bool blank_pending = false;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank_pending = !word.empty();
            continue;
        }
        if (blank_pending) {
            word += ',';
            blank_pending = false;
        }
        word += c;
    }
    return word.empty() ? "0" : word;
}

// A count (depth, nodes, move time, moves) that does not begin with a number
// gives 0, and must not spoil the words after it.
std::string count_word(const std::string& text)
{
    std::string word = entry_word(text);
    const std::size_t digit = word[0] == '+' || word[0] == '-' ? 1 : 0;
    if (digit >= word.size() || !std::isdigit(static_cast<unsigned char>(word[digit]))) {
        return "0";
    }
    return word;
}

// A refused increment keeps its word, which refusal() reports.
std::string increment_word(const std::string& text)
{
    const std::optional<std::string> number = decimal_entry_text(text);
    return number ? entry_word(*number) : entry_word(text);
}

}

std::string base_text(std::uint32_t milliseconds)
{
    const std::int32_t seconds = static_cast<std::int32_t>(milliseconds) / 1000;
    std::string text = std::to_string(seconds / 60);
    if (seconds % 60 != 0) {
        text += (seconds % 60 < 10 ? ":0" : ":") + std::to_string(seconds % 60);
    }
    return text;
}

std::string increment_text(std::uint32_t milliseconds)
{
    std::string text = std::to_string(milliseconds / 1000);
    std::uint32_t fraction = milliseconds % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text;
}

void TimeControlTexts::show(const Level& level)
{
    switch (level.get_type()) {
    case fixed_depth:
        depth = signed_text(level.get_depth());
        break;
    case fixed_nodes:
        nodes = signed_text(level.get_nodes());
        break;
    case fixed_movetime:
        movetime = signed_text(level.get_movetime());
        break;
    case sudden_death:
        sd_base = base_text(level.get_time());
        sd_increment = increment_text(level.get_increment());
        break;
    case sessions:
        moves = signed_text(level.get_moves());
        base = base_text(level.get_time());
        increment = increment_text(level.get_increment());
        break;
    default:
        return;
    }
    kind = level.get_type();
}

std::string TimeControlTexts::level_text() const
{
    switch (kind) {
    case fixed_depth:
        return "fixed_depth " + count_word(depth);
    case fixed_nodes:
        return "fixed_nodes " + count_word(nodes);
    case fixed_movetime:
        return "fixed_movetime " + count_word(movetime);
    case sudden_death:
        return "sudden_death 0 " + entry_word(sd_base) + " " + increment_word(sd_increment);
    default:
        return "sessions " + count_word(moves) + " " + entry_word(base) + " " + increment_word(increment);
    }
}

std::string TimeControlTexts::refusal() const
{
    const std::string& typed = kind == sudden_death ? sd_increment : increment;
    if (kind == fixed_depth || kind == fixed_nodes || kind == fixed_movetime || decimal_entry_text(typed)) {
        return "";
    }
    return "The increment \"" + typed +
           "\" is not a number of seconds. Type it in digits with at most one decimal sign, such as 2.5.";
}
