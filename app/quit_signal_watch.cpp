#include "app/quit_signal_watch.h"

#include <glib-unix.h>

#include <csignal>

QuitSignalWatch::QuitSignalWatch(std::function<void()> on_signal) : m_on_signal(std::move(on_signal))
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        m_sources.push_back(g_unix_signal_add(signal, &QuitSignalWatch::on_signal, this));
    }
}

QuitSignalWatch::~QuitSignalWatch()
{
    for (guint source : m_sources) {
        g_source_remove(source);
    }
}

gboolean QuitSignalWatch::on_signal(gpointer watch)
{
    static_cast<QuitSignalWatch*>(watch)->m_on_signal();
    return G_SOURCE_CONTINUE;
}
