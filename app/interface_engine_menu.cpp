// The Engine menu (loading and installing engine 1) and its options.
//
// Loading and option changes are the manager's work: each handler turns the
// user's choice into command lines. The dialogs work on copies of the
// manager's record of engine 1, taken through its direct accessors.
#include "app/interface.h"

#include "app/mode_dialogs.h"
#include "gui/install_dialog.h"
#include "gui/installed_list.h"
#include "gui/option_changes.h"
#include "gui/options_dialog.h"

#include <stdexcept>
#include <vector>

void Interface::on_menu_load_engine()
{
    const std::string path = choose_file(5);
    if (path.empty())
        return;
    m_engine_file = path;
    const std::optional<int> protocol = ask_engine_protocol(*this);
    if (!protocol)
        return;
    send_to_manager("load " + std::to_string(*protocol) + " filename " + m_engine_file);
    // A fresh engine does not ponder until asked; unticking sends "ponder off".
    m_ponder_action->set_active(false);
}

void Interface::on_menu_load_installed_engine()
{
    InstalledEngines installed;
    installed.read_engines_cfg();
    const std::string name = InstalledList(*this).choose_engine(installed);
    const auto found = installed.engines().find(name);
    if (name.empty() || found == installed.engines().end())
        return;
    send_to_manager("load 0 name " + found->second.get_name());
}

void Interface::on_menu_install_engine()
{
    EngineVariables engine;
    try {
        // Engine 1 may go between a check and the copy: the copy decides.
        engine = m_manager.get_enginevariables();
    } catch (const std::logic_error&) {
        show_message("No engine to install", "you should first load an engine\n before installing an engine");
        return;
    }
    InstallDialog dialog("Install engine", *this, engine);
}

void Interface::on_menu_engine_options()
{
    const std::map<std::string, Option> options = m_manager.get_engine_options();
    if (options.size() == 1 && options.count("no_engine_loaded") == 1) {
        show_message("No_engine_found", "use menu 'Engine' to load an engine'");
        return;
    }
    std::vector<Option> edited;
    for (const auto& [name, option] : options)
        edited.push_back(option);
    const std::vector<Option> before = edited;
    {
        OptionsDialog dialog("Set Options", *this, edited);
        dialog.run();
    }
    // A pressed button is sent with its (empty) value although no value
    // text changed: pressing it is the whole message.
    for (const Option& option : changed_options(before, edited))
        send_to_manager("setoption name " + option.get_name() + " value " + option.get_value() + "\n");
}
