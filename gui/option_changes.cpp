#include "gui/option_changes.h"

#include <stdexcept>

std::vector<Option> changed_options(const std::vector<Option>& before, const std::vector<Option>& after)
{
    if (before.size() != after.size()) {
        throw std::logic_error("changed_options()   lists differ in length");
    }
    std::vector<Option> changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool pressed = after[i].get_type() == "button" && after[i].get_changed();
        if (pressed || after[i].get_name() != before[i].get_name() ||
            after[i].get_value() != before[i].get_value()) {
            changed.push_back(after[i]);
        }
    }
    return changed;
}
