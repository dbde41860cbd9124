#include "manager/command_words.h"

#include <cstdlib>

CommandWords::CommandWords(const std::string& line) : m_in(line) {}

int CommandWords::next_int(int fallback)
{
    std::string word = next_word();
    if (word.empty()) {
        return fallback;
    }
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0') {
        return fallback;
    }
    return static_cast<int>(value);
}

std::string CommandWords::next_word()
{
    std::string word;
    m_in >> word;
    return word;
}

std::string CommandWords::rest()
{
    std::string text;
    std::getline(m_in, text);
    return text;
}

std::string CommandWords::trimmed_rest() { return trim(rest()); }

std::string CommandWords::trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return "";
    }
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
