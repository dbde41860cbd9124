#include "gui/choice_grid.h"

#include <gtest/gtest.h>

TEST(ChoiceGrid, ClicksGiveTheCellCodesAndLeftoverPixelsKeepThePrevious)
{
    struct Case {
        int x, y, previous, code;
    };
    // The piece chooser of a 570-pixel window: 213 x 285, cells of 71 x 71;
    // the row of pixels at y = 284 lies past the last full row.
    const Case pieces[] = {
        {0, 0, 0, 1}, {212, 283, 0, 13}, {10, 150, 0, 8}, {80, 80, 0, 5}, {150, 70, 0, 3},
        {150, 71, 0, 6}, {0, 213, 0, 11}, {5, 284, 12, 12}, {-1, 5, 9, 9},
    };
    for (const Case& c : pieces)
        EXPECT_EQ(piece_choice_code(c.x, c.y, 213, 285, c.previous), c.code) << c.x << "," << c.y;
    // The promotion chooser: 142 x 142, cells of 71 x 71.
    const Case promotions[] = {
        {0, 0, 0, 4}, {141, 0, 0, 5}, {0, 141, 0, 6}, {141, 141, 0, 7}, {142, 10, 6, 6}, {10, -3, 0, 0},
    };
    for (const Case& c : promotions)
        EXPECT_EQ(promo_choice_code(c.x, c.y, 142, 142, c.previous), c.code) << c.x << "," << c.y;
    // A grid too small for a cell keeps the previous answer.
    EXPECT_EQ(piece_choice_code(1, 1, 2, 3, 4), 4);
    EXPECT_EQ(promo_choice_code(0, 0, 1, 1, 5), 5);
}
