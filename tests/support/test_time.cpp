#include "tests/support/test_time.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace torvane_test {

namespace {

double environment_slowdown()
{
    const char* text = std::getenv("TORVANE_TEST_SLOWDOWN");
    if (!text || !*text)
        return 1.0;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return (*end == '\0' && std::isfinite(value) && value >= 1.0) ? value : 1.0;
}

}

double time_factor()
{
    static const double factor = TORVANE_TEST_BUILD_SLOWDOWN * environment_slowdown();
    return factor;
}

std::chrono::milliseconds scaled(std::chrono::milliseconds plain)
{
    return std::chrono::milliseconds(static_cast<long long>(std::ceil(plain.count() * time_factor())));
}

std::chrono::milliseconds scaled_below(std::chrono::milliseconds plain, std::chrono::milliseconds program_timeout)
{
    return std::min(scaled(plain), program_timeout);
}

}
