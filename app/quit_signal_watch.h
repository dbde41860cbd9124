#pragma once

#include <glib.h>

#include <functional>
#include <vector>

// While it lives, SIGTERM, SIGINT and SIGHUP (a log-out, Ctrl+C, a closed
// terminal) do not end the program at once: GLib notes them safely and the
// main loop calls on_signal, which quits as the user would.
class QuitSignalWatch {
public:
    explicit QuitSignalWatch(std::function<void()> on_signal);
    // Stops watching the signals.
    ~QuitSignalWatch();
    QuitSignalWatch(const QuitSignalWatch&) = delete;
    QuitSignalWatch& operator=(const QuitSignalWatch&) = delete;

private:
    static gboolean on_signal(gpointer watch);

    std::function<void()> m_on_signal;
    std::vector<guint> m_sources;
};
