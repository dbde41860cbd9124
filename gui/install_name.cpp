#include "gui/install_name.h"

std::string install_name(const std::string& typed)
{
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
}
