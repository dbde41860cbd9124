#include "engines/engio.h"

#include "engines/line_splitter.h"
#include "engines/log_line.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <glib/gstdio.h>
#include <iostream>
#include <poll.h>
#include <pthread.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t read_chunk = 32768;
constexpr std::size_t max_path_size = 999;
// How long quit lets the reader drain the output of an exited engine.
constexpr std::chrono::milliseconds drain_timeout{1000};
// How long a terminated engine gets before it is killed.
constexpr std::chrono::milliseconds terminate_timeout{500};

// Keeps a write to a closed pipe from ending the program: SIGPIPE is blocked
// in this thread for the guard's life, and one that our write raised is taken
// back before the old mask returns. Children are unaffected.
class BrokenPipeGuard {
public:
    BrokenPipeGuard()
    {
        sigemptyset(&m_pipe_set);
        sigaddset(&m_pipe_set, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe_set, &m_old_mask);
        sigset_t pending;
        sigpending(&pending);
        m_was_pending = sigismember(&pending, SIGPIPE) == 1;
    }

    ~BrokenPipeGuard()
    {
        if (m_raised && !m_was_pending) {
            timespec no_wait{0, 0};
            while (sigtimedwait(&m_pipe_set, nullptr, &no_wait) == -1 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_old_mask, nullptr);
    }

    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

    void note_broken_pipe() { m_raised = true; }

private:
    sigset_t m_pipe_set;
    sigset_t m_old_mask;
    bool m_was_pending = false;
    bool m_raised = false;
};

// Runs in the child between fork and exec: the engine leads a process group
// of its own, which quit can end whole (a wrapper script and its engine).
void lead_own_process_group(gpointer) { setpgid(0, 0); }

// Why a spawn failed, as the end of a sentence.
std::string spawn_failure_words(const GError* error)
{
    if (error == nullptr) {
        return "it could not be started";
    }
    if (error->domain == G_SPAWN_ERROR) {
        switch (error->code) {
        case G_SPAWN_ERROR_NOENT:
            return "there is no such file";
        case G_SPAWN_ERROR_ACCES:
        case G_SPAWN_ERROR_PERM:
            return "it may not be run (permission denied)";
        case G_SPAWN_ERROR_ISDIR:
            return "it is a folder";
        case G_SPAWN_ERROR_NOEXEC:
            return "it is not a program";
        default:
            break;
        }
    }
    return std::string("it could not be started: ") + error->message;
}

bool ends_with(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}

Engio::Engio()
    : m_debug(false), m_quit(false), m_crashed(false), m_reader_done(false), m_crlf(false), m_stdin(-1),
      m_stdout(-1), m_pid(0), m_number(0), m_spawned(false), m_lost_at(0), m_wrote_anything(false),
      m_reader_active(false), m_abandon_output(false)
{
}

Engio::~Engio()
{
    // The owner normally quits first; an engine left running would outlive
    // the program as an orphan holding our pipes.
    if (m_spawned) {
        quit();
    }
    close_log();
}

void Engio::set_cvtrio(CVTrio cvt)
{
    std::lock_guard lock(m_cvt_mutex);
    m_cvt = cvt;
}

void Engio::set_number(int number) { m_number = number; }

int Engio::get_number() const { return m_number; }

void Engio::set_debug(bool debug)
{
    m_debug = debug;
    if (debug) {
        open_log("engine" + std::to_string(m_number) + ".log");
    }
}

void Engio::open_log(const std::string& name)
{
    std::lock_guard lock(m_log_mutex);
    m_logfilename = name;
    m_debug = true;
    if (m_log.is_open()) {
        m_log.close();
    }
    m_log.clear();
    m_log.open(name, std::ios::out | std::ios::app);
}

void Engio::reopen_log()
{
    std::string name;
    {
        std::lock_guard lock(m_log_mutex);
        name = m_logfilename;
    }
    if (!name.empty()) {
        open_log(name);
    }
}

void Engio::log(const std::string& message)
{
    if (!m_debug) {
        return;
    }
    std::lock_guard lock(m_log_mutex);
    if (m_log.is_open()) {
        write_log_line(m_log, m_timer.timestamp() + message);
    }
}

void Engio::close_log()
{
    std::lock_guard lock(m_log_mutex);
    if (m_log.is_open()) {
        m_log.close();
    }
}

void Engio::spawn_engine(const std::string& path)
{
    m_crashed = false;
    m_quit = false;
    // quit closed the log of the process before; a new one logs on.
    if (m_debug) {
        reopen_log();
    }
    log("   Engio::spawn_engine(" + path + ")");
    if (m_spawned) {
        throw std::logic_error(
            "Engio::spawn_engine() trying to spawn an engine while a spawned engine already exists");
    }
    m_filename = path;
    m_spawn_error.clear();
    m_end = EngineEnd();
    {
        std::lock_guard lock(m_write_mutex);
        m_last_sent.clear();
    }
    m_wrote_anything = false;
    m_lost_at = 0;
    if (path.size() > max_path_size) {
        log("   Engio::spawn_engine() filename too long   size=" + std::to_string(path.size()));
        m_spawn_error = "its path is too long";
        return;
    }
    m_crlf = path.size() > 4 && ends_with(path, ".exe");
    log(std::string("   Engio::spawn_engine() carriage return ") + (m_crlf ? "true" : "false"));
    if (path.empty() || path.find('\0') != std::string::npos) {
        log("   Engio::spawn_engine(" + path + ")  FAILED");
        log("   no program name");
        m_spawn_error = "it names no program";
        return;
    }

    if (!m_reader_wakeup.open()) {
        const std::string reason = std::strerror(errno);
        log("   Engio::spawn_engine(" + path + ")  FAILED");
        log("   " + reason);
        m_spawn_error = "it could not be started: " + reason;
        return;
    }
    char program[max_path_size + 1];
    std::memcpy(program, path.c_str(), path.size() + 1);
    char* argv[] = {program, nullptr};
    GError* error = nullptr;
    // Our ends of the pipes are close-on-exec: a program started by other
    // means must not hold the engine's input open after quit.
    gboolean ok = g_spawn_async_with_pipes(nullptr, argv, nullptr,
                                           GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_CLOEXEC_PIPES),
                                           lead_own_process_group, nullptr, &m_pid, &m_stdin, &m_stdout, nullptr,
                                           &error);
    if (!ok) {
        log("   Engio::spawn_engine(" + path + ")  FAILED");
        log(std::string("   ") + (error != nullptr ? error->message : "unknown error"));
        m_spawn_error = spawn_failure_words(error);
        if (error != nullptr) {
            g_error_free(error);
        }
        m_reader_wakeup.close();
        m_stdin = -1;
        m_stdout = -1;
        return;
    }
    // Also made here, so that the group exists before anyone may end it; one
    // of the two calls wins, and the child's own may already have run exec.
    setpgid(m_pid, m_pid);
    m_spawned_at = std::chrono::steady_clock::now();
    // Writes must never block for good on an engine that stopped reading.
    int flags = fcntl(m_stdin, F_GETFL);
    if (flags != -1) {
        fcntl(m_stdin, F_SETFL, flags | O_NONBLOCK);
    }
    m_reader_done = false;
    m_abandon_output = false;
    m_spawned = true;
}

