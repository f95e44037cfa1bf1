// Applying an image read from the processor back to the setup. Every entry
// has a range of values that it accepts; a value outside leaves its setting
// as it was, unless a step names a value for it. The steps run in a fixed
// order because later ones read what earlier ones set: the speaker sizes
// come before the back speakers, panorama and THX settings, the source
// names before the triggers.
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "forms/ImageBuilder.h"
#include "link/ImageCodes.h"
#include "model/DisplayCharacters.h"
#include "model/OsdColors.h"
#include "forms/Preset.h"
#include "forms/RegisterMap.h"
#include "forms/Setupmain.h"
#include "forms/Source.h"

namespace tavro {

namespace {

class Applier {
public:
    explicit Applier(TTavroSetupMain& m) : m_(m) {}
    void run();

private:
    int v(int k) const { return m_.ParameterImage[static_cast<std::size_t>(k)].Value; }
    static bool in(int value, int low, int high) { return value >= low && value <= high; }
    // Whether entry k's row takes its value (the rules below with a range in
    // their row: the speaker sizes and the volumes).
    bool accepted(int k) const { return entryAccepts(m_, registerRow(k), v(k)); }
    // Selects an index only when the list has it.
    static void select(ListBox& list, int index) {
        if (index >= 0 && index < list.count()) list.setItemIndex(index);
    }
    // Entries k... taken back by their rows' codecs and accepted ranges.
    void table(std::initializer_list<int> entries) {
        for (int k : entries) {
            const RegisterRow& row = registerRow(k);
            if (row.applied != Applied::Table) throw std::logic_error("entry " + std::to_string(k) + " has a rule of its own");
            applyEntry(m_, row, v(k));
        }
    }
    void volume(int k, ScrollBar& bar);
    void backSpeakers();
    void sourceNames();
    void trigger(int first, ListBox& source, ListBox& duration, int which);

