// The rows of the register map, in entry order. The runs of the per-source,
// per-preset, per-character and per-channel entries are made by the small
// helpers below; every other entry is one row.
#include "forms/RegisterMap.h"

#include <stdexcept>
#include <string>

#include "forms/RegisterRules.h"
#include "forms/Setupmain.h"

namespace tavro {

namespace {

using M = TTavroSetupMain;
using rules::ref;

constexpr const char* Speaker = "Speaker Settings";
constexpr const char* BackSpeaker = "Back Speaker Settings";
constexpr const char* Aux = "Aux Channel Settings";
constexpr const char* Audio = "General Audio Settings";
constexpr const char* Balanced = "Balanced Source Settings";
constexpr const char* Zone = "Zone Settings";
constexpr const char* Messages = "Messages";
constexpr const char* Factory = "Factory Default Color Settings";
constexpr const char* Dpl = "Dolby Pro Logic II / DTS Music Settings";
constexpr const char* Thx = "THX Ultra 2 Settings";
constexpr const char* Window = "Tavro Setup";

class Table {
public:
    std::vector<RegisterRow> rows;

    // Starts the row of the next entry, which must be `entry`.
    RegisterRow& add(int entry, std::string name, std::string group) {
        if (static_cast<int>(rows.size()) != entry) throw std::logic_error("register map rows out of order");
        RegisterRow& r = rows.emplace_back();
        r.entry = entry;
        r.name = std::move(name);
        r.group = std::move(group);
        r.settingFirst = entry;
        r.settingName = r.name;
        return r;
    }

    void fixed(int entry) {
        add(entry, "Fixed entry " + std::to_string(entry), Window);
    }

    // A row coded from one control of the main window and shown with a
    // control's visibility.
    RegisterRow& control(int entry, std::string name, std::string group, Codec codec, ControlRef owner, int low,
                         int high, ControlRef shownBy, Marked marked, Applied applied = Applied::Table) {
        RegisterRow& r = add(entry, std::move(name), std::move(group));
        r.codec = codec;
        r.owner = owner;
        r.low = low;
        r.high = high;
        r.shown = Shown::Control;
        r.shownBy = shownBy;
        r.marked = marked;
        r.applied = applied;
        return r;
    }

    RegisterRow& list(int entry, std::string name, std::string group, Codec codec, ControlRef owner, int low,
                      int high, ControlRef shownBy) {
        return control(entry, std::move(name), std::move(group), codec, owner, low, high, shownBy, Marked::Plain);
    }
    RegisterRow& level(int entry, std::string name, std::string group, ControlRef owner, ControlRef shownBy) {
        return list(entry, std::move(name), std::move(group), Codec::Level, owner, 50, 110, shownBy);
    }
    RegisterRow& distance(int entry, std::string name, std::string group, ControlRef owner, ControlRef shownBy) {
        return list(entry, std::move(name), std::move(group), Codec::ItemPlus80, owner, 80, 143, shownBy);
    }
    // A scroll bar whose handler marks the entry and rewrites its value label.
    RegisterRow& bar(int entry, std::string name, std::string group, Codec codec, ControlRef owner, int low, int high,
                     ControlRef shownBy, ControlRef label) {
        RegisterRow& r = control(entry, std::move(name), std::move(group), codec, owner, low, high, shownBy,
                                 Marked::Rule, codec == Codec::Position160 ? Applied::Rule : Applied::Table);
        r.valueLabel = label;
        return r;
    }
    RegisterRow& radio(int entry, std::string name, std::string group, std::vector<RadioCode> radios,
                       int buildOtherwise, int applyOtherwise, ControlRef shownBy, Marked marked = Marked::Plain) {
        RegisterRow& r = control(entry, std::move(name), std::move(group), Codec::Radio, nullptr, 0, 255, shownBy,
                                 marked);
        r.radios = std::move(radios);
        r.buildOtherwise = buildOtherwise;
        r.applyOtherwise = applyOtherwise;
        return r;
    }
    // A row with a build rule of its own, for a record field or a control
    // whose code is no plain codec.
    RegisterRow& rule(int entry, std::string name, std::string group, std::string_view field,
                      std::optional<int> (*build)(const M&, const RegisterRow&), ControlRef shownBy, Marked marked,
                      std::string (*text)(const M&, const RegisterRow&) = nullptr, ControlRef owner = nullptr) {
        RegisterRow& r = control(entry, std::move(name), std::move(group), Codec::Rule, owner, 0, 255, shownBy, marked,
                                 Applied::Rule);
        r.field = field;
        r.build = build;
        r.text = text;
        return r;
    }

