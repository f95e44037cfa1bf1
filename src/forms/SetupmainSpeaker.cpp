// Speaker layout rules: pairs stay alike, missing speakers disable their
// controls, back speakers need surrounds, small fronts need a subwoofer, and
// the distance lists follow the distance unit.
#include "forms/Setupmain.h"

namespace tavro {

void TTavroSetupMain::frontSizeRule(ListBox& from, ListBox& to) {
    to.setItemIndex(from.itemIndex());
    if (from.itemIndex() == FrontSmall) {
        // Only the subwoofer selection follows; the subwoofer rule itself
        // does not run here.
        CBSubS.setItemIndex(SubYes);
        ApplySpeakerEnabling();
    }
}

void TTavroSetupMain::ApplySpeakerEnabling() {
    const bool center = CBCenterS.itemIndex() != SizeNo;
    const bool surrounds = CBLeftSS.itemIndex() != SizeNo;
    const bool sub = CBSubS.itemIndex() == SubYes;
    CBCenterL.setEnabled(center);
    CBCenterD.setEnabled(center);
    for (ListBox* l : {&CBLeftSL, &CBLeftSD, &CBRightSL, &CBRightSD}) l->setEnabled(surrounds);
    CBSubL.setEnabled(sub);
    CBSubD.setEnabled(sub);
    ButtonDPLII.setEnabled(center || surrounds);
}

void TTavroSetupMain::CBLeftSChange() {
    MarkChanged({18});
    frontSizeRule(CBLeftS, CBRightS);
}

void TTavroSetupMain::CBRightSChange() {
    MarkChanged({18});
    frontSizeRule(CBRightS, CBLeftS);
}

void TTavroSetupMain::CBCenterSChange() {
    MarkChanged({19});
    ApplySpeakerEnabling();
}

void TTavroSetupMain::surroundSizeRule(ListBox& from, ListBox& to) {
    to.setItemIndex(from.itemIndex());
    if (CBLeftSS.itemIndex() != SizeNo) {
        for (Control* c : std::initializer_list<Control*>{&LabelLBack, &CBLeftBS}) c->setEnabled(true);
        if (CBLeftBS.itemIndex() != SizeNo) {
            CheckBoxRBack.setEnabled(true);
            CBLeftBD.setEnabled(true);
            CBLeftBL.setEnabled(true);
        }
        bool two = CheckBoxRBack.checked();
        for (ListBox* l : {&CBRightBS, &CBRightBL, &CBRightBD}) l->setEnabled(two);
    } else {
        for (Control* c : std::initializer_list<Control*>{&CBLeftBL, &CBLeftBD, &CBRightBL, &CBRightBD, &CBLeftBS,
                                                          &CBRightBS, &LabelLBack, &CheckBoxRBack})
            c->setEnabled(false);
        CheckBoxRBack.setChecked(false);
        CBLeftBS.setItemIndex(SizeNo);
        CBRightBS.setItemIndex(SizeNo);
    }
    ApplySpeakerEnabling();
}

void TTavroSetupMain::CBLeftSSChange() {
    MarkChanged({20});
    surroundSizeRule(CBLeftSS, CBRightSS);
}

void TTavroSetupMain::CBRightSSChange() {
    MarkChanged({20});
    surroundSizeRule(CBRightSS, CBLeftSS);
}

void TTavroSetupMain::CBSubSChange() {
    if (CBLeftS.itemIndex() == FrontSmall) CBSubS.setItemIndex(SubYes);
    // A disabled Enhanced Bass box means the subwoofer rule last saw "No".
    const bool comingBack = !CheckBoxEnhancedBass.enabled();
    // Small fronts refuse "No"; with the subwoofer already in place that
    // pick changed nothing and is no edit.
    if (CBSubS.itemIndex() == SubYes && !comingBack) return;
    MarkChanged({21, 66});
    ApplySpeakerEnabling();
    if (CBSubS.itemIndex() == SubYes) {
        CheckBoxEnhancedBass.setEnabled(true);
        CheckBoxEnhancedBass.setChecked(SavedEnhancedBass);
        MarkChanged({66});
    } else {
        ParkEnhancedBass();
        MarkChanged({66});
        if (GBTHXUltra.visible()) {
            Thx.Ultra2Sub = 0;
            Thx.BoundaryGain = 0;
            MarkChanged({49, 47});
        }
    }
    ApplyThxButtonRule();
}

void TTavroSetupMain::ParkEnhancedBass() {
    if (CheckBoxEnhancedBass.enabled()) SavedEnhancedBass = CheckBoxEnhancedBass.checked();
    CheckBoxEnhancedBass.setEnabled(false);
    CheckBoxEnhancedBass.setChecked(false);
}

void TTavroSetupMain::CheckBoxRBackClick() {
    MarkChanged({60});
    bool two = CheckBoxRBack.checked();
    for (ListBox* l : {&CBRightBS, &CBRightBL, &CBRightBD}) l->setEnabled(two);
    LabelLBack.setCaption(two ? "Left Back:" : "Back:");
    CheckBoxRBack.setCaption(two ? "Right Back:" : "2 Back Spks:");
    ApplyThxButtonRule();
}

void TTavroSetupMain::backSizeNo() {
    for (ListBox* l : {&CBRightBS, &CBLeftBL, &CBRightBL, &CBLeftBD, &CBRightBD}) l->setEnabled(false);
    CheckBoxRBack.setChecked(false);
    CheckBoxRBack.setEnabled(false);
    LabelLBack.setCaption("Back:");
    CheckBoxRBack.setCaption("2 Back Spks:");
}

void TTavroSetupMain::CBLeftBSChange() {
    MarkChanged({60});
    if (CBLeftBS.itemIndex() == SizeNo) {
        backSizeNo();
        CBRightBS.setItemIndex(SizeNo);
    } else {
        CBLeftBL.setEnabled(true);
        CBLeftBD.setEnabled(true);
        CheckBoxRBack.setEnabled(true);
        CBRightBS.setItemIndex(CBLeftBS.itemIndex());
    }
    ApplyThxButtonRule();
}

void TTavroSetupMain::CBRightBSChange() {
    MarkChanged({60});
    if (CBRightBS.itemIndex() == SizeNo) {
        backSizeNo();
        CBLeftBS.setItemIndex(SizeNo);
    } else {
        CBLeftBS.setItemIndex(CBRightBS.itemIndex());
    }
    ApplyThxButtonRule();
}

void TTavroSetupMain::ApplyBackSpeakerEnabling() {
    const bool surrounds = CBLeftSS.itemIndex() != SizeNo;
    const bool back = surrounds && CBLeftBS.itemIndex() != SizeNo;
    const bool two = back && CheckBoxRBack.checked();
    CBLeftBS.setEnabled(surrounds);
    LabelLBack.setEnabled(surrounds);
    for (Control* c : std::initializer_list<Control*>{&CBLeftBL, &CBLeftBD, &CheckBoxRBack}) c->setEnabled(back);
    for (ListBox* l : {&CBRightBS, &CBRightBL, &CBRightBD}) l->setEnabled(two);
}

void TTavroSetupMain::ApplyThxButtonRule() {
    ButtonTHXUltra.setEnabled(CheckBoxRBack.checked() || CBSubS.itemIndex() != SizeNo);
}

void TTavroSetupMain::CheckBoxSubFilterClick() {
    MarkChanged({42});
    CBSubFilter.setEnabled(CheckBoxSubFilter.checked());
}


void TTavroSetupMain::ApplyDistanceUnit(bool feet) {
    const ItemList& items = feet ? FeetItems : MeterItems;
    for (ListBox* l : distanceLists()) l->replaceItems(items);
}

void TTavroSetupMain::RBFeetClick() {
    MarkChanged({40});
    ApplyDistanceUnit(true);
}

void TTavroSetupMain::RBMetersClick() {
    MarkChanged({40});
    ApplyDistanceUnit(false);
}

}  // namespace tavro
