#include "core/material.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A signature from its text form, e.g. "KRBkrp" (kings are not counted).
Material from_text(const std::string& text)
{
    int counts[2][5] = {};
    const std::string kinds = "qrbnp";
    for (char c : text) {
        const bool white = std::isupper(static_cast<unsigned char>(c));
        const auto kind = kinds.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        if (kind != std::string::npos)
            ++counts[white ? 0 : 1][kind];
    }
    Material material;
    material.clear();
    material.add_white_queens(counts[0][0]);
    material.add_white_rooks(counts[0][1]);
    material.add_white_bishops(counts[0][2]);
    material.add_white_knights(counts[0][3]);
    material.add_white_pawns(counts[0][4]);
    material.add_black_queens(counts[1][0]);
    material.add_black_rooks(counts[1][1]);
    material.add_black_bishops(counts[1][2]);
    material.add_black_knights(counts[1][3]);
    material.add_black_pawns(counts[1][4]);
    material.phase_index();
    return material;
}

const std::string start_text = "KQRRBBNNPPPPPPPPkqrrbbnnpppppppp";

TEST(Material, StartPositionAndBareKings)
{
    const Material start = from_text(start_text);
    EXPECT_EQ(start.text(), start_text);
    EXPECT_EQ(start.phase(), 0u);
    EXPECT_TRUE(start.halves_equal());
    EXPECT_EQ(start.evaluate(), 0);

    const Material bare = from_text("Kk");
    EXPECT_EQ(bare.text(), "Kk");
    EXPECT_EQ(bare.phase(), 1024u);
    EXPECT_EQ(bare.endgame_kind(), 0);
}

TEST(Material, PhaseFromNonPawnMaterial)
{
    // 1024 - floor(npm * 1024 / 6200).
    EXPECT_EQ(from_text("KRkr").phase(), 1024u - 1000u * 1024u / 6200u);
    EXPECT_EQ(from_text("KQQQQQQQk").phase(), 0u);
    EXPECT_EQ(from_text("KPPPPkpppp").phase(), 1024u);
}

// The published per-promotion changes: counts += one piece minus one pawn,
// key ^= the pawn's multiplier xor the piece's.
TEST(Material, PromotionChangesMatchTheirConstants)
{
    struct Case {
        int kind;
        int pawn;
        std::uint64_t counts_change;
        std::uint32_t key_change;
    };
    const std::vector<Case> cases = {
        {promo_queen, 1, 0xFFFF00000000ULL, 0xF0138E70}, {promo_rook, 1, 0xFFF00000000ULL, 0x0552A425},
        {promo_bishop, 1, 0xFF00000000ULL, 0x377041B2},  {promo_knight, 1, 0xF00000000ULL, 0xF23F25AA},
        {promo_queen, 9, 0xFFFFULL, 0xB6E3BEF4},         {promo_rook, 9, 0xFFFULL, 0x59E5FC65},
        {promo_bishop, 9, 0xFFULL, 0xC092183E},          {promo_knight, 9, 0xFULL, 0x11D4B7DA},
    };
    for (const Case& c : cases) {
        Material material = from_text("KPPkpp");
        const std::uint64_t counts = material.counts();
        const std::uint32_t key = material.key();
        const Move promotion(Square(c.pawn == 1 ? 52 : 12), Square(c.pawn == 1 ? 60 : 4), c.kind, c.pawn, 0);
        material.update_make(promotion);
        EXPECT_EQ(material.counts() - counts, c.counts_change) << c.kind << " " << c.pawn;
        EXPECT_EQ(material.key() ^ key, c.key_change) << c.kind << " " << c.pawn;
        material.update_unmake(promotion);
        EXPECT_EQ(material.counts(), counts);
        EXPECT_EQ(material.key(), key);
    }
}

TEST(Material, CapturingPromotionAndTakeBack)
{
    Material material = from_text("KRPkrn");
    const Material before = material;
    // g7xh8=Q taking the black rook.
    material.update_make(Move(Square(54), Square(63), promo_queen, 1, 12));
    EXPECT_EQ(material.text(), "KQRkn");
    EXPECT_EQ(material.phase(), 1024u - 1700u * 1024u / 6200u);
    material.update_unmake(Move(Square(54), Square(63), promo_queen, 1, 12));
    EXPECT_EQ(material.counts(), before.counts());
    EXPECT_EQ(material.key(), before.key());
    EXPECT_EQ(material.phase(), before.phase());
}

