// Undo and Redo of the main window's steps, on the shipped default setup:
// every setting's edit taken back and brought back byte for byte in the
// setup file and the parameter image, the ChangedMask after Undo, the runs
// of a scroll bar and a text field, and the step names.
#include <fstream>
#include <random>
#include <set>

#include "MainFixture.h"
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "forms/RegisterMap.h"
#include "forms/SetupFile.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// What a step must give back exactly: the setup as a file and as an image.
struct Saved {
    std::string file;
    ParameterImage image;
    bool operator==(const Saved&) const = default;
};

class History : public MainFixture {
public:
    using MainFixture::m;
    EditHistory::Clock::time_point clock{};

    void SetUp() override {
        startShownOnShippedDefault();
        m().History.now = [this] { return clock; };
        m().Opts.ConfirmDiscard = 0;
    }

    Saved saved() {
        BuildImage(m());
        return {FormatSetupText(m()), m().ParameterImage};
    }

    // One user edit of a control that changes its value, through the
    // window's user action; false when the control offers no other value.
    bool edit(Control& c, int choice = 1) {
        TTavroSetupMain& w = m();
        switch (c.kind()) {
            case ControlKind::List: {
                auto& l = static_cast<ListBox&>(c);
                if (l.count() < 2) return false;
                const int to = (l.itemIndex() + choice) % l.count();
                w.userEdit(c, [&] { l.userSelect(to < 0 ? 0 : to); });
                return true;
            }
            case ControlKind::CheckBox: w.userEdit(c, [&] { static_cast<CheckBox&>(c).userClick(); }); return true;
            case ControlKind::RadioButton:
                if (static_cast<RadioButton&>(c).checked()) return false;
                w.userEdit(c, [&] { static_cast<RadioButton&>(c).userClick(); });
                return true;
            case ControlKind::ScrollBar: {
                auto& b = static_cast<ScrollBar&>(c);
                const int span = b.max() - b.min() + 1;
                const int to = b.min() + (b.position() - b.min() + choice) % span;
                w.userEdit(c, [&] { b.userSetPosition(to); });
                clock += std::chrono::seconds(2);
                return true;
            }
            case ControlKind::Edit: {
                auto& e = static_cast<Edit&>(c);
                std::string text = e.text();
                if (text.empty()) text = " ";
                text[0] = text[0] == 'Q' ? 'R' : 'Q';
                w.userEdit(c, [&] { e.userSetText(text); });
                w.userEdit(
                    c, [&] { e.userExit(); }, true);
                return true;
            }
            default: return false;
        }
    }

    // The owners of the register map's rows: each control once, and of a
    // radio row every button.
    std::vector<Control*> owners() {
        std::vector<Control*> out;
        std::set<Control*> seen;
        for (const RegisterRow& row : registerMap()) {
            std::vector<Control*> cs;
            if (row.owner != nullptr) cs.push_back(&row.owner(m()));
            for (const RadioCode& r : row.radios) cs.push_back(&r.button(m()));
            for (Control* c : cs)
                if (seen.insert(c).second) out.push_back(c);
        }
        return out;
    }

    std::set<int> marked() const {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (program->main().ChangedMask[static_cast<std::size_t>(i)]) s.insert(i);
        return s;
    }

    static std::set<int> differing(const ParameterImage& a, const ParameterImage& b) {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (a[static_cast<std::size_t>(i)].Value != b[static_cast<std::size_t>(i)].Value) s.insert(i);
        return s;
    }

    // Opens source n's dialog, lets `user` act in it and closes it with OK.
    void sourceDialog(int n, const std::function<void(TFormSource&)>& user) {
        TFormSource& d = *m().dialogs()->FormSource;
        host.onModal = [&](Form&) {
            user(d);
            d.ButtonSourceOk.userClick();
            return d.modalResult();
        };
        Button& b = *m().sourceButtons()[static_cast<std::size_t>(n - 1)];
        m().userEdit(b, [&] { b.userClick(); });
    }
    void presetDialog(int n, const std::function<void(TFormPreset&)>& user) {
        TFormPreset& d = *m().dialogs()->FormPreset;
        host.onModal = [&](Form&) {
            user(d);
            d.ButtonPresetOk.userClick();
            return d.modalResult();
        };
        Button& b = *m().presetPanel(n).button;
        m().userEdit(b, [&] { b.userClick(); });
    }

