#pragma once

// The six items of the Mode menu, one of which is always ticked.
enum class WindowMode { setup, human_human, human_computer, analysis, learn_openings, tournament };
