// The source part of the table of sections: "[Modes]", "[Sources]" with
// one block per source, "[Zone Settings]" and "[Balanced Source Settings]",
// each read beside its writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;
constexpr GroupOnRead Shows = GroupOnRead::Shows;

// The listening-mode code whose keyword begins the line, or -1.
int keywordCode(const std::string& line) {
    const auto& keywords = modeKeywords();
    for (int code = 0; code < ModeCount; ++code)
        if (beginsWith(line, keywords[static_cast<std::size_t>(code)])) return code;
    return -1;
}

bool isMusicMode(int code) { return code >= ModeMusic1 && code < ModeMusic1 + MusicModeCount; }

constexpr RadioChoice BalancedRouting[] = {{&M::RBThroughDSP, "Through DSP"}, {&M::RBBypassDSP, "Bypass DSP"}};

// ---- "[Modes]"

void readModes(SectionReader& in, TTavroSetupMain& w) {
    ModeTable& m = w.Modes;
    std::int64_t n = in.nextInt();
    n = n < 1 ? 1 : n > ModeCount ? ModeCount : n;
    m.ModeAvailable.fill(0);
    for (std::int64_t e = 0; e < n; ++e) {
        int code = keywordCode(in.next());
        if (code < 0) code = ModeStereo;
        m.ModeAvailable[static_cast<std::size_t>(code)] = 1;
        if (isMusicMode(code)) m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)] = in.nextText();
    }
}

void writeModes(SectionWriter& out, const TTavroSetupMain& w) {
    const ModeTable& m = w.Modes;
    int n = 0;
    for (std::uint8_t f : m.ModeAvailable) n += f != 0 ? 1 : 0;
    out.line(out.num(n));
    for (int code = 0; code < ModeCount; ++code) {
        if (m.ModeAvailable[static_cast<std::size_t>(code)] == 0) continue;
        out.line(modeKeywords()[static_cast<std::size_t>(code)]);
        if (isMusicMode(code)) out.line(m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)]);
    }
}

// ---- "[Sources]"

// One source block: the lines of source n.
void readSourceBlock(SectionReader& in, TTavroSetupMain& w, int n, Button& button) {
    SourceRecord& s = w.Sources[static_cast<std::size_t>(n - 1)];
    const InputCounts& inputs = w.Inputs;
    s.Name = in.messageText(in.next(), 7);
    button.setCaption(s.Name);

    const int mode = keywordCode(in.next());
    s.Mode = static_cast<std::uint8_t>(mode >= 0 ? mode : ModeStereo);

    const std::int64_t sens = in.nextInt();
    s.Sensitivity = inRange(sens, -5, 10) ? static_cast<std::uint8_t>(sens + 5) : 5;

    if (inputs.DigitalInputCount > 0) {
        const std::string line = in.next();
        const std::int64_t v = intValue(line);
        const std::int64_t count = inputs.DigitalInputCount;
        if (count == 8 && w.ModelVariant == tavro::ModelVariant::Tavro) {
            s.DigitalInput = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v - 1) : 1;
        } else if (beginsWith(line, "Off")) {
            s.DigitalInput = 0;
        } else {
            s.DigitalInput = inRange(v, 1, count) ? static_cast<std::uint8_t>(v) : (count == 8 ? 1 : 0);
        }
    }

    const std::string preset = in.next();
    const std::int64_t p = intValue(preset);
    s.PresetAssoc = beginsWith(preset, "Flat") ? FlatTrimsAssoc : inRange(p, 1, 5) ? static_cast<std::uint8_t>(p) : 0;

    if (inputs.ComponentVideoPresent == 1) {
        const std::string line = in.next();
        const std::int64_t v = intValue(line);
        if (beginsWith(line, "Off"))
            s.ComponentVideo = 0;
        else if (inRange(v, 1, 3))
            s.ComponentVideo = static_cast<std::uint8_t>(v);
        else if (inRange(v, 4, 13) && w.ModelVariant != tavro::ModelVariant::Tavro)
            s.ComponentVideo = static_cast<std::uint8_t>(v);
        else
            s.ComponentVideo = 0;
    }
}

