// How often the program wakes while nothing happens, with 0, 1 and 2
// engines (stockfish) loaded and idle: in manager-console and in the main
// window. For each it prints the wake-ups per second of the whole process
// (context switches of all its threads), its CPU time, the engines' own
// wake-ups, and each thread's wake-ups with the system call it sleeps in.
// One engine is loaded with "load 1 filename"; two are the players of a
// one-game tournament (stockfish against itself from a mate in one), which
// stay loaded after its end.
//
// Usage, on a display:
//   xvfb-run -a -s "-screen 0 1920x1440x24" build/bench/rest_wakeups/rest_wakeups_bench [SECONDS]
// (default 10 s of rest per case).
#include "app/interface.h"
#include "process_rest.h"

#include <glibmm/main.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

const std::string engine_path = "/usr/games/stockfish";
const std::string engine_program = "stockfish";
const std::string tournament = "Rest";

// A working directory outside any home: the per-user directory is then the
// working directory itself, and the user's own engines.cfg is never touched.
// It holds two installed stockfish and an opening suite of a mate in one.
std::string make_working_directory()
{
    char name[] = "/tmp/rest_wakeups_XXXXXX";
    if (mkdtemp(name) == nullptr) {
        throw std::runtime_error("rest_wakeups_bench: no temporary directory");
    }
    const std::string dir = name;
    std::filesystem::create_directories(dir + "/tournaments");
    std::filesystem::create_directory_symlink(std::string(TORVANE_SOURCE_DIR) + "torvane.files", dir + "/torvane.files");
    std::ofstream(dir + "/engines.cfg") << "name Stockfish A\nfilename " << engine_path
                                        << "\nprotocol uci\n\nname Stockfish B\nfilename " << engine_path
                                        << "\nprotocol uci\n\n";
    std::ofstream(dir + "/mate.epd") << "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\n";
    return dir;
}

// The tournament of the two, its one game unplayed.
void write_tournament(const std::string& dir)
{
    std::ofstream(dir + "/tournaments/" + tournament + ".trn")
        << "version 1.15\nevent " << tournament << "\nsite  Bench\nlevel fixed_depth 4\ntype match\n"
        << "iterations 1\nparallelgames 1\nopeningbook " << dir << "/mate.epd\n"
        << "bothcolors false\nrandomorder false\nignoretimeloss true\n"
        << "participant Stockfish A\nparticipant Stockfish B\n"
        << "game       1   round=1   opening=1  pairing=1-2   result=*\n";
}

void print_rest(const std::string& where, int engines, const ProcessRest& rest)
{
    std::cout << std::fixed << std::setprecision(1) << std::left << std::setw(8) << where << engines
              << " engine(s)  wake-ups " << std::right << std::setw(6) << rest.wakeups_per_second << "/s  CPU "
              << std::setw(5) << rest.cpu_ms_per_second << " ms/s  engines " << rest.children_wakeups_per_second
              << "/s\n          threads:";
    for (const ThreadRest& thread : rest.threads) {
        std::cout << "  " << thread.per_second << " (" << thread.sleeps_in << ")";
    }
    std::cout << std::endl;
}

