#include "engines/protocol_detection.h"

#include <optional>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The pause between two looks at an empty handshake queue.
constexpr std::chrono::milliseconds idle_poll{10};

void pause_when_idle(const std::string& line)
{
    if (line.empty()) {
        std::this_thread::sleep_for(idle_poll);
    }
}

// The next handshake line; nothing once the engine no longer runs and every
// line it printed has been read (the reader queues them all before it marks
// the end). A blank line of a dead engine also counts as the end.
std::optional<std::string> next_handshake_line(Engio& engio, CVTrio queue)
{
    const bool ended = !engio.is_running();
    std::string line = wait_engine_line(queue);
    if (line.empty() && ended) {
        return std::nullopt;
    }
    return line;
}

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

// Reads the UCI handshake on until "uciok" or the deadline; the UCI mark is
// cleared when "uciok" does not come.
void read_uci_handshake(Engio& engio, EngineVariables& ev, CVTrio queue, Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        const std::optional<std::string> next = next_handshake_line(engio, queue);
        if (!next) {
            break;
        }
        if (take_uci_line(*next, ev)) {
            return;
        }
        pause_when_idle(*next);
    }
    ev.set_uci(false);
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

void probe_uci(Engio& engio, EngineVariables& ev, CVTrio queue, ProbeMode mode)
{
    engio("uci");
    const auto wait = mode == ProbeMode::chosen ? first_answer_wait : uci_probe_time;
    read_uci_handshake(engio, ev, queue, Clock::now() + wait);
}

void probe_xboard(Engio& engio, EngineVariables& ev, CVTrio queue, Clock::time_point engine_started, ProbeMode mode)
{
    ev.set_uci(false);
    engio("xboard");
    engio("protover 2");
    const auto start = Clock::now();
    // The usual times count from the start, or from a first feature line
    // that came only after them.
    auto origin = start;
    auto deadline = engine_started + first_answer_wait;
    bool features_seen = false;
    auto next_repeat = start + protover_first_repeat;
    while (Clock::now() < deadline) {
        const std::optional<std::string> next = next_handshake_line(engio, queue);
        if (!next) {
            return;
        }
        const std::string& line = *next;
        const bool feature_line = first_word(line) == "feature";
        if (mode == ProbeMode::autodetect && !features_seen && is_uci_answer(line)) {
            if (!take_uci_line(line, ev)) {
                read_uci_handshake(engio, ev, queue, Clock::now() + uci_probe_time);
            }
            return;
        }
        if (feature_line && !features_seen) {
            features_seen = true;
            const auto now = Clock::now();
            if (now > start + xboard_probe_time) {
                origin = now;
            }
            deadline = origin + xboard_probe_time;
        }
        if (!features_seen && Clock::now() >= next_repeat) {
            engio("xboard");
            engio("protover 2");
            next_repeat = Clock::now() + protover_repeat_interval;
        }
        if (feature_line) {
            std::size_t after = line.find("feature") + 7;
            FeatureReply reply = handle_feature_pairs(line.substr(after), ev);
            for (const std::string& answer : reply.answers) {
                engio(answer);
            }
            if (reply.done) {
                return;
            }
            if (reply.wait_for_done) {
                deadline = origin + xboard_done_wait_time;
            }
        }
        pause_when_idle(line);
    }
}

void select_xboard_v1(Engio& engio, EngineVariables& ev)
{
    ev.set_uci(false);
    engio("xboard");
    ev.set_protocol(protocol_xboard_v1);
}

void detect_protocol(Engio& engio, EngineVariables& ev, int protocol, CVTrio queue, const EngineRestart& restart)
{
    auto engine_started = Clock::now();
    switch (protocol) {
    case protocol_autodetect:
        probe_uci(engio, ev, queue);
        if (ev.is_uci()) {
            return;
        }
        if (engio.crashed() && restart) {
            // When the restart fails the xboard probe ends at once and the
            // engine is left not running, as any engine that dies at start.
            restart();
            engine_started = Clock::now();
        }
        probe_xboard(engio, ev, queue, engine_started);
        if (ev.is_uci() || ev.get_protocol() == protocol_xboard_v2) {
            return;
        }
        select_xboard_v1(engio, ev);
        return;
    case protocol_uci:
        probe_uci(engio, ev, queue, ProbeMode::chosen);
        return;
    case protocol_xboard_v1:
        select_xboard_v1(engio, ev);
        return;
    case protocol_xboard_v2:
        probe_xboard(engio, ev, queue, engine_started, ProbeMode::chosen);
        return;
    default:
        return;
    }
}
