#include "engines/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// The permissions the new contents get: those of the file being replaced,
// so that a private file stays private and an executable one executable.
mode_t mode_for(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return status.st_mode & 07777;
    }
    return 0644;
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
    std::string pattern = directory_of(path) + ".save.tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return FileReplacement::open_failed;
    }
    bool written = ::fchmod(fd, mode_for(path)) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        std::remove(name.data());
        return FileReplacement::write_failed;
    }
    temporary = name.data();
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
        std::remove(temporary.c_str());
        return FileReplacement::write_failed;
    }
    return FileReplacement::done;
}
