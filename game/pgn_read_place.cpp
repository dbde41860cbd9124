#include "game/pgn_read_place.h"

#include "game/pgn_limits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

bool is_high_byte(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

bool is_marker_digit(char c)
{
    return c == '0' || c == '1';
}

// Sixteen bytes compared at once; compilers map this onto the processor's
// vector instructions where it has them.
using Block = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t block_size = sizeof(Block);

// The place in memory order of the first byte of word that has bits set.
std::size_t first_marked_byte(std::uint64_t word)
{
    return static_cast<std::size_t>(std::endian::native == std::endian::little ? std::countr_zero(word)
                                                                                : std::countl_zero(word))
           / 8;
}

// The bytes of one state that need a closer look: every other byte is plain
// there and changes nothing, so it is passed over a block at a time. A state
// whose stops hold no "%" stops at line feeds, to find escape lines.
template <bool high_bytes, char... stops>
struct StopSet {
    static bool contains(char c) { return (high_bytes && is_high_byte(c)) || ((c == stops) || ...); }

    // The place of the first stop among the block_size bytes, block_size
    // when there is none.
    static std::size_t first_in_block(const char* bytes)
    {
        Block block;
        std::memcpy(&block, bytes, block_size);
        Block found = high_bytes ? block >= 0x80 : Block{} != Block{};
        ((found |= block == static_cast<unsigned char>(stops)), ...);
        std::array<std::uint64_t, 2> halves;
        std::memcpy(halves.data(), &found, block_size);
        for (std::size_t half = 0; half < halves.size(); ++half)
            if (halves[half] != 0)
                return half * 8 + first_marked_byte(halves[half]);
        return block_size;
    }

    // Where the next stop stands in bytes, from start on; bytes.size() when
    // there is none.
    static std::size_t next(std::string_view bytes, std::size_t start)
    {
        std::size_t n = start;
        for (; n + block_size <= bytes.size(); n += block_size)
            if (const std::size_t place = first_in_block(bytes.data() + n); place < block_size)
                return n + place;
        while (n < bytes.size() && !contains(bytes[n]))
            ++n;
        return n;
    }
};

using TagsStops = StopSet<true, '\r', '%', '[', '{', '*', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9'>;
using TagTextStops = StopSet<false, '\r', '\n', '"', ']'>;
using CommentStops = StopSet<false, '\r', '\n', '}'>;
// Digits are no stops between moves: a digit pairs with the byte after it,
// which follows_look_ahead_digit works out at the next stop.
using MovetextStops = StopSet<true, '\r', '%', '[', '{', '*', '-', '/'>;

// What take_plain_byte does, here where plain_run's scan can inline it.
inline bool take_byte(PgnReadPlace& place, char c, char last)
{
    switch (place.state) {
    case PgnReadState::tags:
        if ((c >= '0' && c <= '9') || c == '*' || is_high_byte(c))
            return false;
        if (c == '[')
            place.state = PgnReadState::tag_text;
        else if (c == '{')
            place.state = PgnReadState::tag_comment;
        return true;
    case PgnReadState::tag_text:
        if (place.tag_length >= max_tag_value_bytes)
            return false;
        ++place.tag_length;
        // A "]" inside the quoted value belongs to the value. A quote right
        // after a backslash is escaped, as the tokenizer reads it; a value
        // never spans lines, so a line feed ends an unclosed quote.
        if (c == '"' && last != '\\')
            place.in_quotes = !place.in_quotes;
        else if (c == '\n')
            place.in_quotes = false;
        if (c == ']' && !place.in_quotes) {
            place.tag_length = 0;
            place.state = PgnReadState::tags;
        }
        return true;
    case PgnReadState::tag_comment:
        if (c == '}')
            place.state = PgnReadState::tags;
        return true;
    case PgnReadState::comment:
        if (c == '}')
            place.state = PgnReadState::movetext;
        return true;
    case PgnReadState::movetext:
        // A tag at the start of a line ends the game; a byte above 127
        // damages it.
        if ((c == '[' && last == '\n') || is_high_byte(c) || is_marker_digit(c) || c == '*')
            return false;
        if (c == '{')
            place.state = PgnReadState::comment;
        return true;
    }
    return false;
}

std::size_t next_stop(PgnReadState state, std::string_view bytes, std::size_t start)
{
    switch (state) {
    case PgnReadState::tags:
        return TagsStops::next(bytes, start);
    case PgnReadState::tag_text:
        return TagTextStops::next(bytes, start);
    case PgnReadState::movetext:
        return MovetextStops::next(bytes, start);
    case PgnReadState::tag_comment:
    case PgnReadState::comment:
        break;
    }
    return CommentStops::next(bytes, start);
}

// Whether the byte at end is the one that the look-ahead of a digit before it
// takes along: the digits just before end pair off from where the run began,
// the first of each pair looking ahead.
bool follows_look_ahead_digit(std::string_view bytes, std::size_t end)
{
    std::size_t digits = 0;
    while (digits < end && is_marker_digit(bytes[end - digits - 1]))
        ++digits;
    return digits % 2 == 1;
}

}

std::size_t plain_run(std::string_view bytes, char last, PgnReadPlace& place)
{
    if (bytes.starts_with('%') && last == '\n')
        return 0;
    std::size_t n = 0;
    for (;;) {
        // A tag pair takes no more bytes than its bound allows.
        std::string_view scope = bytes;
        if (place.state == PgnReadState::tag_text)
            scope = bytes.substr(0, n + max_tag_value_bytes - place.tag_length);
        const std::size_t stop = next_stop(place.state, scope, n);
        if (place.state == PgnReadState::tag_text)
            place.tag_length += stop - n;
        n = stop;
        if (n == scope.size())
            break;
        const char c = bytes[n];
        const char before = n == 0 ? last : bytes[n - 1];
        if (place.state == PgnReadState::movetext && follows_look_ahead_digit(bytes, n)) {
            // A possible result separator goes to the reader's look-ahead;
            // any other byte is taken along unexamined.
            if (c == '-' || c == '/')
                return n - 1;
        } else if (c == '\r' || (c == '%' && before == '\n') || !take_byte(place, c, before)) {
            return n;
        }
        ++n;
        if (c == '\n' && n < bytes.size() && bytes[n] == '%')
            return n;
    }
    // A digit at the end keeps the byte after it, which is not here yet.
    return place.state == PgnReadState::movetext && follows_look_ahead_digit(bytes, n) ? n - 1 : n;
}

bool take_plain_byte(PgnReadPlace& place, char c, char last)
{
    return take_byte(place, c, last);
}
