#include "game/movetext_wrap.h"

namespace {

constexpr std::size_t line_width = 80;

struct Break {
    std::size_t index;
    bool at_blank;
};

constexpr std::size_t no_break = std::string_view::npos;

bool starts_command(std::string_view text, std::size_t i)
{
    return i + 1 < text.size() && text[i] == '[' && text[i + 1] == '%';
}

// The break for the line that starts at begin: the last break point within
// the line width, else the first one after it. Every break point lies outside
// a command, so the next line is scanned again from outside.
Break find_break(std::string_view text, std::size_t begin)
{
    bool in_command = false;
    Break found{no_break, false};
    for (std::size_t i = begin; i < text.size(); ++i) {
        const char c = text[i];
        const std::size_t column = i - begin;
        bool candidate = false;
        bool at_blank = false;
        if (in_command) {
            if (c == ']')
                in_command = false;
        } else if (c == ' ') {
            // The reader takes a line feed between a blank and "[%" for an
            // inserted one, so a blank after a blank may not become one there.
            candidate = column > 0 && !(starts_command(text, i + 1) && text[i - 1] == ' ');
            at_blank = true;
        } else if (starts_command(text, i)) {
            in_command = true;
            candidate = column > 0 && text[i - 1] == ' ';
        }
        if (!candidate)
            continue;
        if (column > line_width && found.index != no_break)
            return found;
        found = {i, at_blank};
        if (column >= line_width)
            return found;
    }
    return found;
}

}

std::string wrap_movetext(std::string_view text, std::vector<std::size_t>* inserted_at)
{
    std::string wrapped;
    wrapped.reserve(text.size() + text.size() / line_width + 1);
    std::size_t begin = 0;
    while (text.size() - begin > line_width) {
        const Break cut = find_break(text, begin);
        if (cut.index == no_break)
            break;
        wrapped.append(text.substr(begin, cut.index - begin));
        wrapped += '\n';
        if (cut.at_blank) {
            begin = cut.index + 1;
        } else {
            if (inserted_at)
                inserted_at->push_back(cut.index);
            begin = cut.index;
        }
    }
    wrapped.append(text.substr(begin));
    return wrapped;
}
