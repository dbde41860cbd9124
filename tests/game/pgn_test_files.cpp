#include "tests/game/pgn_test_files.h"

#include "tests/support/peer_programs.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pgn_test {

std::string write_temp_file(const std::string& name, const std::string& bytes)
{
    const std::string path = torvane_test::make_temp_dir("torvane-pgn") + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string printable(const std::string& text)
{
    if (text.empty())
        return "(empty)";
    std::string out;
    for (char c : text.substr(0, 40)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            const char* digits = "0123456789ABCDEF";
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    return out;
}

std::string seed_games_path()
{
    return std::string(TORVANE_SOURCE_DIR) + "/tests/game/data/seed_games.pgn";
}

}
