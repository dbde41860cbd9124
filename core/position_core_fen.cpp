#include "core/position_core.h"

#include <array>
#include <cctype>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int white_pawn_code = 1;
constexpr int white_rook_code = 4;
constexpr int black_pawn_code = 9;
constexpr int black_rook_code = 12;
constexpr std::uint16_t inner_file_bits = 0x7E7E;

// Whether a clock word reads as a 32-bit integer the way std::stoi would.
bool reads_as_int(const std::string& word)
{
    std::size_t i = 0;
    while (i < word.size() && std::isspace(static_cast<unsigned char>(word[i]))) {
        ++i;
    }
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) {
        ++i;
    }
    if (i >= word.size() || !std::isdigit(static_cast<unsigned char>(word[i]))) {
        return false;
    }
    try {
        (void)std::stoi(word);
    } catch (const std::out_of_range&) {
        return false;
    }
    return true;
}

int count_of(const std::string& text, char letter)
{
    int count = 0;
    for (char c : text) {
        count += c == letter ? 1 : 0;
    }
    return count;
}

}

void PositionCore::fen(const std::string& text)
{
    clear();
    std::array<std::string, 6> words = {"", "", "", "", "0", "1"};
    std::istringstream stream(text);
    for (std::string& word : words) {
        std::string read;
        if (!(stream >> read)) {
            break;
        }
        word = read;
    }
    std::string& placement = words[0];
    std::string& castling_word = words[2];
    std::string& en_passant_word = words[3];
    std::string& halfmove_word = words[4];
    std::string& move_number_word = words[5];

    if (count_of(placement, 'K') != 1 || count_of(placement, 'k') != 1) {
        throw std::logic_error("ChessPosition::fen(" + text + ")   error number of kings");
    }
    if (castling_word.empty()) {
        throw std::logic_error("ChessPosition::fen(string)   error castle field");
    }
    if (en_passant_word.empty()) {
        throw std::logic_error("ChessPosition::fen(string)   error EP field");
    }
    // The defaults are assigned through temporaries: assigning the literals
    // directly trips a false -Wrestrict report of GCC 12's optimiser.
    if (!reads_as_int(halfmove_word)) {
        halfmove_word = std::string(1, '0');
    }
    if (!reads_as_int(move_number_word)) {
        move_number_word = std::string(1, '1');
    }
    m_start_fen = words[0];
    for (std::size_t i = 1; i < words.size(); ++i) {
        m_start_fen += ' ' + words[i];
    }

    m_board.fen(text);

    const int halfmove = std::stoi(halfmove_word);
    PlyRecord& record = current();
    record = PlyRecord();
    record.castling_flags = castling_flags_from_text(castling_word);
    record.halfmove_clock = halfmove >= 0 && halfmove <= std::numeric_limits<std::uint16_t>::max()
        ? static_cast<std::uint16_t>(halfmove)
        : 0;
    record.en_passant = en_passant_from_text(en_passant_word);
    m_move_number = static_cast<std::uint16_t>(std::stoi(move_number_word));
    update_check_info();
    m_hash.recompute(m_board);
    push_key_raw(m_repetition_keys, hash_key());
    compute_material();
}

std::uint16_t PositionCore::castling_flags_from_text(const std::string& word) const
{
    const auto find_rook = [this](int first, int step, std::uint32_t rook) {
        for (int square = first, n = 0; n < 6; square += step, ++n) {
            if (m_board.piece_at(Square(square)) == rook) {
                return 1u << (square % 8);
            }
        }
        return 0u;
    };
    std::uint32_t flags = 0;
    for (char c : word) {
        if (c >= 'A' && c <= 'H') {
            flags |= 1u << (c - 'A');
        } else if (c >= 'a' && c <= 'h') {
            flags |= 1u << (8 + c - 'a');
        } else if (c == 'K') {
            flags |= find_rook(7, -1, white_rook_code);
        } else if (c == 'Q') {
            flags |= find_rook(0, 1, white_rook_code);
        } else if (c == 'k') {
            flags |= find_rook(63, -1, black_rook_code) << 8;
        } else if (c == 'q') {
            flags |= find_rook(56, 1, black_rook_code) << 8;
        }
    }
    return backed_castling_flags(static_cast<std::uint16_t>(flags));
}

std::uint16_t PositionCore::backed_castling_flags(std::uint16_t flags) const
{
    // A right needs its king on the back rank and its rook on the named file:
    // castling without them would make pieces appear or vanish.
    const auto backed = [this](std::uint32_t rights, int back_rank, const Bitboard& king, std::uint32_t rook) {
        if (!king.is_single() || king.first_square().rank() != back_rank / 8) {
            return 0u;
        }
        for (int file = 0; file < 8; ++file) {
            if (m_board.piece_at(Square(back_rank + file)) != rook) {
                rights &= ~(1u << file);
            }
        }
        return rights;
    };
    const std::uint32_t white = backed(flags & 0xFFu, 0, m_board.white_king(), white_rook_code);
    const std::uint32_t black = backed(flags >> 8, 56, m_board.black_king(), black_rook_code);
    return static_cast<std::uint16_t>(white | (black << 8));
}

