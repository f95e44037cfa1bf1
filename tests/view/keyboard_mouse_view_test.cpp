// The main window and its message boxes used with the keyboard and the mouse
// wheel: real key and wheel events go through Qt's event delivery, as a
// person's would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "DialogViews.h"
#include "FormBinder.h"
#include "MainWindow.h"
#include "QtHost.h"
#include "RunDirectory.h"
#include "forms/Dialogs.h"
#include "forms/Program.h"

using namespace tavro;

namespace {

QWidget* focus() { return QApplication::focusWidget(); }

// One notch of the wheel (negative: towards the user) over the widget's middle.
void wheel(QWidget* w, int notches) {
    const QPointF at = QRectF(w->rect()).center();
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// The program started on the shipped default setup in a working directory
// like the one the run script prepares, its window shown and active.
class KeyboardAndWheel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.ready());
        program = std::make_unique<Program>(host);
        window = std::make_unique<qt::MainWindow>(program->main());
        host.setMainWindow(window.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();  // the show step
        ASSERT_FALSE(m().FileSave.enabled());
        tabs = window->findChild<QTabWidget*>("uiPages");
    }
    void TearDown() override {
        window.reset();
        program.reset();
    }
    TTavroSetupMain& m() { return program->main(); }
    template <class T>
    T* widget(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void showTab(const char* page) { tabs->setCurrentWidget(widget<QWidget>(page)); }

    // The controls that Tab visits on the current tab, from the tab bar
    // round to it again.
    QStringList tabChain() {
        tabs->tabBar()->setFocus(Qt::TabFocusReason);
        QStringList chain;
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            if (focus() == tabs->tabBar()) break;
            chain << focus()->objectName();
        }
        return chain;
    }

    test::RunDirectory work;
    qt::QtHost host;
    std::unique_ptr<Program> program;
    std::unique_ptr<qt::MainWindow> window;
    QTabWidget* tabs = nullptr;
};

}  // namespace

TEST_F(KeyboardAndWheel, TabReachesEveryScrollBarInReadingOrderAndTheKeysMoveIt) {
    struct Case {
        const char* page;
        QStringList inOrder;  // these, in this order, among the tab stops
    };
    const Case cases[] = {
        {"TabSheetAudio", {"SBVolume", "SBBass", "SBTreble", "SBPhones", "SBLFELevel", "CBToneBFreq", "CBAnalogBassMg"}},
        {"TabSheetSource", {"BSource1", "CBBalancedSource", "CBZoneSource", "SBZoneVolume"}},
    };
    for (const Case& c : cases) {
        showTab(c.page);
        const QStringList chain = tabChain();
        int last = -1;
        for (const QString& name : c.inOrder) {
            const int at = static_cast<int>(chain.indexOf(name));
            EXPECT_GT(at, last) << c.page << ": " << name.toStdString() << " in " << chain.join(' ').toStdString();
            last = at;
        }
    }

    // A focused scroll bar answers the arrow keys with one step and Page
    // Up/Down with the large step, as an edit.
    showTab("TabSheetAudio");
    auto* volume = widget<QScrollBar>("SBVolume");
    volume->setFocus(Qt::TabFocusReason);
    const int start = m().SBVolume.position();
    QTest::keyClick(volume, Qt::Key_Right);
    EXPECT_EQ(m().SBVolume.position(), start + 1);
    EXPECT_TRUE(m().FileSave.enabled());
    QTest::keyClick(volume, Qt::Key_PageUp);
    EXPECT_EQ(m().SBVolume.position(), start + 1 - m().SBVolume.largeStep());
    EXPECT_EQ(volume->value(), m().SBVolume.position());
}

