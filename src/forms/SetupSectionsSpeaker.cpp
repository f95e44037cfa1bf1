// The speaker part of the table of sections: "[Speaker Settings]", "[Back
// Speaker Settings]" and "[Aux Channel Settings]", each read beside its
// writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;
constexpr GroupOnRead Shows = GroupOnRead::Shows;

constexpr int LevelZeroDb = 30;

// "No", "Small", "Large" for item 0, 1, 2.
int sizeIndex(const std::string& line) {
    if (beginsWith(line, "Small")) return 1;
    if (beginsWith(line, "Large")) return 2;
    return 0;
}

const char* sizeText(int index) { return index == 1 ? "Small" : index == 2 ? "Large" : "No"; }

std::uint8_t filterType(const std::string& line) {
    if (beginsWith(line, "No Filter")) return FilterNone;
    if (beginsWith(line, "Lowpass")) return FilterLowpass;
    return FilterHighpass;
}

const char* filterTypeText(std::uint8_t type) {
    return type == FilterLowpass ? "Lowpass" : type == FilterHighpass ? "Highpass" : "No Filter";
}

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

// ---- "[Speaker Settings]"

void readSpeakers(SectionReader& in, TTavroSetupMain& w) {
    const int front = beginsWith(in.next(), "Small") ? FrontSmall : FrontLarge;
    w.CBLeftS.setItemIndex(front);
    w.CBRightS.setItemIndex(front);
    in.level(w.CBLeftL);
    in.level(w.CBRightL);
    in.distance(w.CBLeftD);
    in.distance(w.CBRightD);

    const int center = sizeIndex(in.next());
    w.CBCenterS.setItemIndex(center);
    if (center != SizeNo) {
        in.level(w.CBCenterL);
        in.distance(w.CBCenterD);
    } else {
        w.CBCenterL.setItemIndex(LevelZeroDb);
        w.CBCenterD.setItemIndex(0);
    }

    const int surround = sizeIndex(in.next());
    w.CBLeftSS.setItemIndex(surround);
    w.CBRightSS.setItemIndex(surround);
    if (surround != SizeNo) {
        in.level(w.CBLeftSL);
        in.level(w.CBRightSL);
        in.distance(w.CBLeftSD);
        in.distance(w.CBRightSD);
    } else {
        w.CBLeftSL.setItemIndex(LevelZeroDb);
        w.CBRightSL.setItemIndex(LevelZeroDb);
        w.CBLeftSD.setItemIndex(0);
        w.CBRightSD.setItemIndex(0);
    }

    const bool sub = !beginsWith(in.next(), "No");
    if (!sub) {
        w.CBSubS.setItemIndex(SizeNo);
        w.CBLeftS.setItemIndex(FrontLarge);
        w.CBRightS.setItemIndex(FrontLarge);
    } else {
        w.CBSubS.setItemIndex(SubYes);
    }
    w.ApplySpeakerEnabling();
    if (sub) {
        in.level(w.CBSubL);
        in.distance(w.CBSubD);
    } else {
        w.CBSubL.setItemIndex(LevelZeroDb);
        w.CBSubD.setItemIndex(0);
    }

    const bool filter = beginsWith(in.next(), "Filter On");
    w.CheckBoxSubFilter.setChecked(filter);
    w.CBSubFilter.setEnabled(filter);

    const std::int64_t hz = in.nextInt();
    w.CBSubFilter.setItemIndex(inRange(hz, 20, 200) && hz % 5 == 0 ? static_cast<int>(hz / 5 - 4) : 12);

    // The file's state counts, also with the subwoofer "No": the box
    // takes it live, and the step after the read puts it aside.
    w.CheckBoxEnhancedBass.setEnabled(true);
    w.CheckBoxEnhancedBass.setChecked(beginsWith(in.next(), "Enhanced On"));
}

void writeSpeakers(SectionWriter& out, const TTavroSetupMain& w) {
    out.line(w.CBLeftS.itemIndex() != 0 ? "Large" : "Small");
    out.line(levelText(w.CBLeftL.itemIndex()));
    out.line(levelText(w.CBRightL.itemIndex()));
    out.line(w.CBLeftD.text());
    out.line(w.CBRightD.text());
    out.line(sizeText(w.CBCenterS.itemIndex()));
    if (w.CBCenterS.itemIndex() != 0) {
        out.line(levelText(w.CBCenterL.itemIndex()));
        out.line(w.CBCenterD.text());
    }
    out.line(sizeText(w.CBLeftSS.itemIndex()));
    if (w.CBLeftSS.itemIndex() != 0) {
        out.line(levelText(w.CBLeftSL.itemIndex()));
        out.line(levelText(w.CBRightSL.itemIndex()));
        out.line(w.CBLeftSD.text());
        out.line(w.CBRightSD.text());
    }
    const bool sub = w.CBSubS.itemIndex() == 1;
    out.line(sub ? "Yes" : "No");
    if (sub) {
        out.line(levelText(w.CBSubL.itemIndex()));
        out.line(w.CBSubD.text());
    }
    out.line(w.CheckBoxSubFilter.checked() ? "Filter On" : "Filter Off");
    out.line(out.num(20 + 5 * w.CBSubFilter.itemIndex()));
    out.line(w.CheckBoxEnhancedBass.checked() ? "Enhanced On" : "Enhanced Off");
}

