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
    for (auto header = read_first_pgn_headers(file); header && rows.size() < limit;
         header = read_next_pgn_headers(file))
        rows.push_back(GameListRow{tag_value(*header, "White"), tag_value(*header, "Black"),
                                   tag_value(*header, "Result"), tag_value(*header, "Date")});
    file.close();
    return rows;
}
