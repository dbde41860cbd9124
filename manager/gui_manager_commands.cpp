// The window's commands: one line each, "0 WORD ARGUMENTS".
#include "manager/gui_manager.h"

#include "manager/engine_game.h"
#include "manager/telluser_line.h"
#include "manager/tournament_claim.h"
#include "manager/tournament_games_left.h"
#include "manager/tournament_opening.h"
#include "manager/unsaved_tournament_text.h"

#include <chrono>
#include <iostream>
#include <set>
#include <stdexcept>
#include <thread>

void GuiManager::process_command_from_interface(std::string line)
{
    if (m_debug && line.find("wake_up") == std::string::npos) {
        log(" interface -> " + line);
    }
    CommandWords words(line);
    const std::string source = words.next_word();
    if (source.empty() || source.find_first_not_of("0123456789+-") != std::string::npos) {
        return;
    }
    if (std::stoi(source) != 0) {
        throw std::logic_error("GuiManager::process_command_from_interface: command not from interface");
    }
    const std::string word = words.next_word();
    stop_engines_and_drop_their_lines(word);
    if (word == "load") {
        command_load(words);
    } else if (word == "book") {
        command_book(words.trimmed_rest());
    } else if (word == "debug") {
        set_debug(words.next_word().find("true") != std::string::npos);
    } else if (word == "setoption") {
        command_setoption(words);
    } else if (word == "new") {
        command_new();
    } else if (word == "quit") {
        command_quit();
    } else if (word == "human_human") {
        command_human_human();
    } else if (word == "human_computer") {
        command_human_computer();
    } else if (word == "go") {
        command_go();
    } else if (word == "analyzeposition") {
        command_analyzeposition();
    } else if (word == "learnopenings") {
        command_learnopenings(words.next_int(0));
    } else if (word == "polyglotbook") {
        command_polyglotbook(words.trimmed_rest());
    } else if (word == "start_tournament") {
        command_start_tournament();
    } else if (word == "load_tournament") {
        command_load_tournament(Tournament::trimmed_name(words.rest()));
    } else if (word == "level") {
        command_level(words.rest());
    } else if (word == "usermove") {
        command_usermove(words.next_word());
    } else if (word == "setboard") {
        command_setboard(words.rest());
    } else if (word == "ponder") {
        command_ponder(words.next_word());
    } else if (word == "ping") {
        // Every window line before it has been handled: the window drops
        // the moves that crossed its own change of position until then.
        send("pong " + words.next_word());
    }
    // "reset_tournament", "wake_up" and unknown words have no handler: the
    // move loop's pass after every line is all they cause.
}

void GuiManager::stop_engines_and_drop_their_lines(const std::string& word)
{
    static const std::set<std::string> new_play = {
        "setboard", "new", "load", "human_human", "human_computer", "go", "analyzeposition", "learnopenings"};
    // During a tournament game these commands are either refused, and the
    // game's lines must stay, or they stop the game, which drops its lines.
    if (new_play.count(word) == 0 || tournament_game_in_progress()) {
        return;
    }
    // The window's commands overtake the engines' lines: what waits was
    // printed for the old position. The engines stop first, so that a
    // stopped search's last lines, printed while it stops, go too.
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->stop();
        }
    }
    m_queue.drop_engine_lines();
}

bool GuiManager::refused_during_tournament_game(const std::string& what)
{
    if (!tournament_game_in_progress()) {
        return false;
    }
    send("telluser " + what + " refused: a tournament game is being played");
    return true;
}

void GuiManager::command_load(CommandWords& words)
{
    if (refused_during_tournament_game("load")) {
        return;
    }
    int protocol = words.next_int(0);
    if (protocol < 1 || protocol > 3) {
        protocol = 0;
    }
    const std::string kind = words.next_word();
    const std::string target = words.trimmed_rest();
    bool failed = false;
    std::string failure;
    if (kind == "filename") {
        empty_slot(1);
        failed = !load_engine(1, target, protocol, nullptr, &failure);
    } else if (kind == "name" && target.empty()) {
        empty_slot_for_good(1);
    } else if (kind == "name") {
        empty_slot(1);
        failed = !load_installed_engine(1, target, &failure);
    }
    // A start given up for the user's next command needs no word.
    if (failed && !failure.empty()) {
        send(telluser_line(target, "failed: " + failure));
    }
    reset_position();
}

