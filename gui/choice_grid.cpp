#include "gui/choice_grid.h"

namespace {

// The cell index (row * columns + column), or -1 outside the full cells.
int cell(int x, int y, int width, int height, int columns, int rows)
{
    const int cell_width = width / columns;
    const int cell_height = height / rows;
    if (x < 0 || y < 0 || cell_width <= 0 || cell_height <= 0)
        return -1;
    const int column = x / cell_width;
    const int row = y / cell_height;
    if (column >= columns || row >= rows)
        return -1;
    return row * columns + column;
}

}

int piece_choice_code(int x, int y, int width, int height, int previous)
{
    const int index = cell(x, y, width, height, 3, 4);
    if (index < 0)
        return previous;
    // Code 7 is the dark square's texture, not a piece: the black pieces start at 8.
    return index < 6 ? index + 1 : index + 2;
}

int promo_choice_code(int x, int y, int width, int height, int previous)
{
    const int index = cell(x, y, width, height, 2, 2);
    return index < 0 ? previous : index + 4;
}
