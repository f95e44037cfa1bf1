// The Designer form against the main window model: names, kinds, events in
// both directions, layout, and a whole start and close of the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "FakeHost.h"
#include "RunDirectory.h"
#include "FormBinder.h"
#include "MainWindow.h"
#include "QtHost.h"
#include "files_support.h"
#include "forms/Program.h"

using namespace tavro;

namespace {

class MainWindowView : public ::testing::Test {
protected:
    void SetUp() override {
        // The form alone, without a default setup: every group starts hidden.
        program = std::make_unique<Program>(host, [](TTavroSetupMain& w) { w.ReadSetupFileHook = nullptr; });
        host.onClose = [this] { program->main().TryClose(); };
        window = std::make_unique<qt::MainWindow>(program->main());
    }
    TTavroSetupMain& m() { return program->main(); }
    template <class T>
    T* widget(const char* name) {
        return window->findChild<T*>(name);
    }

    test::FakeHost host;
    std::unique_ptr<Program> program;
    std::unique_ptr<qt::MainWindow> window;
};

}  // namespace

TEST_F(MainWindowView, EveryControlHasAWidgetOfItsKind) {
    EXPECT_TRUE(window->binder().unbound().empty()) << "first unbound: " << window->binder().unbound().front();
    for (Control* c : m().controls()) {
        QObject* o = window->binder().objectFor(c->name());
        ASSERT_NE(o, nullptr) << c->name();
        EXPECT_TRUE(qt::widgetFitsKind(o, c->kind())) << c->name() << " is no " << controlKindName(c->kind());
    }
}

TEST_F(MainWindowView, EveryNamedWidgetOfTheFormIsAControl) {
    QList<QObject*> objects = window->findChildren<QObject*>();
    int named = 0;
    for (QObject* o : objects) {
        if (!o->isWidgetType() && qobject_cast<QAction*>(o) == nullptr) continue;
        QString name = o->objectName();
        if (qt::isStructuralName(name)) continue;
        if (o->parent() != nullptr && o->parent()->inherits("QTabBar")) continue;  // the tab bar's own scroll buttons
        // Qt's own helpers inside composite widgets carry no object name
        // or a qt_ one; menus' own actions share their menu's name.
        if (qobject_cast<QAction*>(o) != nullptr && qobject_cast<QMenu*>(o->parent()) == nullptr &&
            m().find(name.toStdString()) == nullptr)
            continue;
        ++named;
        EXPECT_NE(m().find(name.toStdString()), nullptr) << "widget without a control: " << name.toStdString();
    }
    EXPECT_GT(named, 200);
}

TEST_F(MainWindowView, AUserPickReachesTheHandlerAndTheModelReachesTheWidgets) {
    m().FormShow();
    window->binder().sync();
    auto* save = widget<QAction>("FileSave");
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isEnabled());

    auto* center = widget<QComboBox>("CBCenterL");
    center->setCurrentIndex(20);
    emit center->activated(20);
    EXPECT_EQ(m().CBCenterL.itemIndex(), 20);
    EXPECT_EQ(m().ChangedMask[12], 1);
    EXPECT_TRUE(save->isEnabled());

    // A rule that changes other controls shows in their widgets.
    widget<QRadioButton>("RBMeters")->click();
    EXPECT_TRUE(m().RBMeters.checked());
    EXPECT_EQ(widget<QComboBox>("CBLeftD")->itemText(3), "1.0 m");
    EXPECT_FALSE(widget<QRadioButton>("RBFeet")->isChecked());

    widget<QScrollBar>("SBBass")->setValue(3);
    EXPECT_EQ(m().SBBass.position(), 3);
    EXPECT_EQ(widget<QLabel>("LabelBass")->text(), "Bass: +3 dB");

    m().CBSubS.userSelect(0);
    window->binder().sync();
    EXPECT_FALSE(widget<QComboBox>("CBSubL")->isEnabled());
}

