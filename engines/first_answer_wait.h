#pragma once

#include <chrono>

// How long a starting engine is waited for until its first answer to the
// probes ("uciok", a feature line, a UCI answer under autodetection). The
// wait is first_answer_wait from the engine's start. An engine that has
// written anything (a banner, an error) is still starting up: it is waited
// for until it has been quiet for talking_grace after its latest line or
// after the end of first_answer_wait, whichever is later, and never beyond
// first_answer_limit after its start.
class FirstAnswerWait {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds first_answer_wait{15000};
    static constexpr std::chrono::milliseconds talking_grace{3000};
    static constexpr std::chrono::milliseconds first_answer_limit{30000};

    explicit FirstAnswerWait(Clock::time_point engine_started);

    // The engine wrote a line at that moment.
    void heard(Clock::time_point when);
    // Until when its first answer is waited for.
    Clock::time_point deadline() const;

private:
    Clock::time_point m_started;
    Clock::time_point m_last_heard;
    bool m_heard_any = false;
};
