// The main window: every setting control under its own name, the records
// kept beside them, the menus and the rules that tie the controls together.
// Which file holds which rules: docs/architecture.md.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "controls/Controls.h"
#include "forms/EditHistory.h"
#include "forms/Host.h"
#include "forms/SetupFile.h"
#include "forms/SetupmainGroups.h"
#include "forms/Splashsource.h"
#include "link/Backups.h"
#include "link/Masks.h"
#include "link/ParameterImage.h"
#include "link/Transfer.h"
#include "model/Records.h"
#include "model/ValueLists.h"

namespace tavro {

class Dialogs;

class TTavroSetupMain : public Form {
public:
    explicit TTavroSetupMain(Host& host);
    TTavroSetupMain(const TTavroSetupMain&) = delete;
    TTavroSetupMain& operator=(const TTavroSetupMain&) = delete;

    Host& host() { return host_; }

    // ---- Seams to the setup-file reader, the parameter image and the
    // transfer state. The program installs them before the creation step;
    // a run without them keeps every default and shows no group box.
    std::function<ReadResult(TTavroSetupMain&, const std::string& path)> ReadSetupFileHook;
    std::function<void(TTavroSetupMain&)> BuildImageHook;

    // The dialogs, created after the main window.
    void attachDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    Dialogs* dialogs() const { return dialogs_; }

    // ---- Window steps
    void FormCreate();
    void FormShow() override;
    // The close query: true when the window may close.
    bool FormCloseQuery();
    void FormClose() override;
    // Runs the close query and, when it agrees, the closing step. The view
    // calls it when the window is asked to close.
    bool TryClose();
    bool closed() const { return closed_; }

    // ---- Common steps
    void MarkChanged(std::initializer_list<int> entries);
    void MarkChangedRange(int first, int last);
    void ClearChangedMask();
    void RefreshAfterLoad();
    // After an upload whose automatic verify did not complete, flags the
    // entries it did not verify equal in the ChangedMask again.
    void FlagUnverifiedUpload();
    // Upload Changed Settings, backed up as the given operation.
    void UploadChanged(tavro::BackupOperation backup);

    MenuItem MainMenu{*this, "MainMenu", ""};
    MenuItem FileMenu{*this, "FileMenu", "&File"};
    MenuItem FileNew{*this, "FileNew", "&New", "Ctrl+N"};
    MenuItem FileOpen{*this, "FileOpen", "&Open...", "Ctrl+O"};
    MenuItem FileSave{*this, "FileSave", "&Save", "Ctrl+S"};
    MenuItem FileSaveAs{*this, "FileSaveAs", "Save &As..."};
    MenuItem FileBackups{*this, "FileBackups", "Processor &Backups..."};
    MenuItem NOne{*this, "NOne", "-"};
    MenuItem FileOptions{*this, "FileOptions", "O&ptions"};
    MenuItem ExitOne{*this, "ExitOne", "-"};
    MenuItem FileExit{*this, "FileExit", "E&xit", "Alt+F4"};
    MenuItem EditMenu{*this, "EditMenu", "E&dit"};
    MenuItem EditUndo{*this, "EditUndo", "&Undo", "Ctrl+Z"};
    // Ctrl+Shift+Z redoes too; the view gives the item both keys.
    MenuItem EditRedo{*this, "EditRedo", "&Redo", "Ctrl+Y"};
    MenuItem OperationsMenu{*this, "OperationsMenu", "Op&erations"};
    MenuItem OperationsCheckConnection{*this, "OperationsCheckConnection", "&Check Connection", "F5"};
    MenuItem OperationsReadSettings{*this, "OperationsReadSettings", "&Download Settings", "F6"};
    MenuItem WriteChangedSettings{*this, "WriteChangedSettings", "&Upload Changed Settings", "F7"};
    MenuItem OperationsWriteSettings{*this, "OperationsWriteSettings", "Upload &All Settings", "F8"};
    MenuItem OperationsVerifySettings{*this, "OperationsVerifySettings", "&Verify Settings", "F9"};
    MenuItem OperationsCompare{*this, "OperationsCompare", "Co&mpare with Processor..."};
    MenuItem About{*this, "About", "A&bout..."};

