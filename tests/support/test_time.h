#pragma once

#include <chrono>

namespace torvane_test {

// How many times longer than on a plain build on an idle machine the tests'
// wall-clock bounds and waits are: the build's own slowdown (1 plain, 3 under
// AddressSanitizer, 8 under ThreadSanitizer) times TORVANE_TEST_SLOWDOWN from
// the environment (a number of at least 1, for a busy or slow machine).
double time_factor();

// The bound or wait given for a plain build on an idle machine, made as long
// as this build and machine need: every timed bound and wait of a test goes
// through it.
std::chrono::milliseconds scaled(std::chrono::milliseconds plain);

// A bound that tells "at once" from "after a timeout of the program": scaled,
// but never beyond that timeout, which does not grow with the build (what
// waits the timeout out takes at least that long).
std::chrono::milliseconds scaled_below(std::chrono::milliseconds plain, std::chrono::milliseconds program_timeout);

}
