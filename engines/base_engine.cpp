#include "engines/base_engine.h"

#include <exception>
#include <iostream>
#include <stdexcept>

#include "engines/engine_variables.h"
#include "engines/engio.h"
#include "engines/log_line.h"
#include "engines/timer.h"

BaseEngine::BaseEngine()
    : m_ev(nullptr), m_number(0), m_engio(nullptr), m_token(no_token), m_debug(false), m_quit(false),
      m_log(nullptr),
      m_info_limit(waiting_info_limit,
                   [this](const std::string& line) {
                       return is_analysis_line(line) ? std::optional<int>(0) : std::nullopt;
                   }),
      m_crash_handled(false),
      m_in_hand(false)
{
    m_cvt.set_mutex(&m_mtx);
    m_cvt.set_cv(&m_cv);
    m_cvt.set_queue(&m_queue);
    m_cvt.set_admission(&m_info_limit);
}

BaseEngine::~BaseEngine() = default;

void BaseEngine::init(int number, EngineVariables* ev, Engio* engio)
{
    m_number = number;
    m_ev = ev;
    m_engio = engio;
    m_engio->set_cvtrio(m_cvt);
}

void BaseEngine::set_manager_cvt(CVTrio cvt) { m_manager_cvt = cvt; }
void BaseEngine::set_token(const std::uint64_t& token) { m_token = token; }
void BaseEngine::set_number(int number) { m_number = number; }
int BaseEngine::get_number() const { return m_number; }
void BaseEngine::set_logstream(std::ostream* log) { m_log = log; }
void BaseEngine::set_debug(bool on) { m_debug = on; }

void BaseEngine::quit()
{
    m_engio->quit();
    {
        // The wake-up line and the flag go in together, so the thread cannot
        // end before it has handled the line.
        std::lock_guard lock(m_mtx);
        m_queue.push_back("quit");
        m_quit = true;
    }
    m_cv.notify_all();
}

bool BaseEngine::engine_running() const { return m_engio->is_running(); }
bool BaseEngine::engine_crashed() const { return m_engio->crashed(); }

void BaseEngine::set_white(bool white) { m_ev->set_white(white); }
bool BaseEngine::is_white() const { return m_ev->is_white(); }
std::string BaseEngine::get_idname() const { return m_ev->get_idname(); }
std::string BaseEngine::get_player_name() const { return m_ev->get_player_name(); }
std::string BaseEngine::get_elo() const { return m_ev->get_elo(); }
std::map<std::string, Option> BaseEngine::get_options() const { return m_ev->get_options(); }
Level BaseEngine::get_level() const { return m_ev->get_level(); }
EngineVariables* BaseEngine::get_enginevariables() const { return m_ev; }
void BaseEngine::set_level(Level level) { m_ev->set_level(level); }
void BaseEngine::set_moves_made(std::uint32_t moves) { m_ev->set_moves_made(moves); }
void BaseEngine::reset_clock() { m_ev->reset_clock(); }
void BaseEngine::start_clock() { m_ev->start_clock(); }
void BaseEngine::move_and_stop_clock(std::uint64_t stamp) { m_ev->move_done(stamp); }
std::int64_t BaseEngine::get_time_left() const { return m_ev->get_time_left(); }
std::int64_t BaseEngine::get_move_time() const { return m_ev->get_move_time(); }
std::uint32_t BaseEngine::get_increment() const { return m_ev->get_increment(); }
std::uint32_t BaseEngine::get_opponent_increment() const { return m_ev->get_increment(); }
std::uint64_t BaseEngine::get_opponent_time() const { return m_ev->get_opponent_time(); }
std::uint32_t BaseEngine::get_moves_to_go() const { return m_ev->get_moves_to_go(); }
std::uint32_t BaseEngine::get_moves_made() const { return m_ev->get_moves_made(); }

std::optional<std::string> BaseEngine::option_command(const Option& option) const
{
    const bool button = option.get_type() == "button";
    if (button && !option.get_changed())
        return std::nullopt;
    const std::string name = option.get_name();
    const std::string value = button ? std::string() : option.get_value();
    if (is_uci())
        return value.empty() ? "setoption name " + name : "setoption name " + name + " value " + value;
    if (name == "xboard_memory")
        return "memory " + value;
    if (name == "xboard_threads")
        return "cores " + value;
    if (value.empty())
        return "option " + name;
    if (value == "true")
        return "option " + name + "=1";
    if (value == "false")
        return "option " + name + "=0";
    return "option " + name + "=" + value;
}