    TabSheet TabSheetGeneral{*this, "TabSheetGeneral", "General"};
    TabSheet TabSheetAudio{*this, "TabSheetAudio", "Audio"};
    TabSheet TabSheetSource{*this, "TabSheetSource", "Source"};
    TabSheet TabSheetSpeaker{*this, "TabSheetSpeaker", "Speaker"};
    TabSheet TabSheetOSD{*this, "TabSheetOSD", "Display"};
    TabSheet TabSheetTrigger{*this, "TabSheetTrigger", "Trigger"};
    TabSheet TabSheetPresets{*this, "TabSheetPresets", "Presets"};

    GroupBox GBMessages{*this, "GBMessages", "Messages"};
    Label LabelWelcome{*this, "LabelWelcome", "Welcome Message:"};
    CheckBox CheckBoxSkipWelcome{*this, "CheckBoxSkipWelcome", "Skip Welcome Message"};
    Edit EditWelcome1{*this, "EditWelcome1", 20, "     Tavro OEM      "};
    Edit EditWelcome2{*this, "EditWelcome2", 20, std::string(20, ' ')};
    Edit EditShutdown1{*this, "EditShutdown1", 20, "   Shutting down    "};
    Edit EditShutdown2{*this, "EditShutdown2", 20, std::string(20, ' ')};
    Image IMGLogo{*this, "IMGLogo"};

    GroupBox GBGeneralAudio{*this, "GBGeneralAudio", "General Audio Settings"};
    ScrollBar SBVolume{*this, "SBVolume", -70, 0, 5, -30};
    Label LabelVolume{*this, "LabelVolume", "Volume: -90dB"};
    ScrollBar SBBass{*this, "SBBass", -12, 12, 2, 0};
    Label LabelBass{*this, "LabelBass", "Bass: 0dB"};
    ScrollBar SBTreble{*this, "SBTreble", -12, 12, 2, 0};
    Label LabelTreble{*this, "LabelTreble", "Treble: 0dB"};
    GroupBox GBPhones{*this, "GBPhones", "Phones Volume Offset"};
    ScrollBar SBPhones{*this, "SBPhones", -20, 10, 3, 10};
    Label LabelPhones{*this, "LabelPhones", "Offset: 0dB"};
    GroupBox GBLFElevel{*this, "GBLFElevel", "LFE Level"};
    ScrollBar SBLFELevel{*this, "SBLFELevel", -10, 0, 3, 0};
    Label LabelLFELevel{*this, "LabelLFELevel", "Level: 0dB"};
    GroupBox GBReverb{*this, "GBReverb", "Reverb"};
    RadioButton RBDry{*this, "RBDry", GroupReverb, "Dry"};
    RadioButton RBDry1{*this, "RBDry1", GroupReverb, "1"};
    RadioButton RBWetDry2{*this, "RBWetDry2", GroupReverb, "2"};
    RadioButton RBWet3{*this, "RBWet3", GroupReverb, "3"};
    RadioButton RBWet{*this, "RBWet", GroupReverb, "Wet"};
    GroupBox GBToneFilters{*this, "GBToneFilters", "Tone Filters"};
    ListBox CBToneBFreq{*this, "CBToneBFreq"};
    ListBox CBToneTFreq{*this, "CBToneTFreq"};
    GroupBox GBAnalogBassMg{*this, "GBAnalogBassMg", "Analog Bass"};
    ListBox CBAnalogBassMg{*this, "CBAnalogBassMg"};
    GroupBox GBDPLII{*this, "GBDPLII", "Dolby PL II / DTS"};
    Button ButtonDPLII{*this, "ButtonDPLII", "Settings..."};
    GroupBox GBTHXUltra{*this, "GBTHXUltra", "THX Ultra2"};
    Button ButtonTHXUltra{*this, "ButtonTHXUltra", "Settings..."};

