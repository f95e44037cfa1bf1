// The source settings dialog: name, listening mode, analog sensitivity,
// digital and video input association and preset association of one source.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/Records.h"
#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormSource : public Form {
public:
    explicit TFormSource(TTavroSetupMain& main);

    GroupBox GBSourceName{*this, "GBSourceName", "Name"};
    Edit EditSourceName{*this, "EditSourceName", 7};

    GroupBox GBMode{*this, "GBMode", "Mode"};
    RadioButton RBMono{*this, "RBMono", 1, "Mono"};
    RadioButton RBStereo{*this, "RBStereo", 1, "Stereo"};
    RadioButton RBDPL{*this, "RBDPL", 1, "Dolby Pro Logic"};
    RadioButton RBDPLIIMovie{*this, "RBDPLIIMovie", 1, "Dolby Pro Logic II Movie"};
    RadioButton RBDPLIIMusic{*this, "RBDPLIIMusic", 1, "Dolby Pro Logic II Music"};
    RadioButton RBDDEX{*this, "RBDDEX", 1, "Dolby Digital EX"};
    RadioButton RBDTSES{*this, "RBDTSES", 1, "DTS-ES Matrix / Neo:6"};
    RadioButton RBDTSNeo{*this, "RBDTSNeo", 1, "DTS Neo:6 Cinema"};
    RadioButton RBMusic1{*this, "RBMusic1", 1, "Music 1"};
    RadioButton RBMusic2{*this, "RBMusic2", 1, "Music 2"};
    RadioButton RBMusic3{*this, "RBMusic3", 1, "Music 3"};
    RadioButton RBMusic4{*this, "RBMusic4", 1, "Music 4"};
    RadioButton RBMusic5{*this, "RBMusic5", 1, "Music 5"};
    RadioButton RBMusic6{*this, "RBMusic6", 1, "DTS Neo:6 Music"};
    RadioButton RBDirect{*this, "RBDirect", 1, "Direct"};
    RadioButton RBDSPBypass{*this, "RBDSPBypass", 1, "DSP Bypass"};

    GroupBox GBSensitivity{*this, "GBSensitivity", "Analog Sensitivity"};
    ListBox CBSensitivity{*this, "CBSensitivity"};
    GroupBox GBDigitalInput{*this, "GBDigitalInput", "Digital Input Association"};
    ListBox CBDigitalAssociation{*this, "CBDigitalAssociation"};
    GroupBox GBComponentVideo{*this, "GBComponentVideo", "Component Video Association"};
    ListBox CBComponentVideo{*this, "CBComponentVideo"};
    GroupBox GBPresetAssoc{*this, "GBPresetAssoc", "Preset Association"};
    ListBox CBPresetAssoc{*this, "CBPresetAssoc"};

    Button ButtonSourceOk{*this, "ButtonSourceOk", "&OK"};
    Button ButtonSourceCancel{*this, "ButtonSourceCancel", "&Cancel"};

    // Touched flags, cleared at every showing: what the user changed in it.
    bool nameTouched = false, sensitivityTouched = false, digitalTouched = false, videoTouched = false,
         modeTouched = false, presetTouched = false;

    // The mode radio buttons by listening-mode code.
    std::array<RadioButton*, ModeCount> modeButtons();

    void FormShow() override;
    void ButtonSourceOkClick();
    void EditSourceNameChange();
    void EditSourceNameExit();
    void CBSensitivityChange();
    void CBDigitalAssociationChange();
    void CBComponentVideoChange();
    void CBPresetAssocChange();
    void RBMonoClick();
    void RBStereoClick();
    void RBDPLClick();
    void RBDPLIIMovieClick();
    void RBDPLIIMusicClick();
    void RBDDEXClick();
    void RBDTSESClick();
    void RBDTSNeoClick();
    void RBMusic1Click();
    void RBMusic2Click();
    void RBMusic3Click();
    void RBMusic4Click();
    void RBMusic5Click();
    void RBMusic6Click();
    void RBDirectClick();
    void RBDSPBypassClick();

    // The digital input list for a count of inputs on a model: "Off" first
    // unless a base model has all eight inputs.
    static std::vector<std::string> digitalInputItems(unsigned count, bool baseModel);
    // The caption of a mode button that depends on the setup: the music
    // modes' names and the Pro Logic II modes (IIx with back speakers); no
    // value for a button whose caption is fixed.
    static std::optional<std::string> setupModeCaption(int mode, const ModeTable& modes, bool backSpeakers);

private:
    // The code of the checked mode button, -1 when none is checked.
    int checkedMode();
    void renameInMainWindow(int m, const std::string& name);

    TTavroSetupMain& main_;
};

}  // namespace tavro
