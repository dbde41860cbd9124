#pragma once

#include "engines/option.h"
#include "gui/grid_cursor.h"

#include <cstddef>
#include <optional>
#include <vector>

// Where the options dialog puts the editing widget of one option, and its
// name label when the widget does not show the name itself.
struct OptionPlace {
    std::size_t option = 0;
    std::optional<GridPlace> label;
    GridPlace widget;

    bool operator==(const OptionPlace&) const = default;
};

// The layout of the options dialog's four-column grid, in five groups by
// type: "check" buttons (four a row), "button" buttons (four a row), "spin"
// and "combo" options as label and widget (two a row), "string" options as
// label and a three-column entry (one a row). Each group starts on a new row
// below the last row of the group before it. Every option of the list is
// placed, whatever their number; options of any other type get no place.
std::vector<OptionPlace> options_layout(const std::vector<Option>& options);