    TTavroSetupMain& m_;
};

void Applier::volume(int k, ScrollBar& bar) {
    if (!accepted(k)) return;
    int value = v(k);
    // Only the 4820 goes above 0; another model's processor value above the
    // top is clamped, in the image as well.
    if (value > 160 && m_.ModelVariant != ModelVariant::M4820) {
        value = 160;
        m_.ParameterImage[static_cast<std::size_t>(k)].Value = 160;
    }
    bar.setPosition(value - 160);
    m_.WriteValueLabels();
}

void Applier::run() {
    TTavroSetupMain& m = m_;
    const int sources = std::min<int>(m.SourceCount, MaxSources);

    // Balanced input.
    table({0, 1});
    m.ApplyBalancedRoutingRule();

    // THX limiter.
    if (in(v(2), 80, 130)) m.Thx.LimiterLevel = v(2) - 80;
    m.Thx.LimiterOn = v(3) != 80 ? 1 : 0;

    // Speaker levels and distances, LFE level, analog bass management.
    table({11, 13, 12, 15, 14, 16, 5, 7, 6, 9, 8, 10, 17, 394});

    // Speaker sizes and what they enable.
    if (accepted(18)) {
        select(m.CBLeftS, v(18) - 80);
        select(m.CBRightS, v(18) - 80);
    }
    if (accepted(19)) select(m.CBCenterS, v(19) - 80);
    if (accepted(20)) {
        select(m.CBLeftSS, v(20) - 80);
        select(m.CBRightSS, v(20) - 80);
    }
    const bool surrounds = m.CBLeftSS.itemIndex() != SizeNo;
    if (accepted(21)) select(m.CBSubS, v(21) - 80);
    if (m.CBLeftS.itemIndex() == FrontSmall) m.CBSubS.setItemIndex(SubYes);
    m.ApplySpeakerEnabling();
    if (m.CBSubS.itemIndex() == SubYes)
        m.CheckBoxEnhancedBass.setEnabled(true);
    else
        m.ParkEnhancedBass();

    // Master volume.
    volume(22, m.SBVolume);

    // Listening modes, only those that the setup offers.
    for (int i = 0; i < sources; ++i) {
        const std::optional<int> mode = codeToMode(v(entry::SourceMode + i));
        if (mode && m.Modes.offered(*mode)) m.Sources[static_cast<std::size_t>(i)].Mode = static_cast<std::uint8_t>(*mode);
    }

    // Distance unit (the click rule rebuilds the distance lists) and phones
    // offset.
    table({40, 41});

    // Subwoofer filter switch (80 is on).
    m.CheckBoxSubFilter.setChecked(v(42) == 80);
    m.CBSubFilter.setEnabled(m.CheckBoxSubFilter.checked());

    // Pro Logic II and Neo:6.
    m.Dpl.Panorama = v(43) != 80 && surrounds ? 1 : 0;
    if (in(v(44), 80, 87)) m.Dpl.CenterWidth = static_cast<std::uint8_t>(v(44) - 79);
    if (in(v(45), 80, 86)) m.Dpl.Dimension = static_cast<std::uint8_t>(87 - v(45));
    if (in(v(391), 80, 85)) m.Dpl.CenterImage = static_cast<std::uint8_t>(v(391) - 79);

    // Reverb.
    table({46});

    // THX Ultra2; its subwoofer needs the main window's subwoofer.
    m.Thx.Ultra2Sub = v(49) != 80 && m.CBSubS.itemIndex() == SubYes ? 1 : 0;
    m.Thx.BoundaryGain = m.Thx.Ultra2Sub != 0 && v(47) != 80 ? 1 : 0;
    m.Thx.AsaPosition = v(48) == 82 ? 2 : v(48) == 81 ? 1 : 0;

    // Skip welcome.
    const bool skip = v(50) != 0;
    m.CheckBoxSkipWelcome.setChecked(skip);
    for (Control* c : std::initializer_list<Control*>{&m.LabelWelcome, &m.EditWelcome1, &m.EditWelcome2})
        c->setEnabled(!skip);

    // OSD.
    table({51, 52, 53});
    m.ApplyOsdEnabling(!m.RBOSDOutputNo.checked());
    table({54, 55});

    // Style and factory colours, then the preview. Selecting an item
    // runs no rule, so the factory colours are taken from the lists here for
    // the preview to show the colours selected.
    table({56, 57, 58, 59});
    m.FactoryBackgroundColor = fullColor(m.CBBackgroundColor.itemIndex());
    m.FactoryCharacterColor = characterColor(m.CBCharacterColor.itemIndex());
    m.FactoryErrorColor = fullColor(m.CBErrorColor.itemIndex());
    m.CBOSDStyleChange();
    m.OperationsVerifySettings.setEnabled(true);
    m.ChangedMask[56] = 0;

    // Back speakers, their levels and distances.
    backSpeakers();
    table({62, 61, 63, 64});

    // Subwoofer crossover and enhanced bass.
    if (in(v(65), 20, 200) && v(65) % 5 == 0) select(m.CBSubFilter, (v(65) - 20) / 5);
    m.CheckBoxEnhancedBass.setChecked(v(66) == 81 && m.CheckBoxEnhancedBass.enabled());

    // Zone.
    volume(75, m.SBZoneVolume);
    table({76});

    // Tone.
    table({77, 78, 392, 393});

    // The message lines, 20 characters each as the processor holds
    // them; what its display cannot show becomes a blank, as for every text
    // that enters the program.
    int line = entry::Welcome1;
    for (Edit* e : {&m.EditWelcome1, &m.EditWelcome2, &m.EditShutdown1, &m.EditShutdown2}) {
        std::string text;
        for (int i = 0; i < entry::MessageLength; ++i) text.push_back(static_cast<char>(v(line + i)));
        e->setText(text);
        line += entry::MessageLength;
    }
    m.FilterMessageTexts();

    // Source names and every list made of them.
    sourceNames();

    // Sensitivity, digital and video inputs.
    for (int i = 0; i < sources; ++i) {
        const int value = v(entry::Sensitivity + i);
        if (in(value, 80, 95)) m.Sources[static_cast<std::size_t>(i)].Sensitivity = static_cast<std::uint8_t>(value - 80);
    }
    if (m.Inputs.DigitalInputCount != 0) {
        const bool eightWithoutOff = m.Inputs.DigitalInputCount == 8 && m.ModelVariant == ModelVariant::Tavro;
        const int first = eightWithoutOff ? 81 : 80;
        // A value beyond the end of the source dialog's list leaves the
        // source as it was.
        const int items = static_cast<int>(
            TFormSource::digitalInputItems(m.Inputs.DigitalInputCount, m.ModelVariant == ModelVariant::Tavro).size());
        const int last = first + items - 1;
        for (int i = 0; i < sources; ++i) {
            const int value = v(entry::DigitalInput + i);
            if (in(value, first, last))
                m.Sources[static_cast<std::size_t>(i)].DigitalInput = static_cast<std::uint8_t>(value - first);
        }
    }
    const int videoCount = m.Inputs.ComponentVideoCount;
    for (int i = 0; i < sources; ++i) {
        const int value = v(entry::ComponentVideo + i);
        int c = 0;
        if (m.ModelVariant == ModelVariant::Tavro) {
            if (in(value, 80, 80 + videoCount)) c = value - 80;
        } else if (in(value, 81, 86)) {
            c = value - 80;
        } else if (in(value, 101, 104)) {
            c = value - 94;
        } else if (in(value, 121, 120 + videoCount)) {
            c = value - 110;
        }
        m.Sources[static_cast<std::size_t>(i)].ComponentVideo = static_cast<std::uint8_t>(c);
    }

    // Triggers.
    trigger(67, m.CBTrigger1Source, m.CB1Duration, 1);
    trigger(71, m.CBTrigger2Source, m.CB2Duration, 2);

    // Presets and their panels' value labels.
    static const ItemList levelItems = TFormPreset::levelItems();
    static const ItemList lipsyncItems = TFormPreset::lipsyncItems();
    for (int p = 0; p < PresetCount; ++p) {
        PresetSettings& preset = m.Presets[static_cast<std::size_t>(p)];
        const int first = entry::Preset + PresetFieldCount * p;
        for (int f = 0; f < PresetFieldCount - 1; ++f)
            if (in(v(first + f), 68, 92)) preset.field(f) = static_cast<std::uint8_t>(v(first + f) - 68);
        if (in(v(first + 5), 80, 230)) preset.Lipsync = static_cast<std::uint8_t>(v(first + 5) - 80);
        // The value labels show the preset dialog's item texts, as after
        // its OK.
        const TTavroSetupMain::PresetPanel panel = m.presetPanel(p + 1);
        for (int f = 0; f < PresetFieldCount; ++f) {
            const ItemList& items = f == PresetFieldCount - 1 ? lipsyncItems : levelItems;
            const std::size_t index = preset.field(f);
            if (index < items.size()) panel.values[static_cast<std::size_t>(f)]->setCaption(items[index]);
        }
    }

    // Preset associations; the panels follow which presets are in use.
    for (int i = 0; i < sources; ++i) {
        const int value = v(entry::PresetAssoc + i);
        std::uint8_t& assoc = m.Sources[static_cast<std::size_t>(i)].PresetAssoc;
        if (value == 80)
            assoc = 0;
        else if (value == 81)
            assoc = FlatTrimsAssoc;
        else if (in(value, 82, 86))
            assoc = static_cast<std::uint8_t>(value - 81);
    }
    m.RefreshPresetPanels();

    // Channels 9 and 10.
    for (int ch = 0; ch < 2; ++ch) {
        AuxMixFilter& aux = m.AuxChannels[static_cast<std::size_t>(ch)];
        const int mix = ch == 0 ? entry::Ch9Mix : entry::Ch10Mix;
        for (int d = 0; d < MixChannelCount; ++d)
            if (v(mix + d) <= 200)
                aux.Mix[static_cast<std::size_t>(MixRecordIndex[static_cast<std::size_t>(d)])] =
                    static_cast<std::int8_t>(v(mix + d) - 100);
    }
    for (int ch = 0; ch < 2; ++ch) {
        AuxMixFilter& aux = m.AuxChannels[static_cast<std::size_t>(ch)];
        const int filters = ch == 0 ? 379 : 383;
        auto type = [](int value) -> std::uint8_t {
            return value == 80 ? FilterNone : value == 81 ? FilterLowpass : FilterHighpass;
        };
        aux.Filter1Type = type(v(filters));
        aux.Filter2Type = type(v(filters + 1));
    }
    for (int ch = 0; ch < 2; ++ch) {
        AuxMixFilter& aux = m.AuxChannels[static_cast<std::size_t>(ch)];
        const int filters = ch == 0 ? 379 : 383;
        if (in(v(filters + 2), 80, 136)) aux.Filter1Freq = static_cast<FilterFrequencyCode>(v(filters + 2) - 80);
        if (in(v(filters + 3), 80, 136)) aux.Filter2Freq = static_cast<FilterFrequencyCode>(v(filters + 3) - 80);
    }
    table({387, 389, 388, 390});

    // The setup now equals the processor.
    m.ClearChangedMask();
}

void Applier::backSpeakers() {
    TTavroSetupMain& m = m_;
    bool two = false;
    if (m.CBLeftSS.itemIndex() == SizeNo) {
        // Back speakers need surrounds: the entry is not taken.
        m.CBLeftBS.setItemIndex(SizeNo);
        m.CBRightBS.setItemIndex(SizeNo);
    } else {
        const int value = v(60);
        // 80..82: one back speaker of size No, Small, Large; 83: two small
        // ones; anything else two large ones.
        two = !in(value, 80, 82);
        const int size = two ? (value == 83 ? 1 : 2) : value - 80;
        m.CBLeftBS.setItemIndex(size);
        m.CBRightBS.setItemIndex(two ? size : SizeNo);
    }
    m.CheckBoxRBack.setChecked(two);
    m.ApplyBackSpeakerEnabling();
    m.LabelLBack.setCaption(two ? "Left Back:" : "Back:");
    m.CheckBoxRBack.setCaption(two ? "Right Back:" : "2 Back Spks:");
    // The THX settings need a subwoofer or two back speakers.
    m.ApplyThxButtonRule();
}

void Applier::sourceNames() {
    TTavroSetupMain& m = m_;
    const int sources = std::min<int>(m.SourceCount, MaxSources);
    for (int i = 0; i < sources; ++i) {
        std::string name;
        for (int c = 0; c < entry::NameLength; ++c)
            name.push_back(static_cast<char>(v(entry::SourceName + entry::NameLength * i + c)));
        m.Sources[static_cast<std::size_t>(i)].Name = filterDisplayText(name);
    }
    const std::array<Button*, MaxSources> buttons = m.sourceButtons();
    for (int i = 0; i < MaxSources; ++i)
        buttons[static_cast<std::size_t>(i)]->setCaption(m.Sources[static_cast<std::size_t>(i)].Name);
    // The source lists take the new names and keep their selections: the
    // download has already judged the zone source (entry 76) against the
    // sources in use, and the zone list offers the sources that reading a
    // setup offers, whatever it offered before.
    m.RefillSourceLists(m.zoneSourceCount());
}

void Applier::trigger(int first, ListBox& source, ListBox& duration, int which) {
    const int sources = std::min<int>(m_.SourceCount, MaxSources);
    const int value = v(first);
    int index = 0;
    if (in(value, 80, 80 + sources)) {
        index = value - 80;
    } else if (auto text = triggerEventText(value, m_.ModelVariant)) {
        // Events stand behind the sources; a source may not be taken for an
        // event of the same text.
        for (int i = sources + 1; i < source.count(); ++i)
            if (source.items()[static_cast<std::size_t>(i)] == *text) {
                index = i;
                break;
            }
    }
    select(source, index);
    m_.ApplyTriggerEnabling(which);

    table({first + 1, first + 2});  // polarity and delay
    const int d = v(first + 3);
    if (d == 80)
        select(duration, 16);  // "Infinity"
    else if (in(d, 81, 96))
        select(duration, d - 81);
}

}  // namespace

void ApplyImage(TTavroSetupMain& m) { Applier(m).run(); }

}  // namespace tavro
