#include "engines/file_replacement.h"
#include "engines/installed_engines.h"

#include "tests/engines/temp_working_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using torvane_test::TempWorkingDir;

// One way a user may keep a file that the program replaces: the name the
// program writes to, how the user laid it out, and where the new text must
// arrive with which permissions under the user's umask.
struct KeptFile {
    const char* case_name;
    std::function<void()> lay_out;
    std::function<void(const std::string& name, const std::string& text)> replace;
    const char* written_name;
    const char* holding_name;
    fs::perms holding_perms;
    mode_t user_umask = 022;
};

void PrintTo(const KeptFile& kept, std::ostream* out)
{
    *out << kept.case_name;
}

void replace_plain(const std::string& name, const std::string& text)
{
    ASSERT_EQ(replace_file(name, text), FileReplacement::done);
}

void save_engines(const std::string&, const std::string&)
{
    InstalledEngines engines;
    engines.write_engines_cfg();
}

const fs::perms private_file = fs::perms::owner_read | fs::perms::owner_write;
const fs::perms shared_file = private_file | fs::perms::group_read | fs::perms::others_read;

class FileReplacementTest : public testing::TestWithParam<KeptFile> {
protected:
    TempWorkingDir m_dir;
};

TEST_P(FileReplacementTest, NewTextReachesTheUsersFileWithItsPermissions)
{
    const KeptFile& kept = GetParam();
    kept.lay_out();
    const bool was_link = fs::is_symlink(kept.written_name);
    const mode_t previous_umask = umask(kept.user_umask);
    kept.replace(kept.written_name, "new\n");
    umask(previous_umask);
    EXPECT_EQ(fs::is_symlink(kept.written_name), was_link);
    EXPECT_NE(TempWorkingDir::read_file(kept.holding_name), "old\n");
    EXPECT_EQ(TempWorkingDir::read_file(kept.written_name), TempWorkingDir::read_file(kept.holding_name));
    EXPECT_EQ(fs::status(kept.holding_name).permissions(), kept.holding_perms);
    if (fs::exists("engines.cfg~")) {
        EXPECT_EQ(fs::status("engines.cfg~").permissions(), kept.holding_perms);
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

void write_private(const std::string& name)
{
    TempWorkingDir::write_file(name, "old\n");
    fs::permissions(name, private_file);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FileReplacementTest,
    testing::Values(
        KeptFile{"NewFile", [] {}, replace_plain, "a.fen", "a.fen", shared_file},
        KeptFile{"NewFileUnderAPrivateUmask", [] {}, replace_plain, "a.fen", "a.fen", private_file, 077},
        KeptFile{"NewFileUnderAGroupUmask", [] {}, replace_plain, "a.fen", "a.fen",
                 shared_file | fs::perms::group_write, 002},
        KeptFile{"NewEnginesListUnderAPrivateUmask", [] {}, save_engines, "engines.cfg", "engines.cfg", private_file,
                 077},
        KeptFile{"PrivateFileUnderAGroupUmask", [] { write_private("a.fen"); }, replace_plain, "a.fen", "a.fen",
                 private_file, 002},
        KeptFile{"PrivateFile", [] { write_private("a.fen"); }, replace_plain, "a.fen", "a.fen", private_file},
        KeptFile{"LinkToAFileElsewhere",
                 [] {
                     fs::create_directory("kept");
                     write_private("kept/a.fen");
                     fs::create_symlink("kept/a.fen", "a.fen");
                 },
                 replace_plain, "a.fen", "kept/a.fen", private_file},
        KeptFile{"LinkedEnginesList",
                 [] {
                     fs::create_directory("kept");
                     write_private("kept/engines.cfg");
                     fs::create_symlink(fs::absolute("kept/engines.cfg"), "engines.cfg");
                 },
                 save_engines, "engines.cfg", "kept/engines.cfg", private_file}),
    [](const testing::TestParamInfo<KeptFile>& info) { return std::string(info.param.case_name); });

// The temporary files of saves killed in the middle go; one that a program
// writing holds locked, and files of other names, stay.
TEST(LeftOverTemporaries, GoUnlessAProgramHoldsThem)
{
    TempWorkingDir dir;
    for (const char* name : {".save.tmpAbc123", ".save.tmpHeld00", ".save.tmpAB", "kept.tmp"})
        TempWorkingDir::write_file(name, "x");
    const int held = ::open(".save.tmpHeld00", O_WRONLY | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(held, F_OFD_SETLK, &lock), 0);
    remove_left_over_temporaries("./");
    std::set<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator("."))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{".save.tmpHeld00", ".save.tmpAB", "kept.tmp"}));
    ::close(held);
    remove_left_over_temporaries("./");
    EXPECT_FALSE(fs::exists(".save.tmpHeld00"));
}

}
