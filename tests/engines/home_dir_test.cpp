#include "engines/home_dir.h"

#include "tests/engines/temp_working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>

namespace {

struct DirectoryCase {
    const char* working_directory;
    const char* expected;
};

void PrintTo(const DirectoryCase& c, std::ostream* out) { *out << '"' << c.working_directory << '"'; }

class HomeDirFor : public testing::TestWithParam<DirectoryCase> {};

TEST_P(HomeDirFor, DerivesTheDirectoryFromTheWorkingDirectory)
{
    EXPECT_EQ(HomeDir::directory_for(GetParam().working_directory), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkingDirectories, HomeDirFor,
    testing::Values(DirectoryCase{"/home/user1/games/chess", "/home/user1/.torvanechess/"},
                    DirectoryCase{"/home/user1", "/home/user1/.torvanechess/"},
                    DirectoryCase{"/home/user1/", "/home/user1/.torvanechess/"},
                    DirectoryCase{"/home", "/home//.torvanechess/"},
                    DirectoryCase{"/home/user one/chess", "/home/user one/.torvanechess/"},
                    DirectoryCase{"/home/ two  blanks /x", "/home/ two  blanks /.torvanechess/"},
                    DirectoryCase{"/root", "./"}, DirectoryCase{"/tmp/x", "./"}, DirectoryCase{"/", "./"},
                    DirectoryCase{"/data/home/user1", "./"}, DirectoryCase{"/homes/user1", "./"},
                    DirectoryCase{"/Home/user1", "./"}));

TEST(HomeDir, OutsideHomeCreatesTheTournamentFolderInTheWorkingDirectory)
{
    torvane_test::TempWorkingDir dir;
    HomeDir home;
    EXPECT_EQ(home.get(), "./");
    EXPECT_EQ(home.tournaments(), "./tournaments/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/tournaments"));
}

TEST(HomeDir, ExistingEntriesAreLeftAlone)
{
    torvane_test::TempWorkingDir dir;
    std::filesystem::create_directory("tournaments");
    torvane_test::TempWorkingDir::write_file("tournaments/event.trn", "kept");
    HomeDir home;
    EXPECT_EQ(torvane_test::TempWorkingDir::read_file("tournaments/event.trn"), "kept");
}

TEST(HomeDir, AFileInPlaceOfTheTournamentFolderIsReportedAndKept)
{
    torvane_test::TempWorkingDir dir;
    torvane_test::TempWorkingDir::write_file("tournaments", "a file");
    EXPECT_THROW(HomeDir(), std::filesystem::filesystem_error);
    EXPECT_EQ(torvane_test::TempWorkingDir::read_file("tournaments"), "a file");
}

}
