#include "controls/Controls.h"

#include <algorithm>
#include <stdexcept>

namespace tavro {

namespace {
void run(const Rule& rule) {
    if (rule) rule();
}
}  // namespace

const char* controlKindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::List: return "list";
        case ControlKind::CheckBox: return "check box";
        case ControlKind::RadioButton: return "radio button";
        case ControlKind::ScrollBar: return "scroll bar";
        case ControlKind::Edit: return "edit";
        case ControlKind::Label: return "label";
        case ControlKind::Button: return "button";
        case ControlKind::GroupBox: return "group box";
        case ControlKind::TabSheet: return "tab sheet";
        case ControlKind::MenuItem: return "menu item";
        case ControlKind::Image: return "image";
        case ControlKind::Memo: return "memo";
        case ControlKind::Panel: return "panel";
        case ControlKind::ProgressBar: return "progress bar";
        case ControlKind::Timer: return "timer";
        case ControlKind::Grid: return "grid";
    }
    return "?";
}

Control::Control(ControlRegistry& owner, std::string name, ControlKind kind)
    : name_(std::move(name)), kind_(kind) {
    owner.add(*this);
}

// ---- ListBox

ListBox::ListBox(ControlRegistry& owner, std::string name) : Control(owner, std::move(name), ControlKind::List) {}

std::string ListBox::text() const {
    return itemIndex_ >= 0 && itemIndex_ < count() ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

int ListBox::indexOf(const std::string& item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void ListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
}

void ListBox::replaceItems(std::vector<std::string> items) {
    const int kept = itemIndex_;
    setItems(std::move(items));
    setItemIndex(kept);
}

void ListBox::addItem(std::string item) { items_.push_back(std::move(item)); }

void ListBox::clear() {
    items_.clear();
    itemIndex_ = -1;
}

void ListBox::setItemIndex(int index) { itemIndex_ = index >= 0 && index < count() ? index : -1; }

void ListBox::userSelect(int index) {
    // A pick of the item already selected changes nothing and is no edit.
    if (index < 0 || index >= count() || index == itemIndex_) return;
    itemIndex_ = index;
    run(onChange);
}

// ---- CheckBox

CheckBox::CheckBox(ControlRegistry& owner, std::string name, std::string caption)
    : Control(owner, std::move(name), ControlKind::CheckBox) {
    setCaption(std::move(caption));
}

void CheckBox::setChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    run(onClick);
}

void CheckBox::userClick() { setChecked(!checked_); }

// ---- RadioButton

RadioButton::RadioButton(ControlRegistry& owner, std::string name, int group, std::string caption)
    : Control(owner, std::move(name), ControlKind::RadioButton), owner_(owner), group_(group) {
    setCaption(std::move(caption));
}

void RadioButton::setChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    if (value) {
        owner_.uncheckSiblings(*this);
        run(onClick);
    }
}

// ---- ScrollBar

ScrollBar::ScrollBar(ControlRegistry& owner, std::string name, int min, int max, int largeStep, int position)
    : Control(owner, std::move(name), ControlKind::ScrollBar),
      min_(min),
      max_(max),
      largeStep_(largeStep),
      position_(std::clamp(position, min, max)) {}

void ScrollBar::setPosition(int value) {
    value = std::clamp(value, min_, max_);
    if (value == position_) return;
    position_ = value;
    run(onChange);
}

void ScrollBar::setMin(int value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    setPosition(position_);
}

void ScrollBar::setMax(int value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    setPosition(position_);
}

// ---- Edit

Edit::Edit(ControlRegistry& owner, std::string name, int maxLength, std::string text)
    : Control(owner, std::move(name), ControlKind::Edit), text_(std::move(text)), maxLength_(maxLength) {}

void Edit::setText(std::string value) {
    if (value == text_) return;
    text_ = std::move(value);
    run(onChange);
}

void Edit::userSetText(std::string value) {
    if (maxLength_ > 0 && value.size() > static_cast<std::size_t>(maxLength_)) value.resize(static_cast<std::size_t>(maxLength_));
    setText(std::move(value));
}

void Edit::userExit() { run(onExit); }

// ---- simple controls

Label::Label(ControlRegistry& owner, std::string name, std::string caption)
    : Control(owner, std::move(name), ControlKind::Label) {
    setCaption(std::move(caption));
}

Button::Button(ControlRegistry& owner, std::string name, std::string caption)
    : Control(owner, std::move(name), ControlKind::Button) {
    setCaption(std::move(caption));
}

void Button::userClick() {
    if (enabled() && visible()) run(onClick);
}

GroupBox::GroupBox(ControlRegistry& owner, std::string name, std::string caption)
    : Container(owner, std::move(name), ControlKind::GroupBox) {
    setCaption(std::move(caption));
}

Panel::Panel(ControlRegistry& owner, std::string name) : Container(owner, std::move(name), ControlKind::Panel) {}

TabSheet::TabSheet(ControlRegistry& owner, std::string name, std::string caption)
    : Control(owner, std::move(name), ControlKind::TabSheet) {
    setCaption(std::move(caption));
}

MenuItem::MenuItem(ControlRegistry& owner, std::string name, std::string caption, std::string shortcut)
    : Control(owner, std::move(name), ControlKind::MenuItem), shortcut_(std::move(shortcut)) {
    setCaption(std::move(caption));
}

