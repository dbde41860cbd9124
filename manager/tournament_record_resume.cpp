// The resumption of a tournament whose run stopped after a game went into
// the PGN file and before its result was saved.
#include "manager/tournament_record.h"

#include "game/pgn_error.h"
#include "game/pgn_file.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <iterator>
#include <optional>
#include <utility>

namespace {

// Whether a record read from the PGN file has the "Event", "Round", "White"
// and "Black" tags of the game, as the file holds them: the writer escapes
// quotes and the reader keeps what it reads, so the game's own tags are
// written and read back the same way before they are compared.
bool records_game(const ChessGame& record, const Tournament& tournament, const TournamentGame& game)
{
    const std::pair<std::string, std::string> tags[] = {{"Event", tournament.get_event()},
                                                        {"Round", game.round_str()},
                                                        {"White", game.get_white().get_name()},
                                                        {"Black", game.get_black().get_name()}};
    ChessGame written;
    for (const auto& [tag, value] : tags) {
        written.set_tag(tag, value);
    }
    const ChessGame read_back(written.pgn());
    return std::all_of(std::begin(tags), std::end(tags),
                       [&](const auto& tag) { return record.get_tag(tag.first) == read_back.get_tag(tag.first); });
}

// The result of a game text when it is a complete record of the game:
// readable, ended by its termination marker, and with the tags that the
// record writes for that game.
std::optional<std::string> recorded_result(const std::string& text, const Tournament& tournament,
                                           const TournamentGame& game)
{
    try {
        const ChessGame record(text);
        const std::string result = record.get_tag("Result");
        const bool decided = result == "1-0" || result == "0-1" || result == "1/2-1/2";
        // The reader ends a game text with an empty line right after its
        // termination marker; a game cut short by a crash lacks the marker.
        if (decided && text.ends_with(result + "\n\n") && records_game(record, tournament, game)) {
            return result;
        }
    } catch (const std::exception&) {
        // An unreadable game is no record of the game.
    }
    return std::nullopt;
}

// The text of the game that begins right at offset and is the last one of
// the file; nothing when no game begins there or anything but white space
// follows it.
std::optional<std::string> last_game_at(PgnFile& pgn, std::uintmax_t offset)
{
    std::istream& in = pgn.input();
    in.seekg(static_cast<std::streamoff>(offset));
    if (in.peek() != '[') {
        return std::nullopt;
    }
    std::string text;
    try {
        text = pgn.read_game();
    } catch (const pgn_error&) {
        return std::nullopt;
    }
    const bool last = std::all_of(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(),
                                  [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
    return last ? std::optional<std::string>(text) : std::nullopt;
}

}

bool TournamentRecord::score_game_appended(Tournament& tournament)
{
    const std::optional<std::uintmax_t> saved_size = tournament.get_pgn_size();
    if (tournament.get_event().empty() || !saved_size || tournament.is_finished()) {
        return false;
    }
    PgnFile pgn;
    pgn.open(tournament.get_event() + ".pgn");
    if (!pgn.is_open()) {
        return false;
    }
    const std::optional<std::string> text = last_game_at(pgn, *saved_size);
    const std::optional<std::string> result =
        text ? recorded_result(*text, tournament, tournament.next_game()) : std::nullopt;
    if (!result) {
        return false;
    }
    tournament.set_result(*result);
    return true;
}
