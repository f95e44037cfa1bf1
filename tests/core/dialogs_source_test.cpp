// The source settings dialog, opened from the source buttons of a started
// program whose default setup has a chosen shape.
#include <functional>

#include "forms/SetupFile.h"
#include "link_setups.h"
#include "forms/Dialogs.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// A started program and the source dialog on its scripted host.
struct SourceSession : ShapedProgram {
    explicit SourceSession(const SetupShape& shape) : ShapedProgram(shape) {}

    TTavroSetupMain& m() { return main(); }
    TFormSource& d() { return *m().dialogs()->FormSource; }

    // Presses source n's button; `user` acts inside the dialog, which then
    // closes with OK or Cancel.
    ModalResult open(int n, const std::function<void(TFormSource&)>& user = {}, bool ok = true) {
        host.onModal = [&, ok](Form&) {
            if (user) user(d());
            (ok ? d().ButtonSourceOk : d().ButtonSourceCancel).userClick();
            return d().modalResult();
        };
        m().sourceButtons()[static_cast<std::size_t>(n - 1)]->userClick();
        return d().modalResult();
    }

    std::set<int> marked() {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (m().ChangedMask[static_cast<std::size_t>(i)]) s.insert(i);
        return s;
    }
};

SetupShape shape(ModelVariant variant, int sources = 8) {
    SetupShape s;
    s.variant = variant;
    s.sources = sources;
    return s;
}

std::set<int> entries(int first, int last) {
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}

const char* variantName(ModelVariant v) { return modelVariantName(v); }

}  // namespace

TEST(SourceDialog, ButtonOpensItsSourceWithItsCaptionAndCancelStoresNothing) {
    SourceSession s(shape(ModelVariant::Tavro, 16));
    s.m().Sources[4].Name = "Tuner";
    s.m().Sources[4].Sensitivity = 9;
    s.m().Sources[4].PresetAssoc = 2;
    s.m().ClearChangedMask();
    const SourceRecord before = s.m().Sources[4];
    const ItemList balanced = s.m().CBBalancedSource.items();

    std::string shownName;
    int shownSensitivity = -1;
    const ModalResult r = s.open(5, [&](TFormSource& d) {
        shownName = d.EditSourceName.text();
        shownSensitivity = d.CBSensitivity.itemIndex();
        d.EditSourceName.userSetText("Other");
        d.CBSensitivity.userSelect(0);
        d.CBPresetAssoc.userSelect(0);
        d.RBMono.userClick();
    }, false);

    EXPECT_EQ(r, ModalResult::Cancel);
    EXPECT_EQ(s.host.modalShown, std::vector<std::string>{"FormSource"});
    EXPECT_EQ(s.d().caption(), "Source 5 Settings");
    EXPECT_EQ(s.m().EditedSource, 4);
    EXPECT_EQ(shownName, "Tuner");
    EXPECT_EQ(shownSensitivity, 9);
    const SourceRecord& after = s.m().Sources[4];
    EXPECT_EQ(after.Name, before.Name);
    EXPECT_EQ(after.Sensitivity, before.Sensitivity);
    EXPECT_EQ(after.PresetAssoc, before.PresetAssoc);
    EXPECT_EQ(after.Mode, before.Mode);
    EXPECT_EQ(s.m().CBBalancedSource.items(), balanced);
    EXPECT_TRUE(s.marked().empty());

    s.open(16, {}, false);
    EXPECT_EQ(s.d().caption(), "Source 16 Settings");
    EXPECT_EQ(s.m().EditedSource, 15);

    // The button of a source not in use is hidden and opens nothing.
    SourceSession few(shape(ModelVariant::Tavro, 8));
    few.open(9, {}, false);
    EXPECT_TRUE(few.host.modalShown.empty());
}

