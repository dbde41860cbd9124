#include "eco/eco_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

constexpr std::uint64_t start_key = 0x463B96181691FC9CULL;

}

TEST(EcoTableTest, KnownRows)
{
    struct Row {
        std::size_t index;
        const char* eco;
        const char* opening;
        const char* variation;
        std::uint64_t key;
    };
    const Row rows[] = {
        {0, "A00", "Polish (Sokolsky) opening", "", 0xeccee3b4b02790b8ULL},
        {1, "A00", "Polish", "Tuebingen variation", 0x6d427c500aa5fdc1ULL},
        {50, "A04", "Reti opening", "", 0x9d5f7aee7e779da1ULL},
        {78, "A10", "English opening", "", 0xca18093c559e579bULL},
        {178, "A40", "Queen's pawn", "", 0x830eb9b20758d1deULL},
        {287, "A80", "Dutch", "", 0x1761df2bb9d0fc00ULL},
        {337, "A99", "Dutch", "Ilyin-Genevsky variation with b3", 0x21b275e810effcb1ULL},
        {338, "B00", "King's pawn opening", "", 0x823c9b50fd114196ULL},
        {358, "B01", "Scandinavian (centre counter) defence", "", 0x0756b94461c50fb0ULL},
        {493, "B20", "Sicilian defence", "", 0x644d4afe02564aebULL},
        {668, "B90", "Sicilian", "Najdorf", 0x09a2250f4dfc8f82ULL},
        {687, "B99", "Sicilian", "Najdorf, 7...Be7 main line", 0xe7a6f486c5d2aeeeULL},
        {688, "C00", "French defence", "", 0xf44b6961e533d1c4ULL},
        {803, "C20", "King's pawn game", "", 0x0844931a6ef4b9a0ULL},
        {844, "C24", "Bishop's opening", "Urusov gambit", 0xb536da19561976faULL},
        {927, "C33", "KGA", "bishop's gambit, Chigorin's attack", 0x564cd70e15bf3469ULL},
        {945, "C33", "KGA", "bishop's gambit, Gifford variation", 0x564cd70e15bf3469ULL},
        {1017, "C40", "King's knight opening", "", 0xd3207fec0612d89dULL},
        {1087, "C43", "Petrov", "Urusov gambit", 0xb536da19561976faULL},
        {1310, "C60", "Ruy Lopez (Spanish opening)", "", 0x4b1376a17217ee1dULL},
        {1491, "C99", "Ruy Lopez", "closed, Chigorin, 12...c5d4", 0xaa348851dbbe87adULL},
        {1492, "D00", "Queen's pawn game", "", 0x06649ba69b8c9ff8ULL},
        {1548, "D15", "QGD Slav", "Schlechter variation", 0x8a947a97d332d77dULL},
        {1607, "D30", "QGD", "Hastings variation", 0xd0852cd18aa5813fULL},
        {1657, "D43", "QGD semi-Slav", "Hastings variation", 0xd0852cd18aa5813fULL},
        {1790, "D90", "Gruenfeld", "Schlechter variation", 0x8a947a97d332d77dULL},
        {1815, "D99", "Gruenfeld defence", "Smyslov, Yugoslav variation", 0x673d7426138a5873ULL},
        {1816, "E00", "Queen's pawn game", "", 0x22b4e052f18fab1dULL},
        {2013, "E99", "King's Indian", "orthodox, Aronin-Taimanov, Benko attack", 0x7f15a97b728630a8ULL},
    };
    ASSERT_EQ(eco_table.size(), 2014u);
    for (const Row& row : rows) {
        const EcoRecord& record = eco_table.at(row.index);
        EXPECT_EQ(record.m_eco, row.eco) << row.index;
        EXPECT_EQ(record.m_opening, row.opening) << row.index;
        EXPECT_EQ(record.m_variation, row.variation) << row.index;
        EXPECT_EQ(record.m_key, row.key) << row.index;
    }
}

TEST(EcoTableTest, CodesInOrderWithTheirCounts)
{
    std::map<char, int> per_letter;
    std::map<std::string_view, int> per_code;
    for (std::size_t i = 0; i < eco_table.size(); ++i) {
        const EcoRecord& record = eco_table[i];
        ASSERT_EQ(record.m_eco.size(), 3u) << i;
        ASSERT_TRUE(record.m_eco[0] >= 'A' && record.m_eco[0] <= 'E') << i;
        if (i > 0) {
            EXPECT_LE(eco_table[i - 1].m_eco, record.m_eco) << i;
        }
        ++per_letter[record.m_eco[0]];
        ++per_code[record.m_eco];
    }
    EXPECT_EQ(per_letter, (std::map<char, int>{{'A', 338}, {'B', 350}, {'C', 804}, {'D', 324}, {'E', 198}}));
    EXPECT_EQ(per_code.size(), 500u);
    EXPECT_EQ(per_code["C33"], 37);
    EXPECT_EQ(per_code["C44"], 37);
    for (const auto& [code, count] : per_code)
        EXPECT_LE(count, 37) << code;
}

TEST(EcoTableTest, Texts)
{
    int empty_variations = 0;
    std::size_t longest_opening = 0, longest_variation = 0;
    std::set<std::string_view> openings;
    for (const EcoRecord& record : eco_table) {
        EXPECT_FALSE(record.m_opening.empty());
        empty_variations += record.m_variation.empty();
        longest_opening = std::max(longest_opening, record.m_opening.size());
        longest_variation = std::max(longest_variation, record.m_variation.size());
        openings.insert(record.m_opening);
        for (std::string_view text : {record.m_opening, record.m_variation})
            for (char c : text)
                EXPECT_TRUE(c >= ' ' && c <= '~') << text;
    }
    EXPECT_EQ(empty_variations, 368);
    EXPECT_EQ(longest_opening, 57u);
    EXPECT_EQ(longest_variation, 79u);
    EXPECT_EQ(openings.size(), 282u);
}

TEST(EcoTableTest, KeysTwiceAndTheStartPositionAbsent)
{
    std::map<std::uint64_t, std::vector<std::size_t>> indices_by_key;
    for (std::size_t i = 0; i < eco_table.size(); ++i)
        indices_by_key[eco_table[i].m_key].push_back(i);
    EXPECT_EQ(indices_by_key.size(), 2010u);
    std::map<std::uint64_t, std::vector<std::size_t>> twice;
    for (const auto& [key, indices] : indices_by_key)
        if (indices.size() > 1)
            twice[key] = indices;
    const std::map<std::uint64_t, std::vector<std::size_t>> expected = {
        {0xb536da19561976faULL, {844, 1087}},
        {0x564cd70e15bf3469ULL, {927, 945}},
        {0x8a947a97d332d77dULL, {1548, 1790}},
        {0xd0852cd18aa5813fULL, {1607, 1657}},
    };
    EXPECT_EQ(twice, expected);
    EXPECT_EQ(indices_by_key.count(start_key), 0u);
}
