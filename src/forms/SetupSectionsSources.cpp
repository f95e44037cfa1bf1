// The source sections of a setup file: "[Modes]", "[Sources]" with one
// block per source, "[Zone Settings]" and "[Balanced Source Settings]",
// each read beside its writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;

// The listening-mode code whose keyword begins the line, or -1.
int keywordCode(const std::string& line) {
    const auto& keywords = modeKeywords();
    for (int code = 0; code < ModeCount; ++code)
        if (beginsWith(line, keywords[static_cast<std::size_t>(code)])) return code;
    return -1;
}

bool isMusicMode(int code) { return code >= ModeMusic1 && code < ModeMusic1 + MusicModeCount; }

constexpr RadioChoice BalancedRouting[] = {{&M::RBThroughDSP, "Through DSP"}, {&M::RBBypassDSP, "Bypass DSP"}};

}  // namespace

// ---- "[Modes]"

void SectionReader::modes() {
    ModeTable& m = w_.Modes;
    std::int64_t n = nextInt();
    n = n < 1 ? 1 : n > ModeCount ? ModeCount : n;
    m.ModeAvailable.fill(0);
    for (std::int64_t e = 0; e < n; ++e) {
        int code = keywordCode(next());
        if (code < 0) code = ModeStereo;
        m.ModeAvailable[static_cast<std::size_t>(code)] = 1;
        if (isMusicMode(code)) m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)] = next();
    }
}

void SectionWriter::modes() {
    const ModeTable& m = w_.Modes;
    int n = 0;
    for (std::uint8_t f : m.ModeAvailable) n += f != 0 ? 1 : 0;
    line(num(n));
    for (int code = 0; code < ModeCount; ++code) {
        if (m.ModeAvailable[static_cast<std::size_t>(code)] == 0) continue;
        line(modeKeywords()[static_cast<std::size_t>(code)]);
        if (isMusicMode(code)) line(m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)]);
    }
}

// ---- "[Sources]"

void SectionReader::sources() {
    InputCounts& in = w_.Inputs;
    const std::int64_t d = nextInt();
    in.DigitalInputCount = inRange(d, 0, 8) ? static_cast<unsigned>(d) : 6;
    std::string line = next();
    if (beginsWith(line, "Component Video")) {
        in.ComponentVideoPresent = 1;
        const std::int64_t c = nextInt();
        in.ComponentVideoCount = inRange(c, 1, 19) ? static_cast<std::int32_t>(c) : 1;
        line = next();
    } else {
        in.ComponentVideoPresent = 0;  // the count is kept; this line is the source count
    }
    std::int64_t count = intValue(line);
    count = count < 0 ? 0 : count > MaxSources ? MaxSources : count;
    w_.SourceCount = static_cast<std::uint8_t>(count);

    w_.GBSource.setVisible(w_.SourceCount > 0);
    const auto buttons = w_.sourceButtons();
    for (int n = 2; n <= MaxSources; ++n) buttons[static_cast<std::size_t>(n - 1)]->setVisible(n <= w_.SourceCount);

    for (int n = 1; n <= w_.SourceCount; ++n) sourceBlock(n, *buttons[static_cast<std::size_t>(n - 1)]);

    w_.RebuildZoneAndBalancedLists();
}

void SectionReader::sourceBlock(int n, Button& button) {
    SourceRecord& s = w_.Sources[static_cast<std::size_t>(n - 1)];
    const InputCounts& in = w_.Inputs;
    s.Name = messageText(next(), 7);
    button.setCaption(s.Name);

    const int mode = keywordCode(next());
    s.Mode = static_cast<std::uint8_t>(mode >= 0 ? mode : ModeStereo);

    const std::int64_t sens = nextInt();
    s.Sensitivity = inRange(sens, -5, 10) ? static_cast<std::uint8_t>(sens + 5) : 5;

    if (in.DigitalInputCount > 0) {
        const std::string line = next();
        const std::int64_t v = intValue(line);
        const std::int64_t count = in.DigitalInputCount;
        if (count == 8 && w_.ModelVariant == tavro::ModelVariant::Tavro) {
            s.DigitalInput = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v - 1) : 1;
        } else if (beginsWith(line, "Off")) {
            s.DigitalInput = 0;
        } else {
            s.DigitalInput = inRange(v, 1, count) ? static_cast<std::uint8_t>(v) : (count == 8 ? 1 : 0);
        }
    }

    const std::string preset = next();
    const std::int64_t p = intValue(preset);
    s.PresetAssoc = beginsWith(preset, "Flat") ? FlatTrimsAssoc : inRange(p, 1, 5) ? static_cast<std::uint8_t>(p) : 0;

    if (in.ComponentVideoPresent == 1) {
        const std::string line = next();
        const std::int64_t v = intValue(line);
        if (beginsWith(line, "Off")) s.ComponentVideo = 0;
        else if (inRange(v, 1, 3)) s.ComponentVideo = static_cast<std::uint8_t>(v);
        else if (inRange(v, 4, 13) && w_.ModelVariant != tavro::ModelVariant::Tavro)
            s.ComponentVideo = static_cast<std::uint8_t>(v);
        else s.ComponentVideo = 0;
    }
}

void SectionWriter::sources() {
    const InputCounts& in = w_.Inputs;
    line(num(in.DigitalInputCount));
    if (in.ComponentVideoPresent == 1) {
        line("Component Video");
        line(num(in.ComponentVideoCount));
    }
    line(num(w_.SourceCount));
    for (int n = 1; n <= w_.SourceCount && n <= MaxSources; ++n) {
        const SourceRecord& s = w_.Sources[static_cast<std::size_t>(n - 1)];
        line(s.Name);
        line(modeKeywords()[s.Mode >= 1 && s.Mode < ModeCount ? s.Mode : std::uint8_t{ModeMono}]);
        line(num(s.Sensitivity - 5));
        if (in.DigitalInputCount > 0) {
            if (in.DigitalInputCount == 8 && w_.ModelVariant == tavro::ModelVariant::Tavro)
                line(num(s.DigitalInput + 1));
            else
                line(s.DigitalInput == 0 ? "Off" : num(s.DigitalInput));
        }
        line(s.PresetAssoc == 0 ? "Off" : s.PresetAssoc == FlatTrimsAssoc ? "Flat" : num(s.PresetAssoc));
        if (in.ComponentVideoPresent == 1) line(s.ComponentVideo == 0 ? "Off" : num(s.ComponentVideo));
    }
}

// ---- "[Zone Settings]"

void SectionReader::zone() {
    const std::int64_t v = nextInt();
    w_.CBZoneSource.setItemIndex(inRange(v, 1, w_.CBZoneSource.count()) ? static_cast<int>(v - 1) : 0);
    const std::int64_t volume = nextInt();
    w_.SBZoneVolume.setPosition(inRange(volume, -90, volumeTop()) ? static_cast<int>(volume + 20) : -30);
    w_.WriteValueLabels();
}

void SectionWriter::zone() {
    lines({num(w_.CBZoneSource.itemIndex() + 1), num(w_.SBZoneVolume.position() - 20)});
}

// ---- "[Balanced Source Settings]"

void SectionReader::balanced() {
    const std::int64_t v = nextInt();
    w_.CBBalancedSource.setItemIndex(inRange(v, 1, w_.CBBalancedSource.count() - 1) ? static_cast<int>(v) : 0);
    choice(BalancedRouting);
}

void SectionWriter::balanced() {
    line(num(w_.CBBalancedSource.itemIndex()));
    choice(BalancedRouting);
}

}  // namespace tavro
