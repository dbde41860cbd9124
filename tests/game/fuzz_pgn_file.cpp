// Arbitrary bytes as a PGN file: cut into games, listed by headers, each game
// fetched by its list row, and every game read into a move tree.
#include "game/game_header.h"
#include "game/game_tree.h"
#include "game/pgn_error.h"
#include "game/pgn_file.h"
#include "game/pgn_tokenizer.h"
#include "tests/game/read_movetext.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

namespace {

// The file each input is written to; removed when the fuzzer ends.
struct ScratchFile {
    std::string path = "/tmp/torvane-fuzz-pgn-" + std::to_string(getpid()) + ".pgn";
    ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& scratch_path()
{
    static const ScratchFile file;
    return file.path;
}

void load(const std::string& game)
{
    try {
        pgn_test::game_tree_of(game).movetext();
    } catch (const std::exception&) {
        // Refused movetext is reported to the caller; nothing to check here.
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(scratch_path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    PgnFile file;
    file.open(scratch_path());
    int games = 0;
    for (std::string game = file.first_game(); !game.empty(); game = file.next_game()) {
        load(game);
        if (++games > 10000)
            __builtin_trap();
    }
    // The list has a row for every game that the reader found, damaged or not.
    const int found = games + static_cast<int>(file.take_skipped_games().size());
    file.input().clear();
    int rows = 0;
    for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file))
        if (++rows > found)
            __builtin_trap();
    if (rows != found)
        __builtin_trap();
    for (int n = 1; n <= rows && n <= 4; ++n) {
        try {
            load(file.listed_game(n));
        } catch (const pgn_error& damaged) {
            load(damaged.text());
        }
    }
    file.game(3);
    return 0;
}
