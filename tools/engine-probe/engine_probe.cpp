// engine-probe PATH [autodetect|uci|xboard_v1|xboard_v2]
//
// Loads the engine into slot 1 exactly as the program does, prints the
// detected protocol code, the engine's name, author and options, asks for a
// move from the start position and from two later positions at a short
// fixed move time, printing every line that reaches the manager's queue and
// checking each best move with the rules core. An engine that crashes ends
// the probe at once. Prints how long the unload took. Exits 0 only when all
// of this worked.
#include "tools/engine-probe/probe_session.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t movetime_ms = 200;

// The start position, a position reached by moves (sent as moves), and one
// set from a FEN (sent as a new start position).
std::vector<ChessPosition> test_positions()
{
    ChessPosition start;
    start.set_start_position();

    ChessPosition opening;
    opening.set_start_position();
    for (const char* move : {"e2e4", "c7c5", "g1f3", "d7d6", "d2d4", "c5d4", "f3d4"}) {
        opening.make_move(opening.convert_to_move(move));
    }

    ChessPosition middlegame;
    middlegame.set_fen("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R b KQ - 3 9");
    return {start, opening, middlegame};
}

int probe(const std::string& path, int protocol)
{
    ProbeSession session(std::cout);
    if (!session.load(path, protocol)) {
        session.unload();
        return 1;
    }
    session.report_identity();
    bool all_legal = true;
    for (const ChessPosition& position : test_positions()) {
        std::cout << "position " << position.fen() << "\n";
        all_legal = session.check_move(position, movetime_ms) && all_legal;
        if (session.crashed()) {
            break;
        }
    }
    session.unload();
    std::cout << (all_legal ? "probe passed" : "probe FAILED") << std::endl;
    return all_legal ? 0 : 1;
}

const char* const usage =
    "usage: engine-probe PATH [autodetect|uci|xboard_v1|xboard_v2]\n"
    "Loads the chess engine at PATH (started without arguments) with the given\n"
    "protocol (default autodetect), asks it for a move in three positions and\n"
    "checks that each is legal. Exits 0 when every move was legal.\n";

}

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << usage;
        return 0;
    }
    if (argc < 2 || argc > 3) {
        std::cerr << usage;
        return 2;
    }
    int protocol = argc == 3 ? protocol_from_name(argv[2]) : 0;
    if (protocol < 0) {
        std::cerr << "engine-probe: unknown protocol " << argv[2] << "\n";
        return 2;
    }
    try {
        return probe(argv[1], protocol);
    } catch (const std::exception& error) {
        std::cerr << "engine-probe: " << error.what() << "\n";
        return 1;
    }
}
