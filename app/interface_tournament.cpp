// The Tournament menu: the tournament dialog (new, edit, reset) and the list
// of saved tournaments (load, delete).
//
// The window's tournament is its own: the manager learns of a tournament
// only through its ".trn" file and "load_tournament". Making or loading one
// leaves the user's event, site and time control alone: the games played
// before Tournament is chosen are still the user's.
#include "app/interface.h"

#include "app/message_box.h"
#include "app/plain_fault_text.h"
#include "app/saved_tournaments.h"
#include "app/tournament_dialog.h"
#include "gui/confirmation.h"
#include "gui/tournament_list.h"
#include "manager/tournament_claim.h"
#include "manager/tournament_load_error.h"
#include "manager/tournament_lock.h"
#include "manager/tournament_save_error.h"

#include <gtkmm/messagedialog.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

constexpr int delete_response = 0;
constexpr int cancel_response = 1;
constexpr int load_response = 2;

// Why the tournament got no schedule, in the words of its dialog.
std::string unscheduled_reason(const Tournament& tournament)
{
    if (tournament.get_participants().size() < 2) {
        const TournamentType type = tournament.get_type();
        const std::string kind = type == TournamentType::gauntlet   ? "A gauntlet"
                                 : type == TournamentType::roundrobin ? "A round robin"
                                                                      : "A match";
        return kind + " needs at least two participants.";
    }
    return "The tournament has no games: the iterations must be 1 or more.";
}

// Tells the user that the change is not made, as another program plays the
// tournament saved as event.
void refuse_played_elsewhere(Gtk::Window& parent, const std::string& event, const std::string& heading,
                             const std::string& outcome)
{
    run_message_box(parent, heading,
                    played_elsewhere_refusal(event, outcome + " Try again once that program has stopped."));
}

// Claims the tournament saved at path with lock for a change made at once,
// worded by its event, heading and outcome; false, with the lock let go and
// the user told why, while another program plays it or it cannot be locked.
bool claimed_for_change(Gtk::Window& parent, TournamentLock& lock, const std::string& path, const std::string& event,
                        const std::string& heading, const std::string& outcome)
{
    switch (lock.claim(path)) {
    case TournamentLock::Claim::held:
        return true;
    case TournamentLock::Claim::held_elsewhere:
        refuse_played_elsewhere(parent, event, heading, outcome);
        return false;
    case TournamentLock::Claim::failed:
        break;
    }
    run_message_box(parent, heading, unlockable_reason(event, lock, outcome));
    return false;
}

// Whether another program plays the tournament saved at path now; if so the
// user is told, as claimed_for_change tells.
bool played_elsewhere(Gtk::Window& parent, const std::string& path, const std::string& event,
                      const std::string& heading, const std::string& outcome)
{
    if (!TournamentLock::held_elsewhere(path))
        return false;
    refuse_played_elsewhere(parent, event, heading, outcome);
    return true;
}

// A yes-or-no question before a saved tournament's results are thrown away.
bool ask_to_replace(Gtk::Window& parent, const std::string& stake)
{
    Gtk::MessageDialog question(parent, stake, false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
    question.set_title("Replace tournament");
    question.set_secondary_text("Replace it with the new schedule, every game unplayed?");
    return question.run() == Gtk::RESPONSE_YES;
}

}

void Interface::on_menu_tounament_new()
{
    m_installed_engines.read_engines_cfg();
    // Editing a tournament starts from its own time control.
    const Level level = m_tournament.get_event().empty() ? m_level : Level(m_tournament.get_level());
    TournamentDialog dialog(*this, m_tournament, m_installed_engines, level,
                            {m_book_button, m_random_order_check, m_both_colors_check, m_ignore_time_loss_check});
    // A refused event name or a declined replacement leaves the dialog open
    // for a correction.
    for (;;) {
        const int response = dialog.run();
        if (response == TournamentDialog::response_cancel) {
            choose_human_human();
            return;
        }
        if (response != TournamentDialog::response_ok || store_tournament(dialog))
            return;
    }
}