TEST_F(MainWindowView, TabsAndGroupBoxesShowAsTheModelSays) {
    m().GBSpeaker.setVisible(true);
    m().GBTrigger1.setVisible(true);
    m().RefreshAfterLoad();
    window->binder().sync();
    auto* tabs = widget<QTabWidget>("uiPages");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 7);
    const char* captions[] = {"General", "Audio", "Source", "Speaker", "Display", "Trigger", "Presets"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->isTabVisible(i), i == 3 || i == 5) << captions[i];
    }
    EXPECT_FALSE(widget<QGroupBox>("GBSpeaker")->isHidden());
    EXPECT_TRUE(widget<QGroupBox>("GBBackSpeaker")->isHidden());

    // A hidden tab comes back in its place.
    m().GBMessages.setVisible(true);
    m().RefreshAfterLoad();
    window->binder().sync();
    EXPECT_TRUE(tabs->isTabVisible(0));
    EXPECT_EQ(tabs->tabText(0), "General");
}

TEST_F(MainWindowView, TheAuxChannelCountSetsTheHeightsOfItsGroup) {
    m().RefreshAfterLoad();
    window->binder().sync();
    const char* names[] = {"GBCh9_10", "PanelLevel3", "PanelDelay3"};
    QRect form[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(widget<QWidget>(names[i]), nullptr) << names[i];
        form[i] = widget<QWidget>(names[i])->geometry();
    }
    const std::vector<std::string> channel{"0.0", "0.0 ms", "No Filter", "80", "No Filter", "80", "0",
                                           "0",   "0",      "0",         "0",  "0",         "0"};
    struct Case {
        const char* count;
        int heights[3];
    };
    for (const Case& c : {Case{"1", {56, 32, 32}}, Case{"2", {76, 56, 56}}, Case{"1", {56, 32, 32}}}) {
        std::vector<std::string> lines{"[Aux Channel Settings]", c.count};
        for (int n = c.count[0] - '0'; n > 0; --n) lines.insert(lines.end(), channel.begin(), channel.end());
        ASSERT_EQ(test::readLines(m(), lines), ReadResult::Ok);
        m().RefreshAfterLoad();
        window->binder().sync();
        for (int i = 0; i < 3; ++i) {
            const QRect now = widget<QWidget>(names[i])->geometry();
            EXPECT_EQ(now.height(), c.heights[i]) << names[i] << " with " << c.count;
            EXPECT_EQ(now.topLeft(), form[i].topLeft()) << names[i];
            EXPECT_EQ(now.width(), form[i].width()) << names[i];
        }
        // The rows shown fit the shorter columns.
        for (const char* list : {"CBCh9L", "CBCh9D"}) {
            auto* w = widget<QWidget>(list);
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << list << " with " << c.count;
        }
    }
}

TEST_F(MainWindowView, TabGoesAlongTheAuxChannelRowsNotDownTheColumns) {
    // The level and delay lists sit in column panels; the tab order still
    // reads each channel's row from left to right.
    const QString rows[] = {"CBCh9L", "CBCh9D", "ButtonCh9MixFilter", "CBCh10L", "CBCh10D", "ButtonCh10MixFilter"};
    QStringList order;
    QWidget* w = widget<QWidget>("CBCh9L");
    for (int step = 0; step < 50 && order.size() < 6; ++step, w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) != 0 &&
            std::find(std::begin(rows), std::end(rows), w->objectName()) != std::end(rows))
            order << w->objectName();
    EXPECT_EQ(order.join(' ').toStdString(), QStringList(std::begin(rows), std::end(rows)).join(' ').toStdString());
}

