#pragma once

// The atomic file replacement lives with the engine layer, which saves
// engines.cfg the same way; the window's code includes it by this name.
#include "engines/file_replacement.h"
