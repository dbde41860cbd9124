#include "engines/option.h"

#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> split_words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

void trim_blanks(std::string& text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}

Option::Option() : m_changed(false) {}

Option::Option(std::string line) : m_changed(false)
{
    std::vector<std::string> words = split_words(line);
    if (words.empty() || words[0] != "option") {
        throw std::runtime_error("Option:Option  argument not an option");
    }
    std::string dropped_value;
    std::size_t i = 1;
    while (i < words.size()) {
        const std::string& keyword = words[i];
        std::string* field = nullptr;
        if (keyword == "name") {
            field = &m_name;
        } else if (keyword == "default") {
            field = &m_default;
        } else if (keyword == "min") {
            field = &m_min;
        } else if (keyword == "max") {
            field = &m_max;
        } else if (keyword == "value") {
            field = &dropped_value;
        }
        if (field != nullptr) {
            // The first word after the keyword always belongs to the field,
            // so that a name such as "type" can be read.
            if (++i < words.size()) {
                *field += words[i++] + " ";
            }
            while (i < words.size() && !is_keyword(words[i])) {
                *field += words[i++] + " ";
            }
        } else if (keyword == "type") {
            if (++i < words.size()) {
                m_type = words[i++];
            }
        } else if (keyword == "var") {
            if (++i < words.size()) {
                std::string choice = words[i++];
                while (i < words.size() && !is_keyword(words[i])) {
                    choice += " " + words[i++];
                }
                m_vars.push_back(choice);
            }
        } else {
            // A stray word where a keyword belongs (only in lines that do not
            // follow the UCI form): skipped.
            ++i;
        }
    }
    for (std::string* text : {&m_name, &m_type, &m_default, &m_min, &m_max}) {
        trim_blanks(*text);
    }
    m_value = m_default;
}

bool Option::is_type_word(const std::string& word)
{
    return word == "check" || word == "spin" || word == "combo" || word == "button" || word == "string" ||
           word == "max" || word == "var";
}

bool Option::is_keyword(const std::string& word)
{
    return word == "name" || word == "type" || word == "value" || word == "default" || word == "min" ||
           is_type_word(word);
}

bool Option::is_option_word(const std::string& word) const { return is_keyword(word); }
