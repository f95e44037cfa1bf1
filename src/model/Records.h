// The settings of a setup that have no control of their own on the main
// window: sources, tone presets, channel 9/10 mix and filters, Pro Logic II /
// Neo:6, THX Ultra2, the listening modes, input counts and program options.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavro {

inline constexpr int MaxSources = 16;
inline constexpr int PresetCount = 5;
inline constexpr int ModeCount = 16;
inline constexpr int MusicModeCount = 5;
inline constexpr int MixChannelCount = 7;

// Listening-mode codes: the value of a source's Mode and the index into the
// table of offered modes.
enum ModeCode : std::uint8_t {
    ModeMono = 0,
    ModeStereo = 1,
    ModeDolbyProLogic = 2,
    ModeDplIIMovie = 3,
    ModeDplIIMusic = 4,
    ModeDolbyDigitalEx = 5,
    ModeDtsEsMatrix = 6,
    ModeDtsNeo6Cinema = 7,
    ModeMusic1 = 8,   // .. ModeMusic1 + 4: the five named music modes
    ModeDtsNeo6Music = 13,
    ModeDirect = 14,
    ModeDspBypass = 15,
};

// The file keyword of each listening mode, by code.
const std::array<const char*, ModeCount>& modeKeywords();

// A source's preset association "Flat Trims" (0 is none, 1..5 the presets).
inline constexpr std::uint8_t FlatTrimsAssoc = 6;

struct SourceRecord {
    std::string Name;
    std::uint8_t Mode = ModeStereo;
    std::uint8_t Sensitivity = 5;     // dB = index - 5
    std::uint8_t DigitalInput = 0;
    std::uint8_t ComponentVideo = 0;  // 0 = "Off"
    std::uint8_t PresetAssoc = 0;     // 0 none, 1..5 preset, FlatTrimsAssoc

    bool operator==(const SourceRecord&) const = default;
};

// "Video 1" .. "Video 8", "Audio 9", "Audio10" .. "Audio16" for number 1..16.
std::string defaultSourceName(int number);
SourceRecord defaultSource(int number);

// A source name keeps only the characters the processor's display can show;
// every other character becomes a blank in the same position.
std::string cleanSourceName(const std::string& name);

inline constexpr int PresetFieldCount = 6;

struct PresetSettings {
    std::uint8_t Center = 12;     // dB = index - 12
    std::uint8_t Surrounds = 12;
    std::uint8_t Subwoofer = 12;
    std::uint8_t Bass = 12;
    std::uint8_t Treble = 12;
    std::uint8_t Lipsync = 0;     // milliseconds

    // Fields in their fixed order, 0 = Center .. 5 = Lipsync.
    std::uint8_t& field(int f);
    std::uint8_t field(int f) const;

    bool operator==(const PresetSettings&) const = default;
};

enum FilterType : std::uint8_t { FilterNone = 0, FilterLowpass = 1, FilterHighpass = 2 };
// A filter's frequency: 0..36 = 20..200 Hz in 5 Hz steps, 37 = 250 Hz,
// 38 = 500 Hz, 39 = 1 kHz, 40..56 = 2..18 kHz. A highpass ends at 39. It is
// also the position in the dialog's frequency lists.
using FilterFrequencyCode = std::uint8_t;
inline constexpr FilterFrequencyCode MaxFilterCode = 56;
inline constexpr FilterFrequencyCode MaxHighpassCode = 39;
inline constexpr FilterFrequencyCode DefaultFilterCode = 12;  // 80 Hz

struct AuxMixFilter {
    // Share of Left, Center, Right, LSurr, RSurr, Back, LFE in percent.
    std::array<std::int8_t, MixChannelCount> Mix{};
    std::uint8_t Filter1Type = FilterNone;
    FilterFrequencyCode Filter1Freq = DefaultFilterCode;
    std::uint8_t Filter2Type = FilterNone;
    FilterFrequencyCode Filter2Freq = DefaultFilterCode;

    bool operator==(const AuxMixFilter&) const = default;
};

struct DplSettings {
    std::uint8_t CenterWidth = 1;  // 1..8
    std::uint8_t Dimension = 1;    // 1..7, shown as value - 4
    std::uint8_t Panorama = 0;     // 0..1
    std::uint8_t CenterImage = 1;  // 1..6

    bool operator==(const DplSettings&) const = default;
};

struct ThxSettings {
    std::uint8_t Ultra2Sub = 0;
    std::uint8_t BoundaryGain = 0;
    std::int32_t AsaPosition = 0;  // 0 together, 1 close, 2 apart
    std::uint8_t LimiterOn = 0;
    std::int32_t LimiterLevel = 50;  // dB = -index

    // Storing a THX subwoofer turns the limiter off; storing none turns the
    // boundary gain compensation off.
    void storeUltra2Sub(bool on);

    bool operator==(const ThxSettings&) const = default;
};

struct ModeTable {
    std::array<std::uint8_t, ModeCount> ModeAvailable{};
    std::array<std::string, MusicModeCount> MusicModeNames;

    ModeTable() { ModeAvailable[ModeStereo] = 1; }
    bool offered(int code) const { return code >= 0 && code < ModeCount && ModeAvailable[static_cast<std::size_t>(code)] == 1; }
    // A table that offers nothing offers Stereo.
    void ensureOneOffered();

    bool operator==(const ModeTable&) const = default;
};

struct InputCounts {
    unsigned DigitalInputCount = 6;
    std::uint8_t ComponentVideoPresent = 0;
    std::int32_t ComponentVideoCount = 0;

    bool operator==(const InputCounts&) const = default;
};

struct Options {
    std::uint8_t ComPort = 1;  // 1..4 = COM1..COM4
    std::uint8_t AutoVerify = 0;
    std::uint8_t ConfirmDiscard = 1;

    bool operator==(const Options&) const = default;
};

}  // namespace tavro
