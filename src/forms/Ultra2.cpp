#include "forms/Ultra2.h"

#include "forms/Setupmain.h"

namespace tavro {

TFormTHXUltra2::TFormTHXUltra2(TTavroSetupMain& main) : Form("FormTHXUltra2", "THX Ultra 2 Settings"), main_(main) {
    RBNoUltra2Sub.setChecked(true);
    RBASAApart.setChecked(true);
    CBBoundary.setEnabled(false);
    ItemList levels;
    for (int i = 0; i <= 50; ++i) levels.push_back(i == 0 ? "0 dB" : "-" + std::to_string(i) + " dB");
    CBBassLimiter.setItems(levels);
    CBBassLimiter.setEnabled(false);

    RBNoUltra2Sub.onClick = [this] { RBNoUltra2SubClick(); };
    RBUltra2Sub.onClick = [this] { RBUltra2SubClick(); };
    CBBoundary.onClick = [this] { CBBoundaryClick(); };
    RBASAApart.onClick = [this] { RBASAApartClick(); };
    RBASAClose.onClick = [this] { RBASACloseClick(); };
    RBASATogether.onClick = [this] { RBASATogetherClick(); };
    CheckBoxBassLimiter.onClick = [this] { CheckBoxBassLimiterClick(); };
    CBBassLimiter.onChange = [this] { CBBassLimiterChange(); };
    Ultra2Ok.onClick = [this] { Ultra2OkClick(); };
    Ultra2Cancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

void TFormTHXUltra2::SetAsaCaptions(bool feet) {
    RBASAApart.setCaption(feet ? "Apart (> 4 ft.)" : "Apart (> 1.2 m)");
    RBASAClose.setCaption(feet ? "Close (1 - 4 ft.)" : "Close (0.3 - 1.2 m)");
    RBASATogether.setCaption(feet ? "Together (< 1 ft.)" : "Together (< 0.3 m)");
}

void TFormTHXUltra2::FormShow() {
    const ThxSettings& t = main_.Thx;
    if (main_.CBSubS.text() == "Yes") {
        RBNoUltra2Sub.setEnabled(true);
        RBUltra2Sub.setEnabled(true);
        if (t.Ultra2Sub == 1) {
            RBUltra2Sub.setChecked(true);
            CBBoundary.setEnabled(true);
            CBBoundary.setChecked(t.BoundaryGain == 1);
            CBBassLimiter.setEnabled(false);
            CheckBoxBassLimiter.setEnabled(false);
        } else {
            RBNoUltra2Sub.setChecked(true);
            CBBoundary.setChecked(false);
            CBBoundary.setEnabled(false);
            CBBassLimiter.setEnabled(true);
            CheckBoxBassLimiter.setEnabled(true);
        }
    } else {
        RBNoUltra2Sub.setEnabled(false);
        RBUltra2Sub.setEnabled(false);
        CBBoundary.setEnabled(false);
        RBNoUltra2Sub.setChecked(true);
        CBBoundary.setChecked(false);
        CheckBoxBassLimiter.setEnabled(true);
    }

    if (t.AsaPosition == 2)
        RBASAApart.setChecked(true);
    else if (t.AsaPosition == 1)
        RBASAClose.setChecked(true);
    else
        RBASATogether.setChecked(true);

    CheckBoxBassLimiter.setChecked(t.LimiterOn == 1);
    CBBassLimiter.setItemIndex(t.LimiterLevel);
    CBBassLimiter.setEnabled(CheckBoxBassLimiter.enabled() && CheckBoxBassLimiter.checked());

    const bool twoBacks = main_.CheckBoxRBack.checked();
    for (Control* c : std::initializer_list<Control*>{&LabelASA, &RBASAApart, &RBASAClose, &RBASATogether})
        c->setEnabled(twoBacks);
    if (!twoBacks) RBASAApart.setChecked(true);

    subTouched = boundaryTouched = asaTouched = limiterTouched = false;
}

void TFormTHXUltra2::RBNoUltra2SubClick() {
    subTouched = true;
    if (CBBoundary.checked()) {
        CBBoundary.setChecked(false);
        boundaryTouched = true;
    }
    CBBoundary.setEnabled(false);
    CheckBoxBassLimiter.setEnabled(true);
}

void TFormTHXUltra2::RBUltra2SubClick() {
    subTouched = true;
    CBBoundary.setEnabled(true);
    if (CheckBoxBassLimiter.checked()) {
        CheckBoxBassLimiter.setChecked(false);
        limiterTouched = true;
    }
    CheckBoxBassLimiter.setEnabled(false);
    CBBassLimiter.setEnabled(false);
}

void TFormTHXUltra2::CBBoundaryClick() { boundaryTouched = true; }
void TFormTHXUltra2::RBASAApartClick() { asaTouched = true; }
void TFormTHXUltra2::RBASACloseClick() { asaTouched = true; }
void TFormTHXUltra2::RBASATogetherClick() { asaTouched = true; }

void TFormTHXUltra2::CheckBoxBassLimiterClick() {
    limiterTouched = true;
    CBBassLimiter.setEnabled(CheckBoxBassLimiter.checked());
}

void TFormTHXUltra2::CBBassLimiterChange() { limiterTouched = true; }

void TFormTHXUltra2::Ultra2OkClick() {
    ThxSettings& t = main_.Thx;
    const bool sub = RBUltra2Sub.checked();
    t.Ultra2Sub = sub ? 1 : 0;
    t.BoundaryGain = sub && CBBoundary.checked() ? 1 : 0;
    t.AsaPosition = RBASAApart.checked() ? 2 : RBASAClose.checked() ? 1 : 0;
    if (sub) {
        if (CheckBoxBassLimiter.checked()) limiterTouched = true;
        CheckBoxBassLimiter.setChecked(false);
        CheckBoxBassLimiter.setEnabled(false);
        CBBassLimiter.setEnabled(false);
    }
    t.LimiterOn = CheckBoxBassLimiter.checked() ? 1 : 0;
    t.LimiterLevel = CBBassLimiter.itemIndex() < 0 ? t.LimiterLevel : CBBassLimiter.itemIndex();
    if (subTouched) main_.MarkChanged({49});
    if (boundaryTouched) main_.MarkChanged({47});
    if (asaTouched) main_.MarkChanged({48});
    if (limiterTouched) main_.MarkChanged({2, 3});
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