    GroupBox GBSource{*this, "GBSource", "Source  Settings"};
    Button BSource1{*this, "BSource1", "Source1"};
    Button BSource2{*this, "BSource2", "Source2"};
    Button BSource3{*this, "BSource3", "Source3"};
    Button BSource4{*this, "BSource4", "Source4"};
    Button BSource5{*this, "BSource5", "Source5"};
    Button BSource6{*this, "BSource6", "Source6"};
    Button BSource7{*this, "BSource7", "Source7"};
    Button BSource8{*this, "BSource8", "Source8"};
    Button BSource9{*this, "BSource9", "Source9"};
    Button BSource10{*this, "BSource10", "Sourc10"};
    Button BSource11{*this, "BSource11", "Sourc11"};
    Button BSource12{*this, "BSource12", "Sourc12"};
    Button BSource13{*this, "BSource13", "Sourc13"};
    Button BSource14{*this, "BSource14", "Sourc14"};
    Button BSource15{*this, "BSource15", "Sourc15"};
    Button BSource16{*this, "BSource16", "Sourc16"};
    GroupBox GBBalanced{*this, "GBBalanced", "Balanced Source Settings"};
    ListBox CBBalancedSource{*this, "CBBalancedSource"};
    Label LabelBalRouting{*this, "LabelBalRouting", "Balanced Source Routing"};
    RadioButton RBThroughDSP{*this, "RBThroughDSP", GroupBalancedRouting, "Through DSP"};
    RadioButton RBBypassDSP{*this, "RBBypassDSP", GroupBalancedRouting, "Bypass DSP"};
    GroupBox GBZone{*this, "GBZone", "Zone Settings"};
    ListBox CBZoneSource{*this, "CBZoneSource"};
    ScrollBar SBZoneVolume{*this, "SBZoneVolume", -70, 0, 5, -30};
    Label LabelZoneVolume{*this, "LabelZoneVolume", "Zone Volume: -90dB"};

    GroupBox GBSpeaker{*this, "GBSpeaker", "Speaker Settings"};
    ListBox CBLeftS{*this, "CBLeftS"};
    ListBox CBLeftL{*this, "CBLeftL"};
    ListBox CBLeftD{*this, "CBLeftD"};
    ListBox CBRightS{*this, "CBRightS"};
    ListBox CBRightL{*this, "CBRightL"};
    ListBox CBRightD{*this, "CBRightD"};
    ListBox CBCenterS{*this, "CBCenterS"};
    ListBox CBCenterL{*this, "CBCenterL"};
    ListBox CBCenterD{*this, "CBCenterD"};
    ListBox CBLeftSS{*this, "CBLeftSS"};
    ListBox CBLeftSL{*this, "CBLeftSL"};
    ListBox CBLeftSD{*this, "CBLeftSD"};
    ListBox CBRightSS{*this, "CBRightSS"};
    ListBox CBRightSL{*this, "CBRightSL"};
    ListBox CBRightSD{*this, "CBRightSD"};
    ListBox CBSubS{*this, "CBSubS"};
    ListBox CBSubL{*this, "CBSubL"};
    ListBox CBSubD{*this, "CBSubD"};
    CheckBox CheckBoxSubFilter{*this, "CheckBoxSubFilter", "Sub Filter:"};
    ListBox CBSubFilter{*this, "CBSubFilter"};
    CheckBox CheckBoxEnhancedBass{*this, "CheckBoxEnhancedBass", "Enhanced Bass"};
    GroupBox GBBackSpeaker{*this, "GBBackSpeaker", "Back Speaker Settings"};
    Label LabelLBack{*this, "LabelLBack", "Back:"};
    ListBox CBLeftBS{*this, "CBLeftBS"};
    ListBox CBLeftBL{*this, "CBLeftBL"};
    ListBox CBLeftBD{*this, "CBLeftBD"};
    CheckBox CheckBoxRBack{*this, "CheckBoxRBack", "2 Back Spks:"};
    ListBox CBRightBS{*this, "CBRightBS"};
    ListBox CBRightBL{*this, "CBRightBL"};
    ListBox CBRightBD{*this, "CBRightBD"};
    GroupBox GBCh9_10{*this, "GBCh9_10", "Aux Channel Settings"};
    Panel PanelLevel3{*this, "PanelLevel3"};
    Panel PanelDelay3{*this, "PanelDelay3"};
    ListBox CBCh9L{*this, "CBCh9L"};
    ListBox CBCh9D{*this, "CBCh9D"};
    Button ButtonCh9MixFilter{*this, "ButtonCh9MixFilter", "Mix && Filter..."};
    Label LabelCh10{*this, "LabelCh10", "Channel 10:"};
    ListBox CBCh10L{*this, "CBCh10L"};
    ListBox CBCh10D{*this, "CBCh10D"};
    Button ButtonCh10MixFilter{*this, "ButtonCh10MixFilter", "Mix && Filter..."};

