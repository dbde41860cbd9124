#include "app/manager_line.h"

#include "app/engine_info_comment.h"

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sstream>

ManagerLine::ManagerLine(const std::string& line)
{
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos)
        return;
    const std::size_t end = std::min(line.find(' ', start), line.size());
    m_word = line.substr(start, end - start);
    m_rest = line.substr(end);
}

std::runtime_error ManagerLine::fault(const std::string& what) const
{
    return std::runtime_error("ManagerLine   " + m_word + ": " + what);
}

std::string ManagerLine::first_word() const
{
    std::istringstream in(m_rest);
    std::string word;
    in >> word;
    return word;
}

std::string ManagerLine::text() const
{
    const std::size_t start = m_rest.find_first_not_of(' ');
    return start == std::string::npos ? "" : m_rest.substr(start);
}

std::string ManagerLine::name() const
{
    const std::size_t start = m_rest.find_first_not_of(' ');
    if (start == std::string::npos)
        return "???";
    return m_rest.substr(start, m_rest.find_last_not_of(' ') - start + 1);
}

std::int32_t ManagerLine::centiseconds() const
{
    const std::string word = first_word();
    char* end = nullptr;
    errno = 0;
    const long long milliseconds = std::strtoll(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno == ERANGE || milliseconds / 10 > INT32_MAX ||
        milliseconds / 10 < INT32_MIN)
        throw fault("not a time in milliseconds: '" + word + "'");
    return static_cast<std::int32_t>(milliseconds / 10);
}

std::string ManagerLine::setboard_fen() const
{
    std::istringstream in(m_rest);
    std::string fields[4];
    for (std::string& field : fields) {
        if (!(in >> field))
            throw fault("fewer than four position fields");
    }
    return fields[0] + " " + fields[1] + " " + fields[2] + " " + fields[3] + " 0 1";
}

std::string ManagerLine::level_text() const
{
    std::istringstream in(m_rest);
    std::string kind;
    std::int32_t moves = 0;
    std::string time;
    float increment = 0;
    // A failed read leaves its number 0 and stops the reads after it.
    if (in >> kind && in >> moves && in >> time)
        in >> increment;
    return kind + " " + std::to_string(moves) + " " + time + " " + default_format(static_cast<double>(increment));
}

ManagerLine::Arrow ManagerLine::arrow() const
{
    std::istringstream in(m_rest);
    int from = -1;
    int to = -1;
    char letter = 0;
    if (!(in >> from >> to >> letter) || from < 0 || from > 63 || to < 0 || to > 63)
        throw fault("expected two squares 0..63 and a colour letter");
    return {from, to, letter == 'g' ? Arrow::green : letter == 'r' ? Arrow::red : Arrow::blue};
}
