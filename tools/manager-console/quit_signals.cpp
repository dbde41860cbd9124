#include "tools/manager-console/quit_signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int quit_signals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the handler; -1 while no QuitSignals lives.
volatile sig_atomic_t g_write_end = -1;

void note_signal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already says that a signal came.
    const ssize_t written = write(g_write_end, &byte, 1);
    (void)written;
    errno = saved;
}

}

QuitSignals::QuitSignals()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error(std::string("QuitSignals: no pipe: ") + std::strerror(errno));
    }
    m_read_end = ends[0];
    m_write_end = ends[1];
    g_write_end = m_write_end;
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : quit_signals) {
        sigaction(signal, &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    for (int signal : quit_signals) {
        std::signal(signal, SIG_DFL);
    }
    g_write_end = -1;
    close(m_read_end);
    close(m_write_end);
}

bool QuitSignals::take()
{
    bool taken = false;
    char bytes[64];
    while (read(m_read_end, bytes, sizeof bytes) > 0) {
        taken = true;
    }
    return taken;
}
