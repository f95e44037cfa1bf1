// The first part of the table of sections: "[General]", the messages, the
// distance units and the audio sections up to the phones, each read beside
// its writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;
constexpr GroupOnRead Shows = GroupOnRead::Shows;

constexpr RadioChoice ReverbChoices[] = {
    {&M::RBDry, "Dry"}, {&M::RBDry1, "1"}, {&M::RBWetDry2, "2"}, {&M::RBWet3, "3"}, {&M::RBWet, "Wet"}};

// ---- "[General]"

void readGeneral(SectionReader& in, TTavroSetupMain& w) {
    w.setCaption(in.nextText());
    w.AboutLine1 = in.nextText();
    w.AboutLine2 = in.nextText();
    w.ModelVariant = modelVariantFromLine(in.next());
}

void writeGeneral(SectionWriter& out, const TTavroSetupMain& w) {
    out.lines({w.caption(), w.AboutLine1, w.AboutLine2, modelVariantName(w.ModelVariant)});
}

// ---- "[Messages]"

void readMessages(SectionReader& in, TTavroSetupMain& w) {
    const bool skip = beginsWith(in.next(), "Skip");
    w.CheckBoxSkipWelcome.setChecked(skip);
    for (Control* c : std::initializer_list<Control*>{&w.LabelWelcome, &w.EditWelcome1, &w.EditWelcome2})
        c->setEnabled(!skip);
    for (Edit* e : {&w.EditWelcome1, &w.EditWelcome2, &w.EditShutdown1, &w.EditShutdown2})
        e->setText(in.messageText(in.next(), 20));
}

void writeMessages(SectionWriter& out, const TTavroSetupMain& w) {
    out.lines({w.CheckBoxSkipWelcome.checked() ? "Skip" : "Show Welcome", w.EditWelcome1.text(), w.EditWelcome2.text(),
               w.EditShutdown1.text(), w.EditShutdown2.text()});
}

// ---- "[Distance Units]"

void readDistanceUnits(SectionReader& in, TTavroSetupMain& w) {
    const bool feet = beginsWith(in.next(), "Feet");
    if (feet) {
        w.RBFeet.setChecked(true);
        w.RBMeters.setChecked(false);
    } else {
        w.RBMeters.setChecked(true);
        w.RBFeet.setChecked(false);
    }
    w.ApplyDistanceUnit(feet);  // the unit switch of RBFeetClick / RBMetersClick
}

void writeDistanceUnits(SectionWriter& out, const TTavroSetupMain& w) {
    out.line(w.RBFeet.checked() ? "Feet" : "Meters");
}

// ---- "[General Audio Settings]"

void readGeneralAudio(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t volume = in.nextInt();
    w.SBVolume.setPosition(inRange(volume, -90, in.volumeTop()) ? static_cast<int>(volume + 20) : -30);
    const std::int64_t bass = in.nextInt();
    w.SBBass.setPosition(inRange(bass, -12, 12) ? static_cast<int>(bass) : 0);
    const std::int64_t treble = in.nextInt();
    w.SBTreble.setPosition(inRange(treble, -12, 12) ? static_cast<int>(treble) : 0);
    w.WriteValueLabels();
}

void writeGeneralAudio(SectionWriter& out, const TTavroSetupMain& w) {
    out.lines({out.num(w.SBVolume.position() - 20), out.num(w.SBBass.position()), out.num(w.SBTreble.position())});
}

// ---- "[Tone Filters]"

void readToneFilters(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t bass = in.nextInt();
    w.CBToneBFreq.setItemIndex(inRange(bass, 0, 2) ? static_cast<int>(bass) : 0);
    const std::int64_t treble = in.nextInt();
    w.CBToneTFreq.setItemIndex(inRange(treble, 0, 2) ? static_cast<int>(treble) : 2);
}

void writeToneFilters(SectionWriter& out, const TTavroSetupMain& w) {
    out.lines({out.num(w.CBToneBFreq.itemIndex()), out.num(w.CBToneTFreq.itemIndex())});
}

// ---- "[LFE Level]"

void readLfeLevel(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t v = in.nextInt();
    w.SBLFELevel.setPosition(inRange(v, -10, 0) ? static_cast<int>(v) : 0);
    w.WriteValueLabels();
}

void writeLfeLevel(SectionWriter& out, const TTavroSetupMain& w) { out.line(out.num(w.SBLFELevel.position())); }

// ---- "[Analog Bass Management]"

void readAnalogBass(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t v = in.nextInt();
    w.CBAnalogBassMg.setItemIndex(inRange(v, 0, 2) ? static_cast<int>(v) : 0);
}