TEST_F(MainWindowView, MenusShowTheirCaptionsShortcutsAndSeparators) {
    auto* exitAction = widget<QAction>("FileExit");
    ASSERT_NE(exitAction, nullptr);
    EXPECT_EQ(exitAction->text(), "E&xit");
    EXPECT_EQ(exitAction->shortcut(), QKeySequence("Alt+F4"));
    EXPECT_EQ(widget<QAction>("OperationsVerifySettings")->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(widget<QAction>("NOne")->isSeparator());
    EXPECT_TRUE(widget<QAction>("ExitOne")->isSeparator());
    EXPECT_EQ(widget<QMenu>("OperationsMenu")->title(), "Op&erations");
    // Showing the window pops up no menu.
    window->show();
    QApplication::processEvents();
    EXPECT_FALSE(widget<QMenu>("FileMenu")->isVisible());
    EXPECT_FALSE(widget<QMenu>("OperationsMenu")->isVisible());
    // A disabled Operations menu is greyed out in the menu bar.
    m().OperationsMenu.setEnabled(false);
    window->binder().sync();
    EXPECT_FALSE(widget<QMenu>("OperationsMenu")->menuAction()->isEnabled());
}

TEST_F(MainWindowView, EveryTabFitsTheFixedWindowWithoutClipping) {
    for (Control* c : m().controls())
        if (c->kind() == ControlKind::GroupBox) c->setVisible(true);
    // Long run-time texts.
    m().CheckBoxRBack.setChecked(true);
    m().ModelVariant = tavro::ModelVariant::Tavro;
    m().SourceCount = 16;
    m().RebuildTriggerLists();
    m().RefreshAfterLoad();
    window->binder().sync();
    window->show();
    QApplication::processEvents();

    auto* tabs = widget<QTabWidget>("uiPages");
    QString shots = qEnvironmentVariable("TAVRO_SCREENSHOT_DIR");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = tabs->widget(i);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (w->isHidden() || w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
            QWidget* parent = w->parentWidget();
            if (parent == nullptr || parent->objectName().startsWith("qt_")) continue;
            QRect inside = parent->rect();
            EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString() << " sticks out of "
                                                       << parent->objectName().toStdString();
            // Texts fit their widgets.
            if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->pixmap().isNull()) {
                EXPECT_LE(label->sizeHint().width(), label->width() + 1) << label->objectName().toStdString();
            }
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                EXPECT_LE(combo->minimumSizeHint().width(), combo->width() + 1) << combo->objectName().toStdString();
            }
        }
        if (!shots.isEmpty()) window->grab().save(QDir(shots).filePath(QString("tab%1-%2.png").arg(i).arg(tabs->tabText(i))));
    }
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST(ProgramRun, StartsWithTheShippedDefaultShowsAndClosesFromTheExitCommand) {
    // The program's own start in a working directory like the one the run
    // script prepares.
    test::RunDirectory work;
    ASSERT_TRUE(work.ready());

    qt::QtHost host;
    Program program(host);
    qt::MainWindow window(program.main());
    host.setMainWindow(&window);
    QStringList boxes;  // any message box is recorded and answered
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &window && w->isVisible() && w->inherits("QMessageBox")) {
                boxes << w->findChild<QLabel*>("qt_msgbox_label")->text();
                w->close();
            }
    });
    answer.start(20);
    QTimer::singleShot(300, [&] {
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(program.main().FileSave.enabled());  // the show step ran
        EXPECT_FALSE(window.findChild<QLabel*>("IMGLogo")->pixmap().isNull());
        window.findChild<QAction*>("FileExit")->trigger();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(1); });
    guard.start(5000);
    window.show();
    const int rc = QApplication::exec();
    EXPECT_EQ(rc, 0) << "the window did not close";
    EXPECT_TRUE(program.main().closed());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("; ").toStdString();
    EXPECT_EQ(window.windowTitle().toStdString(), program.main().caption());
}

TEST_F(MainWindowView, AStylePickRepaintsThePreview) {
    auto* style = widget<QComboBox>("CBOSDStyle");
    auto* memo = window->findChild<QWidget*>("MemoSampleText");
    auto* error = window->findChild<QWidget*>("EditSampleError");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(error->palette().color(QPalette::Base), QColor(255, 0, 0));

    style->setCurrentIndex(15);
    emit style->activated(15);  // "Preset Style 16": red, magenta error, yellow text
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(error->palette().color(QPalette::Base), QColor(255, 0, 255));
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xB4));
}
