#pragma once

#include <stdexcept>
#include <string>

// The message of the std::logic_error that the call throws; empty when it
// throws none. Other exceptions pass through and fail the test.
template <class Call>
std::string logic_error_text(Call&& call)
{
    try {
        call();
    } catch (const std::logic_error& error) {
        return error.what();
    }
    return "";
}
