#include "manager/gui_manager.h"

#include "engines/log_line.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <stdexcept>

GuiManager::GuiManager(const std::string& program)
    : m_interface(nullptr),
      m_stop(false),
      m_debug(false),
      m_ponder(false),
      m_learn_sides(3),
      m_program(program),
      m_token_rng(12345),
      m_token1(0),
      m_token2(0),
      m_mode(GuiManagerMode::human_human),
      m_substate(human_to_move),
      m_game_number(0),
      m_engine1_restarted(false)
{
    m_openings.emplace();
    m_human_clock.set_time_control(m_level);
}

GuiManager::~GuiManager()
{
    if (m_debug) {
        m_log.close();
    }
    empty_slot(1);
    empty_slot(2);
}

void GuiManager::set_interface(WindowInbox* inbox) { m_interface = inbox; }

void GuiManager::command(const std::string& line) { m_queue.push(line); }

void GuiManager::operator()()
{
    // The window's "wake_up" stops while a message box it opened is up: an
    // idle pass every 400 ms keeps the clocks and the engines' health looked
    // at all the same, so that no box the user leaves open holds a game up.
    m_queue.serve([this] { return m_stop; }, [this](const std::string& line) { handle_line(line); },
                  std::chrono::milliseconds(400));
}

void GuiManager::handle_line(const std::string& line)
{
    try {
        apply_pending_settings();
        if (!line.empty()) {
            switch (line_source(line)) {
            case 0:
                process_command_from_interface(line);
                break;
            case 1:
                process_answer_from_engine1(line);
                break;
            case 2:
                process_answer_from_engine2(line);
                break;
            default:
                break;
            }
        }
    } catch (const std::exception& error) {
        report_error(error.what());
    }
    try {
        play();
        check_engines();
    } catch (const std::exception& error) {
        report_error(error.what());
    }
}

void GuiManager::report_error(const std::string& text)
{
    log(" GuiManager:   error " + text);
    send("telluser " + text);
}

std::map<std::string, Option> GuiManager::get_engine_options() const
{
    std::lock_guard lock(m_slot_mutex);
    if (!m_engine1) {
        return {{"no_engine_loaded", Option()}};
    }
    return m_engine1->get_options();
}

EngineVariables GuiManager::get_enginevariables() const
{
    std::lock_guard lock(m_slot_mutex);
    if (!m_engine1) {
        throw std::logic_error("GuiManager::get_enginevariables()   no engine loaded");
    }
    return m_engine1->copy_enginevariables();
}

void GuiManager::set_enginevariables(const EngineVariables& ev)
{
    {
        std::lock_guard lock(m_slot_mutex);
        m_pending_settings = ev;
    }
    // An empty line has no handler; it only makes the loop take the settings.
    command("");
}

bool GuiManager::engine_loaded() const
{
    std::lock_guard lock(m_slot_mutex);
    return m_engine1 != nullptr;
}

void GuiManager::apply_pending_settings()
{
    std::optional<EngineVariables> settings;
    {
        std::lock_guard lock(m_slot_mutex);
        settings.swap(m_pending_settings);
    }
    if (settings && m_engine1) {
        m_engine1->set_enginevariables(*settings);
    }
}

void GuiManager::set_debug(bool on)
{
    if (!on && m_debug) {
        m_log.close();
    }
    if (on && !m_debug) {
        m_log.clear();
        m_log.open("manager.log", std::ios::out | std::ios::app);
    }
    m_debug = on;
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->set_debug(on);
        }
    }
}

void GuiManager::send(const std::string& line)
{
    if (!m_interface) {
        return;
    }
    if (line.find_first_of("\r\n") == std::string::npos) {
        m_interface->put_command(line);
        return;
    }
    std::string one_line = line;
    std::replace_if(one_line.begin(), one_line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    m_interface->put_command(one_line);
}

void GuiManager::log(const std::string& text)
{
    if (!m_debug) {
        return;
    }
    write_log_line(m_log, m_log_timer.timestamp() + text);
}
