#include "tests/support/process_group.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace torvane_test {

namespace {

struct ProcessStat {
    pid_t pid;
    char state;
    pid_t parent;
    pid_t group;
};

// Every process the system lists now.
std::vector<ProcessStat> processes()
{
    std::vector<ProcessStat> found;
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
        ProcessStat process{static_cast<pid_t>(std::stol(name)), 'Z', 0, 0};
        fields >> process.state >> process.parent >> process.group;
        if (fields) {
            found.push_back(process);
        }
    }
    return found;
}

}

bool process_group_running(pid_t group)
{
    for (const ProcessStat& process : processes()) {
        if (process.group == group && process.state != 'Z') {
            return true;
        }
    }
    return false;
}

std::vector<pid_t> child_processes(pid_t parent)
{
    std::vector<pid_t> found;
    for (const ProcessStat& process : processes()) {
        if (process.parent == parent) {
            found.push_back(process.pid);
        }
    }
    return found;
}

}
