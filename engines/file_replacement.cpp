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

// Creates a file of a fresh hidden name in the directory and returns its
// descriptor, or -1. It is asked for with mode 0666, so that the kernel
// leaves what the user's umask allows, as for a file of any other program.
int create_temporary(const std::string& directory, std::string& name)
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
    for (int attempt = 0; attempt < name_attempts; ++attempt) {
        name = directory + ".save.tmp";
        for (int i = 0; i < 6; ++i) {
            name += letters[letter(random)];
        }
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
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
    std::string name;
    int fd = create_temporary(directory_of(path), name);
    if (fd < 0) {
        return FileReplacement::open_failed;
    }
    const std::optional<mode_t> kept_mode = replaced_mode(path);
    bool written = (!kept_mode || ::fchmod(fd, *kept_mode) == 0) && write_all(fd, text) && ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        remove_keeping_reason(name);
        return FileReplacement::write_failed;
    }
    temporary = name;
    return FileReplacement::done;
}

FileReplacement replace_file(const std::string& path, const std::string& text)
{
    const std::string target = replacement_target(path);
    std::string temporary;
    FileReplacement outcome = write_temporary_beside(target, text, temporary);
    if (outcome != FileReplacement::done) {
        return outcome;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        remove_keeping_reason(temporary);
        return FileReplacement::write_failed;
    }
    return FileReplacement::done;
}
