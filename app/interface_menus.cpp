// The menu bar: every action of the window with its handler, and the menus.
#include "app/interface.h"

#include <glibmm/error.h>

#include <iostream>

sigc::slot<void> Interface::handler(const char* operation, void (Interface::*member)())
{
    return [this, operation, member] { guarded(operation, [this, member] { (this->*member)(); }); };
}

void Interface::add_actions()
{
    m_actions = Gtk::ActionGroup::create();
    const auto menu = [this](const char* name, const char* label) {
        m_actions->add(Gtk::Action::create(name, label));
    };
    const auto plain = [this](const char* name, const char* label, const char* operation,
                              void (Interface::*member)()) {
        Glib::RefPtr<Gtk::Action> action = Gtk::Action::create(name, label);
        m_actions->add(action, handler(operation, member));
        return action;
    };
    const auto with_key = [this](const char* name, const char* label, const char* key, const char* operation,
                                 void (Interface::*member)()) {
        m_actions->add(Gtk::Action::create(name, label), Gtk::AccelKey(key), handler(operation, member));
    };
    const auto toggle = [this](const char* name, const char* label, const char* operation,
                               void (Interface::*member)()) {
        Glib::RefPtr<Gtk::ToggleAction> action = Gtk::ToggleAction::create(name, label, "", false);
        m_actions->add(action, handler(operation, member));
        return action;
    };
    // While a mode change is being undone, the radios change without their
    // handlers. The mode left hears of the change first, when the one chosen
    // is already ticked: a mode that cannot start is refused there, before
    // the mode left has let go of anything.
    const auto radio = [this](const char* name, const char* label, WindowMode mode, const char* operation,
                              void (Interface::*member)()) {
        Glib::RefPtr<Gtk::RadioAction> action = Gtk::RadioAction::create(m_mode_group, name, label);
        const sigc::slot<void> run = handler(operation, member);
        m_actions->add(action, [this, action, mode, run] {
            if (m_state.mode_changes_held())
                return;
            if (!action->get_active() && !chosen_mode_can_start()) {
                go_back_to_mode(mode);
                return;
            }
            run();
        });
        return action;
    };

    menu("FileMenu", "_File");
    plain("NewGame", "New game", "on_menu_new_game", &Interface::on_menu_new_game);
    plain("LoadGame", "Load game", "on_menu_load_game", &Interface::on_menu_load_game);
    plain("SaveGame", "Save game", "on_menu_save_game", &Interface::on_menu_save_game);
    plain("LoadPosition", "Load position", "on_menu_load_position", &Interface::on_menu_load_position);
    with_key("LoadNextPosition", "Load next position", "<control>n", "on_menu_load_next_position",
             &Interface::on_menu_load_next_position);
    with_key("LoadPreviousPosition", "Load previous position", "<control>p", "on_menu_load_previous_position",
             &Interface::on_menu_load_previous_position);
    plain("SavePosition", "Save position", "on_menu_save_position", &Interface::on_menu_save_position);
    plain("PolyglotBook", "Polyglot book", "on_menu_polyglot_book", &Interface::on_menu_polyglot_book);
    plain("Quit", "Quit", "on_menu_quit", &Interface::on_menu_quit);

    menu("ViewMenu", "View");
    plain("Flip", "Flip View", "on_menu_flip", &Interface::on_menu_flip);
    m_show_output_action = toggle("ShowOutput", "Show Engine Output", "on_menu_show_output",
                                  &Interface::on_menu_show_output);
    m_show_pgn_action = toggle("ShowPgnView", "Show PGN", "on_menu_show_pgn_view", &Interface::on_menu_show_pgn_view);
    m_show_comment_action = toggle("ShowCommentEditor", "Show Comment Editor", "on_menu_show_comment_editor",
                                   &Interface::on_menu_show_comment_editor);
    m_show_epd_action = toggle("ShowEpdCommands", "Show EPD Code", "on_menu_show_epd_commands",
                               &Interface::on_menu_show_epd_commands);
    m_show_fen_action = toggle("ShowFEN", "Show FEN", "on_menu_show_fen", &Interface::on_menu_show_fen);

    menu("ModeMenu", "Mode");
    m_setup_action =
        radio("Setup", "Setup", WindowMode::setup, "on_menu_mode_setup", &Interface::on_menu_mode_setup);
    m_human_computer_action = radio("HumanComputer", "Human - computer", WindowMode::human_computer,
                                    "on_menu_mode_human_computer", &Interface::on_menu_mode_human_computer);
    m_human_human_action = radio("HumanHuman", "Human - human", WindowMode::human_human, "on_menu_mode_human_human",
                                 &Interface::on_menu_mode_human_human);
    m_analyze_action = radio("AnalyzePosition", "Analysis", WindowMode::analysis, "on_menu_mode_analyze_position",
                             &Interface::on_menu_mode_analyze_position);
    m_learn_openings_action = radio("LearnOpenings", "Learn Opening", WindowMode::learn_openings,
                                    "on_menu_mode_learn_openings", &Interface::on_menu_mode_learn_openings);
    m_tournament_action = radio("Tournament", "Tournament", WindowMode::tournament, "on_menu_mode_tournament",
                                &Interface::on_menu_mode_tournament);
    m_start_thinking_action = plain("StartThinking", "Start thinking", "on_menu_start_thinking",
                                    &Interface::on_menu_start_thinking);

    menu("TournamentMenu", "Tournament");
    m_tournament_new_action = plain("New", "New / Edit / Reset", "on_menu_tounament_new",
                                    &Interface::on_menu_tounament_new);
    plain("Load", "Load", "on_menu_tournament_load", &Interface::on_menu_tournament_load);

    menu("EngineMenu", "Engine");
    plain("Engine1", "Load engine...", "on_menu_load_engine", &Interface::on_menu_load_engine);
    plain("Install", "Install engine...", "on_menu_install_engine", &Interface::on_menu_install_engine);
    plain("LoadInstalled", "Load installed engine...", "on_menu_load_installed_engine",
          &Interface::on_menu_load_installed_engine);

    menu("OptionMenu", "Options");
    plain("TimeControl", "Time Control...", "on_menu_time_control", &Interface::on_menu_time_control);
    plain("Engine1_options", "Engine...", "on_menu_engine_options", &Interface::on_menu_engine_options);
    m_ponder_action = toggle("Ponder", "Ponder", "on_menu_ponder", &Interface::on_menu_ponder);
    m_debug_action = toggle("Debug", "Debug", "on_menu_debug", &Interface::on_menu_debug);

    menu("InfoMenu", "Info");
    plain("About", "About...", "on_menu_about", &Interface::on_menu_about);
}

