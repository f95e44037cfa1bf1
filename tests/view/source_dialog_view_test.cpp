// The source dialog on its Designer form, opened from the main window's
// source button the way the user opens it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "link_setups.h"
#include "MainWindow.h"
#include "RunDirectory.h"
#include "QtHost.h"

using namespace tavro;

namespace {

// Types into a line edit key by key, as the keyboard does.
void type(QLineEdit* edit, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
    }
}

void clearEdit(QLineEdit* edit) {
    edit->selectAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(edit, &del);
}

class SourceDialogView : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<Program>(host);
        test::SetupShape shape;
        shape.variant = ModelVariant::R7;
        shape.sources = 8;
        test::loadShape(program->main(), shape);
        window = std::make_unique<qt::MainWindow>(program->main());
        host.setMainWindow(window.get());
        window->binder().sync();
    }
    TTavroSetupMain& m() { return program->main(); }

    qt::QtHost host;
    std::unique_ptr<Program> program;
    std::unique_ptr<qt::MainWindow> window;
};

}  // namespace

TEST_F(SourceDialogView, RenamingASourceRenamesItsButton) {
    auto* button = window->findChild<QPushButton*>("BSource3");
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->text(), "Video 3");

    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Source 3 Settings");
        auto* name = dialog->findChild<QLineEdit*>("EditSourceName");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "Video 3");
        EXPECT_EQ(name->maxLength(), 7);
        clearEdit(name);
        type(name, "Sat#Box!x");  // the eighth character is refused
        EXPECT_EQ(name->text(), "Sat#Box");
        dialog->findChild<QPushButton*>("ButtonSourceOk")->click();
        acted = true;
    });
    button->click();

    ASSERT_TRUE(acted);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(m().Sources[2].Name, "Sat Box");
    EXPECT_EQ(button->text(), "Sat Box");
    EXPECT_EQ(window->findChild<QComboBox*>("CBZoneSource")->itemText(2), "Sat Box");
    EXPECT_EQ(window->findChild<QComboBox*>("CBTrigger1Source")->itemText(3), "Sat Box");
    EXPECT_EQ(window->findChild<QAction*>("FileSave")->isEnabled(), true);
}

// Typing into the name goes through the model and back into the widget,
// and Ctrl+Z still takes it back.
TEST_F(SourceDialogView, CtrlZUndoesTheTypingInTheName) {
    m().Sources[1].Name = "Sat";
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("EditSourceName");
        ASSERT_NE(name, nullptr);
        name->setFocus(Qt::TabFocusReason);
        name->end(false);
        QTest::keyClicks(name, "ab");
        ASSERT_EQ(name->text(), "Satab");
        EXPECT_TRUE(name->isUndoAvailable());
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(name->text(), "Sat");
        dialog->findChild<QPushButton*>("ButtonSourceOk")->click();
        acted = true;
    });
    window->findChild<QPushButton*>("BSource2")->click();
    ASSERT_TRUE(acted);
    EXPECT_EQ(m().Sources[1].Name, "Sat");
}

TEST_F(SourceDialogView, TheFormShowsTheModelAndCancelKeepsTheName) {
    m().Sources[0].Mode = ModeDirect;
    m().Sources[0].PresetAssoc = 6;
    auto* button = window->findChild<QPushButton*>("BSource1");
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        // The OK button is the first to take the focus when the dialog becomes active.
        dialog->activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), dialog->findChild<QPushButton*>("ButtonSourceOk"));
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("RBDirect")->isChecked());
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("RBStereo")->isChecked());
        EXPECT_EQ(dialog->findChild<QComboBox*>("CBPresetAssoc")->currentText(), "Flat Trims");
        EXPECT_EQ(dialog->findChild<QComboBox*>("CBComponentVideo")->count(), 14);  // "Off", ten, three
        type(dialog->findChild<QLineEdit*>("EditSourceName"), "zz");
        dialog->findChild<QPushButton*>("ButtonSourceCancel")->click();
    });
    button->click();
    EXPECT_EQ(m().Sources[0].Name, "Video 1");
    EXPECT_EQ(button->text(), "Video 1");
    EXPECT_EQ(m().dialogs()->FormSource->modalResult(), ModalResult::Cancel);
}

namespace {

// The rectangle of a child in the dialog's coordinates.
QRect inDialog(QWidget* dialog, QWidget* w) { return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size()); }

