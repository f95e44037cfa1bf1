// The table of the setup file's sections, the line forms the sections
// share, and the sections of the file's frame ("[General]", "[Options]")
// and of the triggers and presets.
#include "forms/SetupSections.h"

#include "files/OptionsBlock.h"
#include "model/DisplayCharacters.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;
using R = SectionReader;
using W = SectionWriter;

constexpr GroupOnRead Shows = GroupOnRead::Shows;

// In the order of a written file. Three dependencies make this the order to
// keep: "[General]" sets the model that the volume, source and zone checks
// use; "[Sources]" rebuilds the lists that "[Zone Settings]" and "[Balanced
// Source Settings]" select in; "[Distance Units]" switches the distance lists
// before the speaker sections select in them.
const SetupSection Sections[] = {
    {"[General]", nullptr, GroupOnRead::Keeps, &R::general, &W::general},
    {"[Messages]", &M::GBMessages, Shows, &R::messages, &W::messages},
    {"[Distance Units]", &M::GBDistanceUnits, Shows, &R::distanceUnits, &W::distanceUnits},
    {"[General Audio Settings]", &M::GBGeneralAudio, Shows, &R::generalAudio, &W::generalAudio},
    {"[Tone Filters]", &M::GBToneFilters, Shows, &R::toneFilters, &W::toneFilters},
    {"[LFE Level]", &M::GBLFElevel, Shows, &R::lfeLevel, &W::lfeLevel},
    {"[Analog Bass Management]", &M::GBAnalogBassMg, Shows, &R::analogBass, &W::analogBass},
    {"[DPL II/DTS Settings]", &M::GBDPLII, Shows, &R::dpl, &W::dpl},
    {"[THX Ultra2 Settings]", &M::GBTHXUltra, Shows, &R::thx, &W::thx},
    {"[Reverb Wetness]", &M::GBReverb, Shows, &R::reverb, &W::reverb},
    {"[Phones Volume Offset]", &M::GBPhones, Shows, &R::phones, &W::phones},
    {"[Modes]", &M::GBSource, GroupOnRead::Keeps, &R::modes, &W::modes},
    // Shown when it gives at least one source.
    {"[Sources]", &M::GBSource, GroupOnRead::Decides, &R::sources, &W::sources},
    {"[Zone Settings]", &M::GBZone, Shows, &R::zone, &W::zone},
    {"[Balanced Source Settings]", &M::GBBalanced, Shows, &R::balanced, &W::balanced},
    {"[Speaker Settings]", &M::GBSpeaker, Shows, &R::speakers, &W::speakers},
    {"[Back Speaker Settings]", &M::GBBackSpeaker, Shows, &R::backSpeakers, &W::backSpeakers},
    {"[Aux Channel Settings]", &M::GBCh9_10, Shows, &R::auxChannels, &W::auxChannels},
    {"[Blueback Video Format]", &M::GBBluebackFormat, Shows, &R::videoFormat, &W::videoFormat},
    {"[OSD Setup Mode]", &M::GBSetupMode, Shows, &R::setupMode, &W::setupMode},
    {"[Temporary Display]", &M::GBTemporary, Shows, &R::temporaryDisplay, &W::temporaryDisplay},
    {"[OSD Input Select]", &M::GBOSDInput, Shows, &R::osdInput, &W::osdInput},
    {"[OSD Output Routing]", &M::GBOSDOutput, Shows, &R::osdOutput, &W::osdOutput},
    {"[Factory Default Color Settings]", &M::GBFactory, Shows, &R::factoryColors, &W::factoryColors},
    {"[OSD Style]", &M::GBOSDStyle, Shows, &R::osdStyle, &W::osdStyle},
    {"[Trigger 1]", &M::GBTrigger1, Shows, &R::trigger<1>, &W::trigger<1>},
    {"[Trigger 2]", &M::GBTrigger2, Shows, &R::trigger<2>, &W::trigger<2>},
    {"[Preset 1]", &M::GBPanel1, Shows, &R::preset<1>, &W::preset<1>},
    {"[Preset 2]", &M::GBPanel2, Shows, &R::preset<2>, &W::preset<2>},
    {"[Preset 3]", &M::GBPanel3, Shows, &R::preset<3>, &W::preset<3>},
    {"[Preset 4]", &M::GBPanel4, Shows, &R::preset<4>, &W::preset<4>},
    {"[Preset 5]", &M::GBPanel5, Shows, &R::preset<5>, &W::preset<5>},
    {OptionsHeader, nullptr, GroupOnRead::Keeps, &R::options, &W::options},
};

// "+3 dB", "0 dB", "-3 dB".
std::string presetLevelLabel(int db) { return (db > 0 ? "+" : "") + std::to_string(db) + " dB"; }

}  // namespace

std::span<const SetupSection> setupSections() { return Sections; }

const SetupSection* findSetupSection(std::string_view line) {
    for (const SetupSection& s : Sections)
        if (beginsWith(line, s.header)) return &s;
    return nullptr;
}

// ---- line forms shared by the sections

void SectionReader::level(ListBox& list) { list.setItemIndex(levelIndexFromLine(next())); }

void SectionReader::distance(ListBox& list, int notFound) {
    const std::string line = next();
    int i = findItem(w_.FeetItems, line);
    if (i < 0) i = findItem(w_.MeterItems, line);
    list.setItemIndex(i >= 0 ? i : notFound);
}

