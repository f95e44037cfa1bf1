// The communication dialog driven tick by tick, and the Operations menu.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "MainFixture.h"
#include "files_support.h"
#include "files/Paths.h"
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "link/PortNames.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class Transfers : public MainFixture {
protected:
    void SetUp() override {
        startShownOnShippedDefault();
        if (HasFatalFailure()) return;
        m().Opts.AutoVerify = 0;
        // These runs write at once; the backup before an upload has tests
        // of its own.
        m().BackupBeforeUpload = false;
    }
    TFormComm& comm() { return *m().dialogs()->FormComm; }
    FakeSerialPort& port() { return host.port; }

    struct Run {
        std::vector<std::string> labels;  // LabelComm after each tick
        std::vector<std::string> captions;  // the dialog's caption after each tick
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
                r.captions.push_back(comm().caption());
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

namespace {

// Uploads that back up the processor first, into the scratch folder's
// backups/.
class BackedUpTransfers : public Transfers {
protected:
    void SetUp() override {
        Transfers::SetUp();
        if (HasFatalFailure()) return;
        m().BackupBeforeUpload = true;
        // What the processor holds before: every visible entry one above
        // the setup's value.
        BuildImage(m());
        for (const ParameterEntry& e : m().ParameterImage)
            port().table[e.address()] = static_cast<std::uint8_t>(e.Value + 1);
        before = port().table;
    }
    std::string folder() { return files::inFolder(workDir, "backups"); }
    std::vector<BackupListing> backups() { return listBackups(folder()); }
    BackupContents only() {
        const std::vector<BackupListing> list = backups();
        BackupContents c;
        EXPECT_EQ(list.size(), 1u);
        if (list.size() == 1) {
            EXPECT_EQ(readBackup(files::inFolder(folder(), list[0].file), c), std::nullopt);
        }
        return c;
    }
    // The write frames that reached the port (0xE0 "RS!" 0xE6 ...), and
    // whether any came before the last read frame.
    int writeFrames(bool* writeBeforeRead = nullptr) {
        std::vector<std::uint8_t> line;
        for (const auto& call : port().writeCalls) line.insert(line.end(), call.begin(), call.end());
        int writes = 0;
        bool readAfterWrite = false;
        for (std::size_t i = 0; i + 4 < line.size(); ++i) {
            if (line[i] != 0xE0 || line[i + 1] != 'R' || line[i + 2] != 'S' || line[i + 3] != '!') continue;
            if (line[i + 4] == 0xE6) ++writes;
            if (line[i + 4] == 0xE7 && writes > 0) readAfterWrite = true;
        }
        if (writeBeforeRead != nullptr) *writeBeforeRead = readAfterWrite;
        return writes;
    }
    std::map<std::uint16_t, std::uint8_t> before;
};

}  // namespace

TEST_F(BackedUpTransfers, UploadAllReadsWhatItWillWriteStoresItThenWrites) {
    m().CBCenterL.userSelect(10);
    Run r = run(m().OperationsWriteSettings);
    MarkVisibleEntries(m());
    const EntryFlags visible = m().ChangedMask;
    const int n = flags(visible);
    ClearChanged(m());
    EXPECT_EQ(r.finalLabel, "Settings uploaded succesfully.");
    EXPECT_EQ(r.ticks, 2 * n);
    // The backup phase has its caption and its own text, the upload its own.
    EXPECT_EQ(r.captions.front(), "Backing up:");
    EXPECT_EQ(r.labels.front(), "Reading the settings about to be replaced...");
    EXPECT_EQ(r.captions.back(), "Upload all settings");
    EXPECT_EQ(r.labels[static_cast<std::size_t>(n)], "Uploading settings...");
    bool writeBeforeRead = true;
    EXPECT_EQ(writeFrames(&writeBeforeRead), n);
    EXPECT_FALSE(writeBeforeRead);
    const BackupContents c = only();
    EXPECT_EQ(c.entries, visible);
    for (int k = 0; k < ImageEntryCount; ++k) {
        const ParameterEntry& e = c.image[static_cast<std::size_t>(k)];
        if (visible[static_cast<std::size_t>(k)] != 0) {
            EXPECT_EQ(e.Value, before[e.address()]) << k;
        }
    }
    EXPECT_EQ(c.header.operation, "Upload All Settings");
    EXPECT_EQ(c.header.model, "Tavro");
    EXPECT_EQ(c.header.port, "COM1");
    EXPECT_EQ(c.header.entries, n);
}

TEST_F(BackedUpTransfers, UploadChangedAndUploadTheseBackUpOnlyTheFlaggedEntries) {
    m().CBCenterL.userSelect(10);  // entry 12
    Run r = run(m().WriteChangedSettings);
    EXPECT_EQ(r.finalLabel, "Settings uploaded succesfully.");
    EXPECT_EQ(r.ticks, 2);
    EXPECT_EQ(writeFrames(), 1);
    BackupContents c = only();
    EntryFlags expected{};
    expected[12] = 1;
    EXPECT_EQ(c.entries, expected);
    EXPECT_EQ(c.image[12].Value, before[0x0012]);
    EXPECT_EQ(c.header.operation, "Upload Changed Settings");
}

TEST_F(BackedUpTransfers, AFailedBackupReadWritesNothing) {
    struct Case {
        const char* name;
        std::function<void(FakeSerialPort&)> fault;
        const char* text;
    } cases[] = {
        {"no answer", [](FakeSerialPort& p) { p.readFails = true; }, "Unable to establish serial connection."},
        {"wrong answer",
         [](FakeSerialPort& p) {
             p.scriptedAnswers = {{0xD9, 1, 0}, {0xD8, 1, 0}};
         },
         "Download failed"},
    };
    for (const Case& c : cases) {
        m().CBCenterL.userSelect(m().CBCenterL.itemIndex() == 10 ? 11 : 10);
        m().CheckBoxEnhancedBass.userClick();
        const EntryFlags pending = m().ChangedMask;
        for (MenuItem* command : {&m().WriteChangedSettings, &m().OperationsWriteSettings}) {
            port() = FakeSerialPort{};
            c.fault(port());
            Run r = run(*command);
            EXPECT_EQ(writeFrames(), 0) << c.name;
            EXPECT_EQ(m().CommOperation, CommOperation::OpFailed) << c.name;
            EXPECT_EQ(r.finalLabel, c.text) << c.name;
            EXPECT_EQ(m().ChangedMask, pending) << c.name;
            EXPECT_TRUE(m().WriteChangedSettings.enabled()) << c.name;
        }
    }
    EXPECT_TRUE(backups().empty());
}

TEST_F(BackedUpTransfers, ABackupThatCannotBeStoredWritesNothingAndSaysWhy) {
    writeBytes(folder(), "a file where the folder should be\n");
    m().CBCenterL.userSelect(10);
    Run r = run(m().WriteChangedSettings);
    EXPECT_EQ(writeFrames(), 0);
    EXPECT_EQ(m().CommOperation, CommOperation::OpFailed);
    // The folder and the separator the file layer puts before a name in it.
    const std::string inside = files::inFolder(folder(), "x");
    const std::string prefix = "Unable to create " + inside.substr(0, inside.size() - 1);
    EXPECT_EQ(r.finalLabel.substr(0, prefix.size()), prefix);
    const std::size_t end = r.finalLabel.find(".img.\n");
    ASSERT_NE(end, std::string::npos) << r.finalLabel;
    EXPECT_FALSE(r.finalLabel.substr(end + 6).empty());  // the system's reason
    EXPECT_EQ(port().table, before);
}

TEST_F(BackedUpTransfers, TheSwitchTurnsTheBackupOff) {
    // Off for this run, and off in the user's own choice.
    m().BackupBeforeUpload = false;
    m().CBCenterL.userSelect(10);
    Run r = run(m().WriteChangedSettings);
    EXPECT_EQ(r.ticks, 1);
    EXPECT_EQ(port().readSizes.size(), 1u);  // the write's answer only

    const std::string config = workDir + "/ports.conf";
    writeBytes(config, "BackupBeforeUpload=0\n");
    PortMap map(config, [] { return std::vector<std::string>{}; });
    usePortMap(&map);
    m().BackupBeforeUpload.reset();
    m().CBCenterL.userSelect(11);
    r = run(m().WriteChangedSettings);
    usePortMap(nullptr);
    EXPECT_EQ(r.ticks, 1);
    EXPECT_TRUE(backups().empty());
}

TEST_F(BackedUpTransfers, DownloadStoresWhatItReadAndCompareDoesNot) {
    Run r = run(m().OperationsReadSettings);
    EXPECT_EQ(r.finalLabel, "Settings downloaded succesfully.");
    const BackupContents c = only();
    EXPECT_EQ(c.header.operation, "Download Settings");
    for (int k = 0; k < ImageEntryCount; ++k) {
        const ParameterEntry& e = c.image[static_cast<std::size_t>(k)];
        if (c.entries[static_cast<std::size_t>(k)] != 0) {
            EXPECT_EQ(e.Value, before[e.address()]) << k;
        }
    }
    EXPECT_GT(c.header.entries, 290);
}

TEST_F(BackedUpTransfers, RestoreWritesExactlyTheBackupsEntriesBacksUpAndVerifies) {
    const ParameterImage setupImage = m().ParameterImage;
    ParameterImage image = InitialParameterImage();
    EntryFlags entries{};
    image[12].Value = 101;
    image[40].Value = 7;
    entries[12] = entries[40] = 1;
    host.onModal = [&](Form& f) {
        comm().StartTimer.fire();
        while (comm().OpTimer.enabled()) comm().OpTimer.fire();
        comm().ButtonComm.userClick();
        return f.modalResult();
    };
    EXPECT_TRUE(m().RestoreBackup(image, entries));
    EXPECT_EQ(comm().LabelComm.caption(), "Settings uploaded and verified succesfully.");
    EXPECT_EQ(writeFrames(), 2);
    EXPECT_EQ(port().table[image[12].address()], 101);
    EXPECT_EQ(port().table[image[40].address()], 7);
    const BackupContents c = only();
    EXPECT_EQ(c.entries, entries);
    EXPECT_EQ(c.header.operation, "Restore");
    EXPECT_EQ(m().ParameterImage, setupImage);
    EXPECT_EQ(m().Opts.AutoVerify, 0);

    port().mismatch[image[12].address()] = 3;
    EXPECT_FALSE(m().RestoreBackup(image, entries));
}