void BaseEngine::send_options(const std::map<std::string, Option>& options)
{
    send_option_lines(store_options(options));
}

void BaseEngine::set_enginevariables(const EngineVariables& ev) { send_option_lines(store_enginevariables(ev)); }

std::vector<std::string> BaseEngine::store_options(const std::map<std::string, Option>& options)
{
    std::vector<std::string> lines;
    std::map<std::string, Option> stored = options;
    for (auto& [key, option] : stored) {
        if (const auto command = option_command(option))
            lines.push_back(*command);
        if (option.get_type() == "button")
            option.set_changed(false);
    }
    m_ev->set_options(stored);
    return lines;
}

std::vector<std::string> BaseEngine::store_changed_options(const std::map<std::string, Option>& options)
{
    const std::map<std::string, Option> before = m_ev->get_options();
    std::vector<std::string> lines;
    for (const auto& [key, option] : options) {
        const auto old = before.find(key);
        const bool same = old != before.end() && old->second.get_name() == option.get_name() &&
                          old->second.get_value() == option.get_value();
        // A button has no value to compare: its press mark decides.
        if (same && option.get_type() != "button")
            continue;
        if (const auto command = option_command(option))
            lines.push_back(*command);
    }
    store_options(options);
    return lines;
}

void BaseEngine::send_option_lines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        send(line);
}

std::vector<std::string> BaseEngine::store_enginevariables(const EngineVariables& ev)
{
    m_ev->set_uci(ev.is_uci());
    m_ev->set_name(ev.get_name());
    m_ev->set_filename(ev.get_filename());
    m_ev->set_player_name(ev.get_player_name());
    m_ev->set_elo(ev.get_elo());
    m_ev->set_handicap(ev.get_handicap());
    std::map<std::string, Option> own = m_ev->get_options();
    for (const auto& [key, option] : ev.get_options()) {
        const auto found = own.find(key);
        if (found == own.end())
            continue;
        found->second.set_name(option.get_name());
        found->second.set_value(option.get_value());
        if (found->second.get_type() == "button")
            found->second.set_changed(option.get_changed());
    }
    return store_options(own);
}

void BaseEngine::send(const std::string& line) { (*m_engio)(line); }

void BaseEngine::debug_line(const std::string& text)
{
    std::ostream* log = m_log;
    if (!m_debug || log == nullptr)
        return;
    Timer clock;
    write_log_line(*log, clock.timestamp() + " engine" + std::to_string(m_number) + text);
}

int BaseEngine::state() const { return m_ev->get_state(); }
void BaseEngine::set_state(int state) { m_ev->set_state(state); }

void BaseEngine::forward(const std::string& line)
{
    m_manager_cvt.command(std::to_string(m_number) + " " + std::to_string(m_token.load()) + " " + line);
}

bool BaseEngine::crash_unhandled() const { return !m_crash_handled && m_engio != nullptr && m_engio->crashed(); }

void BaseEngine::run_driver_loop(const std::string& name)
{
    if (!m_manager_cvt.valid())
        throw std::logic_error(name + "  manager_cvt bad");
    for (;;) {
        std::string line;
        bool lost = false;
        {
            std::unique_lock lock(m_mtx);
            m_cv.wait(lock, [this] { return !m_queue.empty() || m_quit || crash_unhandled(); });
            if (!m_queue.empty()) {
                line = std::move(m_queue.front());
                m_queue.pop_front();
                m_info_limit.taken(line);
            } else if (crash_unhandled()) {
                // The reader queues every line before it marks the crash, so
                // an empty queue means that nothing more will come.
                m_crash_handled = true;
                lost = true;
            } else {
                return;
            }
            m_in_hand = true;
        }
        // Lines are handled without the queue lock, so the reader thread never
        // waits on a driver that is busy writing to the engine.
        try {
            if (lost) {
                engine_lost();
            } else if (!line.empty()) {
                if (const auto forwarded = handle_line(line))
                    forward(*forwarded);
            }
        } catch (const std::exception& error) {
            std::cerr << name << "  " << (lost ? "engine loss" : "line '" + line + "'") << " not handled: " << error.what()
                      << std::endl;
        } catch (...) {
            std::cerr << name << "  " << (lost ? "engine loss" : "line '" + line + "'") << " not handled" << std::endl;
        }
        {
            std::lock_guard lock(m_mtx);
            m_in_hand = false;
        }
        m_settled.notify_all();
    }
}

void BaseEngine::settle()
{
    std::unique_lock lock(m_mtx);
    m_settled.wait(lock, [this] { return !m_in_hand; });
}
