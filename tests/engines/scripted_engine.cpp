#include "tests/engines/scripted_engine.h"
#include "tests/support/test_time.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <fstream>
#include <sstream>

namespace torvane_test {

std::string write_scripted_engine(const std::string& directory, const std::string& name,
                                  const std::string& case_branches)
{
    std::string path = directory + "/" + name;
    {
        std::ofstream script(path);
        script << "#!/bin/sh\n"
               << "while IFS= read -r l; do\n"
               << "  printf '%s\\n' \"$l\" >> '" << path << ".in'\n"
               << "  case \"$l\" in\n"
               << case_branches << "\n"
               << "    quit) exit 0 ;;\n"
               << "  esac\n"
               << "done\n";
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    return path;
}

namespace {

template <typename Complete>
std::string input_once(const std::string& path, Complete complete)
{
    auto deadline = std::chrono::steady_clock::now() + torvane_test::scaled(std::chrono::seconds(5));
    for (;;) {
        std::ifstream in(path + ".in");
        std::ostringstream text;
        text << in.rdbuf();
        std::string input = text.str();
        if (complete(input) || std::chrono::steady_clock::now() >= deadline) {
            return input;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}

std::string scripted_engine_input(const std::string& path, std::size_t min_lines)
{
    return input_once(path, [min_lines](const std::string& input) {
        return static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) >= min_lines;
    });
}

std::string scripted_engine_input_ending(const std::string& path, const std::string& last_line)
{
    const std::string ending = last_line + "\n";
    return input_once(path, [&ending](const std::string& input) { return input.ends_with(ending); });
}

}
