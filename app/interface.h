#pragma once

#include "app/fault_box.h"
#include "app/manager_line.h"
#include "app/message_inbox.h"
#include "app/quit_signal_watch.h"
#include "app/record_players.h"
#include "app/window_state.h"
#include "core/chess_position.h"
#include "core/move_generator.h"
#include "eco/eco_classifier.h"
#include "engines/home_dir.h"
#include "engines/installed_engines.h"
#include "engines/level.h"
#include "engines/timer.h"
#include "game/chess_game.h"
#include "gui/analysis_window.h"
#include "gui/chess_board.h"
#include "gui/clocks.h"
#include "gui/comment_editor.h"
#include "gui/epd_commands_window.h"
#include "gui/fen_entry.h"
#include "gui/fen_list.h"
#include "gui/game_list.h"
#include "gui/pgn_view.h"
#include "manager/gui_manager.h"
#include "manager/tournament.h"
#include "manager/window_inbox.h"

#include <gtkmm/actiongroup.h>
#include <gtkmm/aspectframe.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/buttonbox.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/image.h>
#include <gtkmm/radioaction.h>
#include <gtkmm/toggleaction.h>
#include <gtkmm/uimanager.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>

class TournamentDialog;

// The main window: menus, clocks, board, navigation buttons and the side
// windows. It owns the game manager and runs the manager's loop on a thread
// of its own for the life of the window. The user's actions become command
// lines for the manager; the manager's lines are applied every 50 ms.
//
// The handlers are spread over files by concern: interface.cpp (building,
// the tick, the line to and from the manager, messages), interface_menus.cpp
// (the action table), interface_messages.cpp (the manager's lines),
// interface_board.cpp (board input and Setup), interface_files.cpp (game and
// position files), interface_navigation.cpp (navigation, FEN row, view
// toggles), interface_engine_menu.cpp, interface_modes.cpp (modes, thinking,
// time control, Debug) and interface_tournament.cpp.
class Interface : public Gtk::Window, public WindowInbox {
public:
    // program: the name the program was started under, handed to the
    // manager; board_size in pixels, for the board widget. Starts the
    // manager's thread and sends "setboard" with the start position,
    // "human_human" and "level" with the default time control. Throws what
    // the per-user directory throws when it cannot be created.
    Interface(const std::string& program, int board_size);
    // Joins the manager's thread (asking it to quit when it still runs).
    ~Interface() override;
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;

    // Manager thread: leaves one line for the window; never blocks for long.
    void put_command(const std::string& line) override;
    // Sends one command to the manager as "0 " and the command; logged while
    // debugging ("wake_up" never).
    void send_to_manager(const std::string& command);
    // Tells the manager the position shown: "setboard", and in Analysis
    // "analyzeposition", so the engine goes on with it.
    void send_position();
    // A modal message box titled "Message:": the title as the first word of
    // a "telluser" line writes it (telluser_title: "_" shows as a blank), the
    // text as it is. Once Quit has been chosen the message goes to the error
    // output instead.
    void show_message(std::string title, const std::string& text);
    // Shows m_position on the board and in the FEN row.
    void refresh_board();
    // Sets up the position of a FEN or EPD line (from a position file or the
    // FEN row): checks it on a scratch position first and throws
    // std::runtime_error naming the fault when it is refused, changing
    // nothing; otherwise starts a fresh record of that position (tags
    // "SetUp" and "FEN"), shows it, sends "setboard" and shows the line in
    // the EPD window.
    void set_position_from_line(const std::string& line);
    // The one file chooser: kind 0 open FEN/EPD, 1 save FEN, 2 open PGN,
    // 3 open PGN/EPD, 4 save PGN, 5 open an engine, 6 open a Polyglot book,
    // others open any file. The chosen path, "" when cancelled.
    std::string choose_file(std::uint8_t kind);
    // The syntax check of a FEN or EPD line (fen_line_check.h).
    static bool fen_is_valid(const std::string& line);

protected:
    // Closing the window asks the manager to quit (begin_quitting); the
    // window goes when the manager answers "quit".
    bool on_delete_event(GdkEventAny* event) override;

private:
    friend class InterfaceProbe;  // the window tests look inside

