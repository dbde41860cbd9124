// Plays a match of short games between two fake engines that choose a random
// legal move at once, through a GuiManager on its own thread. The engines
// note on the steady clock when they send a move and when they are asked to
// search, and the window stand-in notes when the move reaches it, so each
// ply splits into the engine layer's delivery of the move (engine to window
// line) and the manager's own part (window line to the other engine's
// search: refereeing, the 10 ms pause and the search request).
#include "manager/gui_manager.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double pause_ms = 10.0;

// Counts the moves announced and notes the end of the tournament.
class GameInbox : public WindowInbox {
public:
    void put_command(const std::string& line) override
    {
        std::lock_guard lock(m_mutex);
        if (line.rfind("move ", 0) == 0) {
            ++m_moves;
            m_move_stamps.push_back(
                std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count());
        } else if (line.rfind("1-0", 0) == 0 || line.rfind("0-1", 0) == 0 || line.rfind("1/2-1/2", 0) == 0) {
            ++m_games;
        } else if (line == "tournament_finished") {
            m_finished = true;
            m_cv.notify_all();
        }
    }
    bool wait_finished(std::chrono::seconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, timeout, [this] { return m_finished; });
    }
    int moves() const { return m_moves; }
    int games() const { return m_games; }
    const std::vector<std::int64_t>& move_stamps() const { return m_move_stamps; }

private:
    std::vector<std::int64_t> m_move_stamps;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_finished = false;
    int m_moves = 0;
    int m_games = 0;
};

void write(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }

struct PlyTimes {
    std::vector<double> delivery;
    std::vector<double> manager;
};

// For each engine move that the window saw and that was followed by the other
// engine's search in the same game: the two parts of the ply, in ms.
PlyTimes ply_times(const std::filesystem::path& times, const std::vector<std::int64_t>& window_moves)
{
    std::vector<std::pair<std::int64_t, char>> marks;
    std::ifstream in(times);
    char kind;
    std::int64_t ns;
    while (in >> kind >> ns) {
        marks.emplace_back(ns, kind);
    }
    for (std::int64_t stamp : window_moves) {
        marks.emplace_back(stamp, 'w');
    }
    std::sort(marks.begin(), marks.end());
    PlyTimes result;
    for (std::size_t i = 0; i + 2 < marks.size(); ++i) {
        if (marks[i].second == 'm' && marks[i + 1].second == 'w' && marks[i + 2].second == 'g') {
            result.delivery.push_back(static_cast<double>(marks[i + 1].first - marks[i].first) / 1e6);
            result.manager.push_back(static_cast<double>(marks[i + 2].first - marks[i + 1].first) / 1e6 - pause_ms);
        }
    }
    return result;
}

std::string summary(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return "median " + std::to_string(values[values.size() / 2]) + " ms, p99 " +
           std::to_string(values[values.size() * 99 / 100]) + " ms";
}

}

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 200;
    const auto previous = std::filesystem::current_path();
    const auto scratch = std::filesystem::temp_directory_path() / ("torvane-manager-games-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch / "tournaments");
    std::filesystem::current_path(scratch);
    const auto times = scratch / "times.txt";
    setenv("TORVANE_FAKE_TIMES", times.c_str(), 1);

    const std::string engine = std::string(FAKE_ENGINE_DIR) + "/fake_engine_legal";
    write("engines.cfg", "name A\nfilename " + engine + "\nprotocol uci\n\nname B\nfilename " + engine + "\nprotocol uci\n");
    // Lone pieces each: adjudicated after six quiet plies, or played on after a capture.
    write("suite.epd", "1r2k3/8/8/8/8/8/8/R3K3 w - -\n3qk3/8/8/8/8/8/8/3QK3 w - -\n"
                       "4k3/8/8/3n4/8/8/3N4/4K3 w - -\n2r1k3/pp6/8/8/8/8/PP6/2R1K3 w - -\n");
    std::string trn = "version 1.15\nevent Bench\nlevel fixed_depth 1\ntype match\niterations " + std::to_string(games) +
                      "\nopeningbook " + (scratch / "suite.epd").string() +
                      "\nbothcolors false\nrandomorder false\nignoretimeloss false\nparticipant A\nparticipant B\n";
    for (int game = 1; game <= games; ++game) {
        trn += "game " + std::to_string(game) + "   round=" + std::to_string(game) + "   opening=" + std::to_string(game) +
               "  pairing=" + (game % 2 ? "2-1" : "1-2") + "   result=*\n";
    }
    write("tournaments/Bench.trn", trn);

    GameInbox inbox;
    int status = 0;
    double seconds = 0;
    {
        GuiManager manager("manager_games_bench");
        manager.set_interface(&inbox);
        std::thread thread(std::ref(manager));
        manager.command("0 load_tournament Bench");
        const auto start = Clock::now();
        manager.command("0 start_tournament");
        if (!inbox.wait_finished(std::chrono::seconds(3600))) {
            std::cerr << "the match did not finish\n";
            status = 1;
        }
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        manager.command("0 quit");
        thread.join();
    }
    const PlyTimes plies = ply_times(times, inbox.move_stamps());
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(scratch);
    if (status != 0 || plies.manager.empty()) {
        return 1;
    }
    std::cout << inbox.games() << " games, " << inbox.moves() << " plies in " << seconds << " s = "
              << static_cast<long>(inbox.moves() / seconds) << " plies/s (engine starts included)\n";
    std::cout << "manager's own time per ply beyond the " << pause_ms << " ms pause (move line to the next search): "
              << summary(plies.manager) << " (" << plies.manager.size() << " plies)\n";
    std::cout << "engine layer's delivery of a move (engine's output to the move line): " << summary(plies.delivery)
              << "\n";
    return 0;
}
