#include "core/material.h"

#include <array>
#include <sstream>

namespace {

struct CodeEntry {
    std::uint64_t increment;
    std::uint32_t key_delta;
};

constexpr std::uint32_t white_queen_multiplier = 0x2082352C;
constexpr std::uint32_t white_rook_multiplier = 0xD5C31F79;
constexpr std::uint32_t white_bishop_multiplier = 0xE7E1FAEE;
constexpr std::uint32_t white_knight_multiplier = 0x22AE9EF6;
constexpr std::uint32_t white_pawn_multiplier = 0xD091BB5C;
constexpr std::uint32_t black_queen_multiplier = 0x4EE4092B;
constexpr std::uint32_t black_rook_multiplier = 0xA1E24BBA;
constexpr std::uint32_t black_bishop_multiplier = 0x3895AFE1;
constexpr std::uint32_t black_knight_multiplier = 0xE9D30005;
constexpr std::uint32_t black_pawn_multiplier = 0xF807B7DF;

// By piece code; kings and the codes that name no piece change nothing.
constexpr std::array<CodeEntry, 16> code_entries = {{
    {0, 0},
    {std::uint64_t{1} << 32, white_pawn_multiplier},
    {std::uint64_t{1} << 36, white_knight_multiplier},
    {std::uint64_t{1} << 40, white_bishop_multiplier},
    {std::uint64_t{1} << 44, white_rook_multiplier},
    {std::uint64_t{1} << 48, white_queen_multiplier},
    {0, 0},
    {0, 0},
    {0, 0},
    {1, black_pawn_multiplier},
    {std::uint64_t{1} << 4, black_knight_multiplier},
    {std::uint64_t{1} << 8, black_bishop_multiplier},
    {std::uint64_t{1} << 12, black_rook_multiplier},
    {std::uint64_t{1} << 16, black_queen_multiplier},
    {0, 0},
    {0, 0},
}};

constexpr std::array<int, 9> knight_by_pawns = {-20, -15, -10, -5, 0, 0, 5, 10, 15};
constexpr std::array<int, 9> rook_by_pawns = {0, 0, 0, 0, 0, -5, -10, -20, -30};

// Tables cover 0..8 pawns; larger counts lie outside the signature's range and take the last entry.
int by_pawns(const std::array<int, 9>& table, int pawns) { return table[pawns < 8 ? pawns : 8]; }

// The piece a promotion kind creates: queen, rook, bishop or knight of the pawn's colour.
int promoted_code(const Move& move, bool white)
{
    const int kind_offset = 5 - (static_cast<int>(move.kind()) - static_cast<int>(promo_queen));
    return white ? kind_offset : kind_offset + 8;
}

}

void Material::add_count(int shift, std::uint32_t multiplier, int count)
{
    m_packed_counts |= static_cast<std::uint64_t>(count) << shift;
    m_material_key ^= static_cast<std::uint32_t>(count) * multiplier;
}

void Material::add_white_queens(int count) { add_count(48, white_queen_multiplier, count); }
void Material::add_white_rooks(int count) { add_count(44, white_rook_multiplier, count); }
void Material::add_white_bishops(int count) { add_count(40, white_bishop_multiplier, count); }
void Material::add_white_knights(int count) { add_count(36, white_knight_multiplier, count); }
void Material::add_white_pawns(int count) { add_count(32, white_pawn_multiplier, count); }
void Material::add_black_queens(int count) { add_count(16, black_queen_multiplier, count); }
void Material::add_black_rooks(int count) { add_count(12, black_rook_multiplier, count); }
void Material::add_black_bishops(int count) { add_count(8, black_bishop_multiplier, count); }
void Material::add_black_knights(int count) { add_count(4, black_knight_multiplier, count); }
void Material::add_black_pawns(int count) { add_count(0, black_pawn_multiplier, count); }

std::uint32_t Material::add_piece(int code)
{
    const CodeEntry& entry = code_entries[code & 15];
    m_packed_counts += entry.increment;
    m_material_key ^= entry.key_delta;
    return entry.key_delta;
}

std::uint32_t Material::remove_piece(int code)
{
    const CodeEntry& entry = code_entries[code & 15];
    m_packed_counts -= entry.increment;
    m_material_key ^= entry.key_delta;
    return entry.key_delta;
}

std::uint64_t Material::assign(const Material& other)
{
    m_packed_counts = other.m_packed_counts;
    return m_packed_counts;
}

void Material::flip()
{
    m_packed_counts = (m_packed_counts >> 32) | (m_packed_counts << 32);
}

