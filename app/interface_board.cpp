// Board input: moves made by dragging, and the Setup mode.
// A release on the board only shows the position again for now.
#include "app/interface.h"

bool Interface::on_board_move()
{
    refresh_board();
    return true;
}

void Interface::on_menu_mode_setup()
{
    m_start_thinking_action->set_sensitive(false);
    m_tournament_new_action->set_sensitive(true);
    if (m_setup_action->get_active()) {
        m_setup = true;
        m_position.set_castling_flags(0);
        return;
    }
    m_setup = false;
    send_to_manager("setboard " + m_position.fen());
}