    // interface.cpp
    void build_window();
    void pack_navigation();
    // Starts a fresh record of the position shown, for the event and site:
    // the seven tags, "SetUp" and "FEN" when the position is not the standard
    // start, the players and time control (tag_players_and_time_control);
    // no pending comments, the PGN view showing it. While engines play both
    // sides it is a tournament game's record (the manager's "new" or
    // "diagram" starts it), otherwise one for the user's play.
    void start_record(const std::string& event, const std::string& site);
    // Shows the record's players in the title, after naming them and their
    // ratings (side_player) and the time control while the record has not
    // begun: it has no move, has not ended, and is the user's game or a
    // tournament game. Afterwards only the manager's "whitename" and
    // "blackname" rename a side (tag_announced_side).
    void tag_players_and_time_control();
    // The side's player as the manager announced it last names that side of
    // the record, unless its game has ended; the title follows.
    void tag_announced_side(bool white);
    // Who plays the record's side: in a tournament game the player the
    // manager announced for it; against engine 1 the engine by the name it
    // was loaded under and the user as "Human"; two people at one board
    // unnamed ("?").
    SidePlayer side_player(bool white) const;
    bool on_timeout();
    void process_command_from_manager();
    // Applies one manager's line; a fault is logged and reported in the one
    // fault box (FaultBox), never in a box of its own.
    void applying_line(const std::string& line);
    // Runs a handler; what it throws is logged and shown, never passed on: a
    // UserFault with its own title and text, any other fault in plain words.
    // Afterwards the PGN view follows the record (sync_pgn_view).
    void guarded(const char* operation, const std::function<void()>& handler);
    // Runs a handler as guarded does, without bringing the PGN view along.
    void reporting_faults(const char* operation, const std::function<void()>& handler);
    // When the record's text differs from the PGN view's (a tag, comment or
    // result changed without the view being written), the view shows the
    // record again with its current move marked, so the offsets of a press
    // in the view are the record's.
    void sync_pgn_view();
    // The fault, naming the operation, to the error output and the debug log.
    void log_fault(const std::string& operation, const std::string& what);
    // log_fault, then a message box with the title and text for the user.
    void report_fault(const std::string& operation, const std::string& what, const std::string& title,
                      const std::string& text);
    void log_line(const std::string& direction, const std::string& line);
    void on_menu_quit();
    // Asks the manager to quit; from here on the window and its actions
    // take no input and the manager's messages open no box.
    void begin_quitting();
    // A quit signal: as File > Quit, and any dialog open is closed as the
    // user would close it, so that the window can go.
    void on_quit_signal();
    void on_menu_flip();
    void on_menu_about();

    // interface_menus.cpp
    void add_actions();
    void add_menu_bar();
    // The action's handler, guarded.
    sigc::slot<void> handler(const char* operation, void (Interface::*member)());

    // interface_messages.cpp
    // Applies the manager's line, or the lines it lets through now
    // (WindowState::admit).
    void apply_manager_line(const std::string& line);
    void apply_admitted_line(const ManagerLine& line);
    void on_manager_move(const ManagerLine& line);
    void on_manager_setboard(const ManagerLine& line);
    void on_manager_diagram(const ManagerLine& line);
    // The answer to an engine load: the new engine goes on with the game
    // shown, on clocks started afresh as the manager's are; in Analysis it
    // analyses (or is turned away when it cannot), in Human - computer it
    // takes the side the old engine had and moves when that side is to move.
    void go_on_with_loaded_engine();
    void on_manager_level(const ManagerLine& line);
    void on_manager_new();
    // A result line of the manager, or of the window itself for a mate or
    // stalemate on the board in Human - human: the record gets its players,
    // time control and result and is appended to the event's file, unless
    // it has no move. A tournament game, also one without a move, is on
    // record already: the manager wrote it to the tournament's file.
    void record_game_end(const ManagerLine& line);
    void on_manager_engine1name(const ManagerLine& line);
    void on_manager_engine_info(const ManagerLine& line, bool white);
    // A red arrow in Learn Opening: the book refused the user's last move,
    // which the manager did not play; the board and the record take it back.
    void take_back_refused_move(const ManagerLine::Arrow& arrow);
    // Takes the record's last move back, on the board and in the record alike.
    void take_back_last_move();
    // The title names the record's players (players_title).
    void set_players_title();
    // Runs the clock of the side to move, crediting nobody.
    void start_side_clock();
    // The move just added to the record is where the game stands; in a game
    // with an engine its line becomes the record's main line.
    void keep_played_line_main();
    // The manager's move in coordinate form as a legal move of the position;
    // throws std::runtime_error naming the move when it is not one.
    Move legal_move_in(ChessPosition& position, const std::string& text);
    // Sets "ECO" and "Opening" when the position's key is in the table.
    void set_eco_tags(const ChessPosition& position);
    // Empties the pending comments, the comment editor and the engine output.
    void forget_game_comments();
    // The comment editor's text becomes the comment of the record's current
    // move (a comment the user did not edit keeps its bytes).
    void store_editor_comment();
    // The comment editor shows the comment of the record's current move.
    void show_move_comment();
    // Appends the finished game to the event's file; 0 when it is there,
    // otherwise the system's error number of the failure (EIO when the
    // system gave none).
    int append_finished_game();

