#include "engines/system_reason.h"

#include <system_error>

std::string system_reason(int error)
{
    std::string reason = error == 0 ? "the file cannot take it" : std::generic_category().message(error);
    // The system's texts start a sentence; here they end one.
    if (!reason.empty() && reason[0] >= 'A' && reason[0] <= 'Z')
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    return reason;
}
