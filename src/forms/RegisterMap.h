// The register map: one row for each of the 395 entries of the parameter
// image, saying which control or record field owns the entry, how its value
// is coded, which values a download accepts, which control's visibility
// brings it into a full transfer, which edit marks it, and its human name and
// group. The entry's address and initial value are those of the initial
// image (link/ParameterImage.h), which keeps them.
//
// BuildImage, the plain steps of ApplyImage, MarkVisibleEntries and the
// handlers of the controls whose edit only marks their entry are driven by
// these rows. Settings with rules of their own (speaker sizes, source
// names, triggers, modes, volumes) have a named rule instead of a plain
// codec.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/Masks.h"
#include "model/Records.h"

namespace tavro {

class TTavroSetupMain;
class Control;

// The seven mix shares of channels 9 and 10 stand in the image in the
// device order Left, Center, Right, RSurr, Back, LSurr, LFE; these are their
// positions in the record's order (Left, Center, Right, LSurr, RSurr, Back,
// LFE).
inline constexpr std::array<int, MixChannelCount> MixRecordIndex{0, 1, 2, 4, 5, 3, 6};

// A control of the main window, reached from the window.
using ControlRef = Control& (*)(TTavroSetupMain&);

// How an entry's value is made from its owner.
enum class Codec : std::uint8_t {
    Fixed,        // never built, never marked: the initial value stays
    ItemPlus80,   // list item index + 80
    ItemPlus81,   // list item index + 81
    ItemPlus82,   // list item index + 82
    Item,         // list item index
    Level,        // 110 - list item index (the level lists)
    Position80,   // scroll bar position + 80
    Position160,  // scroll bar position + 160 (the volumes)
    OnOff,        // check box checked: 81, else 80
    Inverted,     // check box checked: 80, else 81
    Radio,        // the code of the checked radio button of the row's group
    Rule,         // the row's own build rule
};

// Which visibility brings an entry into Upload All Settings and Download
// Settings.
enum class Shown : std::uint8_t {
    Never,           // entries 4 and 39
    Control,         // the row's shownBy control
    Source,          // the source's button, for a source in use
    SourceDigital,   // ... and the setup declares digital inputs
    SourceVideo,     // ... and the setup declares component video
    SourcePreset,    // ... and a preset panel is shown
    Channel10,       // the aux channel group and the channel 10 row
};

// Who marks an entry in the ChangedMask.
enum class Marked : std::uint8_t {
    Never,   // entries 4 and 39
    Plain,   // the owner's edit (every button of a radio row) only marks
             // the entry; its handler is wired from the row
    Rule,    // the owner's handler marks it and does more
    Dialog,  // the OK of the dialog that edits the record marks it
};

// How ApplyImage takes the entry back.
enum class Applied : std::uint8_t {
    Never,   // entries 4 and 39
    Table,   // by the codec, when the value lies in low..high
    Rule,    // by a rule of ApplyImage
};

// One radio button of a radio row and the value it stands for.
struct RadioCode {
    ControlRef button;
    int code;
};

struct RegisterRow {
    int entry = 0;
    std::string name;        // "Center level", "Source 3 name, character 2"
    std::string group;       // the caption it is shown under: "Speaker Settings"
    int settingFirst = 0;    // first entry of the setting the entry belongs to
    std::string settingName; // "Source 3 name"; equal to name for a one-entry setting

    Codec codec = Codec::Fixed;
    ControlRef owner = nullptr;  // the owning control; null for a record field
    std::string_view field;      // the record field of a rule row: "Sources[n].Name"
    int index = 0;               // source, preset or aux channel of a rule row (from 0)
    int part = 0;                // character, preset field, mix share or filter of a rule row

    // Radio rows: the buttons and their codes; a build with none of them
    // checked gives the code of buildOtherwise, a value that is no button's
    // code checks applyOtherwise.
    std::vector<RadioCode> radios;
    int buildOtherwise = 0;
    int applyOtherwise = 0;

    Applied applied = Applied::Never;
    int low = 0, high = 0;      // accepted values on download
    bool highPlusSources = false;  // high grows by SourceCount

    Shown shown = Shown::Never;
    ControlRef shownBy = nullptr;

    Marked marked = Marked::Never;

    // Rule rows: the value, or none to leave the entry as it is.
    std::optional<int> (*build)(const TTavroSetupMain&, const RegisterRow&) = nullptr;
    // The setting's text as the window shows it, where the codec does not
    // tell it.
    std::string (*text)(const TTavroSetupMain&, const RegisterRow&) = nullptr;
    // A scroll bar's value label, whose caption after ": " is its shown value.
    ControlRef valueLabel = nullptr;
};

// The rows of entries 0..394, in entry order.
const std::vector<RegisterRow>& registerMap();
const RegisterRow& registerRow(int entry);

// The value a row builds from the window; none when the entry keeps its
// value (a fixed entry, a source not in use, a rule without a code).
std::optional<int> buildEntry(const TTavroSetupMain& m, const RegisterRow& row);
// Whether a download's value is taken into the entry's setting: a Table
// row's range and, for a list, an item the list has; a Rule row's range
// where the row has one (the speaker sizes, the volumes). Radio rows take
// every value (one button stands for the others), and so do the fixed
// entries, which no setting holds, and the Rule rows without a range, whose
// rules in ApplyImage decide alone.
bool entryAccepts(const TTavroSetupMain& m, const RegisterRow& row, int value);
// Takes a value back into the owner of a Table row when it lies in the
// accepted range; true when it did.
bool applyEntry(TTavroSetupMain& m, const RegisterRow& row, int value);
// Whether the row's entry belongs to the visible part of the setup.
bool entryShown(TTavroSetupMain& m, const RegisterRow& row);
// Wires the handler of every control whose edit only marks its entry.
void WirePlainMarks(TTavroSetupMain& m);

// The entry's human name ("Center level", "Source 3 name, character 2") and the caption of the
// group it is shown in, as the window shows that caption ("Speaker Settings", ...).
std::string_view entryName(int entry);
std::string_view entryGroup(int entry);
// Entries that carry one setting together (a source name's characters, a message line's
// characters) form one setting: its first entry, and its name ("Source 3 name", "Welcome message line 1").
// For a one-entry setting, settingFirstEntry(e) == e and settingName(e) == entryName(e).
int settingFirstEntry(int entry);
std::string_view settingName(int entry);
// The setting that entry belongs to as the window shows it in m: a list's item text, "On"/"Off"
// for a check box or on/off, the checked radio button's caption, a scroll bar's shown value,
// the name or message text.
std::string settingText(const TTavroSetupMain& m, int entry);

}  // namespace tavro
