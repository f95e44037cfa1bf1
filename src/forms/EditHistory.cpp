#include "forms/EditHistory.h"

#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "forms/RegisterMap.h"
#include "forms/Setupmain.h"

namespace tavro {

namespace {

// Every value of the window beside its controls with its place in
// WindowRecords: capturing and restoring walk the same list.
template <class Window, class Records, class Copy>
void eachRecord(Window& w, Records& r, Copy&& copy) {
    copy(w.Sources, r.Sources);
    copy(w.SourceCount, r.SourceCount);
    copy(w.Presets, r.Presets);
    copy(w.AuxChannels, r.AuxChannels);
    copy(w.Dpl, r.Dpl);
    copy(w.Thx, r.Thx);
    copy(w.Modes, r.Modes);
    copy(w.Inputs, r.Inputs);
    copy(w.Opts, r.Opts);
    copy(w.AboutLine1, r.AboutLine1);
    copy(w.AboutLine2, r.AboutLine2);
    copy(w.EditedSource, r.EditedSource);
    copy(w.EditedPreset, r.EditedPreset);
    copy(w.EditedAuxChannel, r.EditedAuxChannel);
    copy(w.ModelVariant, r.ModelVariant);
    copy(w.FactoryBackgroundColor, r.FactoryBackgroundColor);
    copy(w.FactoryCharacterColor, r.FactoryCharacterColor);
    copy(w.FactoryErrorColor, r.FactoryErrorColor);
    copy(w.SavedEnhancedBass, r.SavedEnhancedBass);
    copy(w.TriggerEventMask, r.TriggerEventMask);
    copy(w.CurrentFileName, r.CurrentFileName);
}

WindowRecords captureRecords(const TTavroSetupMain& w) {
    WindowRecords r;
    eachRecord(w, r, [](const auto& window, auto& record) { record = window; });
    r.Caption = w.caption();
    return r;
}

void restoreRecords(TTavroSetupMain& w, const WindowRecords& r) {
    eachRecord(w, r, [](auto& window, const auto& record) { window = record; });
    w.setCaption(r.Caption);
}

// The place of a list of items in a step's pool, added when it is new.
int pooled(std::vector<std::vector<std::string>>& pool, const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < pool.size(); ++i)
        if (pool[i] == items) return static_cast<int>(i);
    pool.push_back(items);
    return static_cast<int>(pool.size() - 1);
}

HistoryStep difference(const WindowState& before, const WindowState& after) {
    HistoryStep step;
    for (std::size_t i = 0; i < before.controls.size(); ++i) {
        if (before.controls[i] == after.controls[i]) continue;
        HistoryStep::ControlChange change{i, before.controls[i], after.controls[i]};
        // Most changes keep a list's items; then the step keeps none of them.
        if (change.before.items != change.after.items) {
            change.itemsBefore = pooled(step.items, *change.before.items);
            change.itemsAfter = pooled(step.items, *change.after.items);
        }
        change.before.items.reset();
        change.after.items.reset();
        step.controls.push_back(std::move(change));
    }
    if (!(before.records == after.records)) {
        step.recordsBefore = before.records;
        step.recordsAfter = after.records;
    }
    if (before.feetItems != after.feetItems) {
        step.feetBefore = before.feetItems;
        step.feetAfter = after.feetItems;
    }
    if (before.meterItems != after.meterItems) {
        step.meterBefore = before.meterItems;
        step.meterAfter = after.meterItems;
    }
    return step;
}

std::size_t textsSize(const std::vector<std::string>& texts) {
    std::size_t n = texts.capacity() * sizeof(std::string);
    for (const std::string& t : texts) n += t.capacity();
    return n;
}

std::size_t stateSize(const ControlState& s) {
    std::size_t n = sizeof(ControlState) + s.caption.capacity() + s.text.capacity();
    if (s.items) n += textsSize(*s.items);
    for (const auto& row : s.rows) n += textsSize(row);
    return n;
}

// The last part of a file name, without its folder.
std::string withoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A step name inside a menu caption: "&" stands for itself.
std::string menuText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

}  // namespace

