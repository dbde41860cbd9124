#include "manager/tournament_record.h"

#include "eco/eco_classifier.h"
#include "game/pgn_file.h"
#include "manager/analysis_comment.h"

#include <ctime>
#include <stdexcept>
#include <utility>

namespace {

// One classifier for every record, built when the first tournament move is
// recorded, not with each manager; read-only, so the managers' threads share it.
const EcoClassifier& openings()
{
    static const EcoClassifier classifier;
    return classifier;
}

// Today in UTC in the PGN form "YYYY.MM.DD".
std::string utc_date()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &parts);
    return text;
}

}

void TournamentRecord::start(const Tournament& tournament, const TournamentGame& game, const GuiEngine& engine1,
                             const GuiEngine& engine2, const TournamentOpening& opening,
                             const ChessPosition& position)
{
    m_game.new_game();
    for (const auto& [tag, value] : {std::pair<std::string, std::string>{"Event", tournament.get_event()},
                                     {"Site", tournament.get_site()},
                                     {"Date", utc_date()},
                                     {"Round", "?"},
                                     {"White", "?"},
                                     {"Black", "?"},
                                     {"Result", "*"}}) {
        m_game.set_tag(tag, value);
    }
    for (const auto& [tag, value] : tournament_game_tags(engine1, engine2, game, tournament)) {
        m_game.set_tag(tag, value);
    }
    // Every game starts without analysis: the first move never carries the
    // evaluation of the game before.
    m_white_analysis.clear();
    m_black_analysis.clear();
    if (opening.moves.empty()) {
        m_game.set_tag("SetUp", "1");
        m_game.set_tag("FEN", position.epd() + " 0 1");
        return;
    }
    // A suite game with a position of its own: its moves start from there.
    if (opening.start_fen != m_game.position().fen()) {
        m_game.set_tag("SetUp", "1");
        m_game.set_tag("FEN", opening.start_fen);
    }
    for (const Move& move : opening.moves) {
        append_move(move);
    }
}

void TournamentRecord::set_comments(bool on) { m_comments = on; }

void TournamentRecord::add_analysis(bool white, const std::string& info)
{
    update_analysis_comment(white ? m_white_analysis : m_black_analysis, info, white);
}

void TournamentRecord::append_move(const Move& move)
{
    bool added = false;
    try {
        added = m_game.add_move(move);
    } catch (const std::exception&) {
        added = false;
    }
    if (!added) {
        throw std::logic_error("TournamentRecord::append_move   the game record refused " + move.to_string() +
                               " after\n" + m_game.pgn());
    }
    const std::uint64_t key = m_game.position().hash_key();
    if (const std::string eco = openings().get_eco(key); !eco.empty()) {
        m_game.set_tag("ECO", eco);
        m_game.set_tag("Opening", openings().get_opening(key));
    }
}

void TournamentRecord::add_move(const Move& move, bool white, std::uint64_t move_time_ms)
{
    append_move(move);
    std::string& analysis = white ? m_white_analysis : m_black_analysis;
    m_game.set_comment((m_comments ? analysis : "") + "[%time " + std::to_string(move_time_ms) + "]");
    // The side's next move carries only what its engine sends for that move.
    analysis.clear();
}

bool TournamentRecord::finish(Tournament& tournament, const std::string& result_line)
{
    const std::string word = result_line.substr(0, result_line.find_first_of(" \t"));
    // The comment that says why the game ended stands before the result.
    std::string ending = result_line.substr(word.size()) + " " + word;
    m_game.set_result(ending);
    PgnFile pgn;
    bool appended = pgn.open_append(tournament.get_event() + ".pgn") && pgn.write(m_game.pgn());
    appended = pgn.close_append() && appended;
    m_append_error = pgn.append_error();
    if (!appended) {
        return false;
    }
    tournament.set_result(word);
    tournament.save();
    return true;
}
