#include "game/move_section_entry.h"

#include "game/game_result_text.h"

#include <algorithm>

void MoveSectionEntry::set_result(const std::string& result)
{
    m_result = result;
    m_type = MoveSectionEntryType::end_game;
}

void MoveSectionEntry::remove_child(std::int32_t id)
{
    const auto found = std::find(m_children.begin(), m_children.end(), id);
    if (found != m_children.end())
        m_children.erase(found);
}

std::int32_t MoveSectionEntry::child(std::size_t index) const
{
    return index < m_children.size() ? m_children[index] : -1;
}

void MoveSectionEntry::clear_annotations()
{
    m_nag.clear();
    m_comment.clear();
}

void MoveSectionEntry::remove_commands()
{
    const std::string old = std::move(m_comment);
    m_comment.clear();
    bool in_command = false;
    // Deliberately not reset when a command ends: a quote left open keeps
    // every later "]" from ending the next command.
    bool in_quote = false;
    for (std::size_t i = 0; i < old.size(); ++i) {
        const char c = old[i];
        if (c == '\n')
            continue;
        if (c == '[') {
            const bool last = i + 1 == old.size();
            if (in_command || (!last && old[i + 1] == '%')) {
                in_command = true;
                continue;
            }
        }
        if (in_command) {
            if (c == '"')
                in_quote = !in_quote;
            else if (c == ']' && !in_quote)
                in_command = false;
            continue;
        }
        m_comment += c;
    }
    const std::size_t keep = m_comment.find_last_not_of(" \t\n;");
    m_comment.erase(keep == std::string::npos ? 0 : keep + 1);
}

std::string MoveSectionEntry::pgn() const
{
    switch (m_type) {
    case MoveSectionEntryType::move: {
        std::string text = m_san;
        if (!m_nag.empty())
            text += " " + m_nag;
        if (!m_comment.empty())
            text += " {" + m_comment + "}";
        return text;
    }
    case MoveSectionEntryType::end_game: {
        // Words that come with the result stand before it as a comment: every
        // reader ends the game at the result and would lose what follows it.
        const GameResultText end = split_result_text(m_result);
        return end.comment.empty() ? " " + end.result : " {" + end.comment + "} " + end.result;
    }
    case MoveSectionEntryType::variation_start:
        return " (";
    case MoveSectionEntryType::variation_end:
        return ")";
    case MoveSectionEntryType::start_game:
        break;
    }
    return {};
}

std::string MoveSectionEntry::dump_type() const
{
    switch (m_type) {
    case MoveSectionEntryType::move:
        return " ";
    case MoveSectionEntryType::start_game:
        return "start_game";
    case MoveSectionEntryType::end_game:
        return "  end_game";
    case MoveSectionEntryType::variation_start:
        return "(";
    case MoveSectionEntryType::variation_end:
        return ")";
    }
    return {};
}

std::string MoveSectionEntry::dump_children() const
{
    if (m_children.size() < 2)
        return {};
    std::string text = "\tchildren{";
    for (std::size_t k = 0; k < m_children.size(); ++k) {
        if (k > 0)
            text += ',';
        text += std::to_string(m_children[k]);
    }
    return text + "}";
}