    // The four entries of trigger n: source, polarity, delay, duration.
    void trigger(int first, int n, ControlRef source, ControlRef positive, ControlRef negative, ControlRef delay,
                 ControlRef duration, ControlRef group) {
        const std::string name = "Trigger " + std::to_string(n);
        rule(first, name + " source", name, "", rules::triggerSource, group, Marked::Rule, nullptr, source);
        radio(first + 1, name + " polarity", name, {{positive, 81}, {negative, 80}}, 1, 0, group);
        list(first + 2, name + " delay", name, Codec::ItemPlus80, delay, 80, 94, group);
        rule(first + 3, name + " duration", name, "", rules::triggerDuration, group, Marked::Plain, nullptr, duration);
    }

    // Characters of one text setting: entries first .. first + length - 1.
    void characters(int first, int length, const std::string& setting, const std::string& group, ControlRef owner,
                    std::string_view field, int index, std::optional<int> (*build)(const M&, const RegisterRow&),
                    std::string (*text)(const M&, const RegisterRow&), Shown shown, ControlRef shownBy,
                    Marked marked) {
        for (int c = 0; c < length; ++c) {
            RegisterRow& r = rule(first + c, setting + ", character " + std::to_string(c + 1), group, field, build,
                                  shownBy, marked, text, owner);
            r.settingFirst = first;
            r.settingName = setting;
            r.index = index;
            r.part = c;
            r.shown = shown;
        }
    }