TEST(Material, SinglePieceUpdatesAgreeWithCountsForSingletons)
{
    Material built = from_text("KQRBNkqrbn");
    Material stepped;
    stepped.clear();
    for (int code : {5, 4, 3, 2, 13, 12, 11, 10, 6, 14})
        stepped.add_piece(code);
    EXPECT_EQ(stepped.counts(), built.counts());
    EXPECT_EQ(stepped.key(), built.key());
    EXPECT_EQ(stepped.remove_piece(6), 0u);
    EXPECT_EQ(stepped.remove_piece(13), 0x4EE4092Bu);
    EXPECT_EQ(stepped.text(), "KQRBNkrbn");
}

TEST(Material, FlipAndComparisons)
{
    Material material = from_text("KRRPkrp");
    EXPECT_TRUE(material.white_greater());
    material.flip();
    EXPECT_TRUE(material.white_less());
    EXPECT_EQ(material.text(), "KRPkrrp");
    material.flip();
    EXPECT_EQ(material, from_text("KRRPkrp"));
    EXPECT_TRUE(from_text("KQk") != from_text("Kkq"));
    EXPECT_TRUE(from_text("KRk") < from_text("KQk"));
    Material copy;
    EXPECT_EQ(copy.assign(material), material.counts());
}

TEST(Material, EvaluateWorkedExamples)
{
    struct Case {
        const char* text;
        int score;
    };
    const std::vector<Case> cases = {
        {"KRkbp", 0},     // rook against minor and pawn
        {"KBPkr", 0},     // the same, colours exchanged
        {"KQk", 1000},    // no pawns, outside the halving band
        {"KBk", 125},     // lone minor 250, halved without pawns
        {"KQkr", 450},    // queen against rook
        {"KRkq", -450},
        {"KNkpp", -60},   // a lone knight cannot stop two pawns from counting
        {"KPPkb", 60},
        {"KBNk", 630},    // 650 for two minors, knight without pawns -20
        {"KRPkr", 100},   // 100, then progress +10 per own pawn, -10 per enemy piece
        {"KBBPkbnp", 65}, // knight with one pawn -15, the bishop pair +50
    };
    for (const Case& c : cases)
        EXPECT_EQ(from_text(c.text).evaluate(), c.score) << c.text;
}

// A set-up position may hold more than eight pawns of a colour (counts go to
// 15); the pawn-dependent tables end at eight and are read no further.
TEST(Material, MorePawnsThanTheTablesCover)
{
    // Two pawns more: 200, and 10 each for progress; the knight keeps its eight-pawn bonus.
    EXPECT_EQ(from_text("KNPPPPPPPPPPk").evaluate(), from_text("KNPPPPPPPPk").evaluate() + 220);
    EXPECT_EQ(from_text("KRPPPPPPPPPPPPPPPk").white_pawns(), 15);
}

TEST(Material, EndgameKinds)
{
    struct Case {
        const char* text;
        int kind;
    };
    const std::vector<Case> cases = {
        {"KBBk", 1},   {"Kkbb", 1},     {"KBNk", 2},   {"KNNk", 3},     {"KBPk", 4},   {"KQkr", 5},
        {"Kqkr", 0},   {"KRkq", 5},     {"KQk", 6},    {"KRk", 7},      {"KQkq", 8},   {"KRkr", 9},
        {"KPk", 10},   {"KRPkr", 11},   {"KRBkr", 12}, {"KRNkr", 13},   {"KRBkrp", 14}, {"KRPkrb", 14},
        {"KRNkrp", 15}, {"KRBkrpp", 16}, {"KRNkrpp", 17}, {"KQQk", 0},  {"KBkn", 0},   {"KNPk", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(from_text(c.text).endgame_kind(), c.kind) << c.text;
}

TEST(Material, TraceFollowsTheSteps)
{
    const std::string start_trace = from_text(start_text).print();
    EXPECT_EQ(start_trace.rfind("Material:\n-------- \n  wp=8\n  bp=8\n  wminor=4\n", 0), 0u);
    EXPECT_NE(start_trace.find("  score=0     (pair of bishops)\n"), std::string::npos);
    EXPECT_TRUE(start_trace.ends_with("  score=0     (progress)\n"));
    EXPECT_NE(from_text("KRRkr").print().find("  score=500     (redundant rook penalty)\n"), std::string::npos);

    // The trace divides a small pawnless score by ten where evaluate() halves it.
    const std::string lone_bishop = from_text("KBk").print();
    EXPECT_NE(lone_bishop.find("  score=25     (sufficient mating material)\n"), std::string::npos);
}

}
