#pragma once

#include <deque>
#include <string>

// How a receiver takes a line into its queue, when plain appending is not
// enough (a bound on what may wait, lines that go first). CVTrio::command
// calls it with the receiver's mutex held, so it must not take that mutex
// again, nor any lock that is held while the mutex is wanted.
class LineAdmission {
public:
    virtual ~LineAdmission() = default;

    // Puts the line into the queue.
    virtual void admit(std::deque<std::string>& queue, const std::string& line) = 0;
};
