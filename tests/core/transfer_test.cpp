// The communication dialog driven tick by tick, and the Operations menu.
#include <algorithm>
#include <filesystem>

#include "MainFixture.h"
#include "files_support.h"
#include "forms/ImageBuilder.h"
#include "forms/Dialogs.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class Transfers : public MainFixture {
protected:
    void SetUp() override {
        startShownOnShippedDefault();
        if (HasFatalFailure()) return;
        m().Opts.AutoVerify = 0;
    }
    TFormComm& comm() { return *m().dialogs()->FormComm; }
    FakeSerialPort& port() { return host.port; }

    struct Run {
        std::vector<std::string> labels;  // LabelComm after each tick
        int maxima = 0;                   // ProgBar maximum seen first
        int ticks = 0;
        bool portOpenAtEnd = false;
        std::string buttonAtEnd;
        std::string finalLabel;
        int barMinAtEnd = 0, barMaxAtEnd = 0, barPositionAtEnd = 0;
    };
    // Runs the menu command; the dialog starts on its timer and ticks until
    // its operation ends (or `abortAfter` ticks have run), then its button
    // is pressed.
    Run run(MenuItem& command, int abortAfter = -1) {
        Run r;
        host.onModal = [&](Form& f) {
            EXPECT_EQ(&f, &comm());
            EXPECT_EQ(comm().ButtonComm.caption(), "&Abort");
            EXPECT_FALSE(comm().ButtonComm.enabled());
            comm().StartTimer.fire();
            r.maxima = comm().ProgBar.max();
            while (comm().OpTimer.enabled() && r.ticks != abortAfter && r.ticks < 2000) {
                comm().OpTimer.fire();
                ++r.ticks;
                r.labels.push_back(comm().LabelComm.caption());
            }
            r.portOpenAtEnd = port().isOpen;
            r.buttonAtEnd = comm().ButtonComm.caption();
            r.finalLabel = comm().LabelComm.caption();
            r.barMinAtEnd = comm().ProgBar.min();
            r.barMaxAtEnd = comm().ProgBar.max();
            r.barPositionAtEnd = comm().ProgBar.position();
            comm().ButtonComm.userClick();
            return comm().modalResult();
        };
        command.userClick();
        return r;
    }
    int flags(const EntryFlags& f) {
        int n = 0;
        for (auto v : f) n += v ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(Transfers, CheckConnection) {
    Run r = run(m().OperationsCheckConnection);
    EXPECT_EQ(r.finalLabel, "Serial connection established.");
    EXPECT_EQ(r.buttonAtEnd, "&OK");
    EXPECT_EQ(comm().ProgBar.position(), 1);
    EXPECT_EQ(m().CommOperation, CommOperation::OpCheckConnection);
    EXPECT_EQ(comm().caption(), "Check Connection");
    EXPECT_FALSE(port().isOpen);
    EXPECT_EQ(comm().ProgBar.max(), 100);  // put back when the dialog closed
}

TEST_F(Transfers, PortThatCannotBeOpened) {
    m().Opts.ComPort = 3;
    port().openOk = false;
    m().CBCenterL.userSelect(3);
    host.answers = {true};  // discard the edit
    Run r = run(m().OperationsReadSettings);
    EXPECT_EQ(r.finalLabel, "Unable to open COM3.");
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    EXPECT_EQ(r.ticks, 0);
    // A failed download rebuilds the image and disables Save.
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
}

TEST_F(Transfers, AnOpenRefusedForWantOfRightsSaysHowToGetAccess) {
    struct Case {
        std::string error;
        bool denied;
        std::string detail;
    };
    const Case cases[] = {
        {"Permission denied", true,
         "COM2: Permission denied. To get access, join the dialout group and log in again."},
        {"No such file or directory", false, "COM2: No such file or directory"},
        {"Device or resource busy", false, "COM2: Device or resource busy"},
    };
    m().Opts.ComPort = 2;
    port().openOk = false;
    for (const Case& c : cases) {
        port().openError = c.error;
        port().denied = c.denied;
        Run r = run(m().OperationsCheckConnection);
        EXPECT_EQ(r.finalLabel, "Unable to open COM2.");
        EXPECT_EQ(comm().LabelCommDetail.caption(), c.detail);
    }
}

TEST_F(Transfers, UploadChangedWithAndWithoutAutomaticVerify) {
    for (bool autoVerify : {false, true}) {
        m().Opts.AutoVerify = autoVerify ? 1 : 0;
        m().CBCenterL.userSelect(autoVerify ? 11 : 10);
        m().SBBass.userSetPosition(autoVerify ? 5 : 4);
        m().CBToneBFreq.userSelect(autoVerify ? 1 : 2);
        ASSERT_EQ(flags(m().ChangedMask), 3);
        Run r = run(m().WriteChangedSettings);
        EXPECT_EQ(r.maxima, 15);
        EXPECT_EQ(flags(m().ChangedMask), 0);
        EXPECT_FALSE(m().WriteChangedSettings.enabled());
        EXPECT_EQ(comm().caption(), "Uploading changed settings");
        EXPECT_FALSE(r.portOpenAtEnd);
        EXPECT_EQ(r.buttonAtEnd, "&OK");
        EXPECT_EQ(port().table[0x0012], 110 - m().CBCenterL.itemIndex());
        if (!autoVerify) {
            EXPECT_EQ(r.ticks, 3);
            EXPECT_EQ(r.finalLabel, "Settings uploaded succesfully.");
            EXPECT_EQ(flags(m().VerifyMask.Flags), 3);
            EXPECT_TRUE(m().OperationsVerifySettings.enabled());
            EXPECT_EQ(m().CommOperation, CommOperation::OpUploadChanged);
        } else {
            EXPECT_EQ(r.ticks, 6);
            EXPECT_EQ(r.labels[2], "Settings uploaded succesfully. Verifying...");
            EXPECT_EQ(r.finalLabel, "Settings uploaded and verified succesfully.");
            EXPECT_EQ(flags(m().VerifyMask.Flags), 0);
            EXPECT_FALSE(m().OperationsVerifySettings.enabled());
            EXPECT_EQ(m().CommOperation, CommOperation::OpVerify);
        }
    }
}

TEST_F(Transfers, UploadAllThenVerifyFromTheMenu) {
    m().CBCenterL.userSelect(10);
    Run r = run(m().OperationsWriteSettings);
    MarkVisibleEntries(m());
    const int visible = flags(m().ChangedMask);
    EXPECT_EQ(r.ticks, visible);
    EXPECT_EQ(r.maxima, 5 * visible);
    EXPECT_EQ(comm().ProgBar.position(), 5 * visible);  // full
    ClearChanged(m());
    EXPECT_EQ(r.finalLabel, "Settings uploaded succesfully.");
    EXPECT_TRUE(m().OperationsVerifySettings.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());

    Run v = run(m().OperationsVerifySettings);
    EXPECT_EQ(v.ticks, visible);
    EXPECT_EQ(v.finalLabel, "Settings verified succesfully.");
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
}

TEST_F(Transfers, AbortOrFailureOfUploadAllRestoresThePendingChanges) {
    m().CBCenterL.userSelect(10);
    m().CheckBoxEnhancedBass.userClick();
    const EntryFlags before = m().ChangedMask;
    Run r = run(m().OperationsWriteSettings, 5);
    EXPECT_EQ(r.ticks, 5);
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    EXPECT_EQ(m().ChangedMask, before);
    EXPECT_FALSE(port().isOpen);
    EXPECT_EQ(port().events.back(), "close");
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());

    // An upload that succeeds but whose automatic verify fails counts as failed.
    m().Opts.AutoVerify = 1;
    port().mismatch[0x0012] = 1;
    Run f = run(m().OperationsWriteSettings);
    EXPECT_EQ(f.finalLabel, "Verify failed: Settings did not match.");
    // The pending changes are back, and with them the entries the verify
    // did not find equal (see AFailedAutomaticVerifyLeavesTheUnverifiedEntriesPending).
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (before[k] != 0) {
            EXPECT_EQ(m().ChangedMask[k], 1) << "entry " << k;
        }
    }
    EXPECT_FALSE(m().ChangedMask[11]);  // verified equal
}

