#include "gui/data_directory.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// The folders data_prefix() searches now.
std::vector<std::string>& searched_folders()
{
    static std::vector<std::string> folders(data_folders().begin(), data_folders().end());
    return folders;
}

}

const std::array<const char*, 5>& data_folders()
{
    static const std::array<const char*, 5> folders{"", "/usr/local/bin/", "/usr/local/games/", "/usr/bin/",
                                                    "/usr/games/"};
    return folders;
}

std::vector<std::string> search_data_folders(std::vector<std::string> folders)
{
    return std::exchange(searched_folders(), std::move(folders));
}

std::string data_prefix()
{
    for (const std::string& prefix : searched_folders()) {
        std::error_code error;
        if (std::filesystem::exists(svg_path(prefix, "wood_l.svg"), error))
            return prefix;
    }
    return "";
}

std::string svg_path(const std::string& prefix, const std::string& file_name)
{
    return prefix + "torvane.files/svg/" + file_name;
}

std::string svg_path(const std::string& file_name)
{
    return svg_path(data_prefix(), file_name);
}
