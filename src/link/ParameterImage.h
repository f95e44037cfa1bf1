// The parameter image: the part of the processor's parameter table that the
// program manages, 395 one-byte parameters at fixed 16-bit addresses.
#pragma once

#include <array>
#include <cstdint>

#include "link/Masks.h"

namespace tavro {

// One parameter: its address, high byte first, and its value in the
// processor's encoding. Stored and sent in exactly this order.
struct ParameterEntry {
    std::uint8_t AddressHigh = 0;
    std::uint8_t AddressLow = 0;
    std::uint8_t Value = 0;

    constexpr std::uint16_t address() const {
        return static_cast<std::uint16_t>(AddressHigh << 8 | AddressLow);
    }
    friend bool operator==(const ParameterEntry&, const ParameterEntry&) = default;
};
static_assert(sizeof(ParameterEntry) == 3, "an entry is three bytes: address high, address low, value");

// Entries 0..394. The addresses never change; only the values do. Entries
// are not in address order, and transfers walk them in entry order.
using ParameterImage = std::array<ParameterEntry, ImageEntryCount>;

// One entry whose value differs between two images (two setups, a setup
// and the processor, what was sent and what a verify read back).
struct EntryDifference {
    int entry = 0;
    std::uint16_t address = 0;
    std::uint8_t a = 0;
    std::uint8_t b = 0;
};

// The image as the program starts with it: every address and the initial
// value of every entry. Most values are overwritten at start-up by building
// the image from the default setup.
const ParameterImage& InitialParameterImage();

// The three bytes of entry k for a write or read frame: address high,
// address low, value. Throws std::out_of_range for k outside 0..394.
std::array<std::uint8_t, 3> EntryFrameBytes(const ParameterImage& image, int k);

// Entries with a fixed meaning that the program never builds or marks.
inline constexpr int FixedEntryA = 4;   // stays 90
inline constexpr int FixedEntryB = 39;  // stays 83

// First entries of the blocks of the image.
namespace entry {
inline constexpr int BalancedSource = 0;
inline constexpr int SourceMode = 23;         // + source index 0..15
inline constexpr int Welcome1 = 79;           // four message lines of 20
inline constexpr int MessageLength = 20;
inline constexpr int SourceName = 159;        // + 7 * source index
inline constexpr int NameLength = 7;
inline constexpr int Sensitivity = 271;       // + source index
inline constexpr int DigitalInput = 287;      // + source index
inline constexpr int ComponentVideo = 303;    // + source index
inline constexpr int Preset = 319;            // + 6 * preset index + field
inline constexpr int PresetAssoc = 349;       // + source index
inline constexpr int Ch9Mix = 365;            // seven in device order
inline constexpr int Ch10Mix = 372;
}  // namespace entry

}  // namespace tavro
