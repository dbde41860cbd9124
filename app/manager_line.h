#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// One line from the manager to the window, split for its handler: the
// command word (the first blank-separated word) and the rest of the line
// after it, taken unchanged, so that it starts with the blank that followed
// the word. The readers below throw std::runtime_error naming the command
// and the fault when the rest does not hold what they need.
class ManagerLine {
public:
    explicit ManagerLine(const std::string& line);

    // Empty for a line holding only blanks.
    const std::string& word() const { return m_word; }
    const std::string& rest() const { return m_rest; }

    // The first blank-separated word of the rest; "" when there is none.
    std::string first_word() const;
    // The rest without its leading blanks.
    std::string text() const;
    // A player or engine name: the rest without leading and trailing blanks
    // (tabs and inner blanks stay); "???" when nothing is left.
    std::string name() const;
    // A time in milliseconds given as the first word, as hundredths of a
    // second (truncated toward zero).
    std::int32_t centiseconds() const;
    // The four position fields of a "setboard" line, with the halfmove clock
    // and move number 0 and 1 whatever follows them.
    std::string setboard_fen() const;
    // The time control of a "level" line rebuilt from its four fields (word,
    // integer, word, number; a field that cannot be read counts as empty or
    // 0), the number in the default format: "sessions 40 0:10 0.1".
    std::string level_text() const;

    struct Arrow {
        // The colours as the board widget numbers them.
        static constexpr int red = 0;
        static constexpr int green = 1;
        static constexpr int blue = 2;
        int from;
        int to;
        int colour;
    };
    // "set_arrow FROM TO COLOUR": two squares 0..63 and a letter, "g" green,
    // "r" red, any other blue.
    Arrow arrow() const;

private:
    std::runtime_error fault(const std::string& what) const;

    std::string m_word;
    std::string m_rest;
};
