#pragma once

#include "manager/window_inbox.h"

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>

// The window stand-in of the console: prints each message line on its own
// line and flushes at once, and notes when the manager has said "quit".
class ConsoleInbox : public WindowInbox {
public:
    explicit ConsoleInbox(std::ostream& out);

    void put_command(const std::string& line) override;
    // Whether the manager has sent "quit".
    bool quit_seen() const;

private:
    std::ostream& m_out;
    mutable std::mutex m_mutex;
    bool m_quit_seen;
};
