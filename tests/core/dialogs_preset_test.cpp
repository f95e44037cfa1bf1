// The preset dialog and the enabling of the preset panels.
#include <functional>

#include "link_setups.h"
#include "forms/Dialogs.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class PresetDialog : public ::testing::Test {
protected:
    void SetUp() override {
        SetupShape sh;
        sh.sources = 6;
        session = std::make_unique<ShapedProgram>(sh);
        // Every preset in use, so that each "Set..." button can be pressed.
        for (int i = 0; i < PresetCount; ++i) m().Sources[static_cast<std::size_t>(i)].PresetAssoc = static_cast<std::uint8_t>(i + 1);
        m().RefreshPresetPanels();
    }

    TTavroSetupMain& m() { return session->main(); }
    FakeHost& host() { return session->host; }
    TFormPreset& d() { return *m().dialogs()->FormPreset; }

    // Presses preset n's "Set..." button; `user` acts inside the dialog,
    // which then closes with OK or Cancel.
    void open(int n, const std::function<void(TFormPreset&)>& user = {}, bool ok = true) {
        host().onModal = [&, ok](Form&) {
            if (user) user(d());
            (ok ? d().ButtonPresetOk : d().ButtonPresetCancel).userClick();
            return d().modalResult();
        };
        m().presetPanel(n).button->userClick();
    }

    std::set<int> marked() {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (m().ChangedMask[static_cast<std::size_t>(i)]) s.insert(i);
        return s;
    }

    std::unique_ptr<ShapedProgram> session;
};

}  // namespace

TEST_F(PresetDialog, ListsHoldTheLevelAndLipsyncSteps) {
    for (ListBox* l : {&d().CBPresetCenter, &d().CBPresetSurr, &d().CBPresetSub, &d().CBPresetBass, &d().CBPresetTreble}) {
        ASSERT_EQ(l->count(), 25) << l->name();
        EXPECT_EQ(l->items()[0], "-12 dB");
        EXPECT_EQ(l->items()[11], "-1 dB");
        EXPECT_EQ(l->items()[12], "0 dB");
        EXPECT_EQ(l->items()[13], "+1 dB");
        EXPECT_EQ(l->items()[24], "+12 dB");
    }
    ASSERT_EQ(d().CBPresetLipsync.count(), 151);
    EXPECT_EQ(d().CBPresetLipsync.items()[0], "0 ms");
    EXPECT_EQ(d().CBPresetLipsync.items()[20], "20 ms");
    EXPECT_EQ(d().CBPresetLipsync.items()[150], "150 ms");
}

TEST_F(PresetDialog, OpensWithThePresetsValuesAndCaption) {
    m().Presets[2] = PresetSettings{0, 5, 24, 13, 11, 99};
    std::array<int, PresetFieldCount> shown{};
    open(3, [&](TFormPreset& dlg) {
        for (int f = 0; f < PresetFieldCount; ++f) shown[static_cast<std::size_t>(f)] = dlg.lists()[static_cast<std::size_t>(f)]->itemIndex();
    }, false);
    EXPECT_EQ(host().modalShown, std::vector<std::string>{"FormPreset"});
    EXPECT_EQ(d().caption(), "Preset 3 Settings");
    EXPECT_EQ(m().EditedPreset, 2);
    EXPECT_EQ(shown, (std::array<int, PresetFieldCount>{0, 5, 24, 13, 11, 99}));
}

TEST_F(PresetDialog, OkStoresThePositionsAndWritesTheValueLabels) {
    open(1, [](TFormPreset& dlg) {
        dlg.CBPresetCenter.userSelect(24);
        dlg.CBPresetSurr.userSelect(0);
        dlg.CBPresetSub.userSelect(9);
        dlg.CBPresetBass.userSelect(15);
        dlg.CBPresetTreble.userSelect(12);
        dlg.CBPresetLipsync.userSelect(150);
    });
    const PresetSettings& p = m().Presets[0];
    EXPECT_EQ(p.Center, 24);
    EXPECT_EQ(p.Surrounds, 0);
    EXPECT_EQ(p.Subwoofer, 9);
    EXPECT_EQ(p.Bass, 15);
    EXPECT_EQ(p.Treble, 12);
    EXPECT_EQ(p.Lipsync, 150);
    EXPECT_EQ(m().LPanel1C.caption(), "+12 dB");
    EXPECT_EQ(m().LPanel1Surr.caption(), "-12 dB");
    EXPECT_EQ(m().LPanel1Sub.caption(), "-3 dB");
    EXPECT_EQ(m().LPanel1B.caption(), "+3 dB");
    EXPECT_EQ(m().LPanel1T.caption(), "0 dB");
    EXPECT_EQ(m().LPanel1L.caption(), "150 ms");
    // The other presets' labels are not touched.
    EXPECT_EQ(m().LPanel2C.caption(), "0 dB");
    EXPECT_EQ(m().Presets[1].Center, 12);
}

