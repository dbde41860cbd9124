// book-probe BOOK FEN: prints the book moves of a position in file order, one
// per line: the move as the book writes it (castling as the king onto its
// rook), its weight and its learn value. A FEN it cannot read is reported on
// standard error with exit status 1.

#include "game/polyglot_book.h"
#include "game/polyglot_key.h"
#include "tools/book-probe/polyglot_fen.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: book-probe BOOK FEN\n";
        return 2;
    }
    try {
        PolyglotBook book(argv[1]);
        const std::uint64_t key = PolyglotKey().key_of_fen(fen_with_polyglot_en_passant(argv[2]));
        for (const PolyglotEntry& entry : book.find_entries(key))
            std::cout << entry.move().str() << ' ' << entry.weight() << ' ' << entry.learn() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "book-probe: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