Square PositionCore::en_passant_from_text(const std::string& word) const
{
    if (word.empty() || word[0] < 'a' || word[0] > 'h') {
        return Square();
    }
    const int file = word[0] - 'a';
    const bool white_to_move = m_board.side_to_move() == 1;
    const int rank = word.size() > 1 && word[1] == '3' ? 2 : 5;
    // The square must lie behind a pawn that has just advanced two squares, with
    // both squares it passed empty and a pawn of the side to move beside it;
    // anything else would let a phantom capture corrupt the board.
    if (rank != (white_to_move ? 5 : 2)) {
        return Square();
    }
    const int square = 8 * rank + file;
    const int pushed = white_to_move ? square - 8 : square + 8;
    const int origin = white_to_move ? square + 8 : square - 8;
    const std::uint32_t pushed_pawn = white_to_move ? black_pawn_code : white_pawn_code;
    const std::uint32_t capturer = white_to_move ? white_pawn_code : black_pawn_code;
    if (m_board.piece_at(Square(square)) != 0 || m_board.piece_at(Square(origin)) != 0
        || m_board.piece_at(Square(pushed)) != pushed_pawn) {
        return Square();
    }
    const bool left = file > 0 && m_board.piece_at(Square(pushed - 1)) == capturer;
    const bool right = file < 7 && m_board.piece_at(Square(pushed + 1)) == capturer;
    return left || right ? Square(square) : Square();
}

std::string PositionCore::fen() const
{
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const std::uint32_t code = m_board.piece_at(Square(8 * rank + file));
            if (code == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                text += static_cast<char>('0' + empty);
                empty = 0;
            }
            text += piece_letters[code];
        }
        if (empty > 0) {
            text += static_cast<char>('0' + empty);
        }
        if (rank > 0) {
            text += '/';
        }
    }
    text += m_board.side_to_move() == 1 ? " w " : " b ";
    const std::uint16_t flags = castling_flags();
    if (flags == 0) {
        text += '-';
    } else if ((flags & inner_file_bits) == 0 && m_chess960 == 0) {
        if (flags & 0x0080) text += 'K';
        if (flags & 0x0001) text += 'Q';
        if (flags & 0x8000) text += 'k';
        if (flags & 0x0100) text += 'q';
    } else {
        for (int bit = 0; bit < 16; ++bit) {
            if (flags & (1u << bit)) {
                text += static_cast<char>(bit < 8 ? 'A' + bit : 'a' + bit - 8);
            }
        }
    }
    const Square en_passant = en_passant_square();
    text += ' ';
    text += en_passant.value() == 64 ? "-" : en_passant.name();
    text += ' ';
    text += std::to_string(halfmove_clock());
    text += ' ';
    text += std::to_string(m_move_number);
    return text;
}

std::string PositionCore::epd() const
{
    std::istringstream stream(fen());
    std::string text;
    std::string word;
    for (int i = 0; i < 4 && stream >> word; ++i) {
        text += (i == 0 ? "" : " ") + word;
    }
    return text;
}

std::string PositionCore::moves_text(bool king_takes_rook) const
{
    std::string text;
    for (const Move& move : move_history()) {
        if (!text.empty()) {
            text += ' ';
        }
        text += move.to_string(king_takes_rook);
    }
    return text;
}

std::string PositionCore::print() const
{
    std::ostringstream text;
    text << m_board.print() << "\n";
    text << "total moves: " << m_move_number << "\n";
    text << "hash: " << std::hex << hash_key() << std::dec << "\n";
    text << "pinned pieces: " << pinned_pieces().to_string() << "\n";
    text << "discovering pieces: " << discovering_pieces().to_string() << "\n";
    return text.str();
}

void PositionCore::set_start_position_core()
{
    fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    m_start_fen = fen();
}

void PositionCore::read_back_own_fen()
{
    const std::string text = fen();
    fen(text);
}

void PositionCore::flip_colours_core()
{
    m_board.flip_colours();
    PlyRecord& record = current();
    record.castling_flags = static_cast<std::uint16_t>((record.castling_flags >> 8) | (record.castling_flags << 8));
    if (record.en_passant.value() < 64) {
        record.en_passant = record.en_passant.flip_rank();
    }
    read_back_own_fen();
}

void PositionCore::mirror_files_core()
{
    m_board.mirror_files();
    PlyRecord& record = current();
    std::uint16_t mirrored = 0;
    for (int bit = 0; bit < 16; ++bit) {
        if (record.castling_flags & (1u << bit)) {
            mirrored |= static_cast<std::uint16_t>(1u << ((bit & 8) + 7 - (bit & 7)));
        }
    }
    record.castling_flags = mirrored;
    if (record.en_passant.value() < 64) {
        record.en_passant = record.en_passant.mirror_file();
    }
    read_back_own_fen();
}
