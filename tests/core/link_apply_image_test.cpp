// Applying an image read from the processor back to the setup: the steps'
// ranges and rules, the inverse of building the image, and a sweep of every
// value through every entry.
#include <functional>
#include <set>
#include <sstream>

#include "files/TextForm.h"
#include "forms/ImageBuilder.h"
#include "forms/SetupFile.h"
#include "link_setups.h"

using namespace tavro;
using namespace tavro::test;

namespace {

void setEntry(TTavroSetupMain& w, int k, int value) {
    w.ParameterImage[static_cast<std::size_t>(k)].Value = static_cast<std::uint8_t>(value);
}

struct ApplyCase {
    const char* what;
    std::function<void(TTavroSetupMain&)> before;  // setup and image values
    std::function<void(TTavroSetupMain&)> check;
    ModelVariant variant = ModelVariant::Tavro;
};

void run(const ApplyCase& c) {
    SetupShape shape;
    shape.variant = c.variant;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    c.before(w);
    ApplyImage(w);
    SCOPED_TRACE(c.what);
    c.check(w);
    for (int k = 0; k < ImageEntryCount; ++k) ASSERT_EQ(w.ChangedMask[static_cast<std::size_t>(k)], 0) << "entry " << k;
}

TEST(ApplyImage, RangesAndValues) {
    const ApplyCase cases[] = {
        {"volume above the top is clamped, in the image too",
         [](auto& w) { setEntry(w, 22, 170); },
         [](auto& w) {
             EXPECT_EQ(w.SBVolume.position(), 0);
             EXPECT_EQ(w.ParameterImage[22].Value, 160);
             EXPECT_EQ(w.LabelVolume.caption(), "Volume: -20 dB");
         }},
        {"the 4820 goes above 0",
         [](auto& w) { setEntry(w, 22, 170); },
         [](auto& w) {
             EXPECT_EQ(w.SBVolume.position(), 10);
             EXPECT_EQ(w.ParameterImage[22].Value, 170);
             EXPECT_EQ(w.LabelVolume.caption(), "Volume: 84");
         },
         ModelVariant::M4820},
        {"zone volume clamp",
         [](auto& w) { setEntry(w, 75, 195); },
         [](auto& w) {
             EXPECT_EQ(w.SBZoneVolume.position(), 0);
             EXPECT_EQ(w.ParameterImage[75].Value, 160);
             EXPECT_EQ(w.LabelZoneVolume.caption(), "Zone Volume: -20 dB");
         },
         ModelVariant::R7},
        {"volume below the range",
         [](auto& w) {
             w.SBVolume.setPosition(-12);
             setEntry(w, 22, 89);
         },
         [](auto& w) { EXPECT_EQ(w.SBVolume.position(), -12); }},
        {"level 111 is outside",
         [](auto& w) {
             w.CBLeftL.setItemIndex(5);
             setEntry(w, 11, 111);
         },
         [](auto& w) { EXPECT_EQ(w.CBLeftL.itemIndex(), 5); }},
        {"level 110 is +15.0 dB", [](auto& w) { setEntry(w, 11, 110); },
         [](auto& w) { EXPECT_EQ(w.CBLeftL.text(), "+15.0 dB"); }},
        {"distance 143 is the last, 144 outside",
         [](auto& w) {
             setEntry(w, 8, 143);
             w.CBSubD.setItemIndex(4);
             setEntry(w, 10, 144);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBRightSD.itemIndex(), 63);
             EXPECT_EQ(w.CBSubD.itemIndex(), 4);
         }},
        {"small fronts keep the subwoofer",
         [](auto& w) {
             setEntry(w, 18, 80);
             setEntry(w, 21, 80);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBLeftS.text(), "Small");
             EXPECT_EQ(w.CBRightS.text(), "Small");
             EXPECT_EQ(w.CBSubS.text(), "Yes");
             EXPECT_TRUE(w.CBSubL.enabled());
         }},
        {"no subwoofer keeps Enhanced Bass aside",
         [](auto& w) {
             w.CheckBoxEnhancedBass.setChecked(true);
             setEntry(w, 18, 81);
             setEntry(w, 21, 80);
             setEntry(w, 49, 81);
             setEntry(w, 47, 81);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBSubS.text(), "No");
             EXPECT_FALSE(w.CheckBoxEnhancedBass.checked());
             EXPECT_FALSE(w.CheckBoxEnhancedBass.enabled());
             EXPECT_TRUE(w.SavedEnhancedBass);
             EXPECT_FALSE(w.CBSubD.enabled());
             EXPECT_EQ(w.Thx.Ultra2Sub, 0);
             EXPECT_EQ(w.Thx.BoundaryGain, 0);
         }},
        {"THX subwoofer with a subwoofer",
         [](auto& w) {
             setEntry(w, 21, 81);
             setEntry(w, 49, 81);
             setEntry(w, 47, 90);
             setEntry(w, 48, 82);
         },
         [](auto& w) {
             EXPECT_EQ(w.Thx.Ultra2Sub, 1);
             EXPECT_EQ(w.Thx.BoundaryGain, 1);
             EXPECT_EQ(w.Thx.AsaPosition, 2);
         }},
        {"panorama needs surrounds",
         [](auto& w) {
             setEntry(w, 20, 80);
             setEntry(w, 43, 81);
         },
         [](auto& w) {
             EXPECT_EQ(w.Dpl.Panorama, 0);
             EXPECT_FALSE(w.CBLeftSL.enabled());
             EXPECT_EQ(w.CBRightSS.text(), "No");
         }},
        {"no centre and no surrounds disable the Pro Logic II settings",
         [](auto& w) {
             setEntry(w, 19, 80);
             setEntry(w, 20, 80);
         },
         [](auto& w) {
             EXPECT_FALSE(w.ButtonDPLII.enabled());
             EXPECT_FALSE(w.CBCenterL.enabled());
             EXPECT_FALSE(w.CBCenterD.enabled());
         }},
        {"Pro Logic II and Neo:6 edges",
         [](auto& w) {
             w.Dpl = DplSettings{3, 3, 0, 3};
             setEntry(w, 44, 87);
             setEntry(w, 45, 87);
             setEntry(w, 391, 86);
         },
         [](auto& w) {
             EXPECT_EQ(w.Dpl.CenterWidth, 8);
             EXPECT_EQ(w.Dpl.Dimension, 3);
             EXPECT_EQ(w.Dpl.CenterImage, 3);
         }},
        {"limiter",
         [](auto& w) {
             setEntry(w, 2, 131);
             w.Thx.LimiterLevel = 7;
             setEntry(w, 3, 0);
         },
         [](auto& w) {
             EXPECT_EQ(w.Thx.LimiterLevel, 7);
             EXPECT_EQ(w.Thx.LimiterOn, 1);
         }},
        {"crossover not a multiple of 5",
         [](auto& w) {
             w.CBSubFilter.setItemIndex(3);
             setEntry(w, 65, 123);
         },
         [](auto& w) { EXPECT_EQ(w.CBSubFilter.itemIndex(), 3); }},
        {"crossover 200Hz", [](auto& w) { setEntry(w, 65, 200); },
         [](auto& w) { EXPECT_EQ(w.CBSubFilter.text(), "200Hz"); }},
        {"sub filter off disables the crossover", [](auto& w) { setEntry(w, 42, 81); },
         [](auto& w) {
             EXPECT_FALSE(w.CheckBoxSubFilter.checked());
             EXPECT_FALSE(w.CBSubFilter.enabled());
         }},
        {"meters rebuild the distance lists",
         [](auto& w) {
             setEntry(w, 40, 80);
             setEntry(w, 5, 90);
         },
         [](auto& w) {
             EXPECT_TRUE(w.RBMeters.checked());
             EXPECT_EQ(w.CBLeftD.text(), "3.3 m");
         }},
        {"labels of phones, LFE, bass, treble",
         [](auto& w) {
             setEntry(w, 41, 83);
             setEntry(w, 17, 75);
             setEntry(w, 77, 92);
             setEntry(w, 78, 68);
         },
         [](auto& w) {
             EXPECT_EQ(w.LabelPhones.caption(), "Offset: +3 dB");
             EXPECT_EQ(w.LabelLFELevel.caption(), "Level: -5 dB");
             EXPECT_EQ(w.LabelBass.caption(), "Bass: +12 dB");
             EXPECT_EQ(w.LabelTreble.caption(), "Treble: -12 dB");
         }},
        {"phones and LFE outside",
         [](auto& w) {
             setEntry(w, 41, 91);
             setEntry(w, 17, 81);
         },
         [](auto& w) {
             EXPECT_EQ(w.SBPhones.position(), 10);
             EXPECT_EQ(w.SBLFELevel.position(), 0);
         }},
        {"skip welcome disables the welcome lines", [](auto& w) { setEntry(w, 50, 7); },
         [](auto& w) {
             EXPECT_TRUE(w.CheckBoxSkipWelcome.checked());
             EXPECT_FALSE(w.EditWelcome2.enabled());
             EXPECT_FALSE(w.LabelWelcome.enabled());
             EXPECT_TRUE(w.EditShutdown1.enabled());
         }},
        {"no OSD disables the OSD controls",
         [](auto& w) {
             setEntry(w, 53, 80);
             setEntry(w, 51, 81);
             setEntry(w, 52, 81);
             setEntry(w, 54, 82);
             setEntry(w, 55, 0);
         },
         [](auto& w) {
             EXPECT_TRUE(w.RBOSDOutputNo.checked());
             EXPECT_FALSE(w.CBOSDStyle.enabled());
             EXPECT_FALSE(w.RBPAL.enabled());
             EXPECT_TRUE(w.RBSuperimpose.checked());
             EXPECT_TRUE(w.RBTempSimple.checked());
             EXPECT_TRUE(w.RBOSDInputCs.checked());
             EXPECT_TRUE(w.RBNTSC.checked());
         }},
        {"reverb and routing other values",
         [](auto& w) {
             setEntry(w, 46, 0);
             setEntry(w, 1, 3);
         },
         [](auto& w) {
             EXPECT_TRUE(w.RBWet.checked());
             EXPECT_TRUE(w.RBBypassDSP.checked());
         }},
        {"style and factory colours reach the preview",
         [](auto& w) {
             setEntry(w, 56, 0);
             setEntry(w, 57, 1);
             setEntry(w, 58, 6);
             setEntry(w, 59, 8);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBBackgroundColor.text(), "Blue");
             EXPECT_EQ(w.CBErrorColor.text(), "Red");  // 8 is outside
             EXPECT_EQ(w.MemoSampleText.color(), 0x0000FF);
             EXPECT_EQ(w.MemoSampleText.fontColor(), 0xFFFFB4);
             EXPECT_EQ(w.EditSampleError.color(), 0xFF0000);
         }},
        {"a preset style shows its own colours",
         [](auto& w) {
             setEntry(w, 56, 14);
             setEntry(w, 57, 1);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBOSDStyle.text(), "Preset Style 15");
             EXPECT_EQ(w.MemoSampleText.color(), 0xFF0000);
             EXPECT_EQ(w.FactoryBackgroundColor, 0x0000FF);
         }},
        {"tone filter corners",
         [](auto& w) {
             setEntry(w, 392, 84);
             setEntry(w, 393, 85);
             setEntry(w, 394, 83);
         },
         [](auto& w) {
             EXPECT_EQ(w.CBToneBFreq.text(), "140 Hz");
             EXPECT_EQ(w.CBToneTFreq.text(), "10 kHz");
             EXPECT_EQ(w.CBAnalogBassMg.text(), "All Large");
         }},
        {"message lines are taken whole and cleaned",
         [](auto& w) {
             const std::string line = std::string("Hi;there") + '\x01' + std::string(8, ' ') + "!\xE9 ";
             ASSERT_EQ(line.size(), 20u);
             for (int i = 0; i < 20; ++i) setEntry(w, 99 + i, static_cast<unsigned char>(line[static_cast<std::size_t>(i)]));
         },
         [](auto& w) { EXPECT_EQ(w.EditWelcome2.text(), "Hi there" + std::string(9, ' ') + "!  "); }},
        {"channels 9 and 10",
         [](auto& w) {
             setEntry(w, 368, 0);    // channel 9 right surround
             setEntry(w, 370, 200);  // channel 9 left surround
             setEntry(w, 371, 201);  // outside
             w.AuxChannels[0].Mix[6] = 5;
             setEntry(w, 379, 81);
             setEntry(w, 380, 99);
             setEntry(w, 384, 80);
             setEntry(w, 381, 136);
             setEntry(w, 382, 137);
             setEntry(w, 387, 160);
             setEntry(w, 389, 161);
             w.CBCh10D.setItemIndex(9);
             setEntry(w, 390, 50);
         },
         [](auto& w) {
             EXPECT_EQ(w.AuxChannels[0].Mix[4], -100);
             EXPECT_EQ(w.AuxChannels[0].Mix[3], 100);
             EXPECT_EQ(w.AuxChannels[0].Mix[6], 5);
             EXPECT_EQ(w.AuxChannels[0].Filter1Type, FilterLowpass);
             EXPECT_EQ(w.AuxChannels[0].Filter2Type, FilterHighpass);
             EXPECT_EQ(w.AuxChannels[1].Filter2Type, FilterNone);
             EXPECT_EQ(w.AuxChannels[0].Filter1Freq, 56);
             EXPECT_EQ(w.AuxChannels[0].Filter2Freq, DefaultFilterCode);
             EXPECT_EQ(w.CBCh9D.text(), "80.0 ms");
             EXPECT_EQ(w.CBCh10D.itemIndex(), 9);
             EXPECT_EQ(w.CBCh10L.text(), "-15.0 dB");
         }},
        {"presets and their labels",
         [](auto& w) {
             setEntry(w, 325, 92);  // preset 2 centre
             setEntry(w, 326, 67);  // preset 2 surrounds: outside
             w.Presets[1].Surrounds = 9;
             setEntry(w, 330, 230);  // preset 2 lip-sync
             setEntry(w, 348, 231);  // preset 5 lip-sync: outside
             w.Presets[4].Lipsync = 12;
         },
         [](auto& w) {
             EXPECT_EQ(w.Presets[1].Center, 24);
             EXPECT_EQ(w.Presets[1].Surrounds, 9);
             EXPECT_EQ(w.Presets[1].Lipsync, 150);
             EXPECT_EQ(w.Presets[4].Lipsync, 12);
             EXPECT_EQ(w.LPanel2C.caption(), "+12 dB");
             EXPECT_EQ(w.LPanel2Surr.caption(), "-3 dB");
             EXPECT_EQ(w.LPanel2L.caption(), "150 ms");
             EXPECT_EQ(w.LPanel5L.caption(), "12 ms");
             EXPECT_EQ(w.LPanel1B.caption(), "0 dB");
         }},
    };
    for (const ApplyCase& c : cases) run(c);
}