TEST(SourceDialog, DigitalInputListFollowsTheCountAndTheModel) {
    const ItemList inputs{"Opt 1", "Opt 2", "Opt 3", "Opt 4", "Coax 1", "Coax 2", "Coax 3", "Coax 4"};
    for (ModelVariant v : {ModelVariant::Tavro, ModelVariant::R7, ModelVariant::M4820}) {
        for (unsigned count = 0; count <= 8; ++count) {
            SetupShape sh = shape(v);
            sh.digitalInputs = count;
            SourceSession s(sh);
            s.m().Sources[0].DigitalInput = 1;
            s.open(1, {}, false);
            const std::string where = std::string(variantName(v)) + " count " + std::to_string(count);

            EXPECT_EQ(s.d().GBDigitalInput.visible(), count > 0) << where;
            if (count == 0) continue;
            const bool withoutOff = count == 8 && v == ModelVariant::Tavro;
            ItemList expected;
            if (!withoutOff) expected.push_back("Off");
            expected.insert(expected.end(), inputs.begin(), inputs.begin() + count);
            EXPECT_EQ(s.d().CBDigitalAssociation.items(), expected) << where;
            // The stored value is a position in this very list.
            EXPECT_EQ(s.d().CBDigitalAssociation.itemIndex(), 1) << where;
            EXPECT_EQ(s.d().CBDigitalAssociation.text(), withoutOff ? "Opt 2" : "Opt 1") << where;
        }
    }
}

TEST(SourceDialog, DigitalInputListEndsForFullAndNearlyFullCounts) {
    struct Case {
        ModelVariant variant;
        unsigned count;
        const char* first;
        const char* last;
        int size;
    };
    const Case cases[] = {
        {ModelVariant::Tavro, 8, "Opt 1", "Coax 4", 8},
        {ModelVariant::R7, 8, "Off", "Coax 4", 9},
        {ModelVariant::M4820, 8, "Off", "Coax 4", 9},
        {ModelVariant::Tavro, 7, "Off", "Coax 3", 8},
        {ModelVariant::Tavro, 1, "Off", "Opt 1", 2},
    };
    for (const Case& c : cases) {
        SetupShape sh = shape(c.variant);
        sh.digitalInputs = c.count;
        SourceSession s(sh);
        s.open(1, {}, false);
        const ListBox& l = s.d().CBDigitalAssociation;
        ASSERT_EQ(l.count(), c.size) << variantName(c.variant) << " " << c.count;
        EXPECT_EQ(l.items().front(), c.first);
        EXPECT_EQ(l.items().back(), c.last);
    }
}

TEST(SourceDialog, ValuesBeyondTheirListShowNoSelectionAndOkKeepsThem) {
    SetupShape sh = shape(ModelVariant::Tavro);
    sh.digitalInputs = 2;  // "Off", "Opt 1", "Opt 2"
    SourceSession s(sh);
    s.m().Sources[2].Sensitivity = 20;
    s.m().Sources[2].DigitalInput = 5;
    bool noSelection = false;
    s.open(3, [&](TFormSource& d) {
        noSelection = d.CBSensitivity.itemIndex() == -1 && d.CBDigitalAssociation.itemIndex() == -1;
    });
    EXPECT_TRUE(noSelection);
    EXPECT_EQ(s.m().Sources[2].Sensitivity, 20);
    EXPECT_EQ(s.m().Sources[2].DigitalInput, 5);
    EXPECT_TRUE(s.marked().empty());

    // A pick by the user is stored and marked as usual.
    s.open(3, [](TFormSource& d) {
        d.CBSensitivity.userSelect(15);
        d.CBDigitalAssociation.userSelect(2);
    });
    EXPECT_EQ(s.m().Sources[2].Sensitivity, 15);
    EXPECT_EQ(s.m().Sources[2].DigitalInput, 2);
    EXPECT_EQ(s.marked(), (std::set<int>{271 + 2, 287 + 2}));
}

