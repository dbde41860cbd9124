#pragma once

#include "engines/option.h"

#include <vector>

// The options to send to the engine after the options dialog: those whose
// value text differs from the list taken before the dialog opened (matched
// by position), and the "button" options whose button was pressed (their
// changed flag is set; a button has no value to compare). In list order.
// Throws std::logic_error when the two lists differ in length.
std::vector<Option> changed_options(const std::vector<Option>& before, const std::vector<Option>& after);
