#include "gui/displayable_text.h"

#include <glib.h>

std::size_t utf8_character_length(std::string_view text, std::size_t i)
{
    if (text[i] == '\0')
        return 0;
    const char* start = text.data() + i;
    const gunichar c = g_utf8_get_char_validated(start, static_cast<gssize>(text.size() - i));
    if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2))
        return 0;
    return static_cast<std::size_t>(g_utf8_next_char(start) - start);
}

std::string displayable_text(const std::string& text)
{
    std::string shown = text;
    for (std::size_t i = 0; i < shown.size();) {
        const std::size_t length = utf8_character_length(shown, i);
        if (length == 0)
            shown[i++] = '?';
        else
            i += length;
    }
    return shown;
}