TEST(SourceDialog, WithoutDigitalInputsAnEarlierSourcesSelectionIsNotTakenOver) {
    // A setup with digital inputs, then one without: the hidden list must not
    // carry the previous source's choice into another source.
    SourceSession s(shape(ModelVariant::Tavro));
    s.m().Sources[0].DigitalInput = 3;
    s.m().Sources[1].DigitalInput = 1;
    s.open(1);
    s.m().Inputs.DigitalInputCount = 0;
    s.open(2);
    EXPECT_FALSE(s.d().GBDigitalInput.visible());
    EXPECT_EQ(s.m().Sources[1].DigitalInput, 1);
}

TEST(SourceDialog, PresetListOffersTheShownPresetsAndStoresThePresetNumber) {
    SetupShape sh = shape(ModelVariant::Tavro);
    sh.presets = {true, false, true, false, false};
    SourceSession s(sh);
    s.open(2, [](TFormSource& d) { d.CBPresetAssoc.userSelect(d.CBPresetAssoc.indexOf("Preset 3")); });
    EXPECT_EQ(s.d().CBPresetAssoc.items(), (ItemList{"Off", "Preset 1", "Preset 3", "Flat Trims"}));
    EXPECT_TRUE(s.d().GBPresetAssoc.visible());
    EXPECT_EQ(s.m().Sources[1].PresetAssoc, 3);
    EXPECT_EQ(s.marked(), std::set<int>{349 + 1});

    // Opening again shows the association by its name.
    s.open(2, {}, false);
    EXPECT_EQ(s.d().CBPresetAssoc.text(), "Preset 3");

    struct Case {
        int stored;
        const char* shown;
        int storedAfterOk;
    };
    const Case cases[] = {
        {1, "Preset 1", 1}, {6, "Flat Trims", 6}, {0, "Off", 0},
        {2, "Off", 0},  // its panel is hidden
        {9, "Off", 0},
    };
    for (const Case& c : cases) {
        s.m().Sources[3].PresetAssoc = static_cast<std::uint8_t>(c.stored);
        std::string shown;
        s.open(4, [&](TFormSource& d) { shown = d.CBPresetAssoc.text(); });
        EXPECT_EQ(shown, c.shown) << c.stored;
        EXPECT_EQ(s.m().Sources[3].PresetAssoc, c.storedAfterOk) << c.stored;
    }
}

TEST(SourceDialog, ModeButtonsAndCaptionsFollowTheModesAndTheBackSpeakers) {
    SetupShape sh = shape(ModelVariant::Tavro);
    sh.modes = {0, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 1, 1};
    SourceSession s(sh);
    s.m().Modes.MusicModeNames = {"Jazz Club", "Church", "", "", ""};
    s.m().Sources[0].Mode = ModeDolbyDigitalEx;

    struct Case {
        int backSize;  // index in "No", "Small", "Large"
        const char* movie;
        const char* music;
        bool exShown;
    };
    const Case cases[] = {
        {0, "Dolby Pro Logic II Movie", "Dolby Pro Logic II Music", false},
        {1, "Dolby Pro Logic IIx Movie", "Dolby Pro Logic IIx Music", true},
        {2, "Dolby Pro Logic IIx Movie", "Dolby Pro Logic IIx Music", true},
    };
    for (const Case& c : cases) {
        s.m().CBLeftBS.setItemIndex(c.backSize);
        s.open(1, {}, false);
        TFormSource& d = s.d();
        EXPECT_EQ(d.RBDPLIIMovie.caption(), c.movie);
        EXPECT_EQ(d.RBDPLIIMusic.caption(), c.music);
        EXPECT_EQ(d.RBDDEX.visible(), c.exShown) << c.backSize;
        EXPECT_EQ(d.RBDTSES.visible(), c.exShown) << c.backSize;
        // Offered and hidden only for lack of back speakers: it stays checked.
        EXPECT_TRUE(d.RBDDEX.checked()) << c.backSize;
        const auto buttons = d.modeButtons();
        for (int code : {0, 7, 10, 11, 12, 13}) EXPECT_FALSE(buttons[static_cast<std::size_t>(code)]->visible()) << code;
        for (int code : {1, 2, 3, 4, 8, 9, 14, 15}) EXPECT_TRUE(buttons[static_cast<std::size_t>(code)]->visible()) << code;
        EXPECT_EQ(d.RBMusic1.caption(), "Jazz Club");
        EXPECT_EQ(d.RBMusic2.caption(), "Church");
    }
    // OK stores the hidden but checked mode as it was.
    s.m().CBLeftBS.setItemIndex(0);
    s.open(1);
    EXPECT_EQ(s.m().Sources[0].Mode, ModeDolbyDigitalEx);
    EXPECT_TRUE(s.marked().empty());
}