    GroupBox GBBluebackFormat{*this, "GBBluebackFormat", "OSD Video Format"};
    RadioButton RBPAL{*this, "RBPAL", GroupVideoFormat, "PAL"};
    RadioButton RBNTSC{*this, "RBNTSC", GroupVideoFormat, "NTSC"};
    GroupBox GBSetupMode{*this, "GBSetupMode", "OSD Setup Mode"};
    RadioButton RBSuperimpose{*this, "RBSuperimpose", GroupSetupMode, "Superimpose"};
    RadioButton RBBlueback{*this, "RBBlueback", GroupSetupMode, "Blueback"};
    GroupBox GBTemporary{*this, "GBTemporary", "Temporary Display"};
    RadioButton RBTempFull{*this, "RBTempFull", GroupTemporary, "Full"};
    RadioButton RBTempSimple{*this, "RBTempSimple", GroupTemporary, "Simple"};
    RadioButton RBNoTemp{*this, "RBNoTemp", GroupTemporary, "No Temporary Display"};
    GroupBox GBOSDInput{*this, "GBOSDInput", "OSD Input Select"};
    RadioButton RBOSDInputAuto{*this, "RBOSDInputAuto", GroupOsdInput, "Auto"};
    RadioButton RBOSDInputCs{*this, "RBOSDInputCs", GroupOsdInput, "Composite"};
    RadioButton RBOSDInputSvideo{*this, "RBOSDInputSvideo", GroupOsdInput, "S-Video"};
    RadioButton RBOSDInputOff{*this, "RBOSDInputOff", GroupOsdInput, "OSD Input Off"};
    GroupBox GBOSDOutput{*this, "GBOSDOutput", "OSD Output Routing"};
    RadioButton RBOSDOutputCs{*this, "RBOSDOutputCs", GroupOsdOutput, "OSD to Composite"};
    RadioButton RBOSDOutputSvideo{*this, "RBOSDOutputSvideo", GroupOsdOutput, "OSD to S-Video"};
    RadioButton RBOSDOutputNo{*this, "RBOSDOutputNo", GroupOsdOutput, "No OSD"};
    RadioButton RBOSDOutputBoth{*this, "RBOSDOutputBoth", GroupOsdOutput, "OSD to Both Outputs"};
    GroupBox GBOSDStyle{*this, "GBOSDStyle", "OSD Style"};
    ListBox CBOSDStyle{*this, "CBOSDStyle"};
    Memo MemoSampleText{*this, "MemoSampleText", {"", "      Sample Text"}};
    Edit EditSampleError{*this, "EditSampleError", 0, "  Sample Error"};
    GroupBox GBFactory{*this, "GBFactory", "Factory Default Color Settings"};
    Label LabelBgCol{*this, "LabelBgCol", "Background:"};
    ListBox CBBackgroundColor{*this, "CBBackgroundColor"};
    Label LabelChCol{*this, "LabelChCol", "Characters:"};
    ListBox CBCharacterColor{*this, "CBCharacterColor"};
    Label LabelErrorCol{*this, "LabelErrorCol", "Error:"};
    ListBox CBErrorColor{*this, "CBErrorColor"};
    GroupBox GBDistanceUnits{*this, "GBDistanceUnits", "Distance Units"};
    RadioButton RBFeet{*this, "RBFeet", GroupDistanceUnits, "Feet"};
    RadioButton RBMeters{*this, "RBMeters", GroupDistanceUnits, "Meters"};

    GroupBox GBTrigger1{*this, "GBTrigger1", "Trigger 1"};
    ListBox CBTrigger1Source{*this, "CBTrigger1Source"};
    Label LabelTrigger1Polarity{*this, "LabelTrigger1Polarity", "Polarity"};
    RadioButton RB1Positive{*this, "RB1Positive", GroupTrigger1Polarity, "Positive"};
    RadioButton RB1Negative{*this, "RB1Negative", GroupTrigger1Polarity, "Negative"};
    Label LabelTrigger1Delay{*this, "LabelTrigger1Delay", "Delay"};
    ListBox CBTrigger1Delay{*this, "CBTrigger1Delay"};
    Label LabelTrigger1Duration{*this, "LabelTrigger1Duration", "Duration"};
    ListBox CB1Duration{*this, "CB1Duration"};
    GroupBox GBTrigger2{*this, "GBTrigger2", "Trigger 2"};
    ListBox CBTrigger2Source{*this, "CBTrigger2Source"};
    Label LabelTrigger2Polarity{*this, "LabelTrigger2Polarity", "Polarity"};
    RadioButton RB2Positive{*this, "RB2Positive", GroupTrigger2Polarity, "Positive"};
    RadioButton RB2Negative{*this, "RB2Negative", GroupTrigger2Polarity, "Negative"};
    Label LabelTrigger2Delay{*this, "LabelTrigger2Delay", "Delay"};
    ListBox CBTrigger2Delay{*this, "CBTrigger2Delay"};
    Label LabelTrigger2Duration{*this, "LabelTrigger2Duration", "Duration"};
    ListBox CB2Duration{*this, "CB2Duration"};

