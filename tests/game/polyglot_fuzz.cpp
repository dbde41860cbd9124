// Any bytes read as a book give, for every key they hold, exactly the entries
// of that key; any text read as a FEN gives a key or a refusal, and any text
// read as an EPD line gives a FEN text.

#include "game/gui_book.h"
#include "game/polyglot_book.h"
#include "game/polyglot_key.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

// The file each input is written to as a book; removed when the fuzzer ends.
struct ScratchFile {
    std::string path = "polyglot_fuzz_" + std::to_string(getpid()) + ".bin";
    ~ScratchFile() { std::remove(path.c_str()); }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        PolyglotKey().key_of_fen(bytes);
    } catch (const std::logic_error&) {
        // A placement that no board can hold is refused; nothing to check here.
    }
    GuiBook::epd_to_fen(bytes);

    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    PolyglotBook book;
    book.set_filename(path);
    book.open();
    for (int index = 0; index < book.size(); ++index) {
        const std::uint64_t key = book.read_entry(static_cast<std::uint64_t>(index)).key();
        for (const PolyglotEntry& entry : book.find_entries(key))
            if (entry.key() != key)
                std::abort();
    }
    return 0;
}
