// Setups for the parameter image tests: a started program whose default
// setup declares a chosen shape (model, sources, inputs, presets, aux
// channels, trigger events, modes), and random settings inside that shape
// that keep the window's own consistency rules.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "FakeHost.h"
#include "forms/ImageBuilder.h"
#include "model/DisplayCharacters.h"
#include "forms/Program.h"

namespace tavro::test {

// What a default setup declares.
struct SetupShape {
    ModelVariant variant = ModelVariant::Tavro;
    int sources = 6;
    unsigned digitalInputs = 6;
    bool componentVideo = true;
    int componentVideoCount = 3;
    std::array<bool, PresetCount> presets{true, true, true, true, true};
    bool ch10 = true;
    std::uint16_t triggerMask = 2047;
    std::array<std::uint8_t, ModeCount> modes{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    bool allGroups = true;  // every other group box shown
};

// Stands in for reading a default setup of the given shape, the way the
// setup reader leaves the window after such a file.
inline ReadResult loadShape(TTavroSetupMain& w, const SetupShape& s) {
    w.ModelVariant = s.variant;
    if (s.allGroups)
        for (Control* c : w.controls())
            if (c->kind() == ControlKind::GroupBox) c->setVisible(true);
    w.Modes.ModeAvailable = s.modes;
    w.Inputs.DigitalInputCount = s.digitalInputs;
    w.Inputs.ComponentVideoPresent = s.componentVideo ? 1 : 0;
    if (s.componentVideo) w.Inputs.ComponentVideoCount = s.componentVideoCount;
    w.SourceCount = static_cast<std::uint8_t>(s.sources);
    const auto buttons = w.sourceButtons();
    for (int i = 1; i < MaxSources; ++i) buttons[static_cast<std::size_t>(i)]->setVisible(i < s.sources);
    w.GBSource.setVisible(s.sources > 0);
    for (int i = 0; i < MaxSources; ++i) buttons[static_cast<std::size_t>(i)]->setCaption(w.Sources[static_cast<std::size_t>(i)].Name);
    w.RebuildZoneAndBalancedLists();
    for (int p = 1; p <= PresetCount; ++p) w.presetPanel(p).group->setVisible(s.presets[static_cast<std::size_t>(p - 1)]);
    for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
        c->setVisible(s.ch10);
    w.TriggerEventMask = s.triggerMask;
    w.RefreshAfterLoad();
    return ReadResult::Ok;
}

// A started program on a scripted host whose default setup has a shape.
struct ShapedProgram {
    FakeHost host;
    std::unique_ptr<Program> program;

    explicit ShapedProgram(const SetupShape& shape) {
        program = std::make_unique<Program>(host, [shape](TTavroSetupMain& w) {
            w.ReadSetupFileHook = [shape](TTavroSetupMain& m, const std::string&) { return loadShape(m, shape); };
        });
        main().FormShow();
    }
    TTavroSetupMain& main() { return program->main(); }
};

// Random settings that the window could hold for a setup of this shape:
// every value in its range, pairs alike, no back speakers without
// surrounds, and the other consistency rules of the speaker and THX
// settings kept.
class SetupRandomizer {
public:
    explicit SetupRandomizer(unsigned seed) : rng_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool coin() { return pick(0, 1) == 1; }

    std::string displayText(int maxLength) {
        static const std::string chars =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 !()*,-./:";
        std::string text;
        const int length = pick(0, maxLength);
        for (int i = 0; i < length; ++i) text.push_back(chars[static_cast<std::size_t>(pick(0, static_cast<int>(chars.size()) - 1))]);
        return text;
    }

    void fill(TTavroSetupMain& w);

private:
    void select(ListBox& l) { l.setItemIndex(pick(0, l.count() - 1)); }
    void checkOne(std::initializer_list<RadioButton*> group) {
        auto it = group.begin();
        std::advance(it, pick(0, static_cast<int>(group.size()) - 1));
        (*it)->setChecked(true);
    }
    void pickTrigger(TTavroSetupMain& w, ListBox& list);

