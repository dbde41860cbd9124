// Building the main window, its tick, and the lines to and from the manager.
#include "app/interface.h"

#include "app/message_box.h"
#include "app/pgn_date.h"
#include "app/plain_fault_text.h"
#include "app/record_players.h"
#include "app/user_fault.h"
#include "engines/log_line.h"
#include "gui/displayable_text.h"
#include "gui/data_directory.h"
#include "manager/telluser_line.h"

#include <gdkmm/pixbuf.h>
#include <glibmm/main.h>
#include <gtkmm/aboutdialog.h>
#include <gtkmm/dialog.h>
#include <gtkmm/menushell.h>

#include <exception>
#include <functional>
#include <iostream>

Interface::Interface(const std::string& program, int board_size)
    : m_manager(program),
      m_vbox(Gtk::ORIENTATION_VERTICAL, 0),
      m_clock_frame("", Gtk::ALIGN_START, Gtk::ALIGN_START, 15.0, false),
      m_nav_box(Gtk::ORIENTATION_HORIZONTAL),
      m_board(board_size),
      m_game_list(*this),
      m_fen_list(*this),
      m_fault_box(*this),
      m_quit_signals([this] { on_quit_signal(); })
{
    m_manager.set_interface(this);
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &Interface::on_timeout), 50);
    m_manager_thread = std::thread(std::ref(m_manager));
    try {
        build_window();
    } catch (...) {
        // The manager's thread must not outlive a window that was never built.
        m_manager.command("0 quit");
        m_manager_thread.join();
        throw;
    }
}

Interface::~Interface()
{
    // An open menu is closed while the menu bar still lies in the window:
    // closed by the bar's own destruction, it would take the box the bar
    // was cut off with for the window.
    if (auto* menu_bar = dynamic_cast<Gtk::MenuShell*>(m_ui_manager->get_widget("/MenuBar")))
        menu_bar->deactivate();
    if (m_manager_thread.joinable()) {
        // Harmless when the manager has already quit: nobody reads the line then.
        m_manager.command("0 quit");
        m_manager_thread.join();
    }
}

void Interface::build_window()
{
    m_move_timer.start();
    m_prefix = data_prefix();
    m_position.set_start_position();
    start_record(m_event, m_site);
    refresh_board();

    set_border_width(5);
    m_vbox.set_homogeneous(false);
    add(m_vbox);

    add_actions();
    add_menu_bar();
    m_human_human_action->set_active(true);

    m_clock_frame.add(m_clocks);
    m_vbox.pack_start(m_clock_frame, Gtk::PACK_EXPAND_WIDGET, 0);
    m_vbox.pack_start(m_fen_entry, true, false, 0);
    m_board.m_move_signal.connect([this] { guarded("on_board_move", [this] { on_board_move(); }); });
    m_vbox.pack_start(m_board, Gtk::PACK_EXPAND_WIDGET, 0);

    m_pgn_view.signal_move_selected.connect(
        [this](int offset) { guarded("on_pgn_move_selected", [this, offset] { on_pgn_move_selected(offset); }); });
    m_fen_entry.signal_ok.connect(handler("on_fen_entry_activated", &Interface::on_fen_entry_activated));
    m_pgn_view.signal_hide().connect(handler("on_pgn_view_hide", &Interface::on_pgn_view_hide));
    m_comment_editor.signal_hide().connect(handler("on_comment_editor_hide", &Interface::on_comment_editor_hide));
    m_epd_window.signal_hide().connect(handler("on_epd_commands_hide", &Interface::on_epd_commands_hide));
    m_analysis_window.signal_hide().connect(handler("on_output_hide", &Interface::on_output_hide));
    pack_navigation();
    m_book_button.signal_clicked().connect(handler("on_select_book_clicked", &Interface::on_select_book_clicked));

    show_all_children(true);
    m_fen_entry.hide();

    m_clocks.set_time_control(m_level);
    m_clocks.update();
    send_to_manager("level " + m_level.to_string());
    get_size(m_width, m_height);

    m_start_thinking_action->set_sensitive(false);
    m_human_computer_action->set_sensitive(false);
    m_ponder_action->set_sensitive(false);
    m_analyze_action->set_sensitive(false);
}

