#include "core/chess_position.h"
#include "eco/eco_classifier.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The "ECO" and "Opening" tags of a game as the main window keeps them: after
// every move they take the names of the new position when the table knows it,
// and keep the last names found otherwise.
struct OpeningTags {
    std::string eco;
    std::string opening;
    bool operator==(const OpeningTags&) const = default;
};

void PrintTo(const OpeningTags& tags, std::ostream* out)
{
    *out << '"' << tags.eco << "\", \"" << tags.opening << '"';
}

OpeningTags tags_after(const EcoClassifier& classifier, const std::string& moves)
{
    ChessPosition position;
    position.set_start_position();
    OpeningTags tags;
    std::istringstream in(moves);
    for (std::string move; in >> move;) {
        position.make_move(position.convert_to_move(move));
        if (const std::string eco = classifier.get_eco(position.hash_key()); !eco.empty())
            tags = {eco, classifier.get_opening(position.hash_key())};
    }
    return tags;
}

std::uint64_t key_after(const std::string& moves)
{
    ChessPosition position;
    position.set_start_position();
    std::istringstream in(moves);
    for (std::string move; in >> move;)
        position.make_move(position.convert_to_move(move));
    return position.hash_key();
}

}

TEST(EcoClassifierGameTest, PositionsReachedByMoves)
{
    const EcoClassifier classifier;
    struct Case {
        const char* moves;
        const char* eco;
        const char* opening;
        const char* variation;
    };
    const Case cases[] = {
        {"e2e4", "B00", "King's pawn opening", ""},
        {"e2e4 d7d5", "B01", "Scandinavian (centre counter) defence", ""},
        {"e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6", "B90", "Sicilian", "Najdorf"},
        // The Urusov gambit by both move orders: one position, named by the later record.
        {"e2e4 e7e5 g1f3 g8f6 d2d4 e5d4 f1c4", "C43", "Petrov", "Urusov gambit"},
        {"e2e4 e7e5 f1c4 g8f6 d2d4 e5d4 g1f3", "C43", "Petrov", "Urusov gambit"},
        {"g1f3 g8f6", "A05", "Reti opening", ""},
        {"a2a3", "A00", "Anderssen's opening", ""},
        {"a2a3 a7a6", "", "", ""},
        {"g1f3 g8f6 f3g1", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        const std::uint64_t key = key_after(c.moves);
        EXPECT_EQ(classifier.get_eco(key), c.eco) << c.moves;
        EXPECT_EQ(classifier.get_opening(key), c.opening) << c.moves;
        EXPECT_EQ(classifier.get_variation(key), c.variation) << c.moves;
    }
}

TEST(EcoClassifierGameTest, TagsKeepTheLastPositionFound)
{
    const EcoClassifier classifier;
    EXPECT_EQ(tags_after(classifier, "a2a3 a7a6"), (OpeningTags{"A00", "Anderssen's opening"}));
    EXPECT_EQ(tags_after(classifier, "g1f3 g8f6 f3g1"), (OpeningTags{"A05", "Reti opening"}));
    EXPECT_EQ(tags_after(classifier, "g1f3 g8f6 f3g1 f6g8"), (OpeningTags{"A05", "Reti opening"}));
    EXPECT_EQ(tags_after(classifier, "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6 h2h3 h7h6"),
              (OpeningTags{"B90", "Sicilian"}));
}
