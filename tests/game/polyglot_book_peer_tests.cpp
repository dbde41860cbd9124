// The book reader against books made by Debian's polyglot from games written
// here, with the position keys of those games taken from pgn-extract.

#include "game/polyglot_book.h"
#include "tests/game/polyglot_book_file.h"
#include "tests/game/random_games.h"
#include "tests/game/hash_comments.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

using polyglot_test::RawEntry;

namespace {

constexpr std::uint64_t start_key = 0x463B96181691FC9CULL;

// Castling on both wings by both colours, promotions to every piece by both
// colours, an en passant capture, and shared openings that give one position
// several book moves and several weights.
const char* const book_games = R"([Result "1/2-1/2"]

1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 1/2-1/2

[Result "1-0"]

1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 1-0

[Result "1/2-1/2"]

1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. c3 Nf6 5. d4 exd4 6. cxd4 Bb4+ 7. Bd2 Bxd2+ 8. Nbxd2 d5 1/2-1/2

[Result "1-0"]

1. d4 d5 2. c4 e6 3. Nc3 Nf6 4. Bg5 Be7 5. e3 O-O 6. Nf3 h6 7. Bh4 b6 8. Qc2 Bb7 9. O-O-O c5 1-0

[Result "1/2-1/2"]

1. e4 d5 2. exd5 Qxd5 3. Nc3 Qa5 4. d4 Nc6 5. Nf3 Bg4 6. Be2 O-O-O 7. O-O e5 1/2-1/2

[Result "1/2-1/2"]

1. e4 d5 2. exd5 c6 3. dxc6 Nf6 4. cxb7 Nc6 5. bxa8=Q e5 1/2-1/2

[Result "1/2-1/2"]

1. e4 d5 2. exd5 c6 3. dxc6 Nf6 4. cxb7 Nc6 5. bxa8=N e5 1/2-1/2

[Result "1/2-1/2"]

1. e4 d5 2. exd5 c6 3. dxc6 Nf6 4. cxb7 Nc6 5. bxc8=R Qxc8 1/2-1/2

[Result "1/2-1/2"]

1. e4 d5 2. exd5 c6 3. dxc6 Nf6 4. cxb7 Nc6 5. b8=B e5 1/2-1/2

[Result "0-1"]

1. b4 a5 2. Nc3 axb4 3. Rb1 bxc3 4. Rb2 cxb2 5. e3 bxc1=Q 6. Qxc1 e5 0-1

[Result "1/2-1/2"]

1. b4 a5 2. Nc3 axb4 3. Rb1 bxc3 4. Rb2 cxb2 5. e3 b1=N 6. Bc4 e5 1/2-1/2

[Result "1/2-1/2"]

1. e4 Nf6 2. e5 d5 3. exd6 exd6 4. d4 Be7 1/2-1/2

[Result "1/2-1/2"]

1. e4 Nf6 2. e5 d5 3. d4 c5 4. c3 Nc6 1/2-1/2
)";

class PolyglotBookPeerTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Makes the book of the games and reads the keys of their positions.
    void make_book(const std::string& games)
    {
        std::ofstream(m_dir + "/games.pgn") << games;
        torvane_test::run_command("cd " + torvane_test::quoted(m_dir) + " && " + torvane_test::peer_program("polyglot") +
                                  " make-book -pgn games.pgn -bin book.bin -min-game 1 > /dev/null");
        m_book_entries = polyglot_test::read_book(m_dir + "/book.bin");
        m_keys = position_keys();
    }

    // The start key and the key after every move, as pgn-extract writes them.
    std::set<std::uint64_t> position_keys() const
    {
        const std::string annotated = torvane_test::run_command(
            torvane_test::peer_program("pgn-extract") + " -s --hashcomments -w100000 " + torvane_test::quoted(m_dir + "/games.pgn"));
        std::set<std::uint64_t> keys = {start_key};
        for (const std::string& hash : hash_comments(annotated))
            keys.insert(std::stoull(hash, nullptr, 16));
        return keys;
    }

    // find_entries and find_moves of every game position against a plain reading of the file.
    void expect_every_position_found()
    {
        PolyglotBook book;
        book.set_filename(m_dir + "/book.bin");
        book.open();
        ASSERT_EQ(static_cast<std::size_t>(book.size()), m_book_entries.size());
        for (std::uint64_t key : m_keys) {
            const std::vector<RawEntry> expected = polyglot_test::entries_of(m_book_entries, key);
            const std::vector<PolyglotEntry> found = book.find_entries(key);
            const std::vector<PolyglotMove> moves = book.find_moves(key);
            ASSERT_EQ(found.size(), expected.size()) << std::hex << key;
            ASSERT_EQ(moves.size(), expected.size());
            for (std::size_t i = 0; i < found.size(); ++i) {
                EXPECT_EQ(found[i].key(), key);
                EXPECT_EQ(moves[i].value(), expected[i].move);
                EXPECT_EQ(found[i].weight(), expected[i].weight);
                EXPECT_EQ(found[i].learn(), expected[i].learn);
            }
        }
    }

    std::string m_dir = torvane_test::make_temp_dir("polyglot-peer");
    std::vector<RawEntry> m_book_entries;
    std::set<std::uint64_t> m_keys;
};

}