    // interface_board.cpp
    bool on_board_move();
    void play_drop(int from, int to);
    void record_board_move(const Move& move);
    void edit_setup(int from, int to);
    void on_menu_mode_setup();

    // interface_files.cpp
    void on_menu_new_game();
    void on_menu_load_game();
    void on_menu_save_game();
    void on_menu_load_position();
    void on_menu_load_next_position();
    void on_menu_load_previous_position();
    void on_menu_save_position();
    void on_menu_polyglot_book();
    // Ticks Human - human, then asks for a file of the kind (choose_file)
    // and for a row of it with choose_row; the path and the row, which is 0
    // when either chooser was cancelled.
    std::pair<std::string, int> choose_file_row(std::uint8_t kind,
                                                const std::function<int(const std::string&)>& choose_row);
    // Steps the position file's cursor by one line (+1 or -1) and sets it up.
    void load_neighbour_position(int step);

    // interface_navigation.cpp
    void on_menu_show_output();
    void on_menu_show_pgn_view();
    void on_menu_show_comment_editor();
    void on_menu_show_epd_commands();
    void on_menu_show_fen();
    void on_pgn_move_selected(int offset);
    void on_fen_entry_activated();
    void on_pgn_view_hide();
    void on_comment_editor_hide();
    void on_epd_commands_hide();
    void on_output_hide();
    void on_goto_first();
    void on_go_backward();
    void on_go_forward();
    void on_goto_last();
    // What the four navigation buttons share; step moves the record and
    // returns the FEN it reaches ("" when it cannot move).
    void navigate(const std::function<std::string()>& step);
    // Ticks Human - human unless Analysis or Learn Opening is ticked.
    void leave_engine_play();
    // Stores the comment editor's text into the current move, moves the
    // record with step and brings the window after it: the comment editor,
    // the PGN view's text (when write_text) and mark, the board, the clocks'
    // highlight and the manager ("setboard", and "analyzeposition" in
    // Analysis). A step that throws is reported after the window has
    // followed the record to where it stopped.
    void follow_record(const std::function<std::string()>& step, bool write_text);
    // A manager's move that arrives in Human - human while the user views
    // another move than m_play_entry: added behind m_play_entry, the view
    // staying where it is, and true. False when the move belongs to the
    // position shown. Throws std::runtime_error for a move that does not fit.
    bool add_move_at_play_entry(const std::string& text);
    void show_side_window(Gtk::Window& window, const Glib::RefPtr<Gtk::ToggleAction>& toggle);
    static void untick(const Glib::RefPtr<Gtk::ToggleAction>& toggle);

    // interface_engine_menu.cpp
    void on_menu_load_engine();
    void on_menu_install_engine();
    void on_menu_load_installed_engine();
    void on_menu_engine_options();

