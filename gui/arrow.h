#pragma once

#include <array>

// A coloured arrow between the centres of two display squares. Pixel
// positions are measured from the left edge and upward from the bottom edge
// of the squares, for the square size the arrow was placed at.
struct Arrow {
    int from;
    int to;
    int x_from;
    int y_from;
    int x_to;
    int y_to;
    unsigned colour;
    double angle;
};

enum ArrowColour : unsigned { arrow_red = 0, arrow_green = 1, arrow_blue = 2 };

struct Point {
    double x;
    double y;
};

// An arrow from display square from to display square to for squares of w x h
// pixels. The angle turns the head: 0 points up the display.
Arrow make_arrow(int from, int to, unsigned colour, int w, int h);

// The three corners of the arrow's head in widget pixels (y downward) on a
// board of squares w x h: an equilateral triangle centred on the target
// square's centre, its first corner pointing along the arrow.
std::array<Point, 3> arrow_head(const Arrow& arrow, int w, int h);
