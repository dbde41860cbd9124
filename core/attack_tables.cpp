#include "core/attack_tables.h"

#include "core/bitboard_steps.h"

AttackTables::Tables::Tables() : magic(MagicMoves::shared())
{
    for (int s = 0; s < 64; ++s) {
        const Bitboard b = Square(s).bit();
        knight[s] = knight_attacks_of(b);

        const Bitboard sideways = step_east(b) | step_west(b);
        king[s] = sideways | step_north(sideways) | step_south(sideways) | step_north(b) | step_south(b);
    }
}

AttackTables::AttackTables() : m_tables(&shared_tables()) {}

const AttackTables::Tables& AttackTables::shared_tables()
{
    static const Tables tables;
    return tables;
}
