#include "gui/arrow.h"

#include <cmath>

namespace {

constexpr double half_turn = 3.14159265;
constexpr double quarter_turn = 1.570796325;
constexpr double third_turn = 2.0943951;

}

Arrow make_arrow(int from, int to, unsigned colour, int w, int h)
{
    Arrow arrow{from, to, (from & 7) * w + w / 2, (from >> 3) * h + h / 2,
                (to & 7) * w + w / 2, (to >> 3) * h + h / 2, colour, 0.0};
    if ((from & 7) == (to & 7)) {
        arrow.angle = from < to ? 0.0 : half_turn;
    } else {
        const double dx = arrow.x_to - arrow.x_from;
        const double dy = arrow.y_to - arrow.y_from;
        arrow.angle = std::atan(dy / dx) + (dx > 0 ? half_turn : 0.0) + quarter_turn;
    }
    return arrow;
}

std::array<Point, 3> arrow_head(const Arrow& arrow, int w, int h)
{
    const double radius = w / 3;
    const double centre_y = 8 * h - arrow.y_to;
    std::array<Point, 3> corners{};
    for (int k = 0; k < 3; ++k) {
        const double phi = arrow.angle + quarter_turn + k * third_turn;
        corners[k] = Point{arrow.x_to + radius * std::cos(phi), centre_y - radius * std::sin(phi)};
    }
    return corners;
}
