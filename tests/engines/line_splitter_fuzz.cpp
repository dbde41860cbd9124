// Engine output is arbitrary bytes in arbitrary chunks: the lines must not
// depend on where the chunks were cut, and never hold a line end.
#include "engines/line_splitter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte picks the chunk length of the second reading.
    std::size_t chunk = data[0] % 7 + 1;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    std::size_t length = size - 1;

    LineSplitter whole(64);
    std::vector<std::string> expected = whole.feed(bytes, length);
    LineSplitter pieces(64);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < length; at += chunk) {
        for (std::string& line : pieces.feed(bytes + at, std::min(chunk, length - at))) {
            lines.push_back(line);
        }
    }
    if (lines != expected || pieces.pending() != whole.pending()) {
        std::abort();
    }
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos || line.size() > 64) {
            std::abort();
        }
    }
    return 0;
}
