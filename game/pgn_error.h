#pragma once

#include <string>
#include <utility>

// Thrown by the PGN file reader for a damaged game; holds the text of the
// game read so far, ending with the error marker, and what was wrong with it
// ("a tag pair over 4096 bytes", ...). Deliberately not derived from
// std::exception: only the game reader's own callers catch it.
class pgn_error {
public:
    pgn_error(std::string text, std::string reason) : m_text(std::move(text)), m_reason(std::move(reason)) {}

    const std::string& text() const { return m_text; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_text;
    std::string m_reason;
};
