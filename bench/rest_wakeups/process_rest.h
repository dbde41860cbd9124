#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// What the kernel counts of a process and its children at one moment: each
// thread's context switches (voluntary and not: every wake-up ends in one),
// the CPU time of the process, and the switches of its child processes (the
// engines) together.
struct ProcessCounts {
    std::map<pid_t, long> thread_switches;
    long cpu_ticks = 0;
    long children_switches = 0;
};

ProcessCounts read_counts(pid_t pid);

// One thread's wake-ups over a rest, with the system call it sleeps in
// ("main" first for the main thread).
struct ThreadRest {
    pid_t thread;
    double per_second;
    std::string sleeps_in;
};

// Wake-ups and CPU of a process over a rest, from its counts before and after.
struct ProcessRest {
    double wakeups_per_second = 0;
    double cpu_ms_per_second = 0;
    double children_wakeups_per_second = 0;
    std::vector<ThreadRest> threads;
};

// Threads that began during the rest count from zero; threads that ended
// are left out.
ProcessRest rest_between(pid_t pid, const ProcessCounts& before, const ProcessCounts& after, double seconds);

// The children of the process (of any of its threads) whose program has this name.
std::vector<pid_t> children_named(pid_t pid, const std::string& name);