// ---- "[Back Speaker Settings]"

void oneBackSpeakerCaptions(TTavroSetupMain& w) {
    w.LabelLBack.setCaption("Back:");
    w.CheckBoxRBack.setCaption("2 Back Spks:");
}

void readBackSpeakers(SectionReader& in, TTavroSetupMain& w) {
    if (in.nextInt() == 1) {
        w.CheckBoxRBack.setChecked(false);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(false);
        oneBackSpeakerCaptions(w);
    } else {
        w.CheckBoxRBack.setChecked(true);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(true);
        w.LabelLBack.setCaption("Left Back:");
        w.CheckBoxRBack.setCaption("Right Back:");
    }

    const int size = sizeIndex(in.next());
    w.CBLeftBS.setItemIndex(size);
    w.CBRightBS.setItemIndex(size);
    if (size == SizeNo) {
        w.CheckBoxRBack.setChecked(false);
        w.CheckBoxRBack.setEnabled(false);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD, &w.CBLeftBL, &w.CBLeftBD}) l->setEnabled(false);
        oneBackSpeakerCaptions(w);
        return;
    }
    const bool two = w.CheckBoxRBack.checked();
    in.level(w.CBLeftBL);
    if (two) in.level(w.CBRightBL);
    in.distance(w.CBLeftBD);
    if (two) in.distance(w.CBRightBD, 30);
}

void writeBackSpeakers(SectionWriter& out, const TTavroSetupMain& w) {
    const bool two = w.CheckBoxRBack.checked();
    out.line(two ? "2" : "1");
    out.line(sizeText(w.CBLeftBS.itemIndex()));
    if (w.CBLeftBS.itemIndex() != 0) {
        out.line(levelText(w.CBLeftBL.itemIndex()));
        if (two) out.line(levelText(w.CBRightBL.itemIndex()));
        out.line(w.CBLeftBD.text());
        if (two) out.line(w.CBRightBD.text());
    }
}

// ---- "[Aux Channel Settings]"

void readAuxChannel(SectionReader& in, AuxMixFilter& rec, ListBox& levelList, ListBox& delayList) {
    in.level(levelList);
    const int delay = findItem(delayList.items(), in.next());
    delayList.setItemIndex(delay >= 0 ? delay : 0);
    rec.Filter1Freq = DefaultFilterCode;
    rec.Filter2Freq = DefaultFilterCode;
    rec.Filter1Type = filterType(in.next());
    rec.Filter1Freq = filterFrequency(in.next(), rec.Filter1Type);
    rec.Filter2Type = filterType(in.next());
    rec.Filter2Freq = filterFrequency(in.next(), rec.Filter2Type);
    for (std::int8_t& mix : rec.Mix) {
        const std::int64_t v = in.nextInt();
        mix = inRange(v, -100, 100) ? static_cast<std::int8_t>(v) : 0;
    }
}

void writeAuxChannel(SectionWriter& out, const AuxMixFilter& rec, const ListBox& levelList, const ListBox& delayList) {
    out.line(levelText(levelList.itemIndex()));
    out.line(delayList.text());
    out.line(filterTypeText(rec.Filter1Type));
    out.line(filterFrequencyText(rec.Filter1Freq));
    out.line(filterTypeText(rec.Filter2Type));
    out.line(filterFrequencyText(rec.Filter2Freq));
    for (std::int8_t mix : rec.Mix) out.line(out.num(mix));
}

// One aux channel or two: channel 10's row is shown or hidden, and the level
// and delay columns and the group box are as tall as the rows they show.
void showAuxChannelCount(TTavroSetupMain& w, bool two) {
    for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
        c->setVisible(two);
    w.PanelLevel3.setHeight(two ? 56 : 32);
    w.PanelDelay3.setHeight(two ? 56 : 32);
    w.GBCh9_10.setHeight(two ? 76 : 56);
}

void readAuxChannels(SectionReader& in, TTavroSetupMain& w) {
    const bool two = in.nextInt() == 2;
    showAuxChannelCount(w, two);
    readAuxChannel(in, w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
    if (two) readAuxChannel(in, w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
}

void writeAuxChannels(SectionWriter& out, const TTavroSetupMain& w) {
    const bool two = w.ButtonCh10MixFilter.visible();
    out.line(two ? "2" : "1");
    writeAuxChannel(out, w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
    if (two) writeAuxChannel(out, w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
}

const SetupSection Rows[] = {
    {"[Speaker Settings]", &M::GBSpeaker, Shows, readSpeakers, writeSpeakers},
    {"[Back Speaker Settings]", &M::GBBackSpeaker, Shows, readBackSpeakers, writeBackSpeakers},
    {"[Aux Channel Settings]", &M::GBCh9_10, Shows, readAuxChannels, writeAuxChannels},
};

}  // namespace

std::span<const SetupSection> speakerSections() { return Rows; }

}  // namespace tavro
