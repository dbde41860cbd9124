// Game and position files, the Polyglot book, and New game.
#include "app/interface.h"

#include "app/board_drop.h"
#include "app/fen_line_check.h"
#include "app/plain_fault_text.h"
#include "app/user_fault.h"
#include "engines/file_replacement.h"
#include "engines/system_reason.h"
#include "game/pgn_error.h"
#include "game/pgn_file.h"
#include "gui/position_lines.h"

#include <gtkmm/filechooserdialog.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

std::string file_name_of(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

}

std::string Interface::choose_file(std::uint8_t kind)
{
    const bool save = kind == 1 || kind == 4;
    Gtk::FileChooserDialog dialog(*this, "Choose File",
                                  save ? Gtk::FILE_CHOOSER_ACTION_SAVE : Gtk::FILE_CHOOSER_ACTION_OPEN);
    dialog.set_transient_for(*this);
    dialog.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
    dialog.add_button(save ? "_Save" : "_Open", Gtk::RESPONSE_OK);
    // Enter in the file name entry confirms, as it does in every file dialog.
    dialog.set_default_response(Gtk::RESPONSE_OK);
    const auto add_filter = [&dialog](const char* name, std::initializer_list<const char*> patterns,
                                      const char* mime_type) {
        Glib::RefPtr<Gtk::FileFilter> filter = Gtk::FileFilter::create();
        filter->set_name(name);
        for (const char* pattern : patterns)
            filter->add_pattern(pattern);
        if (mime_type)
            filter->add_mime_type(mime_type);
        dialog.add_filter(filter);
    };
    switch (kind) {
    case 0:
    case 1:
        add_filter("FEN files", {"*.fen", "*.epd"}, nullptr);
        break;
    case 2:
    case 4:
        add_filter("PGN files", {"*.pgn"}, nullptr);
        break;
    case 3:
        add_filter("PGN/EPD files", {"*.pgn", "*.epd"}, nullptr);
        break;
    case 5:
        add_filter("engine", {}, "application/octet-stream");
        break;
    case 6:
        add_filter("Polyglot books", {"*.bin"}, nullptr);
        break;
    default:
        break;
    }
    // The FEN filter lists EPD suites too, which one saved FEN line would
    // replace: an existing file is replaced only after the user agreed.
    if (kind == 1)
        dialog.set_do_overwrite_confirmation(true);
    add_filter("Text files", {}, "text/plain");
    add_filter("Any files", {"*"}, nullptr);
    if (dialog.run() != Gtk::RESPONSE_OK)
        return "";
    return dialog.get_filename();
}

bool Interface::fen_is_valid(const std::string& line)
{
    return fen_line_is_valid(line);
}

void Interface::set_position_from_line(const std::string& line)
{
    if (!fen_is_valid(line))
        throw UserFault("Interface::set_position_from_line()   not a FEN or EPD line: " + line, "Position not set up",
                        "This line is not a position in FEN or EPD: " + line);
    ChessPosition position;
    try {
        position.set_fen(line);
    } catch (const std::logic_error& error) {
        throw UserFault("Interface::set_position_from_line()   " + std::string(error.what()) + ": " + line,
                        "Position not set up",
                        "This position cannot be set up: " + line + "\n" + plain_fault_text(error.what()));
    }
    m_position_line = line;
    m_position = position;
    start_record(m_event, m_site);
    m_game.set_tag("SetUp", "1");
    m_game.set_tag("FEN", m_position.fen());
    m_pgn_view.show_game(m_game);
    refresh_board();
    send_position();
    start_clocks_afresh();
    m_epd_window.show_epd(m_position_line);
}

std::pair<std::string, int> Interface::choose_file_row(std::uint8_t kind,
                                                      const std::function<int(const std::string&)>& choose_row)
{
    static_assert(FenList::nothing_chosen == 0 && GameList::nothing_chosen == 0);
    // Analysis goes on with the position loaded.
    if (!m_analyze_action->get_active())
        m_human_human_action->set_active(true);
    const std::string path = choose_file(kind);
    if (path.empty())
        return {path, 0};
    return {path, choose_row(path)};
}

void Interface::on_menu_load_position()
{
    const auto [path, row] =
        choose_file_row(0, [this](const std::string& file) { return m_fen_list.choose_position(file); });
    if (row == FenList::nothing_chosen)
        return;
    const std::vector<std::string> lines = read_position_lines(path);
    if (row < 1 || static_cast<std::size_t>(row) > lines.size())
        throw UserFault("Interface::on_menu_load_position()   " + path + " has no position " + std::to_string(row),
                        "Position not loaded",
                        file_name_of(path) + " has no position " + std::to_string(row) + " any more.");
    m_position_file = path;
    m_position_index = row;
    set_position_from_line(lines[static_cast<std::size_t>(row) - 1]);
}

void Interface::on_menu_load_next_position()
{
    load_neighbour_position(1);
}

void Interface::on_menu_load_previous_position()
{
    load_neighbour_position(-1);
}

