#pragma once

#include <string>

namespace torvane_test {

// Moves the process into a fresh temporary directory for the life of the
// object, so that per-user files land there and never in a real home.
class TempWorkingDir {
public:
    TempWorkingDir();
    ~TempWorkingDir();
    TempWorkingDir(const TempWorkingDir&) = delete;
    TempWorkingDir& operator=(const TempWorkingDir&) = delete;

    const std::string& path() const { return m_path; }
    // Reads a whole file, "" when it cannot be read.
    static std::string read_file(const std::string& path);
    static void write_file(const std::string& path, const std::string& text);

private:
    std::string m_previous;
    std::string m_path;
};

}
