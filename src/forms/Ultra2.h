// The THX Ultra2 dialog.
#pragma once

#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormTHXUltra2 : public Form {
public:
    explicit TFormTHXUltra2(TTavroSetupMain& main);

    GroupBox GBUltra2Sub{*this, "GBUltra2Sub", "THX Ultra2 Subwoofer"};
    RadioButton RBNoUltra2Sub{*this, "RBNoUltra2Sub", 1, "No THX Ultra2 Subwoofer"};
    RadioButton RBUltra2Sub{*this, "RBUltra2Sub", 1, "THX Ultra2 Subwoofer Connected"};
    CheckBox CBBoundary{*this, "CBBoundary", "Boundary Gain Compensation"};
    GroupBox GBASAProcessing{*this, "GBASAProcessing", "ASA Processing"};
    Label LabelASA{*this, "LabelASA", "Back Speakers Positioned:"};
    RadioButton RBASAApart{*this, "RBASAApart", 2, "Apart"};
    RadioButton RBASAClose{*this, "RBASAClose", 2, "Close"};
    RadioButton RBASATogether{*this, "RBASATogether", 2, "Together"};
    GroupBox GBSubLimiter{*this, "GBSubLimiter", "Sub Limiter"};
    CheckBox CheckBoxBassLimiter{*this, "CheckBoxBassLimiter", "Limiter ON:"};
    ListBox CBBassLimiter{*this, "CBBassLimiter"};
    Button Ultra2Ok{*this, "Ultra2Ok", "&OK"};
    Button Ultra2Cancel{*this, "Ultra2Cancel", "&Cancel"};

    bool subTouched = false, boundaryTouched = false, asaTouched = false, limiterTouched = false;

    // The ASA captions in the main window's distance unit.
    void SetAsaCaptions(bool feet);
    void FormShow() override;
    void RBNoUltra2SubClick();
    void RBUltra2SubClick();
    void CBBoundaryClick();
    void RBASAApartClick();
    void RBASACloseClick();
    void RBASATogetherClick();
    void CheckBoxBassLimiterClick();
    void CBBassLimiterChange();
    void Ultra2OkClick();

private:
    TTavroSetupMain& main_;
};

}  // namespace tavro
