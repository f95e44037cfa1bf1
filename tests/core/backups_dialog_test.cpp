// File > Processor Backups...: the list of the backups, and its Restore,
// Compare, Open as Setup and Close, against the scripted processor.
#include <ctime>
#include <filesystem>
#include <map>

#include "MainFixture.h"
#include "files/Paths.h"
#include "files_support.h"
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "forms/SetupFile.h"

using namespace tavro;
using namespace tavro::test;

namespace {

constexpr std::size_t CenterLevel = 12;  // entry 12, address 0x0012
constexpr std::size_t Source1NameChar2 = entry::SourceName + 1;

class BackupsDialog : public MainFixture {
protected:
    void SetUp() override {
        startShownOnShippedDefault();
        if (HasFatalFailure()) return;
        m().Opts.AutoVerify = 0;
        m().BackupBeforeUpload = true;
        // The processor holds what this setup sends.
        BuildImage(m());
        for (const ParameterEntry& e : m().ParameterImage) port().table[e.address()] = e.Value;
        setupText = FormatSetupText(m());
        setupImage = m().ParameterImage;
    }
    FakeSerialPort& port() { return host.port; }
    TFormBackups& dialog() { return *m().dialogs()->FormBackups; }
    TFormComm& comm() { return *m().dialogs()->FormComm; }
    TFormCompare& compare() { return *m().dialogs()->FormCompare; }
    std::string folder() { return files::inFolder(workDir, "backups"); }
    static std::uint16_t address(std::size_t entry) { return InitialParameterImage()[entry].address(); }

    // A backup of the setup's image with some values of its own, made at
    // `when`, as an upload of the named setup stores it.
    std::string store(std::time_t when, const std::map<std::size_t, std::uint8_t>& values,
                      BackupOperation operation = BackupOperation::UploadAll, const std::string& setup = "den.sfg") {
        ParameterImage image = setupImage;
        EntryFlags entries{};
        for (const auto& [entry, value] : values) {
            image[entry].Value = value;
            entries[entry] = 1;
        }
        const StoredBackup s =
            storeBackup(folder(), {when, operation, setup, "Tavro", "COM1", "/dev/ttyS0"}, image, entries);
        EXPECT_TRUE(s.result) << s.path;
        return s.path;
    }

    // The write frames that reached the processor.
    int writes() {
        std::vector<std::uint8_t> line;
        for (const auto& call : port().writeCalls) line.insert(line.end(), call.begin(), call.end());
        int n = 0;
        for (std::size_t i = 0; i + 4 < line.size(); ++i)
            n += line[i] == 0xE0 && line[i + 1] == 'R' && line[i + 2] == 'S' && line[i + 3] == '!' &&
                 line[i + 4] == 0xE6;
        return n;
    }

    // Opens the dialog from the File menu as the user does (a step of the
    // history when it changes the setup); `inDialog` works in it, then
    // Close is pressed unless the dialog has closed. The communication
    // dialog runs to its end; Compare's list is kept and `compareChoice`
    // closes it.
    void openDialog(const std::function<void()>& inDialog) {
        host.onModal = [this, inDialog](Form& f) {
            if (&f == &comm()) {
                comm().StartTimer.fire();
                for (int ticks = 0; comm().OpTimer.enabled() && ticks < 3000; ++ticks) comm().OpTimer.fire();
                commLabels.push_back(comm().LabelComm.caption());
                comm().ButtonComm.userClick();
            } else if (&f == &compare()) {
                compareColumns = compare().GridDifferences.columns();
                compareRows = compare().GridDifferences.rows();
                compareLabel = compare().LabelCompare.caption();
                (compare().*compareChoice).userClick();
            } else {
                EXPECT_EQ(&f, &dialog());
                f.FormShow();
                inDialog();
                if (f.modalResult() == ModalResult::None) dialog().ButtonClose.userClick();
                f.FormClose();
            }
            return f.modalResult();
        };
        m().userEdit(m().FileBackups, [this] { m().FileBackups.userClick(); });
    }
    std::vector<std::string> column(int c) {
        std::vector<std::string> v;
        for (const auto& row : dialog().GridBackups.rows()) v.push_back(row[static_cast<std::size_t>(c)]);
        return v;
    }
    void expectSetupUnchanged() {
        EXPECT_EQ(FormatSetupText(m()), setupText);
        BuildImage(m());
        EXPECT_EQ(m().ParameterImage, setupImage);
    }

