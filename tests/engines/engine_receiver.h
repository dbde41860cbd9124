#pragma once

#include "engines/cv_trio.h"
#include "tests/support/test_time.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace torvane_test {

// The receiving side of a line queue, as a driver or the manager holds it,
// with bounded waits for the tests (given for a plain build, scaled here).
class EngineReceiver {
public:
    EngineReceiver();
    EngineReceiver(const EngineReceiver&) = delete;
    EngineReceiver& operator=(const EngineReceiver&) = delete;

    CVTrio trio();
    // The oldest line, waiting up to the timeout for one.
    std::optional<std::string> next_line(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Lines up to and including the first one that starts with the prefix;
    // empty when it does not arrive within the timeout.
    std::vector<std::string> lines_until(const std::string& prefix,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(10));
    std::size_t queued();

private:
    std::optional<std::string> next_line_by(std::chrono::steady_clock::time_point deadline);

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::string> m_queue;
};

// Waits until the condition holds or the timeout (given for a plain build,
// scaled here) passes; returns the condition.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    auto deadline = std::chrono::steady_clock::now() + scaled(timeout);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}
