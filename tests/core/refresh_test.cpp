// The step after every setup read, with the setup state set up directly.
#include "MainFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {
class Refresh : public MainFixture {
protected:
    void SetUp() override { startAndShow(); }
};
}  // namespace

TEST_F(Refresh, TabsFollowTheirGroupBoxes) {
    struct Case {
        const char* group;
        const char* tab;
    };
    const Case cases[] = {
        {"GBMessages", "TabSheetGeneral"},     {"GBGeneralAudio", "TabSheetAudio"},
        {"GBToneFilters", "TabSheetAudio"},    {"GBReverb", "TabSheetAudio"},
        {"GBLFElevel", "TabSheetAudio"},       {"GBPhones", "TabSheetAudio"},
        {"GBAnalogBassMg", "TabSheetAudio"},   {"GBSource", "TabSheetSource"},
        {"GBSpeaker", "TabSheetSpeaker"},      {"GBBackSpeaker", "TabSheetSpeaker"},
        {"GBCh9_10", "TabSheetSpeaker"},       {"GBBluebackFormat", "TabSheetOSD"},
        {"GBSetupMode", "TabSheetOSD"},        {"GBTemporary", "TabSheetOSD"},
        {"GBOSDInput", "TabSheetOSD"},         {"GBOSDOutput", "TabSheetOSD"},
        {"GBFactory", "TabSheetOSD"},          {"GBOSDStyle", "TabSheetOSD"},
        {"GBDistanceUnits", "TabSheetOSD"},    {"GBTrigger1", "TabSheetTrigger"},
        {"GBTrigger2", "TabSheetTrigger"},     {"GBPanel1", "TabSheetPresets"},
        {"GBPanel5", "TabSheetPresets"},
    };
    for (const Case& c : cases) {
        for (Control* g : m().controls())
            if (g->kind() == ControlKind::GroupBox) g->setVisible(false);
        m().find(c.group)->setVisible(true);
        m().RefreshAfterLoad();
        for (TabSheet* t : m().tabSheets())
            EXPECT_EQ(t->visible(), t->name() == c.tab) << c.group << " -> " << t->name();
        EXPECT_TRUE(m().OperationsMenu.enabled()) << c.group;
    }
}

TEST_F(Refresh, WithoutAnyTabTheOperationsAndMostFileCommandsAreDisabled) {
    m().RefreshAfterLoad();
    for (TabSheet* t : m().tabSheets()) EXPECT_FALSE(t->visible()) << t->name();
    for (MenuItem* item : {&m().OperationsMenu, &m().FileSaveAs, &m().FileOptions, &m().FileNew})
        EXPECT_FALSE(item->enabled()) << item->name();
    for (MenuItem* item : {&m().FileOpen, &m().FileExit, &m().About}) EXPECT_TRUE(item->enabled()) << item->name();

    m().GBSpeaker.setVisible(true);
    m().RefreshAfterLoad();
    for (MenuItem* item : {&m().OperationsMenu, &m().FileSaveAs, &m().FileOptions, &m().FileNew})
        EXPECT_TRUE(item->enabled()) << item->name();
}

TEST_F(Refresh, ZoneOrBalancedWithoutSourcesHidesTheSourceTabButCountsForTheMenus) {
    m().GBZone.setVisible(true);
    m().GBBalanced.setVisible(true);
    m().RefreshAfterLoad();
    EXPECT_FALSE(m().TabSheetSource.visible());
    EXPECT_TRUE(m().OperationsMenu.enabled());
    EXPECT_TRUE(m().FileNew.enabled());
}

TEST_F(Refresh, ProLogicGroupNeedsTheDplIIMusicMode) {
    m().GBDPLII.setVisible(true);
    m().RefreshAfterLoad();
    EXPECT_FALSE(m().GBDPLII.visible());
    EXPECT_FALSE(m().TabSheetAudio.visible());

    m().GBDPLII.setVisible(true);
    m().Modes.ModeAvailable[ModeDplIIMusic] = 1;
    m().RefreshAfterLoad();
    EXPECT_TRUE(m().GBDPLII.visible());
    EXPECT_TRUE(m().TabSheetAudio.visible());
}

TEST_F(Refresh, BackSpeakersBringBackTheSurrounds) {
    m().CBLeftSS.setItemIndex(0);
    m().CBRightSS.setItemIndex(0);
    m().CBLeftBS.setItemIndex(2);
    for (ListBox* l : {&m().CBLeftSL, &m().CBRightSL, &m().CBLeftSD, &m().CBRightSD}) l->setEnabled(false);
    m().RefreshAfterLoad();
    EXPECT_EQ(m().CBLeftSS.text(), "Small");
    EXPECT_EQ(m().CBRightSS.text(), "Small");
    for (ListBox* l : {&m().CBLeftSL, &m().CBRightSL, &m().CBLeftSD, &m().CBRightSD}) EXPECT_TRUE(l->enabled()) << l->name();
}