TEST_F(KeyboardAndWheel, ARadioGroupIsOneTabStopAndTheArrowsChooseInIt) {
    showTab("TabSheetAudio");
    const QStringList reverb{"RBDry", "RBDry1", "RBWetDry2", "RBWet3", "RBWet"};
    const QStringList chain = tabChain();
    QString checked;
    for (const QString& name : reverb)
        if (widget<QRadioButton>(name.toLatin1().constData())->isChecked()) checked = name;
    ASSERT_FALSE(checked.isEmpty());
    for (const QString& name : reverb)
        EXPECT_EQ(chain.count(name), name == checked ? 1 : 0) << name.toStdString() << " in " << chain.join(' ').toStdString();

    // Down goes to the next button and chooses it, round from the last to the first.
    widget<QRadioButton>(checked.toLatin1().constData())->setFocus(Qt::TabFocusReason);
    const qsizetype at = reverb.indexOf(checked);
    const QString next = reverb[(at + 1) % reverb.size()];
    QTest::keyClick(focus(), Qt::Key_Down);
    EXPECT_EQ(focus()->objectName(), next);
    EXPECT_TRUE(widget<QRadioButton>(next.toLatin1().constData())->isChecked());
    EXPECT_TRUE(m().FileSave.enabled());
    QTest::keyClick(focus(), Qt::Key_Up);
    EXPECT_EQ(focus()->objectName(), checked);
    // The group's tab stop follows the choice.
    EXPECT_EQ(tabChain().count(checked), 1);
}

TEST_F(KeyboardAndWheel, TheWheelChangesOnlyTheFocusedControl) {
    struct Case {
        const char* page;
        const char* control;
        std::function<int()> value;
    };
    const Case cases[] = {
        {"TabSheetSpeaker", "CBCenterL", [this] { return m().CBCenterL.itemIndex(); }},
        {"TabSheetAudio", "SBBass", [this] { return m().SBBass.position(); }},
    };
    for (const Case& c : cases) {
        showTab(c.page);
        auto* control = widget<QWidget>(c.control);
        tabs->tabBar()->setFocus();
        const int start = c.value();
        wheel(control, -3);  // the pointer crosses the control
        EXPECT_EQ(c.value(), start) << c.control;
        EXPECT_FALSE(m().FileSave.enabled()) << c.control;
        EXPECT_FALSE(control->hasFocus()) << c.control;

        control->setFocus(Qt::MouseFocusReason);  // the user picked it
        wheel(control, -1);
        EXPECT_NE(c.value(), start) << c.control;
        EXPECT_TRUE(m().FileSave.enabled()) << c.control;
        m().FileSave.setEnabled(false);
        window->binder().sync();
    }
}

TEST_F(KeyboardAndWheel, CtrlTabAndCtrlPageKeysSwitchTabsFromAFocusedList) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* after;
    };
    const Case cases[] = {
        {Qt::Key_Tab, Qt::ControlModifier, "TabSheetOSD"},
        {Qt::Key_PageDown, Qt::ControlModifier, "TabSheetOSD"},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "TabSheetSource"},
        {Qt::Key_PageUp, Qt::ControlModifier, "TabSheetSource"},
    };
    for (const Case& c : cases) {
        showTab("TabSheetSpeaker");
        auto* list = widget<QComboBox>("CBCenterL");
        list->setFocus(Qt::TabFocusReason);
        const int index = list->currentIndex();
        QTest::keyClick(list, c.key, c.modifiers);
        EXPECT_EQ(tabs->currentWidget()->objectName(), c.after) << c.key;
        EXPECT_EQ(list->currentIndex(), index) << c.key;
        EXPECT_FALSE(m().FileSave.enabled()) << c.key;
    }
}

// The read-only preview of the display's colours shows, it takes no input:
// Tab passes it by.
TEST_F(KeyboardAndWheel, TabPassesTheColourPreviewBy) {
    showTab("TabSheetOSD");
    const QStringList chain = tabChain();
    EXPECT_TRUE(chain.contains("CBOSDStyle")) << chain.join(' ').toStdString();
    for (const char* preview : {"MemoSampleText", "EditSampleError"}) {
        EXPECT_FALSE(chain.contains(preview)) << preview << " in " << chain.join(' ').toStdString();
        EXPECT_EQ(widget<QWidget>(preview)->focusPolicy(), Qt::NoFocus) << preview;
    }
}

