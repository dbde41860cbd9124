// The games themselves: the engines' answers, the analysis comments, the
// move loop and the clock and health test.
#include "manager/tournament_manager.h"

#include "manager/command_words.h"
#include "manager/engine_answers.h"
#include "manager/engine_game.h"
#include "manager/game_result.h"
#include "manager/gui_engine_clock.h"
#include "manager/time_verdicts.h"

#include <exception>
#include <iostream>
#include <stdexcept>

void TournamentManager::process_answer_from_engine1(const std::string& line) { process_answer_from_engine(1, line); }

void TournamentManager::process_answer_from_engine2(const std::string& line) { process_answer_from_engine(2, line); }

void TournamentManager::process_answer_from_engine(int slot, const std::string& line)
{
    GuiEngine* answering = engine(slot);
    if (m_stop || !answering) {
        return;
    }
    log(" engine" + std::to_string(slot) + " -> " + line);
    CommandWords words(line);
    if (!has_session_token(words, token(slot))) {
        return;
    }
    const std::string word = words.next_word();
    if (word == "bestmove") {
        if (m_substate != (slot == 1 ? engine1_to_move : engine2_to_move)) {
            return;
        }
        const std::string text = words.next_word();
        const bool white = answering->is_white();
        Move move;
        try {
            move = is_no_move(text) ? Move() : alg2move(text);
        } catch (const std::exception&) {
            // Reported by alg2move; such a text is an illegal move.
        }
        if (const auto result = engine_answer_result(m_position, m_generator, move, text, white)) {
            finish_game(*result);
            return;
        }
        m_record.add_move(move, white, answering->get_move_time());
        m_pending = move;
    } else if (word == "resign") {
        if (m_substate == substate_idle) {
            return;
        }
        m_pending.clear();
        finish_game(resignation_result(answering->is_white()));
    } else if (word == "info") {
        const std::string rest = words.rest();
        if (slot == 1) {
            info_comment_engine1(rest);
        } else {
            info_comment_engine2(rest);
        }
    }
}

void TournamentManager::info_comment_engine1(const std::string& rest) { info_comment(1, rest); }

void TournamentManager::info_comment_engine2(const std::string& rest) { info_comment(2, rest); }

void TournamentManager::info_comment(int slot, const std::string& rest)
{
    if (const GuiEngine* thinking = engine(slot)) {
        m_record.add_analysis(thinking->is_white(), rest);
    }
}

void TournamentManager::play()
{
    if (m_stop) {
        return;
    }
    if (m_pending.kind() == nullmove || (m_substate != engine1_to_move && m_substate != engine2_to_move)) {
        m_pending.clear();
        return;
    }
    const int mover_slot = m_substate == engine1_to_move ? 1 : 2;
    GuiEngine& mover = *engine(mover_slot);
    GuiEngine& other = *engine(3 - mover_slot);
    log(" interface <- move " + m_pending.to_string());
    if (const auto loss = time_loss_after_move(GuiEngineClock(mover), m_tournament.get_ignoretimeloss())) {
        log(" TournamentManager:   TIME LOSS");
        mover.stop();
        m_pending.clear();
        finish_game(*loss);
        return;
    }
    exchange_opponent_times(*m_engine1, *m_engine2);
    const std::string result = answer_engine_move(
        m_position, m_generator, m_pending, other, 3 - mover_slot,
        mover_slot == 1 ? "TournamentManager:  GuiManagerMode::match   engine1 to move"
                        : "TournamentManager:  match   engine2 to move",
        [this](const std::string& text) { log(text); });
    m_pending.clear();
    if (result != "*") {
        finish_game(result);
        return;
    }
    m_substate = mover_slot == 1 ? engine2_to_move : engine1_to_move;
}

void TournamentManager::check_engines()
{
    if (m_stop || m_substate == substate_idle || !m_engine1 || !m_engine2) {
        return;
    }
    if (const auto verdict = engines_verdict(*m_engine1, *m_engine2)) {
        m_pending.clear();
        finish_game(*verdict);
    }
}

Move TournamentManager::alg2move(const std::string& text) const
{
    try {
        return m_position.convert_to_move(text);
    } catch (const std::exception&) {
        std::cerr << "TournamentManager::alg2move(" << text << ")  illegal move" << std::endl;
        throw;
    }
}

std::string TournamentManager::game_result() { return ::game_result(m_position, m_generator); }