// manager-console as a child, its standard input and output on pipes.
class Console {
public:
    explicit Console(const std::string& dir)
    {
        int input[2];
        int output[2];
        if (pipe(input) != 0 || pipe(output) != 0) {
            throw std::runtime_error("rest_wakeups_bench: pipe failed");
        }
        m_pid = fork();
        if (m_pid == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            close(input[1]);
            close(output[0]);
            if (chdir(dir.c_str()) == 0) {
                execl(MANAGER_CONSOLE, MANAGER_CONSOLE, static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        m_input = input[1];
        m_output = output[0];
    }

    ~Console()
    {
        send("0 quit");
        close(m_input);
        // What the console still prints is read, so that it can finish.
        while (read_line(std::chrono::seconds(10))) {
        }
        close(m_output);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    pid_t pid() const { return m_pid; }

    void send(const std::string& line)
    {
        const std::string bytes = line + "\n";
        if (write(m_input, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("rest_wakeups_bench: write to the console failed");
        }
    }

    // Reads lines until one starts with the prefix; false after the timeout.
    bool wait_for(const std::string& prefix, std::chrono::seconds timeout)
    {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            if (read_line(std::chrono::duration_cast<std::chrono::seconds>(deadline - Clock::now())) &&
                m_line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

private:
    // The next line in m_line; false when none came in time or the output ended.
    bool read_line(std::chrono::seconds timeout)
    {
        const auto deadline = Clock::now() + timeout;
        for (;;) {
            const std::size_t end = m_pending.find('\n');
            if (end != std::string::npos) {
                m_line = m_pending.substr(0, end);
                m_pending.erase(0, end + 1);
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd ready{m_output, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                return false;
            }
            char buffer[4096];
            const ssize_t n = read(m_output, buffer, sizeof buffer);
            if (n <= 0) {
                return false;
            }
            m_pending.append(buffer, static_cast<std::size_t>(n));
        }
    }

    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    std::string m_pending;
    std::string m_line;
};

bool engines_loaded(pid_t pid, std::size_t count) { return children_named(pid, engine_program).size() == count; }

using Pass = std::function<void(std::chrono::seconds)>;

// Lets the settling time pass, checks that the process holds the engines,
// and prints its figures over the rest that follows.
void measure_rest(const std::string& where, pid_t pid, int engines, std::chrono::seconds settle,
                  std::chrono::seconds rest, const Pass& pass)
{
    pass(settle);
    if (!engines_loaded(pid, static_cast<std::size_t>(engines))) {
        throw std::runtime_error("rest_wakeups_bench: the " + where + " does not hold " + std::to_string(engines) +
                                 " engine(s)");
    }
    const ProcessCounts before = read_counts(pid);
    pass(rest);
    print_rest(where, engines, rest_between(pid, before, read_counts(pid), static_cast<double>(rest.count())));
}

void measure_console(const std::string& dir, std::chrono::seconds rest, std::chrono::seconds settle)
{
    Console console(dir);
    const auto measure = [&](int engines) {
        measure_rest("console", console.pid(), engines, settle, rest,
                     [](std::chrono::seconds time) { std::this_thread::sleep_for(time); });
    };
    measure(0);
    console.send("0 load 1 filename " + engine_path);
    console.wait_for("engine1name", std::chrono::seconds(30));
    measure(1);
    write_tournament(dir);
    console.send("0 load_tournament " + tournament);
    console.send("0 start_tournament");
    if (!console.wait_for("tournament_finished", std::chrono::seconds(60))) {
        throw std::runtime_error("rest_wakeups_bench: the console's tournament did not finish");
    }
    measure(2);
}

// Runs the window's main loop until the condition holds (checked every 50 ms)
// or the time is up.
void run_until(const std::function<bool()>& condition, std::chrono::milliseconds time)
{
    const auto deadline = Clock::now() + time;
    auto loop = Glib::MainLoop::create();
    auto check = Glib::signal_timeout().connect(
        [&] {
            if (condition() || Clock::now() >= deadline) {
                loop->quit();
            }
            return true;
        },
        50);
    loop->run();
    check.disconnect();
}

// Runs the window's main loop for the time, with no source of its own but
// the one that ends it.
void run_window_for(std::chrono::seconds time)
{
    auto loop = Glib::MainLoop::create();
    Glib::signal_timeout().connect_once([&] { loop->quit(); }, static_cast<unsigned>(time.count() * 1000));
    loop->run();
}

// Closes each message box the window shows while engines are loaded, as a
// user would read and close it; remembers whether one said that the
// tournament finished.
class MessageCloser {
public:
    MessageCloser()
    {
        m_tick = Glib::signal_timeout().connect(
            [this] {
                for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
                    auto* box = dynamic_cast<Gtk::MessageDialog*>(window);
                    if (box != nullptr && box->get_mapped()) {
                        m_tournament_finished |=
                            box->property_text().get_value().find("finished") != Glib::ustring::npos;
                        box->response(Gtk::RESPONSE_OK);
                    }
                }
                return true;
            },
            50);
    }
    ~MessageCloser() { m_tick.disconnect(); }
    MessageCloser(const MessageCloser&) = delete;
    MessageCloser& operator=(const MessageCloser&) = delete;

    bool tournament_finished() const { return m_tournament_finished; }

private:
    sigc::connection m_tick;
    bool m_tournament_finished = false;
};

void measure_window(const std::string& dir, std::chrono::seconds rest, std::chrono::seconds settle)
{
    Interface window("torvane", 560);
    window.show();
    const pid_t self = getpid();
    const auto measure = [&](int engines) { measure_rest("window", self, engines, settle, rest, run_window_for); };
    measure(0);
    window.send_to_manager("load 1 filename " + engine_path);
    run_until([&] { return engines_loaded(self, 1); }, std::chrono::seconds(30));
    measure(1);
    {
        MessageCloser closer;
        write_tournament(dir);
        window.send_to_manager("load_tournament " + tournament);
        window.send_to_manager("start_tournament");
        run_until([&] { return closer.tournament_finished(); }, std::chrono::seconds(60));
        if (!closer.tournament_finished()) {
            throw std::runtime_error("rest_wakeups_bench: the window's tournament did not finish");
        }
    }
    measure(2);
}

}

int main(int argc, char** argv)
{
    const std::chrono::seconds rest(argc > 1 ? std::atoi(argv[1]) : 10);
    // Time for an engine's handshake and the manager's answers to pass.
    const std::chrono::seconds settle(3);
    const std::string dir = make_working_directory();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int status = 0;
    try {
        std::cout << "rest of " << rest.count() << " s per case" << std::endl;
        measure_console(dir, rest, settle);
        int gtk_argc = 1;
        Gtk::Main kit(gtk_argc, argv, true);
        measure_window(dir, rest, settle);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        status = 1;
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    return status;
}
