#pragma once

#include "engines/cv_trio.h"
#include "engines/engine_variables.h"
#include "engines/engio.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The handshakes that find out how a freshly started engine speaks. They run
// on the loading thread, read the engine's first lines from the handshake
// queue and fill in the engine's settings: the UCI mark and protocol code,
// the engine's name and author, its options, its xboard features.

// Protocol codes, as configured and as detected.
enum ProtocolCode : int {
    protocol_autodetect = 0,
    protocol_uci = 1,
    protocol_xboard_v1 = 2,
    protocol_xboard_v2 = 3,
};

// How long each handshake waits for its closing line ("uciok", "done=1").
inline constexpr std::chrono::milliseconds uci_probe_time{3050};
inline constexpr std::chrono::milliseconds xboard_probe_time{5050};
// An engine that announced "done=0" asked for time to finish its features:
// the xboard handshake then waits this long in all for "done=1".
inline constexpr std::chrono::milliseconds xboard_done_wait_time{15000};
// An engine's first answer ("uciok" to a chosen UCI, the first feature line,
// or under autodetection a UCI answer as well) is waited for this long after
// the engine started: one started through a wrapper, or one compiled at
// every start, may take seconds before it reads its input.
inline constexpr std::chrono::milliseconds first_answer_wait = xboard_done_wait_time;
// Until an engine's first feature line, "xboard" and "protover 2" are sent
// again after the first delay and then at the interval: gnuchess may drop
// the lines that arrive while it starts, or hang in its start until more
// input comes; a version 2 engine answers "protover" each time.
inline constexpr std::chrono::milliseconds protover_first_repeat{1000};
inline constexpr std::chrono::milliseconds protover_repeat_interval{400};

// The oldest line of the handshake queue, "" when there is none; never waits.
std::string wait_engine_line(CVTrio queue);

// How a handshake is run: by autodetection, hearing a UCI answer that comes
// while it asks in xboard; or for a protocol the user chose.
enum class ProbeMode { autodetect, chosen };

// Sends "uci" and reads "id" and "option" lines until "uciok" (protocol 1,
// UCI mark set) or until uci_probe_time (chosen: first_answer_wait)
// has passed (UCI mark cleared, protocol unchanged). However many lines come
// first, only time or the engine's end ends it: once the engine no longer
// runs and its lines are read, the probe gives up at once.
void probe_uci(Engio& engio, EngineVariables& ev, CVTrio queue, ProbeMode mode = ProbeMode::autodetect);

// Sends "xboard" and "protover 2" and accepts every announced feature until
// "done=1" or until xboard_probe_time has passed (xboard_done_wait_time once
// the engine sent "done=0"); repeats both lines while no feature line came.
// Any feature line makes the protocol 3. Gives up at once, as probe_uci,
// when the engine no longer runs. The first answer is waited for until
// first_answer_wait after engine_started, and one that comes after
// xboard_probe_time starts the usual times afresh. Autodetecting, a UCI
// answer ("id", "option", "uciok") before any feature line shows a UCI
// engine that answered "uci" late: its handshake is read on to "uciok" as
// probe_uci reads it, within uci_probe_time.
void probe_xboard(Engio& engio, EngineVariables& ev, CVTrio queue, std::chrono::steady_clock::time_point engine_started,
                  ProbeMode mode = ProbeMode::autodetect);

// Drives the engine as xboard version 1: sends "xboard", protocol 2.
void select_xboard_v1(Engio& engio, EngineVariables& ev);

// Starts the engine once more (same program, same arguments) with a reader
// on its output; a failed start leaves the engine not running.
using EngineRestart = std::function<void()>;

// Runs the handshakes that the code asks for: 0 tries UCI, then xboard
// version 2 (taking a late UCI answer as UCI, up to first_answer_wait after
// the engine's start), then settles on version 1; 1 and 3 run their own
// handshake, chosen, whatever the answer; 2 selects version 1; other codes
// do nothing. Some xboard engines exit on the unknown "uci": when the engine
// died during the UCI probe of code 0 and a restart is given, the xboard
// probe runs on the restarted process.
void detect_protocol(Engio& engio, EngineVariables& ev, int protocol, CVTrio queue,
                     const EngineRestart& restart = {});

// What the handshake does with one "feature" line: the answers to send, in
// order, whether a "done=1" pair ended the handshake and whether a "done=0"
// pair asked it to wait for "done=1".
struct FeatureReply {
    std::vector<std::string> answers;
    bool done = false;
    bool wait_for_done = false;
};

// Handles the pairs of one "feature" line (the text after the word
// "feature"), recording each in ev; every pair but "option" is answered with
// "accepted NAME". The pairs after "done=1" are not read. A quoted value
// ends at its closing quote or at the end of the line.
FeatureReply handle_feature_pairs(const std::string& text, EngineVariables& ev);
