// The manager's queue while an engine floods: the window's commands go ahead
// of every engine line, and only the newest analysis lines of each engine
// wait, while every other engine line is kept in its order.
#include "manager/line_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Pushes the lines, the engines' through the trio their drivers get, and
// then serves them all, as the manager's loop does.
Lines served(const Lines& pushed)
{
    LineQueue queue;
    CVTrio engines = queue.trio();
    for (const std::string& line : pushed) {
        if (line[0] == '0') {
            queue.push(line);
        } else {
            engines.command(line);
        }
    }
    queue.push("0 quit");
    Lines handled;
    bool quit = false;
    queue.serve([&] { return quit; }, [&](const std::string& line) {
        handled.push_back(line);
        quit = quit || line == "0 quit";
    });
    return handled;
}

std::string info(int engine, int number) { return std::to_string(engine) + " 77 info nodes " + std::to_string(number); }

TEST(LineQueue, WindowCommandsGoFirstAndOnlyTheNewestAnalysisLinesOfEachEngineWait)
{
    Lines pushed = {"1 77 id name Flood", "1 77 option name Hash type spin", "1 77 uciok", "1 77 readyok"};
    for (int number = 1; number <= 5000; ++number) {
        pushed.push_back(info(1, number));
        pushed.push_back(info(2, number));
    }
    pushed.push_back("1 77 bestmove e2e4 TS=5");
    pushed.push_back(info(1, 5001));
    pushed.push_back("0 usermove e7e5");

    // Engine 1 has one analysis line more, after its move.
    const auto kept = [](const std::string& line) {
        const std::size_t nodes = line.find("info nodes ");
        if (nodes == std::string::npos) {
            return line[0] != '0';
        }
        const int newest = line[0] == '1' ? 5001 : 5000;
        return std::stoi(line.substr(nodes + 11)) > newest - static_cast<int>(LineQueue::waiting_info_limit);
    };
    Lines expected = {"0 usermove e7e5", "0 quit"};
    std::copy_if(pushed.begin(), pushed.end(), std::back_inserter(expected), kept);
    const Lines handled = served(pushed);
    EXPECT_EQ(handled, expected);
}

}
