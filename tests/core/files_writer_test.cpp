// The writer: the exact text, the order and conditions of the
// sections, the encodings; write -> read -> write giving identical bytes for
// generated setups of all three models; and the failure paths of a save,
// which never destroy the previous file.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "MainFixture.h"
#include "files/TextForm.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class FilesWriter : public MainFixture {
protected:
    void SetUp() override {
        host.readablePictures = {"logo.bmp"};
        startAndShow();
    }

    std::vector<std::string> headers(const std::string& text) {
        std::vector<std::string> out;
        for (const std::string& l : files::splitLines(text))
            if (!l.empty() && l.front() == '[') out.push_back(l);
        return out;
    }
    // The value lines of one section of the text.
    std::vector<std::string> sectionLines(const std::string& text, const std::string& header) {
        const auto all = files::splitLines(text);
        std::vector<std::string> out;
        bool in = false;
        for (const std::string& l : all) {
            if (in && l.empty()) break;
            if (in) out.push_back(l);
            if (l == header) in = true;
        }
        return out;
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(scratchDir())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::vector<std::string> AllHeaders{
    "[General]", "[Messages]", "[Distance Units]", "[General Audio Settings]", "[Tone Filters]", "[LFE Level]",
    "[Analog Bass Management]", "[DPL II/DTS Settings]", "[THX Ultra2 Settings]", "[Reverb Wetness]",
    "[Phones Volume Offset]", "[Modes]", "[Sources]", "[Zone Settings]", "[Balanced Source Settings]",
    "[Speaker Settings]", "[Back Speaker Settings]", "[Aux Channel Settings]", "[Blueback Video Format]",
    "[OSD Setup Mode]", "[Temporary Display]", "[OSD Input Select]", "[OSD Output Routing]",
    "[Factory Default Color Settings]", "[OSD Style]", "[Trigger 1]", "[Trigger 2]", "[Preset 1]", "[Preset 2]",
    "[Preset 3]", "[Preset 4]", "[Preset 5]", "[Options]"};

// ---- generated setups -----------------------------------------------------

// Sets every setting of the window to random values that a read can
// produce: the same consistency that the reader and RefreshAfterLoad keep.
class SetupGenerator {
public:
    explicit SetupGenerator(unsigned seed) : rng_(seed) {}

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool coin() { return pick(0, 1) == 1; }

    std::string text(std::size_t maxLength, bool displayOnly) {
        static const std::string display = "ABCxyz0123456789 !()*,-./:";
        std::string s(static_cast<std::size_t>(pick(0, static_cast<int>(maxLength))), ' ');
        for (char& c : s) {
            if (displayOnly) {
                c = display[static_cast<std::size_t>(pick(0, static_cast<int>(display.size()) - 1))];
            } else {
                do c = static_cast<char>(pick(1, 255));
                while (c == '\n' || c == '\x1a' || c == '\r');
            }
        }
        return s;
    }

    void fill(TTavroSetupMain& w, tavro::ModelVariant model) {
        // Group boxes: a random choice of sections.
        for (Control* c : w.controls())
            if (c->kind() == ControlKind::GroupBox) c->setVisible(pick(0, 4) != 0);

        w.ModelVariant = model;
        if (model == tavro::ModelVariant::M4820) {
            w.SBVolume.setMax(28);
            w.SBZoneVolume.setMax(28);
        }
        w.setCaption(text(160, false));
        w.AboutLine1 = text(160, false);
        w.AboutLine2 = text(160, false);

        w.CheckBoxSkipWelcome.setChecked(coin());
        for (Edit* e : {&w.EditWelcome1, &w.EditWelcome2, &w.EditShutdown1, &w.EditShutdown2}) e->setText(text(20, true));
        // Metres only come with the section that says so.
        (w.GBDistanceUnits.visible() && coin() ? w.RBMeters : w.RBFeet).setChecked(true);
        w.ApplyDistanceUnit(w.RBFeet.checked());

        w.SBVolume.setPosition(pick(-70, w.SBVolume.max()));
        w.SBZoneVolume.setPosition(pick(-70, w.SBZoneVolume.max()));
        w.SBBass.setPosition(pick(-12, 12));
        w.SBTreble.setPosition(pick(-12, 12));
        w.SBLFELevel.setPosition(pick(-10, 0));
        w.SBPhones.setPosition(pick(-20, 10));
        w.CBToneBFreq.setItemIndex(pick(0, 2));
        w.CBToneTFreq.setItemIndex(pick(0, 2));
        w.CBAnalogBassMg.setItemIndex(pick(0, 2));
        RadioButton* reverb[] = {&w.RBDry, &w.RBDry1, &w.RBWetDry2, &w.RBWet3, &w.RBWet};
        reverb[pick(0, 4)]->setChecked(true);

        w.Dpl.Panorama = static_cast<std::uint8_t>(pick(0, 1));
        w.Dpl.CenterWidth = static_cast<std::uint8_t>(pick(1, 8));
        w.Dpl.Dimension = static_cast<std::uint8_t>(pick(1, 7));
        w.Dpl.CenterImage = static_cast<std::uint8_t>(pick(1, 6));
        w.Thx.Ultra2Sub = static_cast<std::uint8_t>(pick(0, 1));
        w.Thx.BoundaryGain = w.Thx.Ultra2Sub == 1 ? static_cast<std::uint8_t>(pick(0, 1)) : 0;
        w.Thx.AsaPosition = pick(0, 2);
        w.Thx.LimiterOn = static_cast<std::uint8_t>(pick(0, 1));
        w.Thx.LimiterLevel = pick(0, 50);

        // The sources and the modes exist in a file only together with the
        // source buttons: with GBSource hidden they keep their defaults
        // (and so does everything that depends on them).
        const bool sources = coin();
        w.GBSource.setVisible(sources);
        if (sources) {
            w.Modes.ModeAvailable.fill(0);
            for (auto& f : w.Modes.ModeAvailable) f = static_cast<std::uint8_t>(pick(0, 1));
            for (auto& n : w.Modes.MusicModeNames) n = text(160, false);
            w.Modes.ensureOneOffered();
            w.Inputs.DigitalInputCount = static_cast<unsigned>(pick(0, 8));
            w.Inputs.ComponentVideoPresent = static_cast<std::uint8_t>(pick(0, 1));
            w.Inputs.ComponentVideoCount = pick(1, 19);
            w.SourceCount = static_cast<std::uint8_t>(pick(1, 16));
        }
        const bool tavro8 = w.Inputs.DigitalInputCount == 8 && model == tavro::ModelVariant::Tavro;
        for (int i = 0; i < w.SourceCount; ++i) {
            SourceRecord& s = w.Sources[static_cast<std::size_t>(i)];
            s.Name = text(7, true);
            s.Mode = static_cast<std::uint8_t>(pick(0, 15));
            s.Sensitivity = static_cast<std::uint8_t>(pick(0, 15));
            s.DigitalInput = static_cast<std::uint8_t>(tavro8 ? pick(0, 7) : pick(0, static_cast<int>(w.Inputs.DigitalInputCount)));
            s.ComponentVideo = static_cast<std::uint8_t>(model == tavro::ModelVariant::Tavro ? pick(0, 3) : pick(0, 13));
            s.PresetAssoc = static_cast<std::uint8_t>(pick(0, 6));
        }
        auto buttons = w.sourceButtons();
        for (int n = 1; n <= MaxSources; ++n) {
            buttons[static_cast<std::size_t>(n - 1)]->setCaption(w.Sources[static_cast<std::size_t>(n - 1)].Name);
            buttons[static_cast<std::size_t>(n - 1)]->setVisible(n == 1 || n <= w.SourceCount);
        }
        if (sources) w.RebuildZoneAndBalancedLists();
        w.CBZoneSource.setItemIndex(pick(0, std::max(0, w.CBZoneSource.count() - 1)));
        w.CBBalancedSource.setItemIndex(pick(0, w.CBBalancedSource.count() - 1));
        (coin() ? w.RBThroughDSP : w.RBBypassDSP).setChecked(true);

        // Speakers, with the dependencies the reader keeps.
        const int front = pick(0, 1), center = pick(0, 2), surround = pick(0, 2), back = pick(0, 2);
        const int sub = front == 0 ? 1 : pick(0, 1);
        w.CBLeftS.setItemIndex(front);
        w.CBRightS.setItemIndex(front);
        w.CBCenterS.setItemIndex(center);
        w.CBLeftSS.setItemIndex(surround);
        w.CBRightSS.setItemIndex(surround);
        w.CBSubS.setItemIndex(sub);
        w.CBLeftBS.setItemIndex(back);
        w.CBRightBS.setItemIndex(back);
        for (ListBox* l : {&w.CBLeftL, &w.CBRightL, &w.CBCenterL, &w.CBLeftSL, &w.CBRightSL, &w.CBSubL, &w.CBLeftBL,
                           &w.CBRightBL, &w.CBCh9L, &w.CBCh10L})
            l->setItemIndex(pick(0, 60));
        for (ListBox* l : w.distanceLists()) l->setItemIndex(pick(0, 63));
        if (center == 0) {
            w.CBCenterL.setItemIndex(30);
            w.CBCenterD.setItemIndex(0);
        }
        if (surround == 0 && back == 0) {
            for (ListBox* l : {&w.CBLeftSL, &w.CBRightSL}) l->setItemIndex(30);
            for (ListBox* l : {&w.CBLeftSD, &w.CBRightSD}) l->setItemIndex(0);
        }
        if (sub == 0) {
            w.CBSubL.setItemIndex(30);
            w.CBSubD.setItemIndex(0);
        }
        w.CheckBoxSubFilter.setChecked(coin());
        w.CBSubFilter.setItemIndex(pick(0, 36));
        w.CheckBoxEnhancedBass.setChecked(sub == 1 && coin());
        w.CheckBoxRBack.setChecked(back != 0 && coin());

        const bool ch10 = coin();
        for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
            c->setVisible(ch10);
        w.CBCh9D.setItemIndex(pick(0, 160));
        w.CBCh10D.setItemIndex(pick(0, 160));
        for (AuxMixFilter& a : w.AuxChannels) {
            for (auto& mix : a.Mix) mix = static_cast<std::int8_t>(pick(-100, 100));
            a.Filter1Type = static_cast<std::uint8_t>(pick(0, 2));
            a.Filter1Freq = static_cast<std::uint8_t>(pick(0, a.Filter1Type == FilterHighpass ? 39 : 56));
            a.Filter2Type = static_cast<std::uint8_t>(pick(0, 2));
            a.Filter2Freq = static_cast<std::uint8_t>(pick(0, a.Filter2Type == FilterHighpass ? 39 : 56));
        }

        RadioButton* format[] = {&w.RBPAL, &w.RBNTSC};
        format[pick(0, 1)]->setChecked(true);
        RadioButton* mode[] = {&w.RBSuperimpose, &w.RBBlueback};
        mode[pick(0, 1)]->setChecked(true);
        RadioButton* temp[] = {&w.RBTempFull, &w.RBTempSimple, &w.RBNoTemp};
        temp[pick(0, 2)]->setChecked(true);
        RadioButton* input[] = {&w.RBOSDInputAuto, &w.RBOSDInputCs, &w.RBOSDInputSvideo, &w.RBOSDInputOff};
        input[pick(0, 3)]->setChecked(true);
        RadioButton* output[] = {&w.RBOSDOutputBoth, &w.RBOSDOutputCs, &w.RBOSDOutputSvideo, &w.RBOSDOutputNo};
        output[pick(0, 3)]->setChecked(true);
        for (ListBox* l : {&w.CBBackgroundColor, &w.CBCharacterColor, &w.CBErrorColor}) l->setItemIndex(pick(0, 7));
        w.CBOSDStyle.setItemIndex(pick(0, 29));

        w.TriggerEventMask = static_cast<std::uint16_t>(pick(0, 2047));
        w.RebuildTriggerLists();
        for (ListBox* l : {&w.CBTrigger1Source, &w.CBTrigger2Source}) l->setItemIndex(pick(0, l->count() - 1));
        for (ListBox* l : {&w.CBTrigger1Delay, &w.CBTrigger2Delay}) l->setItemIndex(pick(0, 14));
        for (ListBox* l : {&w.CB1Duration, &w.CB2Duration}) l->setItemIndex(pick(0, 16));
        (coin() ? w.RB1Positive : w.RB1Negative).setChecked(true);
        (coin() ? w.RB2Positive : w.RB2Negative).setChecked(true);

        for (PresetSettings& p : w.Presets) {
            for (int f = 0; f < 5; ++f) p.field(f) = static_cast<std::uint8_t>(pick(0, 24));
            p.Lipsync = static_cast<std::uint8_t>(pick(0, 150));
        }
        w.Opts.ComPort = static_cast<std::uint8_t>(pick(1, 4));
        w.Opts.AutoVerify = static_cast<std::uint8_t>(pick(0, 1));
        w.Opts.ConfirmDiscard = static_cast<std::uint8_t>(pick(0, 1));

        // What the end of every read does.
        w.RefreshAfterLoad();
    }

private:
    std::mt19937 rng_;
};

}  // namespace