// What the source dialog of the shipped default setup of a model shows for
// one source, checked while it is open; `TAVRO_SCREENSHOT_DIR` keeps a
// picture of it.
void openSourceOfShippedSetup(const char* model, int source, const std::function<void(QDialog*)>& check) {
    test::RunDirectory work(model);
    ASSERT_TRUE(work.ready());
    {
        qt::QtHost host;
        Program program(host);
        qt::MainWindow window(program.main());
        host.setMainWindow(&window);
        auto* button = window.findChild<QPushButton*>(QString("BSource%1").arg(source));
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(button->isHidden()) << model << " has no source " << source;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->activateWindow();
            QApplication::processEvents();
            const QString shots = qEnvironmentVariable("TAVRO_SCREENSHOT_DIR");
            if (!shots.isEmpty())
                dialog->grab().save(QDir(shots).filePath(QString("source-%1-%2.png").arg(model).arg(source)));
            check(dialog);
            dialog->reject();
        });
        button->click();
    }
}

}  // namespace

// Hidden modes and groups leave no holes: the shown ones close up.
TEST(SourceDialogLayout, ShownControlsCloseUpOnTheModelsThatHideSome) {
    struct Case {
        const char* model;
        int source;
        bool sensitivity;  // whether the "Analog Sensitivity" group shows
    };
    const Case cases[] = {{"R7", 1, true}, {"R7", 10, false}, {"4820", 1, true}, {"4820", 6, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " source " + std::to_string(c.source));
        openSourceOfShippedSetup(c.model, c.source, [&](QDialog* d) {
            EXPECT_EQ(d->findChild<QWidget*>("GBSensitivity")->isVisible(), c.sensitivity);
            const int gap = 12;  // the most that stands between neighbours
            // The right column from the top, neighbour below neighbour.
            std::vector<QRect> right;
            for (const char* name : {"GBSensitivity", "GBDigitalInput", "GBComponentVideo", "GBPresetAssoc"})
                if (auto* g = d->findChild<QWidget*>(name); g->isVisible()) right.push_back(inDialog(d, g));
            ASSERT_FALSE(right.empty());
            const QRect name = inDialog(d, d->findChild<QWidget*>("GBSourceName"));
            EXPECT_EQ(right.front().top(), name.top());
            for (std::size_t i = 1; i < right.size(); ++i) {
                EXPECT_GE(right[i].top(), right[i - 1].bottom());
                EXPECT_LE(right[i].top() - right[i - 1].bottom(), gap) << "above group " << i;
            }
            // The shown modes, evenly one below the other, and the group ends
            // below the last.
            auto* modeGroup = d->findChild<QWidget*>("GBMode");
            std::vector<QRect> modes;
            for (QRadioButton* r : modeGroup->findChildren<QRadioButton*>())
                if (r->isVisible()) modes.push_back(inDialog(d, r));
            ASSERT_GE(modes.size(), 2u);
            std::sort(modes.begin(), modes.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
            for (std::size_t i = 1; i < modes.size(); ++i)
                EXPECT_EQ(modes[i].top() - modes[i - 1].top(), modes[1].top() - modes[0].top()) << "mode " << i;
            EXPECT_LE(inDialog(d, modeGroup).bottom() - modes.back().bottom(), gap);
            // The buttons right below the longer column, and nothing cut off.
            const int columns = std::max(inDialog(d, modeGroup).bottom(), right.back().bottom());
            const QRect ok = inDialog(d, d->findChild<QWidget*>("ButtonSourceOk"));
            EXPECT_GT(ok.top(), columns);
            EXPECT_LE(ok.top() - columns, 2 * gap);
            EXPECT_TRUE(d->rect().contains(ok));
            for (QWidget* w : d->findChildren<QWidget*>())
                if (w->isVisible() && w->parentWidget() == d) {
                    EXPECT_TRUE(d->rect().contains(inDialog(d, w)));
                }
        });
    }
}

// From the name, one Tab reaches the mode group (its checked button) and the
// next the first list on the right; the arrows choose a mode.
TEST_F(SourceDialogView, TheModeGroupIsOneTabStopReachedInReadingOrder) {
    m().Sources[0].Mode = ModeStereo;
    auto* button = window->findChild<QPushButton*>("BSource1");
    QStringList chain;
    QString afterDown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        QApplication::processEvents();
        dialog->findChild<QLineEdit*>("EditSourceName")->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        dialog->findChild<QRadioButton*>("RBStereo")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        afterDown = QApplication::focusWidget()->objectName();
        dialog->findChild<QPushButton*>("ButtonSourceOk")->click();
    });
    button->click();
    EXPECT_EQ(chain, (QStringList{"RBStereo", "CBSensitivity", "CBDigitalAssociation", "CBComponentVideo",
                                  "CBPresetAssoc", "ButtonSourceOk", "ButtonSourceCancel", "EditSourceName"}));
    EXPECT_EQ(afterDown, "RBDPL");
    EXPECT_EQ(m().Sources[0].Mode, 2);  // Dolby Pro Logic
    EXPECT_TRUE(m().FileSave.enabled());
}
