// The resumption of a tournament whose run stopped after a game went into
// the PGN file and before its result was saved.
#include "manager/tournament_record.h"

#include "game/pgn_file.h"

#include <exception>
#include <iostream>
#include <optional>

namespace {

// The result of a game text when it is a complete record of the game:
// readable, ended by its termination marker, and with the tags that the
// record writes for that game.
std::optional<std::string> recorded_result(const std::string& text, const Tournament& tournament,
                                           const TournamentGame& game)
{
    // The reader ends a game text with an empty line only after its
    // termination marker; a game cut short by a crash lacks it.
    if (!text.ends_with("\n\n")) {
        return std::nullopt;
    }
    try {
        const ChessGame record(text);
        const std::string result = record.get_tag("Result");
        const bool decided = result == "1-0" || result == "0-1" || result == "1/2-1/2";
        if (decided && record.get_tag("Event") == tournament.get_event() &&
            record.get_tag("Round") == game.round_str() && record.get_tag("White") == game.get_white().get_name() &&
            record.get_tag("Black") == game.get_black().get_name()) {
            return result;
        }
    } catch (const std::exception&) {
        // An unreadable game is no record of the game.
    }
    return std::nullopt;
}

}

void TournamentRecord::score_games_appended(Tournament& tournament)
{
    const std::optional<std::uintmax_t> saved_size = tournament.get_pgn_size();
    if (tournament.get_event().empty() || !saved_size) {
        return;
    }
    PgnFile pgn;
    pgn.open(tournament.get_event() + ".pgn");
    if (!pgn.is_open()) {
        return;
    }
    pgn.input().seekg(static_cast<std::streamoff>(*saved_size));
    bool scored = false;
    for (std::string text = pgn.next_game(); !text.empty() && !tournament.is_finished(); text = pgn.next_game()) {
        if (const auto result = recorded_result(text, tournament, tournament.next_game())) {
            tournament.set_result(*result);
            scored = true;
        }
    }
    if (!scored) {
        return;
    }
    try {
        tournament.save();
    } catch (const std::exception& error) {
        std::cerr << "TournamentRecord::score_games_appended   " << error.what() << std::endl;
    }
}
