#include "manager/telluser_line.h"

std::string telluser_line(const std::string& title, const std::string& text)
{
    std::string line = "telluser ";
    for (char c : title) {
        if (c == '_' || c == '\\') {
            line += '\\';
            line += c;
        } else {
            line += c == ' ' ? '_' : c;
        }
    }
    return text.empty() ? line : line + " " + text;
}

std::string telluser_title(const std::string& word)
{
    std::string title;
    for (std::size_t at = 0; at < word.size(); ++at) {
        const char c = word[at];
        if (c == '\\' && at + 1 < word.size() && (word[at + 1] == '_' || word[at + 1] == '\\')) {
            title += word[++at];
        } else {
            title += c == '_' ? ' ' : c;
        }
    }
    return title;
}
