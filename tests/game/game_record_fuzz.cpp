// Any text handed to the game record either loads or throws std::exception;
// replaying and writing a loaded game never crashes.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "game/chess_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        ChessGame game(text);
        game.goto_end();
        const std::string written = game.pgn();
        game.goto_text_offset(written.size() / 2);
        ChessGame again(written);
        again.goto_end();
    } catch (const std::exception&) {
    }
    return 0;
}
