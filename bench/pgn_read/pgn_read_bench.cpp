// Lists the headers of a generated PGN file and reads every game's movetext
// (cut from the file, tokenized, read into entries), and times pgn-extract's
// full pass over the same file for comparison.
#include "bench/pgn_read/pgn_bench_file.h"

#include "game/game_header.h"
#include "game/move_section.h"
#include "game/pgn_file.h"
#include "game/pgn_tokenizer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(const char* what, double seconds, double megabytes, long games)
{
    std::printf("%-44s %8.3f s %9.1f MB/s %11.0f games/s (%ld games)\n", what, seconds, megabytes / seconds,
                static_cast<double>(games) / seconds, games);
}

}

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("torvane-bench-" + std::to_string(getpid()) + ".pgn")).string();
    write_bench_file(TORVANE_SEED_GAMES, path, games);
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::printf("%d games, %.1f MB in %s\n", games, megabytes, path.c_str());
    // Brings the file into the page cache so that every pass reads from memory.
    std::system(("cat " + path + " > /dev/null").c_str());

    auto start = Clock::now();
    long rows = 0;
    {
        PgnFile file;
        file.open(path);
        for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file))
            ++rows;
    }
    const double list_seconds = seconds_since(start);
    report("game list (headers)", list_seconds, megabytes, rows);

    start = Clock::now();
    long read = 0;
    std::size_t entries = 0;
    {
        PgnFile file;
        file.open(path);
        MoveSection section;
        for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
            const auto tokens = pgn_tokenize(text);
            section.clear();
            std::size_t index = 0;
            section.load(tokens, index, -1);
            entries += section.size();
            ++read;
        }
    }
    const double read_seconds = seconds_since(start);
    report("games cut, tokenized, movetext read", read_seconds, megabytes, read);

    start = Clock::now();
    const int status = std::system(("/usr/games/pgn-extract -s -o /dev/null " + path + " 2>/dev/null").c_str());
    const double extract_seconds = seconds_since(start);
    if (status != 0)
        std::printf("pgn-extract failed (status %d)\n", status);
    else
        report("pgn-extract -s -o /dev/null", extract_seconds, megabytes, games);

    std::printf("entries read: %zu\n", entries);
    std::printf("game list is %.1fx as fast as pgn-extract (target 10x)\n", extract_seconds / list_seconds);
    std::printf("movetext reading is %.1fx as fast as pgn-extract (target 2x)\n", extract_seconds / read_seconds);
    std::filesystem::remove(path);
    return 0;
}