TEST_F(PresetDialog, EachTouchedListMarksItsOwnEntry) {
    struct Case {
        int preset;
        int field;
        int entry;
    };
    const Case cases[] = {
        {2, 2, 327},  // preset 2's subwoofer
        {2, 0, 325},  // preset 2's centre
        {1, 5, 324},  // preset 1's lip-sync
        {1, 0, 319},
        {5, 5, 348},
        {4, 3, 340},
    };
    for (const Case& c : cases) {
        m().ClearChangedMask();
        open(c.preset, [&](TFormPreset& dlg) { dlg.lists()[static_cast<std::size_t>(c.field)]->userSelect(3); });
        EXPECT_EQ(marked(), std::set<int>{c.entry}) << "preset " << c.preset << " field " << c.field;
        EXPECT_EQ(m().Presets[static_cast<std::size_t>(c.preset - 1)].field(c.field), 3);
    }
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
}

TEST_F(PresetDialog, OkWithoutTouchingMarksNothingAndKeepsTheValues) {
    m().Presets[3] = PresetSettings{1, 2, 3, 4, 5, 6};
    ASSERT_FALSE(m().FileSave.enabled());
    open(4);
    EXPECT_EQ(d().modalResult(), ModalResult::Ok);
    for (int f = 0; f < PresetFieldCount; ++f) EXPECT_EQ(m().Presets[3].field(f), f + 1);
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_EQ(m().LPanel4C.caption(), "-11 dB");
    EXPECT_EQ(m().LPanel4L.caption(), "6 ms");

    // A second showing starts with clear flags: what the first marked is
    // not marked again by the second.
    open(5, [](TFormPreset& dlg) { dlg.CBPresetBass.userSelect(0); });
    m().ClearChangedMask();
    open(5);
    EXPECT_TRUE(marked().empty());
}

TEST_F(PresetDialog, CancelLeavesPresetLabelsAndMaskAlone) {
    open(2, [](TFormPreset& dlg) {
        dlg.CBPresetCenter.userSelect(0);
        dlg.CBPresetLipsync.userSelect(40);
    }, false);
    EXPECT_EQ(d().modalResult(), ModalResult::Cancel);
    EXPECT_EQ(m().Presets[1].Center, 12);
    EXPECT_EQ(m().Presets[1].Lipsync, 0);
    EXPECT_EQ(m().LPanel2C.caption(), "0 dB");
    EXPECT_TRUE(marked().empty());
}

TEST_F(PresetDialog, AValueBeyondItsListIsKeptWithItsLabel) {
    m().Presets[0].Center = 40;
    m().LPanel1C.setCaption("?");
    bool noSelection = false;
    open(1, [&](TFormPreset& dlg) { noSelection = dlg.CBPresetCenter.itemIndex() == -1; });
    EXPECT_TRUE(noSelection);
    EXPECT_EQ(m().Presets[0].Center, 40);
    EXPECT_EQ(m().LPanel1C.caption(), "?");
    EXPECT_EQ(m().LPanel1B.caption(), "0 dB");
}

TEST_F(PresetDialog, ADisabledSetButtonOpensNothing) {
    m().Sources[2].PresetAssoc = 0;  // nobody uses preset 3 any more
    m().RefreshPresetPanels();
    ASSERT_FALSE(m().ButtonPanel3.enabled());
    open(3);
    EXPECT_TRUE(host().modalShown.empty());
}

TEST(PresetPanels, EnabledExactlyForThePresetsSourcesInUseCallUp) {
    struct Case {
        int sourceCount;
        std::array<std::uint8_t, MaxSources> assoc;
        std::array<bool, PresetCount> enabled;
    };
    const Case cases[] = {
        {4, {0, 0, 0, 0}, {false, false, false, false, false}},
        {4, {1, 3, 3, 0}, {true, false, true, false, false}},
        {4, {6, 6, 6, 6}, {false, false, false, false, false}},          // Flat Trims calls up no preset
        {3, {0, 0, 0, 2, 5}, {false, false, false, false, false}},       // sources beyond the count do not count
        {16, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}, {false, false, false, false, true}},
        {5, {7, 200, 5, 4, 2}, {false, true, false, true, true}},         // values outside 0..6 call up nothing
    };
    for (const Case& c : cases) {
        SetupShape sh;
        sh.sources = c.sourceCount;
        ShapedProgram p(sh);
        TTavroSetupMain& w = p.main();
        for (int i = 0; i < MaxSources; ++i) w.Sources[static_cast<std::size_t>(i)].PresetAssoc = c.assoc[static_cast<std::size_t>(i)];
        w.RefreshPresetPanels();
        for (int n = 1; n <= PresetCount; ++n) {
            const TTavroSetupMain::PresetPanel panel = w.presetPanel(n);
            const bool on = c.enabled[static_cast<std::size_t>(n - 1)];
            EXPECT_EQ(panel.button->enabled(), on) << "preset " << n << " with " << c.sourceCount << " sources";
            for (Label* l : panel.names) EXPECT_EQ(l->enabled(), on) << l->name();
            for (Label* l : panel.values) EXPECT_EQ(l->enabled(), on) << l->name();
            EXPECT_TRUE(panel.group->visible()) << n;  // disabled, never hidden
        }
    }
}
