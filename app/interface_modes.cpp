// The Mode menu, thinking, pondering, debugging and the time control.
// Handlers with an empty body are connected to their menu items but do
// nothing yet.
#include "app/interface.h"

void Interface::on_menu_mode_human_human()
{
    if (!m_human_human_action->get_active())
        return;
    m_start_thinking_action->set_sensitive(false);
    m_tournament_new_action->set_sensitive(true);
    m_engine_plays_white = 0;
    m_engine_plays_black = 0;
    m_clocks.stop();
    m_clocks_stopped = true;
    send_to_manager("human_human");
    highlight_side_to_move();
}

void Interface::highlight_side_to_move()
{
    if (white_to_move())
        m_clocks.highlight_white();
    else
        m_clocks.highlight_black();
}

void Interface::on_menu_mode_human_computer() {}

void Interface::on_menu_mode_analyze_position() {}

void Interface::on_menu_mode_learn_openings() {}

void Interface::on_menu_mode_tournament() {}

void Interface::on_menu_start_thinking() {}

void Interface::on_menu_ponder() {}

void Interface::on_menu_debug()
{
    if (m_debug_action->get_active()) {
        m_debug = true;
        // Each start of debugging begins a new log.
        m_log.close();
        m_log.clear();
        m_log.open("interface.log", std::ios::out | std::ios::trunc);
        send_to_manager("debug true\n");
    } else {
        m_debug = false;
        m_log.close();
        send_to_manager("debug false\n");
    }
}

void Interface::on_menu_time_control() {}

void Interface::on_select_book_clicked() {}
