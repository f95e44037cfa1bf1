// The audio sections of a setup file: the general audio settings, tone
// filters, LFE level, analog bass management, the Pro Logic II and THX
// settings, reverb, phones and the auxiliary channels, each read beside its
// writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;

constexpr RadioChoice ReverbChoices[] = {
    {&M::RBDry, "Dry"}, {&M::RBDry1, "1"}, {&M::RBWetDry2, "2"}, {&M::RBWet3, "3"}, {&M::RBWet, "Wet"}};

std::uint8_t filterType(const std::string& line) {
    if (beginsWith(line, "No Filter")) return FilterNone;
    if (beginsWith(line, "Lowpass")) return FilterLowpass;
    return FilterHighpass;
}

const char* filterTypeText(std::uint8_t type) {
    return type == FilterLowpass ? "Lowpass" : type == FilterHighpass ? "Highpass" : "No Filter";
}

bool inRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

FilterFrequencyCode filterFrequency(const std::string& line, std::uint8_t type) {
    const std::int64_t v = intValue(line);
    if (inRange(v, 20, 200)) return static_cast<FilterFrequencyCode>(2 * v / 10 - 4);
    if (v == 250) return 37;
    if (v == 500) return 38;
    if (v == 1000) return 39;
    if (inRange(v, 1002, 18000) && type != FilterHighpass) return static_cast<FilterFrequencyCode>(v / 1000 + 38);
    return DefaultFilterCode;
}

std::string filterFrequencyText(FilterFrequencyCode code) {
    if (code <= 36) return std::to_string(20 + 5 * code);
    if (code == 37) return "250";
    if (code == 38) return "500";
    return std::to_string(1000 * static_cast<std::int64_t>(code) - 38000);
}

}  // namespace

// ---- "[General Audio Settings]"

void SectionReader::generalAudio() {
    const std::int64_t volume = nextInt();
    w_.SBVolume.setPosition(inRange(volume, -90, volumeTop()) ? static_cast<int>(volume + 20) : -30);
    const std::int64_t bass = nextInt();
    w_.SBBass.setPosition(inRange(bass, -12, 12) ? static_cast<int>(bass) : 0);
    const std::int64_t treble = nextInt();
    w_.SBTreble.setPosition(inRange(treble, -12, 12) ? static_cast<int>(treble) : 0);
    w_.WriteValueLabels();
}

void SectionWriter::generalAudio() {
    lines({num(w_.SBVolume.position() - 20), num(w_.SBBass.position()), num(w_.SBTreble.position())});
}

// ---- "[Tone Filters]"

void SectionReader::toneFilters() {
    const std::int64_t bass = nextInt();
    w_.CBToneBFreq.setItemIndex(inRange(bass, 0, 2) ? static_cast<int>(bass) : 0);
    const std::int64_t treble = nextInt();
    w_.CBToneTFreq.setItemIndex(inRange(treble, 0, 2) ? static_cast<int>(treble) : 2);
}

void SectionWriter::toneFilters() { lines({num(w_.CBToneBFreq.itemIndex()), num(w_.CBToneTFreq.itemIndex())}); }

// ---- "[LFE Level]"

void SectionReader::lfeLevel() {
    const std::int64_t v = nextInt();
    w_.SBLFELevel.setPosition(inRange(v, -10, 0) ? static_cast<int>(v) : 0);
    w_.WriteValueLabels();
}

void SectionWriter::lfeLevel() { line(num(w_.SBLFELevel.position())); }

// ---- "[Analog Bass Management]"

void SectionReader::analogBass() {
    const std::int64_t v = nextInt();
    w_.CBAnalogBassMg.setItemIndex(inRange(v, 0, 2) ? static_cast<int>(v) : 0);
}

void SectionWriter::analogBass() { line(num(w_.CBAnalogBassMg.itemIndex())); }

// ---- "[DPL II/DTS Settings]"

void SectionReader::dpl() {
    DplSettings& d = w_.Dpl;
    d.Panorama = beginsWith(next(), "Panorama On") ? 1 : 0;
    std::int64_t v = nextInt();
    d.CenterWidth = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v) : 1;
    v = nextInt();
    d.Dimension = inRange(v, 1, 7) ? static_cast<std::uint8_t>(v) : 1;
    v = nextInt();
    d.CenterImage = inRange(v, 1, 6) ? static_cast<std::uint8_t>(v) : 1;
}