    GroupBox GBPanel1{*this, "GBPanel1", "Preset 1"};
    Button ButtonPanel1{*this, "ButtonPanel1", "Set..."};
    Panel PanelPreset1{*this, "PanelPreset1"};
    Label LabelPanel1C{*this, "LabelPanel1C", "Center:"};
    Label LabelPanel1Surr{*this, "LabelPanel1Surr", "Surrounds:"};
    Label LabelPanel1Sub{*this, "LabelPanel1Sub", "Subwoofer:"};
    Label LabelPanel1B{*this, "LabelPanel1B", "Bass:"};
    Label LabelPanel1T{*this, "LabelPanel1T", "Treble:"};
    Label LabelPanel1L{*this, "LabelPanel1L", "Lipsync:"};
    Label LPanel1C{*this, "LPanel1C", "0 dB"};
    Label LPanel1Surr{*this, "LPanel1Surr", "0 dB"};
    Label LPanel1Sub{*this, "LPanel1Sub", "0 dB"};
    Label LPanel1B{*this, "LPanel1B", "0 dB"};
    Label LPanel1T{*this, "LPanel1T", "0 dB"};
    Label LPanel1L{*this, "LPanel1L", "0 dB"};
    GroupBox GBPanel2{*this, "GBPanel2", "Preset 2"};
    Button ButtonPanel2{*this, "ButtonPanel2", "Set..."};
    Panel PanelPreset2{*this, "PanelPreset2"};
    Label LabelPanel2C{*this, "LabelPanel2C", "Center:"};
    Label LabelPanel2Surr{*this, "LabelPanel2Surr", "Surrounds:"};
    Label LabelPanel2Sub{*this, "LabelPanel2Sub", "Subwoofer:"};
    Label LabelPanel2B{*this, "LabelPanel2B", "Bass:"};
    Label LabelPanel2T{*this, "LabelPanel2T", "Treble:"};
    Label LabelPanel2L{*this, "LabelPanel2L", "Lipsync:"};
    Label LPanel2C{*this, "LPanel2C", "0 dB"};
    Label LPanel2Surr{*this, "LPanel2Surr", "0 dB"};
    Label LPanel2Sub{*this, "LPanel2Sub", "0 dB"};
    Label LPanel2B{*this, "LPanel2B", "0 dB"};
    Label LPanel2T{*this, "LPanel2T", "0 dB"};
    Label LPanel2L{*this, "LPanel2L", "0 dB"};
    GroupBox GBPanel3{*this, "GBPanel3", "Preset 3"};
    Button ButtonPanel3{*this, "ButtonPanel3", "Set..."};
    Panel PanelPreset3{*this, "PanelPreset3"};
    Label LabelPanel3C{*this, "LabelPanel3C", "Center:"};
    Label LabelPanel3Surr{*this, "LabelPanel3Surr", "Surrounds:"};
    Label LabelPanel3Sub{*this, "LabelPanel3Sub", "Subwoofer:"};
    Label LabelPanel3B{*this, "LabelPanel3B", "Bass:"};
    Label LabelPanel3T{*this, "LabelPanel3T", "Treble:"};
    Label LabelPanel3L{*this, "LabelPanel3L", "Lipsync:"};
    Label LPanel3C{*this, "LPanel3C", "0 dB"};
    Label LPanel3Surr{*this, "LPanel3Surr", "0 dB"};
    Label LPanel3Sub{*this, "LPanel3Sub", "0 dB"};
    Label LPanel3B{*this, "LPanel3B", "0 dB"};
    Label LPanel3T{*this, "LPanel3T", "0 dB"};
    Label LPanel3L{*this, "LPanel3L", "0 dB"};
    GroupBox GBPanel4{*this, "GBPanel4", "Preset 4"};
    Button ButtonPanel4{*this, "ButtonPanel4", "Set..."};
    Panel PanelPreset4{*this, "PanelPreset4"};
    Label LabelPanel4C{*this, "LabelPanel4C", "Center:"};
    Label LabelPanel4Surr{*this, "LabelPanel4Surr", "Surrounds:"};
    Label LabelPanel4Sub{*this, "LabelPanel4Sub", "Subwoofer:"};
    Label LabelPanel4B{*this, "LabelPanel4B", "Bass:"};
    Label LabelPanel4T{*this, "LabelPanel4T", "Treble:"};
    Label LabelPanel4L{*this, "LabelPanel4L", "Lipsync:"};
    Label LPanel4C{*this, "LPanel4C", "0 dB"};
    Label LPanel4Surr{*this, "LPanel4Surr", "0 dB"};
    Label LPanel4Sub{*this, "LPanel4Sub", "0 dB"};
    Label LPanel4B{*this, "LPanel4B", "0 dB"};
    Label LPanel4T{*this, "LPanel4T", "0 dB"};
    Label LPanel4L{*this, "LPanel4L", "0 dB"};
    GroupBox GBPanel5{*this, "GBPanel5", "Preset 5"};
    Button ButtonPanel5{*this, "ButtonPanel5", "Set..."};
    Panel PanelPreset5{*this, "PanelPreset5"};
    Label LabelPanel5C{*this, "LabelPanel5C", "Center:"};
    Label LabelPanel5Surr{*this, "LabelPanel5Surr", "Surrounds:"};
    Label LabelPanel5Sub{*this, "LabelPanel5Sub", "Subwoofer:"};
    Label LabelPanel5B{*this, "LabelPanel5B", "Bass:"};
    Label LabelPanel5T{*this, "LabelPanel5T", "Treble:"};
    Label LabelPanel5L{*this, "LabelPanel5L", "Lipsync:"};
    Label LPanel5C{*this, "LPanel5C", "0 dB"};
    Label LPanel5Surr{*this, "LPanel5Surr", "0 dB"};
    Label LPanel5Sub{*this, "LPanel5Sub", "0 dB"};
    Label LPanel5B{*this, "LPanel5B", "0 dB"};
    Label LPanel5T{*this, "LPanel5T", "0 dB"};
    Label LPanel5L{*this, "LPanel5L", "0 dB"};

