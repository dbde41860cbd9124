// Opening practice: the user's moves are checked against the Polyglot book
// and answered with arrows; only book moves advance the position.
#include "manager/gui_manager.h"

#include <algorithm>

namespace {

std::string arrow(int from, int to, char colour)
{
    return "set_arrow " + std::to_string(from) + " " + std::to_string(to) + " " + colour;
}

}

void GuiManager::play_learnopenings()
{
    if (m_substate != human_to_move || m_pending.kind() == nullmove) {
        return;
    }
    const int from = static_cast<int>(m_pending.from().value());
    const int to = static_cast<int>(m_pending.to().value());
    const std::vector<PolyglotMove> book_moves = m_book.find_moves(m_position.hash_key());
    // Book entries name squares only: any promotion piece matches.
    const bool in_book = std::any_of(book_moves.begin(), book_moves.end(), [from, to](const PolyglotMove& move) {
        return move.from() == from && move.to() == to;
    });
    const bool book_move = in_book && find_legal_move(m_pending);
    send("clear_arrows");
    send(arrow(from, to, book_move ? 'g' : 'r'));
    if (book_move) {
        m_position.make_move(m_pending);
        show_book_arrows();
    } else if (book_moves.empty()) {
        send("clear_arrows");
        send("telluser Polyglotbook: no more moves");
    }
    m_pending.clear();
}

void GuiManager::show_book_arrows()
{
    const bool white_to_move = m_position.board().side_to_move() == 1;
    if (!(m_learn_sides & (white_to_move ? 1 : 2))) {
        return;
    }
    for (const PolyglotMove& move : m_book.find_moves(m_position.hash_key())) {
        send(arrow(move.from(), move.to(), 'b'));
    }
}
