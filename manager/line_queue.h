#pragma once

#include "engines/cv_trio.h"
#include "engines/info_line_limit.h"
#include "engines/line_admission.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// A manager's input: lines pushed from any thread (the window's commands
// with push, the engines' lines through the CVTrio each engine is given),
// taken off by the manager's own thread. The pushed lines go ahead of every
// waiting engine line, so that an engine printing faster than the manager
// handles its lines never holds the window back; each kind keeps its order,
// but of the engines' lines only the newest waiting_info_limit analysis lines
// of each engine wait. Its mutex guards only the lines and is never held while a line is
// handled, so it is the innermost lock of the program.
class LineQueue : private LineAdmission {
public:
    // How many analysis lines of one engine may wait; older ones are dropped.
    static constexpr std::size_t waiting_info_limit = 100;

    LineQueue();
    LineQueue(const LineQueue&) = delete;
    LineQueue& operator=(const LineQueue&) = delete;

    // Queues a line after the pushed lines still waiting, ahead of the
    // engines' lines, and wakes the serving thread; any thread.
    void push(const std::string& line);
    // The sending end for an engine's driver; valid while the queue lives.
    CVTrio trio();
    // The serving thread's loop: hands each line to handle, with the lock
    // released, until stopped() holds; then the lines waiting at that moment
    // are still handled, and later ones are not. stopped is called with the
    // lock held and must only read the caller's own state. With an idle
    // interval, handle gets an empty line whenever no line has come for that
    // long, so that clocks are looked at while all is quiet.
    void serve(const std::function<bool()>& stopped, const std::function<void(const std::string&)>& handle,
               std::optional<std::chrono::milliseconds> idle_interval = std::nullopt);
    // Removes the engines' lines (source 1 or 2) still waiting; the window's
    // commands stay.
    void drop_engine_lines();
    // Whether a pushed line still waiting passes the test, which runs under
    // the lock and must only look at the line; any thread.
    bool holds_pushed(const std::function<bool(const std::string&)>& test);

private:
    // Under m_mutex: an engine's line, through the analysis limit.
    void admit(std::deque<std::string>& lines, const std::string& line) override;
    // Under m_mutex: the front line, taken off.
    std::string take_front();

    std::mutex m_mutex;
    std::condition_variable m_cv;
    // The pushed lines first (m_pushed_lines of them), then the engines'.
    std::deque<std::string> m_lines;
    std::size_t m_pushed_lines;
    InfoLineLimit m_info_limit;
};

// The source number a queued line begins with: 0 the window, 1 and 2 the
// engines; 0 for a line that begins with no number.
int line_source(const std::string& line);