TEST_F(Transfers, DownloadAppliesTheImageAndVerifyComparesWithTheSetup) {
    // The processor holds what this setup would send, with another centre level.
    BuildImage(m());
    for (const ParameterEntry& e : m().ParameterImage) port().table[e.address()] = e.Value;
    port().table[0x0012] = 100;
    m().FileSave.setEnabled(false);
    Run r = run(m().OperationsReadSettings);
    EXPECT_EQ(r.finalLabel, "Settings downloaded succesfully.");
    EXPECT_EQ(m().CBCenterL.itemIndex(), 10);
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().OperationsVerifySettings.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_EQ(flags(m().ChangedMask), 0);
    EXPECT_TRUE(host.questions.empty());

    Run v = run(m().OperationsVerifySettings);
    EXPECT_EQ(v.finalLabel, "Settings verified succesfully.");
}

TEST_F(Transfers, DownloadAskedToDiscardAndDeclined) {
    m().CBCenterL.userSelect(3);
    host.answers = {false};
    bool shown = false;
    host.onModal = [&](Form&) {
        shown = true;
        return ModalResult::Ok;
    };
    m().OperationsReadSettings.userClick();
    EXPECT_EQ(host.questions, std::vector<std::string>{"Discard Changes?"});
    EXPECT_FALSE(shown);
    EXPECT_TRUE(port().opened.empty());
    // Declined: nothing changes, the edit can still be uploaded.
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_EQ(marked(), std::set<int>{12});
}

