#pragma once

#include <cstdint>
#include <string>

// The Polyglot key of a position written as FEN text, computed from the text
// alone: the en passant file counts whenever the field names one.
class PolyglotKey {
public:
    // Computes the key of the first four FEN fields, keeps it and returns it.
    // An en passant field that is not a file letter adds nothing. A placement
    // that read_fen_placement refuses throws its std::logic_error, naming
    // PolyglotKey::key_of_fen, and leaves the kept key as it was.
    std::uint64_t key_of_fen(const std::string& fen);

    std::uint64_t key() const { return m_key; }

private:
    std::uint64_t m_key = 0;
};
