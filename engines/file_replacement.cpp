#include "engines/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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
    bool written = ::fchmod(fd, 0644) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
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
    std::string temporary;
    FileReplacement outcome = write_temporary_beside(path, text, temporary);
    if (outcome != FileReplacement::done) {
        return outcome;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return FileReplacement::write_failed;
    }
    return FileReplacement::done;
}