RadioButton& SectionReader::choice(std::span<const RadioChoice> choices) {
    const std::string line = next();
    const RadioChoice* chosen = &choices.back();
    for (const RadioChoice& c : choices.first(choices.size() - 1))
        if (beginsWith(line, c.keyword)) {
            chosen = &c;
            break;
        }
    RadioButton& button = w_.*chosen->button;
    button.setChecked(true);
    return button;
}

std::string SectionReader::messageText(const std::string& line, std::size_t n) {
    return filterDisplayText(line.substr(0, n));
}

// -20, and 8 for the 4820 (its top position 28 written as 8).
std::int64_t SectionReader::volumeTop() const { return w_.ModelVariant == tavro::ModelVariant::M4820 ? 8 : -20; }

void SectionWriter::line(const std::string& text) {
    out_ += text;
    out_ += LineEnd;
}

void SectionWriter::end() { out_ += LineEnd; }

void SectionWriter::lines(std::initializer_list<std::string> texts) {
    for (const std::string& l : texts) line(l);
}

void SectionWriter::choice(std::span<const RadioChoice> choices) {
    for (const RadioChoice& c : choices.first(choices.size() - 1))
        if ((w_.*c.button).checked()) return line(c.keyword);
    line(choices.back().keyword);
}

// ---- "[General]"

void SectionReader::general() {
    w_.setCaption(next());
    w_.AboutLine1 = next();
    w_.AboutLine2 = next();
    w_.ModelVariant = modelVariantFromLine(next());
}

void SectionWriter::general() {
    lines({w_.caption(), w_.AboutLine1, w_.AboutLine2, modelVariantName(w_.ModelVariant)});
}

// ---- "[Trigger 1]", "[Trigger 2]"

namespace {
constexpr RadioChoice Trigger1Polarity[] = {{&M::RB1Positive, "Positive"}, {&M::RB1Negative, "Negative"}};
constexpr RadioChoice Trigger2Polarity[] = {{&M::RB2Positive, "Positive"}, {&M::RB2Negative, "Negative"}};
}  // namespace

void SectionReader::trigger(int n) {
    TTavroSetupMain& w = w_;
    const bool one = n == 1;
    ListBox& source = one ? w.CBTrigger1Source : w.CBTrigger2Source;
    ListBox& delay = one ? w.CBTrigger1Delay : w.CBTrigger2Delay;
    ListBox& duration = one ? w.CB1Duration : w.CB2Duration;

    // The number is kept as it is until RefreshAfterLoad judges it
    // against the rebuilt list; placeholders make room for it meanwhile.
    const std::int64_t v = nextInt();
    const int index = inRange(v, 1, 28) ? static_cast<int>(v - 1) : 0;
    while (source.count() <= index) source.addItem(" ");
    source.setItemIndex(index);

    int i = findItem(delay.items(), next());
    delay.setItemIndex(i >= 0 ? i : 0);
    i = findItem(duration.items(), next());
    duration.setItemIndex(i >= 0 ? i : 16);
    choice(one ? Trigger1Polarity : Trigger2Polarity);
    w.TriggerEventMask = static_cast<std::uint16_t>(parseInteger(next()).low32 & 2047u);
}

void SectionWriter::trigger(int n) {
    const TTavroSetupMain& w = w_;
    const bool one = n == 1;
    line(num((one ? w.CBTrigger1Source : w.CBTrigger2Source).itemIndex() + 1));
    line((one ? w.CBTrigger1Delay : w.CBTrigger2Delay).text());
    line((one ? w.CB1Duration : w.CB2Duration).text());
    choice(one ? Trigger1Polarity : Trigger2Polarity);
    line(num(w.TriggerEventMask));
}

// ---- "[Preset 1]" .. "[Preset 5]"

void SectionReader::preset(int n) {
    TTavroSetupMain::PresetPanel panel = w_.presetPanel(n);
    PresetSettings& p = w_.Presets[static_cast<std::size_t>(n - 1)];
    for (int f = 0; f < 5; ++f) {
        const std::int64_t v = nextInt();
        if (!inRange(v, -12, 12)) continue;
        p.field(f) = static_cast<std::uint8_t>(v + 12);
        panel.values[static_cast<std::size_t>(f)]->setCaption(presetLevelLabel(static_cast<int>(v)));
    }
    const std::int64_t ms = nextInt();
    if (inRange(ms, 0, 150)) {
        p.Lipsync = static_cast<std::uint8_t>(ms);
        panel.values[5]->setCaption(std::to_string(ms) + " ms");
    }
}

void SectionWriter::preset(int n) {
    const PresetSettings& p = w_.Presets[static_cast<std::size_t>(n - 1)];
    for (int f = 0; f < 5; ++f) line(num(p.field(f) - 12));
    line(num(p.Lipsync));
}

// ---- "[Options]"

void SectionReader::options() {
    std::array<std::string, OptionsLineCount> lines;
    for (std::string& l : lines) l = next();
    readOptionsLines(lines, w_.Opts);
}

void SectionWriter::options() {
    for (const std::string& l : optionsLines(w_.Opts)) line(l);
}

}  // namespace tavro
