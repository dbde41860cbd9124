#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engines/base_engine.h"
#include "engines/cv_trio.h"
#include "engines/engine_variables.h"
#include "engines/engio.h"

namespace torvane_test {

// How the engine under a driver is started.
struct EngineStart {
    std::string program;   // full path of the engine
    std::string modes;     // fake engine modes (TORVANE_FAKE_MODE)
    std::string moves;     // the fake engine's scripted moves (TORVANE_FAKE_MOVES)
    bool xboard = false;   // hand the engine "xboard" instead of the UCI handshake
    bool recorded = true;  // the engine records what it receives (the fake engine)
    // xboard features as the handshake would have set them before the driver starts
    std::map<std::string, bool> features;
};

// One engine process with a driver on its own thread, as the engine owner
// sets it up, plus the manager's queue and the fake engine's record of every
// line it received.
class DriverHarness {
public:
    static constexpr std::uint64_t token = 4242;

    DriverHarness(std::unique_ptr<BaseEngine> driver, const EngineStart& start);
    ~DriverHarness();

    BaseEngine& driver() { return *m_driver; }
    EngineVariables& ev() { return m_ev; }

    // The fake engine at its build path, with modes and moves.
    static EngineStart fake(const std::string& modes = "", const std::string& moves = "", bool xboard = false);

    // Waits until the engine has read everything sent so far, then returns the
    // lines it received since the previous call (the sync lines left out).
    std::vector<std::string> received();
    // Every timeout below is given for a plain build and scaled here.
    // The next line forwarded to the manager without "NUMBER TOKEN ", or
    // nothing after the timeout; whole lines come with with_prefix.
    std::optional<std::string> next_forwarded(std::chrono::milliseconds timeout = std::chrono::seconds(5),
                                              bool with_prefix = false);
    // Skips forwarded lines until one starts with prefix.
    std::optional<std::string> wait_forwarded(const std::string& prefix,
                                              std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Makes the fake engine print text, which then passes the driver.
    void engine_says(const std::string& text);
    // Stops and quits the engine and ends both threads, as the owner's unload.
    void quit();
    // Polls until the engine state equals state.
    bool wait_state(int state, std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
    std::vector<std::string> record_lines() const;
    std::optional<std::string> next_forwarded_by(std::chrono::steady_clock::time_point deadline, bool with_prefix);

    bool m_recorded;
    std::string m_dir;
    std::string m_record;
    std::size_t m_seen = 0;
    int m_syncs = 0;
    bool m_quit = false;
    std::mutex m_handshake_mtx;
    std::condition_variable m_handshake_cv;
    std::deque<std::string> m_handshake_queue;
    std::mutex m_mtx;
    std::condition_variable m_cv;
    std::deque<std::string> m_queue;
    CVTrio m_manager;
    Engio m_engio;
    EngineVariables m_ev;
    std::unique_ptr<BaseEngine> m_driver;
    std::thread m_reader;
    std::thread m_driver_thread;
};

}
