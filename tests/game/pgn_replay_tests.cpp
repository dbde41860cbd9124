#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/peer_programs.h"

namespace {

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(PgnReplayTool, PrintsEveryMainLineMoveAndGoesOnAfterABadGame)
{
    const std::string dir = torvane_test::make_temp_dir("pgn_replay");
    const std::string file = dir + "/games.pgn";
    std::ofstream(file) << "[Event \"a\"]\n\n1. e4 (1. d4 d5) e5 2. Nf3 Nc6 3. Bb5 a6 4. Bxc6 dxc6 5. O-O *\n\n"
                           "[Event \"bad\"]\n\n1. e4 e5 2. Ke3 *\n\n"
                           "[Event \"c\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 30\"]\n\n30. exd6 Kd7 1-0\n\n"
                           "[Event \"damaged\"]\n\n1. e4 \xC3\xA9 *\n\n"
                           "[Event \"number\"]\n\n1. e4 e5 99999999999. Nf3 *\n\n"
                           "[Event \"damaged at the end\"]\n[Site \"" + std::string(5000, 's') + "\"]\n\n*\n";
    const auto lines = lines_of(torvane_test::run_command(
        torvane_test::quoted(TORVANE_BINARY_DIR "/tools/pgn-replay/pgn-replay") + " " + torvane_test::quoted(file)));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "e4 rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1 823c9b50fd114196");
    EXPECT_EQ(lines[6], "Bxc6 r1bqkbnr/1ppp1ppp/p1B5/4p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 0 4 c8cbbdb43361c6fa");
    EXPECT_EQ(lines[8].substr(0, 4), "O-O ");
    EXPECT_EQ(lines[9].rfind("game 2 cannot be read: ", 0), 0u) << lines[9];
    EXPECT_EQ(lines[10].substr(0, 5), "exd6 ");
    EXPECT_EQ(lines[11].substr(0, 4), "Kd7 ");
    EXPECT_EQ(lines[12], "game 4 cannot be read: a byte above 127 stands between the moves");
    EXPECT_EQ(lines[13], "game 5 cannot be read: MoveSection::load   move number 99999999999 too large, after 1...e5");
    EXPECT_EQ(lines[14], "game 6 cannot be read: a tag pair is over 4096 bytes");
}

}
