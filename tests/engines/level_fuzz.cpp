// Time-control texts come from tournament files and the window; any text
// either parses or is refused with std::logic_error, and what parses prints
// to a text that parses again.
#include "engines/level.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Level level(text);
        Level again(level.to_string());
        (void)again.to_string();
    } catch (const std::logic_error&) {
    }
    return 0;
}
