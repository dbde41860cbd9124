#include "eco/eco_classifier.h"

#include "eco/eco_table.h"

namespace {

std::string text_of(const std::map<std::uint64_t, std::string>& texts, std::uint64_t key)
{
    const auto found = texts.find(key);
    return found == texts.end() ? std::string() : found->second;
}

}

EcoClassifier::EcoClassifier()
{
    for (const EcoRecord& record : eco_table) {
        m_eco_by_key[record.m_key] = record.m_eco;
        m_opening_by_key[record.m_key] = record.m_opening;
        m_variation_by_key[record.m_key] = record.m_variation;
    }
}

std::string EcoClassifier::get_eco(std::uint64_t key) const
{
    return text_of(m_eco_by_key, key);
}

std::string EcoClassifier::get_opening(std::uint64_t key) const
{
    return text_of(m_opening_by_key, key);
}

std::string EcoClassifier::get_variation(std::uint64_t key) const
{
    return text_of(m_variation_by_key, key);
}