TEST(ApplyImage, BackSpeakers) {
    struct Case {
        int surround;  // entry 20
        int value;     // entry 60
        const char* left;
        const char* right;
        bool two;
        bool leftControls;
        const char* label;
        const char* box;
    };
    const Case cases[] = {
        {80, 84, "No", "No", false, false, "Back:", "2 Back Spks:"},
        {81, 80, "No", "No", false, false, "Back:", "2 Back Spks:"},
        {81, 81, "Small", "No", false, true, "Back:", "2 Back Spks:"},
        {82, 82, "Large", "No", false, true, "Back:", "2 Back Spks:"},
        {81, 83, "Small", "Small", true, true, "Left Back:", "Right Back:"},
        {81, 84, "Large", "Large", true, true, "Left Back:", "Right Back:"},
        {81, 0, "Large", "Large", true, true, "Left Back:", "Right Back:"},
    };
    for (const Case& c : cases) {
        SetupShape shape;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        // Start from two back speakers so that every case has to change them.
        w.CheckBoxRBack.setChecked(true);
        w.CBLeftBS.setItemIndex(1);
        w.CBRightBS.setItemIndex(1);
        w.CBSubS.setItemIndex(0);
        setEntry(w, 18, 81);
        setEntry(w, 21, 80);
        setEntry(w, 20, c.surround);
        setEntry(w, 60, c.value);
        ApplyImage(w);
        SCOPED_TRACE(std::to_string(c.surround) + "/" + std::to_string(c.value));
        EXPECT_EQ(w.CBLeftBS.text(), c.left);
        EXPECT_EQ(w.CBRightBS.text(), c.right);
        EXPECT_EQ(w.CheckBoxRBack.checked(), c.two);
        EXPECT_EQ(w.CheckBoxRBack.enabled(), c.leftControls);
        EXPECT_EQ(w.CBLeftBS.enabled(), c.surround != 80);
        EXPECT_EQ(w.LabelLBack.enabled(), c.surround != 80);
        for (ListBox* l : {&w.CBLeftBL, &w.CBLeftBD}) EXPECT_EQ(l->enabled(), c.leftControls) << l->name();
        for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) EXPECT_EQ(l->enabled(), c.two) << l->name();
        EXPECT_EQ(w.LabelLBack.caption(), c.label);
        EXPECT_EQ(w.CheckBoxRBack.caption(), c.box);
        // Without a subwoofer the THX settings need two back speakers.
        EXPECT_EQ(w.ButtonTHXUltra.enabled(), c.two);
    }
}

