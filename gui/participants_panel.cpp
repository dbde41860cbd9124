#include "gui/participants_panel.h"

ParticipantsPanel::ParticipantsPanel(InstalledEngines& engines, std::vector<std::string>& participants)
    : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 0), m_hbox(Gtk::ORIENTATION_HORIZONTAL, 0)
{
    DeleteSelection& engine_list = m_lists[0];
    DeleteSelection& participant_list = m_lists[1];
    clear();
    for (const auto& [name, record] : engines.engines()) {
        engine_list.append(name);
    }
    for (const std::string& name : participants) {
        participant_list.add(name, true);
        engine_list.remove(name, true);
    }
    m_hbox.set_spacing(30);
    m_hbox.pack_start(engine_list, Gtk::PACK_EXPAND_WIDGET, 0);
    participant_list.set_title("Participant");
    m_hbox.pack_start(participant_list, Gtk::PACK_EXPAND_WIDGET, 0);
    pack_start(m_hbox, Gtk::PACK_EXPAND_WIDGET, 0);
    engine_list.signal_selected.connect(sigc::mem_fun(*this, &ParticipantsPanel::on_engines_activated));
    participant_list.signal_selected.connect(sigc::mem_fun(*this, &ParticipantsPanel::on_participants_activated));
}

ParticipantsPanel::~ParticipantsPanel() = default;

std::vector<std::string> ParticipantsPanel::get_participants()
{
    m_participants = m_lists[1].get_entries();
    return m_participants;
}

void ParticipantsPanel::add_engine(const std::string& name)
{
    m_lists[0].add(name, false);
}

void ParticipantsPanel::clear()
{
    m_lists[0].clear();
    m_lists[1].clear();
}

void ParticipantsPanel::on_engines_activated()
{
    move(m_lists[0], m_lists[1]);
}

void ParticipantsPanel::on_participants_activated()
{
    move(m_lists[1], m_lists[0]);
}

void ParticipantsPanel::move(DeleteSelection& from, DeleteSelection& to)
{
    const std::string name = from.get_selected();
    if (name.empty()) {
        return;
    }
    to.add(name, false);
    from.remove(name, false);
}
