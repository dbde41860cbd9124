// Option lines come straight from engines: any line is read or refused with
// std::runtime_error, and no field keeps a leading or trailing blank.
#include "engines/option.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

void check_trimmed(const std::string& text)
{
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) {
        std::abort();
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    try {
        Option option(line);
        check_trimmed(option.get_name());
        check_trimmed(option.get_default());
        check_trimmed(option.get_min());
        check_trimmed(option.get_max());
        if (option.get_value() != option.get_default()) {
            std::abort();
        }
    } catch (const std::runtime_error&) {
    }
    return 0;
}