void Engio::operator()(std::string line)
{
    if (line.empty()) {
        return;
    }
    if (line.size() > max_command_size) {
        log("   Engio::operator() command from interface too big   size=" + std::to_string(line.size()));
        return;
    }
    std::lock_guard lock(m_write_mutex);
    if (m_stdin < 0) {
        return;
    }
    if (m_crashed) {
        // A lost engine reads nothing more: waiting out the write bound again
        // on every line would only stall the caller.
        log("   Engio::operator()  engine crashed, not sent: " + line);
        return;
    }
    log("   engine <- " + line);
    char last = line.back();
    if (last != '\n' && last != '\r') {
        line += m_crlf ? "\r\n" : "\n";
    }
    m_last_sent = line.substr(0, line.find_last_not_of("\r\n") + 1);
    if (!write_all(line)) {
        m_crashed = true;
        m_reader_wakeup.signal();
    }
}

bool Engio::write_all(const std::string& bytes)
{
    BrokenPipeGuard guard;
    auto deadline = std::chrono::steady_clock::now() + write_timeout;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(m_stdin, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                              std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return false;
            }
            pollfd room{m_stdin, POLLOUT, 0};
            poll(&room, 1, static_cast<int>(left.count()));
            continue;
        }
        if (n < 0 && errno == EPIPE) {
            guard.note_broken_pipe();
        }
        return false;
    }
    return true;
}

