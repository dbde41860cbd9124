#pragma once

#include "engines/line_admission.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

// The sending end of a receiver's line queue: pointers to the receiver's
// mutex, condition variable and deque. Copies share what they point at; the
// receiver keeps the three alive while any copy may be used.
class CVTrio {
public:
    CVTrio();
    CVTrio(std::mutex* mtx, std::condition_variable* cv, std::deque<std::string>* queue);

    void set_mutex(std::mutex* mtx) { m_mtx = mtx; }
    void set_cv(std::condition_variable* cv) { m_cv = cv; }
    void set_queue(std::deque<std::string>* queue) { m_queue = queue; }
    // How command puts lines into the queue; without one it appends them.
    // get does not tell an admission what it takes, so a receiver that has
    // one takes its lines itself.
    void set_admission(LineAdmission* admission) { m_admission = admission; }
    void clear();

    // True when all three pointers are set.
    bool valid() const;
    // Puts the line into the queue (through the admission, when there is
    // one, else at the back) and wakes every waiter. Throws
    // std::logic_error when the trio has no mutex; does nothing more when it
    // has no queue, and wakes nobody when it has no condition variable.
    void command(const std::string& line);
    // Wakes every waiter without queuing a line (they look again at what
    // they wait for); nothing without a mutex or condition variable.
    void wake();
    // Removes and returns the oldest line; "" when there is none. Never waits.
    std::string get();
    // The three addresses, for debugging.
    std::string to_string() const;

private:
    std::mutex* m_mtx;
    std::condition_variable* m_cv;
    std::deque<std::string>* m_queue;
    LineAdmission* m_admission;
};