    // interface_modes.cpp
    void on_menu_mode_human_human();
    void on_menu_mode_human_computer();
    void on_menu_mode_analyze_position();
    void on_menu_mode_learn_openings();
    void on_menu_mode_tournament();
    void on_menu_start_thinking();
    void on_menu_ponder();
    void on_menu_debug();
    void on_menu_time_control();
    // The tournament dialog's opening-suite button: asks for a PGN or EPD
    // suite, hands it to the manager and the window's tournament, and shows
    // its name on the button; a cancelled chooser removes the suite.
    void on_select_book_clicked();
    // What the modes in which no engine plays a side share: Start thinking
    // greyed, Tournament > New available, the engine flags cleared, the
    // clocks held on user moves and the record's players unnamed.
    void leave_engine_sides();
    // Whether engine 1 can analyse: only a UCI engine has the search without
    // end that Analysis runs; true while no engine is loaded.
    bool engine_can_analyse() const;
    // Analysis with an engine that cannot analyse: Human - human is ticked
    // and the user told why; the manager gets no "analyzeposition".
    void refuse_analysis();
    void highlight_side_to_move();
    // A new position is a new game for the clocks: both sides get the time
    // control again, nothing runs, and the side to move is shown; the
    // manager restarts its clocks too ("level"). Stepping through the game's
    // own moves keeps the clocks on both sides.
    void start_clocks_afresh();
    // Whether the mode is the one chosen and no other: while a radio's
    // handler runs, the toolkit clears that radio only after the handler
    // has returned, although another one may have been ticked meanwhile.
    bool only_mode_chosen(const Glib::RefPtr<Gtk::RadioAction>& mode) const;
    // The "Time control" dialog on m_level; true (m_level replaced by the
    // user's choice) only when it was closed with OK. A refused increment is
    // reported in a message box and the dialog stays open.
    bool run_time_control_dialog();
    // Leaving Tournament while a tournament game is played asks first; No
    // ticks Tournament back, Yes stops the tournament. A tournament that
    // finishes while the question is open needs no stop: the mode chosen
    // stands either way.
    void leave_tournament();
    // Called as a mode is left for the one now ticked: false, once the user
    // has been told why, when that mode cannot start (Learn Opening without
    // a book; a tournament that is not loaded, or whose file, as the manager
    // reads it, has no game left to play).
    bool chosen_mode_can_start();
    // Undoes the mode change under way: the radio of the mode goes back on
    // once the toolkit has finished ticking, the Mode handlers meanwhile
    // doing nothing.
    void go_back_to_mode(WindowMode mode);
    void restore_held_mode();
    Glib::RefPtr<Gtk::RadioAction> mode_radio(WindowMode mode) const;
    // What would disturb a tournament game (Setup, the FEN row, a new game,
    // loading games, positions, engines or another tournament, the time
    // control and the engine's options) is greyed while Tournament is ticked.
    void set_tournament_locks(bool locked);
    // The tournament is over or stopped: the window's own event, site and
    // round, on a tournament game's record too unless its game has ended
    // (leave_tournament_record, once the manager has answered a stop), and
    // the user's time control on the clocks and at the manager.
    void restore_own_settings();
    // A tournament game's record on the board, unless its game ended as a
    // tournament game, takes the window's own event, site and round "?"; it
    // keeps its players. Any other record keeps every tag.
    void leave_tournament_record();

    // interface_tournament.cpp
    void on_menu_tounament_new();
    // Stores the dialog's tournament, saves it and has the manager load it;
    // false when the dialog should stay open for a correction (a refused
    // event name or increment, a declined replacement of saved results).
    bool store_tournament(TournamentDialog& dialog);
    // Ticks "Human - human", or sends "human_human" when it is ticked already.
    void choose_human_human();
    void on_menu_tournament_load();
    // Loads the window's tournament from "<name>.trn" and has the manager
    // load it; a fault is shown and changes nothing.
    void load_saved_tournament(const std::string& name);
    // Removes "<name>.trn" once the user has confirmed it; a fault is shown.
    void delete_saved_tournament(const std::string& name);

    bool white_to_move() const;

    GuiManager m_manager;
    MessageInbox m_inbox;
    WindowState m_state;
    std::uint64_t m_ticks = 0;
    std::thread m_manager_thread;

    Gtk::Box m_vbox;
    Gtk::AspectFrame m_clock_frame;
    Glib::RefPtr<Gtk::UIManager> m_ui_manager;
    Glib::RefPtr<Gtk::ActionGroup> m_actions;
    Glib::RefPtr<Gtk::RadioAction> m_setup_action;
    Glib::RefPtr<Gtk::RadioAction> m_human_human_action;
    Glib::RefPtr<Gtk::RadioAction> m_human_computer_action;
    Glib::RefPtr<Gtk::RadioAction> m_tournament_action;
    Glib::RefPtr<Gtk::RadioAction> m_analyze_action;
    Glib::RefPtr<Gtk::RadioAction> m_learn_openings_action;
    Glib::RefPtr<Gtk::ToggleAction> m_ponder_action;
    Glib::RefPtr<Gtk::ToggleAction> m_debug_action;
    Glib::RefPtr<Gtk::ToggleAction> m_show_pgn_action;
    Glib::RefPtr<Gtk::ToggleAction> m_show_output_action;
    Glib::RefPtr<Gtk::ToggleAction> m_show_comment_action;
    Glib::RefPtr<Gtk::ToggleAction> m_show_epd_action;
    Glib::RefPtr<Gtk::ToggleAction> m_show_fen_action;
    Glib::RefPtr<Gtk::Action> m_start_thinking_action;
    Glib::RefPtr<Gtk::Action> m_tournament_new_action;
    Gtk::RadioAction::Group m_mode_group;
    Gtk::ButtonBox m_nav_box;
    Gtk::Button m_goto_first_button;
    Gtk::Button m_go_backward_button;
    Gtk::Button m_go_forward_button;
    Gtk::Button m_goto_last_button;
    Gtk::Button m_book_button;
    Gtk::CheckButton m_random_order_check;
    Gtk::CheckButton m_both_colors_check;
    Gtk::CheckButton m_ignore_time_loss_check;
    Gtk::Image m_goto_first_image;
    Gtk::Image m_go_backward_image;
    Gtk::Image m_go_forward_image;
    Gtk::Image m_goto_last_image;
    ChessBoard m_board;
    Clocks m_clocks;
    FenEntry m_fen_entry;
    AnalysisWindow m_analysis_window;
    PgnView m_pgn_view;
    CommentEditor m_comment_editor;
    EpdCommandsWindow m_epd_window;
    GameList m_game_list;
    FenList m_fen_list;
    FaultBox m_fault_box;