std::string Material::text() const
{
    std::string text = "K";
    text.append(white_queens(), 'Q').append(white_rooks(), 'R').append(white_bishops(), 'B');
    text.append(white_knights(), 'N').append(white_pawns(), 'P');
    text += 'k';
    text.append(black_queens(), 'q').append(black_rooks(), 'r').append(black_bishops(), 'b');
    text.append(black_knights(), 'n').append(black_pawns(), 'p');
    return text;
}

void Material::phase_index()
{
    const int non_pawn = 300 * (white_knights() + black_knights() + white_bishops() + black_bishops())
                         + 500 * (white_rooks() + black_rooks()) + 900 * (white_queens() + black_queens());
    // The start position has exactly 6200.
    m_phase_value = non_pawn >= 6200 ? 0 : static_cast<std::uint32_t>(1024 - non_pawn * 1024 / 6200);
}

void Material::apply_promotion(const Move& move, bool making)
{
    const MoveKind kind = move.kind();
    if (kind < promo_queen || kind > promo_knight)
        return;
    const bool white = move.moving_piece_code() == 1;
    const int pawn = white ? 1 : 9;
    const CodeEntry& promoted = code_entries[promoted_code(move, white)];
    // One pawn becomes one piece of the same colour.
    const std::uint64_t change = promoted.increment - code_entries[pawn].increment;
    m_packed_counts = making ? m_packed_counts + change : m_packed_counts - change;
    m_material_key ^= code_entries[pawn].key_delta ^ promoted.key_delta;
}

void Material::update_make(const Move& move)
{
    if (move.captured_piece_code() != 0)
        remove_piece(move.captured_piece_code());
    apply_promotion(move, true);
    phase_index();
}

void Material::update_unmake(const Move& move)
{
    if (move.captured_piece_code() != 0)
        add_piece(move.captured_piece_code());
    apply_promotion(move, false);
    phase_index();
}

Material::Side Material::white() const
{
    return {white_queens(), white_rooks(), white_bishops(), white_knights(), white_pawns()};
}

Material::Side Material::black() const
{
    return {black_queens(), black_rooks(), black_bishops(), black_knights(), black_pawns()};
}

int Material::base_score(const Side& side)
{
    // A lone minor piece is worth less: it cannot mate on its own.
    const int minor_value = side.pieces() < 2 ? 250 : 325;
    return 1000 * side.queens + 525 * side.rooks + 100 * side.pawns + minor_value * side.minors();
}

int Material::knight_adjustment(const Side& side) { return side.knights * by_pawns(knight_by_pawns, side.pawns); }

int Material::rook_adjustment(const Side& side) { return side.rooks * by_pawns(rook_by_pawns, side.pawns); }

int Material::redundant_rook_penalty(const Side& white, const Side& black)
{
    if (white.queens != black.queens)
        return 0;
    return (white.rooks >= 2 ? -25 : 0) + (black.rooks >= 2 ? 25 : 0);
}

int Material::exchange_adjustment(const Side& white, const Side& black)
{
    if (white.queens != black.queens || white.rooks == black.rooks || white.pieces() != black.pieces())
        return 0;
    return black.rooks < white.rooks ? -25 * (white.majors() - 1) : 25 * (black.majors() - 1);
}

int Material::bishop_pair_bonus(const Side& white, const Side& black)
{
    return (white.bishops == 2 ? 50 : 0) - (black.bishops == 2 ? 50 : 0);
}

std::optional<int> Material::mating_material_result(const Side& white, const Side& black)
{
    const Side lone_rook{0, 1, 0, 0, 0};
    if (white.pawns + black.pawns > 0) {
        const bool white_lone_minor = white.minors() == 1 && white.majors() == 0 && white.pawns == 0;
        const bool black_lone_minor = black.minors() == 1 && black.majors() == 0 && black.pawns == 0;
        if (white_lone_minor && black.pieces() == 0 && black.pawns <= 2)
            return -30 * black.pawns;
        if ((white.majors() > 0 || white.pawns > 0) && black_lone_minor && white.pieces() == 0 && white.pawns <= 2)
            return 30 * white.pawns;
        const bool white_minor_pawn = white.minors() == 1 && white.pawns == 1 && white.majors() == 0;
        const bool black_minor_pawn = black.minors() == 1 && black.pawns == 1 && black.majors() == 0;
        if ((white == lone_rook && black_minor_pawn) || (white_minor_pawn && black == lone_rook))
            return 0;
        return std::nullopt;
    }
    if (white.minors() == 0 && black.minors() == 0 && white.majors() == black.majors()) {
        if (white.queens == 1 && black.queens == 0 && black.rooks == 1)
            return 450;
        if (white.queens == 0 && white.rooks == 1 && black.queens == 1)
            return -450;
    }
    return std::nullopt;
}

