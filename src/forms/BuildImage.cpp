// Building the parameter image from the setup, and the masks of entries.
#include <algorithm>
#include <array>
#include <string>

#include "forms/ImageBuilder.h"
#include "link/ImageCodes.h"
#include "forms/Setupmain.h"

namespace tavro {

namespace {

// The device order of the seven mix shares: Left, Center, Right, RSurr,
// Back, LSurr, LFE, as positions in the record's order (Left, Center,
// Right, LSurr, RSurr, Back, LFE).
constexpr std::array<int, MixChannelCount> mixDeviceOrder{0, 1, 2, 4, 5, 3, 6};

class Builder {
public:
    explicit Builder(TTavroSetupMain& m) : m_(m) {}

    void run();

private:
    // Values are computed in integers and stored as their low 8 bits.
    void put(int k, int value) { m_.ParameterImage[static_cast<std::size_t>(k)].Value = static_cast<std::uint8_t>(value); }
    void putText(int first, int length, const std::string& text) {
        for (int i = 0; i < length; ++i)
            put(first + i, i < static_cast<int>(text.size()) ? static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) : ' ');
    }
    static int level(const ListBox& l) { return 110 - l.itemIndex(); }
    static int plus80(const ListBox& l) { return l.itemIndex() + 80; }
    static int onOff(bool on) { return on ? 81 : 80; }

    void trigger(int first, const ListBox& source, const RadioButton& positive, const ListBox& delay,
                 const ListBox& duration);
    int componentVideoCode(int c) const;  // -1: no code, entry unchanged

