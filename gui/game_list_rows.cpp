#include "gui/game_list_rows.h"

#include "game/game_header.h"
#include "game/pgn_file.h"

namespace {

std::string tag_value(const GameHeader& header, const std::string& name)
{
    for (const auto& [key, value] : header)
        if (key == name)
            return value;
    return "?";
}

}

std::vector<GameListRow> read_game_list(const std::string& path, std::size_t limit)
{
    std::vector<GameListRow> rows;
    PgnFile file;
    file.open(path);
    if (!file.is_open())
        return rows;
    GameHeader header = read_first_pgn_headers(file);
    // An empty header is a header without roster tags while the input still
    // reads; at the end of the file (or after a read error) the list ends.
    while (rows.size() < limit && (!header.empty() || file.input().good())) {
        rows.push_back(GameListRow{tag_value(header, "White"), tag_value(header, "Black"),
                                   tag_value(header, "Result"), tag_value(header, "Date")});
        header = read_next_pgn_headers(file);
    }
    file.close();
    return rows;
}
