// The tone preset dialog: five level trims and a lip-sync delay.
#pragma once

#include <array>

#include "model/Records.h"
#include "model/ValueLists.h"
#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormPreset : public Form {
public:
    explicit TFormPreset(TTavroSetupMain& main);

    GroupBox GBPreset{*this, "GBPreset", "Settings"};
    Label LabelPresetCenter{*this, "LabelPresetCenter", "Center:"};
    ListBox CBPresetCenter{*this, "CBPresetCenter"};
    Label LabelPreserSurrounds{*this, "LabelPreserSurrounds", "Surrounds:"};
    ListBox CBPresetSurr{*this, "CBPresetSurr"};
    Label LabelPresetSubwoofer{*this, "LabelPresetSubwoofer", "Subwoofer:"};
    ListBox CBPresetSub{*this, "CBPresetSub"};
    Label LabelPresetBass{*this, "LabelPresetBass", "Bass:"};
    ListBox CBPresetBass{*this, "CBPresetBass"};
    Label LabelPresetTreble{*this, "LabelPresetTreble", "Treble:"};
    ListBox CBPresetTreble{*this, "CBPresetTreble"};
    Label LabelPresetLipsync{*this, "LabelPresetLipsync", "Lipsync:"};
    ListBox CBPresetLipsync{*this, "CBPresetLipsync"};
    Button ButtonPresetOk{*this, "ButtonPresetOk", "&OK"};
    Button ButtonPresetCancel{*this, "ButtonPresetCancel", "&Cancel"};

    // One touched flag per list in field order (Center .. Lipsync), cleared
    // at every showing.
    std::array<bool, PresetFieldCount> touched{};

    // The six lists in field order.
    std::array<ListBox*, PresetFieldCount> lists();

    void FormShow() override;
    void ButtonPresetOkClick();
    void CBPresetCenterChange();
    void CBPresetSurrChange();
    void CBPresetSubChange();
    void CBPresetBassChange();
    void CBPresetTrebleChange();
    void CBPresetLipsyncChange();

    // "-12 dB" .. "0 dB" .. "+12 dB" and "0 ms" .. "150 ms".
    static ItemList levelItems();
    static ItemList lipsyncItems();

private:
    TTavroSetupMain& main_;
};

}  // namespace tavro
