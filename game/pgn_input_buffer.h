#pragma once

#include <cstddef>
#include <fstream>
#include <string_view>

// The file buffer under a PGN file's input. The game reader looks at the bytes
// already read into memory and takes a run of plain ones at once, instead of
// asking for each byte on its own.
class PgnInputBuffer : public std::filebuf {
public:
    // The bytes read from the file and not yet taken; empty when the next one
    // has still to be read from the file.
    std::string_view unread() const { return {gptr(), static_cast<std::size_t>(egptr() - gptr())}; }
    // Takes the first count bytes of unread().
    void take(std::size_t count) { gbump(static_cast<int>(count)); }
};