    // ---- State kept beside the controls -----------------------------------
    tavro::ModelVariant ModelVariant = tavro::ModelVariant::Tavro;
    ItemList FeetItems;
    ItemList MeterItems;
    // The File menu's dialogs for opening and saving setups; Save As
    // proposes the current file's name.
    const FileDialogSetup ConfigOpenDialog{"Open...", "Setup Configuration|*.sfg", ".sfg", {}};
    const FileDialogSetup ConfigSaveDialog{"Save As", "Setup Configuration|*.sfg", ".sfg", {}};
    Rgb FactoryBackgroundColor = 0x000000;
    Rgb FactoryCharacterColor = 0xFFFFFF;
    Rgb FactoryErrorColor = 0xFF0000;
    bool SavedEnhancedBass = false;
    std::uint16_t TriggerEventMask = 2047;
    bool DefaultFileUnreadable = false;
    // Why the last read of a file could not open it, as the system says
    // ("Permission denied", "Not a regular file"); empty when it could.
    std::string ReadFailureReason;
    bool DefaultFileCorrupted = false;
    // "Default.dfg" could not be opened at start-up (DefaultFileUnreadable
    // tells the same of the last read of any file).
    bool DefaultFileUnreadableAtStart = false;
    std::string CurrentFileName;
    // The directory the program started in: "Default.dfg" and "DefTmp.bak"
    // are kept there whatever folder a file dialog visits.
    std::string StartDirectory;
    // Where processor backups are stored; empty: "backups" in the start
    // directory (processorBackupFolder).
    std::string BackupFolder;
    // Whether uploads back up the processor first; unset: the user's own
    // choice from Options, kept with the serial devices.
    std::optional<bool> BackupBeforeUpload;

    // ---- Records ----------------------------------------------------------
    using Source = SourceRecord;
    std::array<Source, MaxSources> Sources;
    std::uint8_t SourceCount = 0;
    std::array<PresetSettings, PresetCount> Presets;
    std::array<AuxMixFilter, 2> AuxChannels;
    DplSettings Dpl;
    ThxSettings Thx;
    ModeTable Modes;
    InputCounts Inputs;
    tavro::Options Opts;
    std::string AboutLine1 = " ";
    std::string AboutLine2 = " ";
    int EditedSource = 0;
    int EditedPreset = 0;
    int EditedAuxChannel = 0;

