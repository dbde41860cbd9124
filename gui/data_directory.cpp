#include "gui/data_directory.h"

#include <array>
#include <filesystem>
#include <system_error>

std::string data_prefix()
{
    static const std::array<const char*, 5> prefixes{"", "/usr/local/bin/", "/usr/local/games/", "/usr/bin/",
                                                     "/usr/games/"};
    for (const char* prefix : prefixes) {
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
