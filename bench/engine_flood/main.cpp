// Runs manager-console with the fake engine in its flood mode, reads and
// discards everything the console prints, and reports for each case the
// console's peak resident memory (VmHWM) after the flood time, the time from
// "0 quit" to the console's "quit" line and to its exit.
//
// Usage: engine_flood_bench [SECONDS]   (default 6)
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
    std::string name;
    std::vector<std::string> commands;
};

struct Figures {
    long peak_kib = -1;
    double quit_answered_ms = -1;
    double exited_ms = -1;
};

long peak_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

double ms_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Reads what the console prints for up to the time given; true once a line
// "quit" has been seen.
bool drain(int output, std::string& tail, std::chrono::milliseconds time)
{
    const auto deadline = Clock::now() + time;
    char buffer[65536];
    while (Clock::now() < deadline) {
        pollfd ready{output, POLLIN, 0};
        if (poll(&ready, 1, 20) <= 0) {
            continue;
        }
        const ssize_t n = read(output, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        tail.append(buffer, static_cast<std::size_t>(n));
        if (("\n" + tail).find("\nquit\n") != std::string::npos) {
            return true;
        }
        const std::size_t last_line = tail.rfind('\n');
        if (last_line != std::string::npos) {
            tail.erase(0, last_line + 1);
        }
    }
    return false;
}

Figures run(const Case& flood_case, std::chrono::seconds flood_time)
{
    int input[2];
    int output[2];
    if (pipe(input) != 0 || pipe(output) != 0) {
        throw std::runtime_error("engine_flood_bench: pipe failed");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(input[0], STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        close(input[1]);
        close(output[0]);
        execl(MANAGER_CONSOLE, MANAGER_CONSOLE, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    const auto send = [&](const std::string& line) {
        const std::string bytes = line + "\n";
        if (write(input[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("engine_flood_bench: write to the console failed");
        }
    };
    std::string tail;
    for (const std::string& command : flood_case.commands) {
        send(command);
    }
    drain(output[0], tail, flood_time);
    Figures figures;
    figures.peak_kib = peak_kib(pid);
    const auto quit_sent = Clock::now();
    send("0 quit");
    if (drain(output[0], tail, std::chrono::seconds(120))) {
        figures.quit_answered_ms = ms_since(quit_sent);
    }
    close(input[1]);
    int status = 0;
    const auto give_up = Clock::now() + std::chrono::seconds(60);
    char buffer[65536];
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > give_up) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            close(output[0]);
            return figures;
        }
        // Keep the pipe empty so that the console can finish its writes.
        pollfd ready{output[0], POLLIN, 0};
        if (poll(&ready, 1, 5) > 0 && read(output[0], buffer, sizeof buffer) <= 0) {
            usleep(1000);
        }
    }
    figures.exited_ms = ms_since(quit_sent);
    close(output[0]);
    return figures;
}

}

int main(int argc, char** argv)
{
    const std::chrono::seconds flood_time(argc > 1 ? std::atoi(argv[1]) : 6);
    const std::string engine = std::string(FAKE_ENGINE_DIR) + "/fake_engine_flood";
    // The console makes its per-user directory in the working directory.
    const auto dir = std::filesystem::temp_directory_path() / ("engine_flood_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    setenv("TORVANE_FAKE_MODE", "legal", 1);

    const std::vector<Case> cases = {
        {"idle after its move", {"0 load 1 filename " + engine, "0 level fixed_depth 1", "0 human_computer",
                                 "0 usermove e2e4"}},
        {"analysing", {"0 load 1 filename " + engine, "0 analyzeposition"}},
    };
    std::cout << "flood time " << flood_time.count() << " s\n";
    for (const Case& flood_case : cases) {
        const Figures figures = run(flood_case, flood_time);
        std::cout << std::fixed << std::setprecision(0) << std::left << std::setw(22) << flood_case.name
                  << "  peak memory " << std::setw(8) << figures.peak_kib / 1024.0 << " MiB"
                  << "  quit answered after " << std::setw(7) << figures.quit_answered_ms << " ms"
                  << "  exited after " << figures.exited_ms << " ms" << std::endl;
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return 0;
}
