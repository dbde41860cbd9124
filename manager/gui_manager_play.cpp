// The move loop: after every line, the pending move of the current mode is
// made, announced and answered by the engine that is to move next.
#include "manager/gui_manager.h"

#include "core/move_list.h"
#include "manager/game_result.h"
#include "manager/time_verdicts.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <thread>

namespace {

// The clock rules' view of an engine in a slot.
class SlotClock : public EngineClock {
public:
    explicit SlotClock(const GuiEngine& engine) : m_engine(engine) {}
    std::int64_t time_left() const override { return m_engine.get_time_left(); }
    bool is_white() const override { return m_engine.is_white(); }
    bool crashed() const override { return m_engine.engine_crashed(); }

private:
    const GuiEngine& m_engine;
};

// Clock values go to the window as signed 32-bit numbers.
std::string clock_text(std::int64_t ms) { return std::to_string(static_cast<std::int32_t>(ms)); }

bool ends_without_a_move(const std::string& result)
{
    return result.find("mates}") != std::string::npos || result.find("{Stalemate}") != std::string::npos;
}

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
    GuiEngine* engine1 = engine(1);
    if (engine1 && !engine1->engine_running()) {
        handle_engine1_crash();
    }
    const bool pending = m_pending.kind() != nullmove;
    if (m_substate == human_to_move && pending) {
        m_position.make_move(m_pending);
        m_pending.clear();
        const std::string result = game_result();
        if (result != "*") {
            finish_game(result);
            return;
        }
        // Without an engine that runs (none loaded, or one that died twice)
        // the human plays on alone.
        if (engine1 && engine1->engine_running()) {
            engine1->set_position(m_position);
            log(" engine1 <- position " + m_position.fen());
            engine1->go();
            m_substate = engine1_to_move;
        }
        return;
    }
    if (m_substate == engine1_to_move && pending && engine1) {
        send("move " + m_pending.to_string());
        send((engine1->is_white() ? "wtime " : "btime ") + clock_text(engine1->get_time_left()));
        send("shout");
        m_position.make_move(m_pending);
        m_pending.clear();
        const std::string result = game_result();
        if (result != "*") {
            finish_game(result);
            return;
        }
        m_substate = human_to_move;
    }
}

void GuiManager::handle_engine1_crash()
{
    if (m_engine1_restarted) {
        if (!m_engine1_death_told) {
            m_engine1_death_told = true;
            send("telluser engine1 crashed again, not restarted");
            if (m_substate == engine1_to_move) {
                m_substate = human_to_move;
            }
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
        engine1->set_position(m_position);
        engine1->go();
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
    send("emt " + std::to_string(mover->get_move_time()));
    if (const auto loss = time_loss_after_move(SlotClock(*mover), m_tournament.get_ignoretimeloss())) {
        log(" GuiManager:   TIME LOSS");
        mover->stop();
        m_pending.clear();
        finish_game(*loss);
        return;
    }
    // Each engine learns the other's time after every move; an overstepped
    // clock counts as no time left.
    GuiEngine* engine1 = engine(1);
    GuiEngine* engine2 = engine(2);
    const std::int64_t time1 = engine1->get_time_left();
    const std::int64_t time2 = engine2->get_time_left();
    engine1->set_opponent_time(static_cast<std::uint64_t>(std::max<std::int64_t>(time2, 0)));
    engine2->set_opponent_time(static_cast<std::uint64_t>(std::max<std::int64_t>(time1, 0)));
    const bool engine1_white = engine1->is_white();
    send("wtime " + clock_text(engine1_white ? time1 : time2));
    send("btime " + clock_text(engine1_white ? time2 : time1));
    try {
        m_position.make_move(m_pending);
    } catch (...) {
        std::cerr << "GuiManager:  GuiManagerMode::match   engine" << mover_slot << " to move" << std::endl;
        throw;
    }
    m_pending.clear();
    // Mate and stalemate are decided before the material adjudication.
    const std::string result = game_result();
    if (!ends_without_a_move(result) && adjudicated_material_draw(m_position)) {
        finish_game("1/2-1/2 {adjudicated}");
        return;
    }
    if (result != "*") {
        finish_game(result);
        return;
    }
    other->set_position(m_position);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string name = " engine" + std::to_string(other_slot);
    log(name + " <- position " + m_position.fen());
    other->go();
    log(name + " <- go");
    m_substate = other_slot == 1 ? engine1_to_move : engine2_to_move;
}

void GuiManager::check_engines()
{
    if (m_stop || m_mode != GuiManagerMode::match || !tournament_game_in_progress()) {
        return;
    }
    for (int slot : {1, 2}) {
        const GuiEngine* playing = engine(slot);
        if (!playing) {
            return;
        }
        if (const auto verdict = engine_verdict(SlotClock(*playing))) {
            m_pending.clear();
            finish_game(*verdict);
            return;
        }
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

bool GuiManager::find_legal_move(const Move& move)
{
    if (move.kind() == nullmove) {
        return false;
    }
    MoveList moves;
    m_generator.generate(m_position, moves);
    return std::any_of(moves.begin(), moves.end(), [&move](const Move& legal) { return legal == move.code(); });
}

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
