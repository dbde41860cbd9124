// Every row of the ECO table against pgn-extract's reading of the data set:
// the same tags, and the key of the line's last position as pgn-extract
// hashes it.

#include "eco/eco_table.h"
#include "tests/game/hash_comments.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <vector>

namespace {

struct AnnotatedLine {
    std::string eco, opening, variation;
    std::string last_hash; // as pgn-extract prints it: hexadecimal without leading zeros
};

std::vector<AnnotatedLine> annotated_data_set()
{
    const std::string output = torvane_test::run_command(torvane_test::peer_program("pgn-extract") +
                                                         " -s --hashcomments -w100000 " +
                                                         torvane_test::quoted(TORVANE_SOURCE_DIR "/eco/data/eco.pgn") +
                                                         " 2>/dev/null");
    std::vector<AnnotatedLine> lines;
    std::istringstream in(output);
    for (std::string text; std::getline(in, text);) {
        if (text.starts_with("[") && text.ends_with("\"]")) {
            const std::size_t blank = text.find(" \"");
            const std::string name = text.substr(1, blank - 1);
            const std::string value = text.substr(blank + 2, text.size() - blank - 4);
            if (name == "Event")
                lines.emplace_back();
            else if (name == "ECO")
                lines.back().eco = value;
            else if (name == "Opening")
                lines.back().opening = value;
            else if (name == "Variation")
                lines.back().variation = value;
            continue;
        }
        const std::vector<std::string> hashes = hash_comments(text);
        if (!hashes.empty())
            lines.back().last_hash = hashes.back();
    }
    return lines;
}

std::string padded_hex(std::uint64_t key)
{
    std::ostringstream out;
    out << std::hex << std::setw(16) << std::setfill('0') << key;
    return out.str();
}

}

TEST(EcoTablePeerTest, EveryRowMatchesPgnExtract)
{
    const std::vector<AnnotatedLine> lines = annotated_data_set();
    ASSERT_EQ(lines.size(), eco_table.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EcoRecord& record = eco_table[i];
        ASSERT_FALSE(lines[i].last_hash.empty()) << i;
        EXPECT_EQ(padded_hex(record.m_key), std::string(16 - lines[i].last_hash.size(), '0') + lines[i].last_hash) << i;
        EXPECT_EQ(record.m_eco, lines[i].eco) << i;
        EXPECT_EQ(record.m_opening, lines[i].opening) << i;
        EXPECT_EQ(record.m_variation, lines[i].variation) << i;
    }
}