bool Interface::store_tournament(TournamentDialog& dialog)
{
    // Blanks at either end name no file: every reader of a name drops them.
    const std::string event = Tournament::trimmed_name(dialog.get_event());
    if (!Tournament::is_valid_event_name(event)) {
        run_message_box(*this, "Tournament not saved",
                        "The event names the tournament's files: it must not be empty, hold \"/\" or begin with "
                        "\".\", and may be " + std::to_string(Tournament::longest_event_name) +
                            " bytes long at most (a letter such as \"é\" takes two).");
        return false;
    }
    if (const std::string refusal = dialog.get_time_control_refusal(); !refusal.empty()) {
        run_message_box(*this, "Tournament not saved", refusal);
        return false;
    }
    // A run of another program would write its own schedule back over the
    // new one at its next result.
    const std::string path = m_home.tournaments() + event + ".trn";
    const std::string heading = "Tournament not saved";
    const std::string outcome = "Nothing was saved.";
    if (played_elsewhere(*this, path, event, heading, outcome))
        return false;
    if (const std::string stake = results_at_stake(event); !stake.empty() && !ask_to_replace(*this, stake))
        return false;
    // Held for the change only, and let go before any message.
    TournamentLock lock;
    if (!claimed_for_change(*this, lock, path, event, heading, outcome))
        return false;

    // Iterations that give no whole number stay as they were.
    if (const std::optional<std::int32_t> iterations = leading_integer(dialog.get_iterations_text()))
        m_tournament.set_iterations(*iterations);
    m_tournament.set_event(event);
    m_tournament.set_site(dialog.get_site());
    if (const std::optional<TournamentType> type = dialog.get_type())
        m_tournament.set_type(*type);
    m_tournament.set_parallelgames(dialog.get_parallel_games());
    m_tournament.clear();
    for (const std::string& name : dialog.get_participants())
        m_tournament.add_participant(TournamentParticipant(name));
    m_tournament.set_level(dialog.get_time_control().to_string());
    m_tournament.set_randomorder(m_random_order_check.get_active());
    m_tournament.set_bothcolors(m_both_colors_check.get_active());
    m_tournament.set_ignoretimeloss(m_ignore_time_loss_check.get_active());

    try {
        m_tournament.new_games();
        // A round robin of no cycles has no games: saved, it would end as
        // soon as it started.
        if (m_tournament.get_games().empty())
            throw std::logic_error("Tournament::new_games() no games: the iterations must be 1 or more");
    } catch (const std::exception& error) {
        lock.release();
        std::cerr << "Interface::store_tournament() failed\n" << error.what() << '\n';
        choose_human_human();
        run_message_box(*this, "Tournament not saved", unscheduled_reason(m_tournament));
        return true;
    }
    try {
        m_tournament.save();
        lock.release();
    } catch (const std::exception& error) {
        lock.release();
        std::cerr << "Interface::store_tournament()   " << error.what() << '\n';
        const auto* unsaved = dynamic_cast<const TournamentSaveError*>(&error);
        run_message_box(*this, "Tournament not saved",
                        unsaved ? unsaved->plain_text() + "."
                                : "Cannot write the file of the tournament \"" + event + "\": " +
                                      plain_fault_text(error.what()));
        return true;
    }
    m_tournament_name = m_tournament.get_event();
    send_to_manager("load_tournament " + m_tournament_name);
    return true;
}

void Interface::choose_human_human()
{
    // Ticking the radio sends "human_human" through its handler.
    if (m_human_human_action->get_active())
        send_to_manager("human_human");
    else
        m_human_human_action->set_active(true);
}

void Interface::on_menu_tournament_load()
{
    m_start_thinking_action->set_sensitive(false);
    TournamentList list;
    for (const std::string& name : saved_tournament_names(m_home.tournaments()))
        list.add_row(name);
    Gtk::Dialog dialog("Load Tournament", *this, true);
    dialog.set_border_width(20);
    dialog.set_default_size(400, 500);
    dialog.add_button("DELETE", delete_response);
    dialog.add_button("CANCEL", cancel_response);
    dialog.add_button("LOAD", load_response);
    dialog.get_content_area()->pack_start(list, Gtk::PACK_EXPAND_WIDGET, 0);
    dialog.get_content_area()->show_all_children();
    const int response = dialog.run();
    const std::string name = list.get_selected_name();
    dialog.hide();
    if (response == load_response) {
        load_saved_tournament(name);
    } else if (response == cancel_response) {
        choose_human_human();
    } else if (response == delete_response) {
        choose_human_human();
        delete_saved_tournament(name);
    }
}

void Interface::load_saved_tournament(const std::string& name)
{
    if (name.empty()) {
        run_message_box(*this, "No tournament loaded", "No tournament was selected in the list.");
        return;
    }
    try {
        // A file that cannot be read whole leaves the window's tournament as
        // it was: it is read once on the side first.
        Tournament check;
        check.load(name);
        m_tournament.load(name);
    } catch (const std::exception& error) {
        std::cerr << "Interface::load_saved_tournament()   " << error.what() << '\n';
        const auto* unreadable = dynamic_cast<const TournamentLoadError*>(&error);
        run_message_box(*this, "Tournament not loaded",
                        "The tournament \"" + name + "\" cannot be read: " +
                            (unreadable ? unreadable->reason() + "." : plain_fault_text(error.what())));
        return;
    }
    m_tournament_name = name;
    send_to_manager("load_tournament " + name);
}

void Interface::delete_saved_tournament(const std::string& name)
{
    if (name.empty()) {
        run_message_box(*this, "No tournament deleted", "No tournament was selected in the list.");
        return;
    }
    const std::string path = m_home.tournaments() + name + ".trn";
    // A run of another program would save the file again at its next result.
    const std::string heading = "Tournament not deleted";
    const std::string outcome = "Nothing was deleted.";
    if (played_elsewhere(*this, path, name, heading, outcome))
        return;
    // The dialog opens with a row selected and a ".trn" has no backup.
    if (!confirm(*this, "Delete tournament", "Delete the tournament \"" + name + "\"?",
                 "Its file " + name + ".trn goes with every result in it; there is no backup."))
        return;
    TournamentLock lock;
    if (!claimed_for_change(*this, lock, path, name, heading, outcome))
        return;
    std::error_code error;
    const bool removed = std::filesystem::remove(path, error);
    lock.release();
    if (!removed)
        run_message_box(*this, heading,
                        "Cannot delete " + path + ": " + (error ? error.message() : "there is no such file") + ".");
}
