// engines.cfg may be edited by hand: any file is read, and what a save of it
// writes reads back to exactly the same list.
#include "engines/installed_engines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every run works in a directory of its own, never in a user's home.
void enter_scratch_directory()
{
    static bool entered = false;
    if (!entered) {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvane-cfg-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        std::filesystem::current_path(pattern);
        entered = true;
    }
}

void write_file(const std::string& text)
{
    std::ofstream("engines.cfg", std::ios::binary | std::ios::trunc) << text;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    enter_scratch_directory();
    write_file(std::string(reinterpret_cast<const char*>(data), size));
    InstalledEngines first;
    first.read_engines_cfg();
    std::string saved = first.cfg_text();
    write_file(saved);
    InstalledEngines second;
    second.read_engines_cfg();
    if (second.cfg_text() != saved) {
        std::abort();
    }
    return 0;
}
