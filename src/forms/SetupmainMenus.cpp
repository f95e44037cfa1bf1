// The step of every edit, the step after every setup read, and the menu
// commands of the main window itself.
#include "forms/Setupmain.h"

namespace tavro {

void TTavroSetupMain::MarkChanged(std::initializer_list<int> entries) {
    FileSave.setEnabled(true);
    WriteChangedSettings.setEnabled(true);
    OperationsVerifySettings.setEnabled(false);
    for (int e : entries)
        if (e >= 0 && e < ImageEntryCount) ChangedMask[static_cast<std::size_t>(e)] = 1;
}

void TTavroSetupMain::MarkChangedRange(int first, int last) {
    MarkChanged({});
    for (int e = first; e <= last; ++e)
        if (e >= 0 && e < ImageEntryCount) ChangedMask[static_cast<std::size_t>(e)] = 1;
}

void TTavroSetupMain::ClearChangedMask() { ChangedMask.fill(0); }

void TTavroSetupMain::RefreshAfterLoad() {
    // 1. Trigger lists and their enabling.
    RebuildTriggerLists();
    ApplyTriggerEnabling(1);
    ApplyTriggerEnabling(2);

    // 2. Preset panels.
    RefreshPresetPanels();

    // 3. Pro Logic II settings exist only with the DPL II Music mode.
    if (!Modes.offered(ModeDplIIMusic)) GBDPLII.setVisible(false);

    // 4. Back speakers require surrounds.
    if (CBLeftSS.itemIndex() == SizeNo && CBLeftBS.itemIndex() != SizeNo) {
        CBLeftSS.setItemIndex(SizeSmall);
        CBRightSS.setItemIndex(SizeSmall);
    }
    // The back row follows the sizes the setup now has, whichever sections
    // the read had.
    ApplyBackSpeakerEnabling();

    // 5. Balanced routing.
    ApplyBalancedRoutingRule();

    // 6. Preset associations to presets the setup does not have.
    for (int i = 0; i < SourceCount && i < MaxSources; ++i) {
        std::uint8_t& assoc = Sources[static_cast<std::size_t>(i)].PresetAssoc;
        if (assoc >= 1 && assoc <= PresetCount) {
            if (!presetPanel(assoc).group->visible()) assoc = 0;
        } else if (assoc != FlatTrimsAssoc) {
            assoc = 0;
        }
    }

    // 7. Enhanced Bass needs a subwoofer.
    // A read that did not set the box leaves the remembered state alone.
    if (CBSubS.itemIndex() == SizeNo)
        ParkEnhancedBass();
    else
        CheckBoxEnhancedBass.setEnabled(true);

    // 8. At least one listening mode.
    Modes.ensureOneOffered();

    // 9. What the sizes enable, the Pro Logic II / DTS settings among them.
    ApplySpeakerEnabling();
    // The THX settings need a subwoofer or two back speakers.
    ApplyThxButtonRule();

    // 10. No panorama without surrounds.
    if (CBLeftSS.itemIndex() == SizeNo && GBDPLII.visible()) Dpl.Panorama = 0;

    // 11. No THX subwoofer without a subwoofer.
    if (CBSubS.itemIndex() == SizeNo) {
        Thx.Ultra2Sub = 0;
        Thx.BoundaryGain = 0;
    }

    // 12. A tab is shown while one of its group boxes is.
    auto any = [](std::initializer_list<const GroupBox*> boxes) {
        for (const GroupBox* b : boxes)
            if (b->visible()) return true;
        return false;
    };
    TabSheetGeneral.setVisible(GBMessages.visible());
    TabSheetAudio.setVisible(
        any({&GBGeneralAudio, &GBToneFilters, &GBReverb, &GBLFElevel, &GBPhones, &GBDPLII, &GBAnalogBassMg}));
    TabSheetSource.setVisible(any({&GBSource, &GBZone, &GBBalanced}));
    TabSheetSpeaker.setVisible(any({&GBSpeaker, &GBBackSpeaker, &GBCh9_10}));
    TabSheetOSD.setVisible(any({&GBBluebackFormat, &GBSetupMode, &GBTemporary, &GBOSDInput, &GBOSDOutput, &GBFactory,
                                &GBOSDStyle, &GBDistanceUnits}));
    TabSheetTrigger.setVisible(any({&GBTrigger1, &GBTrigger2}));
    TabSheetPresets.setVisible(any({&GBPanel1, &GBPanel2, &GBPanel3, &GBPanel4, &GBPanel5}));

    // 13. Without any tab there is nothing to transfer, save or renew.
    bool anyTab = false;
    for (TabSheet* t : tabSheets()) anyTab = anyTab || t->visible();
    for (MenuItem* m : {&OperationsMenu, &FileSaveAs, &FileOptions, &FileNew}) m->setEnabled(anyTab);

    // 14. The Source tab needs the source buttons, whatever else it holds.
    if (!GBSource.visible()) TabSheetSource.setVisible(false);

    // 15.
    ClearChangedMask();
}

void TTavroSetupMain::FileExitClick() { host_.closeMainWindow(); }

}  // namespace tavro
