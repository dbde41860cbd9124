#include "game/game_result_text.h"

#include <string_view>

GameResultText split_result_text(const std::string& text)
{
    GameResultText parts{"*", text};
    for (const std::string_view result : {"1-0", "0-1", "1/2-1/2"}) {
        if (const std::size_t found = text.find(result); found != std::string::npos) {
            parts.result = result;
            parts.comment.erase(found, result.size());
            break;
        }
    }
    if (parts.result == "*")
        if (const std::size_t star = parts.comment.find('*'); star != std::string::npos)
            parts.comment.erase(star, 1);
    std::erase(parts.comment, '{');
    std::erase(parts.comment, '}');
    const std::size_t first = parts.comment.find_first_not_of(" \t\r\n");
    const std::size_t last = parts.comment.find_last_not_of(" \t\r\n");
    parts.comment = first == std::string::npos ? std::string() : parts.comment.substr(first, last - first + 1);
    return parts;
}
