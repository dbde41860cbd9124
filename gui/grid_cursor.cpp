#include "gui/grid_cursor.h"

GridPlace GridCursor::take(int width)
{
    GridPlace place{m_cell % 4, m_cell / 4, width};
    m_cell += width;
    return place;
}

void GridCursor::next_row()
{
    m_cell = (m_cell / 4 + 1) * 4;
}
