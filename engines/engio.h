#pragma once

#include "engines/cv_trio.h"
#include "engines/engine_end_text.h"
#include "engines/timer.h"
#include "engines/wakeup_event.h"

#include <glib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>

// One chess engine as a child process: its standard input and output are
// pipes, its standard error is the program's own. Lines are written with the
// call operator taking a line; the reader loop (the call operator without
// arguments, run on a thread that the owner starts) splits the output into
// lines and pushes each through the trio, appending " TS=" and the arrival
// stamp to lines holding "bestmove"; when the engine is lost it wakes the
// trio's waiters once, queuing nothing, so that they can look at crashed().
// Between lines the reader sleeps: only the engine's output, its end, a lost
// engine or quit wake it. With debugging on, every line in both directions
// goes to the engine's log file with a time stamp.
class Engio {
public:
    // How long quit waits for the engine to exit before terminating it.
    static constexpr std::chrono::milliseconds quit_timeout{2000};
    // How long a line may wait for room in the engine's input pipe.
    static constexpr std::chrono::milliseconds write_timeout{2000};
    // The longest line sent; longer ones are refused.
    static constexpr std::size_t max_command_size = 32767;

    Engio();
    // Quits an engine that is still running and closes the log.
    ~Engio();
    Engio(const Engio&) = delete;
    Engio& operator=(const Engio&) = delete;

    // From now on every line read is pushed through this trio (also while the
    // reader runs: each line goes whole to the old or to the new one).
    void set_cvtrio(CVTrio cvt);
    void set_number(int number);
    int get_number() const;
    // Logging on or off; on opens "engine<number>.log" in the working directory.
    void set_debug(bool debug);
    // Opens the named log file for appending and switches logging on.
    void open_log(const std::string& name);

    // Starts the executable at the path (no arguments, no search of PATH),
    // in a process group of its own, so that quit ends whatever it started.
    // Success shows in spawned(); a failure is logged and kept in words
    // (spawn_error), never thrown. Throws std::logic_error when an engine is
    // already spawned.
    void spawn_engine(const std::string& path);
    // Sends one command line, adding the engine's line end. Empty lines and
    // lines over max_command_size are not sent. A write that fails (the
    // engine is gone or stopped reading) marks the engine as crashed; once
    // crashed, lines are dropped at once without waiting for the pipe.
    void operator()(std::string line);
    // The reader loop; returns when the output ends, the engine is lost or
    // quit has given up on the output.
    void operator()();
    // Sends "quit" (not to a crashed engine), closes the engine's input,
    // waits for it to exit (and terminates its process group after
    // quit_timeout), ends what it left running in its group, waits for the
    // reader to leave its loop and closes the output. Reaps the child and
    // keeps how it ended (end). Nothing when not spawned.
    void quit();

    // How many bytes sent the engine has not read yet; 0 without an engine.
    std::size_t unread_input();
    bool is_running() const;
    bool crashed() const;
    bool spawned() const;
    // Clears the quit, crash and spawn marks; returns the crash mark it had.
    bool reset_flags();
    std::string get_filename() const;
    // Why the last spawn failed, in words ("there is no such file"); empty
    // after one that succeeded.
    std::string spawn_error() const;
    // How the engine of the last spawn ended; complete once quit has reaped it.
    EngineEnd end() const;

private:
    void log(const std::string& message);
    // Opens the last log file again (quit closes it).
    void reopen_log();
    void close_log();
    bool write_all(const std::string& bytes);
    void forward(std::string line, std::size_t position_in_batch);
    void notify_crash();
    // Whether the engine has exited within the timeout; it is not reaped,
    // so that its process group cannot be taken by another process yet.
    bool wait_for_exit(std::chrono::milliseconds timeout);
    void stop_process();
    void signal_group(int signal);
    void reap();
    void close_pipe(int& fd, const char* which);
    void leave_reader_loop();

    std::string m_logfilename;
    std::atomic<bool> m_debug;
    std::ofstream m_log;
    std::mutex m_log_mutex;
    std::atomic<bool> m_quit;
    std::atomic<bool> m_crashed;
    std::atomic<bool> m_reader_done;
    std::atomic<bool> m_crlf;
    CVTrio m_cvt;
    std::mutex m_cvt_mutex;
    std::string m_filename;
    int m_stdin;
    int m_stdout;
    GPid m_pid;
    std::atomic<int> m_number;
    std::atomic<bool> m_spawned;
    Timer m_timer;
    std::string m_spawn_error;
    std::chrono::steady_clock::time_point m_spawned_at;
    // Set by the reader when the engine's output ends without a quit.
    std::atomic<std::chrono::steady_clock::rep> m_lost_at;
    std::atomic<bool> m_wrote_anything;
    // The last line sent (under m_write_mutex) and how the engine ended.
    std::string m_last_sent;
    EngineEnd m_end;

    // Guards m_stdin: a line is never written to a descriptor that quit has
    // closed (and the system may have handed out again).
    std::mutex m_write_mutex;
    // The hand-over between quit and the reader: once quit has set m_quit
    // under this lock, a reader that has not yet begun never touches the pipe,
    // and quit closes the output only after an active reader has left.
    std::mutex m_reader_mutex;
    std::condition_variable m_reader_cv;
    bool m_reader_active;
    std::atomic<bool> m_abandon_output;
    // Signalled whenever the crash or abandon mark is set, so that a reader
    // asleep on the output looks at them; open from a spawn to its quit, as
    // the pipes are.
    WakeupEvent m_reader_wakeup;
};