TEST(ApplyImage, ListeningModes) {
    struct Case {
        int code;
        std::initializer_list<int> offered;
        int expected;  // the mode after, from Stereo
    };
    const Case cases[] = {
        {83, {1}, 1},           // Dolby Pro Logic not offered
        {83, {1, 2}, 2},        {91, {1, 3}, 3},  {104, {1, 3}, 3}, {92, {4}, 4}, {103, {4}, 4},
        {93, {5}, 5},           {95, {6}, 6},     {94, {7}, 7},     {84, {8}, 8}, {88, {12}, 12},
        {100, {13}, 13},        {82, {14}, 14},   {80, {0}, 0},
        {130, {15}, 15},        {110, {15}, 15},  // DSP Bypass as read and as sent
        {110, {1}, 1},          {89, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 1},  // no such code
    };
    for (const Case& c : cases) {
        SetupShape shape;
        shape.sources = 2;
        shape.modes.fill(0);
        for (int m : c.offered) shape.modes[static_cast<std::size_t>(m)] = 1;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        w.Sources[1].Mode = ModeStereo;
        w.Sources[2].Mode = ModeStereo;
        setEntry(w, 24, c.code);
        setEntry(w, 25, 80);  // source 3 is not in use
        ApplyImage(w);
        EXPECT_EQ(w.Sources[1].Mode, c.expected) << "code " << c.code;
        EXPECT_EQ(w.Sources[2].Mode, ModeStereo);
    }
}

