#include "gui/position_lines.h"

#include "game/pgn_file.h"

#include <fstream>

namespace {

void keep_line(std::vector<std::string>& lines, std::string& line, bool overlong)
{
    strip_trailing_cr(line);
    if (!line.empty() && !overlong && line.size() <= longest_position_line)
        lines.push_back(line);
    line.clear();
}

}

std::vector<std::string> read_position_lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    // Read byte by byte so that a file without line feeds (a picture chosen
    // by mistake) never has to fit in one string.
    std::string line;
    bool overlong = false;
    char byte = 0;
    while (file.get(byte)) {
        if (byte == '\n') {
            keep_line(lines, line, overlong);
            overlong = false;
        } else if (line.size() <= longest_position_line) {
            // One byte beyond the longest line: room for a carriage return.
            line.push_back(byte);
        } else {
            overlong = true;
        }
    }
    keep_line(lines, line, overlong);
    return lines;
}
