// Arbitrary bytes as the text of one game: tokenized, read into a move tree,
// written back and read again. Besides crashes and sanitizer reports it checks
// that every written move's offsets point at its SAN in the written text.
#include "game/game_tree.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/read_movetext.h"

#include <cstdint>
#include <exception>
#include <string>

namespace {

bool offsets_point_at_moves(GameTree& tree, const std::string& text)
{
    for (std::uint64_t id = 1; id < tree.next_id(); ++id) {
        if (!tree.contains(id))
            continue;
        const MoveSectionEntry& e = tree.entry(id);
        if (!e.written() || e.type() != MoveSectionEntryType::move)
            continue;
        if (e.text_start() < 0 || e.text_end() < e.text_start() || static_cast<std::size_t>(e.text_end()) > text.size())
            return false;
        if (text.compare(static_cast<std::size_t>(e.text_start()), e.san().size(), e.san()) != 0)
            return false;
    }
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    MoveSection section;
    GameTree tree;
    try {
        pgn_test::read_movetext(text, section, tree);
    } catch (const std::exception&) {
        // A "(" before the first move or an oversized move number: refused.
        return 0;
    }
    section.pgn();
    section.dump();
    const std::string written = tree.movetext();
    if (!offsets_point_at_moves(tree, written))
        __builtin_trap();
    tree.dump();

    MoveSection again_section;
    GameTree again;
    try {
        pgn_test::read_movetext(written, again_section, again);
    } catch (const std::exception&) {
        return 0;
    }
    again.movetext();
    for (std::uint64_t id = 0; id < again.next_id(); ++id)
        if (again.contains(id))
            again.entry(id).remove_commands();
    again.remove_entry(1);
    MoveSectionEntry entry;
    entry.set_san("e4");
    again.add_child(0, entry);
    again.movetext();
    return 0;
}