TEST(ApplyImage, SourceNamesRenameEveryList) {
    for (ModelVariant variant : {ModelVariant::Tavro, ModelVariant::R7}) {
        SetupShape shape;
        shape.variant = variant;
        shape.sources = 3;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        w.CBZoneSource.setItemIndex(2);
        w.CBBalancedSource.setItemIndex(3);
        w.CBTrigger1Source.setItemIndex(5);  // "Balanced Input"
        setEntry(w, 76, 83);
        setEntry(w, 0, 83);
        setEntry(w, 67, 99);
        setEntry(w, 166, 'D');
        setEntry(w, 167, 'V');
        setEntry(w, 168, 'D');
        setEntry(w, 169, '#');
        for (int k = 170; k <= 172; ++k) setEntry(w, k, ' ');
        setEntry(w, 180, 'Q');  // source 4 is not in use
        const std::string fourth = w.Sources[3].Name;
        ApplyImage(w);

        SCOPED_TRACE(static_cast<int>(variant));
        EXPECT_EQ(w.Sources[1].Name, "DVD    ");
        EXPECT_EQ(w.Sources[3].Name, fourth);
        EXPECT_EQ(w.BSource2.caption(), "DVD    ");
        EXPECT_EQ(w.BSource4.caption(), fourth);
        // The zone list as after reading a setup: the sources in use on the
        // base model, the first six on the others.
        EXPECT_EQ(w.CBZoneSource.count(), variant == ModelVariant::Tavro ? 3 : 6);
        EXPECT_EQ(w.CBZoneSource.items()[1], "DVD    ");
        EXPECT_EQ(w.CBZoneSource.itemIndex(), 2);
        EXPECT_EQ(w.CBBalancedSource.count(), 4);
        EXPECT_EQ(w.CBBalancedSource.items()[2], "DVD    ");
        EXPECT_EQ(w.CBBalancedSource.itemIndex(), 3);
        EXPECT_EQ(w.CBTrigger1Source.count(), 14);
        EXPECT_EQ(w.CBTrigger2Source.items()[2], "DVD    ");
        // 99 is "Balanced Input" on the base model and "System On" on the
        // others.
        EXPECT_EQ(w.CBTrigger1Source.text(), variant == ModelVariant::Tavro ? "Balanced Input" : "System On");
    }
}

