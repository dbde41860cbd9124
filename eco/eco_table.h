#pragma once

#include "eco/eco_record.h"

#include <array>

inline constexpr std::size_t eco_table_size = 2014;

// The ECO records in code order, A00 first and E99 last. Constant data: it is
// complete before any code runs and never changes. Four positions occur in two
// records each; readers that want one answer per key take the later record.
extern const std::array<EcoRecord, eco_table_size> eco_table;
