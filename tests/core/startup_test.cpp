// The creation, show and close steps of the main window.
#include "MainFixture.h"
#include "forms/Dialogs.h"

using namespace tavro;
using namespace tavro::test;

namespace {
class Startup : public MainFixture {};
}  // namespace

TEST_F(Startup, CreationSetsEveryDefault) {
    start();
    TTavroSetupMain& w = m();
    EXPECT_EQ(w.ModelVariant, tavro::ModelVariant::Tavro);
    EXPECT_EQ(w.caption(), "Tavro Setup");

    struct ListDefault {
        ListBox* list;
        int count;
        const char* text;
    };
    const ListDefault lists[] = {
        {&w.CBLeftS, 2, "Large"},          {&w.CBRightS, 2, "Large"},         {&w.CBCenterS, 3, "Small"},
        {&w.CBLeftSS, 3, "Small"},         {&w.CBRightSS, 3, "Small"},        {&w.CBSubS, 2, "Yes"},
        {&w.CBLeftBS, 3, "No"},            {&w.CBRightBS, 3, "No"},           {&w.CBLeftL, 61, "0 dB"},
        {&w.CBSubL, 61, "0 dB"},           {&w.CBRightBL, 61, "0 dB"},        {&w.CBCh10L, 61, "0 dB"},
        {&w.CBLeftD, 64, "0 ft."},         {&w.CBSubD, 64, "0 ft."},          {&w.CBRightBD, 64, "0 ft."},
        {&w.CBCh9D, 161, "0.0 ms"},        {&w.CBSubFilter, 37, "80 Hz"},     {&w.CBToneBFreq, 3, "80 Hz"},
        {&w.CBToneTFreq, 3, "10 kHz"},     {&w.CBAnalogBassMg, 3, "All Large"}, {&w.CBOSDStyle, 30, "Factory Default"},
        {&w.CBBackgroundColor, 8, "Black"}, {&w.CBCharacterColor, 8, "White"}, {&w.CBErrorColor, 8, "Red"},
        {&w.CBTrigger1Source, 27, "Trigger Off"}, {&w.CBTrigger2Source, 27, "Trigger Off"},
        {&w.CBTrigger1Delay, 15, "No"},    {&w.CB2Duration, 17, "10 ms"},     {&w.CBZoneSource, 16, "Source1"},
        {&w.CBBalancedSource, 17, "Off"},
    };
    for (const ListDefault& d : lists) {
        EXPECT_EQ(d.list->count(), d.count) << d.list->name();
        EXPECT_EQ(d.list->text(), d.text) << d.list->name();
    }

    for (RadioButton* rb : {&w.RBDry, &w.RBThroughDSP, &w.RBPAL, &w.RBBlueback, &w.RBTempFull, &w.RBOSDInputAuto,
                            &w.RBOSDOutputBoth, &w.RBFeet, &w.RB1Positive, &w.RB2Positive})
        EXPECT_TRUE(rb->checked()) << rb->name();

    EXPECT_TRUE(w.CheckBoxSubFilter.checked());
    EXPECT_FALSE(w.CheckBoxEnhancedBass.checked());
    EXPECT_FALSE(w.CheckBoxRBack.checked());
    EXPECT_FALSE(w.CheckBoxSkipWelcome.checked());
    EXPECT_FALSE(w.CBRightBS.enabled());
    EXPECT_FALSE(w.CBRightBL.enabled());

    EXPECT_EQ(w.EditWelcome1.text(), "     Tavro OEM      ");
    EXPECT_EQ(w.EditWelcome2.text(), std::string(20, ' '));
    EXPECT_EQ(w.EditShutdown1.text(), "   Shutting down    ");
    EXPECT_EQ(w.EditShutdown2.text(), std::string(20, ' '));
    EXPECT_EQ(w.EditWelcome1.maxLength(), 20);

    struct Bar {
        ScrollBar* bar;
        int min, max, step, pos;
        Label* label;
        const char* text;
    };
    const Bar bars[] = {
        {&w.SBVolume, -70, 0, 5, -30, &w.LabelVolume, "Volume: -50 dB"},
        {&w.SBZoneVolume, -70, 0, 5, -30, &w.LabelZoneVolume, "Zone Volume: -50 dB"},
        {&w.SBBass, -12, 12, 2, 0, &w.LabelBass, "Bass: 0 dB"},
        {&w.SBTreble, -12, 12, 2, 0, &w.LabelTreble, "Treble: 0 dB"},
        {&w.SBPhones, -20, 10, 3, 10, &w.LabelPhones, "Offset: +10 dB"},
        {&w.SBLFELevel, -10, 0, 3, 0, &w.LabelLFELevel, "Level: 0 dB"},
    };
    for (const Bar& b : bars) {
        EXPECT_EQ(b.bar->min(), b.min) << b.bar->name();
        EXPECT_EQ(b.bar->max(), b.max) << b.bar->name();
        EXPECT_EQ(b.bar->largeStep(), b.step) << b.bar->name();
        EXPECT_EQ(b.bar->position(), b.pos) << b.bar->name();
        EXPECT_EQ(b.label->caption(), b.text) << b.bar->name();
    }

    // The preview shows white text on black with a red error line.
    EXPECT_EQ(w.MemoSampleText.color(), 0x000000);
    EXPECT_EQ(w.MemoSampleText.fontColor(), 0xFFFFFF);
    EXPECT_EQ(w.EditSampleError.color(), 0xFF0000);
    EXPECT_EQ(w.EditSampleError.fontColor(), 0xFFFFFF);

    EXPECT_EQ(w.Sources[9].Name, "Audio10");
    EXPECT_EQ(w.SourceCount, 0);
    EXPECT_EQ(w.TriggerEventMask, 2047);
    EXPECT_EQ(w.Thx.LimiterLevel, 50);
    EXPECT_EQ(w.AboutLine1, " ");
    EXPECT_EQ(w.AboutLine2, " ");
    EXPECT_EQ(w.Opts.ConfirmDiscard, 1);
    EXPECT_EQ(w.Inputs.DigitalInputCount, 6u);
    EXPECT_TRUE(w.CurrentFileName.empty());
    EXPECT_FALSE(w.SavedEnhancedBass);
    EXPECT_EQ(w.FeetItems.size(), 64u);
    EXPECT_EQ(w.MeterItems[63], "21.0 m");
    EXPECT_TRUE(marked().empty());
}

