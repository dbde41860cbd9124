#include "game/chess_game.h"

#include <iostream>
#include <stdexcept>

#include "core/move_generator.h"
#include "game/pgn_tokenizer.h"

namespace {

const std::string standard_result_texts[] = {"1-0", "0-1", "1/2-1/2"};

// A comment ends at the first closing brace in PGN text, so one inside the
// comment would spill the rest of it into the movetext.
std::string without_closing_brace(std::string text)
{
    for (char& c : text)
        if (c == '}')
            c = ')';
    return text;
}

bool same_move(const Move& a, const Move& b)
{
    return a.from().value() == b.from().value() && a.to().value() == b.to().value() && a.kind() == b.kind();
}

}

ChessGame::ChessGame()
{
    new_game();
}

ChessGame::ChessGame(const std::string& pgn_text)
{
    set_pgn(pgn_text);
}

void ChessGame::new_game()
{
    m_current = 0;
    m_header.reset_to_start();
    m_tree.clear();
    m_tree.set_start_colour(1);
    m_tree.set_start_number(1);
    m_position.set_start_position();
}

void ChessGame::load_pgn(const std::string& pgn_text)
{
    m_current = 0;
    m_header.reset_to_start();
    m_tree.clear();
    m_position.set_start_position();
    m_tokens = pgn_tokenize(pgn_text);
    m_header.set_tags_from_tokens(m_tokens);
    m_section.clear();
    m_section.set_start_colour(m_header.m_start_colour);
    m_section.set_start_number(m_header.m_start_move_number);
    std::size_t index = 0;
    m_section.load(m_tokens, index, -1);
    m_tree.load(m_section);
}

ChessGame& ChessGame::set_pgn(const std::string& pgn_text)
{
    // load_pgn resets the current entry, the header, the tree and the
    // position just as new_game does.
    load_pgn(pgn_text);
    if (m_header.has_tag("FEN"))
        m_position.set_fen(m_header.get_tag("FEN"));
    return *this;
}

bool ChessGame::is_empty() const
{
    return m_tree.next_id() == 1;
}

void ChessGame::set_tag(const std::string& key, const std::string& value)
{
    if (key == "FEN")
        m_position.set_fen(value);
    m_header.set_tag(key, value);
    if (key != "FEN")
        return;
    // The position is now the start position: the root is where it stands.
    m_current = 0;
    m_section.set_start_colour(m_header.m_start_colour);
    m_tree.set_start_colour(m_header.m_start_colour);
    m_tree.set_start_number(m_header.m_start_move_number);
}

std::string ChessGame::get_tag(const std::string& key) const
{
    return m_header.get_tag(key);
}

std::string ChessGame::get_result() const
{
    return get_tag("Result");
}

std::string ChessGame::title() const
{
    return get_tag("White") + " " + get_tag("Black");
}

std::string ChessGame::pgn_tags() const
{
    return m_header.tags_pgn() + "\n";
}

std::string ChessGame::pgn()
{
    return m_header.tags_pgn() + "\n" + m_tree.movetext() + "\n\n";
}

std::string ChessGame::dump()
{
    return m_header.tags_pgn() + "\n" + m_tree.dump() + "\n";
}

void ChessGame::set_comment(const std::string& text)
{
    m_tree.entry(m_current).set_comment(without_closing_brace(text));
}

void ChessGame::append_comment(const std::string& text)
{
    auto& entry = m_tree.entry(m_current);
    entry.set_comment(entry.comment() + without_closing_brace(text));
}

std::string ChessGame::get_comment() const
{
    return m_tree.entry(m_current).comment();
}

void ChessGame::set_root_comment(const std::string& text)
{
    m_tree.entry(0).set_comment(without_closing_brace(text));
}

void ChessGame::remove_comment_commands()
{
    for (uint64_t id = 0; id < m_tree.next_id(); ++id)
        if (m_tree.contains(id))
            m_tree.entry(id).remove_commands();
}

void ChessGame::add_move(const Move& move)
{
    const SanMove san_move(m_position, move);
    if (!goto_child(san_move)) {
        MoveSectionEntry entry;
        entry.set_san(san_move.san());
        m_current = m_tree.add_child(m_current, entry);
    }
    m_position.make_move(move);
}

void ChessGame::add_san_move(const std::string& san)
{
    add_move(legal_move(san, "ChessGame::add_san_move"));
}

void ChessGame::add_end_entry(std::string& result)
{
    MoveSectionEntry entry;
    entry.set_result(result);
    m_current = m_tree.add_child(m_current, entry);
}

void ChessGame::set_result(std::string& text)
{
    std::string result = "*";
    for (const auto& candidate : standard_result_texts) {
        if (text.find(candidate) != std::string::npos) {
            std::string whole = text;
            add_end_entry(whole);
            result = candidate;
            break;
        }
    }
    text = result;
    m_header.set_tag("Result", text);
}

Move ChessGame::last_move()
{
    return m_position.last_move();
}

