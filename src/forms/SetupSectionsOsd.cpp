// The last part of the table of sections: the on-screen display sections,
// the triggers, the presets and "[Options]", each read beside its writer.
#include "files/OptionsBlock.h"
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;
constexpr GroupOnRead Shows = GroupOnRead::Shows;

constexpr RadioChoice SetupModeChoices[] = {{&M::RBBlueback, "Blueback"}, {&M::RBSuperimpose, "Superimpose"}};
constexpr RadioChoice TemporaryChoices[] = {
    {&M::RBTempFull, "Full"}, {&M::RBTempSimple, "Simple"}, {&M::RBNoTemp, "No"}};
constexpr RadioChoice OsdInputChoices[] = {{&M::RBOSDInputAuto, "Auto"},
                                           {&M::RBOSDInputCs, "Composite Video"},
                                           {&M::RBOSDInputSvideo, "S-Video"},
                                           {&M::RBOSDInputOff, "Off"}};
constexpr RadioChoice OsdOutputChoices[] = {{&M::RBOSDOutputBoth, "Both"},
                                            {&M::RBOSDOutputCs, "Composite Video"},
                                            {&M::RBOSDOutputSvideo, "S-Video"},
                                            {&M::RBOSDOutputNo, "Off"}};

// The colour lists and the change rule each one runs after a read.
struct ColorList {
    ListBox TTavroSetupMain::*list;
    void (TTavroSetupMain::*rule)();
};
constexpr ColorList FactoryColors[] = {{&M::CBBackgroundColor, &M::CBBackgroundColorChange},
                                       {&M::CBCharacterColor, &M::CBCharacterColorChange},
                                       {&M::CBErrorColor, &M::CBErrorColorChange}};

constexpr RadioChoice Trigger1Polarity[] = {{&M::RB1Positive, "Positive"}, {&M::RB1Negative, "Negative"}};
constexpr RadioChoice Trigger2Polarity[] = {{&M::RB2Positive, "Positive"}, {&M::RB2Negative, "Negative"}};

// "+3 dB", "0 dB", "-3 dB".
std::string presetLevelLabel(int db) { return (db > 0 ? "+" : "") + std::to_string(db) + " dB"; }

// ---- "[Blueback Video Format]": "PAL" is written only while RBPAL is
// checked, and read for anything but "NTSC".

void readVideoFormat(SectionReader& in, TTavroSetupMain& w) {
    (beginsWith(in.next(), "NTSC") ? w.RBNTSC : w.RBPAL).setChecked(true);
}

void writeVideoFormat(SectionWriter& out, const TTavroSetupMain& w) { out.line(w.RBPAL.checked() ? "PAL" : "NTSC"); }

// ---- "[OSD Setup Mode]", "[Temporary Display]", "[OSD Input Select]"

void readSetupMode(SectionReader& in, TTavroSetupMain&) { in.choice(SetupModeChoices); }

void writeSetupMode(SectionWriter& out, const TTavroSetupMain&) { out.choice(SetupModeChoices); }

void readTemporaryDisplay(SectionReader& in, TTavroSetupMain&) { in.choice(TemporaryChoices); }

void writeTemporaryDisplay(SectionWriter& out, const TTavroSetupMain&) { out.choice(TemporaryChoices); }

void readOsdInput(SectionReader& in, TTavroSetupMain&) { in.choice(OsdInputChoices); }

void writeOsdInput(SectionWriter& out, const TTavroSetupMain&) { out.choice(OsdInputChoices); }

// ---- "[OSD Output Routing]": without an output the OSD settings are
// disabled (the OSD output rule).

void readOsdOutput(SectionReader& in, TTavroSetupMain& w) {
    w.ApplyOsdEnabling(true);
    if (&in.choice(OsdOutputChoices) == &w.RBOSDOutputNo) w.ApplyOsdEnabling(false);
}

void writeOsdOutput(SectionWriter& out, const TTavroSetupMain&) { out.choice(OsdOutputChoices); }

// ---- "[Factory Default Color Settings]"

void readFactoryColors(SectionReader& in, TTavroSetupMain& w) {
    for (const ColorList& c : FactoryColors) {
        ListBox& list = w.*c.list;
        const int i = findItem(list.items(), in.next());
        if (i >= 0) list.setItemIndex(i);
        (w.*c.rule)();
    }
}

void writeFactoryColors(SectionWriter& out, const TTavroSetupMain& w) {
    for (const ColorList& c : FactoryColors) out.line((w.*c.list).text());
}

// ---- "[OSD Style]"

void readOsdStyle(SectionReader& in, TTavroSetupMain& w) {
    const int i = findItem(w.CBOSDStyle.items(), in.next());
    w.CBOSDStyle.setItemIndex(i >= 0 ? i : 0);
    w.CBOSDStyleChange();
}

void writeOsdStyle(SectionWriter& out, const TTavroSetupMain& w) { out.line(w.CBOSDStyle.text()); }

// ---- "[Trigger 1]", "[Trigger 2]"

