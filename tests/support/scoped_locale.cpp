#include "tests/support/scoped_locale.h"

#include <clocale>

namespace torvane_test {

ScopedLocale::ScopedLocale(const std::string& name)
    : m_previous(std::setlocale(LC_ALL, nullptr)), m_active(std::setlocale(LC_ALL, name.c_str()) != nullptr)
{
}

ScopedLocale::~ScopedLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }

}
