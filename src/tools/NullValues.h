#pragma once
// The libraries' no-value markers: a field that holds no number holds these.
#include <cstdint>

namespace tavo::tools {

// One above the smallest 32-bit value, so that negating it still fits.
constexpr int32_t NullInt = -2147483647;
// A computed value that happens to equal it counts as no value.
constexpr double NullReal = -1E17;

}  // namespace tavo::tools
