#pragma once

#include <sys/types.h>

#include <vector>

namespace torvane_test {

// Whether a process of the group is still running (zombies, which only wait
// to be reaped, do not count).
bool process_group_running(pid_t group);
// The processes whose parent is the given one, zombies included.
std::vector<pid_t> child_processes(pid_t parent);

}
