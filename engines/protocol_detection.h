#pragma once

#include "engines/cv_trio.h"
#include "engines/engine_variables.h"
#include "engines/engio.h"
#include "engines/first_answer_wait.h"

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
// Each probe line is sent once, but for one case: gnuchess answers a
// "protover" only once a later line has come, and until then writes nothing
// at all (its banner waits in its output buffer), however late it started;
// and it loses the lines it reads while it starts (seconds on a busy
// machine). So an engine that has read every line sent to it and has sent
// no feature line for a while after gets "xboard" and "protover 2" again, at
// most protover_repeat_limit times: the lines never pile up in the input of
// an engine that does not read yet. The while is protover_repeat_quiet: a
// second, so that the answer comes at most that long after the engine has
// started, however long its start takes.
inline constexpr std::chrono::milliseconds protover_repeat_quiet{1000};
inline constexpr int protover_repeat_limit = 8;

// The oldest line of the handshake queue, "" when there is none; never waits.
std::string wait_engine_line(CVTrio queue);

// Drives the engine as xboard version 1: sends "xboard", protocol 2.
void select_xboard_v1(Engio& engio, EngineVariables& ev);

// Starts the engine once more (same program, same arguments) with a reader
// on its output; a failed start leaves the engine not running.
using EngineRestart = std::function<void()>;
// Asked on the loading thread while a handshake waits: true when the load is
// to be given up (the user quits, unloads or loads another engine).
using HandshakeCancel = std::function<bool()>;

// Runs the handshakes that the code asks for and fills in ev; returns false
// when cancel said so (ev then holds what was heard until then, and nothing
// more is sent). Every wait for a first answer lasts as FirstAnswerWait says.
//  0: "uci", read until "uciok" for uci_probe_time; then "xboard" and
//     "protover 2", whose features are read until "done=1" (xboard_probe_time
//     after the first, xboard_done_wait_time after "done=0"), while a late
//     UCI answer still makes the engine UCI; an engine that answers neither
//     is xboard version 1. Some xboard engines exit on the unknown "uci": an
//     engine that ends before its protocol is decided is started once more
//     (restart) and probed for xboard.
//  1 and 3: their own handshake only, whatever the answer.
//  2: selects version 1. Other codes do nothing.
// Once the engine no longer runs and its lines are read, a probe gives up at
// once.
bool detect_protocol(Engio& engio, EngineVariables& ev, int protocol, CVTrio queue,
                     const EngineRestart& restart = {}, const HandshakeCancel& cancel = {});

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