// A read that changes the model without a "[Sources]" section leaves the
// zone list as long as the other model had it; a download then offers the
// sources that reading a setup of this model offers, and a selection beyond
// them falls back to the first source.
TEST(ApplyImage, TheZoneListFollowsTheModelAfterAReadWithoutSources) {
    SetupShape tavroShape;
    tavroShape.sources = 3;
    ShapedProgram tavroSetup(tavroShape);
    std::string general;
    for (const std::string& line : files::splitLines(FormatSetupText(tavroSetup.main()))) {
        if (!general.empty() && line.empty()) break;
        if (!general.empty() || line == "[General]") general += line + "\r\n";
    }
    ASSERT_FALSE(general.empty());

    SetupShape r7Shape = tavroShape;
    r7Shape.variant = ModelVariant::R7;
    ShapedProgram p(r7Shape);
    TTavroSetupMain& w = p.main();
    w.CBZoneSource.setItemIndex(4);
    ASSERT_EQ(ReadSetupText(w, "//Setup\r\n" + general), ReadResult::Ok);
    ASSERT_EQ(w.ModelVariant, ModelVariant::Tavro);
    ASSERT_EQ(w.CBZoneSource.count(), 6);
    BuildImage(w);
    ApplyImage(w);  // 85 is beyond the three sources in use: the setting is kept

    EXPECT_EQ(w.CBZoneSource.count(), 3);
    EXPECT_EQ(w.CBZoneSource.itemIndex(), 0);
    EXPECT_EQ(w.CBZoneSource.items(), w.sourceNames(3));
}

// The zone list of R7 and 4820 offers the first six sources whatever the
// number in use; a zone source beyond the sources in use survives a download
// that does not accept its entry, and the image rebuilt afterwards equals
// the processor again.
TEST(ApplyImage, AZoneSourceBeyondTheSourcesInUseStaysSelected) {
    for (ModelVariant variant : {ModelVariant::R7, ModelVariant::M4820}) {
        SetupShape shape;
        shape.variant = variant;
        shape.sources = 3;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        ASSERT_EQ(w.CBZoneSource.count(), 6);
        w.CBZoneSource.setItemIndex(4);
        BuildImage(w);
        ASSERT_EQ(w.ParameterImage[76].Value, 85);
        ApplyImage(w);

        SCOPED_TRACE(static_cast<int>(variant));
        EXPECT_EQ(w.CBZoneSource.itemIndex(), 4);
        EXPECT_EQ(w.CBZoneSource.count(), 6);
        BuildImage(w);
        EXPECT_EQ(w.ParameterImage[76].Value, 85);
    }
}

