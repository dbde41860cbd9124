#include "manager/tournament_game_start.h"

#include "manager/engine_game.h"
#include "manager/tournament_opening.h"

TournamentOpening begin_tournament_game(GuiEngine& engine1, GuiEngine& engine2, std::ostream* log, const Level& level,
                                        GuiBook& suite, ChessPosition& position, const TournamentGame& game,
                                        const Tournament& tournament)
{
    seat_engines(engine1, engine2, log, level);
    engine1.new_game();
    engine2.new_game();
    position.set_start_position();
    set_up_tournament_opening(suite, position, game, tournament);
    return {position.start_fen(), position.move_history()};
}

std::vector<std::pair<std::string, std::string>> tournament_game_tags(const GuiEngine& engine1,
                                                                      const GuiEngine& engine2,
                                                                      const TournamentGame& game,
                                                                      const Tournament& tournament)
{
    std::vector<std::pair<std::string, std::string>> tags = {{"White", player_name(engine1)},
                                                             {"Black", player_name(engine2)}};
    if (const std::string elo = engine1.get_elo(); !elo.empty()) {
        tags.emplace_back("WhiteElo", elo);
    }
    if (const std::string elo = engine2.get_elo(); !elo.empty()) {
        tags.emplace_back("BlackElo", elo);
    }
    tags.emplace_back("Round", game.round_str());
    tags.emplace_back("Event", tournament.get_event());
    tags.emplace_back("Site", tournament.get_site());
    tags.emplace_back("TimeControl", tournament.get_level());
    return tags;
}