TEST_F(Refresh, PresetAssociationsToMissingPresetsAreDropped) {
    m().SourceCount = 5;
    m().GBPanel1.setVisible(true);
    const std::uint8_t before[] = {1, 3, 6, 9, 0};
    const std::uint8_t after[] = {1, 0, 6, 0, 0};
    for (int i = 0; i < 5; ++i) m().Sources[static_cast<std::size_t>(i)].PresetAssoc = before[i];
    m().Sources[7].PresetAssoc = 3;  // not in use: left alone
    m().RefreshAfterLoad();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(m().Sources[static_cast<std::size_t>(i)].PresetAssoc, after[i]) << i;
    EXPECT_EQ(m().Sources[7].PresetAssoc, 3);
    // The panel of the preset in use is enabled, an unused one is not.
    EXPECT_TRUE(m().ButtonPanel1.enabled());
    EXPECT_TRUE(m().LPanel1L.enabled());
    EXPECT_FALSE(m().ButtonPanel2.enabled());
    EXPECT_FALSE(m().LabelPanel2C.enabled());
}

TEST_F(Refresh, EnhancedBassWaitsWhileThereIsNoSubwoofer) {
    m().CheckBoxEnhancedBass.setChecked(true);
    m().CBSubS.setItemIndex(0);
    m().Thx.Ultra2Sub = 1;
    m().Thx.BoundaryGain = 1;
    m().RefreshAfterLoad();
    EXPECT_FALSE(m().CheckBoxEnhancedBass.enabled());
    EXPECT_FALSE(m().CheckBoxEnhancedBass.checked());
    EXPECT_TRUE(m().SavedEnhancedBass);
    EXPECT_EQ(m().Thx.Ultra2Sub, 0);
    EXPECT_EQ(m().Thx.BoundaryGain, 0);

    m().CBSubS.setItemIndex(1);
    m().RefreshAfterLoad();
    EXPECT_TRUE(m().CheckBoxEnhancedBass.enabled());
}

TEST_F(Refresh, ProLogicButtonAndPanoramaFollowCenterAndSurrounds) {
    struct Case {
        int center, surround;
        bool dplShown;
        bool buttonEnabled;
        int panorama;
    };
    const Case cases[] = {
        {0, 0, true, false, 0}, {1, 0, true, true, 0}, {0, 1, true, true, 1}, {2, 2, true, true, 1}, {1, 0, false, true, 1},
    };
    for (const Case& c : cases) {
        m().Modes.ModeAvailable[ModeDplIIMusic] = 1;
        m().GBDPLII.setVisible(c.dplShown);
        m().CBCenterS.setItemIndex(c.center);
        m().CBLeftSS.setItemIndex(c.surround);
        m().CBRightSS.setItemIndex(c.surround);
        m().Dpl.Panorama = 1;
        m().RefreshAfterLoad();
        EXPECT_EQ(m().ButtonDPLII.enabled(), c.buttonEnabled) << c.center << "/" << c.surround;
        EXPECT_EQ(m().Dpl.Panorama, c.panorama) << c.center << "/" << c.surround << " shown " << c.dplShown;
    }
}

TEST_F(Refresh, ModeTableAlwaysOffersSomething) {
    m().Modes.ModeAvailable.fill(0);
    m().RefreshAfterLoad();
    EXPECT_TRUE(m().Modes.offered(ModeStereo));
}

TEST_F(Refresh, TriggerListsAreRebuiltKeepingTheirSelections) {
    m().SourceCount = 2;
    m().Sources[0].Name = "DVD";
    m().Sources[1].Name = "SAT";
    m().CBTrigger1Source.setItemIndex(12);  // within the new list
    m().CBTrigger2Source.setItemIndex(20);  // beyond it
    m().RefreshAfterLoad();
    const ItemList expected{"Trigger Off",        "DVD",        "SAT",
                            "External 7.1",       "Balanced Input", "System On",
                            "Dimmer",             "Composite Video In", "S-Video In",
                            "Composite Video/S-Video In", "Video Source Selected", "Audio Source Selected",
                            "Zone Power On"};
    EXPECT_EQ(m().CBTrigger1Source.items(), expected);
    EXPECT_EQ(m().CBTrigger2Source.items(), expected);
    EXPECT_EQ(m().CBTrigger1Source.itemIndex(), 12);
    EXPECT_EQ(m().CBTrigger2Source.itemIndex(), 0);
    // The enabling rule follows the restored selections.
    EXPECT_TRUE(m().CBTrigger1Delay.enabled());
    EXPECT_FALSE(m().CBTrigger2Delay.enabled());
    EXPECT_FALSE(m().RB2Negative.enabled());
}

TEST_F(Refresh, BalancedRoutingFollowsTheBalancedSource) {
    m().CBBalancedSource.setItemIndex(0);
    m().RefreshAfterLoad();
    EXPECT_FALSE(m().LabelBalRouting.enabled());
    EXPECT_FALSE(m().RBThroughDSP.enabled());
    EXPECT_FALSE(m().RBBypassDSP.enabled());
    m().CBBalancedSource.setItemIndex(1);
    m().RefreshAfterLoad();
    EXPECT_TRUE(m().LabelBalRouting.enabled());
    EXPECT_TRUE(m().RBBypassDSP.enabled());
}

TEST_F(Refresh, TheChangedMaskEndsClear) {
    m().CBSubS.setItemIndex(0);
    m().CheckBoxEnhancedBass.setChecked(true);  // unchecking it during the refresh marks 66
    m().MarkChanged({5, 200});
    m().RefreshAfterLoad();
    EXPECT_TRUE(marked().empty());
}
