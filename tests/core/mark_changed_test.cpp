// Every edit runs MarkChanged with its own entries: Save and Upload Changed
// Settings become available, Verify Settings does not.
#include <cctype>

#include "MainFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {

struct EditCase {
    const char* what;
    std::function<void(TTavroSetupMain&)> edit;
    std::set<int> entries;
};

// Test names and failure messages show the edit, not the bytes of the case.
void PrintTo(const EditCase& c, std::ostream* os) { *os << c.what; }

class MarkChangedTest : public MainFixture, public ::testing::WithParamInterface<EditCase> {};

const EditCase editCases[] = {
    {"center level", [](TTavroSetupMain& w) { w.CBCenterL.userSelect(10); }, {12}},
    {"left level", [](TTavroSetupMain& w) { w.CBLeftL.userSelect(10); }, {11}},
    {"right level", [](TTavroSetupMain& w) { w.CBRightL.userSelect(10); }, {13}},
    {"left surround level", [](TTavroSetupMain& w) { w.CBLeftSL.userSelect(10); }, {15}},
    {"right surround level", [](TTavroSetupMain& w) { w.CBRightSL.userSelect(10); }, {14}},
    {"sub level", [](TTavroSetupMain& w) { w.CBSubL.userSelect(10); }, {16}},
    {"left distance", [](TTavroSetupMain& w) { w.CBLeftD.userSelect(3); }, {5}},
    {"right distance", [](TTavroSetupMain& w) { w.CBRightD.userSelect(3); }, {7}},
    {"center distance", [](TTavroSetupMain& w) { w.CBCenterD.userSelect(3); }, {6}},
    {"left surround distance", [](TTavroSetupMain& w) { w.CBLeftSD.userSelect(3); }, {9}},
    {"right surround distance", [](TTavroSetupMain& w) { w.CBRightSD.userSelect(3); }, {8}},
    {"sub distance", [](TTavroSetupMain& w) { w.CBSubD.userSelect(3); }, {10}},
    {"left back level", [](TTavroSetupMain& w) { w.CBLeftBL.userSelect(3); }, {62}},
    {"right back level", [](TTavroSetupMain& w) { w.CBRightBL.userSelect(3); }, {61}},
    {"left back distance", [](TTavroSetupMain& w) { w.CBLeftBD.userSelect(3); }, {64}},
    {"right back distance", [](TTavroSetupMain& w) { w.CBRightBD.userSelect(3); }, {63}},
    {"channel 9 level", [](TTavroSetupMain& w) { w.CBCh9L.userSelect(3); }, {388}},
    {"channel 10 level", [](TTavroSetupMain& w) { w.CBCh10L.userSelect(3); }, {390}},
    {"channel 9 delay", [](TTavroSetupMain& w) { w.CBCh9D.userSelect(3); }, {387}},
    {"channel 10 delay", [](TTavroSetupMain& w) { w.CBCh10D.userSelect(3); }, {389}},
    {"front size", [](TTavroSetupMain& w) { w.CBLeftS.userSelect(0); }, {18}},
    {"right front size", [](TTavroSetupMain& w) { w.CBRightS.userSelect(0); }, {18}},
    {"center size", [](TTavroSetupMain& w) { w.CBCenterS.userSelect(2); }, {19}},
    {"surround size", [](TTavroSetupMain& w) { w.CBLeftSS.userSelect(2); }, {20}},
    {"right surround size", [](TTavroSetupMain& w) { w.CBRightSS.userSelect(2); }, {20}},
    {"subwoofer no, THX hidden", [](TTavroSetupMain& w) { w.CBSubS.userSelect(0); }, {21, 66}},
    {"subwoofer no, THX shown",
     [](TTavroSetupMain& w) {
         w.GBTHXUltra.setVisible(true);
         w.CBSubS.userSelect(0);
     },
     {21, 47, 49, 66}},
    {"back size", [](TTavroSetupMain& w) { w.CBLeftBS.userSelect(1); }, {60}},
    {"sub filter box", [](TTavroSetupMain& w) { w.CheckBoxSubFilter.userClick(); }, {42}},
    {"sub filter", [](TTavroSetupMain& w) { w.CBSubFilter.userSelect(3); }, {65}},
    {"enhanced bass", [](TTavroSetupMain& w) { w.CheckBoxEnhancedBass.userClick(); }, {66}},
    {"meters", [](TTavroSetupMain& w) { w.RBMeters.userClick(); }, {40}},
    {"volume", [](TTavroSetupMain& w) { w.SBVolume.userSetPosition(-20); }, {22}},
    {"bass", [](TTavroSetupMain& w) { w.SBBass.userSetPosition(3); }, {77}},
    {"treble", [](TTavroSetupMain& w) { w.SBTreble.userSetPosition(3); }, {78}},
    {"phones", [](TTavroSetupMain& w) { w.SBPhones.userSetPosition(3); }, {41}},
    {"LFE", [](TTavroSetupMain& w) { w.SBLFELevel.userSetPosition(-3); }, {17}},
    {"zone volume", [](TTavroSetupMain& w) { w.SBZoneVolume.userSetPosition(-3); }, {75}},
    {"zone source", [](TTavroSetupMain& w) { w.CBZoneSource.userSelect(2); }, {76}},
    {"balanced source", [](TTavroSetupMain& w) { w.CBBalancedSource.userSelect(2); }, {0}},
    {"bypass DSP", [](TTavroSetupMain& w) { w.RBBypassDSP.userClick(); }, {1}},
    {"reverb", [](TTavroSetupMain& w) { w.RBWet3.userClick(); }, {46}},
    {"tone bass filter", [](TTavroSetupMain& w) { w.CBToneBFreq.userSelect(1); }, {392}},
    {"tone treble filter", [](TTavroSetupMain& w) { w.CBToneTFreq.userSelect(1); }, {393}},
    {"analog bass", [](TTavroSetupMain& w) { w.CBAnalogBassMg.userSelect(1); }, {394}},
    {"NTSC", [](TTavroSetupMain& w) { w.RBNTSC.userClick(); }, {55}},
    {"superimpose", [](TTavroSetupMain& w) { w.RBSuperimpose.userClick(); }, {51}},
    {"simple temporary display", [](TTavroSetupMain& w) { w.RBTempSimple.userClick(); }, {52}},
    {"OSD input off", [](TTavroSetupMain& w) { w.RBOSDInputOff.userClick(); }, {54}},
    {"no OSD", [](TTavroSetupMain& w) { w.RBOSDOutputNo.userClick(); }, {53}},
    {"OSD style", [](TTavroSetupMain& w) { w.CBOSDStyle.userSelect(4); }, {56}},
    {"background colour", [](TTavroSetupMain& w) { w.CBBackgroundColor.userSelect(4); }, {57}},
    {"character colour", [](TTavroSetupMain& w) { w.CBCharacterColor.userSelect(4); }, {58}},
    {"error colour", [](TTavroSetupMain& w) { w.CBErrorColor.userSelect(1); }, {59}},
    {"trigger 1 source", [](TTavroSetupMain& w) { w.CBTrigger1Source.userSelect(1); }, {67}},
    {"trigger 1 polarity", [](TTavroSetupMain& w) { w.RB1Negative.userClick(); }, {68}},
    {"trigger 1 delay", [](TTavroSetupMain& w) { w.CBTrigger1Delay.userSelect(1); }, {69}},
    {"trigger 1 duration", [](TTavroSetupMain& w) { w.CB1Duration.userSelect(1); }, {70}},
    {"trigger 2 source", [](TTavroSetupMain& w) { w.CBTrigger2Source.userSelect(1); }, {71}},
    {"trigger 2 polarity", [](TTavroSetupMain& w) { w.RB2Negative.userClick(); }, {72}},
    {"trigger 2 delay", [](TTavroSetupMain& w) { w.CBTrigger2Delay.userSelect(1); }, {73}},
    {"trigger 2 duration", [](TTavroSetupMain& w) { w.CB2Duration.userSelect(1); }, {74}},
    {"skip welcome", [](TTavroSetupMain& w) { w.CheckBoxSkipWelcome.userClick(); }, {50}},
    {"welcome line 1", [](TTavroSetupMain& w) { w.EditWelcome1.userSetText("Hello"); }, range(79, 98)},
    {"welcome line 2", [](TTavroSetupMain& w) { w.EditWelcome2.userSetText("Hello"); }, range(99, 118)},
    {"shutdown line 1", [](TTavroSetupMain& w) { w.EditShutdown1.userSetText("Bye"); }, range(119, 138)},
    {"shutdown line 2", [](TTavroSetupMain& w) { w.EditShutdown2.userSetText("Bye"); }, range(139, 158)},
};

}  // namespace

