// The start of each game and its end: the record's tags and opening, the
// engines in their slots, and the finished game written to the PGN and
// tournament files.
#include "manager/tournament_manager.h"

#include "game/pgn_file.h"
#include "manager/engine_game.h"
#include "manager/game_result.h"

#include <ctime>
#include <exception>
#include <iostream>
#include <utility>

namespace {

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

void TournamentManager::start_tournament_game()
{
    m_game.new_game();
    for (const auto& [tag, value] : {std::pair<std::string, std::string>{"Event", m_tournament.get_event()},
                                     {"Site", m_tournament.get_site()},
                                     {"Date", utc_date()},
                                     {"Round", "?"},
                                     {"White", "?"},
                                     {"Black", "?"},
                                     {"Result", "*"}}) {
        m_game.set_tag(tag, value);
    }
    m_pending.clear();
    // Every game starts without analysis: the first move never carries the
    // evaluation of the game before.
    m_comment1.clear();
    m_comment2.clear();
    const TournamentGame game = m_tournament.next_game();
    m_game_number = game.get_number();
    if (game.get_white().get_name().empty() || !seat_players(game)) {
        stop_run();
        return;
    }
    GuiEngine& engine1 = *m_engine1;
    GuiEngine& engine2 = *m_engine2;
    const TournamentOpening opening =
        begin_tournament_game(engine1, engine2, &m_log, m_level, *m_openings, m_position, game, m_tournament);
    set_game_tags(game);
    record_opening(opening);
    if (no_legal_move(m_position, m_generator)) {
        // An opening that is already mate or stalemate is the whole game.
        finish_game("");
        return;
    }
    m_substate = start_engine_to_move(engine1, engine2, m_position) == 1 ? engine1_to_move : engine2_to_move;
}

bool TournamentManager::seat_players(const TournamentGame& game)
{
    const std::string white = game.get_white().get_name();
    const std::string black = game.get_black().get_name();
    const bool keep = m_tournament.get_type() == TournamentType::match && m_game_number >= 2 && m_engine1 &&
                      m_engine2 && m_engine1->get_reuse() && m_engine2->get_reuse() &&
                      m_engine1->engine_running() && m_engine2->engine_running();
    const std::string held1 = m_engine1 ? m_engine1->get_player_name() : "";
    const std::string held2 = m_engine2 ? m_engine2->get_player_name() : "";
    const bool in_place = held1 == white && held2 == black;
    const bool reversed = held1 == black && held2 == white;
    if (keep && (in_place || reversed)) {
        // The two engines play on; new tokens leave the previous game's late
        // lines unheeded. Each engine goes to the slot its pairing names.
        m_token1 = m_token_rng();
        m_token2 = m_token_rng();
        m_engine1->stop();
        m_engine2->stop();
        if (!in_place) {
            std::swap(m_engine1, m_engine2);
        }
        m_engine1->set_number(1);
        m_engine2->set_number(2);
        m_engine1->set_token(m_token1);
        m_engine2->set_token(m_token2);
        return true;
    }
    empty_slot(1);
    empty_slot(2);
    for (int slot : {1, 2}) {
        const std::string& name = slot == 1 ? white : black;
        load_installed_engine(slot, name);
        if (!engine(slot) || !engine(slot)->engine_running()) {
            std::cerr << "TournamentManager::start_tournament_game()   loading " << name << " failed" << std::endl;
            return false;
        }
    }
    return true;
}

void TournamentManager::set_game_tags(const TournamentGame& game)
{
    for (const auto& [tag, value] : tournament_game_tags(*m_engine1, *m_engine2, game, m_tournament)) {
        m_game.set_tag(tag, value);
    }
}

void TournamentManager::record_opening(const TournamentOpening& opening)
{
    if (opening.moves.empty()) {
        m_game.set_tag("SetUp", "1");
        m_game.set_tag("FEN", m_position.epd() + " 0 1");
        return;
    }
    // A suite game with a position of its own: its moves start from there.
    if (opening.start_fen != m_game.position().fen()) {
        m_game.set_tag("SetUp", "1");
        m_game.set_tag("FEN", opening.start_fen);
    }
    for (const Move& move : opening.moves) {
        record_move(move, "", "opening");
    }
}

void TournamentManager::finish_game(const std::string& result)
{
    m_substate = substate_idle;
    m_queue.drop_engine_lines();
    const std::string line = result.empty() ? game_result() : result;
    std::string first_word = line.substr(0, line.find_first_of(" \t"));
    m_game.set_result(first_word);
    // The game is on record before its result is saved: a run that ends in
    // between plays the game again rather than lose it.
    const std::string pgn_path = m_tournament.get_event() + ".pgn";
    PgnFile pgn;
    bool appended = pgn.open_append(pgn_path) && pgn.write(m_game.pgn());
    appended = pgn.close_append() && appended;
    if (!appended) {
        std::cerr << "TournamentManager::finish_game()   appending the game to " << pgn_path << " failed" << std::endl;
        stop_run();
        return;
    }
    m_tournament.set_result(first_word);
    try {
        m_tournament.save();
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        stop_run();
        return;
    }
    if (m_game_number < m_tournament.get_nbr_games()) {
        log(" manager -> newgame " + std::to_string(m_game_number));
        start_tournament_game();
    } else {
        stop_run();
    }
}
