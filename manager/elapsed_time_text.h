#pragma once

#include <string>

// A search time in milliseconds as "H:M:S", the form of the "[%emt" comment
// command. The time is rounded to the nearest second first and the rounding
// carries, so 59.6 s reads "0:1:0" and 3,599.6 s "1:0:0", never a 60.
std::string elapsed_time_text(double milliseconds);