std::vector<SanMove> ChessGame::next_moves()
{
    std::vector<SanMove> moves;
    const auto& children = m_tree.entry(m_current).children();
    moves.reserve(children.size());
    for (const auto child : children) {
        const auto& san = m_tree.entry(child).san();
        if (!san.empty())
            moves.emplace_back(m_position, san);
    }
    return moves;
}

bool ChessGame::has_child(const SanMove& move) const
{
    for (const auto child : m_tree.entry(m_current).children())
        if (m_tree.entry(child).san() == move.m_san)
            return true;
    return false;
}

bool ChessGame::goto_child(const SanMove& move)
{
    for (const auto child : m_tree.entry(m_current).children()) {
        if (m_tree.entry(child).san() == move.m_san) {
            m_current = child;
            return true;
        }
    }
    return false;
}

std::string ChessGame::goto_child_and_play(const SanMove& move)
{
    if (!goto_child(move))
        return {};
    m_position.make_move(move.m_move);
    return m_position.fen();
}

std::string ChessGame::goto_start()
{
    m_current = 0;
    set_position_from_start_fen();
    return m_position.fen();
}

std::string ChessGame::back()
{
    if (m_current == 0)
        return {};
    const auto& entry = m_tree.entry(m_current);
    if (entry.type() != MoveSectionEntryType::end_game)
        m_position.take_back();
    m_current = entry.pid();
    return m_position.fen();
}

std::string ChessGame::forward()
{
    const auto child = m_tree.entry(m_current).child(0);
    if (child < 1)
        return {};
    const auto& entry = m_tree.entry(child);
    if (entry.type() == MoveSectionEntryType::end_game)
        return {};
    // The move is read and checked before anything changes, so that a text
    // that is no legal move leaves the entry and the position in step.
    const Move move = legal_move(entry.san(), "ChessGame::forward");
    m_current = child;
    m_position.make_move(move);
    return m_position.fen();
}

std::string ChessGame::goto_end()
{
    std::string last;
    for (std::string fen = forward(); !fen.empty(); fen = forward())
        last = fen;
    return last;
}

std::string ChessGame::goto_text_offset(uint64_t offset)
{
    const std::string current_fen = m_position.fen();
    const uint64_t movetext_start = m_header.tags_pgn().size() + 1;
    if (offset <= movetext_start)
        return current_fen;
    const auto in_movetext = static_cast<int64_t>(offset - movetext_start);
    uint64_t target = 0;
    for (uint64_t id = 1; id < m_tree.next_id() && target == 0; ++id) {
        if (!m_tree.contains(id))
            continue;
        const auto& entry = m_tree.entry(id);
        // Entries that the last movetext did not reach keep stale offsets.
        if (entry.written() && entry.text_start() <= in_movetext && in_movetext < entry.text_end())
            target = id;
    }
    if (target == 0)
        return current_fen;
    std::vector<uint64_t> path;
    for (uint64_t id = target; id != 0; id = static_cast<uint64_t>(m_tree.entry(id).pid()))
        path.push_back(id);
    goto_start();
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        const auto& entry = m_tree.entry(*step);
        // A click on a result selects it: the position stays after the last move.
        if (entry.type() != MoveSectionEntryType::end_game)
            m_position.make_move(legal_move(entry.san(), "ChessGame::goto_text_offset"));
        m_current = *step;
    }
    return m_position.fen();
}

std::pair<uint64_t, uint64_t> ChessGame::current_move_range() const
{
    const uint64_t movetext_start = m_header.tags_pgn().size() + 1;
    const auto& entry = m_tree.entry(m_current);
    return {movetext_start + static_cast<uint64_t>(entry.text_start()),
            movetext_start + static_cast<uint64_t>(entry.text_end())};
}

void ChessGame::remove_last_move()
{
    goto_end();
    if (m_current == 0)
        return;
    std::cerr << "current=" << m_current << "\n";
    // The entry's parent becomes current with the move taken back, so that
    // the record stays usable for the next move.
    const auto& entry = m_tree.entry(m_current);
    const auto parent = static_cast<uint64_t>(entry.pid());
    if (entry.type() != MoveSectionEntryType::end_game)
        m_position.take_back();
    m_tree.remove_entry(m_current);
    m_current = parent;
}

Move ChessGame::legal_move(const std::string& san, const char* operation)
{
    const SanMove read(m_position, san);
    MoveGenerator generator;
    MoveList moves;
    generator.generate(m_position, moves);
    for (const Move& move : moves)
        if (same_move(move, read.m_move))
            return move;
    throw std::logic_error(std::string(operation) + "   illegal move " + san + " in " + m_position.fen());
}

void ChessGame::set_position_from_start_fen()
{
    try {
        m_position.set_fen(m_header.m_start_fen);
    } catch (const std::logic_error&) {
        // A start FEN that does not set up: the position's own set-up FEN.
        m_position.set_fen(m_position.start_fen());
    }
}