    TTavroSetupMain& m_;
};

void Builder::run() {
    TTavroSetupMain& m = m_;
    const int sources = std::min<int>(m.SourceCount, MaxSources);
    const bool base = m.ModelVariant == ModelVariant::Tavro;

    put(0, plus80(m.CBBalancedSource));
    put(1, onOff(m.RBBypassDSP.checked()));
    put(2, m.Thx.LimiterLevel + 80);
    put(3, onOff(m.Thx.LimiterOn != 0));
    put(5, plus80(m.CBLeftD));
    put(6, plus80(m.CBCenterD));
    put(7, plus80(m.CBRightD));
    put(8, plus80(m.CBRightSD));
    put(9, plus80(m.CBLeftSD));
    put(10, plus80(m.CBSubD));
    put(11, level(m.CBLeftL));
    put(12, level(m.CBCenterL));
    put(13, level(m.CBRightL));
    put(14, level(m.CBRightSL));
    put(15, level(m.CBLeftSL));
    put(16, level(m.CBSubL));
    put(17, m.SBLFELevel.position() + 80);
    put(18, plus80(m.CBLeftS));
    put(19, plus80(m.CBCenterS));
    put(20, plus80(m.CBLeftSS));
    put(21, plus80(m.CBSubS));
    put(22, m.SBVolume.position() + 160);

    const bool backSpeakers = m.CBLeftBS.itemIndex() != 0;
    for (int i = 0; i < sources; ++i)
        put(entry::SourceMode + i, modeToCode(m.Sources[static_cast<std::size_t>(i)].Mode, backSpeakers));

    put(40, onOff(m.RBFeet.checked()));
    put(41, m.SBPhones.position() + 80);
    put(42, m.CheckBoxSubFilter.checked() ? 80 : 81);  // inverted
    put(43, onOff(m.Dpl.Panorama != 0));
    put(44, m.Dpl.CenterWidth + 79);
    put(45, 87 - m.Dpl.Dimension);
    put(46, m.RBDry.checked()       ? 80
            : m.RBDry1.checked()    ? 81
            : m.RBWetDry2.checked() ? 82
            : m.RBWet3.checked()    ? 83
                                    : 84);
    put(47, onOff(m.Thx.BoundaryGain != 0));
    put(48, m.Thx.AsaPosition + 80);
    put(49, onOff(m.Thx.Ultra2Sub != 0));
    put(50, m.CheckBoxSkipWelcome.checked() ? 1 : 0);
    put(51, m.RBBlueback.checked() ? 82 : 81);
    put(52, m.RBTempFull.checked() ? 82 : m.RBTempSimple.checked() ? 81 : 80);
    put(53, m.RBOSDOutputBoth.checked()      ? 83
            : m.RBOSDOutputCs.checked()      ? 81
            : m.RBOSDOutputSvideo.checked() ? 82
                                             : 80);
    put(54, m.RBOSDInputAuto.checked()      ? 83
            : m.RBOSDInputCs.checked()      ? 82
            : m.RBOSDInputSvideo.checked() ? 81
                                            : 80);
    put(55, m.RBPAL.checked() ? 1 : 2);
    put(56, m.CBOSDStyle.itemIndex());
    put(57, m.CBBackgroundColor.itemIndex());
    put(58, m.CBCharacterColor.itemIndex());
    put(59, m.CBErrorColor.itemIndex());
    put(60, m.CBLeftBS.itemIndex() + (m.CheckBoxRBack.checked() ? 82 : 80));
    put(61, level(m.CBRightBL));
    put(62, level(m.CBLeftBL));
    put(63, plus80(m.CBRightBD));
    put(64, plus80(m.CBLeftBD));
    put(65, 5 * m.CBSubFilter.itemIndex() + 20);
    put(66, onOff(m.CheckBoxEnhancedBass.checked()));
    trigger(67, m.CBTrigger1Source, m.RB1Positive, m.CBTrigger1Delay, m.CB1Duration);
    trigger(71, m.CBTrigger2Source, m.RB2Positive, m.CBTrigger2Delay, m.CB2Duration);
    put(75, m.SBZoneVolume.position() + 160);
    put(76, m.CBZoneSource.itemIndex() + 81);
    put(77, m.SBBass.position() + 80);
    put(78, m.SBTreble.position() + 80);

    // The message lines as the edits hold them; a text longer than a line
    // gives its first 20 characters.
    int line = entry::Welcome1;
    for (const Edit* e : {&m.EditWelcome1, &m.EditWelcome2, &m.EditShutdown1, &m.EditShutdown2}) {
        putText(line, entry::MessageLength, e->text());
        line += entry::MessageLength;
    }

    const bool eightWithoutOff = m.Inputs.DigitalInputCount == 8 && base;
    for (int i = 0; i < sources; ++i) {
        const SourceRecord& s = m.Sources[static_cast<std::size_t>(i)];
        putText(entry::SourceName + entry::NameLength * i, entry::NameLength, s.Name);
        put(entry::Sensitivity + i, s.Sensitivity + 80);
        if (m.Inputs.DigitalInputCount != 0) put(entry::DigitalInput + i, s.DigitalInput + (eightWithoutOff ? 81 : 80));
        const int video = componentVideoCode(s.ComponentVideo);
        if (video >= 0) put(entry::ComponentVideo + i, video);
        const int a = s.PresetAssoc;
        put(entry::PresetAssoc + i, a == 0 ? 80 : a == FlatTrimsAssoc ? 81 : a + 81);
    }

    for (int p = 0; p < PresetCount; ++p) {
        const PresetSettings& preset = m.Presets[static_cast<std::size_t>(p)];
        for (int f = 0; f < PresetFieldCount; ++f)
            put(entry::Preset + PresetFieldCount * p + f, preset.field(f) + (f == PresetFieldCount - 1 ? 80 : 68));
    }

    for (int ch = 0; ch < 2; ++ch) {
        const AuxMixFilter& aux = m.AuxChannels[static_cast<std::size_t>(ch)];
        const int mix = ch == 0 ? entry::Ch9Mix : entry::Ch10Mix;
        for (int d = 0; d < MixChannelCount; ++d)
            put(mix + d, aux.Mix[static_cast<std::size_t>(mixDeviceOrder[static_cast<std::size_t>(d)])] + 100);
        const int filters = ch == 0 ? 379 : 383;
        put(filters, aux.Filter1Type + 80);
        put(filters + 1, aux.Filter2Type + 80);
        put(filters + 2, aux.Filter1Freq + 80);
        put(filters + 3, aux.Filter2Freq + 80);
    }
    put(387, m.CBCh9D.itemIndex());
    put(388, level(m.CBCh9L));
    put(389, m.CBCh10D.itemIndex());
    put(390, level(m.CBCh10L));
    put(391, m.Dpl.CenterImage + 79);
    put(392, m.CBToneBFreq.itemIndex() + 82);
    put(393, m.CBToneTFreq.itemIndex() + 82);
    put(394, plus80(m.CBAnalogBassMg));
}

void Builder::trigger(int first, const ListBox& source, const RadioButton& positive, const ListBox& delay,
                      const ListBox& duration) {
    // Item 0 is "Trigger Off" and items 1..SourceCount are the sources; the
    // items behind them are events, known by their text because the mask
    // decides which of them the list holds.
    const int i = source.itemIndex();
    if (i <= m_.SourceCount) {
        put(first, i + 80);
    } else if (auto code = triggerEventCode(source.text(), m_.ModelVariant)) {
        put(first, *code);
    }
    put(first + 1, onOff(positive.checked()));
    put(first + 2, plus80(delay));
    put(first + 3, duration.itemIndex() == 16 ? 80 : duration.itemIndex() + 81);  // 16 is "Infinity"
}

int Builder::componentVideoCode(int c) const {
    if (m_.ModelVariant == ModelVariant::Tavro) return c + 80;
    // The R7 and 4820 number composite inputs from 81, S-Video inputs from
    // 101 and component inputs from 121.
    if (c <= 6) return c + 80;
    if (c <= 10) return c + 94;
    if (c <= m_.Inputs.ComponentVideoCount + 10) return c + 110;
    return -1;
}

}  // namespace

