#include "tools/engine-probe/probe_session.h"

#include "engines/legal_move.h"
#include "engines/protocol_detection.h"

#include <algorithm>
#include <random>
#include <sstream>

namespace {

// How long an engine may take beyond its move time before it counts as lost.
constexpr std::chrono::seconds answer_grace{15};
// How often a wait for the engine's answer looks whether it has crashed.
constexpr std::chrono::milliseconds crash_poll{50};

std::string word_at(const std::string& line, int index)
{
    std::istringstream words(line);
    std::string word;
    for (int i = 0; i <= index && words >> word; ++i) {
        if (i == index) {
            return word;
        }
    }
    return "";
}

}

int protocol_from_name(const std::string& name)
{
    const char* const names[] = {"autodetect", "uci", "xboard_v1", "xboard_v2"};
    for (int code = 0; code < 4; ++code) {
        if (name == names[code]) {
            return code;
        }
    }
    return -1;
}

ProbeSession::ProbeSession(std::ostream& out) : m_out(out), m_token(0), m_crash_reported(false)
{
    std::random_device random;
    while (m_token == BaseEngine::no_token) {
        m_token = (static_cast<std::uint64_t>(random()) << 32) | random();
    }
}

bool ProbeSession::load(const std::string& path, int protocol)
{
    CVTrio queue(&m_mutex, &m_cv, &m_queue);
    m_engine.load(1, path, protocol, queue);
    m_engine.set_token(m_token);
    if (!m_engine.engine_running()) {
        m_out << "engine does not run: " << path << "\n";
        return false;
    }
    m_engine.new_game();
    return !crashed();
}

bool ProbeSession::crashed()
{
    if (!m_engine.engine_crashed()) {
        return false;
    }
    if (!m_crash_reported) {
        m_out << "the engine crashed\n";
        m_crash_reported = true;
    }
    return true;
}

void ProbeSession::report_identity()
{
    EngineVariables ev = m_engine.copy_enginevariables();
    m_out << "protocol " << ev.get_protocol() << "\n";
    m_out << "id name " << ev.get_idname() << "\n";
    m_out << "id author " << ev.get_author() << "\n";
    for (const auto& [name, option] : ev.get_options()) {
        m_out << "option name " << name << " type " << option.get_type() << " default " << option.get_default()
              << "\n";
    }
}

std::optional<std::string> ProbeSession::next_line(std::chrono::milliseconds timeout)
{
    const std::string own = "1 " + std::to_string(m_token) + " ";
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(m_mutex);
    for (;;) {
        while (m_queue.empty()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return std::nullopt;
            }
            // Every line the engine printed is queued before the crash mark.
            if (crashed()) {
                return std::nullopt;
            }
            m_cv.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now() + crash_poll));
        }
        std::string line = std::move(m_queue.front());
        m_queue.pop_front();
        m_out << "< " << line << "\n";
        if (line.compare(0, own.size(), own) == 0) {
            return line.substr(own.size());
        }
    }
}

bool ProbeSession::check_move(const ChessPosition& position, std::uint32_t movetime_ms)
{
    Level level;
    level.set_fixed_movetime(movetime_ms);
    m_engine.set_level(level);
    m_engine.set_white(position.board().side_to_move() == 1);
    m_engine.set_position(position);
    m_engine.go();
    auto timeout = std::chrono::milliseconds(movetime_ms) + answer_grace;
    for (;;) {
        std::optional<std::string> line = next_line(timeout);
        if (!line) {
            if (!crashed()) {
                m_out << "no best move within " << timeout.count() << " ms\n";
            }
            return false;
        }
        std::string command = word_at(*line, 0);
        if (command == "resign") {
            m_out << "the engine resigned\n";
            return false;
        }
        if (command != "bestmove") {
            continue;
        }
        std::string move = word_at(*line, 1);
        ChessPosition copy = position;
        if (!find_legal_move(copy, move)) {
            m_out << "illegal best move " << move << "\n";
            return false;
        }
        m_out << "legal best move " << move << "\n";
        return true;
    }
}

void ProbeSession::unload()
{
    const auto begin = std::chrono::steady_clock::now();
    m_engine.unload_engine();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    m_out << "unload took " << took.count() << " ms" << std::endl;
}