    std::string setupText;
    ParameterImage setupImage{};
    Button TFormCompare::*compareChoice = &TFormCompare::ButtonClose;
    std::vector<std::string> commLabels, compareColumns;
    std::vector<std::vector<std::string>> compareRows;
    std::string compareLabel;
};

// 2026-12-11 at the given local hour.
std::time_t at(int hour) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 11;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace

TEST_F(BackupsDialog, ListsTheBackupsNewestFirstAndCloseChangesNothing) {
    store(at(9), {{CenterLevel, 88}}, BackupOperation::Download, "");
    store(at(14), {{CenterLevel, 89}, {Source1NameChar2, 'X'}});
    store(at(11), {{CenterLevel, 87}}, BackupOperation::UploadChanged, "hall.sfg");
    std::string label;
    bool enabled = false;
    openDialog([&] {
        label = dialog().LabelBackups.caption();
        enabled = dialog().ButtonRestore.enabled() && dialog().ButtonCompare.enabled() &&
                  dialog().ButtonOpenAsSetup.enabled();
    });
    EXPECT_EQ(host.modalShown, std::vector<std::string>{"FormBackups"});
    EXPECT_EQ(label, "3 backups in " + folder() + ", newest first.");
    EXPECT_EQ(dialog().GridBackups.columns(),
              (std::vector<std::string>{"Date and time", "Operation", "Setup", "Entries"}));
    EXPECT_EQ(column(0),
              (std::vector<std::string>{"2026-12-11 14:00:00", "2026-12-11 11:00:00", "2026-12-11 09:00:00"}));
    EXPECT_EQ(column(1),
              (std::vector<std::string>{"Upload All Settings", "Upload Changed Settings", "Download Settings"}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"den.sfg", "hall.sfg", ""}));
    EXPECT_EQ(column(3), (std::vector<std::string>{"2", "1", "1"}));
    EXPECT_EQ(dialog().GridBackups.row(), 0);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(dialog().modalResult(), ModalResult::Cancel);
    expectSetupUnchanged();
    EXPECT_TRUE(port().writeCalls.empty());
    EXPECT_FALSE(m().History.canUndo());
    EXPECT_EQ(listBackups(folder()).size(), 3u);
}

TEST_F(BackupsDialog, WithoutBackupsTheListSaysSoAndOffersNothing) {
    std::string label;
    bool anyEnabled = true;
    openDialog([&] {
        label = dialog().LabelBackups.caption();
        anyEnabled = dialog().ButtonRestore.enabled() || dialog().ButtonCompare.enabled() ||
                     dialog().ButtonOpenAsSetup.enabled();
        // Pressed anyway (a key the view let through): nothing happens.
        dialog().ButtonRestore.userClick();
        dialog().ButtonOpenAsSetup.userClick();
    });
    EXPECT_EQ(label, "There are no backups in " + folder() + " yet.");
    EXPECT_FALSE(anyEnabled);
    EXPECT_TRUE(dialog().GridBackups.rows().empty());
    EXPECT_TRUE(host.questions.empty());
    expectSetupUnchanged();
}

TEST_F(BackupsDialog, RestoreAsksFirstThenWritesExactlyTheBackupsEntriesBacksUpAndVerifies) {
    store(at(9), {{CenterLevel, 88}});
    store(at(14), {{CenterLevel, 89}, {Source1NameChar2, 'X'}});
    host.answers = {false, true};
    std::size_t rowsAfter = 0;
    openDialog([&] {
        dialog().GridBackups.userSelectRow(1);  // the older one
        dialog().ButtonRestore.userClick();     // declined
        EXPECT_TRUE(port().writeCalls.empty());
        dialog().ButtonRestore.userClick();
        rowsAfter = dialog().GridBackups.rows().size();
    });
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0],
              "Restore the backup of 2026-12-11 09:00:00 (Upload All Settings, den.sfg)? Its 1 entries are written "
              "to the processor and verified.");
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(port().table[address(CenterLevel)], 88);
    EXPECT_EQ(commLabels, std::vector<std::string>{"Settings uploaded and verified succesfully."});
    // The restore's own backup of what it replaced is listed at once, and
    // the backup the user picked stays picked.
    ASSERT_EQ(rowsAfter, 3u);
    EXPECT_EQ(dialog().backups()[static_cast<std::size_t>(dialog().GridBackups.row())].date, "2026-12-11 09:00:00");
    const std::vector<BackupListing> list = listBackups(folder());
    EXPECT_EQ(list[0].operation, "Restore");
    BackupContents replaced;
    ASSERT_EQ(readBackup(files::inFolder(folder(), list[0].file), replaced), std::nullopt);
    EXPECT_EQ(replaced.image[CenterLevel].Value, setupImage[CenterLevel].Value);
    expectSetupUnchanged();
    EXPECT_FALSE(m().History.canUndo());
}