TEST_F(Transfers, BadAnswersEndTheOperationWithTheirTexts) {
    struct Case {
        MenuItem TTavroSetupMain::*command;
        std::function<void(FakeSerialPort&)> fault;
        const char* text;
    };
    const Case cases[] = {
        {&TTavroSetupMain::OperationsReadSettings, [](FakeSerialPort& p) { p.scriptedAnswers = {{0x00, 0x05, 0x00}}; },
         "Download failed"},
        {&TTavroSetupMain::OperationsWriteSettings, [](FakeSerialPort& p) { p.scriptedAnswers = {{0x00, 0x00, 0x00}}; },
         "Upload failed."},
        {&TTavroSetupMain::OperationsWriteSettings, [](FakeSerialPort& p) { p.scriptedAnswers = {{0x00}}; },
         "Unable to establish serial connection"},
        {&TTavroSetupMain::OperationsReadSettings, [](FakeSerialPort& p) { p.readFails = true; },
         "Unable to establish serial connection."},
    };
    for (const Case& c : cases) {
        port() = FakeSerialPort{};
        c.fault(port());
        Run r = run(m().*c.command);
        EXPECT_EQ(r.finalLabel, c.text);
        EXPECT_EQ(r.ticks, 1);
        EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
        EXPECT_FALSE(r.portOpenAtEnd);
    }
}

TEST_F(Transfers, VerifyWithAnUnexpectedAnswer) {
    m().CBCenterL.userSelect(10);
    run(m().WriteChangedSettings);
    port().scriptedAnswers = {{0x00, 0x01, 0x00}};
    Run v = run(m().OperationsVerifySettings);
    EXPECT_EQ(v.finalLabel, "Verify failed: Unexpected return value.");
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
}

