// Feeds arbitrary text to the FEN placement reader and the board's codes: any
// input either fails with std::logic_error or gives 64 letters the board shows.

#include "gui/board_letters.h"
#include "gui/board_model.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string fen(reinterpret_cast<const char*>(data), size);
    BoardLetters letters;
    try {
        letters = placement_letters(fen);
    } catch (const std::logic_error&) {
        return 0;
    }
    if (letters.size() != 64)
        std::abort();
    BoardModel model;
    model.set_position(letters);
    return 0;
}
