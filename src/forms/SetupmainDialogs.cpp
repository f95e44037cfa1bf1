// The main window's commands that open a dialog.
#include "forms/Dialogs.h"
#include "forms/Setupmain.h"

namespace tavro {

void TTavroSetupMain::FileOptionsClick() { host_.showModal(*dialogs_->FormOptions); }

void TTavroSetupMain::AboutClick() { host_.showModal(*dialogs_->FormAbout); }

void TTavroSetupMain::ButtonDPLIIClick() {
    TFormDPLII& d = *dialogs_->FormDPLII;
    const bool surrounds = CBLeftSS.itemIndex() != SizeNo;
    for (Control* c : std::initializer_list<Control*>{&d.RBPanoramaOn, &d.RBPanoramaOff, &d.SBDimension, &d.LabelDimension,
                                                      &d.LabelDDMin, &d.LabelDDMax})
        c->setEnabled(surrounds);
    if (!surrounds) {
        // No panorama without surrounds: stored and marked at once, whatever
        // the dialog's result; the menus stay as they are.
        Dpl.Panorama = 0;
        ChangedMask[43] = 1;
    }
    const bool center = CBCenterS.itemIndex() != SizeNo;
    for (Control* c : std::initializer_list<Control*>{&d.SBWidth, &d.LabelWidth, &d.LabelCWMin, &d.LabelCWMax, &d.SBCGain,
                                                      &d.LabelCGain, &d.LabelCGMin, &d.LabelCGMax})
        c->setEnabled(center);
    host_.showModal(d);
}

void TTavroSetupMain::ButtonTHXUltraClick() {
    TFormTHXUltra2& d = *dialogs_->FormTHXUltra2;
    d.SetAsaCaptions(RBFeet.checked());
    host_.showModal(d);
}

void TTavroSetupMain::ButtonCh9MixFilterClick() {
    dialogs_->FormCh9_10->Load(0);
    host_.showModal(*dialogs_->FormCh9_10);
}

void TTavroSetupMain::ButtonCh10MixFilterClick() {
    dialogs_->FormCh9_10->Load(1);
    host_.showModal(*dialogs_->FormCh9_10);
}

}  // namespace tavro
