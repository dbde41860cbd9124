#include "gui/board_geometry.h"

int display_square_at(int x, int y, int w, int h)
{
    if (x < 0 || y < 0 || w <= 0 || h <= 0)
        return no_square;
    const int file = x / w;
    const int rank = 7 - y / h;
    if (file > 7 || rank < 0)
        return no_square;
    return file + 8 * rank;
}

int oriented_square(int square, bool flipped)
{
    if (!flipped || square < 0 || square > 63)
        return square;
    return 63 - square;
}

int checked_board_size(int size)
{
    if (size < 360 || size > 1200)
        return 560;
    return size - size % 8;
}