TEST_P(MarkChangedTest, AnEditMarksExactlyItsEntriesAndEnablesSaveAndUpload) {
    startAndShow();
    ASSERT_FALSE(m().FileSave.enabled());
    GetParam().edit(m());
    EXPECT_EQ(marked(), GetParam().entries) << GetParam().what;
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
}

// "center level" is named CenterLevel; a name that comes twice gets its index.
std::string editName(const ::testing::TestParamInfo<EditCase>& info) {
    std::string name;
    bool upper = true;
    for (const char* p = info.param.what; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (std::isalnum(c)) {
            name += static_cast<char>(upper ? std::toupper(c) : c);
            upper = false;
        } else {
            upper = true;
        }
    }
    int before = 0;
    for (std::size_t i = 0; i < info.index; ++i)
        if (std::string(editCases[i].what) == info.param.what) ++before;
    return before == 0 ? name : name + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(EveryEdit, MarkChangedTest, ::testing::ValuesIn(editCases), editName);

TEST_F(MarkChangedTest, MarkingNeverClearsAndDisablesVerifyEvenWhenItWasEnabled) {
    startAndShow();
    m().OperationsVerifySettings.setEnabled(true);
    m().MarkChanged({3});
    m().MarkChanged({394});
    EXPECT_EQ(marked(), (std::set<int>{3, 394}));
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
    m().MarkChanged({});
    EXPECT_EQ(marked(), (std::set<int>{3, 394}));
}

TEST_F(MarkChangedTest, ProgramSelectionsAndEqualValuesMarkNothing) {
    startAndShow();
    m().CBCenterL.setItemIndex(5);
    m().SBVolume.setPosition(m().SBVolume.position());
    m().RBFeet.userClick();  // already checked
    m().EditWelcome1.setText(m().EditWelcome1.text());
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().FileSave.enabled());
}
