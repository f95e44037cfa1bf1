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

// The entries that the last upload or download transferred and that have
// not been verified since, followed by the flag that picks the final text of
// a verify: 1 when the verify follows an upload directly, 0 when it was
// started from the menu.
struct VerifyMask {
    EntryFlags Flags{};
    std::uint8_t VerifyFollowsUpload = 0;

    void clearFlags() { Flags.fill(0); }
};

}  // namespace tavro
