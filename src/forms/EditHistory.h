// The main window's Undo and Redo. A step is what one user action changed in
// the window: the state before and after it of every control that differs
// (value, items, enabled and visible states, caption), of the records and
// of the window's own state (the current file name, the title). Undo puts
// the before-states back and Redo the after-states without running any
// control's rule; the entries whose values the change moves are flagged in
// the ChangedMask as an edit would flag them, and nothing is sent.
//
// Steps begin and end with the window's user actions (userAction): a pick,
// a click, a dialog closed with OK, File New, File Open, Download Settings
// and a backup opened as the setup are one step each; a scroll bar's moves that follow each other
// within a second are one step, and so is a text field from the first
// change of its text to leaving it. An action that changes nothing records
// no step, and a new step drops the steps that Redo would bring back.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "model/Records.h"
#include "model/ValueLists.h"

namespace tavro {

class TTavroSetupMain;

// The window's state beside its controls: the records, the values the
// rules keep, the current file name and the title.
struct WindowRecords {
    std::array<SourceRecord, MaxSources> Sources;
    std::uint8_t SourceCount = 0;
    std::array<PresetSettings, PresetCount> Presets;
    std::array<AuxMixFilter, 2> AuxChannels;
    DplSettings Dpl;
    ThxSettings Thx;
    ModeTable Modes;
    InputCounts Inputs;
    Options Opts;
    std::string AboutLine1;
    std::string AboutLine2;
    int EditedSource = 0;
    int EditedPreset = 0;
    int EditedAuxChannel = 0;
    tavro::ModelVariant ModelVariant = tavro::ModelVariant::Tavro;
    Rgb FactoryBackgroundColor = 0;
    Rgb FactoryCharacterColor = 0;
    Rgb FactoryErrorColor = 0;
    bool SavedEnhancedBass = false;
    std::uint16_t TriggerEventMask = 0;
    std::string CurrentFileName;
    std::string Caption;

    bool operator==(const WindowRecords&) const = default;
};

// The whole state a step compares: every control of the window that a step
// covers (in the registry's order) and the records.
struct WindowState {
    std::vector<ControlState> controls;
    WindowRecords records;
    ItemList feetItems;
    ItemList meterItems;
};

// What one step changed: before and after of each differing part only.
struct HistoryStep {
    std::string name;  // "Center level", "Source 3 Settings", "Open customer.sfg"
    // A control's states without their items; the items of the lists whose
    // items changed are kept once per step in `items` (the distance lists
    // share theirs), by their place there (-1: the items stay).
    struct ControlChange {
        std::size_t index;  // into the covered controls
        ControlState before;
        ControlState after;
        int itemsBefore = -1;
        int itemsAfter = -1;
    };
    std::vector<ControlChange> controls;
    std::vector<std::vector<std::string>> items;
    std::optional<WindowRecords> recordsBefore, recordsAfter;
    std::optional<ItemList> feetBefore, feetAfter;
    std::optional<ItemList> meterBefore, meterAfter;

    bool empty() const { return controls.empty() && !recordsBefore && !feetBefore && !meterBefore; }
    // The bytes the step holds, about.
    std::size_t memoryUse() const;
};

class EditHistory {
public:
    using Clock = std::chrono::steady_clock;
    // A scroll bar's moves closer together than this are one step.
    static constexpr std::chrono::milliseconds BarRunGap{1000};

    explicit EditHistory(TTavroSetupMain& window);

    // Runs a user action on a control of the window and records what it
    // changed. leaving: the action is a text field losing the focus.
    void userAction(Control& control, const std::function<void()>& action, bool leaving = false);

    bool canUndo() const;
    bool canRedo() const;
    // The name of the step Undo or Redo would take back or bring back.
    std::string undoName() const;
    std::string redoName() const;
    void undo();
    void redo();
    // Ends a scroll bar's run or a text field's step that is still open.
    void endRun();

    const std::vector<HistoryStep>& steps() const { return steps_; }
    std::size_t undoCount() const { return done_; }

    // The time the scroll bar runs are measured with; tests set their own.
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

    // The controls a step covers: all of the window's but the Edit menu and
    // the three menu items whose states follow edits and transfers (Save,
    // Upload Changed Settings, Verify Settings), which Undo sets as an edit
    // does.
    bool covers(const Control& control) const;
    WindowState capture() const;

private:
    void apply(const HistoryStep& step, bool forward);
    // Records the change from `before` to now as the open run's step (it
    // replaces the run's step recorded so far; an empty change removes it).
    void recordRun(const std::string& name);
    std::string stepName(Control& control) const;
    void updateMenu();

    TTavroSetupMain& w_;
    std::vector<Control*> covered_;
    std::vector<HistoryStep> steps_;
    std::size_t done_ = 0;  // steps_[0..done_) can be undone

    // The open run: the control it belongs to, the state before it, whether
    // a step of it is on the list, and when its last scroll bar move was.
    Control* runControl_ = nullptr;
    std::optional<WindowState> runBefore_;
    bool runRecorded_ = false;
    Clock::time_point runLast_{};
    bool applying_ = false;
};

}  // namespace tavro