void MenuItem::userClick() {
    if (enabled() && visible() && !separator()) run(onClick);
}

Image::Image(ControlRegistry& owner, std::string name) : Control(owner, std::move(name), ControlKind::Image) {}

Memo::Memo(ControlRegistry& owner, std::string name, std::vector<std::string> lines)
    : Control(owner, std::move(name), ControlKind::Memo), lines_(std::move(lines)) {}

Grid::Grid(ControlRegistry& owner, std::string name, std::vector<std::string> columns)
    : Control(owner, std::move(name), ControlKind::Grid), columns_(std::move(columns)) {}

void Grid::userSelectRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || row == row_) return;
    row_ = row;
    run(onChange);
}

ProgressBar::ProgressBar(ControlRegistry& owner, std::string name)
    : Control(owner, std::move(name), ControlKind::ProgressBar) {}

Timer::Timer(ControlRegistry& owner, std::string name, int intervalMs, bool enabled)
    : Control(owner, std::move(name), ControlKind::Timer), interval_(intervalMs) {
    setEnabled(enabled);
}

void Timer::fire() {
    if (enabled()) run(onTimer);
}

// ---- state

ControlState Control::state() const {
    ControlState s;
    s.enabled = enabled_;
    s.visible = visible_;
    s.caption = caption_;
    return s;
}

void Control::restore(const ControlState& s) {
    enabled_ = s.enabled;
    visible_ = s.visible;
    caption_ = s.caption;
}

ControlState ListBox::state() const {
    ControlState s = Control::state();
    s.value = itemIndex_;
    s.items = items_;
    return s;
}

void ListBox::restore(const ControlState& s) {
    Control::restore(s);
    if (s.items) items_ = *s.items;
    itemIndex_ = s.value >= 0 && s.value < count() ? s.value : -1;
}

ControlState CheckBox::state() const {
    ControlState s = Control::state();
    s.value = checked_ ? 1 : 0;
    return s;
}

void CheckBox::restore(const ControlState& s) {
    Control::restore(s);
    checked_ = s.value != 0;
}

ControlState RadioButton::state() const {
    ControlState s = Control::state();
    s.value = checked_ ? 1 : 0;
    return s;
}

void RadioButton::restore(const ControlState& s) {
    Control::restore(s);
    checked_ = s.value != 0;
}

ControlState ScrollBar::state() const {
    ControlState s = Control::state();
    s.value = position_;
    s.min = min_;
    s.max = max_;
    return s;
}

void ScrollBar::restore(const ControlState& s) {
    Control::restore(s);
    min_ = s.min;
    max_ = s.max;
    position_ = s.value;
}

ControlState Edit::state() const {
    ControlState s = Control::state();
    s.text = text_;
    s.color = color_;
    s.fontColor = fontColor_;
    s.readOnly = readOnly_;
    return s;
}

void Edit::restore(const ControlState& s) {
    Control::restore(s);
    text_ = s.text;
    color_ = s.color;
    fontColor_ = s.fontColor;
    readOnly_ = s.readOnly;
}

ControlState Container::state() const {
    ControlState s = Control::state();
    s.height = height_;
    return s;
}

void Container::restore(const ControlState& s) {
    Control::restore(s);
    height_ = s.height;
}

ControlState Image::state() const {
    ControlState s = Control::state();
    s.text = pictureFile_;
    return s;
}

void Image::restore(const ControlState& s) {
    Control::restore(s);
    pictureFile_ = s.text;
}

ControlState Memo::state() const {
    ControlState s = Control::state();
    s.items = lines_;
    s.color = color_;
    s.fontColor = fontColor_;
    return s;
}

void Memo::restore(const ControlState& s) {
    Control::restore(s);
    if (s.items) lines_ = *s.items;
    color_ = s.color;
    fontColor_ = s.fontColor;
}

ControlState Grid::state() const {
    ControlState s = Control::state();
    s.rows = rows_;
    s.value = row_;
    return s;
}

void Grid::restore(const ControlState& s) {
    Control::restore(s);
    rows_ = s.rows;
    row_ = s.value;
}

ControlState ProgressBar::state() const {
    ControlState s = Control::state();
    s.value = position_;
    s.min = min_;
    s.max = max_;
    s.step = step_;
    return s;
}

void ProgressBar::restore(const ControlState& s) {
    Control::restore(s);
    position_ = s.value;
    min_ = s.min;
    max_ = s.max;
    step_ = s.step;
}

ControlState Timer::state() const {
    ControlState s = Control::state();
    s.step = interval_;
    return s;
}

void Timer::restore(const ControlState& s) {
    Control::restore(s);
    interval_ = s.step;
}

// ---- ControlRegistry

void ControlRegistry::add(Control& control) {
    if (find(control.name()) != nullptr) throw std::logic_error("duplicate control name " + control.name());
    controls_.push_back(&control);
    byName_.emplace(control.name(), &control);
}

Control* ControlRegistry::find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

void ControlRegistry::uncheckSiblings(const RadioButton& checked) {
    for (Control* c : controls_) {
        if (c == &checked || c->kind() != ControlKind::RadioButton) continue;
        auto* rb = static_cast<RadioButton*>(c);
        if (rb->group() == checked.group()) rb->setChecked(false);
    }
}

}  // namespace tavro
