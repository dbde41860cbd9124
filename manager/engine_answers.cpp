#include "manager/engine_answers.h"

#include "manager/game_result.h"

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

std::optional<std::string> engine_answer_result(const ChessPosition& position, MoveGenerator& generator,
                                                const Move& move, const std::string& text, bool mover_white)
{
    if (is_no_move(text)) {
        std::cerr << "Current game:\n"
                  << position.fen() << "\n"
                  << position.moves_text() << "\n"
                  << "engine answered '" << text << "'" << std::endl;
        if (no_legal_move(position, generator)) {
            return game_result(position, generator);
        }
        return illegal_move_result(mover_white, text);
    }
    if (is_legal_move(position, generator, move)) {
        return std::nullopt;
    }
    return illegal_move_result(mover_white, text);
}

std::string illegal_move_result(bool mover_white, const std::string& text)
{
    return std::string(mover_white ? "0-1" : "1-0") + " {illegal move: " + text + "}";
}

std::string resignation_result(bool resigner_white)
{
    return resigner_white ? "0-1 {white resigns}" : "1-0 {black resigns}";
}
