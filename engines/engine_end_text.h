#pragma once

#include <chrono>
#include <string>

// What is known of an engine process that ended while it was being started.
struct EngineEnd {
    // The status that waitpid gave for it.
    int wait_status = 0;
    // The program ended it (it kept running after it closed its output).
    bool ended_by_program = false;
    // The last line sent to it; empty when none was.
    std::string last_sent;
    // Whether it wrote any line, and how long it ran.
    bool wrote_anything = false;
    std::chrono::milliseconds ran{0};
};

// The end in words, for the user: "it ended with status 1 after \"uci\"",
// "it was killed by signal 11 (Segmentation fault)", and "; it wrote nothing
// in 15 s" for one that never spoke.
std::string engine_end_text(const EngineEnd& end);
