#include "engines/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes the whole text to the descriptor; false on any failure.
bool write_all(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string directory_of(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The permissions of the file being replaced, so that a private file stays
// private and an executable one executable; none when there is no such file.
std::optional<mode_t> replaced_mode(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return status.st_mode & 07777;
    }
    return std::nullopt;
}

// Tries this many random names before giving up on a directory.
constexpr int name_attempts = 100;

// A temporary file's name: this start, then this many letters of these.
constexpr char temporary_start[] = ".save.tmp";
constexpr std::size_t temporary_letters = 6;
constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A lock of the whole file, of the kind given (F_WRLCK, F_RDLCK), on the
// open file description of fd, without waiting. An open file description
// lock lasts while any descriptor of that description is open, so a dup of
// fd keeps it after fd is closed, and no other program's lock can be taken
// against it, whatever the process.
bool lock_whole_file(int fd, short kind)
{
    struct flock lock {};
    lock.l_type = kind;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// Creates a file of a fresh hidden name in the directory and returns its
// descriptor, locked for writing, or -1. It is asked for with mode 0666, so
// that the kernel leaves what the user's umask allows, as for a file of any
// other program. The lock tells remove_left_over_temporaries that the file
// is in use: a file removed by it before the lock was taken is given up.
int create_temporary(const std::string& directory, std::string& name)
{
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
    for (int attempt = 0; attempt < name_attempts; ++attempt) {
        name = directory + temporary_start;
        for (std::size_t i = 0; i < temporary_letters; ++i) {
            name += letters[letter(random)];
        }
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
        if (fd < 0) {
            continue;
        }
        struct stat status {};
        if (lock_whole_file(fd, F_WRLCK) && ::fstat(fd, &status) == 0 && status.st_nlink > 0) {
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

// Whether a directory entry has the name of a temporary file of this program.
bool is_temporary_name(const std::string& name)
{
    const std::string start = temporary_start;
    return name.size() == start.size() + temporary_letters && name.compare(0, start.size(), start) == 0 &&
           name.find_first_not_of(letters, start.size()) == std::string::npos;
}

// Removes a temporary file that is not wanted any more; errno keeps the
// reason of the failure that made it so.
void remove_keeping_reason(const std::string& name)
{
    const int reason = errno;
    std::remove(name.c_str());
    errno = reason;
}

// Far more links than any real chain; a loop of links stops here.
constexpr int max_links_followed = 40;

// write_temporary_beside, the file's lock then still held by the descriptor
// returned in holder (-1 when it failed), which the caller closes.
FileReplacement write_held_temporary(const std::string& path, const std::string& text, std::string& temporary,
                                     int& holder)
{
    holder = -1;
    std::string name;
    int fd = create_temporary(directory_of(path), name);
    if (fd < 0) {
        return FileReplacement::open_failed;
    }
    const int held = ::dup(fd);
    const std::optional<mode_t> kept_mode = replaced_mode(path);
    bool written = held >= 0 && (!kept_mode || ::fchmod(fd, *kept_mode) == 0) && write_all(fd, text) &&
                   ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        remove_keeping_reason(name);
        const int reason = errno;
        if (held >= 0) {
            ::close(held);
        }
        errno = reason;
        return FileReplacement::write_failed;
    }
    temporary = name;
    holder = held;
    return FileReplacement::done;
}

}

std::string replacement_target(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    for (int followed = 0; followed < max_links_followed; ++followed) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) {
            break;
        }
        const fs::path link = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target.string();
}

FileReplacement write_temporary_beside(const std::string& path, const std::string& text, std::string& temporary)
{
    int holder = -1;
    const FileReplacement outcome = write_held_temporary(path, text, temporary, holder);
    if (holder >= 0) {
        ::close(holder);
    }
    return outcome;
}

FileReplacement replace_file(const std::string& path, const std::string& text)
{
    const std::string target = replacement_target(path);
    std::string temporary;
    int holder = -1;
    FileReplacement outcome = write_held_temporary(target, text, temporary, holder);
    if (outcome != FileReplacement::done) {
        return outcome;
    }
    // Held until it has its final name, so that no other program takes it
    // for a left-over meanwhile.
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        remove_keeping_reason(temporary);
        outcome = FileReplacement::write_failed;
    }
    const int reason = errno;
    ::close(holder);
    errno = reason;
    return outcome;
}

void remove_left_over_temporaries(const std::string& directory)
{
    std::error_code error;
    std::filesystem::directory_iterator entry(directory.empty() ? "." : directory, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (!is_temporary_name(entry->path().filename().string())) {
            continue;
        }
        const std::string name = entry->path().string();
        const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        // A writer holds its file locked until it is renamed; a file that
        // can be locked has none. It goes only while it is the file locked.
        struct stat opened {};
        struct stat named {};
        if (lock_whole_file(fd, F_RDLCK) && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::lstat(name.c_str(), &named) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            ::unlink(name.c_str());
        }
        ::close(fd);
    }
}
