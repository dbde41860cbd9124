#include "game/chess_game.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "core/move_generator.h"
#include "game/game_result_text.h"
#include "game/move_section.h"
#include "game/pgn_limits.h"
#include "game/pgn_tokenizer.h"

namespace {

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

// The header and the moves of one game's text, read aside so that a text that
// cannot be read leaves the record as it was.
struct ReadRecord {
    Game header;
    GameTree tree;
};

// Reading keeps one stage at a time: the tokens go once the flat section is
// read, the section once the tree has taken its entries.
ReadRecord read_record(const std::string& pgn_text)
{
    if (pgn_text.size() > max_game_bytes)
        throw std::logic_error("ChessGame::load_pgn   the game's text is over " + std::to_string(max_game_bytes) +
                               " bytes");
    ReadRecord record;
    MoveSection section;
    {
        const std::vector<PgnToken> tokens = pgn_tokenize(pgn_text);
        record.header.set_tags_from_tokens(tokens);
        section.set_start_colour(record.header.m_start_colour);
        section.set_start_number(record.header.m_start_move_number);
        std::size_t index = 0;
        section.load(tokens, index, -1);
    }
    record.tree.load(std::move(section));
    return record;
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
    ReadRecord record = read_record(pgn_text);
    m_position.set_start_position();
    m_header = std::move(record.header);
    m_tree = std::move(record.tree);
    m_current = 0;
}

ChessGame& ChessGame::set_pgn(const std::string& pgn_text)
{
    ReadRecord record = read_record(pgn_text);
    // set_fen changes nothing when it throws, so the record is taken over
    // only once the whole text has been read.
    if (record.header.has_tag("FEN"))
        m_position.set_fen(record.header.get_tag("FEN"));
    else
        m_position.set_start_position();
    m_header = std::move(record.header);
    m_tree = std::move(record.tree);
    m_current = 0;
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
    m_tree.set_start_colour(m_header.m_start_colour);
    m_tree.set_start_number(m_header.m_start_move_number);
}

void ChessGame::remove_tag(const std::string& key)
{
    m_header.remove_tag(key);
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

bool ChessGame::add_move(const Move& move)
{
    if (game_ended_here())
        return false;
    const SanMove san_move(m_position, move);
    if (!goto_child(san_move)) {
        MoveSectionEntry entry;
        entry.set_san(san_move.san());
        m_current = m_tree.add_child(m_current, entry);
    }
    m_position.make_move(move);
    return true;
}

bool ChessGame::add_san_move(const std::string& san)
{
    return add_move(legal_move(san, "ChessGame::add_san_move"));
}

void ChessGame::make_main_line()
{
    for (uint64_t id = m_current; id != 0;) {
        const auto parent = static_cast<uint64_t>(m_tree.entry(id).pid());
        std::vector<int32_t>& children = m_tree.entry(parent).children();
        const auto at = std::find(children.begin(), children.end(), static_cast<int32_t>(id));
        if (at != children.end())
            std::rotate(children.begin(), at, at + 1);
        id = parent;
    }
    // A result ends the line it was reached on: once another line is the
    // game, the game has not ended.
    if (m_tree.entry(main_line_end()).type() != MoveSectionEntryType::end_game && get_result() != "*") {
        std::string unfinished = "*";
        set_result(unfinished);
    }
}

void ChessGame::add_end_entry(std::string& result)
{
    remove_end_entries();
    const uint64_t last = main_line_end();
    MoveSectionEntry entry;
    entry.set_result(result);
    const uint64_t id = m_tree.add_child(last, entry);
    if (m_current == last)
        m_current = id;
}

void ChessGame::set_result(std::string& text)
{
    const std::string result = split_result_text(text).result;
    if (result == "*") {
        remove_end_entries();
    } else {
        std::string whole = text;
        add_end_entry(whole);
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
    return goto_entry(target);
}

std::string ChessGame::goto_entry(uint64_t id)
{
    if (!m_tree.contains(id))
        throw std::logic_error("ChessGame::goto_entry   no entry " + std::to_string(id));
    std::vector<uint64_t> path;
    for (uint64_t at = id; at != 0; at = static_cast<uint64_t>(m_tree.entry(at).pid()))
        path.push_back(at);
    goto_start();
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        const auto& entry = m_tree.entry(*step);
        // A result entry stands after the last move: the position stays.
        if (entry.type() != MoveSectionEntryType::end_game)
            m_position.make_move(legal_move(entry.san(), "ChessGame::goto_entry"));
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

bool ChessGame::game_ended_here() const
{
    const auto& entry = m_tree.entry(m_current);
    if (entry.type() == MoveSectionEntryType::end_game)
        return true;
    for (const auto child : entry.children())
        if (m_tree.entry(static_cast<uint64_t>(child)).type() == MoveSectionEntryType::end_game)
            return true;
    return false;
}

void ChessGame::remove_end_entries()
{
    std::vector<uint64_t> ends;
    for (uint64_t id = 1; id < m_tree.next_id(); ++id)
        if (m_tree.contains(id) && m_tree.entry(id).type() == MoveSectionEntryType::end_game)
            ends.push_back(id);
    for (const uint64_t id : ends) {
        if (m_current == id)
            m_current = static_cast<uint64_t>(m_tree.entry(id).pid());
        m_tree.remove_entry(id);
    }
}

uint64_t ChessGame::main_line_end() const
{
    uint64_t last = 0;
    for (int32_t next = m_tree.entry(last).child(0); next > 0 && m_tree.contains(static_cast<uint64_t>(next));
         next = m_tree.entry(last).child(0))
        last = static_cast<uint64_t>(next);
    return last;
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