void Interface::add_menu_bar()
{
    m_ui_manager = Gtk::UIManager::create();
    m_ui_manager->insert_action_group(m_actions, 0);
    add_accel_group(m_ui_manager->get_accel_group());
    static const char* const description =
        "<ui>"
        "  <menubar name='MenuBar'>"
        "    <menu action='FileMenu'>"
        "      <menuitem action='NewGame'/>"
        "      <separator/>"
        "      <menuitem action='LoadGame'/>"
        "      <menuitem action='SaveGame'/>"
        "      <separator/>"
        "      <menuitem action='LoadPosition'/>"
        "      <menuitem action='LoadNextPosition'/>"
        "      <menuitem action='LoadPreviousPosition'/>"
        "      <menuitem action='SavePosition'/>"
        "      <separator/>"
        "      <menuitem action='PolyglotBook'/>"
        "      <separator/>"
        "      <menuitem action='Quit'/>"
        "    </menu>"
        "    <menu action='ViewMenu'>"
        "      <menuitem action='Flip'/>"
        "      <menuitem action='ShowOutput'/>"
        "      <menuitem action='ShowPgnView'/>"
        "      <menuitem action='ShowCommentEditor'/>"
        "      <menuitem action='ShowEpdCommands'/>"
        "      <menuitem action='ShowFEN'/>"
        "    </menu>"
        "    <menu action='ModeMenu'>"
        "      <menuitem action='Setup'/>"
        "      <menuitem action='HumanHuman'/>"
        "      <menuitem action='HumanComputer'/>"
        "      <menuitem action='AnalyzePosition'/>"
        "      <menuitem action='LearnOpenings'/>"
        "      <menuitem action='Tournament'/>"
        "      <separator/>"
        "      <menuitem action='StartThinking'/>"
        "    </menu>"
        "    <menu action='TournamentMenu'>"
        "      <menuitem action='New'/>"
        "      <menuitem action='Load'/>"
        "    </menu>"
        "    <menu action='EngineMenu'>"
        "      <menuitem action='Engine1'/>"
        "      <menuitem action='Install'/>"
        "      <menuitem action='LoadInstalled'/>"
        "    </menu>"
        "    <menu action='OptionMenu'>"
        "      <menuitem action='TimeControl'/>"
        "      <menuitem action='Engine1_options'/>"
        "      <menuitem action='Ponder'/>"
        "      <menuitem action='Debug'/>"
        "    </menu>"
        "    <menu action='InfoMenu'>"
        "      <menuitem action='About'/>"
        "    </menu>"
        "  </menubar>"
        "</ui>";
    try {
        m_ui_manager->add_ui_from_string(description);
    } catch (const Glib::Error& error) {
        std::cerr << "building menus failed: " << error.what();
    }
    if (Gtk::Widget* menu_bar = m_ui_manager->get_widget("/MenuBar"))
        m_vbox.pack_start(*menu_bar, Gtk::PACK_SHRINK, 0);
}
