#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace torvane_test {

// One run of the manager-console program in a scratch directory of its own,
// driven through its standard input and read back line by line from its
// standard output, as people and scripts use it.
class ConsoleSession {
public:
    using Seconds = std::chrono::duration<double>;
    using Clock = std::chrono::steady_clock;

    // Starts the console in a fresh temporary directory; environment holds
    // variables added to the console's (and so its engines') environment.
    explicit ConsoleSession(const std::map<std::string, std::string>& environment = {});
    // Closes the console's input, waits for it to quit (kills it after ten
    // seconds, scaled) and removes the directory.
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    const std::string& dir() const { return m_dir; }
    pid_t pid() const { return m_pid; }

    // Every time below is given for a plain build on an idle machine and
    // scaled here (tests/support/test_time.h).
    // Types one line (a line feed is added).
    void send(const std::string& line);
    void close_input();
    // The next output line; throws std::runtime_error after the timeout or
    // at the end of the output.
    std::string next_line(Seconds timeout = Seconds(30));
    // Every line up to and including the first for which done is true.
    std::vector<std::string> lines_until(const std::function<bool(const std::string&)>& done,
                                         Seconds timeout = Seconds(30));
    // Every line up to and including the first one equal to line.
    std::vector<std::string> lines_until(const std::string& line, Seconds timeout = Seconds(30));
    // The lines that arrive within the time, without waiting longer.
    std::vector<std::string> lines_for(Seconds time);
    // Waits for the console to end; its exit status, or -1 after the timeout.
    int wait_exit(Seconds timeout = Seconds(30));
    // Sends SIGKILL and reaps the console.
    void kill_hard();

    // The processes whose parent is the console (its engines).
    std::vector<pid_t> children() const;
    // Whether a process with that id still exists (a zombie counts as gone).
    static bool process_alive(pid_t pid);

    // A file of the scratch directory, read whole; "" when missing.
    std::string read_file(const std::string& name) const;
    // Writes a file of the scratch directory, making its folders.
    void write_file(const std::string& name, const std::string& text) const;

    // The path of a fake engine program ("fake_engine", "fake_engine_MODE").
    static std::string fake_engine(const std::string& name = "fake_engine");

private:
    static Clock::time_point deadline_after(Seconds plain);
    std::string next_line_by(Clock::time_point deadline);
    bool fill(Seconds timeout);

    std::string m_dir;
    pid_t m_pid;
    int m_input;
    int m_output;
    std::string m_buffer;
    bool m_output_ended;
    int m_status;
    bool m_reaped;
};

}
