// The codecs of the register map, the rules of its rule rows, and the
// functions driven by its rows: building an entry, taking a value back,
// the visibility of an entry, the plain marks and the settings' texts.
#include <algorithm>
#include <stdexcept>

#include "forms/Dialogs.h"
#include "forms/RegisterRules.h"
#include "link/ImageCodes.h"

namespace tavro {

namespace rules {

namespace {

using M = TTavroSetupMain;

int sourcesInUse(const M& m) { return std::min<int>(m.SourceCount, MaxSources); }
int onOff(bool on) { return on ? 81 : 80; }
std::string onOffText(bool on) { return on ? "On" : "Off"; }

// The owner of a row, read only.
template <class T>
const T& owner(const M& m, const RegisterRow& row) {
    return static_cast<const T&>(row.owner(const_cast<M&>(m)));
}

// The item `index` of a list, or the number when the list has none.
std::string itemText(const ItemList& items, int index) {
    if (index >= 0 && index < static_cast<int>(items.size())) return items[static_cast<std::size_t>(index)];
    return std::to_string(index);
}

const SourceRecord& source(const M& m, const RegisterRow& row) { return m.Sources[static_cast<std::size_t>(row.index)]; }
bool inUse(const M& m, const RegisterRow& row) { return row.index < sourcesInUse(m); }
const AuxMixFilter& aux(const M& m, const RegisterRow& row) { return m.AuxChannels[static_cast<std::size_t>(row.index)]; }

}  // namespace

std::string sourceGroup(int source) { return "Source " + std::to_string(source + 1) + " Settings"; }

ControlRef sourceButton(int source) {
    static constexpr std::array<ControlRef, MaxSources> buttons{
        ref<&M::BSource1>,  ref<&M::BSource2>,  ref<&M::BSource3>,  ref<&M::BSource4>,
        ref<&M::BSource5>,  ref<&M::BSource6>,  ref<&M::BSource7>,  ref<&M::BSource8>,
        ref<&M::BSource9>,  ref<&M::BSource10>, ref<&M::BSource11>, ref<&M::BSource12>,
        ref<&M::BSource13>, ref<&M::BSource14>, ref<&M::BSource15>, ref<&M::BSource16>};
    return buttons.at(static_cast<std::size_t>(source));
}

ControlRef presetPanelGroup(int preset) {
    static constexpr std::array<ControlRef, PresetCount> groups{ref<&M::GBPanel1>, ref<&M::GBPanel2>, ref<&M::GBPanel3>,
                                                                ref<&M::GBPanel4>, ref<&M::GBPanel5>};
    return groups.at(static_cast<std::size_t>(preset));
}

std::string mixShareName(int device) {
    return MixShareNames[static_cast<std::size_t>(MixRecordIndex[static_cast<std::size_t>(device)])];
}

// ---- THX Ultra2 and Pro Logic II / Neo:6

std::optional<int> thxLimiterLevel(const M& m, const RegisterRow&) { return m.Thx.LimiterLevel + 80; }
std::optional<int> thxLimiterOn(const M& m, const RegisterRow&) { return onOff(m.Thx.LimiterOn != 0); }
std::optional<int> thxBoundaryGain(const M& m, const RegisterRow&) { return onOff(m.Thx.BoundaryGain != 0); }
std::optional<int> thxAsaPosition(const M& m, const RegisterRow&) { return m.Thx.AsaPosition + 80; }
std::optional<int> thxUltra2Sub(const M& m, const RegisterRow&) { return onOff(m.Thx.Ultra2Sub != 0); }
std::string thxLimiterLevelText(const M& m, const RegisterRow&) {
    return itemText(m.dialogs()->FormTHXUltra2->CBBassLimiter.items(), m.Thx.LimiterLevel);
}
std::string thxLimiterOnText(const M& m, const RegisterRow&) { return onOffText(m.Thx.LimiterOn != 0); }
std::string thxBoundaryGainText(const M& m, const RegisterRow&) { return onOffText(m.Thx.BoundaryGain != 0); }
std::string thxAsaPositionText(const M& m, const RegisterRow&) {
    const TFormTHXUltra2& d = *m.dialogs()->FormTHXUltra2;
    return m.Thx.AsaPosition == 2 ? d.RBASAApart.caption() : m.Thx.AsaPosition == 1 ? d.RBASAClose.caption()
                                                                                    : d.RBASATogether.caption();
}
std::string thxUltra2SubText(const M& m, const RegisterRow&) {
    const TFormTHXUltra2& d = *m.dialogs()->FormTHXUltra2;
    return m.Thx.Ultra2Sub != 0 ? d.RBUltra2Sub.caption() : d.RBNoUltra2Sub.caption();
}

std::optional<int> dplPanorama(const M& m, const RegisterRow&) { return onOff(m.Dpl.Panorama != 0); }
std::optional<int> dplCenterWidth(const M& m, const RegisterRow&) { return m.Dpl.CenterWidth + 79; }
std::optional<int> dplDimension(const M& m, const RegisterRow&) { return 87 - m.Dpl.Dimension; }
std::optional<int> dplCenterImage(const M& m, const RegisterRow&) { return m.Dpl.CenterImage + 79; }
std::string dplPanoramaText(const M& m, const RegisterRow&) {
    const TFormDPLII& d = *m.dialogs()->FormDPLII;
    return m.Dpl.Panorama != 0 ? d.RBPanoramaOn.caption() : d.RBPanoramaOff.caption();
}
std::string dplCenterWidthText(const M& m, const RegisterRow&) { return TFormDPLII::widthText(m.Dpl.CenterWidth); }
std::string dplDimensionText(const M& m, const RegisterRow&) { return TFormDPLII::dimensionText(m.Dpl.Dimension); }
std::string dplCenterImageText(const M& m, const RegisterRow&) { return TFormDPLII::centerImageText(m.Dpl.CenterImage); }

// ---- Controls with codes of their own

std::optional<int> skipWelcome(const M& m, const RegisterRow&) { return m.CheckBoxSkipWelcome.checked() ? 1 : 0; }

std::optional<int> backSpeakers(const M& m, const RegisterRow&) {
    return m.CBLeftBS.itemIndex() + (m.CheckBoxRBack.checked() ? 82 : 80);
}
std::string backSpeakersText(const M& m, const RegisterRow&) {
    return m.CBLeftBS.text() + (m.CheckBoxRBack.checked() ? ", 2 Back Spks" : "");
}

std::optional<int> subFilterFrequency(const M& m, const RegisterRow&) { return 5 * m.CBSubFilter.itemIndex() + 20; }

std::optional<int> triggerSource(const M& m, const RegisterRow& row) {
    // Item 0 is "Trigger Off" and items 1..SourceCount are the sources; the
    // items behind them are events, known by their text because the mask
    // decides which of them the list holds.
    const ListBox& list = owner<ListBox>(m, row);
    const int i = list.itemIndex();
    if (i <= m.SourceCount) return i + 80;
    if (auto code = triggerEventCode(list.text(), m.ModelVariant)) return *code;
    return std::nullopt;
}

std::optional<int> triggerDuration(const M& m, const RegisterRow& row) {
    const int i = owner<ListBox>(m, row).itemIndex();
    return i == 16 ? 80 : i + 81;  // 16 is "Infinity"
}

// ---- Texts of the message lines and the source names

std::optional<int> messageCharacter(const M& m, const RegisterRow& row) {
    // A text longer than a line gives its first 20 characters.
    const std::string& text = owner<Edit>(m, row).text();
    const auto c = static_cast<std::size_t>(row.part);
    return c < text.size() ? static_cast<unsigned char>(text[c]) : ' ';
}
std::string messageText(const M& m, const RegisterRow& row) { return owner<Edit>(m, row).text(); }

std::optional<int> sourceNameCharacter(const M& m, const RegisterRow& row) {
    if (!inUse(m, row)) return std::nullopt;
    const std::string& name = source(m, row).Name;
    const auto c = static_cast<std::size_t>(row.part);
    return c < name.size() ? static_cast<unsigned char>(name[c]) : ' ';
}
std::string sourceNameText(const M& m, const RegisterRow& row) { return source(m, row).Name; }

// ---- The source records

std::optional<int> sourceMode(const M& m, const RegisterRow& row) {
    if (!inUse(m, row)) return std::nullopt;
    return modeToCode(source(m, row).Mode, m.CBLeftBS.itemIndex() != SizeNo);
}
std::string sourceModeText(const M& m, const RegisterRow& row) {
    const int mode = source(m, row).Mode;
    if (auto caption = TFormSource::setupModeCaption(mode, m.Modes, m.CBLeftBS.itemIndex() != SizeNo)) return *caption;
    if (mode >= ModeCount) return std::to_string(mode);
    return m.dialogs()->FormSource->modeButtons()[static_cast<std::size_t>(mode)]->caption();
}

std::optional<int> sourceSensitivity(const M& m, const RegisterRow& row) {
    if (!inUse(m, row)) return std::nullopt;
    return source(m, row).Sensitivity + 80;
}
std::string sourceSensitivityText(const M& m, const RegisterRow& row) {
    return itemText(m.dialogs()->FormSource->CBSensitivity.items(), source(m, row).Sensitivity);
}

static bool eightWithoutOff(const M& m) { return m.Inputs.DigitalInputCount == 8 && m.ModelVariant == ModelVariant::Tavro; }

std::optional<int> sourceDigitalInput(const M& m, const RegisterRow& row) {
    if (!inUse(m, row) || m.Inputs.DigitalInputCount == 0) return std::nullopt;
    return source(m, row).DigitalInput + (eightWithoutOff(m) ? 81 : 80);
}
std::string sourceDigitalInputText(const M& m, const RegisterRow& row) {
    return itemText(TFormSource::digitalInputItems(m.Inputs.DigitalInputCount, m.ModelVariant == ModelVariant::Tavro),
                    source(m, row).DigitalInput);
}

std::optional<int> sourceComponentVideo(const M& m, const RegisterRow& row) {
    if (!inUse(m, row)) return std::nullopt;
    const int c = source(m, row).ComponentVideo;
    if (m.ModelVariant == ModelVariant::Tavro) return c + 80;
    // The R7 and 4820 number composite inputs from 81, S-Video inputs from
    // 101 and component inputs from 121.
    if (c <= 6) return c + 80;
    if (c <= 10) return c + 94;
    if (c <= m.Inputs.ComponentVideoCount + 10) return c + 110;
    return std::nullopt;
}
std::string sourceComponentVideoText(const M& m, const RegisterRow& row) {
    return itemText(m.componentVideoItems(), source(m, row).ComponentVideo);
}

std::optional<int> sourcePresetAssoc(const M& m, const RegisterRow& row) {
    if (!inUse(m, row)) return std::nullopt;
    const int a = source(m, row).PresetAssoc;
    return a == 0 ? 80 : a == FlatTrimsAssoc ? 81 : a + 81;
}
std::string sourcePresetAssocText(const M& m, const RegisterRow& row) {
    const int a = source(m, row).PresetAssoc;
    return a == 0 ? "Off" : a == FlatTrimsAssoc ? "Flat Trims" : "Preset " + std::to_string(a);
}

// ---- Presets and channels 9 and 10

std::optional<int> presetField(const M& m, const RegisterRow& row) {
    const int value = m.Presets[static_cast<std::size_t>(row.index)].field(row.part);
    return value + (row.part == PresetFieldCount - 1 ? 80 : 68);
}
std::string presetFieldText(const M& m, const RegisterRow& row) {
    static const ItemList levels = TFormPreset::levelItems();
    static const ItemList lipsync = TFormPreset::lipsyncItems();
    return itemText(row.part == PresetFieldCount - 1 ? lipsync : levels,
                    m.Presets[static_cast<std::size_t>(row.index)].field(row.part));
}

static int mixShare(const M& m, const RegisterRow& row) {
    return aux(m, row).Mix[static_cast<std::size_t>(MixRecordIndex[static_cast<std::size_t>(row.part)])];
}
std::optional<int> auxMix(const M& m, const RegisterRow& row) { return mixShare(m, row) + 100; }
std::string auxMixText(const M& m, const RegisterRow& row) { return TFormCh9_10::mixText(mixShare(m, row)); }

static int filterType(const M& m, const RegisterRow& row) { return row.part == 0 ? aux(m, row).Filter1Type : aux(m, row).Filter2Type; }
static int filterFrequency(const M& m, const RegisterRow& row) {
    return row.part == 0 ? aux(m, row).Filter1Freq : aux(m, row).Filter2Freq;
}
std::optional<int> auxFilterType(const M& m, const RegisterRow& row) { return filterType(m, row) + 80; }
std::optional<int> auxFilterFrequency(const M& m, const RegisterRow& row) { return filterFrequency(m, row) + 80; }
std::string auxFilterTypeText(const M& m, const RegisterRow& row) {
    const TFormCh9_10& d = *m.dialogs()->FormCh9_10;
    const int type = filterType(m, row);
    return type == FilterNone ? d.RBNoFilter1.caption() : type == FilterLowpass ? d.RBLowpassFilter1.caption()
                                                                                 : d.RBHighpassFilter1.caption();
}
std::string auxFilterFrequencyText(const M& m, const RegisterRow& row) {
    static const ItemList items = TFormCh9_10::frequencyItems(MaxFilterCode + 1);
    return itemText(items, filterFrequency(m, row));
}

}  // namespace rules

// ---- Driven by the rows

namespace {

using M = TTavroSetupMain;

int sourcesInUse(const M& m) { return std::min<int>(m.SourceCount, MaxSources); }

template <class T>
T& ownerOf(M& m, const RegisterRow& row) {
    return static_cast<T&>(row.owner(m));
}

// The offset of a list codec: value = item index + offset.
int listOffset(Codec codec) {
    switch (codec) {
        case Codec::ItemPlus80: return 80;
        case Codec::ItemPlus81: return 81;
        case Codec::ItemPlus82: return 82;
        default: return 0;
    }
}

}  // namespace

std::optional<int> buildEntry(const M& cm, const RegisterRow& row) {
    M& m = const_cast<M&>(cm);
    switch (row.codec) {
        case Codec::Fixed: return std::nullopt;
        case Codec::ItemPlus80:
        case Codec::ItemPlus81:
        case Codec::ItemPlus82:
        case Codec::Item: return ownerOf<ListBox>(m, row).itemIndex() + listOffset(row.codec);
        case Codec::Level: return 110 - ownerOf<ListBox>(m, row).itemIndex();
        case Codec::Position80: return ownerOf<ScrollBar>(m, row).position() + 80;
        case Codec::Position160: return ownerOf<ScrollBar>(m, row).position() + 160;
        case Codec::OnOff: return ownerOf<CheckBox>(m, row).checked() ? 81 : 80;
        case Codec::Inverted: return ownerOf<CheckBox>(m, row).checked() ? 80 : 81;
        case Codec::Radio:
            for (const RadioCode& r : row.radios)
                if (static_cast<RadioButton&>(r.button(m)).checked()) return r.code;
            return row.radios[static_cast<std::size_t>(row.buildOtherwise)].code;
        case Codec::Rule: return row.build(cm, row);
    }
    return std::nullopt;
}

bool entryAccepts(const M& cm, const RegisterRow& row, int value) {
    if (row.applied == Applied::Never || row.codec == Codec::Radio) return true;
    const int high = row.high + (row.highPlusSources ? sourcesInUse(cm) : 0);
    if (value < row.low || value > high) return false;
    if (row.applied != Applied::Table) return true;
    switch (row.codec) {
        case Codec::ItemPlus80:
        case Codec::ItemPlus81:
        case Codec::ItemPlus82:
        case Codec::Item:
        case Codec::Level: {
            // Only an index the list has.
            const int index = row.codec == Codec::Level ? 110 - value : value - listOffset(row.codec);
            return index >= 0 && index < ownerOf<ListBox>(const_cast<M&>(cm), row).count();
        }
        case Codec::Position80: return true;
        default: return false;
    }
}

bool applyEntry(M& m, const RegisterRow& row, int value) {
    if (row.codec == Codec::Radio) {
        // The button of the value, or the one that stands for every other
        // value.
        ControlRef button = row.radios[static_cast<std::size_t>(row.applyOtherwise)].button;
        for (const RadioCode& r : row.radios)
            if (r.code == value) button = r.button;
        static_cast<RadioButton&>(button(m)).setChecked(true);
        return true;
    }
    if (row.applied != Applied::Table || !entryAccepts(m, row, value)) return false;
    switch (row.codec) {
        case Codec::ItemPlus80:
        case Codec::ItemPlus81:
        case Codec::ItemPlus82:
        case Codec::Item:
        case Codec::Level:
            ownerOf<ListBox>(m, row).setItemIndex(row.codec == Codec::Level ? 110 - value
                                                                            : value - listOffset(row.codec));
            return true;
        case Codec::Position80:
            ownerOf<ScrollBar>(m, row).setPosition(value - 80);
            m.WriteValueLabels();
            return true;
        default: return false;
    }
}

bool entryShown(M& m, const RegisterRow& row) {
    auto shown = [&m](ControlRef c) { return c(m).visible(); };
    const bool source = row.shownBy && row.index < m.SourceCount && shown(row.shownBy);
    switch (row.shown) {
        case Shown::Never: return false;
        case Shown::Control: return shown(row.shownBy);
        case Shown::Source: return source;
        case Shown::SourceDigital: return source && m.Inputs.DigitalInputCount != 0;
        case Shown::SourceVideo: return source && m.Inputs.ComponentVideoPresent != 0;
        case Shown::SourcePreset:
            for (int p = 0; p < PresetCount; ++p)
                if (shown(rules::presetPanelGroup(p))) return source;
            return false;
        case Shown::Channel10: return shown(row.shownBy) && m.LabelCh10.visible();
    }
    return false;
}

void WirePlainMarks(M& m) {
    for (const RegisterRow& row : registerMap()) {
        if (row.marked != Marked::Plain) continue;
        const int k = row.entry;
        Rule mark = [&m, k] { m.MarkChanged({k}); };
        if (row.codec == Codec::Radio) {
            for (const RadioCode& r : row.radios) static_cast<RadioButton&>(r.button(m)).onClick = mark;
            continue;
        }
        Control& c = row.owner(m);
        switch (c.kind()) {
            case ControlKind::List: static_cast<ListBox&>(c).onChange = mark; break;
            case ControlKind::CheckBox: static_cast<CheckBox&>(c).onClick = mark; break;
            case ControlKind::ScrollBar: static_cast<ScrollBar&>(c).onChange = mark; break;
            default: throw std::logic_error("a plain mark on a control without an edit: " + c.name());
        }
    }
}

std::string settingText(const M& cm, int entry) {
    const RegisterRow& row = registerRow(entry);
    M& m = const_cast<M&>(cm);
    if (row.text) return row.text(cm, row);
    if (row.valueLabel) {
        const std::string& caption = row.valueLabel(m).caption();
        const std::size_t colon = caption.find(": ");
        return colon == std::string::npos ? caption : caption.substr(colon + 2);
    }
    if (row.codec == Codec::Radio) {
        for (const RadioCode& r : row.radios)
            if (static_cast<RadioButton&>(r.button(m)).checked()) return r.button(m).caption();
        return "";
    }
    if (!row.owner) return std::to_string(cm.ParameterImage[static_cast<std::size_t>(entry)].Value);
    Control& c = row.owner(m);
    switch (c.kind()) {
        case ControlKind::List: return static_cast<ListBox&>(c).text();
        case ControlKind::CheckBox: return static_cast<CheckBox&>(c).checked() ? "On" : "Off";
        default: return c.caption();
    }
}

}  // namespace tavro