TEST(SourceDialog, AModeNotOfferedGivesWayToStereoOrTheFirstOfferedMode) {
    struct Case {
        std::array<std::uint8_t, ModeCount> modes;
        int stored;
        int checked;
    };
    const Case cases[] = {
        {{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 14, 1},   // Direct not offered: Stereo
        {{0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0}, 1, 7},    // no Stereo: the lowest offered
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 3, 15},
        {{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 200, 1},  // a code beyond the table
        {{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0},    // offered: kept
    };
    for (const Case& c : cases) {
        SetupShape sh = shape(ModelVariant::Tavro);
        sh.modes = c.modes;
        SourceSession s(sh);
        s.m().Sources[0].Mode = static_cast<std::uint8_t>(c.stored);
        int checked = -1;
        s.open(1, [&](TFormSource& d) {
            const auto buttons = d.modeButtons();
            for (int code = 0; code < ModeCount; ++code)
                if (buttons[static_cast<std::size_t>(code)]->checked()) checked = code;
        });
        EXPECT_EQ(checked, c.checked) << c.stored;
        EXPECT_EQ(s.m().Sources[0].Mode, c.checked) << c.stored;
    }
}

TEST(SourceDialog, ModeChosenByTheUserIsStoredWithItsCode) {
    SourceSession s(shape(ModelVariant::Tavro));  // every mode offered
    struct Case {
        RadioButton TFormSource::*button;
        int code;
    };
    const Case cases[] = {
        {&TFormSource::RBMono, 0},      {&TFormSource::RBDPL, 2},     {&TFormSource::RBDTSNeo, 7},
        {&TFormSource::RBMusic1, 8},    {&TFormSource::RBMusic5, 12}, {&TFormSource::RBMusic6, 13},
        {&TFormSource::RBDirect, 14},   {&TFormSource::RBDSPBypass, 15},
    };
    for (const Case& c : cases) {
        s.m().ClearChangedMask();
        s.open(7, [&](TFormSource& d) { (d.*c.button).userClick(); });
        EXPECT_EQ(s.m().Sources[6].Mode, c.code);
        EXPECT_EQ(s.marked(), std::set<int>{23 + 6}) << c.code;
    }
}

TEST(SourceDialog, OkWithoutTouchingAnythingMarksNothing) {
    for (ModelVariant v : {ModelVariant::Tavro, ModelVariant::R7, ModelVariant::M4820}) {
        SourceSession s(shape(v, 16));
        for (int i = 0; i < MaxSources; ++i) {
            SourceRecord& r = s.m().Sources[static_cast<std::size_t>(i)];
            r.Mode = static_cast<std::uint8_t>(i % ModeCount);
            r.Sensitivity = static_cast<std::uint8_t>(i);
            r.DigitalInput = static_cast<std::uint8_t>(i % 7);
            r.ComponentVideo = static_cast<std::uint8_t>(i % 4);
            r.PresetAssoc = static_cast<std::uint8_t>(i % 7);
        }
        ASSERT_FALSE(s.m().FileSave.enabled());
        for (int n = 1; n <= MaxSources; ++n) {
            const SourceRecord before = s.m().Sources[static_cast<std::size_t>(n - 1)];
            EXPECT_EQ(s.open(n), ModalResult::Ok);
            const SourceRecord& after = s.m().Sources[static_cast<std::size_t>(n - 1)];
            const std::string where = std::string(variantName(v)) + " source " + std::to_string(n);
            EXPECT_EQ(after.Name, before.Name) << where;
            EXPECT_EQ(after.Mode, before.Mode) << where;
            EXPECT_EQ(after.Sensitivity, before.Sensitivity) << where;
            EXPECT_EQ(after.DigitalInput, before.DigitalInput) << where;
            EXPECT_EQ(after.ComponentVideo, before.ComponentVideo) << where;
            EXPECT_EQ(after.PresetAssoc, before.PresetAssoc) << where;
        }
        EXPECT_TRUE(s.marked().empty()) << variantName(v);
        EXPECT_FALSE(s.m().FileSave.enabled()) << variantName(v);
        EXPECT_FALSE(s.m().WriteChangedSettings.enabled()) << variantName(v);
    }
}

TEST(SourceDialog, EachTouchedSettingMarksItsOwnEntries) {
    struct Case {
        const char* setting;
        std::function<void(TFormSource&)> touch;
        std::function<std::set<int>(int m)> entries;
    };
    const Case cases[] = {
        {"name", [](TFormSource& d) { d.EditSourceName.userSetText("New"); },
         [](int m) { return entries(159 + 7 * m, 165 + 7 * m); }},
        {"sensitivity", [](TFormSource& d) { d.CBSensitivity.userSelect(0); }, [](int m) { return std::set<int>{271 + m}; }},
        {"digital input", [](TFormSource& d) { d.CBDigitalAssociation.userSelect(2); },
         [](int m) { return std::set<int>{287 + m}; }},
        {"video input", [](TFormSource& d) { d.CBComponentVideo.userSelect(1); },
         [](int m) { return std::set<int>{303 + m}; }},
        {"mode", [](TFormSource& d) { d.RBDirect.userClick(); }, [](int m) { return std::set<int>{23 + m}; }},
        {"preset", [](TFormSource& d) { d.CBPresetAssoc.userSelect(1); }, [](int m) { return std::set<int>{349 + m}; }},
    };
    for (const Case& c : cases) {
        for (int n : {1, 6, 16}) {
            SourceSession s(shape(ModelVariant::Tavro, 16));
            s.open(n, c.touch);
            EXPECT_EQ(s.marked(), c.entries(n - 1)) << c.setting << " of source " << n;
            EXPECT_TRUE(s.m().FileSave.enabled()) << c.setting;
            EXPECT_TRUE(s.m().WriteChangedSettings.enabled()) << c.setting;
            EXPECT_FALSE(s.m().OperationsVerifySettings.enabled()) << c.setting;
        }
    }
    // Name, sensitivity and preset of source 3 at once; the others stay clear.
    SourceSession s(shape(ModelVariant::Tavro));
    s.open(3, [](TFormSource& d) {
        d.EditSourceName.userSetText("DVD");
        d.CBSensitivity.userSelect(2);
        d.CBPresetAssoc.userSelect(2);
    });
    std::set<int> expected = entries(173, 179);
    expected.insert({273, 351});
    EXPECT_EQ(s.marked(), expected);
}

TEST(SourceDialog, TheNameIsCleanedOnLeavingTheEditAndAtOk) {
    SourceSession s(shape(ModelVariant::Tavro));
    std::string afterExit;
    s.open(1, [&](TFormSource& d) {
        d.EditSourceName.userSetText("A#b_c");
        d.EditSourceName.userExit();
        afterExit = d.EditSourceName.text();
        d.EditSourceName.userSetText("Sat~TV!");  // typed, and OK pressed at once
    });
    EXPECT_EQ(afterExit, "A b c");
    EXPECT_EQ(s.m().Sources[0].Name, "Sat TV!");
    EXPECT_EQ(s.m().BSource1.caption(), "Sat TV!");

    s.open(2, [](TFormSource& d) { d.EditSourceName.userSetText("(1/2):*,.-x"); });
    EXPECT_EQ(s.m().Sources[1].Name, "(1/2):*");  // seven characters at most, all allowed
}

TEST(SourceDialog, RenamingOnR7WithTenSourcesKeepsTheSourceListsAndTheirSelections) {
    SourceSession s(shape(ModelVariant::R7, 10));
    TTavroSetupMain& w = s.m();
    w.CBTrigger1Source.userSelect(7);   // source 7
    w.CBTrigger2Source.userSelect(15);  // an event after the ten sources
    w.CBZoneSource.userSelect(5);
    w.CBBalancedSource.userSelect(10);
    w.ClearChangedMask();
    ItemList trigger = w.CBTrigger1Source.items();
    ASSERT_EQ(trigger.size(), 21u);  // "Trigger Off", ten sources, ten events
    ItemList zone = w.CBZoneSource.items();
    ASSERT_EQ(zone.size(), 6u);
    ItemList balanced = w.CBBalancedSource.items();

    for (int n : {3, 6, 10}) {
        s.open(n, [&](TFormSource& d) { d.EditSourceName.userSetText("Game " + std::to_string(n)); });
        const std::string name = "Game " + std::to_string(n);
        EXPECT_EQ(w.sourceButtons()[static_cast<std::size_t>(n - 1)]->caption(), name);

        ItemList expectedTrigger = trigger;
        expectedTrigger[static_cast<std::size_t>(n)] = name;
        EXPECT_EQ(w.CBTrigger1Source.items(), expectedTrigger) << n;
        EXPECT_EQ(w.CBTrigger2Source.items(), expectedTrigger) << n;
        EXPECT_EQ(w.CBTrigger1Source.itemIndex(), 7);
        EXPECT_EQ(w.CBTrigger2Source.itemIndex(), 15);

        ItemList expectedBalanced = balanced;
        expectedBalanced[static_cast<std::size_t>(n)] = name;
        EXPECT_EQ(w.CBBalancedSource.items(), expectedBalanced) << n;
        EXPECT_EQ(w.CBBalancedSource.itemIndex(), 10);

        ItemList expectedZone = zone;
        if (n <= 6) expectedZone[static_cast<std::size_t>(n - 1)] = name;
        EXPECT_EQ(w.CBZoneSource.items(), expectedZone) << n;
        EXPECT_EQ(w.CBZoneSource.itemIndex(), 5);

        trigger = expectedTrigger;
        zone = expectedZone;
        balanced = expectedBalanced;
    }
    // Only the names were marked, never a list of the main window.
    std::set<int> expected;
    for (int n : {3, 6, 10})
        for (int e : entries(159 + 7 * (n - 1), 165 + 7 * (n - 1))) expected.insert(e);
    EXPECT_EQ(s.marked(), expected);
}

TEST(SourceDialog, ZoneListOfTheBaseModelKeepsItsLengthAndSelection) {
    SourceSession s(shape(ModelVariant::Tavro, 4));
    TTavroSetupMain& w = s.m();
    ASSERT_EQ(w.CBZoneSource.count(), 4);
    w.CBZoneSource.userSelect(3);
    s.open(4, [](TFormSource& d) { d.EditSourceName.userSetText("Phono"); });
    EXPECT_EQ(w.CBZoneSource.items(), (ItemList{"Video 1", "Video 2", "Video 3", "Phono"}));
    EXPECT_EQ(w.CBZoneSource.itemIndex(), 3);
    EXPECT_EQ(w.CBBalancedSource.items(), (ItemList{"Off", "Video 1", "Video 2", "Video 3", "Phono"}));
}

TEST(SourceDialog, VideoInputListAndCaptionFollowTheModel) {
    struct Case {
        ModelVariant variant;
        int components;
        const char* caption;
        ItemList expectedStart;
        int size;
    };
    const Case cases[] = {
        {ModelVariant::Tavro, 3, "Component Video Association", {"Off", "Component 1", "Component 2", "Component 3"}, 4},
        {ModelVariant::R7, 2, "Video input", {"Off", "Composite 1", "Composite 2", "Composite 3", "Composite 4",
                                               "Composite 5", "Composite 6", "S-Video 1", "S-Video 2", "S-Video 3",
                                               "S-Video 4", "Component 1", "Component 2"}, 13},
        {ModelVariant::M4820, 1, "Video input", {"Off", "Composite DVD", "Composite SAT", "Composite VCR",
                                                  "Composite 4", "Composite 5", "Composite 6", "S-Video DVD",
                                                  "S-Video SAT", "S-Video VCR", "S-Video 4", "Component 1"}, 12},
    };
    for (const Case& c : cases) {
        SetupShape sh = shape(c.variant);
        sh.componentVideoCount = c.components;
        SourceSession s(sh);
        const int last = c.size - 1;
        s.m().Sources[0].ComponentVideo = static_cast<std::uint8_t>(last);
        s.m().Sources[1].ComponentVideo = static_cast<std::uint8_t>(last + 1);  // beyond the list
        int firstShown = -1, secondShown = -1;
        s.open(1, [&](TFormSource& d) { firstShown = d.CBComponentVideo.itemIndex(); });
        s.open(2, [&](TFormSource& d) { secondShown = d.CBComponentVideo.itemIndex(); });
        const std::string where = variantName(c.variant);
        EXPECT_EQ(s.d().CBComponentVideo.items(), c.expectedStart) << where;
        EXPECT_EQ(s.d().GBComponentVideo.caption(), c.caption) << where;
        EXPECT_TRUE(s.d().GBComponentVideo.visible()) << where;
        EXPECT_EQ(firstShown, last) << where;
        EXPECT_EQ(s.m().Sources[0].ComponentVideo, last) << where;
        EXPECT_EQ(secondShown, 0) << where;
        EXPECT_EQ(s.m().Sources[1].ComponentVideo, 0) << where;
    }

    SetupShape without = shape(ModelVariant::Tavro);
    without.componentVideo = false;
    SourceSession s(without);
    s.open(1, {}, false);
    EXPECT_FALSE(s.d().GBComponentVideo.visible());
}

TEST(SourceDialog, SensitivityGroupIsHiddenOnTheOtherModelsFromSourceSeven) {
    struct Case {
        ModelVariant variant;
        int source;
        bool shown;
    };
    const Case cases[] = {
        {ModelVariant::Tavro, 1, true},  {ModelVariant::Tavro, 16, true}, {ModelVariant::R7, 6, true},
        {ModelVariant::R7, 7, false},    {ModelVariant::R7, 9, false},    {ModelVariant::M4820, 16, false},
        {ModelVariant::M4820, 2, true},
    };
    for (const Case& c : cases) {
        SourceSession s(shape(c.variant, 16));
        s.m().Sources[static_cast<std::size_t>(c.source - 1)].Sensitivity = 11;
        s.open(c.source);
        EXPECT_EQ(s.d().GBSensitivity.visible(), c.shown) << variantName(c.variant) << " " << c.source;
        EXPECT_EQ(s.m().Sources[static_cast<std::size_t>(c.source - 1)].Sensitivity, 11);
        EXPECT_TRUE(s.marked().empty());
    }
}

TEST(SourceDialog, PresetPanelsFollowTheAssociationsWhenTheDialogCloses) {
    SourceSession s(shape(ModelVariant::Tavro, 4));
    TTavroSetupMain& w = s.m();
    for (int n = 1; n <= PresetCount; ++n) ASSERT_FALSE(w.presetPanel(n).button->enabled()) << n;

    auto pick = [](const char* item) {
        return [item](TFormSource& d) { d.CBPresetAssoc.userSelect(d.CBPresetAssoc.indexOf(item)); };
    };
    s.open(2, pick("Preset 4"));
    EXPECT_TRUE(w.ButtonPanel4.enabled());
    EXPECT_TRUE(w.LPanel4C.enabled());
    EXPECT_TRUE(w.LabelPanel4L.enabled());
    EXPECT_FALSE(w.ButtonPanel1.enabled());

    s.open(3, pick("Flat Trims"));
    for (int n : {1, 2, 3, 5}) EXPECT_FALSE(w.presetPanel(n).button->enabled()) << n;

    // Cancel changes nothing, and the panels are refreshed all the same.
    w.Sources[0].PresetAssoc = 1;  // as a download would leave it
    s.open(1, pick("Off"), false);
    EXPECT_TRUE(w.ButtonPanel1.enabled());
    EXPECT_EQ(w.Sources[0].PresetAssoc, 1);

    s.open(2, pick("Off"));
    EXPECT_FALSE(w.ButtonPanel4.enabled());
    EXPECT_FALSE(w.LPanel4Surr.enabled());
    EXPECT_TRUE(w.GBPanel4.visible());
}

TEST(SourceDialog, EditsThroughBothDialogsSurviveSaveAndReopen) {
    const std::string defaults = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/")) + "/defaults/";
    for (const char* file : {"Tavro.dfg", "R7.dfg"}) {
        FakeHost host;
        Program program(host);
        TTavroSetupMain& w = program.main();
        ASSERT_EQ(ReadSetupFile(w, defaults + file), ReadResult::Ok) << file;
        ASSERT_GE(w.SourceCount, 2) << file;
        ASSERT_TRUE(w.GBPanel2.visible()) << file;

        TFormSource& source = *w.dialogs()->FormSource;
        host.onModal = [&](Form&) {
            source.EditSourceName.userSetText("Game:1");
            source.CBSensitivity.userSelect(source.CBSensitivity.count() - 1);
            source.CBPresetAssoc.userSelect(source.CBPresetAssoc.indexOf("Preset 2"));
            source.RBStereo.userClick();
            source.ButtonSourceOk.userClick();
            return source.modalResult();
        };
        w.BSource2.userClick();
        ASSERT_TRUE(w.ButtonPanel2.enabled()) << file;

        TFormPreset& preset = *w.dialogs()->FormPreset;
        host.onModal = [&](Form&) {
            preset.CBPresetCenter.userSelect(24);
            preset.CBPresetLipsync.userSelect(77);
            preset.ButtonPresetOk.userClick();
            return preset.modalResult();
        };
        w.ButtonPanel2.userClick();

        const std::string text = FormatSetupText(w);
        FakeHost host2;
        Program reopened(host2);
        TTavroSetupMain& r = reopened.main();
        ASSERT_EQ(ReadSetupText(r, text), ReadResult::Ok) << file;
        const SourceRecord& s = r.Sources[1];
        EXPECT_EQ(s.Name, "Game:1") << file;
        EXPECT_EQ(r.BSource2.caption(), "Game:1") << file;
        EXPECT_EQ(s.Sensitivity, 15) << file;
        EXPECT_EQ(s.PresetAssoc, 2) << file;
        EXPECT_EQ(s.Mode, ModeStereo) << file;
        EXPECT_EQ(r.Presets[1].Center, 24) << file;
        EXPECT_EQ(r.Presets[1].Lipsync, 77) << file;
        EXPECT_EQ(r.LPanel2C.caption(), "+12 dB") << file;
        EXPECT_EQ(r.LPanel2L.caption(), "77 ms") << file;
        EXPECT_TRUE(r.ButtonPanel2.enabled()) << file;
    }
}
