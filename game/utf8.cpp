#include "game/utf8.h"

std::size_t utf8_sequence_length(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC0 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF7)
        length = 4;
    else
        return 0;
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (next < 0x80 || next > 0xBF)
            return 0;
    }
    return length;
}
