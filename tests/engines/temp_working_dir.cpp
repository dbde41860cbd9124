#include "tests/engines/temp_working_dir.h"

#include "tests/support/peer_programs.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace torvane_test {

TempWorkingDir::TempWorkingDir()
    : m_previous(std::filesystem::current_path().string()), m_path(make_temp_dir("torvane-loading"))
{
    std::filesystem::current_path(m_path);
}

TempWorkingDir::~TempWorkingDir()
{
    std::error_code error;
    std::filesystem::current_path(m_previous, error);
    std::filesystem::remove_all(m_path, error);
}

std::string TempWorkingDir::read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TempWorkingDir::write_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}
