#include "app/record_players.h"

namespace {

bool unknown(const std::string& value)
{
    return value.empty() || value == "?";
}

void set_or_remove(ChessGame& game, const char* tag, const std::string& value)
{
    if (value.empty())
        game.remove_tag(tag);
    else
        game.set_tag(tag, value);
}

}

void tag_side_player(ChessGame& game, bool white, const SidePlayer& player)
{
    game.set_tag(white ? "White" : "Black", player.name);
    set_or_remove(game, white ? "WhiteElo" : "BlackElo", player.elo);
}

void tag_record_players(ChessGame& game, const SidePlayer& white, const SidePlayer& black,
                        const std::string& time_control)
{
    tag_side_player(game, true, white);
    tag_side_player(game, false, black);
    set_or_remove(game, "TimeControl", time_control);
}

std::string players_title(const ChessGame& game, const std::string& engine_name)
{
    const std::string white = game.get_tag("White");
    const std::string black = game.get_tag("Black");
    const std::string no_engine = "(no engine loaded)";
    if (unknown(white) && unknown(black))
        return engine_name.empty() ? "Torvane " + no_engine : engine_name;
    const std::string players = (white.empty() ? "?" : white) + "  " + (black.empty() ? "?" : black);
    return engine_name.empty() ? players + " " + no_engine : players;
}