// What is typed into a message line can be taken back with Ctrl+Z, though
// every key goes through the model and back into the widget.
TEST_F(KeyboardAndWheel, CtrlZUndoesTheTypingInAMessageLine) {
    showTab("TabSheetGeneral");
    auto* line = widget<QLineEdit>("EditWelcome1");
    m().EditWelcome1.setText("Tavro");  // room for more under the length limit
    window->binder().sync();
    const QString before = line->text();
    line->setFocus(Qt::TabFocusReason);
    line->end(false);
    QTest::keyClicks(line, "Hi");
    ASSERT_EQ(line->text(), before + "Hi");
    ASSERT_EQ(QString::fromLatin1(m().EditWelcome1.text().c_str()), before + "Hi");
    EXPECT_TRUE(line->isUndoAvailable());
    QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line->text(), before);
    EXPECT_EQ(QString::fromLatin1(m().EditWelcome1.text().c_str()), before);
}

// Ctrl+Z outside a text field takes back the last step through the Edit
// menu, and Ctrl+Y or Ctrl+Shift+Z brings it back; the menu names the step.
TEST_F(KeyboardAndWheel, CtrlZUndoesAListPickAndTheRedoKeysBringItBack) {
    showTab("TabSheetSpeaker");
    auto* list = widget<QComboBox>("CBCenterL");
    auto* undo = widget<QAction>("EditUndo");
    auto* redo = widget<QAction>("EditRedo");
    EXPECT_FALSE(undo->isEnabled());
    list->setFocus(Qt::TabFocusReason);
    const int before = list->currentIndex();
    QTest::keyClick(list, Qt::Key_Down);
    const int after = list->currentIndex();
    ASSERT_NE(after, before);
    ASSERT_EQ(m().CBCenterL.itemIndex(), after);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Center level");
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list->currentIndex(), before);
    EXPECT_EQ(m().CBCenterL.itemIndex(), before);
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_EQ(redo->text(), "&Redo Center level");
    for (const QKeyCombination keys : {QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
                                       QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)}) {
        QTest::keyClick(list, keys.key(), keys.keyboardModifiers());
        EXPECT_EQ(list->currentIndex(), after);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(list->currentIndex(), before);
    }
}

// Every tooltip of every form, shown, wraps to a readable width instead of
// running across the screen on one line.
TEST_F(KeyboardAndWheel, EveryTooltipWrapsToAReadableWidth) {
    const int readable = QFontMetrics(QToolTip::font()).averageCharWidth() * 90;
    auto tipLabel = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) return w;
        return static_cast<QWidget*>(nullptr);
    };
    int tips = 0;
    auto check = [&](QWidget* root, const std::string& form) {
        for (QWidget* w : root->findChildren<QWidget*>()) {
            if (w->toolTip().isEmpty()) continue;
            ++tips;
            QToolTip::showText(w->mapToGlobal(w->rect().center()), w->toolTip(), w);
            QWidget* tip = tipLabel();
            ASSERT_NE(tip, nullptr) << form << ": " << w->objectName().toStdString();
            EXPECT_LE(tip->width(), readable) << form << ": " << w->objectName().toStdString();
            QToolTip::hideText();
        }
    };
    check(window.get(), "TavroSetupMain");
    Dialogs& d = program->dialogs();
    for (Form* form : std::initializer_list<Form*>{d.FormOptions.get(), d.FormAbout.get(), d.FormDPLII.get(),
                                                   d.FormTHXUltra2.get(), d.FormCh9_10.get(), d.FormCompare.get(),
                                                   d.FormSource.get(), d.FormPreset.get(), d.FormComm.get()}) {
        std::unique_ptr<QWidget> view = qt::createForm(form->name(), window.get());
        qt::FormBinder binder(*form, view.get());
        view->show();
        check(view.get(), form->name());
    }
    EXPECT_GT(tips, 0);
}