std::size_t HistoryStep::memoryUse() const {
    std::size_t n = sizeof(HistoryStep) + name.capacity() + controls.capacity() * sizeof(ControlChange);
    for (const ControlChange& c : controls) n += stateSize(c.before) + stateSize(c.after) - 2 * sizeof(ControlState);
    n += items.capacity() * sizeof(std::vector<std::string>);
    for (const auto& list : items) n += textsSize(list);
    if (recordsBefore) n += 2 * sizeof(WindowRecords);
    if (feetBefore) n += textsSize(*feetBefore) + textsSize(*feetAfter);
    if (meterBefore) n += textsSize(*meterBefore) + textsSize(*meterAfter);
    return n;
}

EditHistory::EditHistory(TTavroSetupMain& window) : w_(window) { updateMenu(); }

bool EditHistory::covers(const Control& c) const {
    return &c != &w_.EditMenu && &c != &w_.EditUndo && &c != &w_.EditRedo && &c != &w_.FileSave &&
           &c != &w_.WriteChangedSettings && &c != &w_.OperationsVerifySettings;
}

WindowState EditHistory::capture() const {
    if (covered_.empty()) {
        auto& self = const_cast<EditHistory&>(*this);
        for (Control* c : w_.controls())
            if (covers(*c)) self.covered_.push_back(c);
    }
    WindowState s;
    s.controls.reserve(covered_.size());
    for (const Control* c : covered_) s.controls.push_back(c->state());
    s.records = captureRecords(w_);
    s.feetItems = w_.FeetItems;
    s.meterItems = w_.MeterItems;
    return s;
}

bool EditHistory::canUndo() const { return done_ > 0; }
bool EditHistory::canRedo() const { return done_ < steps_.size(); }
std::string EditHistory::undoName() const { return canUndo() ? steps_[done_ - 1].name : std::string(); }
std::string EditHistory::redoName() const { return canRedo() ? steps_[done_].name : std::string(); }

void EditHistory::userAction(Control& control, const std::function<void()>& action, bool leaving) {
    if (applying_) {
        action();
        return;
    }
    const ControlKind kind = control.kind();
    const bool isMenu = kind == ControlKind::MenuItem;
    // The menu commands that change the setup are steps; the others (Save,
    // the uploads, Verify, Undo and Redo themselves) are none.
    const bool recorded =
        isMenu ? &control == &w_.FileNew || &control == &w_.FileOpen || &control == &w_.OperationsReadSettings ||
                     &control == &w_.FileOptions || &control == &w_.FileBackups
               : kind == ControlKind::List || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton ||
                     kind == ControlKind::ScrollBar || kind == ControlKind::Edit || kind == ControlKind::Button;
    if (!recorded) {
        endRun();
        action();
        updateMenu();
        return;
    }
    const Clock::time_point t = now();
    const bool continues = runControl_ == &control &&
                           (kind == ControlKind::Edit || (kind == ControlKind::ScrollBar && t - runLast_ <= BarRunGap));
    if (!continues) {
        endRun();
        runControl_ = &control;
        runBefore_ = capture();
        runRecorded_ = false;
    }
    // A dialog that this action closes with OK names the step.
    if (Dialogs* d = w_.dialogs(); d != nullptr && (kind == ControlKind::Button || isMenu))
        for (Form* f : std::initializer_list<Form*>{d->FormOptions.get(), d->FormPreset.get(), d->FormCh9_10.get(),
                                                    d->FormSource.get(), d->FormDPLII.get(), d->FormTHXUltra2.get()})
            f->setModalResult(ModalResult::None);
    action();
    runLast_ = t;
    recordRun(stepName(control));
    // A text field's step lasts until it is left, a scroll bar's as long as
    // its moves follow each other; every other action is a step of its own.
    if (kind == ControlKind::ScrollBar || (kind == ControlKind::Edit && !leaving)) {
        updateMenu();
        return;
    }
    endRun();
    updateMenu();
}

