#pragma once

// A cell of a four-column grid: column, row and width in columns.
struct GridPlace {
    int column = 0;
    int row = 0;
    int width = 1;

    bool operator==(const GridPlace&) const = default;
};

// Walks the cells of a four-column grid row by row, as the option dialogs
// fill it: cell i is column i % 4 of row i / 4.
class GridCursor {
public:
    explicit GridCursor(int first_cell) : m_cell(first_cell) {}

    // The current cell, spanning width columns; the cursor moves past them.
    GridPlace take(int width);
    // Moves to column 0 of the row after the current cell's row (also when
    // the current cell is already at column 0: a group that placed nothing,
    // or ended exactly at the end of a row, leaves an empty row behind it).
    void next_row();

private:
    int m_cell;
};
