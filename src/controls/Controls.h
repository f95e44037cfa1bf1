// Headless controls with the change semantics the window rules rely on.
//
// A program change and a user action differ only in one place: setting a
// list's item index from code runs nothing, while a user's pick in a list
// runs the list's change rule. Everywhere else a change of value runs the
// control's rule (check box click, radio click when it becomes checked,
// scroll bar change, edit change), and setting a value equal to the current
// one runs nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavro {

class ControlRegistry;

enum class ControlKind {
    List,
    CheckBox,
    RadioButton,
    ScrollBar,
    Edit,
    Label,
    Button,
    GroupBox,
    TabSheet,
    MenuItem,
    Image,
    Memo,
    Panel,
    ProgressBar,
    Timer,
    Grid,
};

const char* controlKindName(ControlKind kind);

using Rule = std::function<void()>;

// An RGB colour as 0xRRGGBB; NoColor leaves the platform's own colour.
using Rgb = std::int32_t;
inline constexpr Rgb NoColor = -1;

// Everything a control shows, as one value: what the edit history keeps of
// a control before and after a step. Each kind uses the fields it has; the
// item list is optional so that a step keeps the items of a list only when
// they changed.
struct ControlState {
    bool enabled = true;
    bool visible = true;
    std::string caption;
    int value = 0;  // item index, check state, position, current row
    int min = 0;
    int max = 0;
    int step = 0;                                   // a progress bar's step, a timer's interval
    std::string text;                               // an edit's text, an image's picture file
    std::optional<std::vector<std::string>> items;  // list items, memo lines
    std::vector<std::vector<std::string>> rows;     // a grid's cells
    std::int32_t color = -1;
    std::int32_t fontColor = -1;
    int height = -1;
    bool readOnly = false;

    bool operator==(const ControlState&) const = default;
};

class Control {
public:
    Control(ControlRegistry& owner, std::string name, ControlKind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    bool visible() const { return visible_; }
    void setVisible(bool value) { visible_ = value; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string value) { caption_ = std::move(value); }

    // The control's whole state, and putting a state back without running
    // any rule (a radio button's siblings are left as they are). A state
    // without items keeps the items the control has.
    virtual ControlState state() const;
    virtual void restore(const ControlState& s);

private:
    std::string name_;
    ControlKind kind_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string caption_;
};

// Drop-down list from which exactly one item is chosen (or none: index -1).
class ListBox : public Control {
public:
    ListBox(ControlRegistry& owner, std::string name);

    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    int itemIndex() const { return itemIndex_; }
    // The selected item's text, empty when nothing is selected.
    std::string text() const;
    int indexOf(const std::string& item) const;

    // Replaces the items; the selection is lost (index -1) as with any list
    // whose contents are replaced. Callers that keep a selection restore it.
    void setItems(std::vector<std::string> items);
    // Replaces the items and selects the same index again when it still
    // exists (nothing otherwise); runs no rule.
    void replaceItems(std::vector<std::string> items);
    void addItem(std::string item);
    void clear();
    // Program selection: runs no rule. Out-of-range indexes select nothing.
    void setItemIndex(int index);
    // A user's pick: selects and runs the change rule; picking the item
    // already selected runs nothing.
    void userSelect(int index);

    Rule onChange;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

class CheckBox : public Control {
public:
    CheckBox(ControlRegistry& owner, std::string name, std::string caption = {});

    bool checked() const { return checked_; }
    // Runs the click rule when the state changes.
    void setChecked(bool value);
    // A user's click toggles the state and runs the rule.
    void userClick();

    Rule onClick;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    bool checked_ = false;
};

class RadioButton : public Control {
public:
    // Buttons sharing a group number within one registry are exclusive.
    RadioButton(ControlRegistry& owner, std::string name, int group, std::string caption = {});

    int group() const { return group_; }
    bool checked() const { return checked_; }
    // Checking unchecks the rest of the group and runs this button's rule;
    // unchecking runs nothing. Equal values run nothing.
    void setChecked(bool value);
    // A user's click checks the button (nothing happens if already checked).
    void userClick() { setChecked(true); }

    Rule onClick;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    ControlRegistry& owner_;
    int group_;
    bool checked_ = false;
};

class ScrollBar : public Control {
public:
    ScrollBar(ControlRegistry& owner, std::string name, int min, int max, int largeStep, int position);

    int min() const { return min_; }
    int max() const { return max_; }
    int largeStep() const { return largeStep_; }
    int position() const { return position_; }

    // Clamps to the range, then runs the change rule if the position moved.
    void setPosition(int value);
    // Changing a bound clamps the position into the new range.
    void setMin(int value);
    void setMax(int value);
    void userSetPosition(int value) { setPosition(value); }

    Rule onChange;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    int min_;
    int max_;
    int largeStep_;
    int position_;
};

class Edit : public Control {
public:
    Edit(ControlRegistry& owner, std::string name, int maxLength = 0, std::string text = {});

    const std::string& text() const { return text_; }
    // 0 means unlimited. Limits typing only, as program texts are set as given.
    int maxLength() const { return maxLength_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool value) { readOnly_ = value; }

    // Runs the change rule when the text differs.
    void setText(std::string value);
    // Typing: cut to the maximum length, then as setText.
    void userSetText(std::string value);
    // The edit loses the focus.
    void userExit();

