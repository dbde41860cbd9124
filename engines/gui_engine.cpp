#include "engines/gui_engine.h"

#include "engines/protocol_detection.h"
#include "engines/uci_engine.h"
#include "engines/xboard_engine.h"

#include <exception>
#include <iostream>
#include <stdexcept>

namespace {

// Runs a thread body so that no exception can end the program.
template <typename Body>
void guarded(const char* what, Body body)
{
    try {
        body();
    } catch (const std::exception& error) {
        std::cerr << what << "   " << error.what() << std::endl;
    } catch (...) {
        std::cerr << what << "   unknown exception" << std::endl;
    }
}

}

GuiEngine::GuiEngine()
    : m_protocol(0), m_number(0), m_token(BaseEngine::no_token), m_debug(false)
{
    m_cvt.set_mutex(&m_mtx);
    m_cvt.set_cv(&m_cv);
    m_cvt.set_queue(&m_queue);
}

GuiEngine::~GuiEngine() { unload_engine(); }

void GuiEngine::load(int number, const std::string& path, int protocol, CVTrio manager_queue,
                     const HandshakeCancel& cancel)
{
    start(number, path, protocol, manager_queue, BaseEngine::no_token, cancel);
}

std::string GuiEngine::load_failure() const { return m_load_failure; }

void GuiEngine::start(int number, const std::string& path, int protocol, CVTrio manager_queue, std::uint64_t token,
                      const HandshakeCancel& cancel)
{
    unload_engine();
    m_load_failure.clear();
    m_number = number;
    m_manager_cvt = manager_queue;
    m_filename = path;
    m_protocol = protocol;
    m_token = token;
    {
        std::lock_guard lock(m_settings_mutex);
        m_ev.set_filename(path);
    }
    if (number < 1) {
        return;
    }
    if (protocol < protocol_autodetect || protocol > protocol_xboard_v2) {
        throw std::logic_error("GuiEngine::load   no protocol");
    }

    // Lines left over from an earlier engine must not answer this one's probe.
    empty_handshake_queue();
    m_engio.reset_flags();
    m_engio.set_cvtrio(m_cvt);
    m_engio.set_number(number);
    // With logging on, the log begins with the start and the handshakes.
    m_engio.set_debug(m_debug);
    m_engio.spawn_engine(path);

    EngineVariables detected;
    {
        std::lock_guard lock(m_settings_mutex);
        detected = m_ev;
    }
    // What an engine announces belongs to that engine alone.
    detected.set_options({});
    detected.features() = EngineVariables::Features();
    detected.set_uci(false);
    bool cancelled = false;
    if (m_engio.spawned()) {
        start_reader();
        cancelled = !detect_protocol(m_engio, detected, protocol, m_cvt, [this, &path] { respawn(path); }, cancel);
    }
    {
        std::lock_guard lock(m_settings_mutex);
        m_ev = detected;
    }
    if (cancelled) {
        stop_threads(false);
        return;
    }
    note_failed_start();

    bool uci = protocol == protocol_uci || (protocol == protocol_autodetect && detected.is_uci());
    std::unique_ptr<BaseEngine> driver;
    if (uci) {
        driver = std::make_unique<UciEngine>();
    } else {
        driver = std::make_unique<XboardEngine>();
    }
    driver->init(number, &m_ev, &m_engio);
    // From here on the driver hears the engine; what the probe left unread
    // (an engine may print without end) is nobody's.
    empty_handshake_queue();
    driver->set_manager_cvt(m_manager_cvt);
    driver->set_token(m_token);
    {
        std::lock_guard lock(m_settings_mutex);
        m_peng = std::move(driver);
    }
    BaseEngine* running = m_peng.get();
    m_driver = std::thread([running] { guarded("GuiEngine driver thread", [running] { (*running)(); }); });
}

void GuiEngine::note_failed_start()
{
    if (!m_engio.spawned()) {
        m_load_failure = m_engio.spawn_error();
    } else if (!m_engio.is_running()) {
        m_engio.quit();
        m_load_failure = engine_end_text(m_engio.end());
    }
}

void GuiEngine::start_reader()
{
    m_reader = std::thread([this] { guarded("GuiEngine reader thread", [this] { m_engio(); }); });
}

void GuiEngine::respawn(const std::string& path)
{
    m_engio.quit();
    if (m_reader.joinable()) {
        m_reader.join();
    }
    m_engio.reset_flags();
    empty_handshake_queue();
    m_engio.spawn_engine(path);
    if (m_engio.spawned()) {
        start_reader();
    }
}

void GuiEngine::empty_handshake_queue()
{
    std::lock_guard lock(m_mtx);
    m_queue.clear();
}

void GuiEngine::stop_threads(bool reset_flags)
{
    if (m_peng) {
        m_peng->stop();
    }
    m_engio.quit();
    if (m_peng) {
        m_peng->quit();
    }
    if (reset_flags) {
        m_engio.reset_flags();
    }
    if (m_reader.joinable()) {
        m_reader.join();
    }
    if (m_driver.joinable()) {
        m_driver.join();
    }
    std::lock_guard lock(m_settings_mutex);
    m_peng.reset();
}

void GuiEngine::unload_engine()
{
    if (!m_peng && !m_reader.joinable() && !m_driver.joinable()) {
        return;
    }
    stop_threads(false);
}

void GuiEngine::release_lost_process()
{
    if (engine_crashed()) {
        m_engio.quit();
    }
}

void GuiEngine::reload_engine()
{
    if (m_peng) {
        stop_threads(true);
    } else {
        std::cerr << "GuiEngine::reload_engine()   m_peng==nullptr" << std::endl;
    }
    start(m_number, std::string(m_filename), m_protocol, m_manager_cvt, m_token, {});
    if (m_peng) {
        m_peng->new_game();
    }
}

