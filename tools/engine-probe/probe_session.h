#pragma once

#include "engines/gui_engine.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

// One run of the probe: loads an engine into slot 1 through GuiEngine, as
// the program does, reports what the handshake found, asks for moves and
// checks them with the rules core. Plays the manager's part: it owns the
// queue that the driver forwards the engine's lines to.
class ProbeSession {
public:
    // The engine's lines go to out, the verdicts too.
    explicit ProbeSession(std::ostream& out);

    // Loads the engine; false (with a message) when it does not run.
    bool load(const std::string& path, int protocol);
    // Prints the protocol code, the engine's name, author and options.
    void report_identity();
    // Asks for a move in the position at a fixed move time and checks that
    // the answer is a legal move there; false otherwise, also when the
    // engine crashed (then crashed() tells so).
    bool check_move(const ChessPosition& position, std::uint32_t movetime_ms);
    // Whether the engine has crashed; the first time it is seen, says so.
    bool crashed();
    // Unloads the engine and prints how long that took.
    void unload();

private:
    // The next forwarded line of this engine's session without its slot and
    // token, or nothing on timeout or once the engine has crashed.
    std::optional<std::string> next_line(std::chrono::milliseconds timeout);

    std::ostream& m_out;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::string> m_queue;
    GuiEngine m_engine;
    std::uint64_t m_token;
    bool m_crash_reported;
};

// Protocol codes by their engines.cfg names; -1 for an unknown name.
int protocol_from_name(const std::string& name);
