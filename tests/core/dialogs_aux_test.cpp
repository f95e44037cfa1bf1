// The channel 9/10 mix and filter dialog.
#include "MainFixture.h"
#include "forms/Dialogs.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class MixFilter : public MainFixture {
protected:
    void SetUp() override {
        startAndShow();
        showAllGroups();
        m().RefreshAfterLoad();
    }
    TFormCh9_10& d() { return *m().dialogs()->FormCh9_10; }
    // Opens channel 9 or 10, lets `user` act, then presses OK (or cancels).
    void open(int channel, const std::function<void(TFormCh9_10&)>& user, bool ok = true) {
        host.onModal = [&, ok](Form&) {
            if (user) user(d());
            if (ok)
                d().ButtonMixFilterOk.userClick();
            else
                d().ButtonMixFilterCancel.userClick();
            return d().modalResult();
        };
        (channel == 9 ? m().ButtonCh9MixFilter : m().ButtonCh10MixFilter).userClick();
    }
};

}  // namespace

TEST_F(MixFilter, FrequencyListsHoldTheFilterCodes) {
    ItemList lp = TFormCh9_10::frequencyItems(57);
    ASSERT_EQ(lp.size(), 57u);
    EXPECT_EQ(lp[0], "20 Hz");
    EXPECT_EQ(lp[12], "80 Hz");
    EXPECT_EQ(lp[36], "200 Hz");
    EXPECT_EQ(lp[37], "250 Hz");
    EXPECT_EQ(lp[38], "500 Hz");
    EXPECT_EQ(lp[39], "1 kHz");
    EXPECT_EQ(lp[40], "2 kHz");
    EXPECT_EQ(lp[45], "7 kHz");
    EXPECT_EQ(lp[56], "18 kHz");
    EXPECT_EQ(d().CBFilter1FrequencyHP.count(), 40);
    EXPECT_EQ(d().CBFilter1FrequencyHP.items().back(), "1 kHz");
}

TEST_F(MixFilter, AStoredHighpassAbove1kHzIsLoweredAtOpening) {
    m().AuxChannels[0].Filter1Type = FilterHighpass;
    m().AuxChannels[0].Filter1Freq = 45;
    open(9, [&](TFormCh9_10& dlg) {
        EXPECT_EQ(m().AuxChannels[0].Filter1Freq, 39);  // already in the record
        EXPECT_EQ(dlg.CBFilter1FrequencyHP.text(), "1 kHz");
        EXPECT_EQ(dlg.CBFilter1FrequencyLP.text(), "1 kHz");
        EXPECT_TRUE(dlg.RBHighpassFilter1.checked());
        EXPECT_TRUE(dlg.CBFilter1FrequencyHP.visible());
        EXPECT_FALSE(dlg.CBFilter1FrequencyLP.visible());
    }, false);
    EXPECT_EQ(m().AuxChannels[0].Filter1Freq, 39);
    EXPECT_TRUE(marked().empty());
}

TEST_F(MixFilter, FilterTypeSwitchesKeepOrLowerTheFrequency) {
    struct Case {
        const char* what;
        std::uint8_t type, code;
        int click;  // 0 none, 1 lowpass, 2 highpass
        const char* shown;
        std::uint8_t storedType, storedCode;
        std::set<int> entries;
    };
    const Case cases[] = {
        {"lowpass 5 kHz to highpass", FilterLowpass, 43, 2, "1 kHz", FilterHighpass, 39, {379, 381}},
        {"highpass 100 Hz to lowpass", FilterHighpass, 16, 1, "100 Hz", FilterLowpass, 16, {379}},
        {"no filter at 7 kHz to lowpass", FilterNone, 45, 1, "7 kHz", FilterLowpass, 45, {379}},
        {"lowpass 80 Hz to highpass", FilterLowpass, 12, 2, "80 Hz", FilterHighpass, 12, {379}},
        {"lowpass to no filter", FilterLowpass, 50, 0, "12 kHz", FilterNone, 50, {379}},
    };
    for (const Case& c : cases) {
        m().ClearChangedMask();
        m().AuxChannels[0].Filter1Type = c.type;
        m().AuxChannels[0].Filter1Freq = c.code;
        open(9, [&](TFormCh9_10& dlg) {
            RadioButton* buttons[] = {&dlg.RBNoFilter1, &dlg.RBLowpassFilter1, &dlg.RBHighpassFilter1};
            buttons[c.click]->userClick();
            ListBox& shownList = c.click == 2 ? dlg.CBFilter1FrequencyHP : dlg.CBFilter1FrequencyLP;
            EXPECT_EQ(shownList.text(), c.shown) << c.what;
        });
        EXPECT_EQ(m().AuxChannels[0].Filter1Type, c.storedType) << c.what;
        EXPECT_EQ(m().AuxChannels[0].Filter1Freq, c.storedCode) << c.what;
        EXPECT_EQ(marked(), c.entries) << c.what;
    }
}

