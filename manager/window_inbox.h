#pragma once

#include <string>

// What the manager knows of the main window: a place to leave message lines.
// The manager calls put_command on its own thread only, one line per call, in
// the order the lines are meant to be handled; a line never holds a line feed.
// An implementation should return quickly, as the window's does (it only
// queues the line and applies it later on its own thread, with no lock held):
// while it blocks, the manager handles nothing. It must not call back into the
// manager's handlers; pushing a command with GuiManager::command is allowed.
class WindowInbox {
public:
    virtual ~WindowInbox() = default;

    virtual void put_command(const std::string& line) = 0;
};
