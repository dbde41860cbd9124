#include "engines/protocol_detection.h"

#include <optional>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The pause between two looks at an empty handshake queue.
constexpr std::chrono::milliseconds idle_poll{10};

std::string first_word(const std::string& line)
{
    std::istringstream words(line);
    std::string word;
    words >> word;
    return word;
}

// Reads an "id name ..." or "id author ..." line into ev.
void read_id_line(const std::string& line, EngineVariables& ev)
{
    std::istringstream words(line);
    std::string id;
    std::string kind;
    words >> id >> kind;
    if (kind == "name") {
        std::string name;
        std::string word;
        while (words >> word) {
            name += name.empty() ? word : " " + word;
        }
        ev.set_idname(name);
    } else if (kind == "author") {
        std::size_t after = line.find("author") + 6;
        ev.set_author(line.substr(after));
    }
}

// Records one line of the UCI handshake; true for the line that ends it,
// "uciok" anywhere in it, which makes the engine a UCI engine.
bool take_uci_line(const std::string& line, EngineVariables& ev)
{
    if (line.find("uciok") != std::string::npos) {
        ev.set_protocol(protocol_uci);
        ev.set_uci(true);
        return true;
    }
    std::string word = first_word(line);
    if (word == "id") {
        read_id_line(line, ev);
    } else if (word == "option") {
        ev.set_option(Option(line));
    }
    return false;
}

bool is_uci_answer(const std::string& line)
{
    const std::string word = first_word(line);
    return word == "id" || word == "option" || line.find("uciok") != std::string::npos;
}

// Records one announced feature.
void record_feature(const std::string& name, const std::string& value, EngineVariables& ev)
{
    bool on = value == "1";
    if (name == "smp") {
        ev.set_feature(name, on);
        if (on) {
            ev.set_option(Option("option name xboard_threads type spin default 1 min 1 max 64"));
        }
    } else if (name == "memory") {
        ev.set_feature(name, on);
        if (on) {
            ev.set_option(Option("option name xboard_memory type spin default 128 min 16 max 1024"));
        }
    } else if (name == "myname") {
        ev.set_idname(value);
    } else if (name == "egt") {
        ev.set_egt(value);
    } else if (name == "ping" || name == "setboard" || name == "san" || name == "usermove" || name == "time" ||
               name == "reuse" || name == "colors" || name == "nps" || name == "debug") {
        ev.set_feature(name, on);
    }
}

// How a handshake is run: by autodetection, hearing a UCI answer that comes
// while it asks in xboard; or for a protocol the user chose.
enum class ProbeMode { autodetect, chosen };

// Whether autodetection has found the engine's protocol.
bool decided(const EngineVariables& ev) { return ev.is_uci() || ev.get_protocol() == protocol_xboard_v2; }

// The probes of one engine: they talk through its Engio, take its lines from
// the handshake queue and wait for its first answer as FirstAnswerWait says.
class Prober {
public:
    Prober(Engio& engio, EngineVariables& ev, CVTrio queue, const HandshakeCancel& cancel)
        : m_engio(engio), m_ev(ev), m_queue(queue), m_cancel(cancel), m_wait(Clock::now())
    {
    }

    // The engine was started again: its wait begins afresh.
    void engine_started() { m_wait = FirstAnswerWait(Clock::now()); }
    bool cancelled() const { return m_cancelled; }

    // Sends "uci" and reads "id" and "option" lines until "uciok" (protocol 1,
    // UCI mark set) or until uci_probe_time (chosen: the first-answer wait)
    // has passed (UCI mark cleared, protocol unchanged).
    void probe_uci(ProbeMode mode)
    {
        m_engio("uci");
        if (mode == ProbeMode::chosen) {
            read_uci_handshake(std::nullopt);
        } else {
            read_uci_handshake(Clock::now() + uci_probe_time);
        }
    }

    // Sends "xboard" and "protover 2" and accepts every announced feature
    // until "done=1" or until xboard_probe_time has passed since the probe
    // began (or since a first feature line that came only after it),
    // xboard_done_wait_time once the engine sent "done=0". Any feature line
    // makes the protocol 3. Autodetecting, a UCI answer ("id", "option",
    // "uciok") before any feature line shows a UCI engine that answered
    // "uci" late: its handshake is read on to "uciok" within uci_probe_time.
    void probe_xboard(ProbeMode mode)
    {
        m_ev.set_uci(false);
        send_protover();
        const Clock::time_point start = Clock::now();
        Clock::time_point origin = start;
        std::optional<Clock::time_point> deadline;
        int repeats = 0;
        // Whether, and since when, the engine has been seen to have read all
        // its input since the last "protover".
        bool input_read = false;
        Clock::time_point input_read_at;
        while (Clock::now() < deadline.value_or(m_wait.deadline())) {
            const std::optional<std::string> next = next_line();
            if (!next) {
                return;
            }
            const std::string& line = *next;
            const bool feature_line = first_word(line) == "feature";
            if (mode == ProbeMode::autodetect && !deadline && is_uci_answer(line)) {
                if (!take_uci_line(line, m_ev)) {
                    read_uci_handshake(Clock::now() + uci_probe_time);
                }
                return;
            }
            if (feature_line && !deadline) {
                const Clock::time_point now = Clock::now();
                if (now > start + xboard_probe_time) {
                    origin = now;
                }
                deadline = origin + xboard_probe_time;
            }
            if (!deadline && repeats < protover_repeat_limit) {
                const Clock::time_point now = Clock::now();
                if (m_engio.unread_input() > 0) {
                    input_read = false;
                } else if (!input_read) {
                    input_read = true;
                    input_read_at = now;
                } else if (now >= input_read_at + protover_repeat_quiet) {
                    send_protover();
                    ++repeats;
                    input_read = false;
                }
            }
            if (feature_line) {
                const std::size_t after = line.find("feature") + 7;
                const FeatureReply reply = handle_feature_pairs(line.substr(after), m_ev);
                for (const std::string& answer : reply.answers) {
                    m_engio(answer);
                }
                if (reply.done) {
                    return;
                }
                if (reply.wait_for_done) {
                    deadline = origin + xboard_done_wait_time;
                }
            }
            if (line.empty()) {
                std::this_thread::sleep_for(idle_poll);
            }
        }
    }

private:
    // The next handshake line ("" when none waits); nothing once the load
    // is cancelled, or once the engine no longer runs and every line it
    // printed has been read (the reader queues them all before it marks the
    // end). A blank line of a dead engine also counts as the end.
    std::optional<std::string> next_line()
    {
        if (m_cancel && m_cancel()) {
            m_cancelled = true;
            return std::nullopt;
        }
        const bool ended = !m_engio.is_running();
        std::string line = wait_engine_line(m_queue);
        if (line.empty() && ended) {
            return std::nullopt;
        }
        if (!line.empty()) {
            m_wait.heard(Clock::now());
        }
        return line;
    }

