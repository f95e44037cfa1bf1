#include "forms/Setupmain.h"

#include <stdexcept>

#include "forms/Dialogs.h"
#include "forms/RegisterMap.h"

namespace tavro {

namespace {
std::vector<std::string> sourcePlaceholders() {
    std::vector<std::string> items;
    for (int i = 1; i <= MaxSources; ++i) items.push_back(i < 10 ? "Source" + std::to_string(i) : "Sourc" + std::to_string(i));
    return items;
}
}  // namespace

TTavroSetupMain::TTavroSetupMain(Host& host) : Form("TavroSetupMain", "Tavro Setup"), host_(host) {
    setDesignDefaults();
    wireHandlers();
}

// The state of the window as designed, before the creation step runs.
void TTavroSetupMain::setDesignDefaults() {
    NOne.setCaption("-");
    ExitOne.setCaption("-");

    for (Control* c : controls())
        if (c->kind() == ControlKind::GroupBox) c->setVisible(false);

    RBDry.setChecked(true);
    RBThroughDSP.setChecked(true);
    RBPAL.setChecked(true);
    RBBlueback.setChecked(true);
    RBTempFull.setChecked(true);
    RBOSDInputAuto.setChecked(true);
    RBOSDOutputBoth.setChecked(true);
    RBFeet.setChecked(true);
    RB1Positive.setChecked(true);
    RB2Positive.setChecked(true);
    CheckBoxSubFilter.setChecked(true);
    EditSampleError.setReadOnly(true);

    const ItemList levels = LevelItems();
    for (ListBox* l : {&CBLeftL, &CBRightL, &CBCenterL, &CBLeftSL, &CBRightSL, &CBSubL, &CBLeftBL, &CBRightBL, &CBCh9L, &CBCh10L})
        l->setItems(levels);
    const ItemList delays = AuxDelayItems();
    CBCh9D.setItems(delays);
    CBCh10D.setItems(delays);
    CBLeftS.setItems(frontSizeItems());
    CBRightS.setItems(frontSizeItems());
    for (ListBox* l : {&CBCenterS, &CBLeftSS, &CBRightSS, &CBLeftBS, &CBRightBS}) l->setItems(speakerSizeItems());
    CBSubS.setItems(subwooferItems());
    CBSubFilter.setItems(SubFilterItems());
    CBToneBFreq.setItems(toneBassFreqItems());
    CBToneTFreq.setItems(toneTrebleFreqItems());
    CBAnalogBassMg.setItems(analogBassItems());
    CBOSDStyle.setItems(makeOsdStyleItems());
    for (ListBox* l : {&CBBackgroundColor, &CBCharacterColor, &CBErrorColor}) l->setItems(ColorItems());
    CBTrigger1Delay.setItems(TriggerDelayItems());
    CBTrigger2Delay.setItems(TriggerDelayItems());
    CB1Duration.setItems(TriggerDurationItems());
    CB2Duration.setItems(TriggerDurationItems());
    ItemList triggerSources{"Trigger Off"};
    triggerSources.resize(27, " ");
    CBTrigger1Source.setItems(triggerSources);
    CBTrigger2Source.setItems(triggerSources);
    CBZoneSource.setItems(sourcePlaceholders());
    ItemList balanced{"Off"};
    for (auto& s : sourcePlaceholders()) balanced.push_back(s);
    CBBalancedSource.setItems(balanced);

    CBRightBS.setEnabled(false);
    CBRightBL.setEnabled(false);
}

void TTavroSetupMain::wireHandlers() {
    // The controls whose edit only marks their entry are wired from the
    // register map; the handlers below do more.
    WirePlainMarks(*this);

    FileExit.onClick = [this] { FileExitClick(); };
    EditUndo.onClick = [this] { History.undo(); };
    EditRedo.onClick = [this] { History.redo(); };
    FileNew.onClick = [this] { FileNewClick(); };
    FileOpen.onClick = [this] { FileOpenClick(); };
    FileSave.onClick = [this] { FileSaveClick(); };
    FileSaveAs.onClick = [this] { FileSaveAsClick(); };
    FileBackups.onClick = [this] { FileBackupsClick(); };
    FileOptions.onClick = [this] { FileOptionsClick(); };
    About.onClick = [this] { AboutClick(); };
    OperationsCheckConnection.onClick = [this] { OperationsCheckConnectionClick(); };
    OperationsReadSettings.onClick = [this] { OperationsReadSettingsClick(); };
    WriteChangedSettings.onClick = [this] { WriteChangedSettingsClick(); };
    OperationsWriteSettings.onClick = [this] { OperationsWriteSettingsClick(); };
    OperationsVerifySettings.onClick = [this] { OperationsVerifySettingsClick(); };
    OperationsCompare.onClick = [this] { OperationsCompareClick(); };
    ButtonDPLII.onClick = [this] { ButtonDPLIIClick(); };
    ButtonTHXUltra.onClick = [this] { ButtonTHXUltraClick(); };
    ButtonCh9MixFilter.onClick = [this] { ButtonCh9MixFilterClick(); };
    ButtonCh10MixFilter.onClick = [this] { ButtonCh10MixFilterClick(); };
    BSource1.onClick = [this] { BSource1Click(); };
    BSource2.onClick = [this] { BSource2Click(); };
    BSource3.onClick = [this] { BSource3Click(); };
    BSource4.onClick = [this] { BSource4Click(); };
    BSource5.onClick = [this] { BSource5Click(); };
    BSource6.onClick = [this] { BSource6Click(); };
    BSource7.onClick = [this] { BSource7Click(); };
    BSource8.onClick = [this] { BSource8Click(); };
    BSource9.onClick = [this] { BSource9Click(); };
    BSource10.onClick = [this] { BSource10Click(); };
    BSource11.onClick = [this] { BSource11Click(); };
    BSource12.onClick = [this] { BSource12Click(); };
    BSource13.onClick = [this] { BSource13Click(); };
    BSource14.onClick = [this] { BSource14Click(); };
    BSource15.onClick = [this] { BSource15Click(); };
    BSource16.onClick = [this] { BSource16Click(); };
    ButtonPanel1.onClick = [this] { ButtonPanel1Click(); };
    ButtonPanel2.onClick = [this] { ButtonPanel2Click(); };
    ButtonPanel3.onClick = [this] { ButtonPanel3Click(); };
    ButtonPanel4.onClick = [this] { ButtonPanel4Click(); };
    ButtonPanel5.onClick = [this] { ButtonPanel5Click(); };

    // Speaker
    CBLeftS.onChange = [this] { CBLeftSChange(); };
    CBRightS.onChange = [this] { CBRightSChange(); };
    CBCenterS.onChange = [this] { CBCenterSChange(); };
    CBLeftSS.onChange = [this] { CBLeftSSChange(); };
    CBRightSS.onChange = [this] { CBRightSSChange(); };
    CBSubS.onChange = [this] { CBSubSChange(); };
    CheckBoxRBack.onClick = [this] { CheckBoxRBackClick(); };
    CBLeftBS.onChange = [this] { CBLeftBSChange(); };
    CBRightBS.onChange = [this] { CBRightBSChange(); };
    CheckBoxSubFilter.onClick = [this] { CheckBoxSubFilterClick(); };
    RBFeet.onClick = [this] { RBFeetClick(); };
    RBMeters.onClick = [this] { RBMetersClick(); };

    // Audio, zone, balanced input
    SBVolume.onChange = [this] { SBVolumeChange(); };
    SBBass.onChange = [this] { SBBassChange(); };
    SBTreble.onChange = [this] { SBTrebleChange(); };
    SBPhones.onChange = [this] { SBPhonesChange(); };
    SBLFELevel.onChange = [this] { SBLFELevelChange(); };
    SBZoneVolume.onChange = [this] { SBZoneVolumeChange(); };
    CBBalancedSource.onChange = [this] { CBBalancedSourceChange(); };

    // Sources and presets

    // OSD, triggers, messages
    RBOSDOutputBoth.onClick = [this] { RBOSDOutputBothClick(); };
    RBOSDOutputCs.onClick = [this] { RBOSDOutputCsClick(); };
    RBOSDOutputSvideo.onClick = [this] { RBOSDOutputSvideoClick(); };
    RBOSDOutputNo.onClick = [this] { RBOSDOutputNoClick(); };
    CBOSDStyle.onChange = [this] { CBOSDStyleChange(); };
    CBBackgroundColor.onChange = [this] { CBBackgroundColorChange(); };
    CBCharacterColor.onChange = [this] { CBCharacterColorChange(); };
    CBErrorColor.onChange = [this] { CBErrorColorChange(); };
    CBTrigger1Source.onChange = [this] { CBTrigger1SourceChange(); };
    CBTrigger2Source.onChange = [this] { CBTrigger2SourceChange(); };
    CheckBoxSkipWelcome.onClick = [this] { CheckBoxSkipWelcomeClick(); };
    EditWelcome1.onChange = [this] { EditWelcome1Change(); };
    EditWelcome2.onChange = [this] { EditWelcome2Change(); };
    EditShutdown1.onChange = [this] { EditShutdown1Change(); };
    EditShutdown2.onChange = [this] { EditShutdown2Change(); };
    EditWelcome1.onExit = [this] { EditWelcome1Exit(); };
    EditWelcome2.onExit = [this] { EditWelcome2Exit(); };
    EditShutdown1.onExit = [this] { EditShutdown1Exit(); };
    EditShutdown2.onExit = [this] { EditShutdown2Exit(); };
}

// ---- Groupings

std::array<Button*, MaxSources> TTavroSetupMain::sourceButtons() { return {&BSource1, &BSource2, &BSource3, &BSource4, &BSource5, &BSource6, &BSource7, &BSource8, &BSource9, &BSource10, &BSource11, &BSource12, &BSource13, &BSource14, &BSource15, &BSource16}; }

ItemList TTavroSetupMain::sourceNames(int count) const {
    ItemList names;
    for (int i = 0; i < count && i < MaxSources; ++i) names.push_back(Sources[static_cast<std::size_t>(i)].Name);
    return names;
}

std::array<ListBox*, 8> TTavroSetupMain::distanceLists() {
    return {&CBLeftD, &CBRightD, &CBCenterD, &CBRightSD, &CBLeftSD, &CBLeftBD, &CBRightBD, &CBSubD};
}

TTavroSetupMain::PresetPanel TTavroSetupMain::presetPanel(int n) {
    switch (n) {
        case 1:
            return {&GBPanel1, &ButtonPanel1,
                    {&LabelPanel1C, &LabelPanel1Surr, &LabelPanel1Sub, &LabelPanel1B, &LabelPanel1T, &LabelPanel1L},
                    {&LPanel1C, &LPanel1Surr, &LPanel1Sub, &LPanel1B, &LPanel1T, &LPanel1L}};
        case 2:
            return {&GBPanel2, &ButtonPanel2,
                    {&LabelPanel2C, &LabelPanel2Surr, &LabelPanel2Sub, &LabelPanel2B, &LabelPanel2T, &LabelPanel2L},
                    {&LPanel2C, &LPanel2Surr, &LPanel2Sub, &LPanel2B, &LPanel2T, &LPanel2L}};
        case 3:
            return {&GBPanel3, &ButtonPanel3,
                    {&LabelPanel3C, &LabelPanel3Surr, &LabelPanel3Sub, &LabelPanel3B, &LabelPanel3T, &LabelPanel3L},
                    {&LPanel3C, &LPanel3Surr, &LPanel3Sub, &LPanel3B, &LPanel3T, &LPanel3L}};
        case 4:
            return {&GBPanel4, &ButtonPanel4,
                    {&LabelPanel4C, &LabelPanel4Surr, &LabelPanel4Sub, &LabelPanel4B, &LabelPanel4T, &LabelPanel4L},
                    {&LPanel4C, &LPanel4Surr, &LPanel4Sub, &LPanel4B, &LPanel4T, &LPanel4L}};
        case 5:
            return {&GBPanel5, &ButtonPanel5,
                    {&LabelPanel5C, &LabelPanel5Surr, &LabelPanel5Sub, &LabelPanel5B, &LabelPanel5T, &LabelPanel5L},
                    {&LPanel5C, &LPanel5Surr, &LPanel5Sub, &LPanel5B, &LPanel5T, &LPanel5L}};
        default: throw std::out_of_range("preset panel");
    }
}

std::array<TabSheet*, 7> TTavroSetupMain::tabSheets() {
    return {&TabSheetGeneral, &TabSheetAudio, &TabSheetSource, &TabSheetSpeaker, &TabSheetOSD, &TabSheetTrigger, &TabSheetPresets};
}

// ---- Creation, show and close

void TTavroSetupMain::FormCreate() {
    if (Splash) {
        // About two seconds in which the start-up picture stays on screen.
        for (int i = 0; i < 100; ++i) {
            host_.sleepMs(20);
            host_.processMessages();
        }
    }
    FeetItems = makeFeetItems();
    MeterItems = makeMeterItems();
    ApplyDistanceUnit(true);

    CBTrigger1Source.setItemIndex(0);
    CBTrigger2Source.setItemIndex(0);
    CBTrigger1Delay.setItemIndex(0);
    CBTrigger2Delay.setItemIndex(0);
    CB1Duration.setItemIndex(0);
    CB2Duration.setItemIndex(0);
    CBBackgroundColor.setItemIndex(0);
    CBCharacterColor.setItemIndex(7);
    CBErrorColor.setItemIndex(4);
    CBOSDStyle.setItemIndex(0);
    CBZoneSource.setItemIndex(0);
    CBBalancedSource.setItemIndex(0);
    CBSubFilter.setItemIndex(12);  // 80 Hz
    Thx.LimiterLevel = 50;
    CBAnalogBassMg.setItemIndex(0);
    CBLeftS.setItemIndex(FrontLarge);
    CBRightS.setItemIndex(FrontLarge);
    CBCenterS.setItemIndex(SizeSmall);
    CBLeftSS.setItemIndex(SizeSmall);
    CBRightSS.setItemIndex(SizeSmall);
    CBLeftBS.setItemIndex(SizeNo);
    CBRightBS.setItemIndex(SizeNo);
    CBSubS.setItemIndex(SubYes);
    for (ListBox* l : {&CBLeftL, &CBRightL, &CBCenterL, &CBLeftSL, &CBRightSL, &CBSubL, &CBLeftBL, &CBRightBL, &CBCh9L, &CBCh10L})
        l->setItemIndex(30);  // 0 dB
    for (ListBox* l : distanceLists()) l->setItemIndex(0);
    CBCh9D.setItemIndex(0);
    CBCh10D.setItemIndex(0);

    Presets.fill(PresetSettings{});

    CBToneBFreq.setItemIndex(0);
    CBToneTFreq.setItemIndex(2);
    WriteValueLabels();

    FactoryBackgroundColor = 0x000000;
    FactoryCharacterColor = 0xFFFFFF;
    FactoryErrorColor = 0xFF0000;
    ApplyPreviewColors();

    AuxChannels.fill(AuxMixFilter{});
    SavedEnhancedBass = false;

    for (int i = 0; i < MaxSources; ++i) Sources[static_cast<std::size_t>(i)] = defaultSource(i + 1);

    TriggerEventMask = 2047;
    Thx = ThxSettings{};
    Dpl = DplSettings{};
    Modes = ModeTable{};
    Inputs = InputCounts{};
    SourceCount = 0;
    Opts = tavro::Options{};
    AboutLine1 = " ";
    AboutLine2 = " ";

    if (ReadSetupFileHook) {
        CurrentFileName = "Default.dfg";
        ReadResult result = ReadSetupFileHook(*this, "Default.dfg");
        if (result == ReadResult::Ok && ModelVariant == tavro::ModelVariant::M4820 && SBVolume.max() < VolumeTop4820) {
            // The volumes of a 4820 default go above the base model's top:
            // with the maxima raised, read the file once more so they are
            // taken as written instead of clamped.
            SBVolume.setMax(VolumeTop4820);
            SBZoneVolume.setMax(VolumeTop4820);
            result = ReadSetupFileHook(*this, "Default.dfg");
        }
        if (result == ReadResult::NotASetup) DefaultFileCorrupted = true;
        if (result == ReadResult::CannotOpen) DefaultFileUnreadableAtStart = true;
        CurrentFileName.clear();
    }

    ClearChangedMask();

    if (BuildImageHook) BuildImageHook(*this);
    CommOperation = CommOperation::OpIdle;

    if (ModelVariant == tavro::ModelVariant::M4820) {
        SBVolume.setMax(VolumeTop4820);
        SBZoneVolume.setMax(VolumeTop4820);
    }
}

void TTavroSetupMain::FormShow() {
    if (Splash) {
        host_.destroyWindow(*Splash);
        Splash.reset();
    }
    if (DefaultFileUnreadable) {
        host_.showError("Unable to open Default.dfg." + reasonLine(ReadFailureReason));
        host_.closeMainWindow();
        return;
    }
    if (DefaultFileCorrupted) {
        host_.showError("Error: Default.dfg is corrupted.");
        host_.closeMainWindow();
        return;
    }
    if (host_.pictureReadable("logo.bmp"))
        IMGLogo.setPictureFile("logo.bmp");
    else
        host_.showError("Unable to load the picture logo.bmp.");

    FileSave.setEnabled(false);
    WriteChangedSettings.setEnabled(false);
    OperationsVerifySettings.setEnabled(false);
}

// FormCloseQuery: SetupmainFiles.cpp.

void TTavroSetupMain::FormClose() {
    FeetItems.clear();
    MeterItems.clear();
    closed_ = true;
}

bool TTavroSetupMain::TryClose() {
    if (closed_) return true;
    if (!FormCloseQuery()) return false;
    FormClose();
    return true;
}

}  // namespace tavro
