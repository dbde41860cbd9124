// What the drivers spend per engine line: turning an xboard thinking line into
// UCI words, checking an engine's move against the legal moves, and building
// the edit-mode lines of a position.
#include "core/chess_position.h"
#include "engines/legal_move.h"
#include "engines/xboard_edit_mode.h"
#include "engines/xboard_output.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string middlegame_fen = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8";

void thinking_line(benchmark::State& state)
{
    const std::string line = "18 34 1566 28734512 e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7";
    for (auto _ : state)
        benchmark::DoNotOptimize(xboard_thinking_to_info(line));
}
BENCHMARK(thinking_line);

void legal_move_check(benchmark::State& state)
{
    ChessPosition position;
    position.set_fen(middlegame_fen);
    for (auto _ : state)
        benchmark::DoNotOptimize(find_legal_move(position, "c4d5"));
}
BENCHMARK(legal_move_check);

void edit_mode_lines(benchmark::State& state)
{
    ChessPosition position;
    position.set_fen(middlegame_fen);
    for (auto _ : state)
        benchmark::DoNotOptimize(xboard_edit_commands(position));
}
BENCHMARK(edit_mode_lines);

}
