#include "manager/tournament_lock.h"

#include "engines/system_reason.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <unistd.h>

namespace {

// The tournaments this program holds: the lock of another object here would
// look like another program's to the system.
std::mutex held_here_mutex;
std::set<std::string> held_here;

bool is_held_here(const std::string& trn_path)
{
    std::lock_guard lock(held_here_mutex);
    return held_here.count(trn_path) != 0;
}

// A write lock on the whole file. Open file description locks belong to the
// open file, not to the process: they are let go when the last descriptor of
// it is closed, and a descriptor opened elsewhere in the same program (to
// test the lock) does not let go of them when it is closed.
struct flock whole_file()
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

}

TournamentLock::~TournamentLock() { release(); }

std::string TournamentLock::lock_path(const std::string& trn_path)
{
    const std::size_t name = trn_path.rfind('/') + 1;
    return trn_path.substr(0, name) + "." + trn_path.substr(name) + ".lock";
}

TournamentLock::Claim TournamentLock::claim(const std::string& trn_path)
{
    if (m_descriptor >= 0 && m_held == trn_path) {
        return Claim::held;
    }
    release();
    // Close-on-exec: an engine started meanwhile must not keep the lock
    // after this program has ended.
    const std::string path = lock_path(trn_path);
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        const int error = errno;
        // A lock file that is there cannot be opened; one that is not cannot
        // be made in its folder.
        if (::access(path.c_str(), F_OK) == 0) {
            m_fault = "the lock file " + path + " cannot be opened: " + system_reason(error);
        } else {
            m_fault = "the lock file " + path + " cannot be made in the folder " +
                      path.substr(0, path.rfind('/') + 1) + ": " + system_reason(error);
        }
        return Claim::failed;
    }
    struct flock lock = whole_file();
    if (::fcntl(descriptor, F_OFD_SETLK, &lock) != 0) {
        const int error = errno;
        ::close(descriptor);
        if (error == EAGAIN || error == EACCES) {
            return Claim::held_elsewhere;
        }
        m_fault = "the lock file " + path + " cannot be locked: " + system_reason(error);
        return Claim::failed;
    }
    m_descriptor = descriptor;
    m_held = trn_path;
    std::lock_guard guard(held_here_mutex);
    held_here.insert(trn_path);
    return Claim::held;
}

void TournamentLock::release()
{
    if (m_descriptor < 0) {
        return;
    }
    {
        std::lock_guard guard(held_here_mutex);
        held_here.erase(m_held);
    }
    ::close(m_descriptor);
    m_descriptor = -1;
    m_held.clear();
}

bool TournamentLock::held_elsewhere(const std::string& trn_path)
{
    if (is_held_here(trn_path)) {
        return false;
    }
    // No lock file: no program has ever held the tournament here.
    const int descriptor = ::open(lock_path(trn_path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct flock lock = whole_file();
    const bool tested = ::fcntl(descriptor, F_OFD_GETLK, &lock) == 0;
    ::close(descriptor);
    // A hold taken here meanwhile is this program's own.
    return tested && lock.l_type != F_UNLCK && !is_held_here(trn_path);
}
