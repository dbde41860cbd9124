#include "game/game_header.h"

#include "game/pgn_file.h"

#include <algorithm>
#include <array>
#include <istream>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 7> roster = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};

// The tag line reduced to key and value: brackets and quotes removed, an
// escaped quote kept as an apostrophe. line is room to work in.
void add_pair(std::string_view raw, std::string& line, GameHeader& header)
{
    line.clear();
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
    const auto is_white = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const std::size_t key_start = std::find_if_not(line.begin(), line.end(), is_white) - line.begin();
    if (key_start == line.size())
        return;
    const std::size_t key_end = std::find_if(line.begin() + key_start, line.end(), is_white) - line.begin();
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

// The roster pairs of the tag lines (lines holding a "[") of a tag section.
GameHeader roster_of(std::string_view tag_section)
{
    GameHeader header;
    header.reserve(roster.size());
    std::string room;
    room.reserve(tag_section.size());
    while (!tag_section.empty()) {
        const std::size_t end = std::min(tag_section.find('\n'), tag_section.size());
        std::string_view line = tag_section.substr(0, end);
        while (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.starts_with('[') || line.find('[') != std::string_view::npos)
            add_pair(line, room, header);
        tag_section.remove_prefix(std::min(end + 1, tag_section.size()));
    }
    return header;
}

}

std::optional<GameHeader> read_first_pgn_headers(PgnFile& file)
{
    std::istream& input = file.input();
    if (input.eof())
        return std::nullopt;
    input.seekg(0);
    return read_next_pgn_headers(file);
}

std::optional<GameHeader> read_next_pgn_headers(PgnFile& file)
{
    const std::string tag_section = file.read_tag_section();
    if (tag_section.empty())
        return std::nullopt;
    return roster_of(tag_section);
}