TEST_F(PolyglotBookPeerTest, BookCoversTheCasesUnderTest)
{
    make_book(book_games);
    std::set<std::uint64_t> book_keys;
    bool castling = false, white_promotion = false, black_promotion = false, run = false, top_bit = false;
    for (const RawEntry& entry : m_book_entries) {
        EXPECT_TRUE(m_keys.count(entry.key)) << "a book key that no game position has: " << std::hex << entry.key;
        run = run || book_keys.count(entry.key);
        book_keys.insert(entry.key);
        const int from = (entry.move >> 6) & 63, to = entry.move & 63;
        castling = castling || ((from == 4 && (to == 0 || to == 7)) || (from == 60 && (to == 56 || to == 63)));
        white_promotion = white_promotion || ((entry.move >> 12) != 0 && to >= 56);
        black_promotion = black_promotion || ((entry.move >> 12) != 0 && to < 8);
        top_bit = top_bit || (entry.key >> 63);
    }
    EXPECT_TRUE(castling && white_promotion && black_promotion && run && top_bit);
    EXPECT_GT(m_keys.size(), book_keys.size()) << "some positions must be missing from the book";
}

TEST_F(PolyglotBookPeerTest, FindsTheEntriesOfEveryGamePosition)
{
    make_book(book_games);
    expect_every_position_found();
}

TEST_F(PolyglotBookPeerTest, FindsTheEntriesOfRandomGames)
{
    std::mt19937 random(20261208);
    std::string games;
    const torvane_test::RandomGameShape shape{.max_plies = 200, .variations = 0, .annotations = false, .start_fen = ""};
    for (int game = 0; game < 150; ++game)
        games += torvane_test::random_game(random, shape).pgn();
    make_book(games);
    ASSERT_GT(m_book_entries.size(), 10000u);
    expect_every_position_found();
}

TEST_F(PolyglotBookPeerTest, BookProbePrintsMovesWeightsAndLearnValues)
{
    make_book(book_games);
    struct Case {
        const char* fen;
        std::uint64_t key;
    };
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", start_key},
        // An en passant field that no pawn can use does not count in a Polyglot key.
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 0x823c9b50fd114196ULL},
        // After 1.e4 Nf6 2.e5 d5 the e5 pawn can take en passant, so d6 counts
        // (the key is pgn-extract's).
        {"rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 0x2158459ff499f8e3ULL},
    };
    const std::string probe = torvane_test::quoted(TORVANE_BINARY_DIR "/tools/book-probe/book-probe") + " " +
                              torvane_test::quoted(m_dir + "/book.bin") + " ";
    for (const Case& c : cases) {
        const std::string printed = torvane_test::run_command(probe + "'" + c.fen + "'");
        std::string expected;
        for (const RawEntry& entry : polyglot_test::entries_of(m_book_entries, c.key)) {
            PolyglotMove move;
            move.set(entry.move);
            expected += move.str() + " " + std::to_string(entry.weight) + " " + std::to_string(entry.learn) + "\n";
        }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(printed, expected) << c.fen;
    }
    EXPECT_EQ(torvane_test::run_command(probe + "'8/8/8/8/8/8/8/K6k w - - 0 1'"), "");
    // A FEN it cannot read is reported, not probed.
    const std::string bad_fens[][2] = {
        {"k7/8/8/8/8/8/K7 w - - 0 1", "book-probe: fen(k7/8/8/8/8/8/K7 w - - 0 1)    syntax error\n"},
        {"QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/K6k w - -", "book-probe: fen   error: more than 16 white pieces\n"},
        {"8/8/8/8/8/8/8/K6k - - 0 1", "book-probe: fen(8/8/8/8/8/8/8/K6k - - 0 1)   error: the side to move is neither w nor b\n"},
    };
    for (const auto& [fen, message] : bad_fens)
        EXPECT_EQ(torvane_test::run_command(probe + "'" + fen + "' 2>&1; test $? -eq 1"), message);
    EXPECT_THROW(torvane_test::run_command(probe + "'8/8/8/8/8/8/8/K6k w - - 0 1' extra 2>/dev/null"),
                 std::runtime_error);
    EXPECT_THROW(torvane_test::run_command(std::string(TORVANE_BINARY_DIR) + "/tools/book-probe/book-probe " + m_dir +
                                           "/absent.bin 'K7/8/8/8/8/8/8/7k w - - 0 1' 2>/dev/null"),
                 std::runtime_error);
}