void SectionWriter::dpl() {
    const DplSettings& d = w_.Dpl;
    lines({d.Panorama == 1 ? "Panorama On" : "Panorama Off", num(d.CenterWidth), num(d.Dimension),
           num(d.CenterImage)});
}

// ---- "[THX Ultra2 Settings]"

void SectionReader::thx() {
    ThxSettings& t = w_.Thx;
    if (beginsWith(next(), "Ultra2Sub")) {
        t.Ultra2Sub = 1;
        t.BoundaryGain = beginsWith(next(), "BGC On") ? 1 : 0;
    } else {
        t.Ultra2Sub = 0;
        t.BoundaryGain = 0;
        next();  // read and ignored
    }
    const std::string asa = next();
    t.AsaPosition = beginsWith(asa, "Apart") ? 2 : beginsWith(asa, "Close") ? 1 : 0;
    t.LimiterOn = beginsWith(next(), "Limiter On") ? 1 : 0;
    const std::int64_t v = nextInt();
    t.LimiterLevel = inRange(v, -50, 0) ? static_cast<std::int32_t>(-v) : 50;
}

void SectionWriter::thx() {
    const ThxSettings& t = w_.Thx;
    lines({t.Ultra2Sub == 1 ? "Ultra2Sub" : "No Ultra2Sub", t.BoundaryGain == 1 ? "BGC On" : "BGC Off",
           t.AsaPosition == 2 ? "Apart" : t.AsaPosition == 1 ? "Close" : "Together",
           t.LimiterOn == 1 ? "Limiter On" : "Limiter Off", num(-static_cast<std::int64_t>(t.LimiterLevel))});
}

// ---- "[Reverb Wetness]"

void SectionReader::reverb() { choice(ReverbChoices); }

void SectionWriter::reverb() { choice(ReverbChoices); }

// ---- "[Phones Volume Offset]"

void SectionReader::phones() {
    const std::int64_t v = nextInt();
    w_.SBPhones.setPosition(inRange(v, -20, 10) ? static_cast<int>(v) : 0);
    w_.WriteValueLabels();
}

void SectionWriter::phones() { line(num(w_.SBPhones.position())); }

// ---- "[Aux Channel Settings]"

void SectionReader::auxChannel(AuxMixFilter& rec, ListBox& levelList, ListBox& delayList) {
    level(levelList);
    const int delay = findItem(delayList.items(), next());
    delayList.setItemIndex(delay >= 0 ? delay : 0);
    rec.Filter1Freq = DefaultFilterCode;
    rec.Filter2Freq = DefaultFilterCode;
    rec.Filter1Type = filterType(next());
    rec.Filter1Freq = filterFrequency(next(), rec.Filter1Type);
    rec.Filter2Type = filterType(next());
    rec.Filter2Freq = filterFrequency(next(), rec.Filter2Type);
    for (std::int8_t& mix : rec.Mix) {
        const std::int64_t v = nextInt();
        mix = inRange(v, -100, 100) ? static_cast<std::int8_t>(v) : 0;
    }
}

void SectionWriter::auxChannel(const AuxMixFilter& rec, const ListBox& levelList, const ListBox& delayList) {
    line(levelText(levelList.itemIndex()));
    line(delayList.text());
    line(filterTypeText(rec.Filter1Type));
    line(filterFrequencyText(rec.Filter1Freq));
    line(filterTypeText(rec.Filter2Type));
    line(filterFrequencyText(rec.Filter2Freq));
    for (std::int8_t mix : rec.Mix) line(num(mix));
}

void SectionReader::auxChannels() {
    TTavroSetupMain& w = w_;
    const bool two = nextInt() == 2;
    for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
        c->setVisible(two);
    auxChannel(w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
    if (two) auxChannel(w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
}

void SectionWriter::auxChannels() {
    const TTavroSetupMain& w = w_;
    const bool two = w.ButtonCh10MixFilter.visible();
    line(two ? "2" : "1");
    auxChannel(w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
    if (two) auxChannel(w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
}

}  // namespace tavro
