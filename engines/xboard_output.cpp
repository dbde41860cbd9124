#include "engines/xboard_output.h"

#include <algorithm>
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

// "12." : a move number as the older move lines begin.
bool is_move_number(const std::string& word)
{
    if (word.size() < 2 || word.back() != '.')
        return false;
    return std::all_of(word.begin(), word.end() - 1, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}

std::optional<std::string> xboard_announced_move(const std::string& line)
{
    std::istringstream in(line);
    std::string first, second, third;
    in >> first >> second >> third;
    if (first == "move")
        return second;
    // Only the engine's own move carries "..."; the line that follows it
    // ("My move is : g1f3") repeats the move and is not read again.
    if (is_move_number(first) && second == "..." && !third.empty())
        return third;
    return std::nullopt;
}

XboardLineKind classify_xboard_line(const std::string& line)
{
    if (xboard_announced_move(line))
        return XboardLineKind::move;
    std::string first_word;
    std::istringstream(line) >> first_word;
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