void GuiEngine::set_ponder(bool on)
{
    if (m_peng) {
        m_peng->set_ponder(on);
    }
}

void GuiEngine::new_game()
{
    if (m_peng) {
        m_peng->new_game();
    }
}

void GuiEngine::set_position(const ChessPosition& position)
{
    if (m_peng) {
        m_peng->set_position(position);
    }
}

void GuiEngine::go()
{
    if (m_peng) {
        m_peng->go();
    }
}

void GuiEngine::go_infinite()
{
    if (m_peng) {
        m_peng->go_infinite();
    }
}

void GuiEngine::stop()
{
    if (m_peng) {
        m_peng->stop();
        m_peng->settle();
    }
}

bool GuiEngine::search_unanswered(std::chrono::milliseconds grace)
{
    return m_peng && m_peng->search_unanswered(grace);
}

bool GuiEngine::is_uci() const { return m_peng && m_peng->is_uci(); }

void GuiEngine::set_number(int number)
{
    if (m_peng) {
        m_peng->set_number(number);
    }
}

void GuiEngine::set_logstream(std::ostream* log)
{
    if (m_peng) {
        m_peng->set_logstream(log);
    }
}

void GuiEngine::set_white(bool white)
{
    if (m_peng) {
        std::lock_guard lock(m_settings_mutex);
        m_peng->set_white(white);
    }
}

void GuiEngine::reset_clock()
{
    if (m_peng) {
        m_peng->reset_clock();
    }
}

void GuiEngine::start_clock()
{
    if (m_peng) {
        m_peng->start_clock();
    }
}

void GuiEngine::move_and_stop_clock(std::uint64_t stamp)
{
    if (m_peng) {
        m_peng->move_and_stop_clock(stamp);
    }
}

void GuiEngine::set_moves_made(std::uint32_t moves)
{
    if (m_peng) {
        m_peng->set_moves_made(moves);
    }
}

void GuiEngine::set_level(Level level)
{
    if (m_peng) {
        std::lock_guard lock(m_settings_mutex);
        m_peng->set_level(level);
    }
}

void GuiEngine::set_token(const std::uint64_t& token)
{
    if (m_peng) {
        m_token = token;
        m_peng->set_token(token);
    }
}

// The settings change under the lock; the lines go to the engine after it
// is released, so that readers of the settings never wait on the pipe.
void GuiEngine::set_enginevariables(const EngineVariables& ev)
{
    if (!m_peng) {
        return;
    }
    std::vector<std::string> lines;
    {
        std::lock_guard lock(m_settings_mutex);
        lines = m_peng->store_enginevariables(ev);
    }
    m_peng->send_option_lines(lines);
}

void GuiEngine::set_options(const std::map<std::string, Option>& options)
{
    if (!m_peng) {
        return;
    }
    std::vector<std::string> lines;
    {
        std::lock_guard lock(m_settings_mutex);
        lines = m_peng->store_changed_options(options);
    }
    m_peng->send_option_lines(lines);
}

bool GuiEngine::engine_running() const { return m_peng && m_peng->engine_running(); }

bool GuiEngine::engine_crashed() const { return m_peng && m_peng->engine_crashed(); }

bool GuiEngine::is_white() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng && m_peng->is_white();
}

std::map<std::string, Option> GuiEngine::get_options() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng ? m_peng->get_options() : std::map<std::string, Option>();
}

EngineVariables& GuiEngine::get_enginevariables()
{
    if (!m_peng) {
        throw std::logic_error("GuiEngine::get_enginevariables no engine found");
    }
    return *m_peng->get_enginevariables();
}

EngineVariables GuiEngine::copy_enginevariables() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_ev;
}

Level GuiEngine::get_level() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng ? m_peng->get_level() : Level();
}

int GuiEngine::get_number() const { return m_peng ? m_peng->get_number() : 0; }

std::int64_t GuiEngine::get_time_left() const { return m_peng ? m_peng->get_time_left() : 0; }

std::uint64_t GuiEngine::get_move_time() const
{
    return m_peng ? static_cast<std::uint64_t>(m_peng->get_move_time()) : 0;
}

int GuiEngine::get_increment() const { return m_peng ? static_cast<int>(m_peng->get_increment()) : 0; }

std::uint64_t GuiEngine::get_opponent_time() const { return m_peng ? m_peng->get_opponent_time() : 0; }

int GuiEngine::get_opponent_increment() const
{
    return m_peng ? static_cast<int>(m_peng->get_opponent_increment()) : 0;
}

std::uint32_t GuiEngine::get_moves_to_go() const { return m_peng ? m_peng->get_moves_to_go() : 1; }

std::uint32_t GuiEngine::get_moves_made() const { return m_peng ? m_peng->get_moves_made() : 0; }

std::string GuiEngine::get_idname() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng ? m_peng->get_idname() : std::string();
}

std::string GuiEngine::get_player_name() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng ? m_peng->get_player_name() : std::string();
}

std::string GuiEngine::get_elo() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_peng ? m_peng->get_elo() : std::string();
}

bool GuiEngine::is_running() const { return engine_running(); }

void GuiEngine::set_debug(bool on)
{
    m_debug = on;
    if (m_number >= 1) {
        m_engio.set_debug(on);
    }
}

void GuiEngine::set_opponent_time(std::uint64_t ms) { m_ev.set_opponent_time(ms); }

std::uint64_t GuiEngine::peek_opponent_time() const { return m_ev.get_opponent_time(); }

int GuiEngine::get_state() const { return m_ev.get_state(); }

bool GuiEngine::get_reuse() const
{
    std::lock_guard lock(m_settings_mutex);
    return m_ev.features().reuse;
}
