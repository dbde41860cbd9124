#include "tests/support/peer_programs.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace torvane_test {

namespace {

// The directories made for a test program; when the program ends they go with
// everything in them, whether or not the test that made one removed it.
class MadeDirectories {
public:
    MadeDirectories() = default;
    MadeDirectories(const MadeDirectories&) = delete;
    MadeDirectories& operator=(const MadeDirectories&) = delete;

    ~MadeDirectories()
    {
        for (const std::string& dir : m_dirs) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    }

    void add(const std::string& dir)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_dirs.push_back(dir);
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_dirs;
};

MadeDirectories& made_directories()
{
    static MadeDirectories dirs;
    return dirs;
}

}

std::string peer_program(const std::string& name)
{
    const std::string wrapper = TORVANE_BINARY_DIR "/tests/engines/peer_wrappers/" + name;
    for (const char* dir : {"/usr/games/", "/usr/bin/", "/usr/local/bin/", "/usr/local/games/"}) {
        std::string path = std::string(dir) + name;
        if (access(path.c_str(), X_OK) == 0)
            return access(wrapper.c_str(), X_OK) == 0 ? wrapper : path;
    }
    throw std::runtime_error("peer program not installed: " + name + " (run scripts/setup)");
}

std::string quoted(const std::string& text)
{
    std::string word = "'";
    for (char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

std::string run_command(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot start: " + command);
    std::string output;
    std::array<char, 65536> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), count);
    int status = pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("command failed: " + command);
    return output;
}

std::string make_temp_dir(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    made_directories().add(pattern);
    return pattern;
}

}
