// The program installed as a user installs it, with "cmake --install", into a
// staging folder (DESTDIR): it stands beside its images in the folder where
// its data search finds them, and nothing else is installed.
#include "gui/data_directory.h"
#include "gui/drawing_piece_code.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

std::set<std::string> files_below(const fs::path& root)
{
    std::set<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_directory())
            files.insert(fs::relative(entry.path(), root).string());
    return files;
}

TEST(Install, TheProgramStandsBesideItsImagesWhereTheDataSearchLooks)
{
    const struct {
        std::string prefix_option;
        std::string folder;
    } installs[] = {{"", "/usr/local/bin/"}, {" --prefix /usr", "/usr/bin/"}};
    const std::string stage = fs::absolute("install-stage").string();
    for (const auto& install : installs) {
        fs::remove_all(stage);
        const std::string command = "DESTDIR='" + stage + "' '" CMAKE_COMMAND "' --install '" BUILD_DIR "'" +
                                    install.prefix_option + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;

        std::string found;
        for (const char* folder : data_folders())
            if (found.empty() && *folder != '\0' && fs::exists(stage + svg_path(folder, "wood_l.svg")))
                found = folder;
        ASSERT_EQ(found, install.folder);
        for (const char* image : image_file_names)
            EXPECT_TRUE(fs::exists(stage + svg_path(found, image))) << image;

        std::set<std::string> expected{install.folder.substr(1) + "torvane"};
        for (const std::string& image : files_below(SOURCE_DIR "/torvane.files"))
            expected.insert(install.folder.substr(1) + "torvane.files/" + image);
        EXPECT_EQ(files_below(stage), expected) << install.folder;
        const fs::perms program = fs::status(stage + install.folder + "torvane").permissions();
        EXPECT_NE(program & fs::perms::others_exec, fs::perms::none);
    }
}

}
