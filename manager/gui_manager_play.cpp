// The move loop: after every line, the pending move of the current mode is
// made, announced and answered by the engine that is to move next.
#include "manager/gui_manager.h"

#include "manager/engine_game.h"
#include "manager/game_result.h"
#include "manager/gui_engine_clock.h"
#include "manager/time_verdicts.h"

#include <algorithm>
#include <cstdint>

namespace {

// Clock values go to the window as signed 32-bit numbers.
std::string clock_text(std::int64_t ms) { return std::to_string(static_cast<std::int32_t>(ms)); }

}

void GuiManager::play()
{
    if (m_stop) {
        return;
    }
    switch (m_mode) {
    case GuiManagerMode::human_computer:
        play_human_computer();
        break;
    case GuiManagerMode::match:
        play_match();
        break;
    case GuiManagerMode::learnopenings:
        play_learnopenings();
        break;
    case GuiManagerMode::analysis:
    case GuiManagerMode::human_human:
        break;
    }
}

void GuiManager::play_human_computer()
{
    if (engine(1) && !engine(1)->engine_running()) {
        handle_engine1_crash();
    }
    GuiEngine* engine1 = engine(1);
    const bool pending = m_pending.kind() != nullmove;
    if (m_substate == human_to_move && pending) {
        if (!play_pending_move()) {
            return;
        }
        // Without an engine that runs (none loaded, or one that died twice)
        // the human plays on alone.
        if (engine1 && engine1->engine_running()) {
            log(" engine1 <- position " + m_position.fen());
            engine1_go(*engine1);
            m_substate = engine1_to_move;
        }
        return;
    }
    if (m_substate == engine1_to_move && pending && engine1) {
        send("move " + m_pending.to_string());
        send((engine1->is_white() ? "wtime " : "btime ") + clock_text(engine1->get_time_left()));
        send("shout");
        if (play_pending_move()) {
            m_substate = human_to_move;
            m_human_clock.start();
        }
    }
}

void GuiManager::engine1_go(GuiEngine& engine1)
{
    engine1.set_position(m_position);
    engine1.set_opponent_time(static_cast<std::uint64_t>(std::max<std::int64_t>(m_human_clock.time_left_now(), 0)));
    engine1.go();
}

bool GuiManager::play_pending_move()
{
    m_position.make_move(m_pending);
    m_pending.clear();
    const std::string result = game_result();
    if (result != "*") {
        finish_game(result);
        return false;
    }
    return true;
}

void GuiManager::forget_engine1_crashes() { m_engine1_restarted = false; }

void GuiManager::handle_engine1_crash()
{
    if (m_engine1_restarted) {
        // Dead again after its restart: the engine is given up and its slot
        // emptied, which also reaps its process. The window hears of it as
        // of a failed load, so that nobody waits for the engine any more;
        // the human plays on alone.
        empty_slot_for_good(1);
        send("telluser engine1 crashed again, not restarted");
        if (m_substate == engine1_to_move) {
            m_substate = human_to_move;
        }
        return;
    }
    m_engine1_restarted = true;
    send("telluser engine1 crashed");
    restart_engine(1);
    GuiEngine* engine1 = engine(1);
    engine1->set_ponder(m_ponder);
    // The game goes on where it was: an answer that arrived before the crash
    // is still played; otherwise the engine is asked again.
    if (engine1->engine_running() && m_substate == engine1_to_move && m_pending.kind() == nullmove) {
        engine1_go(*engine1);
    }
}

void GuiManager::play_match()
{
    const bool pending = m_pending.kind() != nullmove;
    if (!pending || (m_substate != engine1_to_move && m_substate != engine2_to_move)) {
        m_pending.clear();
        return;
    }
    const int mover_slot = m_substate == engine1_to_move ? 1 : 2;
    const int other_slot = 3 - mover_slot;
    GuiEngine* mover = engine(mover_slot);
    GuiEngine* other = engine(other_slot);
    const std::string move_line = "move " + m_pending.to_string();
    send(move_line);
    log(" interface <- " + move_line);
    const auto move_time = mover->get_move_time();
    send("emt " + std::to_string(move_time));
    m_record.add_move(m_pending, mover->is_white(), move_time);
    if (const auto loss = time_loss_after_move(GuiEngineClock(*mover), m_tournament.get_ignoretimeloss())) {
        log(" GuiManager:   TIME LOSS");
        mover->stop();
        m_pending.clear();
        finish_game(*loss);
        return;
    }
    const EngineTimes times = exchange_opponent_times(*engine(1), *engine(2));
    const bool engine1_white = engine(1)->is_white();
    send("wtime " + clock_text(engine1_white ? times.engine1 : times.engine2));
    send("btime " + clock_text(engine1_white ? times.engine2 : times.engine1));
    const std::string result =
        answer_engine_move(m_position, m_generator, m_pending, *other, other_slot,
                           "GuiManager:  GuiManagerMode::match   engine" + std::to_string(mover_slot) + " to move",
                           [this](const std::string& text) { log(text); });
    m_pending.clear();
    if (result != "*") {
        finish_game(result);
        return;
    }
    m_substate = other_slot == 1 ? engine1_to_move : engine2_to_move;
}

void GuiManager::check_engines()
{
    if (m_stop) {
        return;
    }
    if (m_mode == GuiManagerMode::human_computer) {
        check_engine1_against_human();
        return;
    }
    if (!tournament_game_in_progress() || !engine(1) || !engine(2)) {
        return;
    }
    if (const auto verdict = engines_verdict(*engine(1), *engine(2))) {
        m_pending.clear();
        finish_game(*verdict);
    }
}

void GuiManager::check_engine1_against_human()
{
    GuiEngine* engine1 = engine(1);
    // A crash is the restart's business (play_human_computer); only silence
    // ends the game here, so that the human never waits for ever.
    if (m_substate != engine1_to_move || m_pending.kind() != nullmove || !engine1 || !engine1->engine_running()) {
        return;
    }
    GuiEngineClock clock(*engine1);
    if (const auto verdict = silence_verdict(clock)) {
        finish_game(*verdict);
    }
}

Move GuiManager::alg2move(const std::string& text) const
{
    try {
        return m_position.convert_to_move(text);
    } catch (const std::exception&) {
        return Move();
    }
}

bool GuiManager::find_legal_move(const Move& move) { return is_legal_move(m_position, m_generator, move); }

std::string GuiManager::game_result() { return ::game_result(m_position, m_generator); }

bool GuiManager::game_in_progress() const
{
    return (m_mode == GuiManagerMode::human_computer || m_mode == GuiManagerMode::match) &&
           m_substate != substate_idle;
}

bool GuiManager::tournament_game_in_progress() const
{
    return m_mode == GuiManagerMode::match && (m_substate == engine1_to_move || m_substate == engine2_to_move);
}
