#include "engines/home_dir.h"

#include <filesystem>
#include <stdexcept>

namespace {

// The component of an absolute path at the given position (0 the first),
// empty when the path has fewer; empty components ("//") are skipped.
std::string component(const std::string& path, int index)
{
    std::size_t begin = 0;
    int found = -1;
    while (begin < path.size()) {
        while (begin < path.size() && path[begin] == '/') {
            ++begin;
        }
        std::size_t end = path.find('/', begin);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > begin && ++found == index) {
            return path.substr(begin, end - begin);
        }
        begin = end;
    }
    return "";
}

// Creates the directory unless something exists under that name already.
void create_if_missing(const std::string& directory, const char* error_text)
{
    if (std::filesystem::exists(directory)) {
        return;
    }
    if (!std::filesystem::create_directory(directory)) {
        throw std::runtime_error(error_text);
    }
}

}

std::string HomeDir::directory_for(const std::string& working_directory)
{
    if (component(working_directory, 0) != "home") {
        return "./";
    }
    return "/home/" + component(working_directory, 1) + "/.torvanechess/";
}

HomeDir::HomeDir()
{
    std::string path = directory_for(std::filesystem::current_path().string());
    create_if_missing(path, "HomeDir() constructor failed");
    create_if_missing(path + "tournaments/", "HomeDir/tournaments constructor failed");
    m_path = path;
}
