#include "tests/engines/driver_harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

namespace torvane_test {

namespace {

void set_or_clear(const char* name, const std::string& value)
{
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
}

}

EngineStart DriverHarness::fake(const std::string& modes, const std::string& moves, bool xboard)
{
    return EngineStart{std::string(FAKE_ENGINE_DIR) + "/fake_engine", modes, moves, xboard, true, {}};
}

DriverHarness::DriverHarness(std::unique_ptr<BaseEngine> driver, const EngineStart& start)
    : m_recorded(start.recorded), m_dir(make_temp_dir("torvane-driver")), m_record(m_dir + "/received.txt"),
      m_manager(&m_mtx, &m_cv, &m_queue), m_driver(std::move(driver))
{
    set_or_clear("TORVANE_FAKE_RECORD", m_recorded ? m_record : "");
    set_or_clear("TORVANE_FAKE_MODE", start.modes);
    set_or_clear("TORVANE_FAKE_MOVES", start.moves);
    m_engio.set_cvtrio(CVTrio(&m_handshake_mtx, &m_handshake_cv, &m_handshake_queue));
    m_engio.set_number(1);
    m_engio.spawn_engine(start.program);
    if (!m_engio.spawned())
        throw std::runtime_error("cannot start " + start.program);
    m_reader = std::thread(std::ref(m_engio));

    if (start.xboard) {
        m_engio("xboard");
    } else {
        m_engio("uci");
        const auto deadline = std::chrono::steady_clock::now() + scaled(std::chrono::seconds(10));
        for (bool ready = false; !ready;) {
            if (std::chrono::steady_clock::now() > deadline)
                throw std::runtime_error("no uciok from " + start.program);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::lock_guard lock(m_handshake_mtx);
            for (; !m_handshake_queue.empty(); m_handshake_queue.pop_front())
                ready = ready || m_handshake_queue.front().find("uciok") != std::string::npos;
        }
    }
    m_ev.set_uci(!start.xboard);
    for (const auto& [name, on] : start.features)
        m_ev.set_feature(name, on);
    m_driver->init(1, &m_ev, &m_engio);
    m_driver->set_manager_cvt(m_manager);
    m_driver->set_token(token);
    m_driver_thread = std::thread([this] { (*m_driver)(); });
    if (m_recorded)
        received();
}

DriverHarness::~DriverHarness()
{
    quit();
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

void DriverHarness::quit()
{
    if (m_quit)
        return;
    m_quit = true;
    m_driver->stop();
    m_engio.quit();
    m_driver->quit();
    m_reader.join();
    m_driver_thread.join();
}

std::vector<std::string> DriverHarness::record_lines() const
{
    std::ifstream in(m_record);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> DriverHarness::received()
{
    const std::string sync = "echo sync-" + std::to_string(++m_syncs);
    m_engio(sync);
    const auto deadline = std::chrono::steady_clock::now() + scaled(std::chrono::seconds(10));
    std::vector<std::string> lines;
    for (;;) {
        lines = record_lines();
        if (lines.size() > m_seen && lines.back() == sync)
            break;
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the engine did not read " + sync);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::vector<std::string> fresh;
    for (std::size_t index = m_seen; index < lines.size(); ++index)
        if (lines[index].rfind("echo ", 0) != 0)
            fresh.push_back(lines[index]);
    m_seen = lines.size();
    return fresh;
}

std::optional<std::string> DriverHarness::next_forwarded(std::chrono::milliseconds timeout, bool with_prefix)
{
    return next_forwarded_by(std::chrono::steady_clock::now() + scaled(timeout), with_prefix);
}

std::optional<std::string> DriverHarness::next_forwarded_by(std::chrono::steady_clock::time_point deadline,
                                                            bool with_prefix)
{
    const std::string prefix = "1 " + std::to_string(token) + " ";
    std::unique_lock lock(m_mtx);
    for (;;) {
        if (!m_cv.wait_until(lock, deadline, [this] { return !m_queue.empty(); }))
            return std::nullopt;
        std::string line = std::move(m_queue.front());
        m_queue.pop_front();
        if (line.rfind(prefix, 0) != 0)
            return "unexpected prefix: " + line;
        if (line.rfind(prefix + "sync-", 0) == 0)
            continue;
        return with_prefix ? line : line.substr(prefix.size());
    }
}

std::optional<std::string> DriverHarness::wait_forwarded(const std::string& prefix, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + scaled(timeout);
    for (;;) {
        const auto line = next_forwarded_by(deadline, false);
        if (!line || line->rfind(prefix, 0) == 0)
            return line;
    }
}

void DriverHarness::engine_says(const std::string& text) { m_engio("echo " + text); }

bool DriverHarness::wait_state(int state, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + scaled(timeout);
    while (m_ev.get_state() != state) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}
