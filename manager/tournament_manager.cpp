#include "manager/tournament_manager.h"

#include "engines/log_line.h"
#include "manager/command_words.h"
#include "manager/engine_game.h"
#include "manager/tournament_opening.h"
#include "manager/unsaved_tournament_text.h"

#include <exception>
#include <iostream>
#include <stdexcept>

TournamentManager::TournamentManager()
    : m_stop(false),
      m_debug(false),
      m_ponder(false),
      m_token1(0),
      m_token2(0),
      m_substate(substate_idle),
      m_game_number(0)
{
    m_openings.emplace();
}

TournamentManager::~TournamentManager()
{
    empty_slot(1);
    empty_slot(2);
}

void TournamentManager::command(const std::string& line) { m_queue.push(line); }

void TournamentManager::operator()()
{
    // No window sends "wake_up" here: an idle pass every 400 ms lets the
    // clock and health test end a game whose engine went silent or died.
    m_queue.serve([this] { return m_stop; }, [this](const std::string& line) { handle_line(line); },
                  std::chrono::milliseconds(400));
}

void TournamentManager::handle_line(const std::string& line)
{
    try {
        // An empty line (the idle pass) or one from an unknown source only
        // runs the move loop and the engine test.
        const int source = line.empty() ? -1 : line_source(line);
        if (source == 0) {
            process_command_from_interface(line);
        } else if (source == 1) {
            process_answer_from_engine1(line);
        } else if (source == 2) {
            process_answer_from_engine2(line);
        }
        play();
        check_engines();
    } catch (const std::exception& error) {
        // The game's state is unknown after such an error: the run ends
        // rather than record a game that may be wrong.
        std::cerr << "TournamentManager: run stopped: " << error.what() << std::endl;
        stop_run();
    } catch (...) {
        std::cerr << "TournamentManager: run stopped: unknown error" << std::endl;
        stop_run();
    }
}

void TournamentManager::process_command_from_interface(const std::string& line)
{
    CommandWords words(line);
    // A line that begins with no number counts as a command (and has none).
    if (words.next_int(0) != 0) {
        throw std::logic_error("TournamentManager::process_command_from_interface: command not from interface");
    }
    const std::string word = words.next_word();
    if (word == "start_tournament") {
        if (m_tournament.get_event().empty()) {
            stop_run();
            return;
        }
        TournamentRecord::score_game_appended(m_tournament);
        // Saved before the first game, the file records the length of the
        // PGN file that the games go to, so that a game appended there but
        // left unscored is scored from there on resuming, never played twice.
        try {
            m_tournament.save();
        } catch (const std::exception& error) {
            std::cerr << "TournamentManager: " << unstarted_run_text(error) << std::endl;
            stop_run();
            return;
        }
        m_substate = substate_idle;
        m_level.set(m_tournament.get_level());
        start_tournament_game();
    } else if (word == "load_tournament") {
        try {
            load_tournament(words.trimmed_rest());
        } catch (const std::exception& error) {
            std::cerr << error.what() << std::endl;
        }
    } else if (word == "quit") {
        stop_run();
    }
}

void TournamentManager::load_tournament(const std::string& name)
{
    load_tournament_with_suite(m_tournament, m_openings, name);
}

void TournamentManager::reset_tournament()
{
    m_tournament.reset_results();
    m_tournament.save();
}

bool TournamentManager::tournament_finished() const { return m_tournament.is_finished(); }

void TournamentManager::new_game()
{
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->new_game();
        }
    }
    m_position.set_start_position();
}

void TournamentManager::set_engine_comments(bool on) { m_record.set_comments(on); }

void TournamentManager::start_next_game() { start_tournament_game(); }

void TournamentManager::stop_run()
{
    m_stop = true;
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->stop();
        }
    }
}

GuiEngine* TournamentManager::engine(int slot) const { return slot == 1 ? m_engine1.get() : m_engine2.get(); }

std::uint64_t& TournamentManager::token(int slot) { return slot == 1 ? m_token1 : m_token2; }

void TournamentManager::empty_slot(int slot)
{
    std::unique_ptr<GuiEngine>& held = slot == 1 ? m_engine1 : m_engine2;
    if (held) {
        held->stop();
        held->unload_engine();
        held.reset();
    }
}

void TournamentManager::load_engine(int slot, const std::string& path, int protocol)
{
    slot = slot == 1 ? 1 : 2;
    empty_slot(slot);
    std::unique_ptr<GuiEngine> started = start_engine(slot, path, protocol, m_queue.trio(),
                                                      {m_debug, &m_log, m_ponder, m_level},
                                                      "TournamentManager::load_engine");
    if (!started) {
        return;
    }
    token(slot) = m_token_rng();
    started->set_token(token(slot));
    (slot == 1 ? m_engine1 : m_engine2) = std::move(started);
}

void TournamentManager::load_installed_engine(int slot, const std::string& name)
{
    if (name.empty()) {
        return;
    }
    const EngineVariables record = installed_engine(m_installed, name);
    load_engine(slot, record.get_filename(), record.get_protocol());
    if (GuiEngine* loaded = engine(slot == 1 ? 1 : 2)) {
        loaded->set_enginevariables(record);
    }
}

void TournamentManager::log(const std::string& text)
{
    if (!m_debug) {
        return;
    }
    write_log_line(m_log, m_log_timer.timestamp() + text);
}
