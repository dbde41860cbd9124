#include "app/board_drop.h"
#include "app/fen_line_check.h"
#include "app/setup_edit.h"
#include "core/square.h"

#include <gtest/gtest.h>

TEST(FenLineCheck, AcceptsFenAndEpdSyntaxOnly)
{
    const char* const good[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "  4k3/8/8/8/8/8/8/4K3 b - - bm Kd7; id \"x\";",
        "8/8/8/8/8/8/8/8 w HAha -",      // no kings: not this check's business
        "4k3/8/8/8/8/8/8/4K3 w - e1",    // any rank for en passant
        "4k3/8/8/8/8/8/8/4K3 w KQkq h8 junk",
    };
    const char* const bad[] = {
        "4k3/8/8/8/8/8/8/4K3 w - - 9",          // fine: extra fields are ignored
        "4k3/8/8/9/8/8/8/4K3 w - -",  "4k3/8/8/0p6/8/8/8/4K3 w - -", "4k3/pppppppp1/8/8/8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/4K3 w - -",    "4k3/8/8/8/8/8/8/8/4K3 w - -", "4k3/8/8//8/8/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/4K3 W - -",  "4k3/8/8/8/8/8/8/4K3 w KQkqK -", "4k3/8/8/8/8/8/8/4K3 w Kx -",
        "4k3/8/8/8/8/8/8/4K3 w - e",  "4k3/8/8/8/8/8/8/4K3 w - i3",   "4k3/8/8/8/8/8/8/4K3 w - e9",
        "",                            "4k3/8/8/8/8/8/8/4K3 w -",     "4k3/8/8/8/8/8/8/4KX2 w - -",
    };
    for (const char* line : good)
        EXPECT_TRUE(fen_line_is_valid(line)) << line;
    EXPECT_TRUE(fen_line_is_valid(bad[0]));
    for (std::size_t i = 1; i < std::size(bad); ++i)
        EXPECT_FALSE(fen_line_is_valid(bad[i])) << bad[i];
}

TEST(BoardDrop, FindsTheLegalMoveOfADrop)
{
    struct Case {
        const char* fen;
        const char* from;
        const char* to;
        int promotion;
        const char* move;  // "0000" when the drop makes no move
        bool asks;
    };
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2", "e4", 0, "e2e4", false},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2", "e5", 0, "0000", false},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e7", "e5", 0, "0000", false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1", "g1", 0, "e1g1", false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1", "h1", 0, "e1g1", false},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8", "c8", 0, "e8c8", false},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7", "e8", 7, "e7e8n", true},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7", "e8", 4, "e7e8q", true},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7", "e8", 0, "0000", true},
        {"k3r3/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7", "e8", 4, "0000", true},
        {"4k3/8/8/8/8/8/3p4/4K3 b - - 0 1", "d2", "d1", 5, "d2d1r", true},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6", 0, "e5d6", false},
    };
    for (const Case& c : cases) {
        ChessPosition position;
        position.set_fen(c.fen);
        const int from = static_cast<int>(Square(std::string(c.from)).value());
        const int to = static_cast<int>(Square(std::string(c.to)).value());
        EXPECT_EQ(move_for_drop(position, from, to, c.promotion).to_string(), c.move) << c.fen << " " << c.from;
        EXPECT_EQ(drop_needs_promotion_piece(position, from, to), c.asks) << c.fen << " " << c.from;
    }
}

TEST(BoardDrop, NamesMateAndStalemate)
{
    const std::pair<const char*, const char*> cases[] = {
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", "0-1 {Black mates}"},
        {"k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", "1-0 {White mates}"},
        {"k7/8/1Q6/8/8/8/8/7K b - - 0 1", "1/2-1/2 {Stalemate}"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", ""},
    };
    for (const auto& [fen, result] : cases) {
        ChessPosition position;
        position.set_fen(fen);
        EXPECT_EQ(result_on_board(position), result) << fen;
    }
}

TEST(SetupEdit, EditsThePiecesAndPassesTheMove)
{
    struct Case {
        const char* fen;
        int from;
        int to;
        int choice;         // piece-chooser answer for a click on an empty square
        const char* after;  // the FEN after the edit and the pass of the move
    };
    const Case cases[] = {
        // Clicking a black rook removes it; White keeps the move.
        {"r3k3/8/8/8/8/8/8/4K3 w - - 0 1", 56, 56, 0, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        // ... and with Black to move, the move passes to White.
        {"r3k3/8/8/8/8/8/8/4K3 b - - 0 1", 56, 56, 0, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        // A bishop dragged onto a king changes nothing but passes the move.
        {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", 2, 60, 0, "4k3/8/8/8/8/8/8/2B1K3 b - - 0 1"},
        // A pawn dragged to the last rank disappears; a capture removes the target.
        {"3rk3/4P3/8/8/8/8/8/4K3 w - - 0 1", 52, 59, 0, "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"3rk3/8/8/8/8/8/8/3QK3 w - - 0 1", 3, 59, 0, "3Qk3/8/8/8/8/8/8/4K3 b - - 0 1"},
        // Clicking a king of the side to move only passes the move.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 4, 4, 0, "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        // An empty square and a chosen piece: a white queen, a black knight,
        // a white pawn on rank 8 (not put, the move still passes), a king (never put).
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 28, 28, 5, "4k3/8/8/8/4Q3/8/8/4K3 b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 28, 28, 9, "4k3/8/8/8/4n3/8/8/4K3 w - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 56, 56, 1, "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 28, 28, 13, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 28, 28, 7, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
    };
    for (const Case& c : cases) {
        ChessPosition position;
        position.set_fen(c.fen);
        Piece piece;
        if (c.from != c.to) {
            piece = setup_drag(position, c.from, c.to);
        } else if (!position.piece_on(Square(c.from)).is_empty()) {
            piece = setup_click(position, c.from);
        } else {
            piece = chosen_piece(c.choice);
            setup_put(position, c.from, piece);
        }
        pass_move_after_edit(position, piece);
        position.set_fen(position.fen());
        EXPECT_EQ(position.fen(), c.after) << c.fen << " " << c.from << "-" << c.to;
    }
}
