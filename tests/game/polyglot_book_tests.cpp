#include "game/polyglot_book.h"
#include "game/polyglot_key.h"
#include "tests/game/polyglot_book_file.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>

using polyglot_test::RawEntry;

namespace {

constexpr std::uint64_t start_key = 0x463B96181691FC9CULL;

class PolyglotBookTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const std::string& name) const { return m_dir + "/" + name; }

    PolyglotBook open_book(const std::string& name, const std::vector<RawEntry>& entries,
                           const std::string& trailing = "")
    {
        polyglot_test::write_book(path(name), entries, trailing);
        PolyglotBook book;
        book.set_filename(path(name));
        book.open();
        return book;
    }

    std::string m_dir = torvane_test::make_temp_dir("polyglot-book");
};

std::vector<std::uint16_t> moves_of(const std::vector<PolyglotEntry>& entries)
{
    std::vector<std::uint16_t> moves;
    for (const PolyglotEntry& entry : entries)
        moves.push_back(static_cast<std::uint16_t>(entry.move().value()));
    return moves;
}

std::vector<std::uint16_t> moves_of(const std::vector<RawEntry>& entries)
{
    std::vector<std::uint16_t> moves;
    for (const RawEntry& entry : entries)
        moves.push_back(entry.move);
    return moves;
}

}

TEST(PolyglotMoveTest, FieldsAndText)
{
    struct Case {
        int value;
        int from, to, promotion;
        const char* text;
    };
    // e2e4; white short and long castling onto the rook; black short castling;
    // promotions to each piece; a black promotion.
    const Case cases[] = {
        {12 << 6 | 28, 12, 28, 0, "e2e4"},
        {4 << 6 | 7, 4, 7, 0, "e1h1"},
        {4 << 6 | 0, 4, 0, 0, "e1a1"},
        {60 << 6 | 63, 60, 63, 0, "e8h8"},
        {4 << 12 | 52 << 6 | 60, 52, 60, 4, "e7e8q"},
        {3 << 12 | 52 << 6 | 61, 52, 61, 3, "e7f8r"},
        {2 << 12 | 49 << 6 | 56, 49, 56, 2, "b7a8b"},
        {1 << 12 | 11 << 6 | 3, 11, 3, 1, "d2d1n"},
        {5 << 12 | 11 << 6 | 3, 11, 3, 5, "d2d1"},
    };
    for (const Case& c : cases) {
        PolyglotMove move;
        move.set(c.value);
        EXPECT_EQ(move.from(), c.from) << c.text;
        EXPECT_EQ(move.to(), c.to) << c.text;
        EXPECT_EQ(move.promotion(), c.promotion) << c.text;
        EXPECT_EQ(move.str(), c.text);
    }
}

TEST(PolyglotMoveTest, SettersKeepTheOtherFields)
{
    PolyglotMove move;
    EXPECT_TRUE(move.is_null());
    EXPECT_EQ(move.set_from(12), 12u << 6);
    EXPECT_EQ(move.set_to(28), (12u << 6) | 28);
    EXPECT_EQ(move.set_promotion(4), (4u << 12) | (12u << 6) | 28);
    EXPECT_EQ(move.set_to(64 + 20), (4u << 12) | (12u << 6) | 20);
    move.set(0x1FFFF);
    EXPECT_EQ(move.value(), 0xFFFFu);
    EXPECT_EQ(move.set_promotion(1), 0x1FFFu);
    PolyglotMove same;
    same.set(0x1FFF);
    EXPECT_EQ(move, same);
    same.clear();
    EXPECT_NE(move, same);
    EXPECT_TRUE(same.is_null());
}

TEST(PolyglotEntryTest, ReadsBigEndianFields)
{
    const std::vector<unsigned char> bytes = {0xF1, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x01, 0x0C,
                                              0xAB, 0xCD, 0x80, 0x00, 0x00, 0x2A};
    const PolyglotEntry entry(bytes);
    EXPECT_EQ(entry.key(), 0xF102030405060708ULL);
    EXPECT_EQ(entry.move().value(), 0x010Cu);
    EXPECT_EQ(entry.move().str(), "e1e2");
    EXPECT_EQ(entry.weight(), 0xABCD);
    EXPECT_EQ(entry.learn(), 0x8000002Au);
    EXPECT_THROW(PolyglotEntry(std::vector<unsigned char>(15)), std::logic_error);
}

