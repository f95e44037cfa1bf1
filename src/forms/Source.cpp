#include "forms/Source.h"

#include <algorithm>

#include "forms/Setupmain.h"

namespace tavro {

namespace {
std::string signedDb(int db) { return db > 0 ? "+" + std::to_string(db) + " dB" : std::to_string(db) + " dB"; }
}  // namespace

TFormSource::TFormSource(TTavroSetupMain& main) : Form("FormSource", "Source 1 Settings"), main_(main) {
    ItemList sensitivity;
    for (int db = -5; db <= 10; ++db) sensitivity.push_back(signedDb(db));
    CBSensitivity.setItems(sensitivity);
    RBStereo.setChecked(true);

    EditSourceName.onChange = [this] { EditSourceNameChange(); };
    EditSourceName.onExit = [this] { EditSourceNameExit(); };
    CBSensitivity.onChange = [this] { CBSensitivityChange(); };
    CBDigitalAssociation.onChange = [this] { CBDigitalAssociationChange(); };
    CBComponentVideo.onChange = [this] { CBComponentVideoChange(); };
    CBPresetAssoc.onChange = [this] { CBPresetAssocChange(); };
    RBMono.onClick = [this] { RBMonoClick(); };
    RBStereo.onClick = [this] { RBStereoClick(); };
    RBDPL.onClick = [this] { RBDPLClick(); };
    RBDPLIIMovie.onClick = [this] { RBDPLIIMovieClick(); };
    RBDPLIIMusic.onClick = [this] { RBDPLIIMusicClick(); };
    RBDDEX.onClick = [this] { RBDDEXClick(); };
    RBDTSES.onClick = [this] { RBDTSESClick(); };
    RBDTSNeo.onClick = [this] { RBDTSNeoClick(); };
    RBMusic1.onClick = [this] { RBMusic1Click(); };
    RBMusic2.onClick = [this] { RBMusic2Click(); };
    RBMusic3.onClick = [this] { RBMusic3Click(); };
    RBMusic4.onClick = [this] { RBMusic4Click(); };
    RBMusic5.onClick = [this] { RBMusic5Click(); };
    RBMusic6.onClick = [this] { RBMusic6Click(); };
    RBDirect.onClick = [this] { RBDirectClick(); };
    RBDSPBypass.onClick = [this] { RBDSPBypassClick(); };
    ButtonSourceOk.onClick = [this] { ButtonSourceOkClick(); };
    ButtonSourceCancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

std::array<RadioButton*, ModeCount> TFormSource::modeButtons() {
    return {&RBMono,   &RBStereo, &RBDPL,    &RBDPLIIMovie, &RBDPLIIMusic, &RBDDEX,   &RBDTSES,  &RBDTSNeo,
            &RBMusic1, &RBMusic2, &RBMusic3, &RBMusic4,     &RBMusic5,     &RBMusic6, &RBDirect, &RBDSPBypass};
}

int TFormSource::checkedMode() {
    const auto buttons = modeButtons();
    for (int code = 0; code < ModeCount; ++code)
        if (buttons[static_cast<std::size_t>(code)]->checked()) return code;
    return -1;
}

std::optional<std::string> TFormSource::setupModeCaption(int mode, const ModeTable& modes, bool backSpeakers) {
    if (mode >= ModeMusic1 && mode < ModeMusic1 + MusicModeCount)
        return modes.MusicModeNames[static_cast<std::size_t>(mode - ModeMusic1)];
    if (mode == ModeDplIIMovie) return backSpeakers ? "Dolby Pro Logic IIx Movie" : "Dolby Pro Logic II Movie";
    if (mode == ModeDplIIMusic) return backSpeakers ? "Dolby Pro Logic IIx Music" : "Dolby Pro Logic II Music";
    return std::nullopt;
}

std::vector<std::string> TFormSource::digitalInputItems(unsigned count, bool baseModel) {
    static const char* const inputs[] = {"Opt 1", "Opt 2", "Opt 3", "Opt 4", "Coax 1", "Coax 2", "Coax 3", "Coax 4"};
    std::vector<std::string> items;
    if (count == 0) return items;
    if (!(count == 8 && baseModel)) items.emplace_back("Off");
    for (unsigned i = 0; i < count && i < 8; ++i) items.emplace_back(inputs[i]);
    return items;
}

void TFormSource::FormShow() {
    const bool base = main_.ModelVariant == ModelVariant::Tavro;
    const bool backSpeakers = main_.CBLeftBS.itemIndex() != SizeNo;
    const ModeTable& modes = main_.Modes;

    GBComponentVideo.setCaption(base ? "Component Video Association" : "Video input");

    for (int code : {int{ModeMusic1}, ModeMusic1 + 1, ModeMusic1 + 2, ModeMusic1 + 3, ModeMusic1 + 4, int{ModeDplIIMovie},
                     int{ModeDplIIMusic}})
        modeButtons()[static_cast<std::size_t>(code)]->setCaption(*setupModeCaption(code, modes, backSpeakers));

    // Only the modes the processor offers; the two modes that need back
    // speakers only while there are some.
    const auto buttons = modeButtons();
    for (int code = 0; code < ModeCount; ++code) {
        bool shown = modes.offered(code);
        if (code == ModeDolbyDigitalEx || code == ModeDtsEsMatrix) shown = shown && backSpeakers;
        buttons[static_cast<std::size_t>(code)]->setVisible(shown);
    }

    // A stored mode the processor does not offer gives way to Stereo, or to
    // the first mode offered. An offered mode merely hidden for lack of back
    // speakers stays.
    if (!modes.offered(checkedMode())) {
        int code = -1;
        if (modes.offered(ModeStereo))
            code = ModeStereo;
        else
            for (int c = 0; c < ModeCount && code < 0; ++c)
                if (modes.offered(c)) code = c;
        if (code >= 0) buttons[static_cast<std::size_t>(code)]->setChecked(true);
    }

    const unsigned count = main_.Inputs.DigitalInputCount;
    if (count == 0) {
        GBDigitalInput.setVisible(false);
        // Nothing to choose from: no selection, so OK keeps the stored value
        // rather than taking over what an earlier showing left selected.
        CBDigitalAssociation.clear();
    } else {
        GBDigitalInput.setVisible(true);
        CBDigitalAssociation.setItems(digitalInputItems(count, base));
        const int stored = main_.Sources[static_cast<std::size_t>(main_.EditedSource)].DigitalInput;
        CBDigitalAssociation.setItemIndex(stored);
    }

    GBComponentVideo.setVisible(main_.Inputs.ComponentVideoPresent == 1);
    GBSensitivity.setVisible(base || main_.EditedSource <= 5);

    nameTouched = sensitivityTouched = digitalTouched = videoTouched = modeTouched = presetTouched = false;
}

void TFormSource::EditSourceNameChange() { nameTouched = true; }

void TFormSource::EditSourceNameExit() { EditSourceName.setText(cleanSourceName(EditSourceName.text())); }

void TFormSource::CBSensitivityChange() { sensitivityTouched = true; }
void TFormSource::CBDigitalAssociationChange() { digitalTouched = true; }
void TFormSource::CBComponentVideoChange() { videoTouched = true; }
void TFormSource::CBPresetAssocChange() { presetTouched = true; }

void TFormSource::RBMonoClick() { modeTouched = true; }
void TFormSource::RBStereoClick() { modeTouched = true; }
void TFormSource::RBDPLClick() { modeTouched = true; }
void TFormSource::RBDPLIIMovieClick() { modeTouched = true; }
void TFormSource::RBDPLIIMusicClick() { modeTouched = true; }
void TFormSource::RBDDEXClick() { modeTouched = true; }
void TFormSource::RBDTSESClick() { modeTouched = true; }
void TFormSource::RBDTSNeoClick() { modeTouched = true; }
void TFormSource::RBMusic1Click() { modeTouched = true; }
void TFormSource::RBMusic2Click() { modeTouched = true; }
void TFormSource::RBMusic3Click() { modeTouched = true; }
void TFormSource::RBMusic4Click() { modeTouched = true; }
void TFormSource::RBMusic5Click() { modeTouched = true; }
void TFormSource::RBMusic6Click() { modeTouched = true; }
void TFormSource::RBDirectClick() { modeTouched = true; }
void TFormSource::RBDSPBypassClick() { modeTouched = true; }

// The new name on the source's button and in every source list of the main
// window; each list keeps its selected position.
void TFormSource::renameInMainWindow(int m, const std::string& name) {
    TTavroSetupMain& w = main_;
    w.RefillSourceLists();
    w.sourceButtons()[static_cast<std::size_t>(m)]->setCaption(name);
}

void TFormSource::ButtonSourceOkClick() {
    const int m = main_.EditedSource;
    SourceRecord& s = main_.Sources[static_cast<std::size_t>(m)];

    EditSourceNameExit();
    s.Name = EditSourceName.text();
    renameInMainWindow(m, s.Name);

    // A list without a selection (a stored value beyond its end) leaves the
    // stored value as it is.
    if (CBSensitivity.itemIndex() >= 0) s.Sensitivity = static_cast<std::uint8_t>(CBSensitivity.itemIndex());
    if (CBDigitalAssociation.itemIndex() >= 0)
        s.DigitalInput = static_cast<std::uint8_t>(CBDigitalAssociation.itemIndex());
    s.ComponentVideo = static_cast<std::uint8_t>(std::max(CBComponentVideo.itemIndex(), 0));

    const std::string preset = CBPresetAssoc.text();
    s.PresetAssoc = 0;
    for (int n = 1; n <= PresetCount; ++n)
        if (preset == "Preset " + std::to_string(n)) s.PresetAssoc = static_cast<std::uint8_t>(n);
    if (preset == "Flat Trims") s.PresetAssoc = FlatTrimsAssoc;

    // Codes 0..14 in order; none of them checked means DSP Bypass.
    int mode = ModeDspBypass;
    const auto buttons = modeButtons();
    for (int code = 0; code < ModeDspBypass; ++code)
        if (buttons[static_cast<std::size_t>(code)]->checked()) {
            mode = code;
            break;
        }
    s.Mode = static_cast<std::uint8_t>(mode);

    if (nameTouched) main_.MarkChangedRange(159 + 7 * m, 165 + 7 * m);
    if (sensitivityTouched) main_.MarkChanged({271 + m});
    if (digitalTouched) main_.MarkChanged({287 + m});
    if (videoTouched) main_.MarkChanged({303 + m});
    if (modeTouched) main_.MarkChanged({23 + m});
    if (presetTouched) main_.MarkChanged({349 + m});
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
