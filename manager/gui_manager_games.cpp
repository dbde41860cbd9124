// The end of a game and the start of each tournament game.
#include "manager/gui_manager.h"

#include "engines/system_reason.h"
#include "manager/engine_game.h"
#include "manager/game_result.h"
#include "manager/tournament_game_start.h"
#include "manager/tournament_save_error.h"
#include "manager/unsaved_tournament_text.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <map>

namespace {

// The window's word for a game tag; the Elo tags keep their PGN names.
std::string window_tag_word(const std::string& tag)
{
    static const std::map<std::string, std::string> words = {{"White", "whitename"}, {"Black", "blackname"},
                                                             {"Round", "round"},     {"Event", "event"},
                                                             {"Site", "site"},       {"TimeControl", "level"}};
    const auto found = words.find(tag);
    return found == words.end() ? tag : found->second;
}

}

void GuiManager::finish_game(const std::string& result)
{
    m_substate = substate_idle;
    // The window's commands stay: only the engines' lines of the game that
    // ended are stale.
    m_queue.drop_engine_lines();
    const std::string line = result.empty() ? game_result() : result;
    send(line);
    const std::string first_word = line.substr(0, line.find_first_of(" \t"));
    if (m_mode == GuiManagerMode::human_computer) {
        send("round ?");
        send("telluser result: " + first_word);
        return;
    }
    if (m_mode != GuiManagerMode::match) {
        return;
    }
    try {
        if (!m_record.finish(m_tournament, line)) {
            // Unwritten, the game is not scored either: resuming plays it again.
            abandon_tournament("telluser Tournament_stopped The game could not be appended to \"" +
                               m_tournament.get_event() + ".pgn\": " + system_reason(m_record.append_error()) +
                               "; it is played again when the tournament is resumed.");
            return;
        }
    } catch (const std::exception& error) {
        // A result kept only in memory would be lost: the run stops here.
        std::cerr << "GuiManager::finish_game   " << error.what() << std::endl;
        abandon_tournament("telluser Tournament_stopped " + unsaved_result_text(error, m_tournament, m_game_number));
        return;
    }
    if (m_game_number >= m_tournament.get_nbr_games()) {
        send("telluser tournament_finished");
        end_tournament_run();
        return;
    }
    log(" manager -> newgame " + std::to_string(m_game_number));
    send("new");
    start_tournament_game();
}

void GuiManager::abandon_tournament(const std::string& message)
{
    empty_slot_for_good(1);
    empty_slot_for_good(2);
    m_mode = GuiManagerMode::human_human;
    m_substate = substate_idle;
    send(message);
    end_tournament_run();
}

void GuiManager::end_tournament_run()
{
    m_tournament_lock.release();
    send("tournament_finished");
}

void GuiManager::stop_tournament_game()
{
    // Engine 1 stays loaded, as after the tournament's last game, so that the
    // mode the user leaves for has an engine; a stopped search's late answer
    // is recognised as such by its driver, and what already waits is dropped.
    if (GuiEngine* engine1 = engine(1)) {
        engine1->stop();
    }
    empty_slot_for_good(2);
    m_queue.drop_engine_lines();
    m_pending.clear();
    m_mode = GuiManagerMode::human_human;
    m_substate = substate_idle;
    // Worded as "tournament_finished" is: the window shows the first word as
    // the heading.
    std::string message = "telluser tournament_stopped its unfinished game is played again when the tournament is resumed";
    try {
        m_tournament.save();
    } catch (const std::exception& error) {
        // The file still holds every earlier result: each was saved when its
        // game ended.
        message += ". " + save_fault_text(error) + "; it still holds every earlier result.";
    }
    m_tournament_lock.release();
    send(message);
}

void GuiManager::start_tournament_game()
{
    m_pending.clear();
    const TournamentGame game = m_tournament.next_game();
    m_game_number = game.get_number();
    const std::string white = game.get_white().get_name();
    const std::string black = game.get_black().get_name();
    if (white.empty()) {
        abandon_tournament("telluser tournament_finished");
        return;
    }
    empty_slot(1);
    empty_slot(2);
    for (int slot : {1, 2}) {
        const std::string& name = slot == 1 ? white : black;
        // A participant that is no longer installed, or whose program does
        // not start, is named in the one message the user gets.
        std::string failure;
        if (!load_installed_engine(slot, name, &failure) || !engine(slot)->engine_running()) {
            m_mode = GuiManagerMode::human_human;
            // A start given up for a quit needs no word.
            if (!failure.empty()) {
                send("telluser Oops... loading " + name + " failed: " + failure);
            }
            end_tournament_run();
            return;
        }
    }
    GuiEngine* engine1 = engine(1);
    GuiEngine* engine2 = engine(2);
    const TournamentOpening opening =
        begin_tournament_game(*engine1, *engine2, &m_log, m_level, *m_openings, m_position, game, m_tournament);
    m_record.start(m_tournament, game, *engine1, *engine2, opening, m_position);
    // The time control goes as the "level" of these tags: the window's clocks
    // take it before the diagram starts them.
    for (const auto& [tag, value] : tournament_game_tags(*engine1, *engine2, game, m_tournament)) {
        send(window_tag_word(tag) + " " + value);
    }
    forget_engine1_crashes();
    // The window replays the opening's moves from the position they start
    // from, which a suite entry may give of its own.
    send("diagram " + opening.start_fen);
    for (const Move& move : opening.moves) {
        send("move " + move.to_string());
    }
    if (opening.moves.empty()) {
        send("setboard " + m_position.epd());
    }
    if (no_legal_move(m_position, m_generator)) {
        // An opening that is already mate or stalemate is the whole game.
        finish_game("");
        return;
    }
    m_substate = start_engine_to_move(*engine1, *engine2, m_position) == 1 ? engine1_to_move : engine2_to_move;
}