void GuiManager::command_setoption(CommandWords& words)
{
    GuiEngine* engine1 = engine(1);
    if (!engine1 || words.next_word() != "name") {
        return;
    }
    std::string name;
    std::string value;
    bool in_value = false;
    for (std::string word = words.next_word(); !word.empty(); word = words.next_word()) {
        if (!in_value && word == "value") {
            in_value = true;
            continue;
        }
        std::string& target = in_value ? value : name;
        target += (target.empty() ? "" : " ") + word;
    }
    if (name.empty()) {
        return;
    }
    std::map<std::string, Option> options = engine1->get_options();
    auto [entry, added] = options.try_emplace(name);
    if (added) {
        entry->second.set_name(name);
    }
    entry->second.set_value(value);
    // The engine layer sends a button only when it is marked as pressed.
    if (entry->second.get_type() == "button") {
        entry->second.set_changed(true);
    }
    // An analysing engine would hear the option only when the analysis
    // ends: it is stopped, set, and set to the same position again, so the
    // change shows at once.
    const bool analysing = m_mode == GuiManagerMode::analysis && engine1->get_state() == BaseEngine::thinking;
    if (analysing) {
        engine1->stop();
    }
    engine1->set_options(options);
    if (analysing) {
        engine1->set_position(m_position);
        engine1->go_infinite();
    }
}

void GuiManager::command_new()
{
    if (tournament_game_in_progress()) {
        stop_tournament_game();
    } else if (m_mode == GuiManagerMode::match) {
        return;
    }
    GuiEngine* engine1 = engine(1);
    if (engine1 && !engine1->get_reuse()) {
        reload_engine(1);
        engine1 = engine(1);
    }
    reset_position();
    if (m_mode != GuiManagerMode::human_computer) {
        return;
    }
    if (engine1) {
        engine1->stop();
    }
    m_substate = human_to_move;
    send("new");
    if (!engine1) {
        return;
    }
    engine1->set_level(m_level);
    engine1->new_game();
    const auto options = engine1->get_options();
    const auto chess960 = options.find("UCI_Chess960");
    if (chess960 != options.end() && chess960->second.get_value() == "true") {
        m_position.set_chess960_position(0xFFFFFFFFu);
        send("setboard " + m_position.fen());
    }
}

void GuiManager::command_quit()
{
    // A second "quit" queued behind the first finds the manager stopped.
    if (m_stop) {
        return;
    }
    empty_slot(1);
    empty_slot(2);
    send("quit");
    m_stop = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
}

void GuiManager::command_human_human()
{
    // Stopping the tournament game stops engine 1 and unloads engine 2.
    if (tournament_game_in_progress()) {
        stop_tournament_game();
    } else {
        for (int slot : {1, 2}) {
            if (GuiEngine* loaded = engine(slot)) {
                loaded->stop();
            }
        }
    }
    // The window's clocks stand still while two humans play: the human's
    // time left is where the engine game left it.
    m_human_clock.stop();
    m_mode = GuiManagerMode::human_human;
    m_substate = substate_idle;
}

void GuiManager::command_level(const std::string& text)
{
    // Both clocks would jump mid-game, and the games after it would run on
    // a time control that the tournament does not name.
    if (refused_during_tournament_game("level")) {
        return;
    }
    // A text that is refused throws here, before anything has changed.
    m_level = Level(text);
    m_human_clock.set_time_control(m_level);
    for (int slot : {1, 2}) {
        GuiEngine* loaded = engine(slot);
        if (!loaded) {
            continue;
        }
        loaded->set_level(m_level);
        send((loaded->is_white() ? "wtime " : "btime ") + std::to_string(loaded->get_time_left()));
    }
}

void GuiManager::command_setboard(const std::string& fen)
{
    if (refused_during_tournament_game("setboard")) {
        return;
    }
    GuiEngine* engine1 = engine(1);
    if (engine1) {
        engine1->stop();
    }
    // The clocks go on: a move of the game stepped to is no new game. The
    // window sends "level" when it starts its clocks afresh (a new position,
    // a new game), and "new" restarts them too.
    m_position.set_fen(fen);
    // A move still pending, or a late answer of the engine, belongs to the
    // old position; in a game against the engine the human moves next.
    m_pending.clear();
    if (m_mode == GuiManagerMode::human_computer) {
        m_substate = human_to_move;
    }
    show_book_arrows();
}

void GuiManager::command_ponder(const std::string& word)
{
    m_ponder = word == "on";
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->set_ponder(m_ponder);
        }
    }
}

void GuiManager::command_book(const std::string& path)
{
    if (path.empty()) {
        m_openings.emplace();
        return;
    }
    m_openings->load(path);
}

void GuiManager::command_polyglotbook(const std::string& path)
{
    m_book.set_filename(path);
    if (m_book.is_open()) {
        m_book.close();
        m_book.open();
    }
}

void GuiManager::send_human_computer_names()
{
    GuiEngine* engine1 = engine(1);
    const std::string name = player_name(*engine1);
    if (engine1->is_white()) {
        send("whitename " + name);
        send("blackname Human");
    } else {
        send("blackname " + name);
        send("whitename Human");
    }
}

void GuiManager::enter_engine1_mode(GuiEngine& engine1, GuiManagerMode mode, int substate)
{
    m_mode = mode;
    m_substate = substate;
    m_pending.clear();
    m_human_clock.stop();
    engine1.set_white(m_position.board().side_to_move() == 1);
}

