// The speaker sections of a setup file: "[Distance Units]", "[Speaker
// Settings]" and "[Back Speaker Settings]", each read beside its writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

constexpr int LevelZeroDb = 30;

// "No", "Small", "Large" for item 0, 1, 2.
int sizeIndex(const std::string& line) {
    if (beginsWith(line, "Small")) return 1;
    if (beginsWith(line, "Large")) return 2;
    return 0;
}

const char* sizeText(int index) { return index == 1 ? "Small" : index == 2 ? "Large" : "No"; }

}  // namespace

// ---- "[Distance Units]"

void SectionReader::distanceUnits() {
    const bool feet = beginsWith(next(), "Feet");
    if (feet) {
        w_.RBFeet.setChecked(true);
        w_.RBMeters.setChecked(false);
    } else {
        w_.RBMeters.setChecked(true);
        w_.RBFeet.setChecked(false);
    }
    w_.ApplyDistanceUnit(feet);  // the unit switch of RBFeetClick / RBMetersClick
}

void SectionWriter::distanceUnits() { line(w_.RBFeet.checked() ? "Feet" : "Meters"); }

// ---- "[Speaker Settings]"

void SectionReader::speakers() {
    TTavroSetupMain& w = w_;

    const int front = beginsWith(next(), "Small") ? 0 : 1;
    w.CBLeftS.setItemIndex(front);
    w.CBRightS.setItemIndex(front);
    level(w.CBLeftL);
    level(w.CBRightL);
    distance(w.CBLeftD);
    distance(w.CBRightD);

    const int center = sizeIndex(next());
    w.CBCenterS.setItemIndex(center);
    w.CBCenterL.setEnabled(center != 0);
    w.CBCenterD.setEnabled(center != 0);
    if (center != 0) {
        level(w.CBCenterL);
        distance(w.CBCenterD);
    } else {
        w.CBCenterL.setItemIndex(LevelZeroDb);
        w.CBCenterD.setItemIndex(0);
    }

    const int surround = sizeIndex(next());
    w.CBLeftSS.setItemIndex(surround);
    w.CBRightSS.setItemIndex(surround);
    for (ListBox* l : {&w.CBLeftSL, &w.CBRightSL, &w.CBLeftSD, &w.CBRightSD}) l->setEnabled(surround != 0);
    if (surround != 0) {
        level(w.CBLeftSL);
        level(w.CBRightSL);
        distance(w.CBLeftSD);
        distance(w.CBRightSD);
    } else {
        w.CBLeftSL.setItemIndex(LevelZeroDb);
        w.CBRightSL.setItemIndex(LevelZeroDb);
        w.CBLeftSD.setItemIndex(0);
        w.CBRightSD.setItemIndex(0);
    }

    const bool sub = !beginsWith(next(), "No");
    if (!sub) {
        w.CBSubS.setItemIndex(0);
        w.CBLeftS.setItemIndex(1);
        w.CBRightS.setItemIndex(1);
    } else {
        w.CBSubS.setItemIndex(1);
    }
    w.CBSubL.setEnabled(sub);
    w.CBSubD.setEnabled(sub);
    if (sub) {
        level(w.CBSubL);
        distance(w.CBSubD);
    } else {
        w.CBSubL.setItemIndex(LevelZeroDb);
        w.CBSubD.setItemIndex(0);
    }

    const bool filter = beginsWith(next(), "Filter On");
    w.CheckBoxSubFilter.setChecked(filter);
    w.CBSubFilter.setEnabled(filter);

    const std::int64_t hz = nextInt();
    w.CBSubFilter.setItemIndex(inRange(hz, 20, 200) && hz % 5 == 0 ? static_cast<int>(hz / 5 - 4) : 12);

    // The file's state counts, also with the subwoofer "No": the box
    // takes it live, and the step after the read puts it aside.
    w.CheckBoxEnhancedBass.setEnabled(true);
    w.CheckBoxEnhancedBass.setChecked(beginsWith(next(), "Enhanced On"));
}

void SectionWriter::speakers() {
    const TTavroSetupMain& w = w_;
    line(w.CBLeftS.itemIndex() != 0 ? "Large" : "Small");
    line(levelText(w.CBLeftL.itemIndex()));
    line(levelText(w.CBRightL.itemIndex()));
    line(w.CBLeftD.text());
    line(w.CBRightD.text());
    line(sizeText(w.CBCenterS.itemIndex()));
    if (w.CBCenterS.itemIndex() != 0) {
        line(levelText(w.CBCenterL.itemIndex()));
        line(w.CBCenterD.text());
    }
    line(sizeText(w.CBLeftSS.itemIndex()));
    if (w.CBLeftSS.itemIndex() != 0) {
        line(levelText(w.CBLeftSL.itemIndex()));
        line(levelText(w.CBRightSL.itemIndex()));
        line(w.CBLeftSD.text());
        line(w.CBRightSD.text());
    }
    const bool sub = w.CBSubS.itemIndex() == 1;
    line(sub ? "Yes" : "No");
    if (sub) {
        line(levelText(w.CBSubL.itemIndex()));
        line(w.CBSubD.text());
    }
    line(w.CheckBoxSubFilter.checked() ? "Filter On" : "Filter Off");
    line(num(20 + 5 * w.CBSubFilter.itemIndex()));
    line(w.CheckBoxEnhancedBass.checked() ? "Enhanced On" : "Enhanced Off");
}

// ---- "[Back Speaker Settings]"

void SectionReader::oneBackSpeakerCaptions() {
    w_.LabelLBack.setCaption("Back:");
    w_.CheckBoxRBack.setCaption("2 Back Spks:");
}

void SectionReader::backSpeakers() {
    TTavroSetupMain& w = w_;

    if (nextInt() == 1) {
        w.CheckBoxRBack.setChecked(false);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(false);
        oneBackSpeakerCaptions();
    } else {
        w.CheckBoxRBack.setChecked(true);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(true);
        w.LabelLBack.setCaption("Left Back:");
        w.CheckBoxRBack.setCaption("Right Back:");
    }

    const int size = sizeIndex(next());
    w.CBLeftBS.setItemIndex(size);
    w.CBRightBS.setItemIndex(size);
    if (size == 0) {
        w.CheckBoxRBack.setChecked(false);
        w.CheckBoxRBack.setEnabled(false);
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD, &w.CBLeftBL, &w.CBLeftBD}) l->setEnabled(false);
        oneBackSpeakerCaptions();
        return;
    }
    const bool two = w.CheckBoxRBack.checked();
    level(w.CBLeftBL);
    if (two) level(w.CBRightBL);
    distance(w.CBLeftBD);
    if (two) distance(w.CBRightBD, 30);
}

void SectionWriter::backSpeakers() {
    const TTavroSetupMain& w = w_;
    const bool two = w.CheckBoxRBack.checked();
    line(two ? "2" : "1");
    line(sizeText(w.CBLeftBS.itemIndex()));
    if (w.CBLeftBS.itemIndex() != 0) {
        line(levelText(w.CBLeftBL.itemIndex()));
        if (two) line(levelText(w.CBRightBL.itemIndex()));
        line(w.CBLeftBD.text());
        if (two) line(w.CBRightBD.text());
    }
}

}  // namespace tavro
