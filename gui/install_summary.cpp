#include "gui/install_summary.h"

std::vector<SummaryLine> install_summary(const std::map<std::string, Option>& options)
{
    std::vector<SummaryLine> lines;
    GridCursor cursor(12);
    for (const auto& [key, option] : options) {
        if (option.get_type() == "check") {
            lines.push_back({option.get_name() + (option.get_value() == "true" ? ":  yes" : ":  no"), cursor.take(1)});
        }
    }
    cursor.next_row();
    for (const auto& [key, option] : options) {
        if (option.get_type() == "spin" || option.get_type() == "combo") {
            lines.push_back({option.get_name() + ":  " + option.get_value(), cursor.take(1)});
        }
    }
    cursor.next_row();
    for (const auto& [key, option] : options) {
        if (option.get_type() == "string") {
            lines.push_back({option.get_name() + ":  " + option.get_value(), cursor.take(4)});
        }
    }
    return lines;
}
