// Speaker layout rules and the distance unit switch.
#include <random>

#include "MainFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class SpeakerRules : public MainFixture {
protected:
    void SetUp() override {
        startAndShow();
        showAllGroups();
        m().RefreshAfterLoad();
    }
};

// The layout conditions the rules keep. A front-size pick that forces the
// subwoofer to "Yes" does not run the subwoofer rule: the THX button lags
// behind until the next subwoofer or back-speaker step (`thxPending`), the
// Enhanced Bass box until the next subwoofer step (`bassPending`).
struct Lag {
    bool thxPending = false;
    bool bassPending = false;
};

::testing::AssertionResult layoutHolds(TTavroSetupMain& w, Lag lag) {
    auto fail = [](const std::string& why) { return ::testing::AssertionFailure() << why; };
    if (w.CBLeftS.itemIndex() != w.CBRightS.itemIndex()) return fail("fronts differ");
    if (w.CBLeftSS.itemIndex() != w.CBRightSS.itemIndex()) return fail("surrounds differ");
    if (w.CBLeftBS.itemIndex() != w.CBRightBS.itemIndex()) return fail("backs differ");
    if (w.CBLeftSS.text() == "No") {
        if (w.CBLeftBS.text() != "No") return fail("back speakers without surrounds");
        if (w.CheckBoxRBack.checked()) return fail("two backs without surrounds");
        for (Control* c : std::initializer_list<Control*>{&w.CBLeftBS, &w.CBRightBS, &w.CBLeftBL, &w.CBRightBL,
                                                          &w.CBLeftBD, &w.CBRightBD, &w.CheckBoxRBack, &w.LabelLBack})
            if (c->enabled()) return fail(c->name() + " enabled without surrounds");
    }
    if (w.CBLeftS.text() == "Small" && w.CBSubS.text() != "Yes") return fail("small fronts without subwoofer");
    bool dpl = w.CBCenterS.text() != "No" || w.CBLeftSS.text() != "No";
    if (w.ButtonDPLII.enabled() != dpl) return fail("ButtonDPLII enabled state");
    if (!lag.thxPending) {
        bool thx = w.CheckBoxRBack.checked() || w.CBSubS.text() != "No";
        if (w.ButtonTHXUltra.enabled() != thx) return fail("ButtonTHXUltra enabled state");
    }
    if (!lag.bassPending) {
        bool sub = w.CBSubS.text() != "No";
        if (w.CheckBoxEnhancedBass.enabled() != sub) return fail("Enhanced Bass enabled state");
        if (!sub && w.CheckBoxEnhancedBass.checked()) return fail("Enhanced Bass checked without subwoofer");
    }
    if (w.CheckBoxRBack.checked() != w.CBRightBS.enabled()) return fail("right back size follows the check box");
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(SpeakerRules, LayoutHoldsAfterAnySequenceOfUserPicks) {
    std::mt19937 rng(20261210);
    for (int run = 0; run < 200; ++run) {
        startAndShow();
        showAllGroups();
        m().RefreshAfterLoad();
        TTavroSetupMain& w = m();
        const std::vector<ListBox*> sizes{&w.CBLeftS, &w.CBRightS, &w.CBCenterS, &w.CBLeftSS, &w.CBRightSS,
                                          &w.CBSubS,  &w.CBLeftBS, &w.CBRightBS};
        Lag lag;
        std::string trail;
        for (int step = 0; step < 40; ++step) {
            int choice = static_cast<int>(rng() % (sizes.size() + 2));
            if (choice < static_cast<int>(sizes.size())) {
                ListBox* list = sizes[static_cast<std::size_t>(choice)];
                if (!list->enabled()) continue;
                int pick = static_cast<int>(rng() % static_cast<unsigned>(list->count()));
                bool subWasNo = m().CBSubS.text() == "No";
                // A pick of the item already selected runs no rule.
                const bool changed = pick != list->itemIndex();
                list->userSelect(pick);
                trail += list->name() + "=" + list->text() + " ";
                if (list == &m().CBLeftS || list == &m().CBRightS) {
                    if (list->text() == "Small" && subWasNo) lag = {true, true};
                } else if (list == &m().CBSubS) {
                    if (changed) lag = {};
                } else if (list == &m().CBLeftBS || list == &m().CBRightBS) {
                    if (changed) lag.thxPending = false;
                }
            } else if (choice == static_cast<int>(sizes.size())) {
                if (!m().CheckBoxRBack.enabled()) continue;
                m().CheckBoxRBack.userClick();
                trail += "RBack ";
                lag.thxPending = false;
            } else {
                if (!m().CheckBoxEnhancedBass.enabled()) continue;
                m().CheckBoxEnhancedBass.userClick();
                trail += "EnhancedBass ";
            }
            ASSERT_TRUE(layoutHolds(m(), lag)) << "after " << trail;
        }
    }
}

TEST_F(SpeakerRules, SurroundSizeFollowsToTheOtherSideAndEnablesTheBackRow) {
    m().CBLeftSS.userSelect(0);
    m().CBLeftSS.userSelect(2);
    EXPECT_EQ(m().CBRightSS.text(), "Large");
    for (Control* c : std::initializer_list<Control*>{&m().CBLeftSL, &m().CBLeftSD, &m().CBRightSL, &m().CBRightSD,
                                                      &m().CBLeftBS, &m().LabelLBack, &m().ButtonDPLII})
        EXPECT_TRUE(c->enabled()) << c->name();
}

TEST_F(SpeakerRules, NoSurroundsRemovesBothBackSpeakers) {
    m().CBLeftBS.userSelect(1);
    m().CheckBoxRBack.userClick();
    EXPECT_EQ(m().LabelLBack.caption(), "Left Back:");
    EXPECT_EQ(m().CheckBoxRBack.caption(), "Right Back:");

    m().CBRightSS.userSelect(0);
    EXPECT_FALSE(m().CheckBoxRBack.checked());
    EXPECT_EQ(m().LabelLBack.caption(), "Back:");
    EXPECT_EQ(m().CheckBoxRBack.caption(), "2 Back Spks:");
    EXPECT_EQ(m().CBLeftBS.text(), "No");
    EXPECT_EQ(m().CBRightBS.text(), "No");
    EXPECT_EQ(marked(), (std::set<int>{20, 60}));
}

TEST_F(SpeakerRules, NoOnTheRightBackListRemovesBothBackSpeakers) {
    m().CBLeftBS.userSelect(2);
    m().CheckBoxRBack.userClick();
    m().CBRightBS.userSelect(0);
    EXPECT_EQ(m().CBLeftBS.text(), "No");
    EXPECT_EQ(m().CBRightBS.text(), "No");
    EXPECT_FALSE(m().CBRightBS.enabled());
    EXPECT_FALSE(m().CheckBoxRBack.enabled());
    EXPECT_FALSE(m().CBLeftBL.enabled());
}

TEST_F(SpeakerRules, SmallFrontsKeepTheSubwoofer) {
    m().CBLeftS.userSelect(0);
    EXPECT_EQ(m().CBRightS.text(), "Small");
    m().CBSubS.userSelect(0);
    EXPECT_EQ(m().CBSubS.text(), "Yes");
    EXPECT_TRUE(m().CBSubL.enabled());
    EXPECT_TRUE(m().CBSubD.enabled());
    EXPECT_TRUE(m().CheckBoxEnhancedBass.enabled());
}

TEST_F(SpeakerRules, SmallFrontsForceTheSubwooferWithoutItsRule) {
    m().CBSubS.userSelect(0);
    ASSERT_FALSE(m().ButtonTHXUltra.enabled());
    m().ClearChangedMask();
    m().CBLeftS.userSelect(0);
    EXPECT_EQ(m().CBSubS.text(), "Yes");
    EXPECT_TRUE(m().CBSubL.enabled());
    EXPECT_TRUE(m().CBSubD.enabled());
    // Left as they were until the next subwoofer or back-speaker step.
    EXPECT_FALSE(m().CheckBoxEnhancedBass.enabled());
    EXPECT_FALSE(m().ButtonTHXUltra.enabled());
    EXPECT_EQ(marked(), std::set<int>{18});
}

TEST_F(SpeakerRules, EnhancedBassComesBackAsItWas) {
    for (bool before : {true, false}) {
        m().CheckBoxEnhancedBass.setChecked(before);
        m().CBSubS.userSelect(0);
        EXPECT_FALSE(m().CheckBoxEnhancedBass.checked());
        EXPECT_FALSE(m().CheckBoxEnhancedBass.enabled());
        m().CBSubS.userSelect(1);
        EXPECT_EQ(m().CheckBoxEnhancedBass.checked(), before);
        EXPECT_TRUE(m().CheckBoxEnhancedBass.enabled());
    }
}

// With the subwoofer in place and Enhanced Bass checked, a pick that leaves
// the subwoofer "Yes" is no edit: Enhanced Bass stays checked and nothing is
// marked.
TEST_F(SpeakerRules, APickThatKeepsTheSubwooferChangesNothing) {
    struct Case {
        const char* what;
        int fronts;  // 0 "Small", 1 "Large"
        int pick;    // 1 "Yes" picked again, 0 "No" refused by small fronts
    };
    const Case cases[] = {
        {"Yes picked again", 1, 1},
        {"No refused by small fronts", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m().CBSubS.userSelect(1);
        m().CBLeftS.userSelect(c.fronts);
        m().CheckBoxEnhancedBass.setChecked(true);
        m().ClearChangedMask();
        m().FileSave.setEnabled(false);
        m().CBSubS.userSelect(c.pick);
        EXPECT_EQ(m().CBSubS.text(), "Yes");
        EXPECT_TRUE(m().CheckBoxEnhancedBass.checked());
        EXPECT_TRUE(m().CheckBoxEnhancedBass.enabled());
        EXPECT_TRUE(marked().empty());
        EXPECT_FALSE(m().FileSave.enabled());
    }
    // Coming back from "No" still brings back the remembered state, also
    // when small fronts bring the subwoofer back.
    m().CBLeftS.userSelect(1);
    m().CBSubS.userSelect(0);
    m().CBLeftS.userSelect(0);  // forces "Yes"; Enhanced Bass still waits
    m().CBSubS.userSelect(0);   // refused, and the subwoofer rule runs
    EXPECT_TRUE(m().CheckBoxEnhancedBass.enabled());
    EXPECT_TRUE(m().CheckBoxEnhancedBass.checked());
    EXPECT_TRUE(marked().count(66));
}

TEST_F(SpeakerRules, NoSubwooferTurnsTheThxSubwooferOffOnlyWhileThxIsShown) {
    for (bool shown : {true, false}) {
        m().CBSubS.userSelect(1);
        m().GBTHXUltra.setVisible(shown);
        m().Thx.Ultra2Sub = 1;
        m().Thx.BoundaryGain = 1;
        m().CBSubS.userSelect(0);
        EXPECT_EQ(m().Thx.Ultra2Sub, shown ? 0 : 1);
        EXPECT_EQ(m().Thx.BoundaryGain, shown ? 0 : 1);
    }
}

TEST_F(SpeakerRules, ThxButtonNeedsASubwooferOrTwoBackSpeakers) {
    struct Case {
        bool sub, twoBacks, enabled;
    };
    const Case cases[] = {{true, false, true}, {false, false, false}, {false, true, true}, {true, true, true}};
    for (const Case& c : cases) {
        m().CBLeftBS.userSelect(c.twoBacks ? 1 : 0);
        if (c.twoBacks) m().CheckBoxRBack.setChecked(true);
        m().CBSubS.userSelect(c.sub ? 1 : 0);
        EXPECT_EQ(m().ButtonTHXUltra.enabled(), c.enabled) << c.sub << c.twoBacks;
    }
}

TEST_F(SpeakerRules, CenterAndSurroundsDecideTheProLogicButton) {
    m().CBCenterS.userSelect(0);
    EXPECT_FALSE(m().CBCenterL.enabled());
    EXPECT_FALSE(m().CBCenterD.enabled());
    EXPECT_TRUE(m().ButtonDPLII.enabled());  // the surrounds are still there
    m().CBLeftSS.userSelect(0);
    EXPECT_FALSE(m().ButtonDPLII.enabled());
    m().CBCenterS.userSelect(2);
    EXPECT_TRUE(m().ButtonDPLII.enabled());
    EXPECT_TRUE(m().CBCenterL.enabled());
}

TEST_F(SpeakerRules, SubFilterBoxEnablesItsList) {
    m().CheckBoxSubFilter.userClick();
    EXPECT_FALSE(m().CBSubFilter.enabled());
    m().CheckBoxSubFilter.userClick();
    EXPECT_TRUE(m().CBSubFilter.enabled());
}

TEST_F(SpeakerRules, DistanceUnitKeepsTheStepOfEveryDistanceList) {
    TTavroSetupMain& w = m();
    int step = 10;
    for (ListBox* l : w.distanceLists()) l->setItemIndex(step++);
    w.RBMeters.userClick();
    EXPECT_EQ(w.CBLeftD.text(), "3.3 m");
    step = 10;
    for (ListBox* l : w.distanceLists()) {
        EXPECT_EQ(l->itemIndex(), step) << l->name();
        EXPECT_EQ(l->count(), 64) << l->name();
        EXPECT_EQ(l->text(), w.MeterItems[static_cast<std::size_t>(step++)]) << l->name();
    }
    // The channel 9/10 delays are not distances.
    EXPECT_EQ(w.CBCh9D.text(), "0.0 ms");
    w.RBFeet.userClick();
    EXPECT_EQ(w.CBLeftD.text(), "10 ft.");
    EXPECT_EQ(w.CBSubD.text(), "17 ft.");
}

TEST_F(SpeakerRules, ClickingTheCheckedUnitChangesNothing) {
    m().RBFeet.userClick();
    EXPECT_TRUE(marked().empty());
    EXPECT_EQ(m().CBLeftD.text(), "0 ft.");
}
