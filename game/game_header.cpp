#include "game/game_header.h"

#include "game/pgn_file.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
constexpr std::array<std::string_view, 7> roster = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};

bool has_bracket(const std::string& line)
{
    return std::memchr(line.data(), '[', line.size()) != nullptr;
}

bool read_line(std::istream& input, std::string& line)
{
    if (!std::getline(input, line))
        return false;
    strip_trailing_cr(line);
    return true;
}

bool starts_first_header(std::string& line)
{
    if (line.starts_with(byte_order_mark))
        line.erase(0, byte_order_mark.size());
    return has_bracket(line);
}

bool starts_next_header(const std::string& line)
{
    return line.size() > 4 && has_bracket(line) && line.find("Event") != std::string::npos;
}

// The tag line reduced to key and value: brackets and quotes removed, an
// escaped quote kept as an apostrophe.
void add_pair(const std::string& raw, GameHeader& header)
{
    std::string line;
    line.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '[' || c == ']')
            continue;
        if (c == '\\' && i + 1 < raw.size() && raw[i + 1] == '"') {
            line += '\'';
            ++i;
            continue;
        }
        if (c != '"')
            line += c;
    }
    const std::string_view whitespace = " \t\n\v\f\r";
    const std::size_t key_start = line.find_first_not_of(whitespace);
    if (key_start == std::string::npos)
        return;
    std::size_t key_end = line.find_first_of(whitespace, key_start);
    if (key_end == std::string::npos)
        key_end = line.size();
    const std::string_view key(line.data() + key_start, key_end - key_start);
    bool in_roster = false;
    for (std::string_view name : roster)
        in_roster = in_roster || key == name;
    if (!in_roster)
        return;
    std::string_view value(line.data() + key_end, line.size() - key_end);
    while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    header.emplace_back(std::string(key), std::string(value));
}

// Reads the tag section whose first line is line, up to and including the
// first line that is empty or holds no "[".
GameHeader read_header(std::istream& input, std::string& line)
{
    GameHeader header;
    do {
        add_pair(line, header);
    } while (read_line(input, line) && !line.empty() && has_bracket(line));
    return header;
}

bool find_first_header(std::istream& input, std::string& line, std::streamoff* start)
{
    input.seekg(0);
    for (;;) {
        if (start)
            *start = input.tellg();
        if (!read_line(input, line))
            return false;
        if (starts_first_header(line))
            return true;
    }
}

bool find_next_header(std::istream& input, std::string& line, std::streamoff* start)
{
    for (;;) {
        if (start)
            *start = input.tellg();
        if (!read_line(input, line))
            return false;
        if (starts_next_header(line))
            return !input.eof();
    }
}

}

GameHeader read_first_pgn_headers(PgnFile& file)
{
    std::istream& input = file.input();
    if (input.eof())
        return {};
    std::string line;
    if (!find_first_header(input, line, nullptr))
        return {};
    return read_header(input, line);
}

GameHeader read_next_pgn_headers(PgnFile& file)
{
    std::istream& input = file.input();
    if (input.eof())
        return {};
    std::string line;
    if (!find_next_header(input, line, nullptr))
        return {};
    return read_header(input, line);
}

std::streamoff listed_header_offset(std::istream& input, int n)
{
    input.clear();
    std::string line;
    std::streamoff start = -1;
    if (!find_first_header(input, line, &start))
        return -1;
    for (int count = 1; count < n; ++count) {
        read_header(input, line);
        if (input.eof() || !find_next_header(input, line, &start))
            return -1;
    }
    return start;
}