TEST(PolyglotKeyTest, PublishedKeys)
{
    struct Case {
        const char* fen;
        std::uint64_t key;
    };
    // The published Polyglot test positions; their en passant fields are given
    // only where a capture is possible, as the format counts them.
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0x463b96181691fc9cULL},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", 0x823c9b50fd114196ULL},
        {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2", 0x0756b94461c50fb0ULL},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 2", 0x662fafb965db29d4ULL},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", 0x22a48b5a8e47ff78ULL},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPPKPPP/RNBQ1BNR b kq - 0 3", 0x652a607ca3f242c1ULL},
        {"rnbq1bnr/ppp1pkpp/8/3pPp2/8/8/PPPPKPPP/RNBQ1BNR w - - 0 4", 0x00fdd303c946bdd9ULL},
        {"rnbqkbnr/p1pppppp/8/8/PpP4P/8/1P1PPPP1/RNBQKBNR b KQkq c3 0 3", 0x3c8123ea7b067637ULL},
        {"rnbqkbnr/p1pppppp/8/8/P6P/R1p5/1P1PPPP1/1NBQKBNR b Kkq - 0 4", 0x5c3f9b829b279560ULL},
    };
    for (const Case& c : cases) {
        PolyglotKey key;
        EXPECT_EQ(key.key_of_fen(c.fen), c.key) << c.fen;
        EXPECT_EQ(key.key(), c.key);
    }
}

TEST(PolyglotKeyTest, FieldsCountAsWritten)
{
    PolyglotKey key;
    const std::uint64_t after_e4 = 0x823c9b50fd114196ULL;
    EXPECT_NE(key.key_of_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"), after_e4);
    // File letters in the castling field (Chess960 notation) carry no Polyglot key.
    const std::string placement = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w ";
    EXPECT_EQ(key.key_of_fen(placement + "HAha - 0 1"), key.key_of_fen(placement + "- - 0 1"));
    // A letter given twice cancels itself.
    EXPECT_EQ(key.key_of_fen(placement + "KKQkq - 0 1"), key.key_of_fen(placement + "Qkq - 0 1"));
    // Anything but "w" is black to move; missing fields add nothing.
    EXPECT_EQ(key.key_of_fen("8/8/8/8/8/8/8/8 b - -"), 0u);
    EXPECT_EQ(key.key_of_fen("8/8/8/8/8/8/8/8 x"), 0u);
    // The placement is read as the board reads it; a bad one keeps the last key.
    for (const char* fen : {"", "k7/8/8/8/8/8/K7 w - -", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNRR w - -", "8/8/x7/8/8/8/8/8 w"}) {
        try {
            key.key_of_fen(fen);
            ADD_FAILURE() << fen << " was read";
        } catch (const std::logic_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind("PolyglotKey::key_of_fen", 0), 0u) << error.what();
        }
        EXPECT_EQ(key.key(), 0u);
    }
}

TEST_F(PolyglotBookTest, MissingFileNamesTheFile)
{
    PolyglotBook book;
    book.set_filename(path("absent.bin"));
    try {
        book.open();
        FAIL() << "open of a missing file succeeded";
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string(error.what()), "PolyglotBook::open() open " + path("absent.bin") + " failed (1)");
    }
    EXPECT_FALSE(book.is_open());
    EXPECT_EQ(book.get_filename(), path("absent.bin"));
    EXPECT_TRUE(book.find_entries(start_key).empty());
    EXPECT_THROW(PolyglotBook named(path("absent.bin")), std::logic_error);
    book.set_filename(m_dir);
    EXPECT_THROW(book.open(), std::logic_error) << "a directory is no book";
    EXPECT_FALSE(book.is_open());
}

TEST_F(PolyglotBookTest, FailedReopenFindsNothing)
{
    PolyglotBook book = open_book("one.bin", {{start_key, 0x31C, 1, 0}});
    ASSERT_EQ(book.find_entries(start_key).size(), 1u);
    book.set_filename(path("absent.bin"));
    EXPECT_EQ(book.find_entries(start_key).size(), 1u) << "the open file stays in use until the next open";
    EXPECT_THROW(book.open(), std::logic_error);
    EXPECT_TRUE(book.find_entries(start_key).empty());
    EXPECT_THROW(book.read_entry(0), std::logic_error);
}

TEST_F(PolyglotBookTest, BookCutShortWhileOpenIsAnError)
{
    PolyglotBook book = open_book("cut.bin", {{1, 1, 0, 0}, {2, 2, 0, 0}, {3, 3, 0, 0}, {start_key, 4, 0, 0}});
    std::filesystem::resize_file(path("cut.bin"), 20);
    EXPECT_EQ(book.read_entry(0).key(), 1u);
    EXPECT_THROW(book.read_entry(3), std::runtime_error);
    EXPECT_THROW(book.find_entries(start_key), std::runtime_error);
}