    Rgb color() const { return color_; }
    void setColor(Rgb value) { color_ = value; }
    Rgb fontColor() const { return fontColor_; }
    void setFontColor(Rgb value) { fontColor_ = value; }

    Rule onChange;
    Rule onExit;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    std::string text_;
    int maxLength_;
    bool readOnly_ = false;
    Rgb color_ = NoColor;
    Rgb fontColor_ = NoColor;
};

class Label : public Control {
public:
    Label(ControlRegistry& owner, std::string name, std::string caption = {});
};

class Button : public Control {
public:
    Button(ControlRegistry& owner, std::string name, std::string caption = {});
    void userClick();
    Rule onClick;
};

// A control that holds others (group box, panel) and whose height the rules
// may set; FormHeight keeps the height the form gives it.
inline constexpr int FormHeight = -1;

class Container : public Control {
public:
    using Control::Control;

    int height() const { return height_; }
    void setHeight(int value) { height_ = value; }

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    int height_ = FormHeight;
};

class GroupBox : public Container {
public:
    GroupBox(ControlRegistry& owner, std::string name, std::string caption = {});
};

class Panel : public Container {
public:
    Panel(ControlRegistry& owner, std::string name);
};

// A page of the tab control; visible() says whether its tab is shown.
class TabSheet : public Control {
public:
    TabSheet(ControlRegistry& owner, std::string name, std::string caption);
};

class MenuItem : public Control {
public:
    MenuItem(ControlRegistry& owner, std::string name, std::string caption, std::string shortcut = {});

    const std::string& shortcut() const { return shortcut_; }
    bool separator() const { return caption() == "-"; }
    void userClick();

    Rule onClick;

private:
    std::string shortcut_;
};

class Image : public Control {
public:
    Image(ControlRegistry& owner, std::string name);

    // The picture file shown, empty when the image holds no picture.
    const std::string& pictureFile() const { return pictureFile_; }
    void setPictureFile(std::string value) { pictureFile_ = std::move(value); }

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    std::string pictureFile_;
};

class Memo : public Control {
public:
    Memo(ControlRegistry& owner, std::string name, std::vector<std::string> lines = {});

    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> value) { lines_ = std::move(value); }
    Rgb color() const { return color_; }
    void setColor(Rgb value) { color_ = value; }
    Rgb fontColor() const { return fontColor_; }
    void setFontColor(Rgb value) { fontColor_ = value; }

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    std::vector<std::string> lines_;
    Rgb color_ = NoColor;
    Rgb fontColor_ = NoColor;
};

// A read-only table of text: column captions and rows of cells, one row
// current (-1: none).
class Grid : public Control {
public:
    Grid(ControlRegistry& owner, std::string name, std::vector<std::string> columns = {});

    const std::vector<std::string>& columns() const { return columns_; }
    void setColumns(std::vector<std::string> value) { columns_ = std::move(value); }
    const std::vector<std::vector<std::string>>& rows() const { return rows_; }
    void setRows(std::vector<std::vector<std::string>> value) {
        rows_ = std::move(value);
        row_ = rows_.empty() ? -1 : 0;
    }
    int row() const { return row_; }
    // The user picks a row (a list of backups): the rule runs when the row
    // is another one; a row outside the grid picks nothing.
    void userSelectRow(int row);
    Rule onChange;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    std::vector<std::string> columns_;
    std::vector<std::vector<std::string>> rows_;
    int row_ = -1;
};

class ProgressBar : public Control {
public:
    ProgressBar(ControlRegistry& owner, std::string name);

    int min() const { return min_; }
    int max() const { return max_; }
    int position() const { return position_; }
    void setMin(int value) { min_ = value; }
    void setMax(int value) { max_ = value; }
    void setPosition(int value) { position_ = value; }
    int step() const { return step_; }
    void setStep(int value) { step_ = value; }
    // Advances by one step, never past the maximum.
    void stepIt() { position_ = position_ + step_ > max_ ? max_ : position_ + step_; }

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
};

// A timer fires only while enabled; the view runs it in real time and the
// tests call fire() tick by tick.
class Timer : public Control {
public:
    Timer(ControlRegistry& owner, std::string name, int intervalMs, bool enabled = false);

    int interval() const { return interval_; }
    void setInterval(int value) { interval_ = value; }
    void fire();

    Rule onTimer;

    ControlState state() const override;
    void restore(const ControlState& s) override;

private:
    int interval_;
};

// Every control of one form, in creation order, by name.
class ControlRegistry {
public:
    ControlRegistry() = default;
    virtual ~ControlRegistry() = default;
    ControlRegistry(const ControlRegistry&) = delete;
    ControlRegistry& operator=(const ControlRegistry&) = delete;

    void add(Control& control);
    Control* find(const std::string& name) const;
    template <class T>
    T* findAs(const std::string& name) const {
        return dynamic_cast<T*>(find(name));
    }
    const std::vector<Control*>& controls() const { return controls_; }

    // Called by a radio button that became checked.
    void uncheckSiblings(const RadioButton& checked);

private:
    std::vector<Control*> controls_;
    std::unordered_map<std::string, Control*> byName_;
};

}  // namespace tavro
