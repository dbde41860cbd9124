#pragma once

#include "engines/option.h"
#include "gui/grid_cursor.h"

#include <map>
#include <string>
#include <vector>

// One read-only line of the install dialog's option summary and its cell.
struct SummaryLine {
    std::string text;
    GridPlace place;

    bool operator==(const SummaryLine&) const = default;
};

// The option summary that the install dialog shows below its three entry
// rows (rows 0 to 2), for any number of options, in three groups each
// starting on a new row: "check" options as "name:  yes" (value exactly
// "true") or "name:  no", four a row, from row 3; "spin" and "combo" options
// together in name order as "name:  value", four a row; "string" options as
// "name:  value", one a row over all four columns. Other types are not listed.
std::vector<SummaryLine> install_summary(const std::map<std::string, Option>& options);
