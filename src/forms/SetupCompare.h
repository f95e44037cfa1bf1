// Comparing two setups, or a setup and what the processor holds, setting by
// setting: the entries whose values differ, grouped into the settings they
// carry, each side's value as the window shows it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/Masks.h"
#include "link/ParameterImage.h"
#include "link/Transfer.h"

namespace tavro {

class TTavroSetupMain;

// One setting whose value differs: the entries that carry it and differ,
// its group and name, and each side's value as the window shows it.
struct SettingDifference {
    std::vector<int> entries;
    std::string group;
    std::string name;
    std::string a;
    std::string b;
};

// The entries of the visible part of the setup, as Upload All Settings and
// Download Settings take them; the ChangedMask is left as it was.
EntryFlags visibleEntryFlags(TTavroSetupMain& m);

// The entries flagged in `which` whose values differ, in entry order.
std::vector<EntryDifference> entryDifferences(const ParameterImage& a, const ParameterImage& b, const EntryFlags& which);

// The differing entries as settings, in entry order of each setting's first
// differing entry: a's and b's values as a and b show them.
std::vector<SettingDifference> settingDifferences(const TTavroSetupMain& a, const TTavroSetupMain& b,
                                                  const std::vector<EntryDifference>& entries);

// Both setups' images built, compared over the entries visible in either.
std::vector<EntryDifference> compareSetups(TTavroSetupMain& a, TTavroSetupMain& b);

// The values of the processor's image as the window would show them once
// downloaded into m's setup: a copy of m's setup (in a program of its own,
// started from the same default setup) takes the values of `read` from
// `processor` as Download Settings applies them. m is not changed.
class ProcessorView {
public:
    ProcessorView(const TTavroSetupMain& m, const ParameterImage& processor, const EntryFlags& read);
    ~ProcessorView();
    const TTavroSetupMain& setup() const;

private:
    struct Copy;
    std::unique_ptr<Copy> copy_;
};

// "Speaker Settings / Center level: -1.5 dB -> 0 dB"
std::string differenceLine(const SettingDifference& d);
// "12 0012 110 108": entry, address in four hex digits, both values.
std::string rawDifferenceLine(const EntryDifference& d);

// Where a verify of m's setup found a different value, each side's value
// as the window shows it (the processor's as after a download, through a
// ProcessorView) and as the number sent and read: "Center level (entry 12,
// address 0x0012): sent -2.0 dB (76), processor holds -1.5 dB (77)".
std::string verifyMismatchText(const TTavroSetupMain& m, const EntryDifference& d);
// The communication dialog's detail line for a run on m's image: why a port
// did not open, or where a verify found a different value; empty otherwise.
std::string commDetailText(const TTavroSetupMain& m, const Transfer& t);

}  // namespace tavro
