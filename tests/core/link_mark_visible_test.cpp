// Choosing the entries of the visible part of the setup for Upload All
// Settings and Download Settings.
#include <set>

#include "forms/ImageBuilder.h"
#include "link_setups.h"

using namespace tavro;
using namespace tavro::test;

namespace {

std::set<int> flagged(const TTavroSetupMain& w) {
    std::set<int> s;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (w.ChangedMask[static_cast<std::size_t>(k)]) s.insert(k);
    return s;
}

std::set<int> entries(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> s;
    for (auto [first, last] : ranges)
        for (int k = first; k <= last; ++k) s.insert(k);
    return s;
}

std::set<int> sourceEntries(int n) {  // the five single entries and the name of source n
    std::set<int> s{22 + n, 270 + n};
    for (int c = 0; c < 7; ++c) s.insert(159 + 7 * (n - 1) + c);
    return s;
}

SetupShape bareShape() {
    SetupShape s;
    s.allGroups = false;
    s.sources = 0;
    s.digitalInputs = 0;
    s.componentVideo = false;
    s.presets = {false, false, false, false, false};
    return s;
}

TEST(MarkVisibleEntries, EachGroupBoxBringsItsEntries) {
    struct Case {
        const char* group;
        std::set<int> expected;
    };
    const Case cases[] = {
        {"GBBalanced", entries({{0, 1}})},
        {"GBSpeaker", entries({{2, 3}, {5, 16}, {18, 21}, {42, 42}, {65, 66}})},
        {"GBLFElevel", entries({{17, 17}})},
        {"GBGeneralAudio", entries({{22, 22}, {77, 78}})},
        {"GBDistanceUnits", entries({{40, 40}})},
        {"GBPhones", entries({{41, 41}})},
        {"GBDPLII", entries({{43, 45}, {391, 391}})},
        {"GBReverb", entries({{46, 46}})},
        {"GBTHXUltra", entries({{47, 49}})},
        {"GBMessages", entries({{50, 50}, {79, 158}})},
        {"GBSetupMode", entries({{51, 51}})},
        {"GBTemporary", entries({{52, 52}})},
        {"GBOSDOutput", entries({{53, 53}})},
        {"GBOSDInput", entries({{54, 54}})},
        {"GBBluebackFormat", entries({{55, 55}})},
        {"GBOSDStyle", entries({{56, 56}})},
        {"GBFactory", entries({{57, 59}})},
        {"GBBackSpeaker", entries({{60, 64}})},
        {"GBTrigger1", entries({{67, 70}})},
        {"GBTrigger2", entries({{71, 74}})},
        {"GBZone", entries({{75, 76}})},
        {"GBToneFilters", entries({{392, 393}})},
        {"GBAnalogBassMg", entries({{394, 394}})},
        {"GBCh9_10", entries({{365, 371}, {379, 382}, {387, 388}})},
        {"GBPanel1", entries({{319, 324}})},
        {"GBPanel3", entries({{331, 336}})},
        {"GBPanel5", entries({{343, 348}})},
        {"GBSource", {}},
    };
    SetupShape shape = bareShape();
    shape.ch10 = false;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    for (const Case& c : cases) {
        for (Control* g : w.controls())
            if (g->kind() == ControlKind::GroupBox) g->setVisible(false);
        w.find(c.group)->setVisible(true);
        MarkVisibleEntries(w);
        EXPECT_EQ(flagged(w), c.expected) << c.group;
    }
}

TEST(MarkVisibleEntries, FourSourcesNoPresetsOneAuxChannelNoDigitalOrVideoInputs) {
    SetupShape shape;
    shape.sources = 4;
    shape.presets = {false, false, false, false, false};
    shape.ch10 = false;
    shape.digitalInputs = 0;
    shape.componentVideo = false;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.ChangedMask.fill(1);  // replaced wholesale
    MarkVisibleEntries(w);

    std::set<int> expected;
    for (int k = 0; k < ImageEntryCount; ++k) expected.insert(k);
    for (int k : {4, 39}) expected.erase(k);
    for (int n = 5; n <= 16; ++n)
        for (int k : sourceEntries(n)) expected.erase(k);
    for (int k : entries({{287, 302}, {303, 318}, {319, 348}, {349, 364}, {372, 378}, {383, 386}, {389, 390}}))
        expected.erase(k);
    EXPECT_EQ(flagged(w), expected);
}

TEST(MarkVisibleEntries, EverythingButTheFixedEntriesForAFullSetup) {
    SetupShape shape;
    shape.sources = 16;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    MarkVisibleEntries(w);
    std::set<int> expected;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (k != 4 && k != 39) expected.insert(k);
    EXPECT_EQ(flagged(w), expected);
}

TEST(MarkVisibleEntries, SourceEntriesFollowTheSourcesAndWhatTheSetupDeclares) {
    struct Case {
        const char* what;
        int sources;
        unsigned digital;
        bool video;
        bool preset;
        std::set<int> expected;
    };
    std::set<int> two = sourceEntries(1);
    for (int k : sourceEntries(2)) two.insert(k);
    auto with = [](std::set<int> s, std::initializer_list<int> more) {
        s.insert(more);
        return s;
    };
    const Case cases[] = {
        {"no source declared", 0, 6, true, true, entries({{319, 324}})},
        {"two sources", 2, 0, false, false, two},
        {"with digital inputs", 2, 1, false, false, with(two, {287, 288})},
        {"with video inputs", 2, 0, true, false, with(two, {303, 304})},
        {"with a preset", 2, 0, false, true, with(with(two, {349, 350}), {319, 320, 321, 322, 323, 324})},
    };
    for (const Case& c : cases) {
        SetupShape shape = bareShape();
        shape.sources = c.sources;
        shape.digitalInputs = c.digital;
        shape.componentVideo = c.video;
        shape.presets[0] = c.preset;
        ShapedProgram p(shape);
        TTavroSetupMain& w = p.main();
        MarkVisibleEntries(w);
        EXPECT_EQ(flagged(w), c.expected) << c.what;
    }
}

TEST(MarkVisibleEntries, ASetupWithoutSourcesOrAuxChannelsBringsNoneOfTheirEntries) {
    // Before any setup has been read every source button and the channel 10
    // row are visible in themselves, inside hidden group boxes.
    FakeHost host;
    Program program(host);
    TTavroSetupMain& w = program.main();
    ASSERT_TRUE(w.BSource16.visible());
    ASSERT_TRUE(w.LabelCh10.visible());
    MarkVisibleEntries(w);
    EXPECT_EQ(flagged(w), std::set<int>{});
}

TEST(MarkVisibleEntries, ChannelTenFollowsItsRow) {
    SetupShape shape = bareShape();
    shape.ch10 = true;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.GBCh9_10.setVisible(true);
    MarkVisibleEntries(w);
    EXPECT_EQ(flagged(w), entries({{365, 390}}));
}

TEST(ClearChanged, ClearsEveryFlag) {
    SetupShape shape;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    MarkVisibleEntries(w);
    ASSERT_FALSE(flagged(w).empty());
    ClearChanged(w);
    EXPECT_EQ(flagged(w), std::set<int>{});
}

}  // namespace
