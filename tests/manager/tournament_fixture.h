#pragma once

#include "manager/tournament.h"
#include "tests/engines/temp_working_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A tournament whose per-user directory is a fresh temporary working
// directory, so its files land in "./tournaments/".
class TournamentFixture : public ::testing::Test {
protected:
    // Adds participants "E1" .. "En".
    void add_participants(int n);
    // Each game as "number round white-black oOPENING result", e.g.
    // "3 1.2.1 4-3 o1 *", the players given by their participant numbers.
    std::vector<std::string> summaries() const;
    static std::string trn(const std::string& name) { return "tournaments/" + name + ".trn"; }

    torvane_test::TempWorkingDir m_dir;
    Tournament m_tournament;
};