// An automatic verify that finds another value leaves the entries it did
// not verify equal pending: the repeated Upload Changed Settings writes and
// verifies them again, and only then reports success.
TEST_F(Transfers, AFailedAutomaticVerifyLeavesTheUnverifiedEntriesPending) {
    struct Case {
        const char* what;
        MenuItem TTavroSetupMain::*command;
    };
    const Case cases[] = {
        {"upload changed", &TTavroSetupMain::WriteChangedSettings},
        {"upload all", &TTavroSetupMain::OperationsWriteSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port() = FakeSerialPort{};
        m().Opts.AutoVerify = 1;
        m().CBCenterL.userSelect(m().CBCenterL.itemIndex() == 10 ? 11 : 10);
        m().SBBass.userSetPosition(m().SBBass.position() == 5 ? 6 : 5);
        port().mismatch[0x0012] = 1;  // the centre level reads back otherwise
        Run first = run(m().*c.command);
        EXPECT_EQ(first.finalLabel, "Verify failed: Settings did not match.");
        EXPECT_TRUE(m().WriteChangedSettings.enabled());
        // The centre level and everything after it was not verified equal.
        EXPECT_TRUE(marked().count(12));
        EXPECT_TRUE(marked().count(77));
        EXPECT_FALSE(marked().count(5));  // verified before the mismatch

        port().mismatch.clear();
        port().wire.clear();
        Run again = run(m().WriteChangedSettings);
        EXPECT_EQ(again.finalLabel, "Settings uploaded and verified succesfully.");
        EXPECT_EQ(port().table[0x0012], 110 - m().CBCenterL.itemIndex());
        EXPECT_GT(std::count(port().wire.begin(), port().wire.end(), "read 3"), 2);
        EXPECT_TRUE(marked().empty());
        EXPECT_FALSE(m().WriteChangedSettings.enabled());
    }
}

// With nothing flagged nothing is sent or read, and the dialog says so
// instead of claiming an upload or a verify; its bar is full, not busy.
TEST_F(Transfers, AnOperationWithNothingFlaggedSaysSo) {
    struct Case {
        const char* what;
        MenuItem TTavroSetupMain::*command;
        int autoVerify;
        const char* text;
        CommOperation result;
    };
    const Case cases[] = {
        {"upload changed", &TTavroSetupMain::WriteChangedSettings, 0, "No changed settings to upload.",
         CommOperation::OpUploadChanged},
        {"upload changed, automatic verify", &TTavroSetupMain::WriteChangedSettings, 1,
         "No changed settings to upload.", CommOperation::OpUploadChanged},
        {"verify", &TTavroSetupMain::OperationsVerifySettings, 0, "No settings to verify.", CommOperation::OpVerify},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port() = FakeSerialPort{};
        m().Opts.AutoVerify = c.autoVerify;
        m().ClearChangedMask();
        m().VerifyMask.clearFlags();
        (m().*c.command).setEnabled(true);
        Run r = run(m().*c.command);
        EXPECT_EQ(r.ticks, 0);
        EXPECT_TRUE(port().writeCalls.empty());
        EXPECT_EQ(r.finalLabel, c.text);
        EXPECT_EQ(r.buttonAtEnd, "&OK");
        EXPECT_FALSE(r.portOpenAtEnd);
        EXPECT_EQ(m().CommOperation, c.result);
        EXPECT_GT(r.barMaxAtEnd, r.barMinAtEnd);
        EXPECT_EQ(r.barPositionAtEnd, r.barMaxAtEnd);
    }
}

TEST_F(Transfers, ClosingTheDialogWhileRunningActsAsAbort) {
    host.onModal = [&](Form&) {
        comm().StartTimer.fire();
        comm().OpTimer.fire();
        return ModalResult::Cancel;  // closed without the button
    };
    m().OperationsWriteSettings.userClick();
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    EXPECT_FALSE(comm().OpTimer.enabled());
    EXPECT_FALSE(port().isOpen);
}

TEST_F(Transfers, ClosingTheDialogBeforeItStartedKeepsThePendingChanges) {
    m().CBCenterL.userSelect(10);
    const EntryFlags before = m().ChangedMask;
    host.onModal = [&](Form&) {
        return ModalResult::Cancel;  // Escape within the first 20 ms
    };
    m().OperationsWriteSettings.userClick();
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    EXPECT_EQ(m().ChangedMask, before);
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(m().OperationsVerifySettings.enabled());
    EXPECT_FALSE(comm().StartTimer.enabled());
    EXPECT_TRUE(port().opened.empty());
}
