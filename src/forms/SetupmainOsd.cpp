// OSD settings and preview, the triggers, the display messages and the
// preset panels.
#include "model/DisplayCharacters.h"
#include "model/OsdColors.h"
#include "forms/Setupmain.h"

namespace tavro {


void TTavroSetupMain::ApplyOsdEnabling(bool enabled) {
    for (Control* c : std::initializer_list<Control*>{&RBPAL, &RBNTSC, &RBBlueback, &RBSuperimpose, &RBTempFull,
                                                      &RBTempSimple, &RBNoTemp, &LabelErrorCol, &LabelBgCol, &LabelChCol,
                                                      &CBBackgroundColor, &CBCharacterColor, &CBErrorColor, &CBOSDStyle})
        c->setEnabled(enabled);
}

void TTavroSetupMain::RBOSDOutputBothClick() {
    MarkChanged({53});
    ApplyOsdEnabling(true);
}
void TTavroSetupMain::RBOSDOutputCsClick() {
    MarkChanged({53});
    ApplyOsdEnabling(true);
}
void TTavroSetupMain::RBOSDOutputSvideoClick() {
    MarkChanged({53});
    ApplyOsdEnabling(true);
}
void TTavroSetupMain::RBOSDOutputNoClick() {
    MarkChanged({53});
    ApplyOsdEnabling(false);
}

void TTavroSetupMain::ApplyPreviewColors() {
    StyleColors colors{FactoryBackgroundColor, FactoryErrorColor, FactoryCharacterColor};
    if (CBOSDStyle.itemIndex() > 0) colors = presetStyleColors(CBOSDStyle.itemIndex());
    MemoSampleText.setColor(colors.background);
    MemoSampleText.setFontColor(colors.characters);
    EditSampleError.setColor(colors.error);
    EditSampleError.setFontColor(colors.characters);
}

void TTavroSetupMain::CBOSDStyleChange() {
    MarkChanged({56});
    ApplyPreviewColors();
}

void TTavroSetupMain::CBBackgroundColorChange() {
    MarkChanged({57});
    FactoryBackgroundColor = fullColor(CBBackgroundColor.itemIndex());
    if (CBOSDStyle.itemIndex() == 0) MemoSampleText.setColor(FactoryBackgroundColor);
}

void TTavroSetupMain::CBCharacterColorChange() {
    MarkChanged({58});
    FactoryCharacterColor = characterColor(CBCharacterColor.itemIndex());
    if (CBOSDStyle.itemIndex() == 0) {
        MemoSampleText.setFontColor(FactoryCharacterColor);
        EditSampleError.setFontColor(FactoryCharacterColor);
    }
}

void TTavroSetupMain::CBErrorColorChange() {
    MarkChanged({59});
    FactoryErrorColor = fullColor(CBErrorColor.itemIndex());
    if (CBOSDStyle.itemIndex() == 0) EditSampleError.setColor(FactoryErrorColor);
}

// ---- Triggers

void TTavroSetupMain::ApplyTriggerEnabling(int trigger) {
    const bool t1 = trigger == 1;
    ListBox& source = t1 ? CBTrigger1Source : CBTrigger2Source;
    const bool on = source.itemIndex() != 0;
    const std::array<Control*, 7> controls =
        t1 ? std::array<Control*, 7>{&CBTrigger1Delay, &CB1Duration, &LabelTrigger1Polarity, &LabelTrigger1Duration,
                                     &LabelTrigger1Delay, &RB1Positive, &RB1Negative}
           : std::array<Control*, 7>{&CBTrigger2Delay, &CB2Duration, &LabelTrigger2Polarity, &LabelTrigger2Duration,
                                     &LabelTrigger2Delay, &RB2Positive, &RB2Negative};
    for (Control* c : controls)
        c->setEnabled(on);
}

void TTavroSetupMain::RebuildTriggerLists() {
    static const char* const events[] = {nullptr,          "External 7.1",         "Balanced Input",
                                         "System On",      "Dimmer",               "Composite Video In",
                                         "S-Video In",     "Composite Video/S-Video In", "Video Source Selected",
                                         "Audio Source Selected", "Zone Power On"};
    ItemList items{"Trigger Off"};
    for (std::string& name : sourceNames(SourceCount)) items.push_back(std::move(name));
    for (int bit = 1; bit <= 10; ++bit)
        if (TriggerEventMask & (1u << bit)) items.emplace_back(events[bit]);

    for (ListBox* list : {&CBTrigger1Source, &CBTrigger2Source}) {
        list->replaceItems(items);
        if (list->itemIndex() < 0) list->setItemIndex(0);
    }
}

void TTavroSetupMain::CBTrigger1SourceChange() {
    MarkChanged({67});
    ApplyTriggerEnabling(1);
}
void TTavroSetupMain::CBTrigger2SourceChange() {
    MarkChanged({71});
    ApplyTriggerEnabling(2);
}

// ---- Messages

void TTavroSetupMain::CheckBoxSkipWelcomeClick() {
    MarkChanged({50});
    bool on = !CheckBoxSkipWelcome.checked();
    LabelWelcome.setEnabled(on);
    EditWelcome1.setEnabled(on);
    EditWelcome2.setEnabled(on);
}

void TTavroSetupMain::EditWelcome1Change() { MarkChangedRange(79, 98); }
void TTavroSetupMain::EditWelcome2Change() { MarkChangedRange(99, 118); }
void TTavroSetupMain::EditShutdown1Change() { MarkChangedRange(119, 138); }
void TTavroSetupMain::EditShutdown2Change() { MarkChangedRange(139, 158); }
void TTavroSetupMain::EditWelcome1Exit() { FilterMessageTexts(); }
void TTavroSetupMain::EditWelcome2Exit() { FilterMessageTexts(); }
void TTavroSetupMain::EditShutdown1Exit() { FilterMessageTexts(); }
void TTavroSetupMain::EditShutdown2Exit() { FilterMessageTexts(); }

void TTavroSetupMain::FilterMessageTexts() {
    for (Edit* e : {&EditWelcome1, &EditWelcome2, &EditShutdown1, &EditShutdown2}) e->setText(filterDisplayText(e->text()));
}

// ---- Preset panels

void TTavroSetupMain::RefreshPresetPanels() {
    std::array<bool, PresetCount + 1> used{};
    for (int i = 0; i < SourceCount && i < MaxSources; ++i) {
        int assoc = Sources[static_cast<std::size_t>(i)].PresetAssoc;
        if (assoc >= 1 && assoc <= PresetCount) used[static_cast<std::size_t>(assoc)] = true;
    }
    for (int n = 1; n <= PresetCount; ++n) {
        PresetPanel p = presetPanel(n);
        bool on = used[static_cast<std::size_t>(n)];
        p.button->setEnabled(on);
        for (Label* l : p.names) l->setEnabled(on);
        for (Label* l : p.values) l->setEnabled(on);
    }
}

}  // namespace tavro
