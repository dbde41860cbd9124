#pragma once

#include <cstdint>
#include <map>
#include <string>

// Names the opening of a position from the ECO table by its Polyglot key.
// Where two records share a key, the later one in table order answers.
class EcoClassifier {
public:
    EcoClassifier();

    // The ECO code, opening and variation of the key; "" when the key is not
    // in the table (the variation is also "" for a record that has none).
    std::string get_eco(std::uint64_t key) const;
    std::string get_opening(std::uint64_t key) const;
    std::string get_variation(std::uint64_t key) const;

private:
    std::map<std::uint64_t, std::string> m_eco_by_key;
    std::map<std::uint64_t, std::string> m_opening_by_key;
    std::map<std::uint64_t, std::string> m_variation_by_key;
};