TEST(ApplyImage, Triggers) {
    struct Case {
        ModelVariant variant;
        std::uint16_t mask;
        int code;
        const char* expected;
    };
    const Case cases[] = {
        {ModelVariant::Tavro, 2047, 107, "Zone Power On"},
        {ModelVariant::Tavro, 1023, 107, "Trigger Off"},  // no "Zone Power On" in the list
        {ModelVariant::Tavro, 2047, 98, "External 7.1"},
        {ModelVariant::Tavro, 2047, 101, "Dimmer"},
        {ModelVariant::R7, 2047, 101, "Video Source Selected"},
        {ModelVariant::R7, 2047, 103, "Zone Power On"},
        {ModelVariant::M4820, 2047, 104, "Trigger Off"},
        {ModelVariant::Tavro, 2047, 108, "Trigger Off"},
        {ModelVariant::Tavro, 2047, 82, "Dimmer"},  // source 2
        {ModelVariant::Tavro, 2047, 83, "Trigger Off"},  // only two sources
    };
    for (const Case& c : cases) {
        SetupShape shape;
        shape.variant = c.variant;
        shape.sources = 2;
        shape.triggerMask = c.mask;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        w.CBTrigger2Source.setItemIndex(1);
        for (int i = 0; i < 7; ++i) setEntry(w, 166 + i, "Dimmer "[i]);  // source 2
        setEntry(w, 71, c.code);
        setEntry(w, 72, 80);
        setEntry(w, 73, 94);
        setEntry(w, 74, 80);
        ApplyImage(w);
        SCOPED_TRACE(std::to_string(c.code) + " on " + std::to_string(static_cast<int>(c.variant)));
        const bool off = std::string(c.expected) == "Trigger Off";
        EXPECT_EQ(w.CBTrigger2Source.text(), c.code == 82 ? "Dimmer " : c.expected);
        if (c.code != 82 && !off) {
            EXPECT_GT(w.CBTrigger2Source.itemIndex(), 2);
        }
        for (Control* ctl : std::initializer_list<Control*>{&w.CBTrigger2Delay, &w.CB2Duration, &w.RB2Positive,
                                                            &w.RB2Negative, &w.LabelTrigger2Delay})
            EXPECT_EQ(ctl->enabled(), !off) << ctl->name();
        EXPECT_TRUE(w.RB2Negative.checked());
        EXPECT_EQ(w.CBTrigger2Delay.text(), "3 min");
        EXPECT_EQ(w.CB2Duration.text(), "Infinity");
    }
}

TEST(ApplyImage, TriggerDurationAndDelayRanges) {
    SetupShape shape;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.CB1Duration.setItemIndex(4);
    w.CBTrigger1Delay.setItemIndex(2);
    setEntry(w, 70, 97);
    setEntry(w, 69, 95);
    ApplyImage(w);
    EXPECT_EQ(w.CB1Duration.itemIndex(), 4);
    EXPECT_EQ(w.CBTrigger1Delay.itemIndex(), 2);
    setEntry(w, 70, 96);
    ApplyImage(w);
    EXPECT_EQ(w.CB1Duration.text(), "3 min");
}

TEST(ApplyImage, SourceInputsAndPresets) {
    struct Case {
        const char* what;
        ModelVariant variant;
        unsigned digital;
        int entry;
        int value;
        std::function<int(const SourceRecord&)> field;
        int expected;  // from the starting value 9 of every field but sensitivity (from 4)
    };
    auto sens = [](const SourceRecord& s) { return s.Sensitivity; };
    auto dig = [](const SourceRecord& s) { return s.DigitalInput; };
    auto video = [](const SourceRecord& s) { return s.ComponentVideo; };
    auto assoc = [](const SourceRecord& s) { return s.PresetAssoc; };
    const Case cases[] = {
        {"sensitivity +10 dB", ModelVariant::Tavro, 6, 272, 95, sens, 15},
        {"sensitivity outside", ModelVariant::Tavro, 6, 272, 96, sens, 4},
        {"digital 8 inputs no Off: Opt 1", ModelVariant::Tavro, 8, 288, 81, dig, 0},
        {"digital 8 inputs no Off: 80 outside", ModelVariant::Tavro, 8, 288, 80, dig, 9},
        {"digital 8 inputs no Off: Coax 4", ModelVariant::Tavro, 8, 288, 88, dig, 7},
        {"digital 8 inputs with Off: 88", ModelVariant::R7, 8, 288, 88, dig, 8},
        {"digital 7 inputs: 88 is past the list", ModelVariant::R7, 7, 288, 88, dig, 9},
        {"digital 7 inputs: 87 is Coax 3", ModelVariant::Tavro, 7, 288, 87, dig, 7},
        {"digital 2 inputs: 83 is past the list", ModelVariant::Tavro, 2, 288, 83, dig, 9},
        {"digital Off", ModelVariant::M4820, 6, 288, 80, dig, 0},
        {"no digital inputs", ModelVariant::Tavro, 0, 288, 81, dig, 9},
        {"video Tavro within the count", ModelVariant::Tavro, 6, 304, 83, video, 3},
        {"video Tavro beyond the count", ModelVariant::Tavro, 6, 304, 84, video, 0},
        {"video R7 composite 6", ModelVariant::R7, 6, 304, 86, video, 6},
        {"video R7 S-Video 1", ModelVariant::R7, 6, 304, 101, video, 7},
        {"video R7 component 3", ModelVariant::R7, 6, 304, 123, video, 13},
        {"video R7 past the component inputs", ModelVariant::R7, 6, 304, 124, video, 0},
        {"video 4820 between the blocks", ModelVariant::M4820, 6, 304, 90, video, 0},
        {"preset association none", ModelVariant::Tavro, 6, 350, 80, assoc, 0},
        {"preset association flat", ModelVariant::Tavro, 6, 350, 81, assoc, 6},
        {"preset association 5", ModelVariant::Tavro, 6, 350, 86, assoc, 5},
        {"preset association outside", ModelVariant::Tavro, 6, 350, 87, assoc, 9},
    };
    for (const Case& c : cases) {
        SetupShape shape;
        shape.variant = c.variant;
        shape.digitalInputs = c.digital;
        shape.componentVideoCount = 3;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        SourceRecord& s = w.Sources[1];
        s.Sensitivity = 4;
        s.DigitalInput = 9;
        s.ComponentVideo = 9;
        s.PresetAssoc = 9;
        setEntry(w, c.entry, c.value);
        ApplyImage(w);
        EXPECT_EQ(c.field(s), c.expected) << c.what;
    }
}

