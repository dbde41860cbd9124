#include "eco/eco_classifier.h"

#include <gtest/gtest.h>

namespace {

struct Named {
    std::string eco, opening, variation;
    bool operator==(const Named&) const = default;
};

Named classify(const EcoClassifier& classifier, std::uint64_t key)
{
    return {classifier.get_eco(key), classifier.get_opening(key), classifier.get_variation(key)};
}

void PrintTo(const Named& named, std::ostream* out)
{
    *out << '"' << named.eco << "\", \"" << named.opening << "\", \"" << named.variation << '"';
}

}

TEST(EcoClassifierTest, NamesKnownKeys)
{
    const EcoClassifier classifier;
    struct Case {
        std::uint64_t key;
        Named named;
    };
    const Case cases[] = {
        {0xeccee3b4b02790b8ULL, {"A00", "Polish (Sokolsky) opening", ""}},
        // The four keys of two records each answer with the later record.
        {0xb536da19561976faULL, {"C43", "Petrov", "Urusov gambit"}},
        {0x564cd70e15bf3469ULL, {"C33", "KGA", "bishop's gambit, Gifford variation"}},
        {0x8a947a97d332d77dULL, {"D90", "Gruenfeld", "Schlechter variation"}},
        {0xd0852cd18aa5813fULL, {"D43", "QGD semi-Slav", "Hastings variation"}},
        // The start position and a made-up key are not in the table.
        {0x463B96181691FC9CULL, {"", "", ""}},
        {0x0123456789abcdefULL, {"", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classify(classifier, c.key), c.named) << std::hex << c.key;
}
