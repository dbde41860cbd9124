#pragma once

#include <chrono>
#include <optional>

// Watches a search that the engine owes an answer to and that has no clock
// to run out (a depth or node count): it tells a hung engine from a long
// honest search by what the engine still says, never by how long the search
// takes. Times are read from the caller, so the rules need no process.
class SearchWatch {
public:
    using Clock = std::chrono::steady_clock;

    // What the owner is to do now.
    enum class Step {
        wait,    // the engine is searching, or nothing is owed
        probe,   // the engine has been silent for half the grace: ask it for a
                 // sign of life that it must give at once, even while it searches
        give_up, // no report of the search within the grace of its start, or
                 // still silent half the grace after the probe
    };

    // A search begins.
    void begin(Clock::time_point now);
    // The ponder search that runs becomes the search owed (a ponder hit):
    // what it reported since the last end counts.
    void resume(Clock::time_point now);
    // The search was answered or stopped: nothing is owed any more.
    void end();
    // A line from the engine; report: it tells of the search itself
    // (analysis or the move), which a sign of life alone does not.
    void heard(Clock::time_point now, bool report);
    // The step at this moment; with can_probe false (the protocol offers no
    // probe that a searching engine answers) the engine is given up only for
    // a search that never reported.
    Step check(Clock::time_point now, std::chrono::milliseconds grace, bool can_probe);
    // The owner sent the probe.
    void probed(Clock::time_point now);

private:
    bool m_owed = false;
    bool m_reported = false;
    Clock::time_point m_start;
    Clock::time_point m_last_heard;
    std::optional<Clock::time_point> m_probe;
};