void BuildImage(TTavroSetupMain& m) { Builder(m).run(); }

void ClearChanged(TTavroSetupMain& m) { m.ClearChangedMask(); }

void MarkVisibleEntries(TTavroSetupMain& m) {
    EntryFlags& mask = m.ChangedMask;
    mask.fill(0);
    auto mark = [&mask](int first, int last, bool visible) {
        for (int k = first; k <= last; ++k) mask[static_cast<std::size_t>(k)] = visible ? 1 : 0;
    };
    auto shown = [](const Control& c) { return c.visible(); };

    mark(0, 1, shown(m.GBBalanced));
    mark(2, 3, shown(m.GBSpeaker));
    mark(5, 16, shown(m.GBSpeaker));
    mark(17, 17, shown(m.GBLFElevel));
    mark(18, 21, shown(m.GBSpeaker));
    mark(22, 22, shown(m.GBGeneralAudio));
    mark(40, 40, shown(m.GBDistanceUnits));
    mark(41, 41, shown(m.GBPhones));
    mark(42, 42, shown(m.GBSpeaker));
    mark(43, 45, shown(m.GBDPLII));
    mark(46, 46, shown(m.GBReverb));
    mark(47, 49, shown(m.GBTHXUltra));
    mark(50, 50, shown(m.GBMessages));
    mark(51, 51, shown(m.GBSetupMode));
    mark(52, 52, shown(m.GBTemporary));
    mark(53, 53, shown(m.GBOSDOutput));
    mark(54, 54, shown(m.GBOSDInput));
    mark(55, 55, shown(m.GBBluebackFormat));
    mark(56, 56, shown(m.GBOSDStyle));
    mark(57, 59, shown(m.GBFactory));
    mark(60, 64, shown(m.GBBackSpeaker));
    mark(65, 66, shown(m.GBSpeaker));
    mark(67, 70, shown(m.GBTrigger1));
    mark(71, 74, shown(m.GBTrigger2));
    mark(75, 76, shown(m.GBZone));
    mark(77, 78, shown(m.GBGeneralAudio));
    mark(79, 158, shown(m.GBMessages));

    // A source's entries go with its button. Only sources 1..SourceCount
    // have values in the image (the rest keep placeholders that are never
    // built), so a button that the setup left visible beyond them - the
    // first one when a setup declares no source - does not bring its
    // entries in. The source dialog shows the digital input association
    // exactly when the setup declares digital inputs, and the preset
    // association while any preset exists.
    const std::array<Button*, MaxSources> buttons = m.sourceButtons();
    const bool anyPreset = shown(m.GBPanel1) || shown(m.GBPanel2) || shown(m.GBPanel3) || shown(m.GBPanel4) || shown(m.GBPanel5);
    for (int i = 0; i < MaxSources; ++i) {
        const bool source = i < m.SourceCount && shown(*buttons[static_cast<std::size_t>(i)]);
        mark(entry::SourceMode + i, entry::SourceMode + i, source);
        mark(entry::SourceName + entry::NameLength * i, entry::SourceName + entry::NameLength * i + 6, source);
        mark(entry::Sensitivity + i, entry::Sensitivity + i, source);
        mark(entry::DigitalInput + i, entry::DigitalInput + i, source && m.Inputs.DigitalInputCount != 0);
        mark(entry::ComponentVideo + i, entry::ComponentVideo + i, source && m.Inputs.ComponentVideoPresent != 0);
        mark(entry::PresetAssoc + i, entry::PresetAssoc + i, source && anyPreset);
    }
    for (int p = 1; p <= PresetCount; ++p) {
        const int first = entry::Preset + PresetFieldCount * (p - 1);
        mark(first, first + PresetFieldCount - 1, shown(*m.presetPanel(p).group));
    }

    // Channel 10 is a row of the aux channel group: a setup with one aux
    // channel hides its row, a setup without aux channels the whole group.
    const bool ch9 = shown(m.GBCh9_10);
    const bool ch10 = ch9 && shown(m.LabelCh10);
    mark(365, 371, ch9);
    mark(372, 378, ch10);
    mark(379, 382, ch9);
    mark(383, 386, ch10);
    mark(387, 388, ch9);
    mark(389, 390, ch10);
    mark(391, 391, shown(m.GBDPLII));
    mark(392, 393, shown(m.GBToneFilters));
    mark(394, 394, shown(m.GBAnalogBassMg));
}

void InstallImageSeams(TTavroSetupMain& m) {
    m.BuildImageHook = [](TTavroSetupMain& w) { BuildImage(w); };
}

}  // namespace tavro
