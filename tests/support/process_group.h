#pragma once

#include <sys/types.h>

namespace torvane_test {

// Whether a process of the group is still running (zombies, which only wait
// to be reaped, do not count).
bool process_group_running(pid_t group);

}
