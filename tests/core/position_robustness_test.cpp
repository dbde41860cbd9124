#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"
#include "tests/core/reference_rules.h"

namespace {

using namespace reference_rules;

const char* const seeds[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
    "1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w BGbg - 0 1",
};

const std::string alphabet = "pnbrqkPNBRQK012345678/ wb-KQkqABCDEFGHabcdefgh369x\xE9";

std::string mutate(std::string text, std::mt19937& random)
{
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        const std::size_t at = random() % text.size();
        const char letter = alphabet[random() % alphabet.size()];
        switch (random() % 3) {
        case 0: text[at] = letter; break;
        case 1: text.insert(text.begin() + static_cast<long>(at), letter); break;
        default: text.erase(at, 1); break;
        }
    }
    return text;
}

// Damaged FEN text is either refused, leaving the position as it was, or read
// into a position whose every legal move makes and takes back cleanly.
TEST(PositionRobustnessTest, DamagedFenIsRefusedOrGivesASoundPosition)
{
    std::mt19937 random(4242);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = mutate(seeds[round % 4], random);
        ChessPosition position;
        position.set_start_position();
        const std::string before = position.fen();
        try {
            position.set_fen(text);
        } catch (const std::logic_error&) {
            EXPECT_EQ(position.fen(), before) << text;
            continue;
        }
        ++accepted;
        ChessPosition again;
        again.set_fen(position.fen());
        EXPECT_EQ(again.fen(), position.fen()) << text;
        EXPECT_EQ(again.hash_key(), position.hash_key()) << text;
        MoveList list;
        MoveGenerator generator;
        generator.generate(position, list);
        for (const Move& move : list) {
            const Snapshot snapshot(position);
            position.make_move(move);
            expect_attack_info_current(position, text + " after " + move.to_string(true));
            position.take_back();
            EXPECT_TRUE(Snapshot(position) == snapshot) << text << " " << move.to_string(true);
        }
    }
    EXPECT_GT(accepted, 200);
}

TEST(PositionRobustnessTest, AnyCoordinateTextLeavesThePositionAlone)
{
    std::mt19937 random(99);
    const std::string promotions = "qrbnQx";
    for (const char* fen : seeds) {
        ChessPosition position;
        position.set_fen(fen);
        const Snapshot before(position);
        for (int round = 0; round < 3000; ++round) {
            // Mostly well formed: every pair of squares, with or without a letter.
            std::string text = Square(static_cast<int>(random() % 64)).name() + Square(static_cast<int>(random() % 64)).name();
            if (random() % 3 == 0) {
                text += promotions[random() % promotions.size()];
            }
            try {
                (void)position.convert_to_move(text);
            } catch (const std::logic_error&) {
            }
        }
        EXPECT_TRUE(Snapshot(position) == before) << fen;
    }
}

}
