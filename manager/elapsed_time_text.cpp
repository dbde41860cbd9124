#include "manager/elapsed_time_text.h"

#include <cmath>
#include <cstdint>

std::string elapsed_time_text(double milliseconds)
{
    const auto seconds = static_cast<std::int64_t>(std::llround(milliseconds / 1000));
    return std::to_string(seconds / 3600) + ":" + std::to_string(seconds / 60 % 60) + ":" +
           std::to_string(seconds % 60);
}