TEST(ApplyImage, PresetPanelsFollowTheAssociations) {
    SetupShape shape;
    shape.sources = 2;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    setEntry(w, 349, 84);  // source 1: preset 3
    setEntry(w, 350, 81);  // source 2: flat
    ApplyImage(w);
    for (int n = 1; n <= PresetCount; ++n) EXPECT_EQ(w.presetPanel(n).button->enabled(), n == 3) << n;
}

TEST(ApplyImage, SourcesBeyondTheCountAreNeverApplied) {
    SetupShape shape;
    shape.sources = 4;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    const SourceRecord before = w.Sources[4];
    setEntry(w, 27, 80);
    setEntry(w, 191, 'Z');
    setEntry(w, 275, 95);
    setEntry(w, 291, 81);
    setEntry(w, 307, 82);
    setEntry(w, 353, 82);
    ApplyImage(w);
    const SourceRecord& after = w.Sources[4];
    EXPECT_EQ(after.Name, before.Name);
    EXPECT_EQ(after.Mode, before.Mode);
    EXPECT_EQ(after.Sensitivity, before.Sensitivity);
    EXPECT_EQ(after.DigitalInput, before.DigitalInput);
    EXPECT_EQ(after.ComponentVideo, before.ComponentVideo);
    EXPECT_EQ(after.PresetAssoc, before.PresetAssoc);
}

// Build, apply on a fresh program with the same default, build again: the
// same image, for random setups of every model.
TEST(ApplyImage, IsTheInverseOfBuildImage) {
    SetupRandomizer shapes(2024);
    for (ModelVariant variant : {ModelVariant::Tavro, ModelVariant::R7, ModelVariant::M4820}) {
        for (int round = 0; round < 40; ++round) {
            const SetupShape shape = randomShape(variant, shapes);
            ShapedProgram first(shape);
            SetupRandomizer(static_cast<unsigned>(round * 31 + static_cast<int>(variant))).fill(first.main());
            first.main().FilterMessageTexts();
            BuildImage(first.main());
            const auto built = imageValues(first.main());

            ShapedProgram second(shape);
            setImageValues(second.main(), built);
            ApplyImage(second.main());
            BuildImage(second.main());
            const auto again = imageValues(second.main());
            for (int k = 0; k < ImageEntryCount; ++k)
                EXPECT_EQ(again[static_cast<std::size_t>(k)], built[static_cast<std::size_t>(k)])
                    << "entry " << k << ", model " << static_cast<int>(variant) << ", round " << round
                    << ", sources " << shape.sources;
        }
    }
}

// ---- Every value in every entry ---------------------------------------------

class Invariants {
public:
    explicit Invariants(TTavroSetupMain& w) : w_(w) {
        for (Control* c : w.controls()) {
            if (auto* l = dynamic_cast<ListBox*>(c)) lists_.push_back(l);
            if (auto* b = dynamic_cast<ScrollBar*>(c)) bars_.push_back(b);
        }
    }