TEST_F(FilesWriter, WritesTheExactTextOfASetupWithoutSections) {
    const std::string path = scratchDir() + "/plain.sfg";
    ASSERT_EQ(WriteSetupFile(m(), path), WriteResult::Ok);
    EXPECT_EQ(readBytes(path), crlf({"//Setup", "", "[General]", "Tavro Setup", " ", " ", "Tavro", "", "[Options]",
                                     "COM1", "Verify Off", "Confirm", ""}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesWriter, WritesTheSectionsInTheirOrderEachOnlyWhileItsGroupBoxIsShown) {
    showAllGroups();
    m().SourceCount = 2;
    EXPECT_EQ(headers(FormatSetupText(m())), AllHeaders);

    m().GBSource.setVisible(false);
    m().GBTrigger2.setVisible(false);
    m().GBPanel4.setVisible(false);
    std::vector<std::string> expected;
    for (const std::string& h : AllHeaders)
        if (h != "[Modes]" && h != "[Sources]" && h != "[Trigger 2]" && h != "[Preset 4]") expected.push_back(h);
    EXPECT_EQ(headers(FormatSetupText(m())), expected);
}

TEST_F(FilesWriter, EncodesEachValueAsTheReaderExpectsIt) {
    TTavroSetupMain& w = m();
    showAllGroups();
    w.setCaption("Cap");
    w.RBMeters.setChecked(true);  // runs the unit switch
    w.CBLeftL.setItemIndex(31);
    w.CBRightL.setItemIndex(0);
    w.CBLeftD.setItemIndex(12);
    w.CBCenterS.setItemIndex(0);
    w.CBLeftSS.setItemIndex(2);
    w.CBSubS.setItemIndex(0);
    w.CheckBoxSubFilter.setChecked(false);
    w.CBSubFilter.setItemIndex(16);
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Speaker Settings]"),
              (std::vector<std::string>{"Large", "-0.5", "15.0", "4.0 m", "0.0 m", "No", "Large", "0.0", "0.0",
                                        "0.0 m", "0.0 m", "No", "Filter Off", "100", "Enhanced Off"}));

    w.SBVolume.setPosition(-70);
    w.SBBass.setPosition(-3);
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[General Audio Settings]"), (std::vector<std::string>{"-90", "-3", "0"}));

    w.Thx = {1, 1, 2, 1, 0};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[THX Ultra2 Settings]"),
              (std::vector<std::string>{"Ultra2Sub", "BGC On", "Apart", "Limiter On", "0"}));
    w.Thx = {0, 0, 1, 0, 50};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[THX Ultra2 Settings]"),
              (std::vector<std::string>{"No Ultra2Sub", "BGC Off", "Close", "Limiter Off", "-50"}));

    w.Modes.ModeAvailable.fill(0);
    w.Modes.ModeAvailable[ModeDolbyProLogic] = 1;
    w.Modes.ModeAvailable[ModeMusic1 + 1] = 1;
    w.Modes.ModeAvailable[ModeDspBypass] = 1;
    w.Modes.MusicModeNames[1] = "Jazz Club";
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Modes]"),
              (std::vector<std::string>{"3", "Dolby Pro Logic", "Music 2", "Jazz Club", "DSP Bypass"}));

    w.Inputs = {8, 1, 3};
    w.SourceCount = 2;
    w.Sources[0] = {"DVD", 16, 0, 0, 0, 6};
    w.Sources[1] = {"CD", 15, 15, 7, 3, 2};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Sources]"),
              (std::vector<std::string>{"8", "Component Video", "3", "2", "DVD", "Mono", "-5", "1", "Flat", "Off", "CD",
                                        "DSP Bypass", "10", "8", "2", "3"}));
    w.ModelVariant = tavro::ModelVariant::R7;
    w.Inputs = {6, 0, 3};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Sources]"),
              (std::vector<std::string>{"6", "2", "DVD", "Mono", "-5", "Off", "Flat", "CD", "DSP Bypass", "10", "7",
                                        "2"}));
    w.Inputs = {0, 0, 3};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Sources]"),
              (std::vector<std::string>{"0", "2", "DVD", "Mono", "-5", "Flat", "CD", "DSP Bypass", "10", "2"}));

    w.ButtonCh10MixFilter.setVisible(false);
    w.CBCh9D.setItemIndex(15);
    w.AuxChannels[0] = {{1, -2, 3, -4, 5, -6, 100}, FilterLowpass, 40, FilterHighpass, 39};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Aux Channel Settings]"),
              (std::vector<std::string>{"1", "0.0", "7.5 ms", "Lowpass", "2000", "Highpass", "1000", "1", "-2", "3",
                                        "-4", "5", "-6", "100"}));
    w.AuxChannels[0].Filter1Freq = 37;
    w.AuxChannels[0].Filter2Type = FilterNone;
    w.AuxChannels[0].Filter2Freq = 36;
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Aux Channel Settings]")[4], "250");
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Aux Channel Settings]")[5], "No Filter");
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Aux Channel Settings]")[6], "200");

    w.CheckBoxRBack.setChecked(false);
    w.CBLeftBS.setItemIndex(1);
    w.CBLeftBL.setItemIndex(29);
    w.CBLeftBD.setItemIndex(3);
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Back Speaker Settings]"),
              (std::vector<std::string>{"1", "Small", "0.5", "1.0 m"}));
    w.CBLeftBS.setItemIndex(0);
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Back Speaker Settings]"), (std::vector<std::string>{"1", "No"}));

    w.RBWet3.setChecked(true);
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Reverb Wetness]"), (std::vector<std::string>{"3"}));
    w.RBNTSC.setChecked(true);
    w.RBSuperimpose.setChecked(true);
    w.RBNoTemp.setChecked(true);
    w.RBOSDInputCs.setChecked(true);
    w.RBOSDOutputNo.setChecked(true);
    const std::string text = FormatSetupText(w);
    EXPECT_EQ(sectionLines(text, "[Blueback Video Format]"), (std::vector<std::string>{"NTSC"}));
    EXPECT_EQ(sectionLines(text, "[OSD Setup Mode]"), (std::vector<std::string>{"Superimpose"}));
    EXPECT_EQ(sectionLines(text, "[Temporary Display]"), (std::vector<std::string>{"No"}));
    EXPECT_EQ(sectionLines(text, "[OSD Input Select]"), (std::vector<std::string>{"Composite Video"}));
    EXPECT_EQ(sectionLines(text, "[OSD Output Routing]"), (std::vector<std::string>{"Off"}));
    EXPECT_EQ(sectionLines(text, "[Factory Default Color Settings]"),
              (std::vector<std::string>{"Black", "White", "Red"}));
    EXPECT_EQ(sectionLines(text, "[OSD Style]"), (std::vector<std::string>{"Factory Default"}));
    EXPECT_EQ(sectionLines(text, "[Trigger 1]"), (std::vector<std::string>{"1", "No", "10 ms", "Positive", "2047"}));
    EXPECT_EQ(sectionLines(text, "[Preset 1]"), (std::vector<std::string>{"0", "0", "0", "0", "0", "0"}));
    w.Opts = {4, 1, 0};
    EXPECT_EQ(sectionLines(FormatSetupText(w), "[Options]"),
              (std::vector<std::string>{"COM4", "Verify On", "No Confirmation"}));
}

