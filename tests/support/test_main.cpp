#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// Sets each NAME=FOLDER of the build's test environment (entries separated
// by ';') and makes the folder, before anything reads the home: GTK, the
// window and every program a test starts (engines, tools) inherit it.
void move_into_test_home(const std::string& environment)
{
    std::istringstream entries(environment);
    for (std::string entry; std::getline(entries, entry, ';');) {
        const std::size_t equals = entry.find('=');
        const std::string folder = entry.substr(equals + 1);
        std::filesystem::create_directories(folder);
        if (setenv(entry.substr(0, equals).c_str(), folder.c_str(), 1) != 0)
            throw std::runtime_error("cannot set " + entry);
    }
}

// The tests compare the program's texts, GTK's and the system's (a dialog's
// title, the reason a file could not be written) with English ones, so these
// stay untranslated in every user's language; the rest of the user's locale,
// its numbers above all, stays in force. LC_ALL would outrank LC_MESSAGES, so
// its locale moves to LANG, and LANGUAGE is ignored with messages in C.
void keep_messages_english()
{
    const char* all = std::getenv("LC_ALL");
    if (all && *all && setenv("LANG", all, 1) != 0)
        throw std::runtime_error("cannot set LANG");
    unsetenv("LC_ALL");
    if (setenv("LC_MESSAGES", "C", 1) != 0)
        throw std::runtime_error("cannot set LC_MESSAGES");
}

}

int main(int argc, char** argv)
{
    move_into_test_home(TORVANE_TEST_ENVIRONMENT);
    keep_messages_english();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
