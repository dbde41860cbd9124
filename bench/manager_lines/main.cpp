// Pushes analysis lines of engine 1 onto a running manager's queue, as the
// engine's driver thread does, and times what reaches the window stand-in:
// the throughput of a long burst, and the delay of single lines.
#include "manager/gui_manager.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Counts the window's lines and stamps the latest one.
class StampingInbox : public WindowInbox {
public:
    void put_command(const std::string&) override
    {
        m_last.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
        m_count.fetch_add(1, std::memory_order_release);
    }
    std::uint64_t count() const { return m_count.load(std::memory_order_acquire); }
    Clock::time_point last() const { return Clock::time_point(Clock::duration(m_last.load(std::memory_order_relaxed))); }

    // Spins until the count reaches target; false after ten seconds.
    bool wait_for(std::uint64_t target) const
    {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (count() < target) {
            if (Clock::now() > deadline) {
                return false;
            }
        }
        return true;
    }

private:
    std::atomic<std::uint64_t> m_count{0};
    std::atomic<Clock::rep> m_last{0};
};

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}

int main(int argc, char** argv)
{
    const int burst = argc > 1 ? std::atoi(argv[1]) : 200000;
    const int singles = argc > 2 ? std::atoi(argv[2]) : 20000;

    // The manager makes its per-user directory in the working directory.
    const auto previous = std::filesystem::current_path();
    const auto scratch = std::filesystem::temp_directory_path() / "torvane-manager-lines-bench";
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);

    StampingInbox inbox;
    GuiManager manager("manager_lines_bench");
    manager.set_interface(&inbox);
    std::thread thread(std::ref(manager));
    manager.command(std::string("0 load 1 filename ") + FAKE_ENGINE_DIR + "/fake_engine");
    // Name, diagram and level lines.
    if (!inbox.wait_for(3)) {
        std::cerr << "the fake engine did not load\n";
        return 1;
    }
    const std::uint64_t token = std::mt19937_64(12345)();
    const std::string line = "1 " + std::to_string(token) + " info depth 12 seldepth 18 score cp 31 nodes 1843200 nps 921600 time 2000 pv e2e4 e7e5 g1f3 b8c6 f1b5 a7a6";

    std::uint64_t base = inbox.count();
    const auto start = Clock::now();
    for (int i = 0; i < burst; ++i) {
        manager.command(line);
    }
    bool ok = inbox.wait_for(base + static_cast<std::uint64_t>(burst));
    const auto burst_time = Clock::now() - start;

    std::vector<double> delays;
    delays.reserve(static_cast<std::size_t>(singles));
    for (int i = 0; ok && i < singles; ++i) {
        base = inbox.count();
        const auto pushed = Clock::now();
        manager.command(line);
        ok = inbox.wait_for(base + 1);
        delays.push_back(micros(inbox.last() - pushed));
    }
    manager.command("0 quit");
    thread.join();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(scratch);
    if (!ok) {
        std::cerr << "lines went missing\n";
        return 1;
    }

    std::sort(delays.begin(), delays.end());
    const double seconds = std::chrono::duration<double>(burst_time).count();
    std::cout << "burst: " << burst << " lines in " << seconds << " s = " << static_cast<long>(burst / seconds)
              << " lines/s\n";
    std::cout << "single line, queue to window: median " << delays[delays.size() / 2] << " us, p99 "
              << delays[delays.size() * 99 / 100] << " us, max " << delays.back() << " us (" << singles
              << " lines)\n";
    return 0;
}