void Interface::pack_navigation()
{
    m_vbox.pack_start(m_nav_box, Gtk::PACK_SHRINK, 0);
    struct NavigationButton {
        Gtk::Button& button;
        Gtk::Image& image;
        const char* file;
        const char* operation;
        void (Interface::*member)();
    };
    const NavigationButton buttons[] = {
        {m_goto_first_button, m_goto_first_image, "goto_first.svg", "on_goto_first", &Interface::on_goto_first},
        {m_go_backward_button, m_go_backward_image, "go_backward.svg", "on_go_backward", &Interface::on_go_backward},
        {m_go_forward_button, m_go_forward_image, "go_forward.svg", "on_go_forward", &Interface::on_go_forward},
        {m_goto_last_button, m_goto_last_image, "goto_last.svg", "on_goto_last", &Interface::on_goto_last},
    };
    for (const NavigationButton& entry : buttons) {
        m_nav_box.pack_start(entry.button, Gtk::PACK_SHRINK, 0);
        // A missing icon leaves the toolkit's missing-image picture; the button still works.
        entry.image.set(svg_path(m_prefix, entry.file));
        entry.button.set_image(entry.image);
        entry.button.signal_clicked().connect(handler(entry.operation, entry.member));
    }
    m_nav_box.set_layout(Gtk::BUTTONBOX_SPREAD);
    m_nav_box.set_spacing(5);
}

void Interface::start_record(const std::string& event, const std::string& site)
{
    m_game.new_game();
    m_game.set_tag("Event", event);
    m_game.set_tag("Site", site);
    m_game.set_tag("Date", pgn_date_today());
    m_game.set_tag("Round", m_round);
    m_game.set_tag("Result", "*");
    std::string result = "*";
    m_game.set_result(result);
    m_game_finished = false;
    m_play_entry = m_game.current();
    m_state.forget_stopped_game();
    // Engines play both sides only in a tournament game, whose records the
    // manager's "new" and "diagram" start: nothing else can start a record
    // while Tournament is ticked.
    m_record_kind = m_engine_plays_white != 0 && m_engine_plays_black != 0 ? RecordKind::tournament_game
                                                                            : RecordKind::user_game;
    ChessPosition start;
    start.set_start_position();
    if (m_position.fen() != start.fen()) {
        m_game.set_tag("SetUp", "1");
        m_game.set_tag("FEN", m_position.fen());
    }
    tag_players_and_time_control();
    forget_game_comments();
    m_pgn_view.show_game(m_game);
}

void Interface::tag_players_and_time_control()
{
    if (!m_game_finished && m_game.is_empty() && m_record_kind != RecordKind::own_players) {
        // The clocks do not run while two people play: their game has no
        // time control. A tournament game has the one announced for it.
        const bool engine_plays = m_engine_plays_white != 0 || m_engine_plays_black != 0;
        const std::string time_control = m_record_kind == RecordKind::tournament_game ? m_announced_level
                                         : engine_plays                               ? m_level.to_string()
                                                                                      : "";
        tag_record_players(m_game, side_player(true), side_player(false), time_control);
    }
    set_players_title();
}

void Interface::tag_announced_side(bool white)
{
    // A finished record is on file as it ended.
    if (!m_game_finished)
        tag_side_player(m_game, white, white ? SidePlayer{m_white_name, m_white_elo} : SidePlayer{m_black_name, m_black_elo});
    set_players_title();
}

SidePlayer Interface::side_player(bool white) const
{
    if (m_record_kind == RecordKind::tournament_game)
        return white ? SidePlayer{m_white_name, m_white_elo} : SidePlayer{m_black_name, m_black_elo};
    const bool white_engine = m_engine_plays_white != 0;
    const bool black_engine = m_engine_plays_black != 0;
    if (white ? white_engine : black_engine)
        return {m_engine_name.empty() ? m_unknown_player : m_engine_name, ""};
    // The user against an engine is "Human"; two people at one board stay unnamed.
    return {white_engine || black_engine ? m_human_player : m_unknown_player, ""};
}

void Interface::set_players_title()
{
    set_title(displayable_text(players_title(m_game, m_engine_name)));
}

void Interface::refresh_board()
{
    const std::string fen = m_position.fen();
    m_board.set_fen(fen);
    m_fen_entry.set_text(fen);
}

bool Interface::white_to_move() const
{
    return m_position.board().side_to_move() == 1;
}

void Interface::put_command(const std::string& line)
{
    m_inbox.put(line);
}

void Interface::send_to_manager(const std::string& command)
{
    // The ping goes first: the manager's lines before its pong are about the
    // game it played before, those after it answer this command.
    if (const std::optional<std::uint64_t> ping = m_state.command_sent(command))
        send_to_manager("ping " + std::to_string(*ping));
    const std::string line = "0 " + command;
    if (m_debug && command.find("wake_up") == std::string::npos)
        log_line(" interface --> ", line);
    m_manager.command(line);
}

void Interface::send_position()
{
    send_to_manager("setboard " + m_position.fen());
    if (m_analyze_action->get_active())
        send_to_manager("analyzeposition");
}

void Interface::log_line(const std::string& direction, const std::string& line)
{
    write_log_line(m_log, m_log_timer.timestamp() + direction + line);
}

bool Interface::on_timeout()
{
    m_clocks.update();
    if (++m_ticks % 8 == 0)
        send_to_manager("wake_up");
    process_command_from_manager();
    return true;
}

