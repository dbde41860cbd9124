#pragma once

#include "gui/data_directory.h"

#include <string>
#include <utility>
#include <vector>

namespace widget_test {

// While it lives, the program's images are looked for in the working
// directory alone: whether a test's folder holds "torvane.files" decides
// whether its board has pictures, installed program on the machine or not.
class ImagesOnlyFromWorkingDirectory {
public:
    ImagesOnlyFromWorkingDirectory() : m_previous(search_data_folders({""})) {}
    ~ImagesOnlyFromWorkingDirectory() { search_data_folders(std::move(m_previous)); }
    ImagesOnlyFromWorkingDirectory(const ImagesOnlyFromWorkingDirectory&) = delete;
    ImagesOnlyFromWorkingDirectory& operator=(const ImagesOnlyFromWorkingDirectory&) = delete;

private:
    std::vector<std::string> m_previous;
};

}