template <int N>
void readTrigger(SectionReader& in, TTavroSetupMain& w) {
    constexpr bool one = N == 1;
    ListBox& source = one ? w.CBTrigger1Source : w.CBTrigger2Source;
    ListBox& delay = one ? w.CBTrigger1Delay : w.CBTrigger2Delay;
    ListBox& duration = one ? w.CB1Duration : w.CB2Duration;

    // The number is kept as it is until RefreshAfterLoad judges it
    // against the rebuilt list; placeholders make room for it meanwhile.
    const std::int64_t v = in.nextInt();
    const int index = inRange(v, 1, 28) ? static_cast<int>(v - 1) : 0;
    while (source.count() <= index) source.addItem(" ");
    source.setItemIndex(index);

    int i = findItem(delay.items(), in.next());
    delay.setItemIndex(i >= 0 ? i : 0);
    i = findItem(duration.items(), in.next());
    duration.setItemIndex(i >= 0 ? i : 16);
    in.choice(one ? Trigger1Polarity : Trigger2Polarity);
    w.TriggerEventMask = static_cast<std::uint16_t>(parseInteger(in.next()).low32 & 2047u);
}

template <int N>
void writeTrigger(SectionWriter& out, const TTavroSetupMain& w) {
    constexpr bool one = N == 1;
    out.line(out.num((one ? w.CBTrigger1Source : w.CBTrigger2Source).itemIndex() + 1));
    out.line((one ? w.CBTrigger1Delay : w.CBTrigger2Delay).text());
    out.line((one ? w.CB1Duration : w.CB2Duration).text());
    out.choice(one ? Trigger1Polarity : Trigger2Polarity);
    out.line(out.num(w.TriggerEventMask));
}

// ---- "[Preset 1]" .. "[Preset 5]"

template <int N>
void readPreset(SectionReader& in, TTavroSetupMain& w) {
    TTavroSetupMain::PresetPanel panel = w.presetPanel(N);
    PresetSettings& p = w.Presets[static_cast<std::size_t>(N - 1)];
    for (int f = 0; f < 5; ++f) {
        const std::int64_t v = in.nextInt();
        if (!inRange(v, -12, 12)) continue;
        p.field(f) = static_cast<std::uint8_t>(v + 12);
        panel.values[static_cast<std::size_t>(f)]->setCaption(presetLevelLabel(static_cast<int>(v)));
    }
    const std::int64_t ms = in.nextInt();
    if (inRange(ms, 0, 150)) {
        p.Lipsync = static_cast<std::uint8_t>(ms);
        panel.values[5]->setCaption(std::to_string(ms) + " ms");
    }
}

template <int N>
void writePreset(SectionWriter& out, const TTavroSetupMain& w) {
    const PresetSettings& p = w.Presets[static_cast<std::size_t>(N - 1)];
    for (int f = 0; f < 5; ++f) out.line(out.num(p.field(f) - 12));
    out.line(out.num(p.Lipsync));
}

// ---- "[Options]"

void readOptions(SectionReader& in, TTavroSetupMain& w) {
    std::array<std::string, OptionsLineCount> lines;
    for (std::string& l : lines) l = in.next();
    readOptionsLines(lines, w.Opts);
}

void writeOptions(SectionWriter& out, const TTavroSetupMain& w) {
    for (const std::string& l : optionsLines(w.Opts)) out.line(l);
}

const SetupSection Rows[] = {
    {"[Blueback Video Format]", &M::GBBluebackFormat, Shows, readVideoFormat, writeVideoFormat},
    {"[OSD Setup Mode]", &M::GBSetupMode, Shows, readSetupMode, writeSetupMode},
    {"[Temporary Display]", &M::GBTemporary, Shows, readTemporaryDisplay, writeTemporaryDisplay},
    {"[OSD Input Select]", &M::GBOSDInput, Shows, readOsdInput, writeOsdInput},
    {"[OSD Output Routing]", &M::GBOSDOutput, Shows, readOsdOutput, writeOsdOutput},
    {"[Factory Default Color Settings]", &M::GBFactory, Shows, readFactoryColors, writeFactoryColors},
    {"[OSD Style]", &M::GBOSDStyle, Shows, readOsdStyle, writeOsdStyle},
    {"[Trigger 1]", &M::GBTrigger1, Shows, readTrigger<1>, writeTrigger<1>},
    {"[Trigger 2]", &M::GBTrigger2, Shows, readTrigger<2>, writeTrigger<2>},
    {"[Preset 1]", &M::GBPanel1, Shows, readPreset<1>, writePreset<1>},
    {"[Preset 2]", &M::GBPanel2, Shows, readPreset<2>, writePreset<2>},
    {"[Preset 3]", &M::GBPanel3, Shows, readPreset<3>, writePreset<3>},
    {"[Preset 4]", &M::GBPanel4, Shows, readPreset<4>, writePreset<4>},
    {"[Preset 5]", &M::GBPanel5, Shows, readPreset<5>, writePreset<5>},
    {files::OptionsHeader, nullptr, GroupOnRead::Keeps, readOptions, writeOptions},
};

}  // namespace

std::span<const SetupSection> osdAndPresetSections() { return Rows; }

}  // namespace tavro