TEST_F(FilesWriter, CleansTheMessageTextsBeforeWriting) {
    m().GBMessages.setVisible(true);
    m().EditWelcome1.setText("Caf\xE9 #1");
    const std::string path = scratchDir() + "/m.sfg";
    ASSERT_EQ(WriteSetupFile(m(), path), WriteResult::Ok);
    EXPECT_EQ(m().EditWelcome1.text(), "Caf   1");
    EXPECT_EQ(sectionLines(readBytes(path), "[Messages]")[1], "Caf   1");
}

TEST_F(FilesWriter, WriteReadWriteGivesIdenticalBytesForGeneratedSetupsOfEveryModel) {
    const tavro::ModelVariant models[] = {tavro::ModelVariant::Tavro, tavro::ModelVariant::R7,
                                          tavro::ModelVariant::M4820};
    int compared = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const tavro::ModelVariant model = models[seed % 3];
        const std::string folder = scratchDir() + "/run" + std::to_string(seed);
        std::filesystem::create_directory(folder);
        // Both programs start on a default setup of the model that holds
        // only its "[General]" section (so a 4820 gets its volume range).
        writeBytes(folder + "/Default.dfg", setupText({"[General]", "Start", " ", " ", modelVariantName(model)}));
        auto startIn = [&folder](TTavroSetupMain& w) { w.StartDirectory = folder; };

        FakeHost hostA;
        Program a(hostA, startIn);
        SetupGenerator(seed).fill(a.main(), model);
        ASSERT_EQ(WriteSetupFile(a.main(), folder + "/first.sfg"), WriteResult::Ok);
        const std::string first = readBytes(folder + "/first.sfg");

        // Another program opens that file and saves it unchanged.
        FakeHost hostB;
        Program b(hostB, startIn);
        hostB.openAnswers = {folder + "/first.sfg"};
        hostB.answers = {true};  // discard the unsaved start-up setup
        b.main().FileOpenClick();
        ASSERT_EQ(b.main().CurrentFileName, folder + "/first.sfg");
        hostB.saveAnswers = {folder + "/second.sfg"};
        b.main().FileSaveAsClick();
        ASSERT_TRUE(hostB.messages.empty());
        const std::string second = readBytes(folder + "/second.sfg");
        if (second != first) {
            const auto l1 = files::splitLines(first), l2 = files::splitLines(second);
            std::size_t i = 0;
            while (i < l1.size() && i < l2.size() && l1[i] == l2[i]) ++i;
            ADD_FAILURE() << "seed " << seed << ", line " << i + 1 << ": \"" << (i < l1.size() ? l1[i] : "(end)")
                          << "\" became \"" << (i < l2.size() ? l2[i] : "(end)") << '"';
        }
        ++compared;
        std::filesystem::remove_all(folder);
    }
    EXPECT_EQ(compared, 60);
}