int Material::progress(int score, const Side& white, const Side& black)
{
    if (score >= 71 && white.pawns > 0)
        return score + 10 * white.pawns - 10 * black.pieces();
    if (black.pawns > 0 && score < -70)
        return score - 10 * black.pawns + 10 * white.pieces();
    return score;
}

int Material::evaluate() const
{
    const Side w = white();
    const Side b = black();
    int score = base_score(w) - base_score(b) + knight_adjustment(w) - knight_adjustment(b)
                + rook_adjustment(w) - rook_adjustment(b);
    score += redundant_rook_penalty(w, b);
    score += exchange_adjustment(w, b);
    score += bishop_pair_bonus(w, b);
    if (w.pawns + b.pawns == 0 && score >= -399 && score <= 399)
        score /= 2;
    if (const std::optional<int> result = mating_material_result(w, b))
        return *result;
    return progress(score, w, b);
}

std::string Material::print() const
{
    const Side w = white();
    const Side b = black();
    std::ostringstream out;
    auto line = [&out](int score, const char* label) { out << "  score=" << score << label << "\n"; };

    out << "Material:\n-------- \n";
    out << "  wp=" << w.pawns << "\n  bp=" << b.pawns << "\n  wminor=" << w.minors() << "\n  bminor="
        << b.minors() << "\n  wmajor=" << w.majors() << "\n  bmajor=" << b.majors() << "\n";
    int score = base_score(w) - base_score(b);
    const int knight_bonus = knight_adjustment(w) - knight_adjustment(b);
    const int rook_bonus = rook_adjustment(w) - rook_adjustment(b);
    out << "  score=" << score << "\n  knight bonus=" << knight_bonus << "\n  rook   bonus=" << rook_bonus << "\n";
    score += knight_bonus + rook_bonus;
    line(score, "");
    score += redundant_rook_penalty(w, b);
    line(score, "     (redundant rook penalty)");
    score += exchange_adjustment(w, b);
    line(score, "     (exchange)");
    if (w.pawns + b.pawns == 0 && score >= -399 && score <= 399)
        score /= 10;
    if (const std::optional<int> result = mating_material_result(w, b))
        score = *result;
    line(score, "     (sufficient mating material)");
    score += bishop_pair_bonus(w, b);
    line(score, "     (pair of bishops)");
    score = progress(score, w, b);
    line(score, "     (progress)");
    return out.str();
}

int Material::endgame_class(const Side& strong, const Side& weak)
{
    struct Pattern {
        Side strong;
        Side weak;
        int kind;
    };
    // Counts in the order queens, rooks, bishops, knights, pawns.
    static constexpr Pattern patterns[] = {
        {{0, 0, 2, 0, 0}, {0, 0, 0, 0, 0}, 1},  {{0, 0, 1, 1, 0}, {0, 0, 0, 0, 0}, 2},
        {{0, 0, 0, 2, 0}, {0, 0, 0, 0, 0}, 3},  {{0, 0, 1, 0, 1}, {0, 0, 0, 0, 0}, 4},
        {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, 5},  {{1, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 6},
        {{0, 1, 0, 0, 0}, {0, 0, 0, 0, 0}, 7},  {{1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, 8},
        {{0, 1, 0, 0, 0}, {0, 1, 0, 0, 0}, 9},  {{0, 0, 0, 0, 1}, {0, 0, 0, 0, 0}, 10},
        {{0, 1, 0, 0, 1}, {0, 1, 0, 0, 0}, 11}, {{0, 1, 1, 0, 0}, {0, 1, 0, 0, 0}, 12},
        {{0, 1, 0, 1, 0}, {0, 1, 0, 0, 0}, 13}, {{0, 1, 1, 0, 0}, {0, 1, 0, 0, 1}, 14},
        {{0, 1, 0, 1, 0}, {0, 1, 0, 0, 1}, 15}, {{0, 1, 1, 0, 0}, {0, 1, 0, 0, 2}, 16},
        {{0, 1, 0, 1, 0}, {0, 1, 0, 0, 2}, 17},
    };
    for (const Pattern& pattern : patterns)
        if (pattern.strong == strong && pattern.weak == weak)
            return pattern.kind;
    return 0;
}

int Material::endgame_kind() const
{
    const int as_given = endgame_class(white(), black());
    return as_given != 0 ? as_given : endgame_class(black(), white());
}