void Engio::operator()()
{
    {
        std::lock_guard lock(m_reader_mutex);
        if (m_quit || !m_spawned) {
            m_reader_done = true;
            return;
        }
        m_reader_active = true;
    }
    log("   Engio::operator()  start while-loop");
    LineSplitter splitter;
    std::string buffer(read_chunk, '\0');
    while (!m_crashed && !m_abandon_output) {
        // No timeout: whoever sets a mark that ends the loop also signals the
        // wake-up, so the reader never has to look on its own.
        pollfd ready[] = {{m_stdout, POLLIN, 0}, {m_reader_wakeup.descriptor(), POLLIN, 0}};
        int events = poll(ready, 2, -1);
        if (events < 0 && errno == EINTR) {
            continue;
        }
        if (events > 0 && ready[1].revents != 0) {
            m_reader_wakeup.clear();
            continue;
        }
        ssize_t n = events < 0 ? -1 : ::read(m_stdout, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (!m_quit) {
                // Logged before it is marked: whoever sees the crash finds it
                // in the log.
                log("   Engio::operator()  engine crashed   read bytes=" +
                    std::to_string(static_cast<std::uint64_t>(n)));
                m_lost_at = std::chrono::steady_clock::now().time_since_epoch().count();
                m_crashed = true;
            }
            break;
        }
        if (m_quit) {
            // Output after quit is dropped, but read on so that an engine
            // with a full pipe can still reach its exit.
            continue;
        }
        std::vector<std::string> lines = splitter.feed(buffer.data(), static_cast<std::size_t>(n));
        if (splitter.carriage_return_seen()) {
            m_crlf = true;
        }
        try {
            for (std::size_t i = 0; i < lines.size(); ++i) {
                forward(std::move(lines[i]), i + 1);
            }
        } catch (const std::exception& e) {
            // The reader thread must not end the program; the lines of this
            // chunk that were not yet handed on are lost.
            log(std::string("   Engio::operator()  lines lost: ") + e.what());
        }
    }
    if (m_crashed) {
        notify_crash();
    }
    leave_reader_loop();
}

void Engio::notify_crash()
{
    std::lock_guard lock(m_cvt_mutex);
    m_cvt.wake();
}

void Engio::forward(std::string line, std::size_t position_in_batch)
{
    m_wrote_anything = true;
    if (line.size() >= 8 && line.find("bestmove") != std::string::npos) {
        line += " TS=" + m_timer.timestamp_ms();
    }
    {
        std::lock_guard lock(m_cvt_mutex);
        if (m_cvt.valid()) {
            m_cvt.command(line);
        }
    }
    std::string message = "   engine -> " + line;
    if (position_in_batch > 1) {
        message += "   {cnt=" + std::to_string(position_in_batch) + "} ";
    }
    log(message);
}

void Engio::leave_reader_loop()
{
    std::lock_guard lock(m_reader_mutex);
    m_reader_active = false;
    m_reader_done = true;
    m_reader_cv.notify_all();
}