    EntryFlags ChangedMask{};
    // The processor's parameters as the program mirrors them, and the
    // entries transferred since the last verify.
    tavro::ParameterImage ParameterImage = InitialParameterImage();
    // The transfer operation of the communication dialog and its outcome
    // (values in link/Transfer.h); idle until the first transfer.
    tavro::CommOperation CommOperation = tavro::CommOperation::OpIdle;
    tavro::VerifyMask VerifyMask;

    // Undo and Redo of the user's steps (EditHistory.h).
    EditHistory History{*this};
    // Runs a user action on one of the window's controls as a step of the
    // history; the view and the tests make every user action through it.
    // leaving: a text field loses the focus.
    void userEdit(Control& control, const std::function<void()>& action, bool leaving = false) {
        History.userAction(control, action, leaving);
    }

    // ---- Groupings used by the rules -------------------------------------
    std::array<Button*, MaxSources> sourceButtons();
    std::array<ListBox*, 8> distanceLists();  // in the order the unit switch visits them
    using PresetPanel = tavro::PresetPanel;
    PresetPanel presetPanel(int n);  // n = 1..5
    // The names of sources 1..count, as the source lists show them.
    ItemList sourceNames(int count) const;
    // "Off" and the names of the sources in use.
    ItemList balancedSourceItems() const;
    // The video inputs of the source dialog's list for the model and the
    // setup's component video count.
    ItemList componentVideoItems() const;
    std::array<TabSheet*, 7> tabSheets();

    // The start-up picture while it is shown (from before the creation step
    // until the show step).
    std::unique_ptr<TSplash> Splash;

    // ---- Menu handlers ------------------------------------------------------
    void FileExitClick();
    // File commands, in SetupmainFiles.cpp.
    void FileNewClick();
    void FileOpenClick();
    void FileSaveClick();
    void FileSaveAsClick();
    void FileOptionsClick();
    void AboutClick();
    void OperationsCheckConnectionClick();
    void OperationsReadSettingsClick();
    void WriteChangedSettingsClick();
    void OperationsWriteSettingsClick();
    void OperationsVerifySettingsClick();
    // Reads the processor's values of the visible part of the setup and
    // lists the settings that differ; the setup changes only when the user
    // uploads them.
    void OperationsCompareClick();
    // Uploads exactly the flagged entries of the image (a backup's), backed
    // up first like every upload and verified after; the image and masks are
    // the setup's again afterwards. True only when every entry was written
    // and verified.
    bool RestoreBackup(const tavro::ParameterImage& image, const EntryFlags& entries);
    // File > Processor Backups...: the backups dialog (SetupmainBackups.cpp).
    void FileBackupsClick();
    // Reads the processor's values of the backup's entries and lists those
    // that differ from the backup as Compare with Processor lists them;
    // Upload These restores the differing entries.
    void CompareBackup(const tavro::BackupContents& backup);
    // Takes the backup's values into the setup as a download takes what it
    // read, and flags the backup's entries as changed, so that Save and
    // Upload Changed Settings take them further.
    void OpenBackupAsSetup(const tavro::BackupContents& backup);
    // What the processor holds of the entries `which` (the visible part of
    // the setup when unset), read in the communication dialog under the
    // caption; the setup's image, masks and operation are as before
    // afterwards. None when the read failed or was aborted.
    struct ProcessorValues {
        tavro::ParameterImage image;
        EntryFlags read;  // the entries read
    };
    std::optional<ProcessorValues> ReadProcessorValues(const char* caption, const std::optional<EntryFlags>& which);