void GuiManager::command_human_computer()
{
    if (refused_during_tournament_game("human_computer")) {
        return;
    }
    GuiEngine* engine1 = engine(1);
    if (!engine1) {
        return;
    }
    engine1->stop();
    enter_engine1_mode(*engine1, GuiManagerMode::human_computer, human_to_move);
}

void GuiManager::command_go()
{
    if (refused_during_tournament_game("go")) {
        return;
    }
    GuiEngine* engine1 = engine(1);
    if (!engine1) {
        return;
    }
    enter_engine1_mode(*engine1, GuiManagerMode::human_computer, engine1_to_move);
    engine1_go(*engine1);
    send_human_computer_names();
}

void GuiManager::command_analyzeposition()
{
    if (refused_during_tournament_game("analyzeposition")) {
        return;
    }
    GuiEngine* engine1 = engine(1);
    if (!engine1) {
        return;
    }
    enter_engine1_mode(*engine1, GuiManagerMode::analysis, substate_idle);
    engine1->stop();
    engine1->set_position(m_position);
    engine1->go_infinite();
}

void GuiManager::command_usermove(const std::string& text)
{
    if (refused_during_tournament_game("usermove")) {
        return;
    }
    const Move move = alg2move(text);
    switch (m_mode) {
    case GuiManagerMode::match:
        return;
    case GuiManagerMode::analysis:
        throw std::logic_error("GuiManager::process_command_from_interface()  usermove while in analysis mode");
    case GuiManagerMode::human_human:
    case GuiManagerMode::learnopenings:
        m_pending = move;
        m_substate = human_to_move;
        return;
    case GuiManagerMode::human_computer:
        break;
    }
    // The engine's move is awaited: taking the user's would swap the sides
    // under the thinking engine.
    if (m_substate == engine1_to_move && engine(1)) {
        send("telluser usermove refused: engine1 is to move");
        return;
    }
    // Only a legal move reaches the game; the position and the engine stay
    // as they were otherwise.
    if (!find_legal_move(move)) {
        send("telluser illegal move refused: " + text);
        return;
    }
    m_pending = move;
    m_substate = human_to_move;
    m_human_clock.move_done(0);
    if (GuiEngine* engine1 = engine(1)) {
        engine1->set_white(m_position.board().side_to_move() != 1);
        send_human_computer_names();
    }
}

void GuiManager::command_learnopenings(int sides)
{
    if (refused_during_tournament_game("learnopenings")) {
        return;
    }
    m_learn_sides = sides;
    if (sides == 0) {
        return;
    }
    if (m_book.get_filename().empty()) {
        send("reset mode");
        send("telluser No_Polyglot_book_found use menu 'File' to load a Polyglot book");
        return;
    }
    try {
        m_book.open();
    } catch (const std::exception& error) {
        send("reset mode");
        send(std::string("telluser ") + error.what());
        return;
    }
    m_mode = GuiManagerMode::learnopenings;
    m_substate = substate_idle;
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->stop();
        }
    }
}

void GuiManager::command_start_tournament()
{
    if (refused_during_tournament_game("start_tournament")) {
        return;
    }
    // The saved file says what is left to play, for the manager as for the
    // window, which asked it in the same way before the user's choice came
    // here: it is read again, and a game that a crash left unscored in it is
    // scored from the PGN file first.
    std::string heading = no_game_left_heading();
    std::string why;
    try {
        const std::string refusal = claim_tournament_to_play(m_tournament, m_tournament_name, m_tournament_lock);
        if (refusal.empty()) {
            load_tournament_suite(m_tournament, m_openings);
            why = no_game_left_reason(m_tournament);
        } else {
            heading = not_started_heading();
            why = refusal;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        heading = no_tournament_heading();
        why = no_tournament_reason();
    }
    // Saved before the first game, the file records the length of the PGN
    // file that the games go to: a game appended there whose result a crash
    // or a failed save keeps from the file is scored from there on resuming,
    // never played twice. A file that cannot be saved now plays nothing.
    if (why.empty()) {
        try {
            m_tournament.save();
        } catch (const std::exception& error) {
            std::cerr << "GuiManager::command_start_tournament   " << error.what() << std::endl;
            heading = not_started_heading();
            why = unstarted_run_text(error);
        }
    }
    if (!why.empty()) {
        // Nothing to play: the game on the window's board stays.
        send(telluser_line(heading, why));
        end_tournament_run();
        return;
    }
    m_mode = GuiManagerMode::match;
    m_substate = substate_idle;
    m_level = Level(m_tournament.get_level());
    send("new");
    start_tournament_game();
}

void GuiManager::command_load_tournament(const std::string& name)
{
    // The game being played would be scored into the tournament loaded.
    if (refused_during_tournament_game("load_tournament")) {
        return;
    }
    m_tournament_name = name;
    try {
        load_tournament_with_suite(m_tournament, m_openings, name);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        send("telluser Tournament_doesn't_exist");
    }
}