    std::mt19937 rng_;
};

inline void SetupRandomizer::pickTrigger(TTavroSetupMain& w, ListBox& list) {
    // Any source, or an event that the model sends with a code of its own.
    std::vector<int> choices;
    for (int i = 0; i < list.count(); ++i) {
        if (i <= w.SourceCount) {
            choices.push_back(i);
            continue;
        }
        const std::string& text = list.items()[static_cast<std::size_t>(i)];
        const bool shared = w.ModelVariant != ModelVariant::Tavro &&
                            (text == "Balanced Input" || text == "Composite Video In" || text == "S-Video In" ||
                             text == "Composite Video/S-Video In");
        if (!shared) choices.push_back(i);
    }
    list.setItemIndex(choices[static_cast<std::size_t>(pick(0, static_cast<int>(choices.size()) - 1))]);
}

inline void SetupRandomizer::fill(TTavroSetupMain& w) {
    const int sources = w.SourceCount;
    const bool base = w.ModelVariant == ModelVariant::Tavro;

    // Sources first: the lists of source names follow them.
    std::vector<int> offered;
    for (int c = 0; c < ModeCount; ++c)
        if (w.Modes.offered(c)) offered.push_back(c);
    const unsigned digital = w.Inputs.DigitalInputCount;
    const int digitalItems = digital == 8 && base ? 8 : static_cast<int>(digital) + 1;
    const int videoItems = w.Inputs.ComponentVideoCount + (base ? 1 : 11);
    for (int i = 0; i < sources; ++i) {
        SourceRecord& s = w.Sources[static_cast<std::size_t>(i)];
        s.Name = displayText(7);
        s.Mode = static_cast<std::uint8_t>(offered[static_cast<std::size_t>(pick(0, static_cast<int>(offered.size()) - 1))]);
        s.Sensitivity = static_cast<std::uint8_t>(pick(0, 15));
        s.DigitalInput = static_cast<std::uint8_t>(pick(0, digitalItems - 1));
        s.ComponentVideo = static_cast<std::uint8_t>(pick(0, videoItems - 1));
        s.PresetAssoc = static_cast<std::uint8_t>(pick(0, 6));
    }
    w.RebuildZoneAndBalancedLists();
    w.RebuildTriggerLists();

    // Speakers.
    const int front = pick(0, 1);
    w.CBLeftS.setItemIndex(front);
    w.CBRightS.setItemIndex(front);
    w.CBCenterS.setItemIndex(pick(0, 2));
    const int surround = pick(0, 2);
    w.CBLeftSS.setItemIndex(surround);
    w.CBRightSS.setItemIndex(surround);
    const int sub = front == 0 ? 1 : pick(0, 1);
    w.CBSubS.setItemIndex(sub);
    const int back = surround == 0 ? 0 : pick(0, 2);
    const bool two = back != 0 && coin();
    w.CheckBoxRBack.setChecked(two);
    w.CBLeftBS.setItemIndex(back);
    w.CBRightBS.setItemIndex(two ? back : 0);
    for (ListBox* l : {&w.CBLeftL, &w.CBRightL, &w.CBCenterL, &w.CBLeftSL, &w.CBRightSL, &w.CBSubL, &w.CBLeftBL,
                       &w.CBRightBL, &w.CBCh9L, &w.CBCh10L, &w.CBCh9D, &w.CBCh10D, &w.CBSubFilter, &w.CBToneBFreq,
                       &w.CBToneTFreq, &w.CBAnalogBassMg, &w.CBOSDStyle, &w.CBBackgroundColor, &w.CBCharacterColor,
                       &w.CBErrorColor, &w.CBTrigger1Delay, &w.CBTrigger2Delay, &w.CB1Duration, &w.CB2Duration})
        select(*l);
    checkOne({&w.RBFeet, &w.RBMeters});
    for (ListBox* l : w.distanceLists()) select(*l);
    w.CheckBoxSubFilter.setChecked(coin());
    w.CheckBoxEnhancedBass.setChecked(sub == 1 && coin());

    // Audio.
    w.SBVolume.setPosition(pick(w.SBVolume.min(), w.SBVolume.max()));
    w.SBZoneVolume.setPosition(pick(w.SBZoneVolume.min(), w.SBZoneVolume.max()));
    w.SBBass.setPosition(pick(-12, 12));
    w.SBTreble.setPosition(pick(-12, 12));
    w.SBPhones.setPosition(pick(-20, 10));
    w.SBLFELevel.setPosition(pick(-10, 0));
    checkOne({&w.RBDry, &w.RBDry1, &w.RBWetDry2, &w.RBWet3, &w.RBWet});
    w.Dpl.CenterWidth = static_cast<std::uint8_t>(pick(1, 8));
    w.Dpl.Dimension = static_cast<std::uint8_t>(pick(1, 7));
    w.Dpl.CenterImage = static_cast<std::uint8_t>(pick(1, 6));
    w.Dpl.Panorama = surround != 0 && coin() ? 1 : 0;
    w.Thx.storeUltra2Sub(sub == 1 && coin());
    w.Thx.BoundaryGain = w.Thx.Ultra2Sub && coin() ? 1 : 0;
    w.Thx.AsaPosition = pick(0, 2);
    w.Thx.LimiterOn = !w.Thx.Ultra2Sub && coin() ? 1 : 0;
    w.Thx.LimiterLevel = pick(0, 50);

    // Zone and balanced input select among the sources in use.
    const int zoneSources = std::min(w.CBZoneSource.count(), sources);
    if (zoneSources > 0) w.CBZoneSource.setItemIndex(pick(0, zoneSources - 1));
    w.CBBalancedSource.setItemIndex(pick(0, sources));
    checkOne({&w.RBThroughDSP, &w.RBBypassDSP});

    // Messages and OSD.
    w.CheckBoxSkipWelcome.setChecked(coin());
    for (Edit* e : {&w.EditWelcome1, &w.EditWelcome2, &w.EditShutdown1, &w.EditShutdown2}) e->setText(displayText(20));
    checkOne({&w.RBPAL, &w.RBNTSC});
    checkOne({&w.RBSuperimpose, &w.RBBlueback});
    checkOne({&w.RBTempFull, &w.RBTempSimple, &w.RBNoTemp});
    checkOne({&w.RBOSDInputAuto, &w.RBOSDInputCs, &w.RBOSDInputSvideo, &w.RBOSDInputOff});
    checkOne({&w.RBOSDOutputCs, &w.RBOSDOutputSvideo, &w.RBOSDOutputNo, &w.RBOSDOutputBoth});

    // Triggers.
    pickTrigger(w, w.CBTrigger1Source);
    pickTrigger(w, w.CBTrigger2Source);
    checkOne({&w.RB1Positive, &w.RB1Negative});
    checkOne({&w.RB2Positive, &w.RB2Negative});

    // Presets and aux channels.
    for (PresetSettings& p : w.Presets) {
        for (int f = 0; f < PresetFieldCount - 1; ++f) p.field(f) = static_cast<std::uint8_t>(pick(0, 24));
        p.Lipsync = static_cast<std::uint8_t>(pick(0, 150));
    }
    for (AuxMixFilter& a : w.AuxChannels) {
        for (auto& share : a.Mix) share = static_cast<std::int8_t>(pick(-100, 100));
        a.Filter1Type = static_cast<std::uint8_t>(pick(0, 2));
        a.Filter2Type = static_cast<std::uint8_t>(pick(0, 2));
        a.Filter1Freq = static_cast<std::uint8_t>(pick(0, a.Filter1Type == FilterHighpass ? 39 : 56));
        a.Filter2Freq = static_cast<std::uint8_t>(pick(0, a.Filter2Type == FilterHighpass ? 39 : 56));
    }
}

// A random shape of the given model.
inline SetupShape randomShape(ModelVariant variant, SetupRandomizer& r) {
    SetupShape s;
    s.variant = variant;
    s.sources = r.pick(0, 16);
    s.digitalInputs = static_cast<unsigned>(r.pick(0, 8));
    s.componentVideo = r.coin();
    s.componentVideoCount = r.pick(1, variant == ModelVariant::Tavro ? 3 : 19);
    for (bool& p : s.presets) p = r.coin();
    s.ch10 = r.coin();
    s.triggerMask = static_cast<std::uint16_t>(r.pick(0, 2047));
    for (auto& m : s.modes) m = r.coin() ? 1 : 0;
    return s;
}

inline std::array<std::uint8_t, ImageEntryCount> imageValues(const TTavroSetupMain& w) {
    std::array<std::uint8_t, ImageEntryCount> values{};
    for (int k = 0; k < ImageEntryCount; ++k) values[static_cast<std::size_t>(k)] = w.ParameterImage[static_cast<std::size_t>(k)].Value;
    return values;
}

inline void setImageValues(TTavroSetupMain& w, const std::array<std::uint8_t, ImageEntryCount>& values) {
    for (int k = 0; k < ImageEntryCount; ++k) w.ParameterImage[static_cast<std::size_t>(k)].Value = values[static_cast<std::size_t>(k)];
}

}  // namespace tavro::test
