#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/core/perft_cases.h"
#include "tests/support/peer_programs.h"

namespace {

const std::string perft_tool = torvane_test::quoted(TORVANE_BINARY_DIR "/tools/perft/perft");

std::string perft(const std::string& arguments) { return torvane_test::run_command(perft_tool + " " + arguments); }

TEST(PerftTool, CountsAndDivides)
{
    EXPECT_EQ(perft(std::string("'") + perft_fens::start + "' 3"), "8902\n");
    EXPECT_EQ(perft(std::string("'") + perft_fens::start + "' 0"), "1\n");
    const std::string divide = perft(std::string("--divide '") + perft_fens::kiwipete + "' 2");
    EXPECT_EQ(divide.rfind("e2a6: 36\n", 0), 0u) << divide;
    EXPECT_NE(divide.find("\ne1g1: 43\n"), std::string::npos) << divide;
    EXPECT_TRUE(divide.ends_with("\n\n2039\n")) << divide;
    // Chess960 castling is written as the king taking its rook.
    EXPECT_NE(perft(std::string("--divide '") + perft_fens::chess960_c + "' 1").find("f1g1: 1\n"), std::string::npos);
}

TEST(PerftTool, RefusesBadArguments)
{
    for (const char* arguments : {"", "--divide", "'8/8/8/8/8/8/8/8 w - - 0 1'", "x 3", "'4k3/8/8/8/8/8/8/4K3 w - - 0 1' -1",
                                  "'4k3/8/8/8/8/8/8/4K3 w - - 0 1' 3x", "'not a position' 2"})
        EXPECT_THROW(perft(std::string(arguments) + " 2>/dev/null"), std::runtime_error) << arguments;
}

}
