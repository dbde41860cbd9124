#pragma once

#include <string>

// The directory of the per-user files ("engines.cfg", "tournaments/*.trn"),
// derived from the working directory rather than the environment: below
// "/home/<user>" it is "/home/<user>/.torvanechess/", elsewhere "./".
class HomeDir {
public:
    // Derives the path from the current working directory and creates the
    // directory and its "tournaments/" subdirectory when missing. Throws
    // std::runtime_error when a directory cannot be created.
    HomeDir();

    // The per-user directory, ending in "/".
    std::string get() const { return m_path; }
    // The directory of the tournament files, ending in "/"; nothing is checked.
    std::string tournaments() const { return m_path + "tournaments/"; }

    // The per-user directory for an absolute working directory: the whole
    // second component names the user, blanks included.
    static std::string directory_for(const std::string& working_directory);

private:
    std::string m_path;
};
