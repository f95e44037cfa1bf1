// Building the parameter image from the setup: the encodings, the entries
// that are never or only sometimes written, and the image at start-up.
#include <functional>
#include <vector>

#include "forms/ImageBuilder.h"
#include "link_setups.h"

using namespace tavro;
using namespace tavro::test;

namespace {

int value(const TTavroSetupMain& w, int k) { return w.ParameterImage[static_cast<std::size_t>(k)].Value; }

std::vector<int> values(const TTavroSetupMain& w, int first, int count) {
    std::vector<int> v;
    for (int k = first; k < first + count; ++k) v.push_back(value(w, k));
    return v;
}

struct EncodingCase {
    const char* what;
    ModelVariant variant;
    std::function<void(TTavroSetupMain&)> set;
    int entry;
    int expected;
};

TEST(BuildImage, Encodings) {
    using MV = ModelVariant;
    const EncodingCase cases[] = {
        {"left level 0 dB", MV::Tavro, [](auto& w) { w.CBLeftL.setItemIndex(30); }, 11, 80},
        {"left level +15.0 dB", MV::Tavro, [](auto& w) { w.CBLeftL.setItemIndex(0); }, 11, 110},
        {"left level -15.0 dB", MV::Tavro, [](auto& w) { w.CBLeftL.setItemIndex(60); }, 11, 50},
        {"right surround level", MV::Tavro, [](auto& w) { w.CBRightSL.setItemIndex(10); }, 14, 100},
        {"right back level", MV::Tavro, [](auto& w) { w.CBRightBL.setItemIndex(1); }, 61, 109},
        {"channel 10 level", MV::Tavro, [](auto& w) { w.CBCh10L.setItemIndex(60); }, 390, 50},
        {"right surround distance", MV::Tavro, [](auto& w) { w.CBRightSD.setItemIndex(63); }, 8, 143},
        {"left back distance", MV::Tavro, [](auto& w) { w.CBLeftBD.setItemIndex(5); }, 64, 85},
        {"volume -30", MV::Tavro, [](auto& w) { w.SBVolume.setPosition(-30); }, 22, 130},
        {"volume -70", MV::Tavro, [](auto& w) { w.SBVolume.setPosition(-70); }, 22, 90},
        {"4820 volume 28", MV::M4820, [](auto& w) { w.SBVolume.setPosition(28); }, 22, 188},
        {"zone volume 0", MV::Tavro, [](auto& w) { w.SBZoneVolume.setPosition(0); }, 75, 160},
        {"bass -12", MV::Tavro, [](auto& w) { w.SBBass.setPosition(-12); }, 77, 68},
        {"treble 12", MV::Tavro, [](auto& w) { w.SBTreble.setPosition(12); }, 78, 92},
        {"phones 10", MV::Tavro, [](auto& w) { w.SBPhones.setPosition(10); }, 41, 90},
        {"phones -20", MV::Tavro, [](auto& w) { w.SBPhones.setPosition(-20); }, 41, 60},
        {"LFE -10", MV::Tavro, [](auto& w) { w.SBLFELevel.setPosition(-10); }, 17, 70},
        {"two large back speakers", MV::Tavro,
         [](auto& w) {
             w.CheckBoxRBack.setChecked(true);
             w.CBLeftBS.setItemIndex(2);
         },
         60, 84},
        {"one large back speaker", MV::Tavro, [](auto& w) { w.CBLeftBS.setItemIndex(2); }, 60, 82},
        {"two small back speakers", MV::Tavro,
         [](auto& w) {
             w.CheckBoxRBack.setChecked(true);
             w.CBLeftBS.setItemIndex(1);
         },
         60, 83},
        {"sub filter on is 80", MV::Tavro, [](auto& w) { w.CheckBoxSubFilter.setChecked(true); }, 42, 80},
        {"sub filter off is 81", MV::Tavro, [](auto& w) { w.CheckBoxSubFilter.setChecked(false); }, 42, 81},
        {"crossover 200Hz", MV::Tavro, [](auto& w) { w.CBSubFilter.setItemIndex(36); }, 65, 200},
        {"enhanced bass", MV::Tavro, [](auto& w) { w.CheckBoxEnhancedBass.setChecked(true); }, 66, 81},
        {"meters", MV::Tavro, [](auto& w) { w.RBMeters.setChecked(true); }, 40, 80},
        {"feet", MV::Tavro, [](auto& w) { w.RBFeet.setChecked(true); }, 40, 81},
        {"bypass DSP", MV::Tavro, [](auto& w) { w.RBBypassDSP.setChecked(true); }, 1, 81},
        {"balanced source 3", MV::Tavro, [](auto& w) { w.CBBalancedSource.setItemIndex(3); }, 0, 83},
        {"zone source 1", MV::Tavro, [](auto& w) { w.CBZoneSource.setItemIndex(0); }, 76, 81},
        {"reverb 2", MV::Tavro, [](auto& w) { w.RBWetDry2.setChecked(true); }, 46, 82},
        {"reverb wet", MV::Tavro, [](auto& w) { w.RBWet.setChecked(true); }, 46, 84},
        {"limiter level -50 dB", MV::Tavro, [](auto& w) { w.Thx.LimiterLevel = 50; }, 2, 130},
        {"limiter on", MV::Tavro, [](auto& w) { w.Thx.LimiterOn = 1; }, 3, 81},
        {"boundary gain", MV::Tavro, [](auto& w) { w.Thx.BoundaryGain = 1; }, 47, 81},
        {"ASA apart", MV::Tavro, [](auto& w) { w.Thx.AsaPosition = 2; }, 48, 82},
        {"THX subwoofer", MV::Tavro, [](auto& w) { w.Thx.Ultra2Sub = 1; }, 49, 81},
        {"panorama", MV::Tavro, [](auto& w) { w.Dpl.Panorama = 1; }, 43, 81},
        {"centre width max", MV::Tavro, [](auto& w) { w.Dpl.CenterWidth = 8; }, 44, 87},
        {"dimension 1", MV::Tavro, [](auto& w) { w.Dpl.Dimension = 1; }, 45, 86},
        {"dimension 7", MV::Tavro, [](auto& w) { w.Dpl.Dimension = 7; }, 45, 80},
        {"centre image max", MV::Tavro, [](auto& w) { w.Dpl.CenterImage = 6; }, 391, 85},
        {"skip welcome", MV::Tavro, [](auto& w) { w.CheckBoxSkipWelcome.setChecked(true); }, 50, 1},
        {"superimpose", MV::Tavro, [](auto& w) { w.RBSuperimpose.setChecked(true); }, 51, 81},
        {"no temporary display", MV::Tavro, [](auto& w) { w.RBNoTemp.setChecked(true); }, 52, 80},
        {"OSD to composite", MV::Tavro, [](auto& w) { w.RBOSDOutputCs.setChecked(true); }, 53, 81},
        {"OSD to S-Video", MV::Tavro, [](auto& w) { w.RBOSDOutputSvideo.setChecked(true); }, 53, 82},
        {"OSD input composite", MV::Tavro, [](auto& w) { w.RBOSDInputCs.setChecked(true); }, 54, 82},
        {"OSD input S-Video", MV::Tavro, [](auto& w) { w.RBOSDInputSvideo.setChecked(true); }, 54, 81},
        {"PAL", MV::Tavro, [](auto& w) { w.RBPAL.setChecked(true); }, 55, 1},
        {"NTSC", MV::Tavro, [](auto& w) { w.RBNTSC.setChecked(true); }, 55, 2},
        {"style 30", MV::Tavro, [](auto& w) { w.CBOSDStyle.setItemIndex(29); }, 56, 29},
        {"error colour white", MV::Tavro, [](auto& w) { w.CBErrorColor.setItemIndex(7); }, 59, 7},
        {"trigger 1 negative", MV::Tavro, [](auto& w) { w.RB1Negative.setChecked(true); }, 68, 80},
        {"trigger 2 delay 3 min", MV::Tavro, [](auto& w) { w.CBTrigger2Delay.setItemIndex(14); }, 73, 94},
        {"trigger 1 duration infinity", MV::Tavro, [](auto& w) { w.CB1Duration.setItemIndex(16); }, 70, 80},
        {"trigger 1 duration 10 ms", MV::Tavro, [](auto& w) { w.CB1Duration.setItemIndex(0); }, 70, 81},
        {"trigger 2 duration 3 min", MV::Tavro, [](auto& w) { w.CB2Duration.setItemIndex(15); }, 74, 96},
        {"trigger source 2", MV::Tavro, [](auto& w) { w.CBTrigger1Source.setItemIndex(2); }, 67, 82},
        {"tone filter 140 Hz", MV::Tavro, [](auto& w) { w.CBToneBFreq.setItemIndex(2); }, 392, 84},
        {"tone filter 6 kHz", MV::Tavro, [](auto& w) { w.CBToneTFreq.setItemIndex(0); }, 393, 82},
        {"all small", MV::Tavro, [](auto& w) { w.CBAnalogBassMg.setItemIndex(2); }, 394, 82},
        {"channel 9 delay 80 ms", MV::Tavro, [](auto& w) { w.CBCh9D.setItemIndex(160); }, 387, 160},
        {"preset 2 centre -12 dB", MV::Tavro, [](auto& w) { w.Presets[1].Center = 0; }, 325, 68},
        {"preset 5 treble +12 dB", MV::Tavro, [](auto& w) { w.Presets[4].Treble = 24; }, 347, 92},
        {"preset 1 lip-sync 150 ms", MV::Tavro, [](auto& w) { w.Presets[0].Lipsync = 150; }, 324, 230},
        {"channel 9 right surround share", MV::Tavro, [](auto& w) { w.AuxChannels[0].Mix[4] = -100; }, 368, 0},
        {"channel 9 back share", MV::Tavro, [](auto& w) { w.AuxChannels[0].Mix[5] = 100; }, 369, 200},
        {"channel 9 left surround share", MV::Tavro, [](auto& w) { w.AuxChannels[0].Mix[3] = 7; }, 370, 107},
        {"channel 10 LFE share", MV::Tavro, [](auto& w) { w.AuxChannels[1].Mix[6] = -1; }, 378, 99},
        {"channel 9 filter 2 highpass", MV::Tavro, [](auto& w) { w.AuxChannels[0].Filter2Type = 2; }, 380, 82},
        {"channel 10 filter 1 lowpass", MV::Tavro, [](auto& w) { w.AuxChannels[1].Filter1Type = 1; }, 383, 81},
        {"channel 9 filter 1 18 kHz", MV::Tavro, [](auto& w) { w.AuxChannels[0].Filter1Freq = 56; }, 381, 136},
        {"channel 10 filter 2 20 Hz", MV::Tavro, [](auto& w) { w.AuxChannels[1].Filter2Freq = 0; }, 386, 80},
    };
    for (const EncodingCase& c : cases) {
        SetupShape shape;
        shape.variant = c.variant;
        ShapedProgram p(shape);
        c.set(p.main());
        BuildImage(p.main());
        EXPECT_EQ(value(p.main(), c.entry), c.expected) << c.what;
    }
}

TEST(BuildImage, ListeningModeCodes) {
    // mode, code without back speakers, code with back speakers
    const int table[][3] = {{0, 80, 80},   {1, 81, 81},   {2, 83, 83},   {3, 91, 104},  {4, 92, 103},  {5, 93, 93},
                            {6, 95, 95},   {7, 94, 94},   {8, 84, 84},   {9, 85, 85},   {10, 86, 86},  {11, 87, 87},
                            {12, 88, 88},  {13, 100, 100}, {14, 82, 82}, {15, 110, 110}, {16, 110, 110}, {255, 110, 110}};
    SetupShape shape;
    shape.sources = 16;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    for (int back = 0; back <= 1; ++back) {
        w.CBLeftBS.setItemIndex(back ? 1 : 0);
        for (const auto& row : table) {
            w.Sources[15].Mode = static_cast<std::uint8_t>(row[0]);
            BuildImage(w);
            EXPECT_EQ(value(w, 38), row[1 + back]) << "mode " << row[0] << " back speakers " << back;
        }
    }
}

TEST(BuildImage, TriggerEventsAreCodedByTheirTextAndTheModel) {
    const char* texts[] = {"External 7.1",          "Balanced Input",        "System On",
                           "Dimmer",                "Composite Video In",    "S-Video In",
                           "Composite Video/S-Video In", "Video Source Selected", "Audio Source Selected",
                           "Zone Power On"};
    const int base[] = {98, 99, 100, 101, 102, 103, 104, 105, 106, 107};
    const int other[] = {98, 99, 99, 100, 102, 103, 104, 101, 102, 103};
    for (ModelVariant variant : {ModelVariant::Tavro, ModelVariant::R7, ModelVariant::M4820}) {
        SetupShape shape;
        shape.variant = variant;
        shape.sources = 3;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        ASSERT_EQ(w.CBTrigger2Source.count(), 14);
        for (int e = 0; e < 10; ++e) {
            w.CBTrigger2Source.setItemIndex(4 + e);
            ASSERT_EQ(w.CBTrigger2Source.text(), texts[e]);
            BuildImage(w);
            EXPECT_EQ(value(w, 71), variant == ModelVariant::Tavro ? base[e] : other[e]) << texts[e];
        }
    }
}

TEST(BuildImage, TriggerSourcesAreTheirIndexAndOtherTextsLeaveTheEntry) {
    SetupShape shape;
    shape.sources = 3;
    shape.triggerMask = 0;  // no events: the list is "Trigger Off" and the sources
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.CBTrigger1Source.setItemIndex(3);
    BuildImage(w);
    EXPECT_EQ(value(w, 67), 83);
    w.CBTrigger1Source.setItemIndex(0);
    BuildImage(w);
    EXPECT_EQ(value(w, 67), 80);

    // An item behind the sources that is no event: the entry keeps its value.
    w.CBTrigger1Source.setItems({"Trigger Off", "a", "b", "c", "Lamp"});
    w.CBTrigger1Source.setItemIndex(4);
    w.ParameterImage[67].Value = 201;
    BuildImage(w);
    EXPECT_EQ(value(w, 67), 201);
}

TEST(BuildImage, TextsArePaddedWithBlanksAndCut) {
    SetupShape shape;
    shape.sources = 2;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.EditWelcome2.setText("Hi");
    w.EditShutdown2.setText("");
    w.EditShutdown1.setText("123456789012345678901234");  // longer than a line
    w.Sources[0].Name = "DVD";
    w.Sources[1].Name = "ABCDEFGHIJ";
    BuildImage(w);

    std::vector<int> hi{72, 105};
    hi.resize(20, 32);
    EXPECT_EQ(values(w, 99, 20), hi);
    EXPECT_EQ(values(w, 139, 20), std::vector<int>(20, 32));
    EXPECT_EQ(values(w, 119, 20),
              (std::vector<int>{49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 48}));
    EXPECT_EQ(values(w, 159, 7), (std::vector<int>{68, 86, 68, 32, 32, 32, 32}));
    EXPECT_EQ(values(w, 166, 7), (std::vector<int>{65, 66, 67, 68, 69, 70, 71}));
    EXPECT_EQ(value(w, 173), 'S') << "source 3 is not in use and keeps its placeholder";
}

TEST(BuildImage, PerSourceEntriesOnlyForSourcesInUse) {
    SetupShape shape;
    shape.sources = 4;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    SetupRandomizer(7).fill(w);
    // No setting of a valid setup is coded as 255.
    for (ParameterEntry& e : w.ParameterImage) e.Value = 255;
    BuildImage(w);

    std::set<int> untouched;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (value(w, k) == 255) untouched.insert(k);
    std::set<int> expected{4, 39};
    for (int n = 5; n <= 16; ++n) {
        for (int k : {22 + n, 270 + n, 286 + n, 302 + n, 348 + n}) expected.insert(k);
        for (int c = 0; c < 7; ++c) expected.insert(159 + 7 * (n - 1) + c);
    }
    EXPECT_EQ(untouched, expected);
}

TEST(BuildImage, FixedEntriesKeepTheirValuesForTheWholeRun) {
    SetupShape shape;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    for (unsigned seed = 1; seed <= 3; ++seed) {
        SetupRandomizer(seed).fill(w);
        BuildImage(w);
        EXPECT_EQ(value(w, 4), 90);
        EXPECT_EQ(value(w, 39), 83);
    }
}

TEST(BuildImage, DigitalInputs) {
    struct Case {
        ModelVariant variant;
        unsigned count;
        int position;
        int expected;  // -1: not written
    };
    const Case cases[] = {
        {ModelVariant::Tavro, 8, 0, 81},  // "Opt 1", no "Off" in the list
        {ModelVariant::Tavro, 8, 7, 88},  {ModelVariant::Tavro, 6, 0, 80},  // "Off"
        {ModelVariant::Tavro, 6, 1, 81},  // "Opt 1"
        {ModelVariant::R7, 8, 0, 80},     {ModelVariant::R7, 8, 8, 88},     {ModelVariant::M4820, 8, 1, 81},
        {ModelVariant::Tavro, 0, 3, -1},
    };
    for (const Case& c : cases) {
        SetupShape shape;
        shape.variant = c.variant;
        shape.digitalInputs = c.count;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        w.Sources[2].DigitalInput = static_cast<std::uint8_t>(c.position);
        w.ParameterImage[289].Value = 7;
        BuildImage(w);
        EXPECT_EQ(value(w, 289), c.expected < 0 ? 7 : c.expected)
            << static_cast<int>(c.variant) << " count " << c.count << " position " << c.position;
    }
}

TEST(BuildImage, ComponentVideoInputs) {
    struct Case {
        ModelVariant variant;
        int c;
        int expected;  // -1: entry unchanged
    };
    // Four component inputs declared.
    const Case cases[] = {
        {ModelVariant::Tavro, 0, 80}, {ModelVariant::Tavro, 3, 83}, {ModelVariant::Tavro, 20, 100},
        {ModelVariant::R7, 0, 80},    {ModelVariant::R7, 6, 86},    {ModelVariant::R7, 7, 101},
        {ModelVariant::R7, 10, 104},  {ModelVariant::R7, 11, 121},  {ModelVariant::M4820, 14, 124},
        {ModelVariant::M4820, 15, -1},
    };
    for (const Case& c : cases) {
        SetupShape shape;
        shape.variant = c.variant;
        shape.componentVideoCount = 4;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        w.Sources[0].ComponentVideo = static_cast<std::uint8_t>(c.c);
        w.ParameterImage[303].Value = 5;
        BuildImage(w);
        EXPECT_EQ(value(w, 303), c.expected < 0 ? 5 : c.expected) << static_cast<int>(c.variant) << " c " << c.c;
    }
}

TEST(BuildImage, PresetAssociations) {
    SetupShape shape;
    shape.sources = 7;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    for (int a = 0; a <= 6; ++a) w.Sources[static_cast<std::size_t>(a)].PresetAssoc = static_cast<std::uint8_t>(a);
    BuildImage(w);
    EXPECT_EQ(values(w, 349, 7), (std::vector<int>{80, 82, 83, 84, 85, 86, 81}));
}

TEST(BuildImage, LeavesTheChangedMaskAlone) {
    SetupShape shape;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.CBLeftL.userSelect(3);
    const EntryFlags before = w.ChangedMask;
    BuildImage(w);
    EXPECT_EQ(w.ChangedMask, before);
    EXPECT_EQ(w.ChangedMask[11], 1);
}

TEST(BuildImage, StartUpBuildsTheImageFromTheDefaultSetup) {
    SetupShape shape;
    shape.sources = 2;
    FakeHost host;
    Program program(host, [shape](TTavroSetupMain& w) {
        w.ReadSetupFileHook = [shape](TTavroSetupMain& m, const std::string&) {
            loadShape(m, shape);
            m.SBVolume.setPosition(-40);
            m.Sources[1].Name = "Tuner";
            return ReadResult::Ok;
        };
    });
    TTavroSetupMain& w = program.main();
    EXPECT_EQ(value(w, 22), 120);
    EXPECT_EQ(values(w, 166, 7), (std::vector<int>{'T', 'u', 'n', 'e', 'r', ' ', ' '}));
    EXPECT_EQ(value(w, 20), 81);
    EXPECT_EQ(value(w, 4), 90);
    for (std::uint8_t flag : w.ChangedMask) EXPECT_EQ(flag, 0);

    // Another build from the same setup changes nothing.
    const auto before = imageValues(w);
    BuildImage(w);
    EXPECT_EQ(imageValues(w), before);
}

}  // namespace
