#pragma once

#include <string>

// The common face of the game managers: a thread-safe inbox of command lines.
class Manager {
public:
    virtual ~Manager() = default;

    // Appends one line to the manager's queue and wakes its thread. Safe from
    // any thread; never waits for the line to be handled.
    virtual void command(const std::string& line) = 0;
};
