// The Pro Logic II / Neo:6 dialog.
#pragma once

#include <string>

#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormDPLII : public Form {
public:
    explicit TFormDPLII(TTavroSetupMain& main);

    GroupBox GBPLII{*this, "GBPLII", "Dolby PL II"};
    GroupBox GBCenterWidth{*this, "GBCenterWidth", "Center Width"};
    Label LabelWidth{*this, "LabelWidth", "Width:"};
    Label LabelCWMin{*this, "LabelCWMin", "Min"};
    Label LabelCWMax{*this, "LabelCWMax", "Max"};
    ScrollBar SBWidth{*this, "SBWidth", 1, 8, 2, 1};
    GroupBox GBDimension{*this, "GBDimension", "Dimension"};
    Label LabelDimension{*this, "LabelDimension", "Dimension:"};
    Label LabelDDMin{*this, "LabelDDMin", "-3"};
    Label LabelDDMax{*this, "LabelDDMax", "+3"};
    ScrollBar SBDimension{*this, "SBDimension", 1, 7, 2, 1};
    GroupBox GBPanorama{*this, "GBPanorama", "Panorama"};
    RadioButton RBPanoramaOn{*this, "RBPanoramaOn", 1, "On"};
    RadioButton RBPanoramaOff{*this, "RBPanoramaOff", 1, "Off"};
    GroupBox GBNeo{*this, "GBNeo", "Neo:6"};
    GroupBox GBCGain{*this, "GBCGain", "Neo:6 Center Image"};
    Label LabelCGain{*this, "LabelCGain", "Center Image:"};
    Label LabelCGMin{*this, "LabelCGMin", "Min"};
    Label LabelCGMax{*this, "LabelCGMax", "Max"};
    ScrollBar SBCGain{*this, "SBCGain", 1, 6, 2, 1};
    Button ButtonDPLIIOk{*this, "ButtonDPLIIOk", "&OK"};
    Button ButtonDPLIICancel{*this, "ButtonDPLIICancel", "&Cancel"};

    // Touched flags, cleared at every showing.
    bool widthTouched = false, dimensionTouched = false, panoramaTouched = false, centerImageTouched = false;

    void FormShow() override;
    void SBWidthChange();
    void SBDimensionChange();
    void SBCGainChange();
    void RBPanoramaOnClick();
    void RBPanoramaOffClick();
    void ButtonDPLIIOkClick();
    void WriteValueLabels();

    // The values the labels show for the scroll bar positions: "Min",
    // "1" .. "Max"; "-3" .. "+3".
    static std::string widthText(int position);
    static std::string dimensionText(int position);
    static std::string centerImageText(int position);

private:
    TTavroSetupMain& main_;
};

}  // namespace tavro