    // The first broken rule, or an empty text.
    std::string check() const {
        std::ostringstream out;
        for (const ListBox* l : lists_) {
            const bool ok = l->count() == 0 ? l->itemIndex() == -1 : l->itemIndex() >= 0 && l->itemIndex() < l->count();
            if (!ok) out << l->name() << " index " << l->itemIndex() << " of " << l->count() << "; ";
        }
        for (const ScrollBar* b : bars_)
            if (b->position() < b->min() || b->position() > b->max()) out << b->name() << " at " << b->position() << "; ";
        const bool base = w_.ModelVariant == ModelVariant::Tavro;
        const unsigned digital = w_.Inputs.DigitalInputCount;
        const int digitalItems = digital == 8 && base ? 8 : static_cast<int>(digital) + 1;
        const int videoItems = w_.Inputs.ComponentVideoCount + (base ? 1 : 11);
        for (int i = 0; i < MaxSources; ++i) {
            const SourceRecord& s = w_.Sources[static_cast<std::size_t>(i)];
            if (s.Mode > 15 || s.Sensitivity > 15 || s.PresetAssoc > 6 || s.Name.size() > 7 ||
                filterDisplayText(s.Name) != s.Name)
                out << "source " << i + 1 << "; ";
            if (i < w_.SourceCount && (s.DigitalInput >= digitalItems || s.ComponentVideo >= videoItems))
                out << "inputs of source " << i + 1 << "; ";
        }
        for (const PresetSettings& p : w_.Presets) {
            for (int f = 0; f < PresetFieldCount - 1; ++f)
                if (p.field(f) > 24) out << "preset field; ";
            if (p.Lipsync > 150) out << "lip-sync; ";
        }
        for (const AuxMixFilter& a : w_.AuxChannels) {
            for (auto share : a.Mix)
                if (share < -100 || share > 100) out << "mix; ";
            if (a.Filter1Type > 2 || a.Filter2Type > 2 || a.Filter1Freq > 56 || a.Filter2Freq > 56) out << "filter; ";
        }
        const DplSettings& d = w_.Dpl;
        if (d.CenterWidth < 1 || d.CenterWidth > 8 || d.Dimension < 1 || d.Dimension > 7 || d.Panorama > 1 ||
            d.CenterImage < 1 || d.CenterImage > 6)
            out << "Pro Logic II; ";
        const ThxSettings& t = w_.Thx;
        if (t.Ultra2Sub > 1 || t.BoundaryGain > t.Ultra2Sub || t.AsaPosition < 0 || t.AsaPosition > 2 ||
            t.LimiterOn > 1 || t.LimiterLevel < 0 || t.LimiterLevel > 50)
            out << "THX; ";
        for (const Edit* e : {&w_.EditWelcome1, &w_.EditWelcome2, &w_.EditShutdown1, &w_.EditShutdown2})
            if (e->text().size() != 20 || filterDisplayText(e->text()) != e->text()) out << e->name() << "; ";
        if (w_.CBLeftS.itemIndex() != w_.CBRightS.itemIndex() || w_.CBLeftSS.itemIndex() != w_.CBRightSS.itemIndex())
            out << "speaker pairs; ";
        if (w_.CBLeftSS.itemIndex() == 0 && (w_.CBLeftBS.itemIndex() != 0 || w_.CheckBoxRBack.checked()))
            out << "back speakers without surrounds; ";
        if (w_.CBLeftS.itemIndex() == 0 && w_.CBSubS.itemIndex() != 1) out << "small fronts without subwoofer; ";
        return out.str();
    }

private:
    TTavroSetupMain& w_;
    std::vector<const ListBox*> lists_;
    std::vector<const ScrollBar*> bars_;
};

class ApplySweep : public ::testing::TestWithParam<int> {};

TEST_P(ApplySweep, EveryValueInEveryEntryKeepsTheSetupValid) {
    // Three shapes that reach the edges: the base model with sixteen sources
    // and eight digital inputs without "Off", an R7 whose digital list ends
    // at index 7, a 4820 with few sources and no digital inputs.
    SetupShape shape;
    switch (GetParam()) {
        case 0:
            shape.sources = 16;
            shape.digitalInputs = 8;
            break;
        case 1:
            shape.variant = ModelVariant::R7;
            shape.sources = 10;
            shape.digitalInputs = 7;
            shape.componentVideoCount = 19;
            shape.triggerMask = 0x0555;
            break;
        default:
            shape.variant = ModelVariant::M4820;
            shape.sources = 3;
            shape.digitalInputs = 0;
            shape.componentVideo = false;
            shape.ch10 = false;
            break;
    }
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    SetupRandomizer(static_cast<unsigned>(GetParam()) + 11).fill(w);
    w.FilterMessageTexts();
    BuildImage(w);
    const auto base = imageValues(w);
    const Invariants invariants(w);
    ApplyImage(w);
    ASSERT_EQ(invariants.check(), "");

    int broken = 0;
    for (int k = 0; k < ImageEntryCount; ++k) {
        for (int value = 0; value <= 255; ++value) {
            setImageValues(w, base);
            setEntry(w, k, value);
            ApplyImage(w);
            const std::string problem = invariants.check();
            if (!problem.empty() && ++broken <= 10) ADD_FAILURE() << "entry " << k << " = " << value << ": " << problem;
            for (std::uint8_t flag : w.ChangedMask)
                if (flag != 0 && ++broken <= 10) ADD_FAILURE() << "entry " << k << " = " << value << " leaves a flag";
            // The image is read, not written, but for a volume above the top.
            auto expected = base;
            expected[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value);
            for (int clamped : {22, 75})
                if (shape.variant != ModelVariant::M4820 && expected[static_cast<std::size_t>(clamped)] > 160 &&
                    expected[static_cast<std::size_t>(clamped)] <= 195)
                    expected[static_cast<std::size_t>(clamped)] = 160;
            if (imageValues(w) != expected && ++broken <= 10)
                ADD_FAILURE() << "entry " << k << " = " << value << " changes the image";
        }
    }
    EXPECT_EQ(broken, 0);
}

INSTANTIATE_TEST_SUITE_P(Models, ApplySweep, ::testing::Values(0, 1, 2));

}  // namespace
