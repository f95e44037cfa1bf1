#include "forms/Preset.h"

#include "forms/Setupmain.h"

namespace tavro {

TFormPreset::TFormPreset(TTavroSetupMain& main) : Form("FormPreset", "Preset 1 Settings"), main_(main) {
    const ItemList levels = levelItems();
    for (ListBox* l : {&CBPresetCenter, &CBPresetSurr, &CBPresetSub, &CBPresetBass, &CBPresetTreble}) {
        l->setItems(levels);
        l->setItemIndex(12);
    }
    CBPresetLipsync.setItems(lipsyncItems());
    CBPresetLipsync.setItemIndex(0);

    CBPresetCenter.onChange = [this] { CBPresetCenterChange(); };
    CBPresetSurr.onChange = [this] { CBPresetSurrChange(); };
    CBPresetSub.onChange = [this] { CBPresetSubChange(); };
    CBPresetBass.onChange = [this] { CBPresetBassChange(); };
    CBPresetTreble.onChange = [this] { CBPresetTrebleChange(); };
    CBPresetLipsync.onChange = [this] { CBPresetLipsyncChange(); };
    ButtonPresetOk.onClick = [this] { ButtonPresetOkClick(); };
    ButtonPresetCancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

ItemList TFormPreset::levelItems() {
    ItemList items;
    for (int db = -12; db <= 12; ++db) items.push_back((db > 0 ? "+" : "") + std::to_string(db) + " dB");
    return items;
}

ItemList TFormPreset::lipsyncItems() {
    ItemList items;
    for (int ms = 0; ms <= 150; ++ms) items.push_back(std::to_string(ms) + " ms");
    return items;
}

std::array<ListBox*, PresetFieldCount> TFormPreset::lists() {
    return {&CBPresetCenter, &CBPresetSurr, &CBPresetSub, &CBPresetBass, &CBPresetTreble, &CBPresetLipsync};
}

void TFormPreset::FormShow() { touched.fill(false); }

void TFormPreset::CBPresetCenterChange() { touched[0] = true; }
void TFormPreset::CBPresetSurrChange() { touched[1] = true; }
void TFormPreset::CBPresetSubChange() { touched[2] = true; }
void TFormPreset::CBPresetBassChange() { touched[3] = true; }
void TFormPreset::CBPresetTrebleChange() { touched[4] = true; }
void TFormPreset::CBPresetLipsyncChange() { touched[5] = true; }

void TFormPreset::ButtonPresetOkClick() {
    const int p = main_.EditedPreset;
    PresetSettings& preset = main_.Presets[static_cast<std::size_t>(p)];
    const TTavroSetupMain::PresetPanel panel = main_.presetPanel(p + 1);
    const auto all = lists();
    for (int f = 0; f < PresetFieldCount; ++f) {
        const ListBox& list = *all[static_cast<std::size_t>(f)];
        // A list without a selection (a stored value beyond its end) keeps
        // the stored value and its label.
        if (list.itemIndex() < 0) continue;
        panel.values[static_cast<std::size_t>(f)]->setCaption(list.text());
        preset.field(f) = static_cast<std::uint8_t>(list.itemIndex());
    }
    for (int f = 0; f < PresetFieldCount; ++f)
        if (touched[static_cast<std::size_t>(f)]) main_.MarkChanged({319 + 6 * p + f});
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