TEST_F(FilesWriter, The4820TopVolumeSurvivesASaveAndARead) {
    m().SBVolume.setMax(28);
    m().SBZoneVolume.setMax(28);
    ASSERT_EQ(readLines(m(), {"[General]", "c", " ", " ", "4820", "[General Audio Settings]", "-50", "0", "0",
                              "[Zone Settings]", "1", "-50"}),
              ReadResult::Ok);
    m().SBVolume.setPosition(28);
    m().SBZoneVolume.setPosition(28);
    const std::string text = FormatSetupText(m());
    EXPECT_EQ(sectionLines(text, "[General Audio Settings]")[0], "8");
    m().SBVolume.setPosition(0);
    m().SBZoneVolume.setPosition(0);
    ASSERT_EQ(ReadSetupText(m(), text), ReadResult::Ok);
    EXPECT_EQ(m().SBVolume.position(), 28);
    EXPECT_EQ(m().SBZoneVolume.position(), 28);
}

// ---- saving never destroys the previous file ------------------------------

TEST_F(FilesWriter, ASaveThatFailsPartWayLeavesTheOldFileIntactAndSaveEnabled) {
    const std::string path = scratchDir() + "/setup.sfg";
    const std::string old = crlf({"//Setup", "", "[General]", "Old", " ", " ", "Tavro"});
    writeBytes(path, old);
    showAllGroups();
    m().SourceCount = 16;
    m().CurrentFileName = path;
    m().CBCenterL.userSelect(3);  // an edit: Save enabled
    ASSERT_TRUE(m().FileSave.enabled());

    // In a child process that may write only 200 bytes per file, and that
    // gets an error instead of SIGXFSZ when it writes more.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
        m().FileSaveClick();
        int result = 0;
        if (!m().FileSave.enabled()) result |= 1;
        if (host.messages != std::vector<std::string>{"Unable to open " + path + ".",
                                                      "Unable to open " + path + " for writing.\nFile too large"})
            result |= 2;
        if (m().CurrentFileName != path) result |= 4;
        _exit(result);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: Save disabled, 2: messages, 4: file name";
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"setup.sfg"}));  // no temporary file left

    // Without the limit the same save succeeds.
    m().FileSaveClick();
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_GT(readBytes(path).size(), 1000u);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"setup.sfg"}));
}

