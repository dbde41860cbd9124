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

void tag_side(ChessGame& game, bool follows_mode, const char* tag, const char* elo_tag, const SidePlayer& player)
{
    if (!follows_mode && (!unknown(game.get_tag(tag)) || unknown(player.name)))
        return;
    game.set_tag(tag, player.name);
    set_or_remove(game, elo_tag, player.elo);
}

}

void tag_record_players(ChessGame& game, bool follows_mode, const SidePlayer& white, const SidePlayer& black,
                        const std::string& time_control)
{
    tag_side(game, follows_mode, "White", "WhiteElo", white);
    tag_side(game, follows_mode, "Black", "BlackElo", black);
    if (follows_mode)
        set_or_remove(game, "TimeControl", time_control);
    else if (unknown(game.get_tag("TimeControl")) && !time_control.empty())
        game.set_tag("TimeControl", time_control);
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
