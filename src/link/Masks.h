// Per-entry flags that run beside the parameter image.
#pragma once

#include <array>
#include <cstdint>

namespace tavro {

// The number of parameters that the program mirrors from the processor.
inline constexpr int ImageEntryCount = 395;

// One flag per image entry: set by edits, consumed by Upload Changed
// Settings, and the to-do list of a download.
using EntryFlags = std::array<std::uint8_t, ImageEntryCount>;

}  // namespace tavro