void Interface::load_neighbour_position(int step)
{
    if (m_tournament_action->get_active())
        return;
    if (!m_analyze_action->get_active())
        m_human_human_action->set_active(true);
    if (m_position_file.empty())
        return;
    // The lines counted are the rows that the position list shows.
    const std::vector<std::string> lines = read_position_lines(m_position_file);
    const int count = static_cast<int>(lines.size());
    if (count == 0)
        return;
    if (step > 0) {
        if (m_position_index >= count)
            return;
        ++m_position_index;
    } else {
        m_position_index = std::min(std::max(1, m_position_index - 1), count);
    }
    set_position_from_line(lines[static_cast<std::size_t>(m_position_index) - 1]);
}

void Interface::on_menu_save_position()
{
    const std::string path = choose_file(1);
    if (path.empty())
        return;
    errno = 0;
    if (replace_file(path, m_position.fen() + "\n") != FileReplacement::done)
        throw UserFault("Interface::on_menu_save_position()   cannot write " + path, "Position not saved",
                        "Cannot write the position to " + path + ": " + system_reason(errno) + ".");
}

void Interface::on_menu_load_game()
{
    const auto [path, row] =
        choose_file_row(2, [this](const std::string& file) { return m_game_list.choose_game(file); });
    if (row == GameList::nothing_chosen)
        return;
    const auto unreadable = [&](const std::string& fault, const std::string& reason) {
        return UserFault("Interface::on_menu_load_game()   invalid game " + std::to_string(row) + " of " + path + ": " +
                             fault,
                         "Game not loaded",
                         "Game " + std::to_string(row) + " of " + file_name_of(path) + " cannot be read: " + reason);
    };
    PgnFile file;
    file.open(path);
    std::string text;
    try {
        text = file.listed_game(row);
    } catch (const pgn_error& damaged) {
        // The text of a damaged game stops at the damage: loaded, a part of
        // the game would pass for all of it.
        throw unreadable(damaged.reason(), damaged.reason() + ".");
    }
    file.close();
    if (text.empty())
        throw UserFault("Interface::on_menu_load_game()   " + path + " has no game " + std::to_string(row),
                        "Game not loaded", file_name_of(path) + " has no game " + std::to_string(row) + " any more.");
    // The game is read into a scratch record: one that fails leaves the
    // current game and position as they were.
    ChessGame loaded;
    ChessPosition position;
    try {
        loaded.set_pgn(text);
        loaded.remove_comment_commands();
        loaded.goto_end();
        position.set_fen(loaded.position().fen());
    } catch (const std::logic_error& error) {
        std::cerr << "# invalid game: \n" << text << '\n' << error.what() << std::endl;
        throw unreadable(error.what(), unreadable_game_reason(error.what()));
    }
    m_game = loaded;
    m_state.forget_stopped_game();
    // A game with a result, or one ending in mate or stalemate, takes no
    // further move at its end, as a game finished here would not.
    m_game_finished = m_game.game_ended_here() || !result_on_board(position).empty();
    m_play_entry = m_game.current();
    // The game names its own players: only an engine that takes a side renames one.
    m_record_kind = RecordKind::own_players;
    m_position = position;
    m_white_comment.clear();
    m_black_comment.clear();
    m_analysis_window.clear();
    set_players_title();
    show_move_comment();
    refresh_board();
    m_pgn_view.show_game(m_game);
    send_position();
    start_clocks_afresh();
}

void Interface::on_menu_save_game()
{
    const std::string path = choose_file(4);
    if (path.empty())
        return;
    // The comment being typed is saved with its move.
    store_editor_comment();
    PgnFile file;
    errno = 0;
    const bool written = file.open_append(path) && file.write(m_game.pgn());
    const int reason = errno;
    if (!file.close_append() || !written)
        throw UserFault("Interface::on_menu_save_game()   cannot append the game to " + path, "Game not saved",
                        "Cannot add the game to " + path + ": " + system_reason(written ? errno : reason) + ".");
}

void Interface::on_menu_polyglot_book()
{
    const std::string path = choose_file(6);
    if (!path.empty())
        send_to_manager("polyglotbook " + path);
}

void Interface::on_menu_new_game()
{
    m_position.set_start_position();
    m_clocks.highlight_white();
    m_board.clear_arrows();
    refresh_board();
    send_to_manager("new");
    m_engine_plays_white = 0;
    m_engine_plays_black = 0;
    start_record(m_event, m_site);
    // Whatever the mode left, a new game starts on full clocks.
    start_clocks_afresh();
    if (m_engine_name.empty()) {
        m_human_human_action->set_active(true);
        return;
    }
    // The user plays White against the engine. Ticked now, Human - computer
    // names the sides and tells the manager itself.
    if (!m_human_computer_action->get_active()) {
        m_human_computer_action->set_active(true);
        return;
    }
    m_engine_plays_black = 1;
    tag_players_and_time_control();
    m_start_thinking_action->set_sensitive(true);
    m_tournament_new_action->set_sensitive(true);
    send_to_manager("human_computer");
}
