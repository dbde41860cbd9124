#include "engines/wakeup_event.h"

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

WakeupEvent::~WakeupEvent() { close(); }

bool WakeupEvent::open()
{
    close();
    m_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return m_fd >= 0;
}

void WakeupEvent::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void WakeupEvent::signal()
{
    if (m_fd < 0) {
        return;
    }
    const std::uint64_t one = 1;
    // The counter cannot fill up from a handful of signals, so a write fails
    // only when interrupted.
    while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WakeupEvent::clear()
{
    if (m_fd < 0) {
        return;
    }
    std::uint64_t count = 0;
    while (::read(m_fd, &count, sizeof count) < 0 && errno == EINTR) {
    }
}