    // Presses a button of the window that opens dialog d, lets `user` act
    // in it and closes it with its OK button.
    void dialog(Button& opener, Form& d, Button& ok, const std::function<void()>& user) {
        host.onModal = [&](Form&) {
            user();
            ok.userClick();
            return d.modalResult();
        };
        m().userEdit(opener, [&] { opener.userClick(); });
    }

    // Writes the window's setup with a change into a file of the working
    // folder; the caller takes the change back from the window.
    std::string writeSetup(const std::string& name, const std::function<void(TTavroSetupMain&)>& change) {
        const std::string path = workDir + "/" + name;
        change(m());
        std::ofstream(path, std::ios::binary) << FormatSetupText(m());
        return path;
    }
};

TEST_F(History, EveryOwnedSettingIsUndoneAndRedoneExactly) {
    int tried = 0;
    for (Control* c : owners()) {
        SCOPED_TRACE(c->name());
        const Saved before = saved();
        const std::size_t steps = m().History.undoCount();
        if (!edit(*c)) continue;
        const Saved after = saved();
        if (after == before) continue;
        ++tried;
        ASSERT_EQ(m().History.undoCount(), steps + 1);
        m().ClearChangedMask();
        m().EditUndo.userClick();
        EXPECT_EQ(saved(), before);
        EXPECT_EQ(marked(), differing(after.image, before.image));
        EXPECT_TRUE(m().FileSave.enabled());
        EXPECT_TRUE(m().WriteChangedSettings.enabled());
        m().EditRedo.userClick();
        EXPECT_EQ(saved(), after);
    }
    EXPECT_GT(tried, 60);
}

TEST_F(History, DialogsClosedWithOkAreOneStepEach) {
    struct Case {
        const char* name;
        std::function<void(History&)> step;
    };
    const Case cases[] = {
        {"Source 3 Settings",
         [](History& t) {
             t.sourceDialog(3, [](TFormSource& d) {
                 d.EditSourceName.userSetText("Tuner");
                 d.CBSensitivity.userSelect((d.CBSensitivity.itemIndex() + 1) % d.CBSensitivity.count());
             });
         }},
        {"Preset 2 Settings",
         [](History& t) {
             t.presetDialog(2, [](TFormPreset& d) {
                 d.CBPresetBass.userSelect((d.CBPresetBass.itemIndex() + 3) % d.CBPresetBass.count());
             });
         }},
        {"",  // the channel 9/10 dialog, named by its title
         [](History& t) {
             TFormCh9_10& d = *t.m().dialogs()->FormCh9_10;
             t.dialog(t.m().ButtonCh9MixFilter, d, d.ButtonMixFilterOk, [&] {
                 d.SBMixCenter.userSetPosition(d.SBMixCenter.position() + 10);
                 d.RBLowpassFilter1.userClick();
             });
         }},
        {"",
         [](History& t) {
             TFormDPLII& d = *t.m().dialogs()->FormDPLII;
             t.dialog(t.m().ButtonDPLII, d, d.ButtonDPLIIOk, [&] {
                 d.SBWidth.userSetPosition(d.SBWidth.position() == 3 ? 4 : 3);
                 (d.RBPanoramaOn.checked() ? d.RBPanoramaOff : d.RBPanoramaOn).userClick();
             });
         }},
        {"",
         [](History& t) {
             TFormTHXUltra2& d = *t.m().dialogs()->FormTHXUltra2;
             t.dialog(t.m().ButtonTHXUltra, d, d.Ultra2Ok, [&] {
                 (d.RBASAApart.checked() ? d.RBASAClose : d.RBASAApart).userClick();
                 d.CheckBoxBassLimiter.userClick();
             });
         }},
    };
    const Form* titled[] = {nullptr, nullptr, m().dialogs()->FormCh9_10.get(), m().dialogs()->FormDPLII.get(),
                            m().dialogs()->FormTHXUltra2.get()};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const Saved before = saved();
        c.step(*this);
        const Saved after = saved();
        ASSERT_NE(after, before);
        const std::string name = titled[i] ? titled[i]->caption() : c.name;
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(m().History.undoName(), name);
        // In the menu a "&" of the title stands for itself.
        std::string shown;
        for (char ch : name) shown += ch == '&' ? std::string("&&") : std::string(1, ch);
        EXPECT_EQ(m().EditUndo.caption(), "&Undo " + shown);
        m().ClearChangedMask();
        m().EditUndo.userClick();
        EXPECT_EQ(saved(), before);
        EXPECT_EQ(marked(), differing(after.image, before.image));
        EXPECT_EQ(m().EditRedo.caption(), "&Redo " + shown);
        m().EditRedo.userClick();
        EXPECT_EQ(saved(), after);
    }
}