void Interface::process_command_from_manager()
{
    if (!m_inbox.begin_drain())
        return;
    std::string line;
    bool applied = false;
    while (m_inbox.next(line)) {
        if (line.empty())
            continue;
        if (m_debug)
            log_line(" manager -----> ", line);
        applying_line(line);
        applied = true;
    }
    m_inbox.end_drain();
    // A tick without lines changed nothing: the record's text is not built again.
    if (applied)
        reporting_faults("Interface::process_command_from_manager()", [this] { sync_pgn_view(); });
}

void Interface::applying_line(const std::string& line)
{
    const char* const operation = "Interface::process_command_from_manager()";
    std::string what;
    std::string plain;
    try {
        apply_manager_line(line);
        return;
    } catch (const UserFault& fault) {
        what = fault.what();
        plain = fault.text();
    } catch (const std::exception& error) {
        what = error.what();
        plain = plain_fault_text(what);
    } catch (const Glib::Exception& error) {
        what = error.what();
        plain = plain_fault_text(what);
    }
    log_fault(operation, what);
    // A window out of step with its manager may meet a faulty line with each
    // move: one box that does not block keeps the window usable and Quit working.
    m_fault_box.report("The window could not follow the game manager",
                       "The manager's message \"" + line + "\" cannot be applied. " + plain +
                           "\nA new game or position puts the window and the manager in step again.");
}

void Interface::guarded(const char* operation, const std::function<void()>& handler)
{
    reporting_faults(operation, handler);
    reporting_faults(operation, [this] { sync_pgn_view(); });
}

void Interface::sync_pgn_view()
{
    // pgn() also records the offsets that a press in the view is read against.
    if (m_game.pgn() != m_pgn_view.source_text())
        m_pgn_view.show_game(m_game);
}

void Interface::reporting_faults(const char* operation, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const UserFault& fault) {
        report_fault(operation, fault.what(), fault.title(), fault.text());
    } catch (const std::exception& error) {
        report_fault(operation, error.what(), "Error", plain_fault_text(error.what()));
    } catch (const Glib::Exception& error) {
        report_fault(operation, error.what(), "Error", plain_fault_text(error.what()));
    }
}

void Interface::log_fault(const std::string& operation, const std::string& what)
{
    const std::string text = operation + "   " + what;
    std::cerr << text << std::endl;
    if (m_debug)
        log_line(" error ----> ", text);
}

void Interface::report_fault(const std::string& operation, const std::string& what, const std::string& title,
                             const std::string& text)
{
    log_fault(operation, what);
    try {
        run_message_box(*this, title, text);
    } catch (const std::exception& error) {
        std::cerr << "Interface::show_message()   " << error.what() << std::endl;
    }
}

void Interface::show_message(std::string title, const std::string& text)
{
    title = telluser_title(title);
    // The user has chosen to leave: a box would hold up the window's going.
    if (m_quitting) {
        std::cerr << "Interface::show_message()   " << title << ":" << text << std::endl;
        return;
    }
    run_message_box(*this, title, text);
}

bool Interface::on_delete_event(GdkEventAny*)
{
    begin_quitting();
    return true;
}

void Interface::on_menu_quit()
{
    begin_quitting();
}

void Interface::begin_quitting()
{
    // Until the manager answers, which an engine slow to exit delays, the
    // window only waits: whatever it took would start what nobody finishes.
    m_quitting = true;
    m_actions->set_sensitive(false);
    set_sensitive(false);
    send_to_manager("quit");
}

void Interface::on_quit_signal()
{
    if (!m_quitting)
        begin_quitting();
    for (Gtk::Window* open : Gtk::Window::list_toplevels()) {
        auto* dialog = dynamic_cast<Gtk::Dialog*>(open);
        if (dialog && dialog->get_visible())
            dialog->response(Gtk::RESPONSE_DELETE_EVENT);
    }
}

void Interface::on_menu_flip()
{
    m_board.flip();
    refresh_board();
}

void Interface::on_menu_about()
{
    Gtk::AboutDialog dialog;
    dialog.set_transient_for(*this);
    dialog.set_program_name("Torvane");
    dialog.set_version("0.1");
    dialog.set_comments("A chess program: play and analyse with UCI and xboard engines, "
                        "practise openings and run engine tournaments.");
    dialog.set_license_type(Gtk::LICENSE_GPL_3_0);
    try {
        dialog.set_logo(Gdk::Pixbuf::create_from_file(svg_path(m_prefix, "logo.svg"), 160, 160, true));
    } catch (const Glib::Error& error) {
        // The dialog still tells what the program is.
        std::cerr << "Interface::on_menu_about()   logo: " << error.what() << std::endl;
    }
    dialog.run();
}
