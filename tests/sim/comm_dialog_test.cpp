// The communication dialog on screen (offscreen platform): its Designer
// form, real timers and the real port against tavro-sim.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "QtHost.h"
#include "SimFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// What the dialog showed when its button read "&OK".
struct Seen {
    bool found = false;
    QString title;
    QString label;
    QString detail;
    int value = -1;
    int maximum = -1;
};

// Polls the modal dialog until `ready` holds for it, records it and then
// runs `act` on it. Gives up after a few seconds by closing whatever is
// modal, so a broken dialog cannot hang the test.
void whenDialog(std::function<bool(QDialog*)> ready, std::function<void(QDialog*)> act, Seen& seen,
                int attemptsLeft = 1000) {
    QTimer::singleShot(5, [=, &seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && ready(dialog)) {
            seen.found = true;
            seen.title = dialog->windowTitle();
            seen.label = dialog->findChild<QLabel*>("LabelComm")->text();
            seen.detail = dialog->findChild<QLabel*>("LabelCommDetail")->text();
            seen.value = dialog->findChild<QProgressBar*>("ProgBar")->value();
            seen.maximum = dialog->findChild<QProgressBar*>("ProgBar")->maximum();
            act(dialog);
            return;
        }
        if (attemptsLeft <= 0) {
            if (dialog != nullptr) dialog->reject();
            return;
        }
        whenDialog(ready, act, seen, attemptsLeft - 1);
    });
}

QPushButton* button(QDialog* d) { return d->findChild<QPushButton*>("ButtonComm"); }

class CommDialog : public SimTest {
protected:
    qt::QtHost host;
    std::unique_ptr<Program> program;
    std::string dir;

    void SetUp() override {
        SimTest::SetUp();
        dir = scratch + "/program";
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(std::string(TAVRO_SOURCE_DIR) + "/defaults/Tavro.dfg", dir + "/Default.dfg");
        program = std::make_unique<Program>(host, [this](TTavroSetupMain& w) { w.StartDirectory = dir; });
        m().Opts.ComPort = 1;
        m().Opts.AutoVerify = 0;
        m().BackupBeforeUpload = false;  // the uploads here write at once
    }
    TTavroSetupMain& m() { return program->main(); }
    // Check Connection until the dialog's button reads "&OK", then pressed.
    Seen checkConnection() {
        Seen seen;
        whenDialog([](QDialog* d) { return button(d)->text() == "&OK"; }, [](QDialog* d) { button(d)->click(); },
                   seen);
        m().OperationsCheckConnection.userClick();
        return seen;
    }
};

}  // namespace

TEST_F(CommDialog, CheckConnectionThroughTheRealDialogAndTimers) {
    sim.start(link);
    Seen seen;
    bool enabledAtOk = false;
    whenDialog([](QDialog* d) { return button(d)->text() == "&OK"; },
               [&](QDialog* d) {
                   enabledAtOk = button(d)->isEnabled();
                   button(d)->click();
               },
               seen);
    m().OperationsCheckConnection.userClick();
    ASSERT_TRUE(seen.found) << "the dialog never showed \"&OK\"";
    EXPECT_EQ(seen.title, "Check Connection");
    EXPECT_EQ(seen.label, "Serial connection established.");
    EXPECT_EQ(seen.detail, "");
    EXPECT_TRUE(enabledAtOk);
    EXPECT_EQ(seen.value, 1);
    EXPECT_EQ(seen.maximum, 1);
    EXPECT_EQ(m().CommOperation, CommOperation::OpCheckConnection);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CommDialog, APortThatCannotBeOpenedIsExplained) {
    // No simulator: the link does not exist.
    const Seen seen = checkConnection();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.label, "Unable to open COM1.");
    EXPECT_TRUE(seen.detail.startsWith(QString::fromStdString(link) + ": ")) << seen.detail.toStdString();
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
}

TEST_F(CommDialog, APortTheUserMayNotUseSaysHowToGetAccess) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may use every device";
    std::ofstream(link).put('\0');
    ::chmod(link.c_str(), 0);
    const Seen seen = checkConnection();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.label, "Unable to open COM1.");
    EXPECT_TRUE(seen.detail.startsWith(QString::fromStdString(link) + ": ")) << seen.detail.toStdString();
    EXPECT_TRUE(seen.detail.endsWith(". To get access, join the dialout group and log in again."))
        << seen.detail.toStdString();
}

// Escape (or the window's close button) while Upload All Settings runs
// acts as the Abort button: the timer stops, the port closes, and the
// pending changes are kept.
TEST_F(CommDialog, EscapeDuringAnUploadAborts) {
    sim.start(link);
    m().CBCenterL.userSelect(10);
    m().CheckBoxEnhancedBass.userClick();
    const EntryFlags pending = m().ChangedMask;
    Seen seen;
    whenDialog(
        [](QDialog* d) {
            // Running, a few entries along.
            return button(d)->text() == "&Abort" && button(d)->isEnabled() &&
                   d->findChild<QProgressBar*>("ProgBar")->value() >= 15;
        },
        [](QDialog* d) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(d, &escape);
        },
        seen);
    m().OperationsWriteSettings.userClick();
    ASSERT_TRUE(seen.found) << "the upload never ran";
    EXPECT_EQ(seen.title, "Upload all settings");
    EXPECT_EQ(seen.label, "Uploading settings...");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    EXPECT_EQ(m().ChangedMask, pending);
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());

    // The port was closed: the next operation opens it again.
    Seen again;
    whenDialog([](QDialog* d) { return button(d)->text() == "&OK"; }, [](QDialog* d) { button(d)->click(); }, again);
    m().OperationsCheckConnection.userClick();
    EXPECT_EQ(again.label, "Serial connection established.");
}
