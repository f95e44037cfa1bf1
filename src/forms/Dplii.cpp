#include "forms/Dplii.h"

#include "forms/Setupmain.h"

namespace tavro {

TFormDPLII::TFormDPLII(TTavroSetupMain& main)
    : Form("FormDPLII", "Dolby Pro Logic II / DTS Music Settings"), main_(main) {
    RBPanoramaOn.setChecked(true);
    SBWidth.onChange = [this] { SBWidthChange(); };
    SBDimension.onChange = [this] { SBDimensionChange(); };
    SBCGain.onChange = [this] { SBCGainChange(); };
    RBPanoramaOn.onClick = [this] { RBPanoramaOnClick(); };
    RBPanoramaOff.onClick = [this] { RBPanoramaOffClick(); };
    ButtonDPLIIOk.onClick = [this] { ButtonDPLIIOkClick(); };
    ButtonDPLIICancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

std::string TFormDPLII::widthText(int w) { return w == 1 ? "Min" : w == 8 ? "Max" : std::to_string(w - 1); }

std::string TFormDPLII::dimensionText(int d) { return d >= 5 ? "+" + std::to_string(d - 4) : std::to_string(d - 4); }

std::string TFormDPLII::centerImageText(int c) { return c == 1 ? "Min" : c == 6 ? "Max" : std::to_string(c - 1); }

void TFormDPLII::WriteValueLabels() {
    LabelWidth.setCaption("Width: " + widthText(SBWidth.position()));
    LabelDimension.setCaption("Dimension: " + dimensionText(SBDimension.position()));
    LabelCGain.setCaption("Center Image: " + centerImageText(SBCGain.position()));
}

void TFormDPLII::FormShow() {
    const DplSettings& d = main_.Dpl;
    SBWidth.setPosition(d.CenterWidth);
    SBDimension.setPosition(d.Dimension);
    if (d.Panorama == 1)
        RBPanoramaOn.setChecked(true);
    else
        RBPanoramaOff.setChecked(true);
    SBCGain.setPosition(d.CenterImage);
    WriteValueLabels();
    widthTouched = dimensionTouched = panoramaTouched = centerImageTouched = false;
}

void TFormDPLII::SBWidthChange() {
    WriteValueLabels();
    widthTouched = true;
}

void TFormDPLII::SBDimensionChange() {
    WriteValueLabels();
    dimensionTouched = true;
}

void TFormDPLII::SBCGainChange() {
    WriteValueLabels();
    centerImageTouched = true;
}

void TFormDPLII::RBPanoramaOnClick() { panoramaTouched = true; }
void TFormDPLII::RBPanoramaOffClick() { panoramaTouched = true; }

void TFormDPLII::ButtonDPLIIOkClick() {
    DplSettings& d = main_.Dpl;
    d.CenterWidth = static_cast<std::uint8_t>(SBWidth.position());
    d.Dimension = static_cast<std::uint8_t>(SBDimension.position());
    d.Panorama = RBPanoramaOn.checked() ? 1 : 0;
    d.CenterImage = static_cast<std::uint8_t>(SBCGain.position());
    if (widthTouched) main_.MarkChanged({44});
    if (dimensionTouched) main_.MarkChanged({45});
    if (panoramaTouched) main_.MarkChanged({43});
    if (centerImageTouched) main_.MarkChanged({391});
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
