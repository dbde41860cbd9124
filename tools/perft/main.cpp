// perft FEN DEPTH            prints the number of leaf nodes at the depth
// perft --divide FEN DEPTH   prints "move: nodes" per root move, a blank line and the total
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

#include "core/chess_position.h"
#include "tools/perft/perft_counter.h"

namespace {

int usage()
{
    std::cerr << "usage: perft [--divide] FEN DEPTH\n";
    return 2;
}

}

int main(int argc, char** argv)
{
    const bool divide = argc == 4 && std::string(argv[1]) == "--divide";
    if (argc != 3 && !divide)
        return usage();
    const std::string fen = argv[divide ? 2 : 1];
    const std::string depth_text = argv[divide ? 3 : 2];
    char* end = nullptr;
    const long depth = std::strtol(depth_text.c_str(), &end, 10);
    if (depth_text.empty() || *end != '\0' || depth < 0 || depth > 20)
        return usage();

    try {
        ChessPosition position;
        position.set_fen(fen);
        PerftCounter counter;
        if (!divide) {
            std::cout << counter.count(position, static_cast<int>(depth)) << "\n";
            return 0;
        }
        std::uint64_t total = 0;
        for (const auto& [move, nodes] : counter.divide(position, static_cast<int>(depth))) {
            std::cout << move << ": " << nodes << "\n";
            total += nodes;
        }
        std::cout << "\n" << total << "\n";
    } catch (const std::exception& error) {
        std::cerr << "perft: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