void readSources(SectionReader& in, TTavroSetupMain& w) {
    InputCounts& inputs = w.Inputs;
    const std::int64_t d = in.nextInt();
    inputs.DigitalInputCount = inRange(d, 0, 8) ? static_cast<unsigned>(d) : 6;
    std::string line = in.next();
    if (beginsWith(line, "Component Video")) {
        inputs.ComponentVideoPresent = 1;
        const std::int64_t c = in.nextInt();
        inputs.ComponentVideoCount = inRange(c, 1, 19) ? static_cast<std::int32_t>(c) : 1;
        line = in.next();
    } else {
        inputs.ComponentVideoPresent = 0;  // the count is kept; this line is the source count
    }
    std::int64_t count = intValue(line);
    count = count < 0 ? 0 : count > MaxSources ? MaxSources : count;
    w.SourceCount = static_cast<std::uint8_t>(count);

    w.GBSource.setVisible(w.SourceCount > 0);
    const auto buttons = w.sourceButtons();
    for (int n = 2; n <= MaxSources; ++n) buttons[static_cast<std::size_t>(n - 1)]->setVisible(n <= w.SourceCount);

    for (int n = 1; n <= w.SourceCount; ++n) readSourceBlock(in, w, n, *buttons[static_cast<std::size_t>(n - 1)]);

    w.RebuildZoneAndBalancedLists();
}

void writeSources(SectionWriter& out, const TTavroSetupMain& w) {
    const InputCounts& inputs = w.Inputs;
    out.line(out.num(inputs.DigitalInputCount));
    if (inputs.ComponentVideoPresent == 1) {
        out.line("Component Video");
        out.line(out.num(inputs.ComponentVideoCount));
    }
    out.line(out.num(w.SourceCount));
    for (int n = 1; n <= w.SourceCount && n <= MaxSources; ++n) {
        const SourceRecord& s = w.Sources[static_cast<std::size_t>(n - 1)];
        out.line(s.Name);
        out.line(modeKeywords()[s.Mode >= 1 && s.Mode < ModeCount ? s.Mode : std::uint8_t{ModeMono}]);
        out.line(out.num(s.Sensitivity - 5));
        if (inputs.DigitalInputCount > 0) {
            if (inputs.DigitalInputCount == 8 && w.ModelVariant == tavro::ModelVariant::Tavro)
                out.line(out.num(s.DigitalInput + 1));
            else
                out.line(s.DigitalInput == 0 ? "Off" : out.num(s.DigitalInput));
        }
        out.line(s.PresetAssoc == 0 ? "Off" : s.PresetAssoc == FlatTrimsAssoc ? "Flat" : out.num(s.PresetAssoc));
        if (inputs.ComponentVideoPresent == 1) out.line(s.ComponentVideo == 0 ? "Off" : out.num(s.ComponentVideo));
    }
}

// ---- "[Zone Settings]"

void readZone(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t v = in.nextInt();
    w.CBZoneSource.setItemIndex(inRange(v, 1, w.CBZoneSource.count()) ? static_cast<int>(v - 1) : 0);
    const std::int64_t volume = in.nextInt();
    w.SBZoneVolume.setPosition(inRange(volume, -90, in.volumeTop()) ? static_cast<int>(volume + 20) : -30);
    w.WriteValueLabels();
}

void writeZone(SectionWriter& out, const TTavroSetupMain& w) {
    out.lines({out.num(w.CBZoneSource.itemIndex() + 1), out.num(w.SBZoneVolume.position() - 20)});
}

// ---- "[Balanced Source Settings]"

void readBalanced(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t v = in.nextInt();
    w.CBBalancedSource.setItemIndex(inRange(v, 1, w.CBBalancedSource.count() - 1) ? static_cast<int>(v) : 0);
    in.choice(BalancedRouting);
}

void writeBalanced(SectionWriter& out, const TTavroSetupMain& w) {
    out.line(out.num(w.CBBalancedSource.itemIndex()));
    out.choice(BalancedRouting);
}

const SetupSection Rows[] = {
    {"[Modes]", &M::GBSource, GroupOnRead::Keeps, readModes, writeModes},
    // Shown when it gives at least one source.
    {"[Sources]", &M::GBSource, GroupOnRead::Decides, readSources, writeSources},
    {"[Zone Settings]", &M::GBZone, Shows, readZone, writeZone},
    {"[Balanced Source Settings]", &M::GBBalanced, Shows, readBalanced, writeBalanced},
};

}  // namespace

std::span<const SetupSection> sourceSections() { return Rows; }

}  // namespace tavro
