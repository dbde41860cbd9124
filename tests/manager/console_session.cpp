#include "tests/manager/console_session.h"

#include "tests/support/peer_programs.h"
#include "tests/support/process_group.h"
#include "tests/support/test_time.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane_test {

namespace {

const std::string console_program = std::string(TORVANE_BINARY_DIR) + "/tools/manager-console/manager-console";

}

ConsoleSession::Clock::time_point ConsoleSession::deadline_after(Seconds plain)
{
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(plain * time_factor());
}

ConsoleSession::ConsoleSession(const std::map<std::string, std::string>& environment)
    : m_dir(make_temp_dir("torvane-console")), m_pid(-1), m_input(-1), m_output(-1), m_output_ended(false),
      m_status(-1), m_reaped(false)
{
    // Built before the fork: the child only calls what is safe after it.
    std::vector<std::string> texts;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (environment.count(text.substr(0, text.find('='))) == 0) {
            texts.push_back(text);
        }
    }
    for (const auto& [name, value] : environment) {
        texts.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& text : texts) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);
    int to_console[2];
    int from_console[2];
    if (pipe2(to_console, O_CLOEXEC) != 0 || pipe2(from_console, O_CLOEXEC) != 0) {
        throw std::runtime_error("ConsoleSession: pipe failed");
    }
    m_pid = fork();
    if (m_pid < 0) {
        throw std::runtime_error("ConsoleSession: fork failed");
    }
    if (m_pid == 0) {
        dup2(to_console[0], STDIN_FILENO);
        dup2(from_console[1], STDOUT_FILENO);
        if (chdir(m_dir.c_str()) != 0) {
            _exit(126);
        }
        char* argv[] = {const_cast<char*>(console_program.c_str()), nullptr};
        execve(console_program.c_str(), argv, envp.data());
        _exit(127);
    }
    close(to_console[0]);
    close(from_console[1]);
    m_input = to_console[1];
    m_output = from_console[0];
    // A test that stops early must not die of a write to an ended console.
    std::signal(SIGPIPE, SIG_IGN);
}

ConsoleSession::~ConsoleSession()
{
    // The end of its input makes the console quit its engines; some engines
    // outlive a console that is killed.
    close_input();
    if (!m_reaped && wait_exit(Seconds(10)) < 0) {
        kill_hard();
    }
    if (m_input >= 0) {
        close(m_input);
    }
    close(m_output);
    std::error_code error;
    std::filesystem::remove_all(m_dir, error);
}

void ConsoleSession::send(const std::string& line)
{
    const std::string bytes = line + "\n";
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t count = write(m_input, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            throw std::runtime_error("ConsoleSession: the console no longer reads its input");
        }
        done += static_cast<std::size_t>(count);
    }
}

void ConsoleSession::close_input()
{
    if (m_input >= 0) {
        close(m_input);
        m_input = -1;
    }
}

bool ConsoleSession::fill(Seconds timeout)
{
    if (m_output_ended) {
        return false;
    }
    pollfd output{m_output, POLLIN, 0};
    int ready = poll(&output, 1, static_cast<int>(timeout.count() * 1000));
    if (ready <= 0) {
        return false;
    }
    char buffer[65536];
    ssize_t count = read(m_output, buffer, sizeof buffer);
    if (count <= 0) {
        m_output_ended = true;
        return false;
    }
    m_buffer.append(buffer, static_cast<std::size_t>(count));
    return true;
}

std::string ConsoleSession::next_line(Seconds timeout)
{
    return next_line_by(deadline_after(timeout));
}

std::string ConsoleSession::next_line_by(Clock::time_point deadline)
{
    for (;;) {
        std::size_t end = m_buffer.find('\n');
        if (end != std::string::npos) {
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return line;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero() || m_output_ended) {
            throw std::runtime_error(m_output_ended ? "ConsoleSession: the console's output ended"
                                                    : "ConsoleSession: no line within the time");
        }
        fill(std::chrono::duration_cast<Seconds>(left));
    }
}

std::vector<std::string> ConsoleSession::lines_until(const std::function<bool(const std::string&)>& done,
                                                     Seconds timeout)
{
    const auto deadline = deadline_after(timeout);
    std::vector<std::string> lines;
    for (;;) {
        try {
            lines.push_back(next_line_by(deadline));
        } catch (const std::runtime_error& error) {
            std::string seen;
            for (const std::string& line : lines) {
                seen += "\n  " + line;
            }
            throw std::runtime_error(std::string(error.what()) + "; lines so far:" + seen);
        }
        if (done(lines.back())) {
            return lines;
        }
    }
}

std::vector<std::string> ConsoleSession::lines_until(const std::string& line, Seconds timeout)
{
    return lines_until([&line](const std::string& seen) { return seen == line; }, timeout);
}

std::vector<std::string> ConsoleSession::lines_for(Seconds time)
{
    const auto deadline = deadline_after(time);
    std::vector<std::string> lines;
    while (Clock::now() < deadline) {
        try {
            lines.push_back(next_line_by(deadline));
        } catch (const std::runtime_error&) {
            return lines;
        }
    }
    return lines;
}

int ConsoleSession::wait_exit(Seconds timeout)
{
    const auto deadline = deadline_after(timeout);
    while (!m_reaped) {
        int status = 0;
        pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_reaped = true;
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (Clock::now() >= deadline) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return m_status;
}

void ConsoleSession::kill_hard()
{
    if (m_reaped) {
        return;
    }
    ::kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_reaped = true;
    m_status = 128 + SIGKILL;
}

std::vector<pid_t> ConsoleSession::children() const { return child_processes(m_pid); }

bool ConsoleSession::process_alive(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) {
        return false;
    }
    std::size_t close = text.rfind(')');
    return close != std::string::npos && text.find(" Z ", close) != close + 1;
}

std::string ConsoleSession::read_file(const std::string& name) const
{
    std::ifstream in(m_dir + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ConsoleSession::write_file(const std::string& name, const std::string& text) const
{
    const std::filesystem::path path = m_dir + "/" + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ConsoleSession::fake_engine(const std::string& name) { return std::string(FAKE_ENGINE_DIR) + "/" + name; }

}