TEST_F(FilesWriter, AReadOnlyFileAFolderOrAMissingFolderIsNotWritten) {
    const std::string readOnly = scratchDir() + "/ro.sfg";
    writeBytes(readOnly, "keep");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(WriteSetupFile(m(), readOnly), WriteResult::Failed);
    EXPECT_EQ(readBytes(readOnly), "keep");
    EXPECT_EQ(WriteSetupFile(m(), scratchDir()), WriteResult::Failed);
    EXPECT_EQ(WriteSetupFile(m(), scratchDir() + "/no/such/folder.sfg"), WriteResult::Failed);
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Unable to open " + readOnly + ".",
                                                       "Unable to open " + scratchDir() + ".",
                                                       "Unable to open " + scratchDir() + "/no/such/folder.sfg."}));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"ro.sfg"}));
}

TEST_F(FilesWriter, ASaveKeepsTheFilesPermissionsAndFollowsASymbolicLink) {
    const std::string path = scratchDir() + "/perm.sfg";
    writeBytes(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(WriteSetupFile(m(), path), WriteResult::Ok);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    const std::string link = scratchDir() + "/link.sfg";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    m().setCaption("Through the link");
    ASSERT_EQ(WriteSetupFile(m(), link), WriteResult::Ok);
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(readBytes(path).find("Through the link"), std::string::npos);
}
