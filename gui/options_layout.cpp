#include "gui/options_layout.h"

#include <string>

std::vector<OptionPlace> options_layout(const std::vector<Option>& options)
{
    std::vector<OptionPlace> places;
    GridCursor cursor(0);
    for (const char* type : {"check", "button", "spin", "combo", "string"}) {
        const std::string group = type;
        for (std::size_t k = 0; k < options.size(); ++k) {
            if (options[k].get_type() != group) {
                continue;
            }
            OptionPlace place;
            place.option = k;
            if (group == "check" || group == "button") {
                place.widget = cursor.take(1);
            } else if (group == "string") {
                place.label = cursor.take(1);
                place.widget = cursor.take(3);
            } else {
                place.label = cursor.take(1);
                place.widget = cursor.take(1);
            }
            places.push_back(place);
        }
        cursor.next_row();
    }
    return places;
}
