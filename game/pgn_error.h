#pragma once

#include <string>
#include <utility>

// Thrown by the PGN file reader for a damaged game; holds the text of the
// game read so far, ending with the error marker. Deliberately not derived
// from std::exception: only the game reader's own callers catch it.
class pgn_error {
public:
    explicit pgn_error(std::string text) : m_text(std::move(text)) {}

    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};