TEST_F(PolyglotBookTest, ShortFilesHoldNoPartialEntry)
{
    struct Case {
        std::vector<RawEntry> entries;
        std::string trailing;
        int count;
    };
    const Case cases[] = {
        {{}, "", 0},
        {{}, std::string(15, '\x7F'), 0},
        {{{start_key, 1, 2, 3}, {start_key + 1, 4, 5, 6}}, "\x01", 2},
    };
    for (const Case& c : cases) {
        PolyglotBook book = open_book("short.bin", c.entries, c.trailing);
        EXPECT_TRUE(book.is_open());
        EXPECT_EQ(book.size(), c.count);
        EXPECT_EQ(book.find_entries(start_key).size(), c.count > 0 ? 1u : 0u);
        EXPECT_EQ(book.find_entries(start_key + 1).size(), c.count > 0 ? 1u : 0u);
        EXPECT_THROW(book.read_entry(static_cast<std::uint64_t>(c.count)), std::logic_error);
        book.close();
        EXPECT_EQ(book.size(), 0);
        EXPECT_FALSE(book.is_open());
        EXPECT_EQ(book.get_filename(), path("short.bin"));
    }
}

TEST_F(PolyglotBookTest, RunsOfEqualKeysInFileOrder)
{
    const std::uint64_t top = 0x8000000000000000ULL;
    struct Case {
        const char* name;
        std::vector<std::uint64_t> keys; // sorted; the move of entry i is i + 1
        std::uint64_t probe;
        std::vector<std::uint16_t> moves;
    };
    const Case cases[] = {
        {"single entry hit", {50}, 50, {1}},
        {"single entry miss", {50}, 51, {}},
        {"run at the start", {7, 7, 7, 9, 10, 11, 12}, 7, {1, 2, 3}},
        {"run at the end", {1, 2, 3, 4, 8, 8}, 8, {5, 6}},
        {"run fills the book", {5, 5, 5, 5, 5}, 5, {1, 2, 3, 4, 5}},
        {"run in the middle", {1, 2, 4, 4, 4, 4, 6, 7, 8}, 4, {3, 4, 5, 6}},
        {"below the smallest", {3, 4, 5}, 2, {}},
        {"above the largest", {3, 4, 5}, 6, {}},
        {"between two keys", {3, 5, 7, 9}, 6, {}},
        {"top bit orders above", {1, 0x7FFFFFFFFFFFFFFFULL, top, top, top | 1}, top, {3, 4}},
        {"largest key", {1, top, ~0ULL}, ~0ULL, {3}},
        {"zero key", {0, 0, 1}, 0, {1, 2}},
    };
    for (const Case& c : cases) {
        std::vector<RawEntry> entries;
        for (std::size_t i = 0; i < c.keys.size(); ++i)
            entries.push_back({c.keys[i], static_cast<std::uint16_t>(i + 1), 0, 0});
        PolyglotBook book = open_book("runs.bin", entries);
        EXPECT_EQ(moves_of(book.find_entries(c.probe)), c.moves) << c.name;
        EXPECT_EQ(book.find_moves(c.probe).size(), c.moves.size()) << c.name;
    }
}

TEST_F(PolyglotBookTest, AgreesWithALinearScanOnARandomBook)
{
    std::mt19937_64 random(20261208);
    std::vector<std::uint64_t> pool(600);
    for (std::uint64_t& key : pool)
        key = random();
    std::vector<RawEntry> entries(5000);
    for (RawEntry& entry : entries)
        entry = {pool[random() % pool.size()], static_cast<std::uint16_t>(random()),
                 static_cast<std::uint16_t>(random()), static_cast<std::uint32_t>(random())};
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RawEntry& a, const RawEntry& b) { return a.key < b.key; });
    PolyglotBook book = open_book("random.bin", entries);
    ASSERT_EQ(book.size(), 5000);

    std::vector<std::uint64_t> probes = pool;
    for (int i = 0; i < 200; ++i)
        probes.push_back(random());
    for (std::uint64_t key : probes) {
        const std::vector<RawEntry> expected = polyglot_test::entries_of(entries, key);
        const std::vector<PolyglotEntry> found = book.find_entries(key);
        ASSERT_EQ(moves_of(found), moves_of(expected)) << std::hex << key;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].key(), key);
            EXPECT_EQ(found[i].weight(), expected[i].weight);
            EXPECT_EQ(found[i].learn(), expected[i].learn);
        }
    }
}

TEST_F(PolyglotBookTest, LooksUpByFen)
{
    // 1.e4 as the only book move of the start position, written with the e1h1-style encoding.
    PolyglotBook book = open_book("fen.bin", {{start_key, 12 << 6 | 28, 7, 9}});
    const std::vector<PolyglotMove> moves = book.find_moves("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].str(), "e2e4");
    EXPECT_EQ(book.find_entries("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")[0].learn(), 9u);
    EXPECT_TRUE(book.find_moves("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1").empty());
}