void writeAnalogBass(SectionWriter& out, const TTavroSetupMain& w) { out.line(out.num(w.CBAnalogBassMg.itemIndex())); }

// ---- "[DPL II/DTS Settings]"

void readDpl(SectionReader& in, TTavroSetupMain& w) {
    DplSettings& d = w.Dpl;
    d.Panorama = beginsWith(in.next(), "Panorama On") ? 1 : 0;
    std::int64_t v = in.nextInt();
    d.CenterWidth = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v) : 1;
    v = in.nextInt();
    d.Dimension = inRange(v, 1, 7) ? static_cast<std::uint8_t>(v) : 1;
    v = in.nextInt();
    d.CenterImage = inRange(v, 1, 6) ? static_cast<std::uint8_t>(v) : 1;
}

void writeDpl(SectionWriter& out, const TTavroSetupMain& w) {
    const DplSettings& d = w.Dpl;
    out.lines({d.Panorama == 1 ? "Panorama On" : "Panorama Off", out.num(d.CenterWidth), out.num(d.Dimension),
               out.num(d.CenterImage)});
}

// ---- "[THX Ultra2 Settings]"

void readThx(SectionReader& in, TTavroSetupMain& w) {
    ThxSettings& t = w.Thx;
    if (beginsWith(in.next(), "Ultra2Sub")) {
        t.Ultra2Sub = 1;
        t.BoundaryGain = beginsWith(in.next(), "BGC On") ? 1 : 0;
    } else {
        t.Ultra2Sub = 0;
        t.BoundaryGain = 0;
        in.next();  // read and ignored
    }
    const std::string asa = in.next();
    t.AsaPosition = beginsWith(asa, "Apart") ? 2 : beginsWith(asa, "Close") ? 1 : 0;
    t.LimiterOn = beginsWith(in.next(), "Limiter On") ? 1 : 0;
    const std::int64_t v = in.nextInt();
    t.LimiterLevel = inRange(v, -50, 0) ? static_cast<std::int32_t>(-v) : 50;
}

void writeThx(SectionWriter& out, const TTavroSetupMain& w) {
    const ThxSettings& t = w.Thx;
    out.lines({t.Ultra2Sub == 1 ? "Ultra2Sub" : "No Ultra2Sub", t.BoundaryGain == 1 ? "BGC On" : "BGC Off",
               t.AsaPosition == 2   ? "Apart"
               : t.AsaPosition == 1 ? "Close"
                                    : "Together",
               t.LimiterOn == 1 ? "Limiter On" : "Limiter Off", out.num(-static_cast<std::int64_t>(t.LimiterLevel))});
}

// ---- "[Reverb Wetness]"

void readReverb(SectionReader& in, TTavroSetupMain&) { in.choice(ReverbChoices); }

void writeReverb(SectionWriter& out, const TTavroSetupMain&) { out.choice(ReverbChoices); }

// ---- "[Phones Volume Offset]"

void readPhones(SectionReader& in, TTavroSetupMain& w) {
    const std::int64_t v = in.nextInt();
    w.SBPhones.setPosition(inRange(v, -20, 10) ? static_cast<int>(v) : 0);
    w.WriteValueLabels();
}

void writePhones(SectionWriter& out, const TTavroSetupMain& w) { out.line(out.num(w.SBPhones.position())); }

const SetupSection Rows[] = {
    {"[General]", nullptr, GroupOnRead::Keeps, readGeneral, writeGeneral},
    {"[Messages]", &M::GBMessages, Shows, readMessages, writeMessages},
    {"[Distance Units]", &M::GBDistanceUnits, Shows, readDistanceUnits, writeDistanceUnits},
    {"[General Audio Settings]", &M::GBGeneralAudio, Shows, readGeneralAudio, writeGeneralAudio},
    {"[Tone Filters]", &M::GBToneFilters, Shows, readToneFilters, writeToneFilters},
    {"[LFE Level]", &M::GBLFElevel, Shows, readLfeLevel, writeLfeLevel},
    {"[Analog Bass Management]", &M::GBAnalogBassMg, Shows, readAnalogBass, writeAnalogBass},
    {"[DPL II/DTS Settings]", &M::GBDPLII, Shows, readDpl, writeDpl},
    {"[THX Ultra2 Settings]", &M::GBTHXUltra, Shows, readThx, writeThx},
    {"[Reverb Wetness]", &M::GBReverb, Shows, readReverb, writeReverb},
    {"[Phones Volume Offset]", &M::GBPhones, Shows, readPhones, writePhones},
};

}  // namespace

std::span<const SetupSection> generalAndAudioSections() { return Rows; }

}  // namespace tavro
