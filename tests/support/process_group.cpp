#include "tests/support/process_group.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace torvane_test {

bool process_group_running(pid_t group)
{
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        std::getline(stat, text);
        // "pid (command) state ppid pgrp ...": the command may hold blanks.
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream fields(text.substr(close + 1));
        char state = 'Z';
        pid_t parent = 0;
        pid_t process_group = 0;
        fields >> state >> parent >> process_group;
        if (fields && process_group == group && state != 'Z') {
            return true;
        }
    }
    return false;
}

}
