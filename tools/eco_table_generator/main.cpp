// eco_table_generator DATA_SET OUTPUT: reads the ECO data set (a PGN file of
// one game per classified line, tags "ECO", "Opening" and "Variation") with
// the project's own PGN and SAN code, keys the position each line reaches
// with the rules core's Polyglot key, and writes the C++ source of the
// constant ECO table, with the data set's opening note as its attribution.

#include "core/chess_position.h"
#include "game/chess_game.h"
#include "game/pgn_file.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
    std::string eco, opening, variation;
    std::uint64_t key = 0;
};

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("eco_table_generator: cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of the comment that opens the data set, before its first game.
std::vector<std::string> opening_note(const std::string& data_set)
{
    std::vector<std::string> lines;
    const std::size_t open = data_set.find_first_not_of(" \t\r\n");
    if (open == std::string::npos || data_set[open] != '{')
        return lines;
    const std::size_t close = data_set.find('}', open);
    std::istringstream note(data_set.substr(open + 1, close - open - 1));
    for (std::string line; std::getline(note, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        lines.push_back(line);
    }
    while (!lines.empty() && lines.front().empty())
        lines.erase(lines.begin());
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::vector<Row> classified_lines(const std::string& path)
{
    PgnFile file;
    file.open(path);
    if (!file.is_open())
        throw std::runtime_error("eco_table_generator: cannot open " + path);
    std::vector<Row> rows;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        ChessGame game(text);
        game.goto_end();
        rows.push_back({game.get_tag("ECO"), game.get_tag("Opening"), game.get_tag("Variation"),
                        game.position().hash_key()});
        if (rows.back().eco.empty() || rows.back().opening.empty())
            throw std::runtime_error("eco_table_generator: line " + std::to_string(rows.size()) +
                                     " lacks its ECO code or opening name");
    }
    return rows;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string table_source(const std::vector<std::string>& note, const std::vector<Row>& rows)
{
    std::ostringstream out;
    out << "// The ECO classification, written by tools/eco_table_generator from\n"
           "// eco/data/eco.pgn; run the generator again rather than editing this file.\n"
           "// Each key is the Polyglot key of the position that the row's line reaches\n"
           "// from the standard start position.\n"
           "//\n"
           "// The data set, like this program, is licensed under the GNU General Public\n"
           "// License, version 3 or later. Its own note reads:\n"
           "//\n";
    for (const std::string& line : note)
        out << (line.empty() ? "//" : "// " + line) << '\n';
    out << "\n#include \"eco/eco_table.h\"\n\n"
           "constinit const std::array<EcoRecord, eco_table_size> eco_table = {{\n";
    for (const Row& row : rows)
        out << "    {" << quoted(row.eco) << ", " << quoted(row.opening) << ", " << quoted(row.variation) << ", 0x"
            << std::hex << std::setw(16) << std::setfill('0') << row.key << std::dec << "ULL},\n";
    out << "}};\n";
    return out.str();
}

// Writes beside the target and renames, so a failed run leaves the old table whole.
void write_file(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out)
            throw std::runtime_error("eco_table_generator: cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error("eco_table_generator: cannot rename " + temporary + " to " + path);
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: eco_table_generator DATA_SET OUTPUT\n";
        return 2;
    }
    try {
        const std::vector<Row> rows = classified_lines(argv[1]);
        write_file(argv[2], table_source(opening_note(read_file(argv[1])), rows));
        std::cout << rows.size() << " ECO records written to " << argv[2] << '\n';
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
