#include "game/game_tree.h"

#include "game/move_number.h"

#include <iostream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

GameTree::GameTree()
{
    clear();
}

void GameTree::clear()
{
    m_entries.clear();
    m_next_id = 1;
    MoveSectionEntry root;
    root.set_type(MoveSectionEntryType::start_game);
    root.set_colour(colour_none);
    m_entries[0] = root;
}

void GameTree::load(MoveSection section)
{
    clear();
    m_start_colour = section.start_colour();
    m_start_number = section.start_number();
    for (std::size_t i = 0; i < section.size(); ++i) {
        MoveSectionEntry& entry = section.at(i);
        const bool bracket = entry.type() == MoveSectionEntryType::variation_start
            || entry.type() == MoveSectionEntryType::variation_end;
        if (bracket)
            continue;
        // Ids rise with the index, so every entry goes at the end of the map.
        m_entries.insert_or_assign(m_entries.end(), i, std::move(entry));
        ++m_next_id;
    }
    const std::uint64_t largest = m_entries.rbegin()->first;
    if (largest >= m_next_id)
        m_next_id = largest + 1;
}

std::uint64_t GameTree::add_child(std::uint64_t parent, MoveSectionEntry& entry)
{
    const auto found = m_entries.find(parent);
    if (found == m_entries.end())
        throw std::logic_error("GameTree::add_child: invalid index");
    if (const auto taken = m_entries.find(m_next_id); taken != m_entries.end()) {
        const MoveSectionEntry& old = taken->second;
        std::ostringstream text;
        text << "mse[" << m_next_id << "]    id=" << old.id() << "  pid=" << old.pid() << "  " << old.number() << " "
             << old.san() << "\nGameTree::add_child: inconsistent map";
        throw std::logic_error(text.str());
    }
    MoveSectionEntry& parent_entry = found->second;
    const std::int32_t number = parent_entry.number() < 1 ? 1 : parent_entry.number();
    entry.set_id(static_cast<std::int32_t>(m_next_id));
    entry.set_pid(static_cast<std::int32_t>(parent));
    if (parent_entry.colour() == colour_white) {
        entry.set_colour(colour_black);
        entry.set_number(number);
    } else if (parent_entry.colour() == colour_black) {
        entry.set_colour(colour_white);
        entry.set_number(next_move_number(number));
    } else {
        entry.set_colour(m_start_colour);
        entry.set_number(m_start_number);
    }
    m_entries[m_next_id] = entry;
    parent_entry.add_child(static_cast<std::int32_t>(m_next_id));
    return m_next_id++;
}

MoveSectionEntry& GameTree::last_entry()
{
    return m_entries.rbegin()->second;
}

void GameTree::remove_entry(std::uint64_t id)
{
    if (id == 0 || !m_entries.contains(id))
        return;
    const std::int32_t parent = m_entries.at(id).pid();
    // Post-order walk with an explicit stack: a long main line must not
    // exhaust the call stack.
    struct Frame {
        std::uint64_t id;
        std::vector<std::int32_t> children;
        std::size_t next;
    };
    std::vector<Frame> stack{{id, m_entries.at(id).children(), 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.children.size()) {
            const auto child = static_cast<std::uint64_t>(top.children[top.next++]);
            if (child != 0 && m_entries.contains(child)) {
                stack.push_back({child, m_entries.at(child).children(), 0});
                continue;
            }
            std::cerr << "GameTree::remove_entry(" << top.id << ")  c=" << child << '\n';
            continue;
        }
        const std::uint64_t done = top.id;
        m_entries.erase(done);
        stack.pop_back();
        if (!stack.empty())
            std::cerr << "GameTree::remove_entry(" << stack.back().id << ")  c=" << done << '\n';
    }
    if (const auto found = m_entries.find(static_cast<std::uint64_t>(parent)); found != m_entries.end())
        found->second.remove_child(static_cast<std::int32_t>(id));
}

void GameTree::remove_comments()
{
    for (auto& [id, entry] : m_entries)
        entry.clear_annotations();
}