    // Reads the UCI handshake on until "uciok" or the deadline (none: the
    // first-answer wait); the UCI mark is cleared when "uciok" does not come.
    void read_uci_handshake(std::optional<Clock::time_point> deadline)
    {
        while (Clock::now() < deadline.value_or(m_wait.deadline())) {
            const std::optional<std::string> next = next_line();
            if (!next) {
                break;
            }
            if (take_uci_line(*next, m_ev)) {
                return;
            }
            if (next->empty()) {
                std::this_thread::sleep_for(idle_poll);
            }
        }
        m_ev.set_uci(false);
    }

    void send_protover()
    {
        m_engio("xboard");
        m_engio("protover 2");
    }

    Engio& m_engio;
    EngineVariables& m_ev;
    CVTrio m_queue;
    const HandshakeCancel& m_cancel;
    FirstAnswerWait m_wait;
    bool m_cancelled = false;
};

}

std::string wait_engine_line(CVTrio queue) { return queue.get(); }

FeatureReply handle_feature_pairs(const std::string& text, EngineVariables& ev)
{
    FeatureReply reply;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size) {
        while (pos < size && text[pos] == ' ') {
            ++pos;
        }
        if (pos >= size) {
            break;
        }
        std::size_t equals = text.find('=', pos);
        std::size_t name_end = equals == std::string::npos ? size : equals;
        std::string name = text.substr(pos, name_end - pos);
        pos = name_end;
        std::string value;
        if (pos < size) {
            ++pos;
            if (pos < size && text[pos] == '"') {
                std::size_t close = text.find('"', pos + 1);
                std::size_t value_end = close == std::string::npos ? size : close;
                value = text.substr(pos + 1, value_end - pos - 1);
                pos = value_end == size ? size : value_end + 1;
            } else {
                std::size_t blank = text.find(' ', pos);
                std::size_t value_end = blank == std::string::npos ? size : blank;
                value = text.substr(pos, value_end - pos);
                pos = value_end;
            }
        }
        ev.set_protocol(protocol_xboard_v2);
        if (name == "option") {
            continue;
        }
        record_feature(name, value, ev);
        reply.answers.push_back("accepted " + name);
        if (name == "done" && value == "1") {
            reply.done = true;
            break;
        }
        if (name == "done" && value == "0") {
            reply.wait_for_done = true;
        }
    }
    return reply;
}

void select_xboard_v1(Engio& engio, EngineVariables& ev)
{
    ev.set_uci(false);
    engio("xboard");
    ev.set_protocol(protocol_xboard_v1);
}

bool detect_protocol(Engio& engio, EngineVariables& ev, int protocol, CVTrio queue, const EngineRestart& restart,
                     const HandshakeCancel& cancel)
{
    Prober prober(engio, ev, queue, cancel);
    switch (protocol) {
    case protocol_autodetect: {
        prober.probe_uci(ProbeMode::autodetect);
        if (prober.cancelled()) {
            return false;
        }
        if (ev.is_uci()) {
            return true;
        }
        // An engine that ended is started once more, whenever it ended; when
        // that fails the xboard probe ends at once and the engine is left
        // not running, as any engine that dies at start.
        const auto restart_when_ended = [&engio, &restart, &prober] {
            if (!engio.crashed() || !restart) {
                return false;
            }
            restart();
            prober.engine_started();
            return true;
        };
        const bool restarted = restart_when_ended();
        prober.probe_xboard(ProbeMode::autodetect);
        if (!restarted && !prober.cancelled() && !decided(ev) && restart_when_ended()) {
            prober.probe_xboard(ProbeMode::autodetect);
        }
        if (prober.cancelled()) {
            return false;
        }
        if (!decided(ev)) {
            select_xboard_v1(engio, ev);
        }
        return true;
    }
    case protocol_uci:
        prober.probe_uci(ProbeMode::chosen);
        return !prober.cancelled();
    case protocol_xboard_v1:
        select_xboard_v1(engio, ev);
        return true;
    case protocol_xboard_v2:
        prober.probe_xboard(ProbeMode::chosen);
        return !prober.cancelled();
    default:
        return true;
    }
}
