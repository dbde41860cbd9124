// Engine slots: loading, restarting and emptying them, session tokens, and
// the engines' lines as they come off the queue.
#include "manager/gui_manager.h"

#include "manager/engine_answers.h"
#include "manager/engine_game.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

GuiEngine* GuiManager::engine(int slot) const { return slot == 1 ? m_engine1.get() : m_engine2.get(); }

std::uint64_t& GuiManager::token(int slot) { return slot == 1 ? m_token1 : m_token2; }

void GuiManager::empty_slot(int slot)
{
    std::unique_ptr<GuiEngine> old;
    {
        std::lock_guard lock(m_slot_mutex);
        old.swap(slot == 1 ? m_engine1 : m_engine2);
    }
    if (old) {
        old->stop();
        old->unload_engine();
    }
}

void GuiManager::empty_slot_for_good(int slot)
{
    if (!engine(slot)) {
        return;
    }
    empty_slot(slot);
    send(slot == 1 ? "engine1name ???" : "engine2name ???");
}

bool GuiManager::start_cancelled()
{
    return m_queue.holds_pushed([this](const std::string& line) {
        CommandWords words(line);
        if (words.next_word() != "0") {
            return false;
        }
        // A load during a tournament run is refused, so it waits its turn.
        const std::string word = words.next_word();
        return word == "quit" || (word == "load" && m_mode != GuiManagerMode::match);
    });
}

bool GuiManager::load_engine(int slot, const std::string& path, int protocol, const EngineVariables* installed,
                             std::string* failure)
{
    empty_slot(slot);
    std::unique_ptr<GuiEngine> started = start_engine(
        slot, path, protocol, m_queue.trio(), {m_debug, &m_log, m_ponder, m_level}, "GuiManager::load_engine",
        [this] { return start_cancelled(); }, failure);
    const std::string prefix = slot == 1 ? "engine1name " : "engine2name ";
    if (!started) {
        // The slot is empty now, whoever tells the user why.
        send(prefix + "???");
        return false;
    }
    token(slot) = m_token_rng();
    started->set_token(token(slot));
    if (installed) {
        started->set_enginevariables(*installed);
        started->set_debug(m_debug);
        started->set_logstream(&m_log);
    }
    // Named as every game names it from now on: by its installed name.
    const std::string name = player_name(*started);
    {
        std::lock_guard lock(m_slot_mutex);
        (slot == 1 ? m_engine1 : m_engine2) = std::move(started);
    }
    send(prefix + name);
    return true;
}

bool GuiManager::load_installed_engine(int slot, const std::string& name, std::string* failure)
{
    if (name.empty()) {
        return false;
    }
    if (slot != 1 && slot != 2) {
        throw std::logic_error("GuiManager::load_installed_engine eng_id error");
    }
    const EngineVariables record = installed_engine(m_installed, name);
    const bool loaded = load_engine(slot, record.get_filename(), record.get_protocol(), &record, failure);
    if (!loaded && failure && record.get_filename().empty()) {
        *failure = "no engine is installed under that name";
    }
    return loaded;
}

void GuiManager::reload_engine(int slot)
{
    restart_engine(slot);
    reset_position();
}

void GuiManager::restart_engine(int slot)
{
    slot = slot == 1 ? 1 : 2;
    GuiEngine* loaded = engine(slot);
    const EngineVariables settings = loaded->copy_enginevariables();
    // The new process starts a new game, which would give it a full clock.
    const std::int64_t time_left = loaded->get_time_left();
    const std::uint32_t moves_made = loaded->get_moves_made();
    loaded->reload_engine();
    EngineVariables& restarted = loaded->get_enginevariables();
    restarted.set_time_left(static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(time_left, 0, std::numeric_limits<std::int32_t>::max())));
    restarted.set_moves_made(moves_made);
    loaded->set_enginevariables(settings);
    loaded->set_debug(m_debug);
    loaded->set_logstream(&m_log);
    token(slot) = m_token_rng();
    loaded->set_token(token(slot));
}

void GuiManager::reset_position()
{
    m_position.set_start_position();
    m_human_clock.restart();
    forget_engine1_crashes();
    if (GuiEngine* engine1 = engine(1)) {
        engine1->new_game();
        send("diagram " + m_position.fen());
        send("level " + m_level.to_string());
    }
    if (GuiEngine* engine2 = engine(2)) {
        engine2->new_game();
    }
}

void GuiManager::process_answer_from_engine1(const std::string& line) { process_answer_from_engine(1, line); }

void GuiManager::process_answer_from_engine2(const std::string& line) { process_answer_from_engine(2, line); }

void GuiManager::process_answer_from_engine(int slot, const std::string& line)
{
    if (m_stop || !engine(slot)) {
        return;
    }
    log(" engine" + std::to_string(slot) + " -> " + line);
    CommandWords words(line);
    if (!has_session_token(words, token(slot))) {
        return;
    }
    GuiEngine* answering = engine(slot);
    const std::string word = words.next_word();
    if (word == "bestmove") {
        if (m_mode == GuiManagerMode::analysis || m_substate != (slot == 1 ? engine1_to_move : engine2_to_move)) {
            return;
        }
        const std::string text = words.next_word();
        const Move move = is_no_move(text) ? Move() : alg2move(text);
        if (const auto result = engine_answer_result(m_position, m_generator, move, text, answering->is_white())) {
            m_pending.clear();
            finish_game(*result);
            return;
        }
        m_pending = move;
    } else if (word == "resign") {
        if (!game_in_progress()) {
            return;
        }
        m_pending.clear();
        finish_game(resignation_result(answering->is_white()));
    } else if (word == "info") {
        // Once the game is over nobody searches for it; analysis goes on
        // being heard in analysis mode only.
        if (m_substate == substate_idle && m_mode != GuiManagerMode::analysis) {
            return;
        }
        const std::string rest = words.rest();
        if (tournament_game_in_progress()) {
            m_record.add_analysis(answering->is_white(), rest);
        }
        if (slot == 1) {
            forward_info_engine1(rest);
        } else {
            forward_info_engine2(rest);
        }
    }
}

void GuiManager::forward_info_engine1(const std::string& rest) { forward_info(1, rest); }

void GuiManager::forward_info_engine2(const std::string& rest) { forward_info(2, rest); }

void GuiManager::forward_info(int slot, const std::string& rest)
{
    if (const GuiEngine* loaded = engine(slot)) {
        send((loaded->is_white() ? "white_info " : "black_info ") + rest);
    }
}
