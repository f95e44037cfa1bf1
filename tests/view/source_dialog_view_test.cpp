// The source dialog on its Designer form, opened from the main window's
// source button the way the user opens it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "../core/link_setups.h"
#include "MainWindow.h"
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
