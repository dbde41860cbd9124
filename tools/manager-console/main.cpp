// manager-console: the game manager driven from a terminal or a test.
//
// Runs a GuiManager on its own thread in the current directory. Each line
// read from standard input is passed to the manager unchanged (the window's
// commands begin with "0 ", e.g. "0 load 1 filename /usr/games/stockfish").
// Each line the manager sends to the window is printed on standard output,
// one per line, flushed at once; nothing else goes there (diagnostics go to
// standard error). "0 wake_up" is sent every 400 ms, as the window's timer
// does. Once the manager has answered "quit", the console stops reading,
// joins the manager and exits with status 0; at the end of its input it
// sends "0 quit" itself if the manager still runs. SIGTERM, SIGINT and
// SIGHUP send "0 quit" too, so the engines end with the program.
#include "manager/gui_manager.h"
#include "tools/manager-console/console_inbox.h"
#include "tools/manager-console/quit_signals.h"

#include <cerrno>
#include <chrono>
#include <iostream>
#include <string>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto wake_up_interval = std::chrono::milliseconds(400);
// How often the reader looks at the manager while no input arrives.
constexpr int poll_ms = 50;

// Feeds standard input to the manager, line by line, until the manager has
// quit or the input has ended; a quit signal asks the manager to quit.
void feed(GuiManager& manager, const ConsoleInbox& inbox, QuitSignals& signals)
{
    std::string pending;
    auto next_wake_up = Clock::now() + wake_up_interval;
    bool input_open = true;
    while (input_open && !inbox.quit_seen()) {
        pollfd ready_fds[] = {{STDIN_FILENO, POLLIN, 0}, {signals.descriptor(), POLLIN, 0}};
        int ready = poll(ready_fds, 2, poll_ms);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready > 0 && ready_fds[1].revents != 0 && signals.take()) {
            manager.command("0 quit");
        }
        if (ready > 0 && ready_fds[0].revents != 0) {
            char buffer[4096];
            ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
            if (count <= 0) {
                input_open = count < 0 && errno == EINTR;
            } else {
                pending.append(buffer, static_cast<std::size_t>(count));
            }
            std::size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                manager.command(pending.substr(0, end));
                pending.erase(0, end + 1);
            }
        }
        if (Clock::now() >= next_wake_up) {
            manager.command("0 wake_up");
            next_wake_up = Clock::now() + wake_up_interval;
        }
    }
    if (!pending.empty() && !inbox.quit_seen()) {
        manager.command(pending);
    }
}

}

int main(int argc, char** argv)
{
    QuitSignals signals;
    ConsoleInbox inbox(std::cout);
    GuiManager manager(argc > 0 ? argv[0] : "manager-console");
    manager.set_interface(&inbox);
    std::thread thread(std::ref(manager));
    feed(manager, inbox, signals);
    if (!inbox.quit_seen()) {
        manager.command("0 quit");
    }
    thread.join();
    return 0;
}
