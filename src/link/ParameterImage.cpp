#include "link/ParameterImage.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavro {

namespace {

// A run of consecutive entries at consecutive addresses with one initial
// value.
struct Run {
    int first;
    int last;
    std::uint16_t address;
    std::uint8_t initial;
};

// The register map, in entry order.
constexpr Run registerMap[] = {
    {0, 0, 0x0006, 81},       // balanced-input source
    {1, 1, 0x0007, 80},       // balanced-input routing
    {2, 2, 0x0008, 130},      // THX limiter level
    {3, 3, 0x0009, 80},       // THX limiter on
    {4, 4, 0x000A, 90},       // fixed
    {5, 10, 0x000B, 80},      // distances L, C, R, RS, LS, Sub
    {11, 16, 0x0011, 80},     // levels L, C, R, RS, LS, Sub
    {17, 17, 0x0017, 80},     // LFE level
    {18, 21, 0x0018, 81},     // sizes front, center, surround, subwoofer
    {22, 22, 0x001D, 130},    // master volume
    {23, 38, 0x001E, 1},      // listening mode of sources 1..16
    {39, 39, 0x002E, 83},     // fixed
    {40, 42, 0x002F, 80},     // distance unit, phones offset, sub filter switch
    {43, 47, 0x0032, 80},     // panorama, centre width, dimension, reverb, boundary gain
    {48, 48, 0x0037, 81},     // ASA spacing
    {49, 49, 0x0038, 80},     // THX subwoofer
    {50, 50, 0x003E, 0},      // skip welcome
    {51, 52, 0x003F, 82},     // OSD setup mode, temporary display
    {53, 54, 0x0041, 83},     // OSD output routing, input select
    {55, 55, 0x004D, 2},      // blueback video format
    {56, 57, 0x004E, 0},      // OSD style, background colour
    {58, 58, 0x0050, 7},      // character colour
    {59, 59, 0x0051, 4},      // error colour
    {60, 64, 0x0065, 80},     // back speakers, their levels and distances
    {65, 65, 0x006A, 160},    // subwoofer crossover
    {66, 66, 0x006B, 81},     // enhanced bass
    {67, 67, 0x006C, 80},     // trigger 1 source
    {68, 68, 0x006D, 81},     // trigger 1 polarity
    {69, 71, 0x006E, 80},     // trigger 1 delay, duration; trigger 2 source
    {72, 72, 0x0071, 81},     // trigger 2 polarity
    {73, 74, 0x0072, 80},     // trigger 2 delay, duration
    {75, 75, 0x0074, 130},    // zone volume
    {76, 76, 0x0075, 81},     // zone source
    {77, 78, 0x0076, 80},     // bass, treble
    {79, 158, 0x0190, 32},    // four message lines of 20 characters
    {159, 270, 0x02BE, 32},   // sixteen source names of 7 characters
    {271, 286, 0x0350, 85},   // input sensitivity
    {287, 302, 0x0360, 80},   // digital input
    {303, 318, 0x0370, 80},   // component video input
    {319, 324, 0x0400, 80},   // preset 1
    {325, 330, 0x040A, 80},   // preset 2
    {331, 336, 0x0414, 80},   // preset 3
    {337, 342, 0x041E, 80},   // preset 4
    {343, 348, 0x0428, 80},   // preset 5
    {349, 364, 0x0432, 80},   // preset association
    {365, 371, 0x0514, 100},  // channel 9 mix
    {372, 378, 0x051C, 100},  // channel 10 mix
    {379, 380, 0x0524, 80},   // channel 9 filter types
    {381, 381, 0x0526, 119},  // channel 9 filter 1 frequency
    {382, 382, 0x0528, 119},  // channel 9 filter 2 frequency
    {383, 384, 0x052A, 80},   // channel 10 filter types
    {385, 385, 0x052C, 119},  // channel 10 filter 1 frequency
    {386, 386, 0x052E, 119},  // channel 10 filter 2 frequency
    {387, 387, 0x0530, 0},    // channel 9 delay
    {388, 388, 0x0531, 80},   // channel 9 level
    {389, 389, 0x0532, 0},    // channel 10 delay
    {390, 390, 0x0533, 80},   // channel 10 level
    {391, 391, 0x0039, 80},   // Neo:6 centre image
    {392, 393, 0x012C, 82},   // tone filter corners (treble set below)
    {394, 394, 0x012E, 80},   // analog bass management
};

ParameterImage makeInitialImage() {
    ParameterImage image{};
    int next = 0;
    for (const Run& run : registerMap) {
        if (run.first != next) throw std::logic_error("register map has a gap");
        for (int k = run.first; k <= run.last; ++k) {
            const auto address = static_cast<std::uint16_t>(run.address + (k - run.first));
            ParameterEntry& e = image[static_cast<std::size_t>(k)];
            e.AddressHigh = static_cast<std::uint8_t>(address >> 8);
            e.AddressLow = static_cast<std::uint8_t>(address & 0xFF);
            e.Value = run.initial;
        }
        next = run.last + 1;
    }
    if (next != ImageEntryCount) throw std::logic_error("register map is incomplete");

    auto put = [&image](int first, std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i)
            image[static_cast<std::size_t>(first) + i].Value = static_cast<std::uint8_t>(text[i]);
    };
    put(entry::Welcome1, "     Tavro OEM      ");
    for (int n = 1; n <= 16; ++n) {
        const std::string name = (n < 10 ? "Source" : "Sourc") + std::to_string(n);
        put(entry::SourceName + entry::NameLength * (n - 1), name);
    }
    for (int n = 1; n <= 8; ++n)
        image[static_cast<std::size_t>(entry::DigitalInput + n - 1)].Value = static_cast<std::uint8_t>(80 + n);
    image[393].Value = 84;
    return image;
}

}  // namespace

const ParameterImage& InitialParameterImage() {
    static const ParameterImage image = makeInitialImage();
    return image;
}

std::array<std::uint8_t, 3> EntryFrameBytes(const ParameterImage& image, int k) {
    if (k < 0 || k >= ImageEntryCount) throw std::out_of_range("parameter image entry");
    const ParameterEntry& e = image[static_cast<std::size_t>(k)];
    return {e.AddressHigh, e.AddressLow, e.Value};
}

}  // namespace tavro