void Engio::quit()
{
    // Whoever clears the spawn mark does the stopping; a second caller returns.
    if (!m_spawned.exchange(false)) {
        return;
    }
    bool reader_active;
    {
        // Set before "quit" goes out, so that the engine's exit is not taken
        // for a crash.
        std::lock_guard lock(m_reader_mutex);
        m_quit = true;
        reader_active = m_reader_active;
    }
    // Not written when the engine is already lost (see the line operator).
    (*this)("quit");
    {
        std::lock_guard lock(m_write_mutex);
        close_pipe(m_stdin, "input");
    }
    stop_process();
    if (reader_active) {
        std::unique_lock lock(m_reader_mutex);
        if (!m_reader_cv.wait_for(lock, drain_timeout, [this] { return !m_reader_active; })) {
            // A process of the engine's group still holds the output open.
            signal_group(SIGKILL);
            if (!m_reader_cv.wait_for(lock, drain_timeout, [this] { return !m_reader_active; })) {
                // One outside the group does: stop reading the output.
                m_abandon_output = true;
                m_reader_wakeup.signal();
                m_reader_cv.wait(lock, [this] { return !m_reader_active; });
            }
        }
    } else {
        m_reader_done = true;
    }
    reap();
    close_pipe(m_stdout, "output");
    m_reader_wakeup.close();
    g_spawn_close_pid(m_pid);
    log("   Engio::quit() successfull");
    close_log();
}

void Engio::stop_process()
{
    if (wait_for_exit(quit_timeout)) {
        // Whatever it started and left behind goes with it.
        signal_group(SIGTERM);
        return;
    }
    log("   Engio::quit() engine did not exit, terminated");
    // An engine that closed its output but kept running is ended by us.
    m_end.ended_by_program = m_crashed;
    signal_group(SIGTERM);
    if (wait_for_exit(terminate_timeout)) {
        return;
    }
    log("   Engio::quit() engine did not terminate, killed");
    signal_group(SIGKILL);
}

void Engio::signal_group(int signal)
{
    // The engine is not reaped yet, so its group is still its own.
    kill(-m_pid, signal);
}

void Engio::reap()
{
    int status = 0;
    pid_t result;
    while ((result = waitpid(m_pid, &status, 0)) == -1 && errno == EINTR) {
    }
    const std::chrono::steady_clock::rep lost = m_lost_at;
    const auto ended = lost != 0 ? std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(lost))
                                 : std::chrono::steady_clock::now();
    m_end.wait_status = result == m_pid ? status : 0;
    m_end.wrote_anything = m_wrote_anything;
    m_end.ran = std::chrono::duration_cast<std::chrono::milliseconds>(ended - m_spawned_at);
    std::lock_guard lock(m_write_mutex);
    m_end.last_sent = m_last_sent;
}

bool Engio::wait_for_exit(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        siginfo_t info{};
        int result = waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT);
        if ((result == 0 && info.si_pid == m_pid) || (result == -1 && errno == ECHILD)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void Engio::close_pipe(int& fd, const char* which)
{
    if (fd < 0) {
        return;
    }
    GError* error = nullptr;
    if (!g_close(fd, &error)) {
        std::cerr << m_timer.timestamp() << "  Engio::quit() standard " << which << " error "
                  << (error != nullptr ? error->message : "") << std::endl;
        if (error != nullptr) {
            g_error_free(error);
        }
    }
    fd = -1;
}

std::size_t Engio::unread_input()
{
    std::lock_guard lock(m_write_mutex);
    int unread = 0;
    if (m_stdin < 0 || ioctl(m_stdin, FIONREAD, &unread) != 0 || unread < 0) {
        return 0;
    }
    return static_cast<std::size_t>(unread);
}

bool Engio::is_running() const { return m_spawned && !m_crashed && !m_quit; }

bool Engio::crashed() const { return m_crashed; }

bool Engio::spawned() const { return m_spawned; }

bool Engio::reset_flags()
{
    m_quit = false;
    m_spawned = false;
    return m_crashed.exchange(false);
}

std::string Engio::get_filename() const { return m_filename; }

std::string Engio::spawn_error() const { return m_spawn_error; }

EngineEnd Engio::end() const { return m_end; }
