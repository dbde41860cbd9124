// The committed table is what the generator makes of the committed data set,
// reading it with the project's own PGN, SAN and key code.

#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}

TEST(EcoTableGeneratorTest, ReproducesTheCommittedTable)
{
    const std::string dir = torvane_test::make_temp_dir("eco-table");
    const std::string generated = dir + "/eco_table.cpp";
    torvane_test::run_command(torvane_test::quoted(TORVANE_BINARY_DIR "/tools/eco_table_generator/eco_table_generator") +
                              " " + torvane_test::quoted(TORVANE_SOURCE_DIR "/eco/data/eco.pgn") + " " +
                              torvane_test::quoted(generated));
    const std::string committed = read_file(TORVANE_SOURCE_DIR "/eco/eco_table.cpp");
    ASSERT_FALSE(committed.empty());
    EXPECT_TRUE(read_file(generated) == committed) << "run: cmake --build build --target eco_table";
    std::filesystem::remove_all(dir);
}
