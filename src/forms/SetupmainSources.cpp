// The source buttons and the preset "Set..." buttons: each fills its dialog
// from the records and shows it.
#include "forms/Dialogs.h"
#include "forms/Setupmain.h"

namespace tavro {

ItemList TTavroSetupMain::componentVideoItems() const {
    // "Off", the composite and S-Video inputs of the models that have them,
    // then the component inputs.
    ItemList video{"Off"};
    if (ModelVariant == tavro::ModelVariant::R7)
        video.insert(video.end(), {"Composite 1", "Composite 2", "Composite 3", "Composite 4", "Composite 5",
                                   "Composite 6", "S-Video 1", "S-Video 2", "S-Video 3", "S-Video 4"});
    else if (ModelVariant == tavro::ModelVariant::M4820)
        video.insert(video.end(), {"Composite DVD", "Composite SAT", "Composite VCR", "Composite 4", "Composite 5",
                                   "Composite 6", "S-Video DVD", "S-Video SAT", "S-Video VCR", "S-Video 4"});
    for (int c = 1; c <= Inputs.ComponentVideoCount; ++c) video.push_back("Component " + std::to_string(c));
    return video;
}

void TTavroSetupMain::LoadSourceDialog(int n) {
    TFormSource& d = *dialogs_->FormSource;
    const Source& s = Sources[static_cast<std::size_t>(n - 1)];
    const bool base = ModelVariant == tavro::ModelVariant::Tavro;

    d.EditSourceName.setText(s.Name);
    d.CBSensitivity.setItemIndex(s.Sensitivity);

    const int components = Inputs.ComponentVideoCount;
    d.CBComponentVideo.setItems(componentVideoItems());
    const int videoEnd = base ? components + 1 : components + 11;
    d.CBComponentVideo.setItemIndex(s.ComponentVideo < videoEnd ? s.ComponentVideo : 0);

    // Presets: only those the window shows, so a preset is stored by its
    // number, not by its position in the list.
    d.GBPresetAssoc.setVisible(true);
    ItemList presets{"Off"};
    for (int p = 1; p <= PresetCount; ++p)
        if (presetPanel(p).group->visible()) presets.push_back("Preset " + std::to_string(p));
    presets.emplace_back("Flat Trims");
    d.CBPresetAssoc.setItems(presets);
    int presetIndex = d.CBPresetAssoc.indexOf("Preset " + std::to_string(s.PresetAssoc));
    if (presetIndex < 0 && s.PresetAssoc == FlatTrimsAssoc) presetIndex = d.CBPresetAssoc.indexOf("Flat Trims");
    d.CBPresetAssoc.setItemIndex(presetIndex < 0 ? 0 : presetIndex);

    const auto modes = d.modeButtons();
    const int mode = s.Mode < ModeCount ? int{s.Mode} : int{ModeStereo};
    modes[static_cast<std::size_t>(mode)]->setChecked(true);

    EditedSource = n - 1;
}

void TTavroSetupMain::SourceButtonClick(int n) {
    LoadSourceDialog(n);
    dialogs_->FormSource->setCaption("Source " + std::to_string(n) + " Settings");
    host_.showModal(*dialogs_->FormSource);
    RefreshPresetPanels();
}

void TTavroSetupMain::BSource1Click() { SourceButtonClick(1); }
void TTavroSetupMain::BSource2Click() { SourceButtonClick(2); }
void TTavroSetupMain::BSource3Click() { SourceButtonClick(3); }
void TTavroSetupMain::BSource4Click() { SourceButtonClick(4); }
void TTavroSetupMain::BSource5Click() { SourceButtonClick(5); }
void TTavroSetupMain::BSource6Click() { SourceButtonClick(6); }
void TTavroSetupMain::BSource7Click() { SourceButtonClick(7); }
void TTavroSetupMain::BSource8Click() { SourceButtonClick(8); }
void TTavroSetupMain::BSource9Click() { SourceButtonClick(9); }
void TTavroSetupMain::BSource10Click() { SourceButtonClick(10); }
void TTavroSetupMain::BSource11Click() { SourceButtonClick(11); }
void TTavroSetupMain::BSource12Click() { SourceButtonClick(12); }
void TTavroSetupMain::BSource13Click() { SourceButtonClick(13); }
void TTavroSetupMain::BSource14Click() { SourceButtonClick(14); }
void TTavroSetupMain::BSource15Click() { SourceButtonClick(15); }
void TTavroSetupMain::BSource16Click() { SourceButtonClick(16); }

void TTavroSetupMain::LoadPresetDialog(int n) {
    TFormPreset& d = *dialogs_->FormPreset;
    const PresetSettings& p = Presets[static_cast<std::size_t>(n - 1)];
    const auto lists = d.lists();
    for (int f = 0; f < PresetFieldCount; ++f) lists[static_cast<std::size_t>(f)]->setItemIndex(p.field(f));
    EditedPreset = n - 1;
}

void TTavroSetupMain::PresetButtonClick(int n) {
    LoadPresetDialog(n);
    dialogs_->FormPreset->setCaption("Preset " + std::to_string(n) + " Settings");
    host_.showModal(*dialogs_->FormPreset);
}

void TTavroSetupMain::ButtonPanel1Click() { PresetButtonClick(1); }
void TTavroSetupMain::ButtonPanel2Click() { PresetButtonClick(2); }
void TTavroSetupMain::ButtonPanel3Click() { PresetButtonClick(3); }
void TTavroSetupMain::ButtonPanel4Click() { PresetButtonClick(4); }
void TTavroSetupMain::ButtonPanel5Click() { PresetButtonClick(5); }

}  // namespace tavro
