#include "manager/engine_answers.h"

#include <cstdlib>
#include <iostream>

bool has_session_token(CommandWords& words, std::uint64_t token)
{
    words.next_word();
    const std::string text = words.next_word();
    char* end = nullptr;
    const std::uint64_t line_token = std::strtoull(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && line_token == token;
}

bool is_no_move(const std::string& text) { return text == "0000" || text == "(none)"; }

std::optional<std::string> answer_without_move(const ChessPosition& position, const Level& level, bool mover_white,
                                               const std::string& text)
{
    std::cerr << "Current game:\n"
              << position.fen() << "\n"
              << position.moves_text() << "\n"
              << "engine answered '" << text << "'" << std::endl;
    const level_t kind = level.get_type();
    if (kind == fixed_depth || kind == fixed_nodes || kind == fixed_movetime) {
        return illegal_move_result(mover_white, text);
    }
    return std::nullopt;
}

std::string illegal_move_result(bool mover_white, const std::string& text)
{
    return std::string(mover_white ? "0-1" : "1-0") + " {illegal move: " + text + "}";
}

std::string resignation_result(bool resigner_white)
{
    return resigner_white ? "0-1 {white resigns}" : "1-0 {black resigns}";
}
