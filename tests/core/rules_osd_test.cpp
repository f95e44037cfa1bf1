// OSD enabling and preview, triggers, welcome and shutdown messages.
#include "MainFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {
class OsdRules : public MainFixture {
protected:
    void SetUp() override { startAndShow(); }
    std::vector<Control*> osdControls() {
        TTavroSetupMain& w = m();
        return {&w.RBPAL,      &w.RBNTSC,     &w.RBBlueback,        &w.RBSuperimpose,    &w.RBTempFull,
                &w.RBTempSimple, &w.RBNoTemp, &w.LabelErrorCol,     &w.LabelBgCol,       &w.LabelChCol,
                &w.CBBackgroundColor, &w.CBCharacterColor, &w.CBErrorColor, &w.CBOSDStyle};
    }
};
}  // namespace

TEST_F(OsdRules, NoOsdDisablesTheOsdControlsAndAnOutputEnablesThemAgain) {
    m().RBNTSC.userClick();
    m().CBOSDStyle.userSelect(5);
    m().RBOSDOutputNo.userClick();
    for (Control* c : osdControls()) EXPECT_FALSE(c->enabled()) << c->name();
    for (Control* c : std::initializer_list<Control*>{&m().RBOSDInputAuto, &m().RBFeet, &m().RBMeters})
        EXPECT_TRUE(c->enabled()) << c->name();
    for (RadioButton* rb : {&m().RBOSDOutputSvideo, &m().RBOSDOutputCs, &m().RBOSDOutputBoth}) {
        m().RBOSDOutputNo.userClick();
        rb->userClick();
        for (Control* c : osdControls()) EXPECT_TRUE(c->enabled()) << c->name() << " after " << rb->name();
    }
    EXPECT_TRUE(m().RBNTSC.checked());
    EXPECT_EQ(m().CBOSDStyle.itemIndex(), 5);
}

TEST_F(OsdRules, PreviewShowsTheStyleOrTheFactoryColours) {
    struct Case {
        int style;
        Rgb background, error, characters;
    };
    const Case cases[] = {
        {0, 0x000000, 0xFF0000, 0xFFFFFF},   // factory: black, red, white
        {1, 0x0000FF, 0xFF0000, 0xFFFFFF},   // blue, red, white
        {14, 0xFF0000, 0x000000, 0xFFFFFF},  // red, black, white
        {15, 0xFF0000, 0xFF00FF, 0xFFFFB4},  // red, magenta, yellow
        {25, 0x00CC00, 0xFF0000, 0xDCFFDC},  // green, red, green
        {29, 0x00CC00, 0x0000FF, 0xFFFFFF},  // green, blue, white
    };
    for (const Case& c : cases) {
        m().CBOSDStyle.userSelect(c.style);
        EXPECT_EQ(m().MemoSampleText.color(), c.background) << c.style;
        EXPECT_EQ(m().EditSampleError.color(), c.error) << c.style;
        EXPECT_EQ(m().MemoSampleText.fontColor(), c.characters) << c.style;
        EXPECT_EQ(m().EditSampleError.fontColor(), c.characters) << c.style;
    }
}

TEST_F(OsdRules, FactoryColoursShowAtOnceOnlyWithTheFactoryStyle) {
    m().CBOSDStyle.userSelect(15);
    m().CBBackgroundColor.userSelect(2);  // Green
    m().CBCharacterColor.userSelect(6);   // Yellow
    m().CBErrorColor.userSelect(1);       // Blue
    EXPECT_EQ(m().MemoSampleText.color(), 0xFF0000);
    EXPECT_EQ(m().FactoryBackgroundColor, 0x00CC00);
    EXPECT_EQ(m().FactoryCharacterColor, 0xFFFFB4);
    EXPECT_EQ(m().FactoryErrorColor, 0x0000FF);

    m().CBOSDStyle.userSelect(0);
    EXPECT_EQ(m().MemoSampleText.color(), 0x00CC00);
    EXPECT_EQ(m().MemoSampleText.fontColor(), 0xFFFFB4);
    EXPECT_EQ(m().EditSampleError.color(), 0x0000FF);

    m().CBBackgroundColor.userSelect(3);  // Cyan, shown at once now
    EXPECT_EQ(m().MemoSampleText.color(), 0x00FFFF);
    m().CBCharacterColor.userSelect(1);
    EXPECT_EQ(m().EditSampleError.fontColor(), 0xDCDCFF);
}