TEST_F(BackupsDialog, CompareListsWhereTheProcessorDiffersFromTheBackupAndUploadTheseRestoresThose) {
    store(at(14), {{CenterLevel, 88}, {Source1NameChar2, 'X'}, {CenterLevel + 1, setupImage[CenterLevel + 1].Value}});
    port().table[address(CenterLevel)] = 90;
    port().table[address(Source1NameChar2)] = 'Y';
    for (Button TFormCompare::*choice : {&TFormCompare::ButtonClose, &TFormCompare::ButtonUploadThese}) {
        SCOPED_TRACE(choice == &TFormCompare::ButtonClose ? "Close" : "Upload These");
        compareChoice = choice;
        port().writeCalls.clear();
        openDialog([&] { dialog().ButtonCompare.userClick(); });
        EXPECT_EQ(compareColumns, (std::vector<std::string>{"Setting", "This backup", "Processor"}));
        ASSERT_EQ(compareRows.size(), 2u);
        EXPECT_EQ(compareRows[0][0], "Speaker Settings / Center level");
        EXPECT_EQ(compareRows[1][0], "Source 1 Settings / Source 1 name");
        EXPECT_EQ(compareRows[1][1].substr(0, 2), std::string(1, m().Sources[0].Name[0]) + "X");
        EXPECT_EQ(compareRows[1][2].substr(0, 2), std::string(1, m().Sources[0].Name[0]) + "Y");
        EXPECT_EQ(compareLabel, "2 settings differ from the processor.");
    }
    // Close wrote nothing; Upload These wrote the backup's two values and
    // backed up the processor's first.
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(port().table[address(CenterLevel)], 88);
    EXPECT_EQ(port().table[address(Source1NameChar2)], 'X');
    const std::vector<BackupListing> list = listBackups(folder());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].operation, "Restore");
    EXPECT_EQ(list[0].entries, 2);
    expectSetupUnchanged();

    // Once the processor holds the backup, Compare says so.
    compareChoice = &TFormCompare::ButtonClose;
    openDialog([&] {
        dialog().GridBackups.userSelectRow(1);
        dialog().ButtonCompare.userClick();
    });
    EXPECT_TRUE(compareRows.empty());
    EXPECT_EQ(compareLabel, "The processor holds every setting of this backup.");
}

TEST_F(BackupsDialog, OpenAsSetupTakesTheValuesIntoTheSetupAsAStepAndWritesNothing) {
    const std::string path = store(at(14), {{CenterLevel, 88}, {Source1NameChar2, 'X'}});
    openDialog([&] { dialog().ButtonOpenAsSetup.userClick(); });
    EXPECT_EQ(dialog().modalResult(), ModalResult::Ok);
    EXPECT_TRUE(port().writeCalls.empty());
    BuildImage(m());
    EXPECT_EQ(m().ParameterImage[CenterLevel].Value, 88);
    EXPECT_EQ(m().ParameterImage[Source1NameChar2].Value, 'X');
    EXPECT_EQ(m().Sources[0].Name[1], 'X');
    // Every entry of the backup is pending, nothing else.
    EntryFlags expected{};
    expected[CenterLevel] = expected[Source1NameChar2] = 1;
    EXPECT_EQ(m().ChangedMask, expected);
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    const std::string opened = FormatSetupText(m());
    EXPECT_NE(opened, setupText);

    ASSERT_TRUE(m().History.canUndo());
    EXPECT_EQ(m().History.undoName(), "Open as Setup " + std::filesystem::path(path).filename().string());
    m().History.undo();
    expectSetupUnchanged();
    m().History.redo();
    EXPECT_EQ(FormatSetupText(m()), opened);
}

TEST_F(BackupsDialog, ABackupThatCannotBeReadIsReportedAndNothingHappens) {
    const std::string path = store(at(14), {{CenterLevel, 88}});
    writeBytes(path, "# Date: 2026-12-11 14:00:00\n12 0012 88\n12 0013 88\n");
    openDialog([&] { dialog().ButtonOpenAsSetup.userClick(); });
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], path + ":3: not a backup line (ENTRY ADDRESS VALUE): 12 0013 88");
    EXPECT_EQ(dialog().modalResult(), ModalResult::Cancel);
    expectSetupUnchanged();
    EXPECT_FALSE(m().History.canUndo());
}