    std::string m_position_file;
    std::string m_position_line;
    std::int32_t m_position_index = 0;
    EcoClassifier m_eco;
    // The window's own event and site, which a tournament's replace only
    // while it is played.
    const std::string m_own_event = "Torvane battles";
    const std::string m_own_site = "the North Sea";
    std::string m_event = m_own_event;
    std::string m_site = m_own_site;
    Tournament m_tournament;
    // The name under which the manager was told to load a tournament last.
    std::string m_tournament_name;
    ChessGame m_game;
    ChessPosition m_position;
    MoveGenerator m_move_generator;
    InstalledEngines m_installed_engines;
    // Which sides engines play, and whether the game shown has ended
    // (m_game_finished), are the window's to say: the manager plays only
    // what the window asks of it (a user's move, "go", a mode) and tells the
    // window when a game ends (a result line) or its engine is gone
    // ("engine1name ???"), which the window then follows.
    std::uint32_t m_engine_plays_white = 0;
    std::uint32_t m_engine_plays_black = 0;
    std::string m_engine_file;
    // A player nobody named, the user against an engine, and the round of a
    // game outside a tournament.
    const std::string m_unknown_player = "?";
    const std::string m_human_player = "Human";
    const std::string m_no_round = "?";
    // The players as the manager announced them last (an engine taking a
    // side against the user, or a tournament game's), and the time control
    // it announced last. Its "new" forgets them: a record it starts is named
    // only by what it announces for that game.
    std::string m_white_name = m_unknown_player;
    std::string m_black_name = m_unknown_player;
    std::string m_white_elo;
    std::string m_black_elo;
    std::string m_announced_level;
    // Engine 1's name as the manager announced it (the installed name of an
    // engine loaded by it); "" while no engine is loaded.
    std::string m_engine_name;
    std::string m_engine2_name;
    std::string m_announced_event = m_own_event;
    std::string m_announced_site = m_own_site;
    std::string m_round = m_no_round;
    std::string m_white_comment;
    std::string m_black_comment;
    // Set when the game's result has been recorded (or a game loaded ends
    // where it stands); the record takes no further move or result, and no
    // engine is asked to move, until a fresh record starts or the user steps
    // back from the result.
    bool m_game_finished = false;
    // Who names the record's players.
    enum class RecordKind {
        // Started by the window for the user's play: the mode names its
        // players until its first move.
        user_game,
        // Loaded from a file, or a tournament game the user goes on with: it
        // keeps the players it names.
        own_players,
        // Started by the manager for a tournament game, whose lines name them.
        tournament_game,
    };
    RecordKind m_record_kind = RecordKind::user_game;
    // The record's entry after the last move of the game being played (by a
    // board move, a manager's move or a fresh record); navigation leaves it.
    std::uint64_t m_play_entry = 0;
    Timer m_move_timer;
    Timer m_log_timer;
    Level m_level;
    // The time control the user chose: the tournament dialogs and a
    // tournament's games replace m_level, and it comes back when the
    // tournament ends.
    Level m_own_level;
    bool m_setup = false;
    bool m_debug = false;
    bool m_clocks_stopped = false;
    bool m_quitting = false;
    HomeDir m_home;
    std::string m_prefix;
    std::ofstream m_log;
    int m_width = 0;
    int m_height = 0;
    // SIGTERM, SIGINT and SIGHUP quit as File > Quit does; set up last, so
    // that it goes first.
    QuitSignalWatch m_quit_signals;
};
