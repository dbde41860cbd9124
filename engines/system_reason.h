#pragma once

#include <string>

// The system's reason for a failed call, from its errno, as the end of a
// sentence: "no space left on device", "permission denied". Error 0 (a
// failure that set none) gives "the file cannot take it".
std::string system_reason(int error);