void EditHistory::recordRun(const std::string& name) {
    HistoryStep step = difference(*runBefore_, capture());
    step.name = name;
    if (runRecorded_) {
        if (step.empty()) {
            steps_.pop_back();
            --done_;
            runRecorded_ = false;
        } else {
            steps_.back() = std::move(step);
        }
        return;
    }
    if (step.empty()) return;
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    ++done_;
    runRecorded_ = true;
}

void EditHistory::endRun() {
    runControl_ = nullptr;
    runBefore_.reset();
    runRecorded_ = false;
}

std::string EditHistory::stepName(Control& control) const {
    if (&control == &w_.FileNew) return "New";
    if (&control == &w_.FileOpen) return "Open " + withoutFolder(w_.CurrentFileName);
    if (&control == &w_.OperationsReadSettings) return "Download Settings";
    if (Dialogs* d = w_.dialogs(); d != nullptr && &control == &w_.FileBackups)
        return "Open as Setup " + d->FormBackups->opened();
    if (Dialogs* d = w_.dialogs(); d != nullptr)
        for (const Form* f :
             std::initializer_list<const Form*>{d->FormOptions.get(), d->FormPreset.get(), d->FormCh9_10.get(),
                                                d->FormSource.get(), d->FormDPLII.get(), d->FormTHXUltra2.get()})
            if (f->modalResult() == ModalResult::Ok) return f->caption();
    for (const RegisterRow& row : registerMap()) {
        bool owns = row.owner != nullptr && &row.owner(w_) == &control;
        for (const RadioCode& r : row.radios) owns = owns || &r.button(w_) == &control;
        if (owns) return std::string(settingName(row.entry));
    }
    std::string caption;
    for (char c : control.caption())
        if (c != '&') caption += c;
    return caption.empty() ? control.name() : caption;
}

void EditHistory::apply(const HistoryStep& step, bool forward) {
    applying_ = true;
    BuildImage(w_);
    const tavro::ParameterImage before = w_.ParameterImage;
    for (const HistoryStep::ControlChange& c : step.controls) {
        const int items = forward ? c.itemsAfter : c.itemsBefore;
        if (items < 0) {
            covered_[c.index]->restore(forward ? c.after : c.before);
            continue;
        }
        ControlState s = forward ? c.after : c.before;
        s.items = step.items[static_cast<std::size_t>(items)];
        covered_[c.index]->restore(s);
    }
    if (step.recordsBefore) restoreRecords(w_, forward ? *step.recordsAfter : *step.recordsBefore);
    if (step.feetBefore) w_.FeetItems = forward ? *step.feetAfter : *step.feetBefore;
    if (step.meterBefore) w_.MeterItems = forward ? *step.meterAfter : *step.meterBefore;
    BuildImage(w_);
    // As an edit: Save and Upload Changed Settings are enabled, and the
    // entries whose values moved are flagged beside those flagged already.
    w_.MarkChanged({});
    for (std::size_t e = 0; e < before.size(); ++e)
        if (before[e].Value != w_.ParameterImage[e].Value) w_.ChangedMask[e] = 1;
    applying_ = false;
}

void EditHistory::undo() {
    endRun();
    if (canUndo()) {
        --done_;
        apply(steps_[done_], false);
    }
    updateMenu();
}

void EditHistory::redo() {
    endRun();
    if (canRedo()) {
        apply(steps_[done_], true);
        ++done_;
    }
    updateMenu();
}

void EditHistory::updateMenu() {
    w_.EditUndo.setEnabled(canUndo());
    w_.EditUndo.setCaption(canUndo() ? "&Undo " + menuText(undoName()) : "&Undo");
    w_.EditRedo.setEnabled(canRedo());
    w_.EditRedo.setCaption(canRedo() ? "&Redo " + menuText(redoName()) : "&Redo");
}

}  // namespace tavro
