#pragma once

#include <string>

namespace torvane_test {

// While it lives, the whole C locale (LC_ALL) of the process is the named one,
// as GTK's setlocale(LC_ALL, "") makes it in a user's session; the locale in
// force before comes back when it goes. A test asserts active(), so that a
// machine without the locale fails the test instead of running it in C.
class ScopedLocale {
public:
    explicit ScopedLocale(const std::string& name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    // Whether the named locale is in force (false when the machine lacks it).
    bool active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active;
};

}
