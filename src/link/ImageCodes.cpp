#include "link/ImageCodes.h"

#include <array>

#include "model/Records.h"

namespace tavro {

namespace {
constexpr std::uint8_t DspBypassCode = 110;
constexpr std::uint8_t DspBypassCodeRead = 130;

struct EventCodes {
    const char* text;
    std::uint8_t base;   // Tavro
    std::uint8_t other;  // R7 and 4820
};

// Sending: the code of each event text.
constexpr std::array<EventCodes, 10> eventCodes{{
    {"External 7.1", 98, 98},
    {"Balanced Input", 99, 99},
    {"System On", 100, 99},
    {"Dimmer", 101, 100},
    {"Composite Video In", 102, 102},
    {"S-Video In", 103, 103},
    {"Composite Video/S-Video In", 104, 104},
    {"Video Source Selected", 105, 101},
    {"Audio Source Selected", 106, 102},
    {"Zone Power On", 107, 103},
}};

// Receiving: the event text of codes 98..107. The R7 and 4820 know six
// events only.
constexpr std::array<const char*, 10> baseEventTexts{
    "External 7.1",       "Balanced Input", "System On",
    "Dimmer",             "Composite Video In", "S-Video In",
    "Composite Video/S-Video In", "Video Source Selected", "Audio Source Selected",
    "Zone Power On"};
constexpr std::array<const char*, 10> otherEventTexts{
    "External 7.1", "System On", "Dimmer", "Video Source Selected", "Audio Source Selected",
    "Zone Power On", nullptr,     nullptr,  nullptr,                 nullptr};
constexpr int FirstEventCode = 98;
}  // namespace

std::uint8_t modeToCode(int mode, bool backSpeakers) {
    switch (mode) {
        case ModeMono: return 80;
        case ModeStereo: return 81;
        case ModeDolbyProLogic: return 83;
        case ModeDplIIMovie: return backSpeakers ? 104 : 91;
        case ModeDplIIMusic: return backSpeakers ? 103 : 92;
        case ModeDolbyDigitalEx: return 93;
        case ModeDtsEsMatrix: return 95;
        case ModeDtsNeo6Cinema: return 94;
        case ModeMusic1:
        case ModeMusic1 + 1:
        case ModeMusic1 + 2:
        case ModeMusic1 + 3:
        case ModeMusic1 + 4: return static_cast<std::uint8_t>(84 + (mode - ModeMusic1));
        case ModeDtsNeo6Music: return 100;
        case ModeDirect: return 82;
        default: return DspBypassCode;
    }
}

std::optional<int> codeToMode(int code) {
    switch (code) {
        case 80: return ModeMono;
        case 81: return ModeStereo;
        case 83: return ModeDolbyProLogic;
        case 91:
        case 104: return ModeDplIIMovie;
        case 92:
        case 103: return ModeDplIIMusic;
        case 93: return ModeDolbyDigitalEx;
        case 95: return ModeDtsEsMatrix;
        case 94: return ModeDtsNeo6Cinema;
        case 84:
        case 85:
        case 86:
        case 87:
        case 88: return ModeMusic1 + (code - 84);
        case 100: return ModeDtsNeo6Music;
        case 82: return ModeDirect;
        case DspBypassCode:
        case DspBypassCodeRead: return ModeDspBypass;
        default: return std::nullopt;
    }
}

std::optional<std::uint8_t> triggerEventCode(const std::string& text, ModelVariant variant) {
    for (const EventCodes& e : eventCodes)
        if (text == e.text) return variant == ModelVariant::Tavro ? e.base : e.other;
    return std::nullopt;
}

std::optional<std::string> triggerEventText(int code, ModelVariant variant) {
    if (code < FirstEventCode || code >= FirstEventCode + 10) return std::nullopt;
    const auto& texts = variant == ModelVariant::Tavro ? baseEventTexts : otherEventTexts;
    const char* text = texts[static_cast<std::size_t>(code - FirstEventCode)];
    if (!text) return std::nullopt;
    return std::string(text);
}

}  // namespace tavro