TEST_F(Startup, BeforeAnySetupIsReadEveryGroupBoxIsHidden) {
    start();
    int groups = 0;
    for (Control* c : m().controls())
        if (c->kind() == ControlKind::GroupBox) {
            ++groups;
            EXPECT_FALSE(c->visible()) << c->name();
        }
    EXPECT_EQ(groups, 30);  // one per setup section that shows a group
}

TEST_F(Startup, DialogsExistAfterTheMainWindowInTheirOrder) {
    bool dialogsDuringCreation = true;
    reader = [&](TTavroSetupMain& w, const std::string&) {
        dialogsDuringCreation = w.dialogs() != nullptr;
        return ReadResult::Ok;
    };
    start();
    EXPECT_FALSE(dialogsDuringCreation);
    ASSERT_NE(m().dialogs(), nullptr);
    Dialogs& d = *m().dialogs();
    EXPECT_EQ(d.FormOptions->caption(), "Options");
    EXPECT_EQ(d.FormAbout->caption(), "About");
    EXPECT_NE(d.FormComm, nullptr);
}

TEST_F(Startup, TheDefaultSetupIsReadUnderItsNameAndItsMarksAreCleared) {
    std::string nameWhileReading, pathRead;
    reader = [&](TTavroSetupMain& w, const std::string& path) {
        pathRead = path;
        nameWhileReading = w.CurrentFileName;
        w.CBCenterL.userSelect(20);  // an edit made while reading
        return ReadResult::Ok;
    };
    start();
    EXPECT_EQ(pathRead, "Default.dfg");
    EXPECT_EQ(nameWhileReading, "Default.dfg");
    EXPECT_TRUE(m().CurrentFileName.empty());
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().DefaultFileCorrupted);
}

