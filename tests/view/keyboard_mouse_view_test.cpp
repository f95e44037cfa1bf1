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
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "DialogViews.h"
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
