#include "core/attack_tables.h"

#include "core/bitboard_masks.h"

AttackTables::Tables::Tables() : magic(MagicMoves::shared())
{
    for (int s = 0; s < 64; ++s) {
        const Bitboard b = Square(s).bit();
        knight[s] = (((b >> 6) | (b << 10)) & mask_files_c_h) | (((b >> 15) | (b << 17)) & mask_not_file_a)
                    | (((b >> 17) | (b << 15)) & mask_not_file_h) | (((b >> 10) | (b << 6)) & mask_files_a_f);

        Bitboard k = ((b << 1) & mask_not_file_a) | ((b >> 1) & mask_not_file_h);
        k |= (k >> 8) | (k << 8);
        k |= (b >> 8) | (b << 8);
        king[s] = k;
    }
}

AttackTables::AttackTables() : m_tables(&shared_tables()) {}

const AttackTables::Tables& AttackTables::shared_tables()
{
    static const Tables tables;
    return tables;
}
