#pragma once

#include <stdexcept>
#include <string>

// A fault of a user's action worded twice: what() for the error output and
// the debug log, which name the operation, and a title and a text in plain
// words for the message box the user reads.
class UserFault : public std::runtime_error {
public:
    UserFault(const std::string& what, std::string title, std::string text)
        : std::runtime_error(what), m_title(std::move(title)), m_text(std::move(text))
    {
    }

    const std::string& title() const { return m_title; }
    const std::string& text() const { return m_text; }

private:
    std::string m_title;
    std::string m_text;
};
