#include "app/opening_suite_label.h"

#include <gtest/gtest.h>

TEST(OpeningSuiteLabel, ShowsTheFileNameWithoutExtensionInFiftyBytesAtMost)
{
    const std::string sixty(60, 'o');
    const std::string accent = "\xc3\xa9";  // a two-byte character
    const struct {
        std::string path;
        std::string label;
    } cases[] = {
        {"/home/a/suites/openings.pgn", "openings"},
        {"/home/a/suites.old/openings", "openings"},  // no extension: the whole name
        {"suite.2024.epd", "suite.2024"},
        {"/x/" + sixty + ".epd", std::string(50, 'o')},
        {"/x/" + std::string(49, 'a') + accent + ".pgn", std::string(49, 'a')},  // never half a character
        {"/x/" + std::string(48, 'a') + accent + ".pgn", std::string(48, 'a') + accent},
        {"/x/bad\xff.pgn", "bad?"},
        {"", ""},  // the chooser cancelled: no suite
    };
    for (const auto& c : cases)
        EXPECT_EQ(opening_suite_label(c.path), c.label) << c.path;
}
