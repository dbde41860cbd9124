#include "tests/manager/tournament_fixture.h"

void TournamentFixture::add_participants(int n)
{
    for (int i = 1; i <= n; ++i) {
        m_tournament.add_participant(TournamentParticipant("E" + std::to_string(i)));
    }
}

std::vector<std::string> TournamentFixture::summaries() const
{
    std::vector<std::string> lines;
    for (const TournamentGame& game : m_tournament.get_games()) {
        lines.push_back(std::to_string(game.get_number()) + " " + game.round_str() + " " +
                        std::to_string(game.get_white().get_number()) + "-" +
                        std::to_string(game.get_black().get_number()) + " o" + std::to_string(game.get_opening()) +
                        " " + game.get_result());
    }
    return lines;
}
