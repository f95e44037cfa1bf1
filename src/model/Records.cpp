#include "model/Records.h"

#include <algorithm>

#include "model/DisplayCharacters.h"

namespace tavro {

const std::array<const char*, ModeCount>& modeKeywords() {
    static const std::array<const char*, ModeCount> keywords{
        "Mono",          "Stereo",           "Dolby Pro Logic", "DPL II Movie", "DPL II Music",    "Dolby Digital EX",
        "DTS-ES Matrix", "DTS Neo:6 Cinema", "Music 1",         "Music 2",      "Music 3",         "Music 4",
        "Music 5",       "DTS Neo:6 Music",  "Direct",          "DSP Bypass"};
    return keywords;
}

std::string defaultSourceName(int number) {
    if (number <= 8) return "Video " + std::to_string(number);
    if (number == 9) return "Audio 9";
    return "Audio" + std::to_string(number);
}

SourceRecord defaultSource(int number) {
    SourceRecord s;
    s.Name = defaultSourceName(number);
    return s;
}

std::string cleanSourceName(const std::string& name) { return filterDisplayText(name); }

std::uint8_t& PresetSettings::field(int f) {
    switch (f) {
        case 0: return Center;
        case 1: return Surrounds;
        case 2: return Subwoofer;
        case 3: return Bass;
        case 4: return Treble;
        default: return Lipsync;
    }
}

std::uint8_t PresetSettings::field(int f) const { return const_cast<PresetSettings*>(this)->field(f); }

void ThxSettings::storeUltra2Sub(bool on) {
    Ultra2Sub = on ? 1 : 0;
    if (on)
        LimiterOn = 0;
    else
        BoundaryGain = 0;
}

void ModeTable::ensureOneOffered() {
    if (std::none_of(ModeAvailable.begin(), ModeAvailable.end(), [](std::uint8_t v) { return v == 1; }))
        ModeAvailable[ModeStereo] = 1;
}

}  // namespace tavro