    // One row per source for entries first .. first + 15.
    void perSource(int first, const std::string& what, std::string_view field,
                   std::optional<int> (*build)(const M&, const RegisterRow&),
                   std::string (*text)(const M&, const RegisterRow&), Shown shown) {
        for (int i = 0; i < MaxSources; ++i) {
            RegisterRow& r = rule(first + i, "Source " + std::to_string(i + 1) + " " + what, rules::sourceGroup(i),
                                  field, build, rules::sourceButton(i), Marked::Dialog, text);
            r.index = i;
            r.shown = shown;
        }
    }
};

std::vector<RegisterRow> makeRows() {
    Table t;
    t.list(0, "Balanced Source Association", Balanced, Codec::ItemPlus80, ref<&M::CBBalancedSource>, 80, 80,
           ref<&M::GBBalanced>)
        .highPlusSources = true;
    t.rows.back().marked = Marked::Rule;
    t.radio(1, "Balanced Source Routing", Balanced,
            {{ref<&M::RBBypassDSP>, 81}, {ref<&M::RBThroughDSP>, 80}}, 1, 0, ref<&M::GBBalanced>);
    // Settings of the THX dialog beside the speakers.
    t.rule(2, "Limiter level", Thx, "Thx.LimiterLevel", rules::thxLimiterLevel, ref<&M::GBSpeaker>, Marked::Dialog,
           rules::thxLimiterLevelText);
    t.rule(3, "Limiter ON", Thx, "Thx.LimiterOn", rules::thxLimiterOn, ref<&M::GBSpeaker>, Marked::Dialog,
           rules::thxLimiterOnText);
    t.fixed(4);
    // Distances 5..10 and levels 11..16 of the main speakers, in one order.
    const struct {
        const char* name;
        ControlRef distance, level;
    } speakers[] = {{"Left", ref<&M::CBLeftD>, ref<&M::CBLeftL>},
                    {"Center", ref<&M::CBCenterD>, ref<&M::CBCenterL>},
                    {"Right", ref<&M::CBRightD>, ref<&M::CBRightL>},
                    {"Right Surround", ref<&M::CBRightSD>, ref<&M::CBRightSL>},
                    {"Left Surround", ref<&M::CBLeftSD>, ref<&M::CBLeftSL>},
                    {"Subwoofer", ref<&M::CBSubD>, ref<&M::CBSubL>}};
    for (int i = 0; i < 6; ++i)
        t.distance(5 + i, std::string(speakers[i].name) + " distance", Speaker, speakers[i].distance, ref<&M::GBSpeaker>);
    for (int i = 0; i < 6; ++i)
        t.level(11 + i, std::string(speakers[i].name) + " level", Speaker, speakers[i].level, ref<&M::GBSpeaker>);
    t.bar(17, "LFE level", "LFE Level", Codec::Position80, ref<&M::SBLFELevel>, 70, 80, ref<&M::GBLFElevel>,
          ref<&M::LabelLFELevel>);
    // The sizes: the speaker rules take them back.
    t.control(18, "Front size", Speaker, Codec::ItemPlus80, ref<&M::CBLeftS>, 80, 81, ref<&M::GBSpeaker>,
              Marked::Rule, Applied::Rule);
    t.control(19, "Center size", Speaker, Codec::ItemPlus80, ref<&M::CBCenterS>, 80, 82, ref<&M::GBSpeaker>,
              Marked::Rule, Applied::Rule);
    t.control(20, "Surround size", Speaker, Codec::ItemPlus80, ref<&M::CBLeftSS>, 80, 82, ref<&M::GBSpeaker>,
              Marked::Rule, Applied::Rule);
    t.control(21, "Subwoofer size", Speaker, Codec::ItemPlus80, ref<&M::CBSubS>, 80, 81, ref<&M::GBSpeaker>,
              Marked::Rule, Applied::Rule);
    t.bar(22, "Volume", Audio, Codec::Position160, ref<&M::SBVolume>, 90, 195, ref<&M::GBGeneralAudio>,
          ref<&M::LabelVolume>);
    t.perSource(23, "mode", "Sources[n].Mode", rules::sourceMode, rules::sourceModeText, Shown::Source);
    t.fixed(39);
    t.radio(40, "Distance Units", "Distance Units", {{ref<&M::RBFeet>, 81}, {ref<&M::RBMeters>, 80}}, 1, 0,
            ref<&M::GBDistanceUnits>, Marked::Rule);
    t.bar(41, "Phones volume offset", "Phones Volume Offset", Codec::Position80, ref<&M::SBPhones>, 60, 90,
          ref<&M::GBPhones>, ref<&M::LabelPhones>);
    t.control(42, "Sub Filter", Speaker, Codec::Inverted, ref<&M::CheckBoxSubFilter>, 0, 255, ref<&M::GBSpeaker>,
              Marked::Rule, Applied::Rule);
    t.rule(43, "Panorama", Dpl, "Dpl.Panorama", rules::dplPanorama, ref<&M::GBDPLII>, Marked::Dialog,
           rules::dplPanoramaText);
    t.rule(44, "Center Width", Dpl, "Dpl.CenterWidth", rules::dplCenterWidth, ref<&M::GBDPLII>, Marked::Dialog,
           rules::dplCenterWidthText);
    t.rule(45, "Dimension", Dpl, "Dpl.Dimension", rules::dplDimension, ref<&M::GBDPLII>, Marked::Dialog,
           rules::dplDimensionText);
    t.radio(46, "Reverb", "Reverb",
            {{ref<&M::RBDry>, 80}, {ref<&M::RBDry1>, 81}, {ref<&M::RBWetDry2>, 82}, {ref<&M::RBWet3>, 83},
             {ref<&M::RBWet>, 84}},
            4, 4, ref<&M::GBReverb>);
    t.rule(47, "Boundary Gain Compensation", Thx, "Thx.BoundaryGain", rules::thxBoundaryGain, ref<&M::GBTHXUltra>,
           Marked::Dialog, rules::thxBoundaryGainText);
    t.rule(48, "Back Speakers Positioned", Thx, "Thx.AsaPosition", rules::thxAsaPosition, ref<&M::GBTHXUltra>,
           Marked::Dialog, rules::thxAsaPositionText);
    t.rule(49, "THX Ultra2 Subwoofer", Thx, "Thx.Ultra2Sub", rules::thxUltra2Sub, ref<&M::GBTHXUltra>,
           Marked::Dialog, rules::thxUltra2SubText);
    t.rule(50, "Skip Welcome Message", Messages, "", rules::skipWelcome, ref<&M::GBMessages>, Marked::Rule, nullptr,
           ref<&M::CheckBoxSkipWelcome>);
    t.radio(51, "OSD Setup Mode", "OSD Setup Mode", {{ref<&M::RBBlueback>, 82}, {ref<&M::RBSuperimpose>, 81}}, 1, 0,
            ref<&M::GBSetupMode>);
    t.radio(52, "Temporary Display", "Temporary Display",
            {{ref<&M::RBTempFull>, 82}, {ref<&M::RBTempSimple>, 81}, {ref<&M::RBNoTemp>, 80}}, 2, 0,
            ref<&M::GBTemporary>);
    t.radio(53, "OSD Output Routing", "OSD Output Routing",
            {{ref<&M::RBOSDOutputBoth>, 83}, {ref<&M::RBOSDOutputCs>, 81}, {ref<&M::RBOSDOutputSvideo>, 82},
             {ref<&M::RBOSDOutputNo>, 80}},
            3, 0, ref<&M::GBOSDOutput>, Marked::Rule);
    t.radio(54, "OSD Input Select", "OSD Input Select",
            {{ref<&M::RBOSDInputAuto>, 83}, {ref<&M::RBOSDInputCs>, 82}, {ref<&M::RBOSDInputSvideo>, 81},
             {ref<&M::RBOSDInputOff>, 80}},
            3, 0, ref<&M::GBOSDInput>);
    t.radio(55, "OSD Video Format", "OSD Video Format", {{ref<&M::RBPAL>, 1}, {ref<&M::RBNTSC>, 2}}, 1, 1,
            ref<&M::GBBluebackFormat>);
    t.control(56, "OSD Style", "OSD Style", Codec::Item, ref<&M::CBOSDStyle>, 0, 29, ref<&M::GBOSDStyle>,
              Marked::Rule);
    t.control(57, "Background color", Factory, Codec::Item, ref<&M::CBBackgroundColor>, 0, 7, ref<&M::GBFactory>,
              Marked::Rule);
    t.control(58, "Characters color", Factory, Codec::Item, ref<&M::CBCharacterColor>, 0, 7, ref<&M::GBFactory>,
              Marked::Rule);
    t.control(59, "Error color", Factory, Codec::Item, ref<&M::CBErrorColor>, 0, 7, ref<&M::GBFactory>, Marked::Rule);
    t.rule(60, "Back speakers", BackSpeaker, "", rules::backSpeakers, ref<&M::GBBackSpeaker>, Marked::Rule,
           rules::backSpeakersText, ref<&M::CBLeftBS>);
    t.level(61, "Right Back level", BackSpeaker, ref<&M::CBRightBL>, ref<&M::GBBackSpeaker>);
    t.level(62, "Left Back level", BackSpeaker, ref<&M::CBLeftBL>, ref<&M::GBBackSpeaker>);
    t.distance(63, "Right Back distance", BackSpeaker, ref<&M::CBRightBD>, ref<&M::GBBackSpeaker>);
    t.distance(64, "Left Back distance", BackSpeaker, ref<&M::CBLeftBD>, ref<&M::GBBackSpeaker>);
    t.rule(65, "Sub Filter frequency", Speaker, "", rules::subFilterFrequency, ref<&M::GBSpeaker>, Marked::Plain,
           nullptr, ref<&M::CBSubFilter>);
    t.control(66, "Enhanced Bass", Speaker, Codec::OnOff, ref<&M::CheckBoxEnhancedBass>, 0, 255, ref<&M::GBSpeaker>,
              Marked::Plain, Applied::Rule);
    t.trigger(67, 1, ref<&M::CBTrigger1Source>, ref<&M::RB1Positive>, ref<&M::RB1Negative>, ref<&M::CBTrigger1Delay>,
              ref<&M::CB1Duration>, ref<&M::GBTrigger1>);
    t.trigger(71, 2, ref<&M::CBTrigger2Source>, ref<&M::RB2Positive>, ref<&M::RB2Negative>, ref<&M::CBTrigger2Delay>,
              ref<&M::CB2Duration>, ref<&M::GBTrigger2>);
    t.bar(75, "Zone Volume", Zone, Codec::Position160, ref<&M::SBZoneVolume>, 90, 195, ref<&M::GBZone>,
          ref<&M::LabelZoneVolume>);
    t.list(76, "Zone Source", Zone, Codec::ItemPlus81, ref<&M::CBZoneSource>, 81, 80, ref<&M::GBZone>)
        .highPlusSources = true;
    t.bar(77, "Bass", Audio, Codec::Position80, ref<&M::SBBass>, 68, 92, ref<&M::GBGeneralAudio>, ref<&M::LabelBass>);
    t.bar(78, "Treble", Audio, Codec::Position80, ref<&M::SBTreble>, 68, 92, ref<&M::GBGeneralAudio>,
          ref<&M::LabelTreble>);

    const ControlRef lines[] = {ref<&M::EditWelcome1>, ref<&M::EditWelcome2>, ref<&M::EditShutdown1>,
                                ref<&M::EditShutdown2>};
    const char* const lineNames[] = {"Welcome message line 1", "Welcome message line 2", "Shutdown message line 1",
                                     "Shutdown message line 2"};
    for (int l = 0; l < 4; ++l)
        t.characters(entry::Welcome1 + entry::MessageLength * l, entry::MessageLength, lineNames[l], Messages,
                     lines[l], "", l, rules::messageCharacter, rules::messageText, Shown::Control,
                     ref<&M::GBMessages>, Marked::Rule);
    for (int i = 0; i < MaxSources; ++i)
        t.characters(entry::SourceName + entry::NameLength * i, entry::NameLength,
                     "Source " + std::to_string(i + 1) + " name", rules::sourceGroup(i), nullptr,
                     "Sources[n].Name", i, rules::sourceNameCharacter, rules::sourceNameText, Shown::Source,
                     rules::sourceButton(i), Marked::Dialog);
    t.perSource(entry::Sensitivity, "analog sensitivity", "Sources[n].Sensitivity", rules::sourceSensitivity,
                rules::sourceSensitivityText, Shown::Source);
    t.perSource(entry::DigitalInput, "digital input", "Sources[n].DigitalInput", rules::sourceDigitalInput,
                rules::sourceDigitalInputText, Shown::SourceDigital);
    t.perSource(entry::ComponentVideo, "component video", "Sources[n].ComponentVideo", rules::sourceComponentVideo,
                rules::sourceComponentVideoText, Shown::SourceVideo);

    const char* const fields[] = {"center", "surrounds", "subwoofer", "bass", "treble", "lipsync"};
    for (int p = 0; p < PresetCount; ++p)
        for (int f = 0; f < PresetFieldCount; ++f) {
            RegisterRow& r =
                t.rule(entry::Preset + PresetFieldCount * p + f, "Preset " + std::to_string(p + 1) + " " + fields[f],
                       "Preset " + std::to_string(p + 1) + " Settings", "Presets[p].field(f)", rules::presetField,
                       rules::presetPanelGroup(p), Marked::Dialog, rules::presetFieldText);
            r.index = p;
            r.part = f;
        }
    t.perSource(entry::PresetAssoc, "preset association", "Sources[n].PresetAssoc", rules::sourcePresetAssoc,
                rules::sourcePresetAssocText, Shown::SourcePreset);

    for (int ch = 0; ch < 2; ++ch) {
        const std::string channel = "Channel " + std::to_string(ch + 9);
        const std::string dialog = channel + " Mix & Filter Settings";
        const int mix = ch == 0 ? entry::Ch9Mix : entry::Ch10Mix;
        for (int d = 0; d < MixChannelCount; ++d) {
            RegisterRow& r = t.rule(mix + d, channel + " mix, " + rules::mixShareName(d), dialog,
                                    "AuxChannels[c].Mix", rules::auxMix, ref<&M::GBCh9_10>, Marked::Dialog,
                                    rules::auxMixText);
            r.index = ch;
            r.part = d;
        }
    }
    for (int ch = 0; ch < 2; ++ch) {
        const std::string channel = "Channel " + std::to_string(ch + 9);
        const std::string dialog = channel + " Mix & Filter Settings";
        const int first = ch == 0 ? 379 : 383;
        for (int f = 0; f < 4; ++f) {
            const int filter = f % 2 + 1;
            const bool frequency = f >= 2;
            RegisterRow& r = t.rule(first + f, channel + " Filter " + std::to_string(filter) + (frequency ? " frequency" : " type"),
                                    dialog, frequency ? "AuxChannels[c].FilterNFreq" : "AuxChannels[c].FilterNType",
                                    frequency ? rules::auxFilterFrequency : rules::auxFilterType, ref<&M::GBCh9_10>,
                                    Marked::Dialog, frequency ? rules::auxFilterFrequencyText : rules::auxFilterTypeText);
            r.index = ch;
            r.part = filter - 1;
        }
    }
    t.control(387, "Channel 9 delay", Aux, Codec::Item, ref<&M::CBCh9D>, 0, 160, ref<&M::GBCh9_10>, Marked::Plain);
    t.level(388, "Channel 9 level", Aux, ref<&M::CBCh9L>, ref<&M::GBCh9_10>);
    t.control(389, "Channel 10 delay", Aux, Codec::Item, ref<&M::CBCh10D>, 0, 160, ref<&M::GBCh9_10>, Marked::Plain);
    t.level(390, "Channel 10 level", Aux, ref<&M::CBCh10L>, ref<&M::GBCh9_10>);
    // Channel 10 is a row of the aux channel group: its entries need the
    // row as well as the group.
    for (int k : {372, 373, 374, 375, 376, 377, 378, 383, 384, 385, 386, 389, 390})
        t.rows[static_cast<std::size_t>(k)].shown = Shown::Channel10;
    t.rule(391, "Neo:6 Center Image", Dpl, "Dpl.CenterImage", rules::dplCenterImage, ref<&M::GBDPLII>, Marked::Dialog,
           rules::dplCenterImageText);
    t.list(392, "Bass tone filter", "Tone Filters", Codec::ItemPlus82, ref<&M::CBToneBFreq>, 82, 84,
           ref<&M::GBToneFilters>);
    t.list(393, "Treble tone filter", "Tone Filters", Codec::ItemPlus82, ref<&M::CBToneTFreq>, 82, 84,
           ref<&M::GBToneFilters>);
    t.list(394, "Analog Bass Management", "Analog Bass", Codec::ItemPlus80, ref<&M::CBAnalogBassMg>, 80, 82,
           ref<&M::GBAnalogBassMg>);

    if (static_cast<int>(t.rows.size()) != ImageEntryCount) throw std::logic_error("register map is incomplete");
    for (int k : {FixedEntryA, FixedEntryB}) {
        RegisterRow& r = t.rows[static_cast<std::size_t>(k)];
        r.shown = Shown::Never;
        r.marked = Marked::Never;
        r.applied = Applied::Never;
    }
    return std::move(t.rows);
}

}  // namespace

const std::vector<RegisterRow>& registerMap() {
    static const std::vector<RegisterRow> rows = makeRows();
    return rows;
}

const RegisterRow& registerRow(int entry) {
    if (entry < 0 || entry >= ImageEntryCount) throw std::out_of_range("register map entry");
    return registerMap()[static_cast<std::size_t>(entry)];
}

std::string_view entryName(int entry) { return registerRow(entry).name; }
std::string_view entryGroup(int entry) { return registerRow(entry).group; }
int settingFirstEntry(int entry) { return registerRow(entry).settingFirst; }
std::string_view settingName(int entry) { return registerRow(entry).settingName; }

}  // namespace tavro
