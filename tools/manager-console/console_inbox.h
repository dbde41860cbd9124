#pragma once

#include "manager/window_inbox.h"

#include <atomic>
#include <ostream>
#include <string>

// The window stand-in of the console: prints each message line on its own
// line and flushes at once, and notes when the manager has said "quit".
// Lines come from the manager's thread only; quit_seen may be asked from any
// thread and never waits on a write to standard output.
class ConsoleInbox : public WindowInbox {
public:
    explicit ConsoleInbox(std::ostream& out);

    void put_command(const std::string& line) override;
    // Whether the manager has sent "quit".
    bool quit_seen() const;

private:
    std::ostream& m_out;
    std::atomic<bool> m_quit_seen;
};