TEST_F(Startup, A4820DefaultSetupRaisesBothVolumeMaxima) {
    reader = [](TTavroSetupMain& w, const std::string&) {
        w.ModelVariant = tavro::ModelVariant::M4820;
        return ReadResult::Ok;
    };
    start();
    EXPECT_EQ(m().SBVolume.max(), 28);
    EXPECT_EQ(m().SBZoneVolume.max(), 28);
    // Only the start-up changes them: a later setup of another model keeps 28.
    m().ModelVariant = tavro::ModelVariant::Tavro;
    m().SBVolume.setPosition(28);
    EXPECT_EQ(m().SBVolume.position(), 28);
}

TEST_F(Startup, ShowStepDisablesSaveUploadAndVerifyAndLoadsTheLogo) {
    host.readablePictures = {"logo.bmp"};
    start();
    // The form's own state before the show step: all enabled.
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(m().OperationsVerifySettings.enabled());
    m().FormShow();
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
    EXPECT_EQ(m().IMGLogo.pictureFile(), "logo.bmp");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.closeRequests, 0);
}

TEST_F(Startup, AnUnreadableLogoIsReportedAndStartUpGoesOn) {
    startAndShow();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("logo.bmp"), std::string::npos);
    EXPECT_TRUE(m().IMGLogo.pictureFile().empty());
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().closed());
}

TEST_F(Startup, AMissingOrCorruptDefaultSetupClosesTheProgramWithItsMessage) {
    struct Case {
        ReadResult result;
        bool unreadable;
        const char* message;
    };
    const Case cases[] = {
        {ReadResult::CannotOpen, true, "Unable to open Default.dfg."},
        {ReadResult::NotASetup, false, "Error: Default.dfg is corrupted."},
    };
    for (const Case& c : cases) {
        host = FakeHost{};
        host.readablePictures = {"logo.bmp"};
        reader = [&](TTavroSetupMain& w, const std::string&) {
            w.DefaultFileUnreadable = c.unreadable;
            return c.result;
        };
        startAndShow();
        ASSERT_EQ(host.errors.size(), 1u) << c.message;
        EXPECT_EQ(host.errors[0], c.message);
        EXPECT_EQ(host.closeRequests, 1);
        EXPECT_TRUE(m().closed());
        EXPECT_TRUE(m().IMGLogo.pictureFile().empty());
    }
}

TEST_F(Startup, ExitClosesTheWindowAndReleasesTheDistanceLists) {
    startAndShow();
    m().FileExit.userClick();
    EXPECT_EQ(host.closeRequests, 1);
    EXPECT_TRUE(m().closed());
    EXPECT_TRUE(m().FeetItems.empty());
    EXPECT_TRUE(m().MeterItems.empty());
}

TEST_F(Startup, MenusCarryTheirCaptionsAndShortcuts) {
    start();
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"FileMenu", "&File", ""},
        {"FileNew", "&New", "Ctrl+N"},
        {"FileOpen", "&Open...", "Ctrl+O"},
        {"FileSave", "&Save", "Ctrl+S"},
        {"FileSaveAs", "Save &As...", ""},
        {"FileOptions", "O&ptions", ""},
        {"FileExit", "E&xit", "Alt+F4"},
        {"OperationsMenu", "Op&erations", ""},
        {"OperationsCheckConnection", "&Check Connection", "F5"},
        {"OperationsReadSettings", "&Download Settings", "F6"},
        {"WriteChangedSettings", "&Upload Changed Settings", "F7"},
        {"OperationsWriteSettings", "Upload &All Settings", "F8"},
        {"OperationsVerifySettings", "&Verify Settings", "F9"},
        {"About", "A&bout...", ""},
    };
    for (const Item& i : items) {
        auto* item = m().findAs<MenuItem>(i.name);
        ASSERT_NE(item, nullptr) << i.name;
        EXPECT_EQ(item->caption(), i.caption);
        EXPECT_EQ(item->shortcut(), i.shortcut) << i.name;
    }
    EXPECT_TRUE(m().NOne.separator());
    EXPECT_TRUE(m().ExitOne.separator());
}
