#include "gui/arrow.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double pi = 3.14159265;

TEST(ArrowTest, CentresAreMeasuredUpwardFromTheBottomEdge)
{
    const Arrow arrow = make_arrow(12, 28, arrow_green, 70, 70);  // e2 to e4
    EXPECT_EQ(arrow.x_from, 4 * 70 + 35);
    EXPECT_EQ(arrow.y_from, 70 + 35);
    EXPECT_EQ(arrow.x_to, 4 * 70 + 35);
    EXPECT_EQ(arrow.y_to, 3 * 70 + 35);
    EXPECT_EQ(arrow.colour, arrow_green);
    // Odd square sizes round the centre down.
    const Arrow odd = make_arrow(0, 63, arrow_red, 75, 75);
    EXPECT_EQ(odd.x_from, 37);
    EXPECT_EQ(odd.y_to, 7 * 75 + 37);
}

TEST(ArrowTest, AnglesOfStraightAndDiagonalArrows)
{
    struct Case {
        int from;
        int to;
        double angle;
    };
    for (const Case& c : {Case{12, 28, 0.0}, Case{28, 12, pi}, Case{0, 7, std::atan(0.0) + pi + pi / 2},
                          Case{7, 0, pi / 2}, Case{0, 63, pi / 4 + pi + pi / 2}, Case{63, 0, pi / 4 + pi / 2}}) {
        EXPECT_NEAR(make_arrow(c.from, c.to, arrow_blue, 70, 70).angle, c.angle, 1e-7) << c.from << "-" << c.to;
    }
}

// The head's first corner lies in the arrow's direction as seen on the screen
// (y downward), a third of a square from the target centre.
TEST(ArrowTest, HeadPointsAlongTheArrow)
{
    struct Case {
        int from;
        int to;
        double dx;
        double dy;
    };
    const double diagonal = std::sqrt(0.5);
    for (const Case& c : {Case{12, 28, 0, -1}, Case{28, 12, 0, 1}, Case{0, 7, 1, 0}, Case{7, 0, -1, 0},
                          Case{0, 63, diagonal, -diagonal}, Case{63, 0, -diagonal, diagonal}}) {
        const Arrow arrow = make_arrow(c.from, c.to, arrow_red, 72, 72);
        const std::array<Point, 3> head = arrow_head(arrow, 72, 72);
        const double centre_x = arrow.x_to;
        const double centre_y = 8 * 72 - arrow.y_to;
        EXPECT_NEAR(head[0].x, centre_x + 24 * c.dx, 1e-5) << c.from << "-" << c.to;
        EXPECT_NEAR(head[0].y, centre_y + 24 * c.dy, 1e-5) << c.from << "-" << c.to;
        // Equilateral: all corners a third of a square from the centre, sides equal.
        for (const Point& corner : head)
            EXPECT_NEAR(std::hypot(corner.x - centre_x, corner.y - centre_y), 24.0, 1e-5);
        const double side = std::hypot(head[0].x - head[1].x, head[0].y - head[1].y);
        EXPECT_NEAR(std::hypot(head[1].x - head[2].x, head[1].y - head[2].y), side, 1e-5);
        EXPECT_NEAR(std::hypot(head[2].x - head[0].x, head[2].y - head[0].y), side, 1e-5);
    }
}

}