TEST_F(MixFilter, HighpassLoweringIsMarkedEvenWhenCancelled) {
    m().AuxChannels[1].Filter2Type = FilterLowpass;
    m().AuxChannels[1].Filter2Freq = 50;
    open(10, [](TFormCh9_10& dlg) { dlg.RBHighpassFilter2.userClick(); }, false);
    EXPECT_EQ(marked(), (std::set<int>{384, 386}));
    EXPECT_EQ(m().AuxChannels[1].Filter2Freq, 50);  // Cancel stores nothing
    EXPECT_FALSE(m().FileSave.enabled());            // and leaves the menus as they were
}

TEST_F(MixFilter, LowpassPickAboveHighpassRangeKeepsItsCode) {
    m().AuxChannels[0].Filter2Type = FilterLowpass;
    open(9, [](TFormCh9_10& dlg) {
        dlg.CBFilter2FrequencyLP.userSelect(52);
        EXPECT_EQ(dlg.CBFilter2FrequencyHP.itemIndex(), -1);  // no item above 1 kHz
    });
    EXPECT_EQ(m().AuxChannels[0].Filter2Freq, 52);
    EXPECT_EQ(marked(), std::set<int>{382});
}

TEST_F(MixFilter, MixLabelsAndEntriesPerBar) {
    open(9, [](TFormCh9_10& dlg) {
        dlg.SBMixLeft.userSetPosition(-37);
        EXPECT_EQ(dlg.LabelMixLeft.caption(), "Left: -37%");
        dlg.SBMixLeft.userSetPosition(0);
        EXPECT_EQ(dlg.LabelMixLeft.caption(), "Left: 0%");
        dlg.SBMixLeft.userSetPosition(100);
        EXPECT_EQ(dlg.LabelMixLeft.caption(), "Left: +100%");
        dlg.SBMixRSurr.userSetPosition(5);
        EXPECT_EQ(dlg.LabelMixRSurr.caption(), "Right Surround: +5%");
    });
    EXPECT_EQ(m().AuxChannels[0].Mix[0], 100);
    EXPECT_EQ(m().AuxChannels[0].Mix[4], 5);
    EXPECT_EQ(marked(), (std::set<int>{365, 368}));

    struct Row {
        ScrollBar TFormCh9_10::*bar;
        int ch10Entry;
    };
    const Row rows[] = {{&TFormCh9_10::SBMixLeft, 372}, {&TFormCh9_10::SBMixCenter, 373}, {&TFormCh9_10::SBMixRight, 374},
                        {&TFormCh9_10::SBMixLSurr, 377}, {&TFormCh9_10::SBMixRSurr, 375}, {&TFormCh9_10::SBMixBack, 376},
                        {&TFormCh9_10::SBMixLFE, 378}};
    for (const Row& r : rows) {
        m().ClearChangedMask();
        open(10, [&](TFormCh9_10& dlg) { (dlg.*r.bar).userSetPosition(-20); });
        EXPECT_EQ(marked(), std::set<int>{r.ch10Entry});
    }
}

TEST_F(MixFilter, EachChannelOpensWithItsOwnValuesAndCaption) {
    m().AuxChannels[0].Mix = {10, 20, 30, 40, 50, 60, 70};
    m().AuxChannels[1].Mix = {-1, -2, -3, -4, -5, -6, -7};
    m().AuxChannels[1].Filter1Type = FilterLowpass;
    m().AuxChannels[1].Filter1Freq = 3;
    open(9, [](TFormCh9_10& dlg) {
        EXPECT_EQ(dlg.caption(), "Channel 9 Mix & Filter Settings");
        EXPECT_EQ(dlg.SBMixLFE.position(), 70);
        EXPECT_TRUE(dlg.RBNoFilter1.checked());
    }, false);
    open(10, [](TFormCh9_10& dlg) {
        EXPECT_EQ(dlg.caption(), "Channel 10 Mix & Filter Settings");
        EXPECT_EQ(dlg.SBMixLeft.position(), -1);
        EXPECT_EQ(dlg.SBMixLFE.position(), -7);
        EXPECT_EQ(dlg.LabelMixBack.caption(), "Back: -6%");
        EXPECT_TRUE(dlg.RBLowpassFilter1.checked());
        EXPECT_EQ(dlg.CBFilter1FrequencyLP.text(), "35 Hz");
    });
    EXPECT_EQ(m().EditedAuxChannel, 1);
    EXPECT_TRUE(marked().empty());  // OK without touching anything
    EXPECT_FALSE(m().FileSave.enabled());
}
