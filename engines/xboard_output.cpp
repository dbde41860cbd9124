#include "engines/xboard_output.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <sstream>

namespace {

// Nodes per second from nodes and a time in centiseconds, without overflow.
std::int64_t nodes_per_second(std::int64_t nodes, std::int32_t centiseconds)
{
    if (centiseconds <= 0 || nodes <= 0)
        return 0;
    const std::int64_t whole = nodes / centiseconds;
    if (whole > std::numeric_limits<std::int64_t>::max() / 100 - 100)
        return std::numeric_limits<std::int64_t>::max();
    return whole * 100 + nodes % centiseconds * 100 / centiseconds;
}

}

XboardLineKind classify_xboard_line(const std::string& first_word)
{
    if (first_word == "move")
        return XboardLineKind::move;
    if (first_word == "pong")
        return XboardLineKind::pong;
    if (first_word.find("resign") != std::string::npos || first_word == "Illegal")
        return XboardLineKind::resignation;
    if (!first_word.empty() && first_word.front() == '#')
        return XboardLineKind::comment;
    if (first_word == "1-0" || first_word == "0-1" || first_word == "1/2-1/2")
        return XboardLineKind::result;
    if (!first_word.empty() && std::isdigit(static_cast<unsigned char>(first_word.front())))
        return XboardLineKind::thinking;
    return XboardLineKind::other;
}

std::string xboard_thinking_to_info(const std::string& line)
{
    std::istringstream in(line);
    // A number that cannot be read (or is out of range) is 0, and so is every
    // later one; a number that ends the line still counts.
    auto next = [&in]<typename Number>(Number& number) {
        if (in.fail())
            return;
        if (!(in >> number))
            number = 0;
    };
    std::int32_t depth = 0, score = 0, centiseconds = 0;
    std::int64_t nodes = 0;
    next(depth);
    next(score);
    next(centiseconds);
    next(nodes);
    std::string rest;
    if (!in.fail())
        std::getline(in, rest);
    return "info depth " + std::to_string(depth) + " score cp " + std::to_string(score) + " time " +
           std::to_string(std::int64_t{centiseconds} * 10) + " nodes " + std::to_string(nodes) + " nps " +
           std::to_string(nodes_per_second(nodes, centiseconds)) + " " + rest;
}
