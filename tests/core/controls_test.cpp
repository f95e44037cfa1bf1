#include <gtest/gtest.h>

#include "controls/Controls.h"

using namespace tavro;

namespace {

struct Counted {
    int runs = 0;
    Rule rule() {
        return [this] { ++runs; };
    }
};

class ControlsTest : public ::testing::Test {
protected:
    ControlRegistry form;
    Counted counter;
};

}  // namespace

TEST_F(ControlsTest, ListProgramSelectionRunsNothingButUserPickDoes) {
    ListBox list(form, "CBTest");
    list.setItems({"No", "Small", "Large"});
    list.onChange = counter.rule();

    list.setItemIndex(2);
    EXPECT_EQ(list.itemIndex(), 2);
    EXPECT_EQ(list.text(), "Large");
    EXPECT_EQ(counter.runs, 0);

    list.userSelect(1);
    EXPECT_EQ(list.itemIndex(), 1);
    EXPECT_EQ(counter.runs, 1);

    // A pick of the item already selected (the view reports re-picks) is
    // not a change either.
    list.userSelect(1);
    EXPECT_EQ(counter.runs, 1);

    // Out-of-range picks are not picks; out-of-range program indexes select nothing.
    list.userSelect(7);
    EXPECT_EQ(counter.runs, 1);
    list.setItemIndex(3);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(list.text(), "");
}

TEST_F(ControlsTest, ReplacingListItemsDropsTheSelection) {
    ListBox list(form, "CBTest");
    list.setItems({"a", "b"});
    list.setItemIndex(1);
    list.setItems({"c", "d", "e"});
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(list.count(), 3);
}

TEST_F(ControlsTest, CheckBoxRunsItsRuleOnlyWhenTheStateChanges) {
    CheckBox box(form, "CheckBoxTest", "Caption");
    box.onClick = counter.rule();
    box.setChecked(false);
    EXPECT_EQ(counter.runs, 0);
    box.setChecked(true);
    EXPECT_EQ(counter.runs, 1);
    box.setChecked(true);
    EXPECT_EQ(counter.runs, 1);
    box.userClick();
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(counter.runs, 2);
}

TEST_F(ControlsTest, RadioButtonsAreExclusiveWithinTheirGroupOnly) {
    RadioButton a(form, "RBa", 1), b(form, "RBb", 1), other(form, "RBother", 2);
    Counted ca, cb;
    a.onClick = ca.rule();
    b.onClick = cb.rule();
    other.setChecked(true);

    a.setChecked(true);
    EXPECT_EQ(ca.runs, 1);
    b.userClick();
    EXPECT_TRUE(b.checked());
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(other.checked());
    // The button that loses its check runs nothing.
    EXPECT_EQ(ca.runs, 1);
    EXPECT_EQ(cb.runs, 1);
    // Clicking the checked button changes nothing.
    b.userClick();
    EXPECT_EQ(cb.runs, 1);
    // Unchecking from code runs nothing.
    b.setChecked(false);
    EXPECT_EQ(cb.runs, 1);
    EXPECT_FALSE(b.checked());
}

TEST_F(ControlsTest, ScrollBarClampsAndRunsItsRuleOnMovesOnly) {
    ScrollBar bar(form, "SBTest", -70, 0, 5, -30);
    bar.onChange = counter.rule();

    struct Case {
        int set;
        int expected;
        int runs;
    };
    const Case cases[] = {
        {-30, -30, 0},  // equal: nothing
        {-10, -10, 1},
        {25, 0, 2},     // clamped to the top
        {5, 0, 2},      // clamped to the current position: nothing
        {-200, -70, 3}, // clamped to the bottom
    };
    for (const Case& c : cases) {
        bar.setPosition(c.set);
        EXPECT_EQ(bar.position(), c.expected) << "set " << c.set;
        EXPECT_EQ(counter.runs, c.runs) << "set " << c.set;
    }

    // Raising the maximum keeps the position; lowering it below clamps.
    bar.setPosition(0);
    bar.setMax(28);
    EXPECT_EQ(bar.position(), 0);
    bar.setPosition(28);
    int before = counter.runs;
    bar.setMax(10);
    EXPECT_EQ(bar.position(), 10);
    EXPECT_EQ(counter.runs, before + 1);
}

TEST_F(ControlsTest, EditRunsItsRuleOnChangedTextAndCutsTypingToItsLength) {
    Edit edit(form, "EditTest", 5, "abc");
    Counted exits;
    edit.onChange = counter.rule();
    edit.onExit = exits.rule();

    edit.setText("abc");
    EXPECT_EQ(counter.runs, 0);
    edit.setText("a longer text");  // program texts are taken as given
    EXPECT_EQ(edit.text(), "a longer text");
    EXPECT_EQ(counter.runs, 1);
    edit.userSetText("1234567");
    EXPECT_EQ(edit.text(), "12345");
    EXPECT_EQ(counter.runs, 2);
    edit.userExit();
    EXPECT_EQ(exits.runs, 1);
}

TEST_F(ControlsTest, DisabledButtonsAndMenuItemsAndSeparatorsIgnoreClicks) {
    Button button(form, "ButtonTest", "Go");
    MenuItem item(form, "MenuTest", "&Go", "F5");
    MenuItem separator(form, "Sep", "-");
    Counted cb, ci, cs;
    button.onClick = cb.rule();
    item.onClick = ci.rule();
    separator.onClick = cs.rule();

    button.setEnabled(false);
    item.setEnabled(false);
    button.userClick();
    item.userClick();
    separator.userClick();
    EXPECT_EQ(cb.runs + ci.runs + cs.runs, 0);
    EXPECT_TRUE(separator.separator());

    button.setEnabled(true);
    item.setEnabled(true);
    button.userClick();
    item.userClick();
    EXPECT_EQ(cb.runs, 1);
    EXPECT_EQ(ci.runs, 1);
    EXPECT_EQ(item.shortcut(), "F5");
}

TEST_F(ControlsTest, TimerFiresOnlyWhileEnabled) {
    Timer timer(form, "TimerTest", 20);
    timer.onTimer = counter.rule();
    timer.fire();
    EXPECT_EQ(counter.runs, 0);
    timer.setEnabled(true);
    timer.fire();
    EXPECT_EQ(counter.runs, 1);
    EXPECT_EQ(timer.interval(), 20);
}

TEST_F(ControlsTest, RegistryFindsControlsByNameAndRefusesDuplicates) {
    ListBox list(form, "CBOne");
    CheckBox box(form, "CheckBoxOne");
    EXPECT_EQ(form.find("CBOne"), &list);
    EXPECT_EQ(form.findAs<CheckBox>("CheckBoxOne"), &box);
    EXPECT_EQ(form.findAs<CheckBox>("CBOne"), nullptr);
    EXPECT_EQ(form.find("Missing"), nullptr);
    EXPECT_THROW(Label(form, "CBOne"), std::logic_error);
}
