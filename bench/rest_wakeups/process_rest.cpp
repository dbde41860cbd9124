#include "process_rest.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string task_dir(pid_t pid) { return "/proc/" + std::to_string(pid) + "/task"; }

long switches_in(const std::string& status_path)
{
    std::ifstream status(status_path);
    long total = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            total += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return total;
}

std::map<pid_t, long> switches_of_threads(pid_t pid)
{
    std::map<pid_t, long> switches;
    std::error_code gone;
    for (const auto& task : std::filesystem::directory_iterator(task_dir(pid), gone)) {
        switches[std::stoi(task.path().filename().string())] = switches_in(task.path().string() + "/status");
    }
    return switches;
}

// The fields of /proc/<pid>/stat after the program's name, from the state on.
std::vector<std::string> stat_fields(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t name_end = text.rfind(')');
    std::vector<std::string> fields;
    if (name_end == std::string::npos) {
        return fields;
    }
    std::istringstream words(text.substr(name_end + 1));
    for (std::string word; words >> word;) {
        fields.push_back(word);
    }
    return fields;
}

std::string program_name(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

std::vector<pid_t> children_of(pid_t pid)
{
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::vector<std::string> fields = stat_fields(std::stoi(name));
        // After the state comes the parent's id.
        if (fields.size() > 1 && std::stoi(fields[1]) == pid) {
            children.push_back(std::stoi(name));
        }
    }
    return children;
}

// The system call a sleeping thread waits in, by the names of the few that
// the program's threads sleep in.
std::string sleeping_call(pid_t pid, pid_t thread)
{
    std::ifstream in(task_dir(pid) + "/" + std::to_string(thread) + "/syscall");
    std::string number;
    in >> number;
    static const std::map<std::string, std::string> names = {
        {"0", "read"},   {"7", "poll"},           {"23", "select"},          {"35", "nanosleep"},
        {"61", "wait4"}, {"202", "futex"},        {"230", "clock_nanosleep"}, {"232", "epoll_wait"},
        {"271", "ppoll"}, {"281", "epoll_pwait"}, {"running", "running"}};
    const auto found = names.find(number);
    return found != names.end() ? found->second : number.empty() ? "?" : "syscall " + number;
}

}

ProcessCounts read_counts(pid_t pid)
{
    ProcessCounts counts;
    counts.thread_switches = switches_of_threads(pid);
    const std::vector<std::string> fields = stat_fields(pid);
    // User and system time are the 14th and 15th fields; the state is the third.
    if (fields.size() > 12) {
        counts.cpu_ticks = std::stol(fields[11]) + std::stol(fields[12]);
    }
    for (pid_t child : children_of(pid)) {
        for (const auto& [thread, switches] : switches_of_threads(child)) {
            counts.children_switches += switches;
        }
    }
    return counts;
}

ProcessRest rest_between(pid_t pid, const ProcessCounts& before, const ProcessCounts& after, double seconds)
{
    ProcessRest rest;
    long total = 0;
    for (const auto& [thread, switches] : after.thread_switches) {
        const auto earlier = before.thread_switches.find(thread);
        const long woken = switches - (earlier != before.thread_switches.end() ? earlier->second : 0);
        total += woken;
        // This program's own main thread is the one reading the counts.
        const std::string sleeps_in = thread == getpid() ? "" : sleeping_call(pid, thread);
        const ThreadRest figures{thread, woken / seconds,
                                 thread != pid ? sleeps_in : sleeps_in.empty() ? "main" : "main, " + sleeps_in};
        if (thread == pid) {
            rest.threads.insert(rest.threads.begin(), figures);
        } else {
            rest.threads.push_back(figures);
        }
    }
    rest.wakeups_per_second = total / seconds;
    rest.cpu_ms_per_second = (after.cpu_ticks - before.cpu_ticks) * 1000.0 / sysconf(_SC_CLK_TCK) / seconds;
    rest.children_wakeups_per_second = (after.children_switches - before.children_switches) / seconds;
    return rest;
}

std::vector<pid_t> children_named(pid_t pid, const std::string& name)
{
    std::vector<pid_t> named;
    for (pid_t child : children_of(pid)) {
        if (program_name(child) == name) {
            named.push_back(child);
        }
    }
    return named;
}
