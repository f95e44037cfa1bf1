// Audio value labels, zone and balanced input.
#include "MainFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {
class AudioRules : public MainFixture {
protected:
    void SetUp() override { startAndShow(); }
};
}  // namespace

TEST_F(AudioRules, VolumeLabelsFollowTheModelVariant) {
    struct Case {
        tavro::ModelVariant variant;
        int position;
        const char* volume;
        const char* zone;
    };
    const Case cases[] = {
        {tavro::ModelVariant::Tavro, -70, "Volume: -90 dB", "Zone Volume: -90 dB"},
        {tavro::ModelVariant::Tavro, -30, "Volume: -50 dB", "Zone Volume: -50 dB"},
        {tavro::ModelVariant::R7, 0, "Volume: -20 dB", "Zone Volume: -20 dB"},
        {tavro::ModelVariant::M4820, -70, "Volume: 0", "Zone Volume: 0"},
        {tavro::ModelVariant::M4820, -69, "Volume: 2", "Zone Volume: 1"},
        {tavro::ModelVariant::M4820, -67, "Volume: 6", "Zone Volume: 3"},
        {tavro::ModelVariant::M4820, -66, "Volume: 8", "Zone Volume: 4"},
        {tavro::ModelVariant::M4820, -30, "Volume: 44", "Zone Volume: 40"},
        {tavro::ModelVariant::M4820, 28, "Volume: 102", "Zone Volume: 98"},
    };
    m().SBVolume.setMax(28);
    m().SBZoneVolume.setMax(28);
    for (const Case& c : cases) {
        m().ModelVariant = c.variant;
        m().SBVolume.setPosition(c.position);
        m().SBZoneVolume.setPosition(c.position);
        m().WriteValueLabels();
        EXPECT_EQ(m().LabelVolume.caption(), c.volume) << c.position;
        EXPECT_EQ(m().LabelZoneVolume.caption(), c.zone) << c.position;
    }
}

TEST_F(AudioRules, SignedLabelsShowAPlusAboveZero) {
    struct Case {
        ScrollBar* bar;
        Label* label;
        int position;
        const char* text;
    };
    TTavroSetupMain& w = m();
    const Case cases[] = {
        {&w.SBBass, &w.LabelBass, 0, "Bass: 0 dB"},         {&w.SBBass, &w.LabelBass, 3, "Bass: +3 dB"},
        {&w.SBBass, &w.LabelBass, -3, "Bass: -3 dB"},       {&w.SBTreble, &w.LabelTreble, 12, "Treble: +12 dB"},
        {&w.SBTreble, &w.LabelTreble, -12, "Treble: -12 dB"}, {&w.SBPhones, &w.LabelPhones, 10, "Offset: +10 dB"},
        {&w.SBPhones, &w.LabelPhones, -20, "Offset: -20 dB"}, {&w.SBPhones, &w.LabelPhones, 0, "Offset: 0 dB"},
        {&w.SBLFELevel, &w.LabelLFELevel, -10, "Level: -10 dB"}, {&w.SBLFELevel, &w.LabelLFELevel, 0, "Level: 0 dB"},
    };
    for (const Case& c : cases) {
        c.bar->userSetPosition(c.position);
        w.WriteValueLabels();  // also for a position equal to the current one
        EXPECT_EQ(c.label->caption(), c.text);
    }
    // A move made by the program rewrites the label through the handler.
    w.SBTreble.setPosition(5);
    EXPECT_EQ(w.LabelTreble.caption(), "Treble: +5 dB");
}

TEST_F(AudioRules, BalancedRoutingIsGreyedOutWhileOffAndKeepsItsChoice) {
    m().CBBalancedSource.userSelect(3);
    m().RBBypassDSP.userClick();
    m().CBBalancedSource.userSelect(0);
    EXPECT_FALSE(m().LabelBalRouting.enabled());
    EXPECT_FALSE(m().RBThroughDSP.enabled());
    EXPECT_FALSE(m().RBBypassDSP.enabled());
    EXPECT_TRUE(m().RBBypassDSP.checked());
    m().CBBalancedSource.userSelect(2);
    EXPECT_TRUE(m().LabelBalRouting.enabled());
    EXPECT_TRUE(m().RBBypassDSP.enabled());
    EXPECT_TRUE(m().RBBypassDSP.checked());
}

TEST_F(AudioRules, ZoneAndBalancedListsByModelVariant) {
    struct Case {
        tavro::ModelVariant variant;
        int sources;
        int zoneItems;
        int balancedItems;
    };
    const Case cases[] = {
        {tavro::ModelVariant::Tavro, 3, 3, 4}, {tavro::ModelVariant::Tavro, 16, 16, 17},
        {tavro::ModelVariant::R7, 3, 6, 4},    {tavro::ModelVariant::M4820, 10, 6, 11},
        {tavro::ModelVariant::Tavro, 0, 0, 1},
    };
    for (const Case& c : cases) {
        m().ModelVariant = c.variant;
        m().SourceCount = static_cast<std::uint8_t>(c.sources);
        m().RebuildZoneAndBalancedLists();
        EXPECT_EQ(m().CBZoneSource.count(), c.zoneItems) << c.sources;
        EXPECT_EQ(m().CBBalancedSource.count(), c.balancedItems) << c.sources;
        EXPECT_EQ(m().CBBalancedSource.items()[0], "Off");
        if (c.zoneItems > 0) {
            EXPECT_EQ(m().CBZoneSource.items()[0], "Video 1");
        }
    }
}

TEST_F(AudioRules, ListRebuildKeepsSelectionsOfSourcesStillInUse) {
    m().SourceCount = 8;
    m().RebuildZoneAndBalancedLists();
    m().CBZoneSource.setItemIndex(4);
    m().CBBalancedSource.setItemIndex(5);
    m().Sources[4].Name = "Tuner";
    m().RebuildZoneAndBalancedLists();
    EXPECT_EQ(m().CBZoneSource.text(), "Tuner");
    EXPECT_EQ(m().CBBalancedSource.itemIndex(), 5);

    m().SourceCount = 4;  // sources 5 and up are no longer in use
    m().RebuildZoneAndBalancedLists();
    EXPECT_EQ(m().CBZoneSource.itemIndex(), 0);
    EXPECT_EQ(m().CBBalancedSource.text(), "Off");
}
