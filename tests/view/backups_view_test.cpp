// File > Processor Backups... in the real window, used from the keyboard:
// the menu opens the list, the arrows pick a backup, Tab goes list,
// Restore, Compare, Open as Setup, Close, and Open as Setup takes the
// backup's values into the window as one step that Edit > Undo takes back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <memory>

#include "MainWindow.h"
#include "QtHost.h"
#include "RunDirectory.h"
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "forms/Program.h"
#include "forms/SetupFile.h"

using namespace tavro;

namespace {

constexpr std::size_t CenterLevel = 12;

class BackupsView : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.ready());
        ASSERT_TRUE(backups.isValid());
        program = std::make_unique<Program>(host);
        window = std::make_unique<qt::MainWindow>(program->main());
        host.setMainWindow(window.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();  // the show step
        m().BackupFolder = backups.path().toStdString();
    }
    void TearDown() override {
        window.reset();
        program.reset();
    }
    TTavroSetupMain& m() { return program->main(); }

    // A backup of the setup with the centre level at `value`.
    void store(std::time_t when, std::uint8_t value) {
        BuildImage(m());
        ParameterImage image = m().ParameterImage;
        image[CenterLevel].Value = value;
        EntryFlags entries{};
        entries[CenterLevel] = 1;
        ASSERT_TRUE(storeBackup(m().BackupFolder, {when, BackupOperation::UploadAll, "den.sfg", "Tavro", "COM1", ""},
                                image, entries)
                        .result);
    }

    // Opens the dialog from the File menu with Alt+F and B; `inDialog` runs
    // once the dialog is up with its first focus.
    void openFromMenu(const std::function<void(QDialog*)>& inDialog) {
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), "FileMenu");
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QTest::qWait(20);  // the dialog's first focus
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ran = true;
            inDialog(dialog);
            if (dialog->isVisible()) QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QTest::keyClick(menu, Qt::Key_B);
        EXPECT_TRUE(ran);
    }

    test::RunDirectory work;
    QTemporaryDir backups;
    qt::QtHost host;
    std::unique_ptr<Program> program;
    std::unique_ptr<qt::MainWindow> window;
};

std::time_t hoursAgo(int hours) { return std::time(nullptr) - hours * 3600; }

}  // namespace

TEST_F(BackupsView, TheListIsReachedFromTheMenuAndEscapeChangesNothing) {
    store(hoursAgo(2), 88);
    store(hoursAgo(1), 84);
    const std::string before = FormatSetupText(m());
    QStringList chain;
    openFromMenu([&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Processor Backups");
        auto* table = dialog->findChild<QTableWidget*>("GridBackups");
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Date and time");
        EXPECT_EQ(table->item(0, 1)->text(), "Upload All Settings");
        EXPECT_EQ(table->item(0, 3)->text(), "1");
        EXPECT_EQ(dialog->findChild<QLabel*>("LabelBackups")->text(),
                  QString("2 backups in %1, newest first.").arg(backups.path()));
        EXPECT_EQ(QApplication::focusWidget(), table);
        EXPECT_EQ(table->currentRow(), 0);
        QTest::keyClick(table, Qt::Key_Down);
        EXPECT_EQ(m().dialogs()->FormBackups->GridBackups.row(), 1);
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
    });
    EXPECT_EQ(chain,
              (QStringList{"ButtonRestore", "ButtonCompare", "ButtonOpenAsSetup", "ButtonClose", "GridBackups"}));
    EXPECT_EQ(FormatSetupText(m()), before);
    EXPECT_FALSE(window->findChild<QAction*>("EditUndo")->isEnabled());
}

TEST_F(BackupsView, OpenAsSetupShowsTheBackupsValuesAndUndoTakesThemBack) {
    store(hoursAgo(2), 88);
    auto* centre = window->findChild<QComboBox*>("CBCenterL");
    const QString shown = centre->currentText();
    const std::string before = FormatSetupText(m());
    openFromMenu([&](QDialog* dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        // A button's mnemonic clicks it after a short animation.
        for (int i = 0; i < 50 && dialog->isVisible(); ++i) QTest::qWait(20);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_FALSE(QApplication::activeModalWidget());
    BuildImage(m());
    EXPECT_EQ(m().ParameterImage[CenterLevel].Value, 88);
    EXPECT_NE(centre->currentText(), shown);
    EXPECT_EQ(centre->currentText().toStdString(), m().CBCenterL.text());
    auto* undo = window->findChild<QAction*>("EditUndo");
    EXPECT_TRUE(undo->text().startsWith("&Undo Open as Setup ")) << undo->text().toStdString();
    // Edit > Undo from the keyboard, once the window is active again (the
    // offscreen platform has no window manager to give it back).
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    auto* edit = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), "EditMenu");
    QTest::keyClick(edit, Qt::Key_U);
    EXPECT_EQ(centre->currentText(), shown);
    EXPECT_EQ(FormatSetupText(m()), before);
}