    // ---- Speaker rules ------------------------------------------------------
    void CBLeftSChange();
    void CBRightSChange();
    void CBCenterSChange();
    void CBLeftSSChange();
    void CBRightSSChange();
    void CBSubSChange();
    void CheckBoxRBackClick();
    void CBLeftBSChange();
    void CBRightBSChange();
    void CheckBoxSubFilterClick();
    void RBFeetClick();
    void RBMetersClick();
    // Replaces the items of the eight distance lists, keeping each index.
    void ApplyDistanceUnit(bool feet);
    // What the speaker sizes enable: the centre's level and distance, the
    // surrounds' levels and distances, the subwoofer's level and distance,
    // and the Pro Logic II / DTS settings (centre or surrounds). Every rule
    // that changes a size, a setup read and a download end with it.
    void ApplySpeakerEnabling();
    void ApplyThxButtonRule();
    // The back row's enabled states from the surrounds, the back size and
    // CheckBoxRBack: without surrounds every back control is off; a back
    // speaker enables its level, distance and "2 Back Spks:"; the right back
    // lists follow CheckBoxRBack.
    void ApplyBackSpeakerEnabling();
    // Without a subwoofer Enhanced Bass waits unchecked and disabled, its
    // state kept in SavedEnhancedBass; a box already waiting keeps the state
    // remembered when it began to wait.
    void ParkEnhancedBass();
    void ButtonCh9MixFilterClick();
    void ButtonCh10MixFilterClick();

    // ---- Audio, zone and balanced input -----------------------------------
    void SBVolumeChange();
    void SBBassChange();
    void SBTrebleChange();
    void SBPhonesChange();
    void SBLFELevelChange();
    void SBZoneVolumeChange();
    void CBBalancedSourceChange();
    void ButtonDPLIIClick();
    void ButtonTHXUltraClick();
    void ApplyBalancedRoutingRule();
    // Rebuilds the zone and balanced source lists from the source names, as
    // reading a "[Sources]" section does: a selection of a source that is
    // not in use falls back to the first item.
    void RebuildZoneAndBalancedLists();
    // Refills the zone, balanced and trigger source lists with the current
    // source names, each keeping its selected index: the zone list with
    // zoneItems names (as many as before unless given), a selection beyond
    // them falling back to the first item.
    void RefillSourceLists(std::optional<int> zoneItems = std::nullopt);
    // How many sources the zone list offers: the sources in use on the base
    // model, the first six on the others.
    int zoneSourceCount() const;
    // Rewrites the six value labels from their scroll bars.
    void WriteValueLabels();

    // ---- Source buttons and presets ----------------------------------------
    void RefreshPresetPanels();
    // Fill the source dialog from source n (1..16) and the preset dialog
    // from preset n (1..5), and set the edit cursor.
    void LoadSourceDialog(int n);
    void LoadPresetDialog(int n);
    void BSource1Click();
    void BSource2Click();
    void BSource3Click();
    void BSource4Click();
    void BSource5Click();
    void BSource6Click();
    void BSource7Click();
    void BSource8Click();
    void BSource9Click();
    void BSource10Click();
    void BSource11Click();
    void BSource12Click();
    void BSource13Click();
    void BSource14Click();
    void BSource15Click();
    void BSource16Click();
    void ButtonPanel1Click();
    void ButtonPanel2Click();
    void ButtonPanel3Click();
    void ButtonPanel4Click();
    void ButtonPanel5Click();

    // ---- OSD, triggers and messages ---------------------------------------
    void RBOSDOutputBothClick();
    void RBOSDOutputCsClick();
    void RBOSDOutputSvideoClick();
    void RBOSDOutputNoClick();
    void CBOSDStyleChange();
    void CBBackgroundColorChange();
    void CBCharacterColorChange();
    void CBErrorColorChange();
    void CBTrigger1SourceChange();
    void CBTrigger2SourceChange();
    void CheckBoxSkipWelcomeClick();
    void EditWelcome1Change();
    void EditWelcome2Change();
    void EditShutdown1Change();
    void EditShutdown2Change();
    void EditWelcome1Exit();
    void EditWelcome2Exit();
    void EditShutdown1Exit();
    void EditShutdown2Exit();
    void FilterMessageTexts();
    void ApplyOsdEnabling(bool enabled);
    void ApplyPreviewColors();
    void ApplyTriggerEnabling(int trigger);  // 1 or 2
    // Rebuilds both trigger source lists, keeping each selection that still
    // exists ("Trigger Off" otherwise).
    void RebuildTriggerLists();

private:
    void wireHandlers();
    void setDesignDefaults();
    void SourceButtonClick(int n);
    void PresetButtonClick(int n);
    void frontSizeRule(ListBox& from, ListBox& to);
    void surroundSizeRule(ListBox& from, ListBox& to);
    void backSizeNo();

    Host& host_;
    Dialogs* dialogs_ = nullptr;
    bool closed_ = false;
};

}  // namespace tavro
