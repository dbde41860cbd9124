#include "gui/position_lines.h"

#include "game/pgn_file.h"

#include <fstream>

std::vector<std::string> read_position_lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        strip_trailing_cr(line);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}
