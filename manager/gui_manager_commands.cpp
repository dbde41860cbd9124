// The window's commands: one line each, "0 WORD ARGUMENTS".
#include "manager/gui_manager.h"

#include <chrono>
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
    } else if (word == "polyglotbook") {
        command_polyglotbook(words.trimmed_rest());
    } else if (word == "level") {
        command_level(words.rest());
    } else if (word == "setboard") {
        command_setboard(words.rest());
    } else if (word == "ponder") {
        command_ponder(words.next_word());
    }
    // "reset_tournament", "wake_up" and unknown words have no handler: the
    // move loop's pass after every line is all they cause.
}

void GuiManager::command_load(CommandWords& words)
{
    int protocol = words.next_int(0);
    if (protocol < 1 || protocol > 3) {
        protocol = 0;
    }
    const std::string kind = words.next_word();
    const std::string target = words.trimmed_rest();
    if (kind == "filename") {
        empty_slot(1);
        load_engine(1, target, protocol);
    } else if (kind == "name") {
        empty_slot(1);
        load_installed_engine(1, target);
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
    engine1->set_options(options);
}

void GuiManager::command_new()
{
    if (m_mode == GuiManagerMode::match) {
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
    for (int slot : {1, 2}) {
        if (GuiEngine* loaded = engine(slot)) {
            loaded->stop();
        }
    }
    m_mode = GuiManagerMode::human_human;
    m_substate = substate_idle;
}

void GuiManager::command_level(const std::string& text)
{
    // A text that is refused throws here, before anything has changed.
    m_level = Level(text);
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
    if (GuiEngine* engine1 = engine(1)) {
        engine1->stop();
    }
    m_position.set_fen(fen);
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
