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

// Each input is read in a scratch directory, never in a user's home; the
// fuzzer's own working directory is restored after it.
class ScratchDirectory {
public:
    ScratchDirectory() : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(path());
    }
    ~ScratchDirectory() { std::filesystem::current_path(m_previous); }

private:
    static const std::string& path()
    {
        static const std::string scratch = [] {
            std::string pattern = (std::filesystem::temp_directory_path() / "torvane-cfg-fuzz-XXXXXX").string();
            if (!mkdtemp(pattern.data())) {
                std::abort();
            }
            return pattern;
        }();
        // Registered once the name is complete, so that at exit the directory
        // is removed before the name itself is destroyed.
        static const bool removed_at_exit = std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(path(), error);
        }) == 0;
        static_cast<void>(removed_at_exit);
        return scratch;
    }

    std::filesystem::path m_previous;
};

void write_file(const std::string& text)
{
    std::ofstream("engines.cfg", std::ios::binary | std::ios::trunc) << text;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ScratchDirectory scratch;
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