TEST_F(History, ADialogClosedWithCancelOrAPickOfTheSameItemIsNoStep) {
    Button& b = *m().sourceButtons()[0];
    host.onModal = [](Form&) { return ModalResult::Cancel; };
    m().userEdit(b, [&] { b.userClick(); });
    m().userEdit(m().CBCenterL, [&] { m().CBCenterL.userSelect(m().CBCenterL.itemIndex()); });
    EXPECT_FALSE(m().History.canUndo());
    EXPECT_FALSE(m().EditUndo.enabled());
    EXPECT_EQ(m().EditUndo.caption(), "&Undo");
}

TEST_F(History, UndoOfOpenRestoresTheFileNameAndTitle) {
    const std::string path = writeSetup("customer.sfg", [](TTavroSetupMain& w) { w.Sources[0].Name = "Tuner"; });
    // The window keeps its own setup; the file differs in the first source's name.
    m().Sources[0].Name = defaultSourceName(1);
    const Saved before = saved();
    const std::string title = m().caption();
    const std::string name = m().CurrentFileName;
    host.openAnswers.push_back(path);
    m().userEdit(m().FileOpen, [&] { m().FileOpen.userClick(); });
    ASSERT_EQ(m().CurrentFileName, path);
    EXPECT_EQ(m().History.undoName(), "Open customer.sfg");
    m().EditUndo.userClick();
    EXPECT_EQ(m().CurrentFileName, name);
    EXPECT_EQ(m().caption(), title);
    EXPECT_EQ(saved(), before);
    EXPECT_TRUE(m().FileSave.enabled());
    m().EditRedo.userClick();
    EXPECT_EQ(m().CurrentFileName, path);
}

TEST_F(History, AScrollBarRunWithinASecondIsOneStep) {
    ScrollBar& bar = m().SBBass;
    const int start = bar.position();
    const std::string label = m().LabelBass.caption();
    m().userEdit(bar, [&] { bar.userSetPosition(start + 1); });
    clock += std::chrono::milliseconds(600);
    m().userEdit(bar, [&] { bar.userSetPosition(start + 2); });
    clock += std::chrono::milliseconds(900);
    m().userEdit(bar, [&] { bar.userSetPosition(start + 3); });
    EXPECT_EQ(m().History.undoCount(), 1u);
    clock += std::chrono::milliseconds(1500);
    m().userEdit(bar, [&] { bar.userSetPosition(start + 4); });
    EXPECT_EQ(m().History.undoCount(), 2u);
    m().EditUndo.userClick();
    EXPECT_EQ(bar.position(), start + 3);
    m().EditUndo.userClick();
    EXPECT_EQ(bar.position(), start);
    EXPECT_EQ(m().LabelBass.caption(), label);
}