// The distance unit's tooltip tells what switching does to a distance, and
// its example is what the lists show.
TEST_F(KeyboardAndWheel, TheDistanceUnitTooltipSaysWhatSwitchingKeeps) {
    showTab("TabSheetSpeaker");
    const QString tip = widget<QWidget>("GBDistanceUnits")->toolTip().replace(QChar('\n'), QChar(' '));
    auto* feet = widget<QRadioButton>("RBFeet");
    auto* meters = widget<QRadioButton>("RBMeters");
    auto* left = widget<QComboBox>("CBLeftD");
    if (!feet->isChecked()) feet->click();
    m().CBLeftD.userSelect(12);
    window->binder().sync();
    const QString inFeet = left->currentText();
    meters->click();
    const QString inMeters = left->currentText();
    EXPECT_EQ(left->currentIndex(), 12);
    EXPECT_TRUE(tip.contains(inFeet + " becomes " + inMeters)) << tip.toStdString();
    EXPECT_FALSE(tip.contains("keeps the distances")) << tip.toStdString();
}

TEST_F(KeyboardAndWheel, ReturnOnAQuestionKeepsTheWork) {
    struct Case {
        const char* question;
        std::function<void()> ask;
    };
    const Case cases[] = {
        {"Exit Without Save?", [this] { window->close(); }},
        {"Discard Changes?", [this] { widget<QAction>("FileNew")->trigger(); }},
    };
    for (const Case& c : cases) {
        m().CBCenterL.userSelect(3);
        window->binder().sync();
        QString asked;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Return);
        });
        c.ask();
        EXPECT_EQ(asked, c.question);
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(window->isVisible()) << c.question;
        EXPECT_FALSE(m().closed()) << c.question;
        EXPECT_EQ(m().CBCenterL.itemIndex(), 3) << c.question;
        EXPECT_TRUE(m().FileSave.enabled()) << c.question;
    }
}

TEST(MessageBoxes, EachKindShowsItsIcon) {
    qt::QtHost host;
    struct Case {
        std::function<void()> show;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {[&] { host.showMessage("Done."); }, QMessageBox::Information},
        {[&] { host.showError("Unable to open x.sfg."); }, QMessageBox::Warning},
        {[&] { host.confirm("Discard Changes?"); }, QMessageBox::Question},
    };
    for (const Case& c : cases) {
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = box->icon();
            box->close();
        });
        c.show();
        EXPECT_EQ(seen, c.icon);
    }
}

TEST(WindowFrames, TitleBarButtonsAsEachWindowHasThem) {
    qt::QtHost host;
    Program program(host, [](TTavroSetupMain& w) { w.ReadSetupFileHook = nullptr; });
    qt::MainWindow window(program.main());
    const Qt::WindowFlags main = window.windowFlags();
    EXPECT_TRUE(main & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(main & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(main & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    struct Case {
        Form* form;
        bool buttons;
    };
    const Case cases[] = {
        {program.dialogs().FormAbout.get(), false},
        {program.dialogs().FormOptions.get(), true},
        {program.dialogs().FormSource.get(), true},
    };
    for (const Case& c : cases) {
        Qt::WindowFlags flags;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            flags = dialog->windowFlags();
            dialog->close();
        });
        qt::execDialog(*c.form, nullptr);
        EXPECT_TRUE(flags & Qt::WindowTitleHint) << c.form->name();
        EXPECT_EQ(bool(flags & Qt::WindowCloseButtonHint), c.buttons) << c.form->name();
        EXPECT_EQ(bool(flags & Qt::WindowSystemMenuHint), c.buttons) << c.form->name();
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << c.form->name();
    }
    // The communication dialog's form asks for a bare title bar as well.
    std::unique_ptr<QWidget> comm = qt::createForm("FormComm", nullptr);
    ASSERT_NE(comm, nullptr);
    EXPECT_EQ(comm->property("titleBarButtons"), QVariant(false));
}
