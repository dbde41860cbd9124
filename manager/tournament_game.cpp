#include "manager/tournament_game.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

std::string TournamentGame::round_str() const
{
    std::string text;
    if (m_cycle > 0) {
        text = std::to_string(m_cycle) + ".";
    }
    text += std::to_string(m_round);
    if (m_subround > 0) {
        text += '.';
        text += std::to_string(m_subround);
    }
    return text;
}

void TournamentGame::set_round_str(std::string text)
{
    auto dots = std::count(text.begin(), text.end(), '.');
    std::replace(text.begin(), text.end(), '.', ' ');
    std::istringstream in(text);
    std::int32_t numbers[3] = {0, 0, 0};
    int wanted = dots == 2 ? 3 : dots == 1 ? 2 : 1;
    std::int32_t number = 0;
    for (int i = 0; i < wanted && in >> number; ++i) {
        numbers[i] = number;
    }
    m_cycle = wanted == 3 ? numbers[0] : 0;
    m_round = numbers[wanted == 3 ? 1 : 0];
    m_subround = wanted == 3 ? numbers[2] : wanted == 2 ? numbers[1] : 0;
}

std::string TournamentGame::str() const
{
    char number[16];
    std::snprintf(number, sizeof number, "%7d", static_cast<int>(m_number));
    return std::string(number) + "   round=" + round_str() + "   opening=" + std::to_string(m_opening) +
           "  pairing=" + std::to_string(m_white.get_number()) + "-" + std::to_string(m_black.get_number()) +
           "   result=" + m_result;
}