TEST_F(OsdRules, TriggerListsOfferSourcesThenTheEventsOfTheMask) {
    struct Case {
        int sources;
        std::uint16_t mask;
        ItemList events;
    };
    const ItemList all{"External 7.1", "Balanced Input", "System On", "Dimmer", "Composite Video In", "S-Video In",
                       "Composite Video/S-Video In", "Video Source Selected", "Audio Source Selected", "Zone Power On"};
    const Case cases[] = {
        {0, 2047, all},
        {2, 2047, all},
        {16, 2047, all},
        {3, (1 << 3) | (1 << 10), {"System On", "Zone Power On"}},
        {1, 1, {}},                                    // bit 0 adds nothing
        {1, 0xF800, {}},                               // nor do bits 11 to 15
        {1, (1 << 1) | (1 << 2), {"External 7.1", "Balanced Input"}},
    };
    for (const Case& c : cases) {
        m().SourceCount = static_cast<std::uint8_t>(c.sources);
        m().TriggerEventMask = c.mask;
        m().RebuildTriggerLists();
        ItemList expected{"Trigger Off"};
        for (int i = 0; i < c.sources; ++i) expected.push_back(m().Sources[static_cast<std::size_t>(i)].Name);
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(m().CBTrigger1Source.items(), expected) << c.sources << "/" << c.mask;
        EXPECT_EQ(m().CBTrigger2Source.items(), expected) << c.sources << "/" << c.mask;
    }
}

TEST_F(OsdRules, TriggerOffGreysOutItsTriggerOnly) {
    m().SourceCount = 2;
    m().RebuildTriggerLists();
    m().CBTrigger1Source.userSelect(2);
    m().CBTrigger2Source.userSelect(1);
    m().CBTrigger2Source.userSelect(0);
    for (Control* c : std::initializer_list<Control*>{&m().CBTrigger1Delay, &m().CB1Duration, &m().LabelTrigger1Polarity,
                                                      &m().LabelTrigger1Duration, &m().LabelTrigger1Delay,
                                                      &m().RB1Positive, &m().RB1Negative})
        EXPECT_TRUE(c->enabled()) << c->name();
    for (Control* c : std::initializer_list<Control*>{&m().CBTrigger2Delay, &m().CB2Duration, &m().LabelTrigger2Polarity,
                                                      &m().LabelTrigger2Duration, &m().LabelTrigger2Delay,
                                                      &m().RB2Positive, &m().RB2Negative})
        EXPECT_FALSE(c->enabled()) << c->name();
}

TEST_F(OsdRules, SkipWelcomeGreysOutTheWelcomeLinesOnly) {
    m().CheckBoxSkipWelcome.userClick();
    EXPECT_FALSE(m().LabelWelcome.enabled());
    EXPECT_FALSE(m().EditWelcome1.enabled());
    EXPECT_FALSE(m().EditWelcome2.enabled());
    EXPECT_TRUE(m().EditShutdown1.enabled());
    EXPECT_TRUE(m().EditShutdown2.enabled());
    m().CheckBoxSkipWelcome.userClick();
    EXPECT_TRUE(m().EditWelcome2.enabled());
}

TEST_F(OsdRules, LeavingAMessageLineCleansAllFourAndMarksOnlyChangedOnes) {
    m().EditShutdown2.setText("Good;bye \"now\" \xe9");
    m().ClearChangedMask();
    m().FileSave.setEnabled(false);

    m().EditWelcome1.userExit();
    EXPECT_EQ(m().EditShutdown2.text(), "Good bye  now   ");
    EXPECT_EQ(marked(), range(139, 158));
    EXPECT_TRUE(m().FileSave.enabled());

    m().ClearChangedMask();
    m().FileSave.setEnabled(false);
    m().EditShutdown1.userExit();
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().FileSave.enabled());
}

TEST_F(OsdRules, TypingIsCutAtTwentyCharacters) {
    m().EditWelcome2.userSetText("This line is far too long for the display");
    EXPECT_EQ(m().EditWelcome2.text(), "This line is far too");
}
