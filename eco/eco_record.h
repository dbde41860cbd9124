#pragma once

#include <cstdint>
#include <string_view>

// One row of the ECO classification: the code, the opening, the variation
// (empty when the row names the opening as such) and the Polyglot key of the
// position its line reaches from the standard start position.
struct EcoRecord {
    std::string_view m_eco;
    std::string_view m_opening;
    std::string_view m_variation;
    std::uint64_t m_key = 0;
};