TEST_F(History, ATextFieldIsOneStepFromItsFirstChangeToLeavingIt) {
    Edit& e = m().EditWelcome1;
    const std::string start = e.text();
    for (const char* text : {"A", "AB", "ABC"}) m().userEdit(e, [&] { e.userSetText(text); });
    m().userEdit(
        e, [&] { e.userExit(); }, true);
    EXPECT_EQ(m().History.undoCount(), 1u);
    const std::string typed = e.text();
    m().EditUndo.userClick();
    EXPECT_EQ(e.text(), start);
    m().EditRedo.userClick();
    EXPECT_EQ(e.text(), typed);
    // Typing back to the start text is no step.
    m().userEdit(e, [&] { e.userSetText("X"); });
    m().userEdit(e, [&] { e.userSetText(typed); });
    m().userEdit(
        e, [&] { e.userExit(); }, true);
    EXPECT_EQ(m().History.undoCount(), 1u);
}

TEST_F(History, ANewStepDropsTheRedoSteps) {
    edit(m().CBCenterL);
    edit(m().CheckBoxSkipWelcome);
    m().EditUndo.userClick();
    EXPECT_TRUE(m().History.canRedo());
    edit(m().SBTreble);
    EXPECT_FALSE(m().History.canRedo());
    EXPECT_FALSE(m().EditRedo.enabled());
    EXPECT_EQ(m().History.steps().size(), 2u);
    EXPECT_EQ(m().History.steps()[0].name, settingName(registerRow(12).entry));
}

TEST_F(History, NewAndOpenAreNamedSteps) {
    edit(m().CBCenterL);
    m().userEdit(m().FileNew, [&] { m().FileNew.userClick(); });
    EXPECT_EQ(m().History.undoName(), "New");
    EXPECT_EQ(m().EditUndo.caption(), "&Undo New");
}

TEST_F(History, TwoHundredRandomEditsAreUndoneToTheStartAndRedoneToTheEnd) {
    const std::string other = writeSetup("other.sfg", [](TTavroSetupMain& w) { w.Sources[1].Name = "Disc"; });
    m().Sources[1].Name = defaultSourceName(2);
    std::vector<Control*> controls;
    for (Control* c : owners())
        if (c->kind() != ControlKind::Edit) controls.push_back(c);
    std::mt19937 random(23);
    const Saved start = saved();
    const std::string startName = m().CurrentFileName;
    for (int i = 0; i < 200; ++i) {
        const unsigned what = random() % 20;
        if (what < 2 && m().FileSave.enabled() && m().Opts.ConfirmDiscard == 1) host.answers.push_back(true);
        if (what == 0) {
            m().userEdit(m().FileNew, [&] { m().FileNew.userClick(); });
        } else if (what == 1) {
            host.openAnswers.push_back(other);
            m().userEdit(m().FileOpen, [&] { m().FileOpen.userClick(); });
        } else if (what == 2) {
            const int n = static_cast<int>(random() % 4) + 1;
            const int pick = static_cast<int>(random() % 7);
            sourceDialog(n, [&](TFormSource& d) {
                d.CBSensitivity.userSelect(pick % d.CBSensitivity.count());
                d.EditSourceName.userSetText("S" + std::to_string(pick));
            });
        } else {
            Control* c = controls[random() % controls.size()];
            if (c->enabled()) edit(*c, static_cast<int>(random() % 5) + 1);
        }
    }
    const Saved end = saved();
    const std::string endName = m().CurrentFileName;
    ASSERT_GT(m().History.undoCount(), 100u);
    std::size_t largest = 0;
    for (const HistoryStep& s : m().History.steps()) largest = std::max(largest, s.memoryUse());
    EXPECT_LT(largest, 64u * 1024u);
    while (m().History.canUndo()) m().EditUndo.userClick();
    EXPECT_EQ(saved(), start);
    EXPECT_EQ(m().CurrentFileName, startName);
    while (m().History.canRedo()) m().EditRedo.userClick();
    EXPECT_EQ(saved(), end);
    EXPECT_EQ(m().CurrentFileName, endName);
}

}  // namespace
