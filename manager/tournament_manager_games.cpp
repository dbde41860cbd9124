// The start of each game and its end: the engines in their slots, the
// record begun, and the finished game put on record.
#include "manager/tournament_manager.h"

#include "engines/system_reason.h"
#include "manager/engine_game.h"
#include "manager/game_result.h"
#include "manager/unsaved_tournament_text.h"

#include <exception>
#include <iostream>
#include <utility>

void TournamentManager::start_tournament_game()
{
    m_pending.clear();
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
    m_record.start(m_tournament, game, engine1, engine2, opening, m_position);
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

void TournamentManager::finish_game(const std::string& result)
{
    m_substate = substate_idle;
    m_queue.drop_engine_lines();
    const std::string line = result.empty() ? game_result() : result;
    try {
        if (!m_record.finish(m_tournament, line)) {
            std::cerr << "TournamentManager::finish_game()   appending the game to " << m_tournament.get_event()
                      << ".pgn failed: " << system_reason(m_record.append_error()) << std::endl;
            stop_run();
            return;
        }
    } catch (const std::exception& error) {
        std::cerr << "TournamentManager: " << unsaved_result_text(error, m_tournament, m_game_number) << std::endl;
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
