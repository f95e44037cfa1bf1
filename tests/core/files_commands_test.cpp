// The file commands with a scripted host: New, Open, Save, Save As,
// the close query with its questions, the options rewrite of "Default.dfg",
// and the default setup at start-up. The same under faults:
// files_faults_test.cpp.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FolderFixture.h"
#include "files/TextForm.h"

using namespace tavro;
using namespace tavro::test;

namespace {

using FilesCommands = StartedInFolder;

// A host that also records what the file dialogs were asked to show.
class RecordingHost : public FakeHost {
public:
    std::vector<FileDialogSetup> openRequests, saveRequests;
    std::optional<std::string> askOpenFile(const FileDialogSetup& request) override {
        openRequests.push_back(request);
        return FakeHost::askOpenFile(request);
    }
    std::optional<std::string> askSaveFile(const FileDialogSetup& request) override {
        saveRequests.push_back(request);
        return FakeHost::askSaveFile(request);
    }
};

}  // namespace

// ---- start-up ---------------------------------------------------------------

TEST_F(FilesCommands, StartUpReadsTheDefaultSetupOfTheStartDirectory) {
    EXPECT_EQ(m().caption(), "Default Setup");
    EXPECT_TRUE(m().GBMessages.visible());
    EXPECT_EQ(m().Opts.ComPort, 2);
    EXPECT_TRUE(m().CurrentFileName.empty());
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(marked().empty());
    // The process's working directory is not the start directory here.
    EXPECT_NE(std::filesystem::current_path().string(), dir);
}

TEST_F(FilesCommands, AMissingOrCorruptDefaultSetupEndsTheProgramWithoutTouchingIt) {
    struct Case {
        const char* content;  // nullptr: no Default.dfg
        const char* message;
    };
    const Case cases[] = {{nullptr, "Unable to open Default.dfg.\nNo such file or directory"},
                          {"// Setup\r\n[Options]\r\nCOM4\r\n", "Error: Default.dfg is corrupted."}};
    for (const Case& c : cases) {
        std::filesystem::remove(defaultFile);
        if (c.content) writeBytes(defaultFile, c.content);
        FakeHost h;
        h.readablePictures = {"logo.bmp"};
        Program p(h, [this](TTavroSetupMain& w) { w.StartDirectory = dir; });
        h.onClose = [&p] { p.main().TryClose(); };
        p.main().FormShow();
        EXPECT_EQ(h.errors, std::vector<std::string>{c.message});
        EXPECT_TRUE(h.questions.empty());
        EXPECT_TRUE(p.main().closed());
        EXPECT_EQ(fileExists(defaultFile), c.content != nullptr);
        if (c.content) {
            EXPECT_EQ(readBytes(defaultFile), c.content);
        }
        EXPECT_FALSE(fileExists(path("DefTmp.bak")));
    }
}

// ---- New ----------------------------------------------------------------------

TEST_F(FilesCommands, NewAsksWhenThereAreChangesAndReadsTheDefaultOnTopOfTheSetup) {
    edit();
    m().SBLFELevel.setPosition(-7);
    m().CurrentFileName = path("mine.sfg");
    host.answers = {false};
    m().FileNewClick();
    EXPECT_EQ(host.questions, std::vector<std::string>{"Discard Changes?"});
    EXPECT_EQ(m().SBLFELevel.position(), -7);
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_EQ(m().CurrentFileName, path("mine.sfg"));

    m().GBPhones.setVisible(true);  // not in the default: stays as it is
    m().SBPhones.setPosition(-3);
    host.answers = {true};
    m().FileNewClick();
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(m().SBLFELevel.position(), -2);
    EXPECT_EQ(m().SBPhones.position(), -3);
    EXPECT_TRUE(m().GBPhones.visible());
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(m().CurrentFileName.empty());
    EXPECT_TRUE(marked().empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesCommands, NewDoesNotAskWithoutChangesOrWithoutConfirmation) {
    m().FileNewClick();
    EXPECT_TRUE(host.questions.empty());
    m().Opts.ConfirmDiscard = 0;
    edit();
    m().FileNewClick();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_FALSE(m().FileSave.enabled());
}

TEST_F(FilesCommands, NewWithoutADefaultSetupSaysSoAndChangesNothing) {
    std::filesystem::remove(defaultFile);
    edit();
    m().CurrentFileName = path("mine.sfg");
    host.answers = {true};  // discard the edit
    m().FileNewClick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open Default.dfg.\nNo such file or directory"});
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_EQ(m().CurrentFileName, path("mine.sfg"));
    EXPECT_FALSE(marked().empty());
    EXPECT_TRUE(m().DefaultFileUnreadable);
}

TEST_F(FilesCommands, NewWithADefaultThatIsNoSetupReadsNothingSaysNothingAndStillResets) {
    writeBytes(defaultFile, "[LFE Level]\r\n-9\r\n");
    edit();
    m().CurrentFileName = path("mine.sfg");
    host.answers = {true};  // discard the edit
    m().FileNewClick();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(m().SBLFELevel.position(), -2);
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(m().CurrentFileName.empty());
    EXPECT_TRUE(marked().empty());
}

TEST_F(FilesCommands, NewReadsTheDefaultOfTheStartDirectoryWhateverFolderWasVisited) {
    const std::string other = path("elsewhere");
    std::filesystem::create_directory(other);
    writeBytes(other + "/Default.dfg", setupText({"[LFE Level]", "-9"}));
    host.openAnswers = {setupFile("elsewhere/x.sfg", {"[LFE Level]", "-5"})};
    m().FileOpenClick();
    ASSERT_EQ(m().SBLFELevel.position(), -5);
    m().FileNewClick();
    EXPECT_EQ(m().SBLFELevel.position(), -2);
}

// ---- Open ---------------------------------------------------------------------

TEST_F(FilesCommands, OpenReadsTheChosenFileAndMakesItTheCurrentFile) {
    const std::string file = setupFile("a.sfg", {"[General]", "Opened", "x", "y", "R7", "[LFE Level]", "-8"});
    edit();
    host.answers = {true};
    host.openAnswers = {file};
    m().FileOpenClick();
    EXPECT_EQ(host.questions, std::vector<std::string>{"Discard Changes?"});
    EXPECT_EQ(m().caption(), "Opened");
    EXPECT_EQ(m().ModelVariant, tavro::ModelVariant::R7);
    EXPECT_EQ(m().SBLFELevel.position(), -8);
    EXPECT_EQ(m().CurrentFileName, file);
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_FALSE(m().WriteChangedSettings.enabled());
    EXPECT_TRUE(marked().empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesCommands, OpenAnsweredNoOrCancelledChangesNothing) {
    edit();
    m().CurrentFileName = path("mine.sfg");
    host.answers = {false};
    host.openAnswers = {setupFile("a.sfg", {"[LFE Level]", "-8"})};
    m().FileOpenClick();
    EXPECT_EQ(host.openAnswers.size(), 1u);  // the dialog was not shown
    host.answers = {true};
    host.openAnswers = {std::nullopt};
    m().FileOpenClick();
    EXPECT_EQ(m().SBLFELevel.position(), -2);
    EXPECT_EQ(m().CurrentFileName, path("mine.sfg"));
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesCommands, AFailedOpenReportsAndKeepsTheCurrentFileName) {
    const std::string mine = setupFile("mine.sfg", {"[LFE Level]", "-4"});
    host.openAnswers = {mine};
    m().FileOpenClick();
    ASSERT_EQ(m().CurrentFileName, mine);
    edit();

    const std::string missing = path("missing.sfg");
    const std::string notSetup = path("notes.txt");
    writeBytes(notSetup, "Some notes\r\n");
    host.openAnswers = {missing, notSetup};
    host.answers = {true, true};  // discard the edit, each time
    m().FileOpenClick();
    m().FileOpenClick();
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Unable to open " + missing + ".\nNo such file or directory",
                                                     "Unknown file type."}));
    EXPECT_EQ(m().CurrentFileName, mine);
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
    EXPECT_FALSE(marked().empty());

    // A later Save writes the file that was read, never the one that was not.
    m().FileSaveClick();
    EXPECT_EQ(readBytes(notSetup), "Some notes\r\n");
    EXPECT_FALSE(fileExists(missing));
    EXPECT_NE(readBytes(mine).find("[Messages]"), std::string::npos);
    EXPECT_FALSE(m().FileSave.enabled());
}

TEST_F(FilesCommands, WithoutConfirmationOpenNeverAsks) {
    m().Opts.ConfirmDiscard = 0;
    edit();
    host.openAnswers = {setupFile("a.sfg", {"[LFE Level]", "-8"})};
    m().FileOpenClick();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(m().SBLFELevel.position(), -8);
}

TEST(FilesDialogs, OpenAndSaveDialogsCarryTheirFiltersAndTitles) {
    RecordingHost h;
    Program p(h, [](TTavroSetupMain& w) { w.ReadSetupFileHook = nullptr; });
    h.answers = {true};  // discard the unsaved setup
    h.openAnswers = {std::nullopt};  // both dialogs cancelled
    h.saveAnswers = {std::nullopt};
    p.main().FileOpenClick();
    p.main().FileSaveAsClick();
    ASSERT_EQ(h.openRequests.size(), 1u);
    EXPECT_EQ(h.openRequests[0].title, "Open...");
    EXPECT_EQ(h.openRequests[0].filter, "Setup Configuration|*.sfg");
    EXPECT_EQ(h.openRequests[0].defaultExtension, ".sfg");
    ASSERT_EQ(h.saveRequests.size(), 1u);
    EXPECT_EQ(h.saveRequests[0].filter, "Setup Configuration|*.sfg");
    EXPECT_EQ(h.saveRequests[0].defaultExtension, ".sfg");
}

// Save As proposes the current file's name; Open, even after it, none.
TEST(FilesDialogs, SaveAsProposesTheCurrentFile) {
    RecordingHost h;
    Program p(h, [](TTavroSetupMain& w) { w.ReadSetupFileHook = nullptr; });
    p.main().CurrentFileName = "/setups/hall.sfg";
    h.saveAnswers = {std::nullopt};  // both dialogs cancelled
    h.answers = {true};  // discard the unsaved setup
    h.openAnswers = {std::nullopt};
    p.main().FileSaveAsClick();
    p.main().FileOpenClick();
    ASSERT_EQ(h.saveRequests.size(), 1u);
    EXPECT_EQ(h.saveRequests[0].title, "Save As");
    EXPECT_EQ(h.saveRequests[0].fileName, "/setups/hall.sfg");
    ASSERT_EQ(h.openRequests.size(), 1u);
    EXPECT_TRUE(h.openRequests[0].fileName.empty());
}

// ---- Save and Save As ---------------------------------------------------------

TEST_F(FilesCommands, SaveWithoutAFileNameIsSaveAs) {
    edit();
    const std::string target = path("new.sfg");
    host.saveAnswers = {target};
    const std::string caption = m().caption();
    m().FileSaveClick();
    EXPECT_EQ(m().CurrentFileName, target);
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_TRUE(m().WriteChangedSettings.enabled());  // the processor has not got the changes yet
    EXPECT_FALSE(marked().empty());
    EXPECT_EQ(m().caption(), caption);
    EXPECT_EQ(readBytes(target).substr(0, 9), "//Setup\r\n");

    // The next Save writes there without a dialog.
    m().SBLFELevel.setPosition(-6);
    EXPECT_TRUE(m().FileSave.enabled());
    m().FileSaveClick();
    EXPECT_FALSE(m().FileSave.enabled());
    EXPECT_NE(readBytes(target).find("[LFE Level]\r\n-6\r\n"), std::string::npos);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesCommands, SaveAsCancelledChangesNothing) {
    edit();
    m().CurrentFileName = path("mine.sfg");
    host.saveAnswers = {std::nullopt};
    m().FileSaveAsClick();
    EXPECT_EQ(m().CurrentFileName, path("mine.sfg"));
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_FALSE(fileExists(path("mine.sfg")));
}

TEST_F(FilesCommands, SaveAsCleansTheMessagesFirstAndKeepsTheChosenNameWhenItFails) {
    m().EditWelcome1.setText("Hi #1");
    const std::string bad = path("no/such/folder.sfg");
    host.saveAnswers = {bad};
    m().FileSaveAsClick();
    EXPECT_EQ(m().EditWelcome1.text(), "Hi  1");
    EXPECT_EQ(host.errors, (std::vector<std::string>{"Unable to open " + bad + ".", "Unable to create " + bad + ".\nNo such file or directory"}));
    EXPECT_EQ(m().CurrentFileName, bad);
    EXPECT_TRUE(m().FileSave.enabled());
}

TEST_F(FilesCommands, AFailedSaveReportsTwiceAndKeepsSaveEnabled) {
    const std::string target = path("ro.sfg");
    writeBytes(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    m().CurrentFileName = target;
    edit();
    m().FileSaveClick();
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{"Unable to open " + target + ".", "Unable to open " + target + " for writing.\nPermission denied"}));
    EXPECT_TRUE(m().FileSave.enabled());
    EXPECT_EQ(readBytes(target), "old");
}

// ---- closing --------------------------------------------------------------

TEST_F(FilesCommands, ClosingWithoutChangesStoresTheOptionsWithoutAsking) {
    m().Opts = {4, 0, 1};
    m().FileExit.userClick();
    EXPECT_TRUE(m().closed());
    EXPECT_TRUE(host.questions.empty());
    const auto lines = files::splitLines(readBytes(defaultFile));
    auto at = std::find(lines.begin(), lines.end(), "[Options]");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(std::vector<std::string>(at, lines.end()),
              (std::vector<std::string>{"[Options]", "COM4", "Verify Off", "Confirm", ""}));
    EXPECT_FALSE(fileExists(path("DefTmp.bak")));
}

TEST_F(FilesCommands, ClosingWithChangesAsksExitWithoutSave) {
    edit();
    const std::string before = readBytes(defaultFile);
    host.answers = {false};
    m().FileExit.userClick();
    EXPECT_EQ(host.questions, std::vector<std::string>{"Exit Without Save?"});
    EXPECT_FALSE(m().closed());
    EXPECT_EQ(readBytes(defaultFile), before);

    m().Opts.AutoVerify = 0;
    host.answers = {true};
    m().FileExit.userClick();
    EXPECT_TRUE(m().closed());
    EXPECT_NE(readBytes(defaultFile).find("[Options]\r\nCOM2\r\nVerify Off\r\nConfirm"), std::string::npos);
}

TEST_F(FilesCommands, WithoutConfirmationClosingNeverAsksAndStoresTheOptions) {
    m().Opts.ConfirmDiscard = 0;
    edit();
    m().FileExit.userClick();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(m().closed());
    EXPECT_NE(readBytes(defaultFile).find("No Confirmation"), std::string::npos);
}

TEST_F(FilesCommands, ClosingCleansTheMessageTexts) {
    m().Opts.ConfirmDiscard = 0;
    m().EditShutdown1.setText("Bye #2");
    m().FileExit.userClick();
    EXPECT_EQ(m().EditShutdown1.text(), "Bye  2");
}

// ---- storing the options in the default file ---------------------------------

TEST_F(FilesCommands, TheOptionsBlockIsReplacedAndEverythingElseCopiedInOrder) {
    writeBytes(defaultFile, "//Setup\r\nA\nB\r\n[Options]\r\nCOM1\r\nVerify Off\r\nNo Confirmation\r\nAfter 1\r\nAfter 2");
    m().Opts = {3, 1, 1};
    m().FileExit.userClick();
    EXPECT_EQ(readBytes(defaultFile),
              "//Setup\r\nA\nB\r\n[Options]\r\nCOM3\r\nVerify On\r\nConfirm\r\nAfter 1\r\nAfter 2");
}

TEST_F(FilesCommands, TheRewriteKeepsEveryLineEndAndTheFilesEnding) {
    m().Opts = {3, 1, 1};
    const auto block = [](const std::string& end) {
        return "[Options]" + end + "COM3" + end + "Verify On" + end + "Confirm";
    };
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"LF only", "//Setup\n[General]\nX\n\n[Options]\nCOM1\nVerify Off\nNo Confirmation\n\n[LFE Level]\n-2\n",
         "//Setup\n[General]\nX\n\n" + block("\n") + "\n\n[LFE Level]\n-2\n"},
        {"CR LF, the block at the end with an empty line after it",
         "//Setup\r\n[Options]\r\nCOM1\r\nVerify Off\r\nNo Confirmation\r\n\r\n",
         "//Setup\r\n" + block("\r\n") + "\r\n\r\n"},
        {"mixed: the block takes its header's line end",
         "//Setup\r\nA\nB\r\n[Options]\nCOM1\r\nVerify Off\nNo Confirmation\r\nAfter 1\nAfter 2\r\n",
         "//Setup\r\nA\nB\r\n" + block("\n") + "\nAfter 1\nAfter 2\r\n"},
        {"a header that ends the file takes the first line end", "//Setup\n[Options]", "//Setup\n" + block("\n")},
        {"no final line end", "//Setup\r\n[Options]\r\nCOM1\r\nVerify Off\r\nConfirm\r\nAfter",
         "//Setup\r\n" + block("\r\n") + "\r\nAfter"},
        {"a short block at the end", "//Setup\n[Options]\nCOM4\n", "//Setup\n" + block("\n") + "\n"},
        {"no block, with a final line end", "//Setup\n[LFE Level]\n-2\n",
         "//Setup\n[LFE Level]\n-2\n\n" + block("\n") + "\n"},
        {"no block, without a final line end", "//Setup\nlast", "//Setup\nlast\n\n" + block("\n")},
        {"no line end at all", "//Setup", "//Setup\r\n\r\n" + block("\r\n")},
        {"nothing", "", "\r\n" + block("\r\n")},
        {"a lone CR stays in its line", "//Setup\r\nA\rB\n[Options]\r\n", "//Setup\r\nA\rB\n" + block("\r\n") + "\r\n"},
        {"a Ctrl-Z and what follows it",
         "//Setup\nnote \x1a\n[Options]\nCOM1\nVerify Off\nConfirm\ntail \x1a bytes\n\x1a",
         "//Setup\nnote \x1a\n" + block("\n") + "\ntail \x1a bytes\n\x1a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string once = ReplaceOptionsBlock(c.before, m());
        EXPECT_EQ(once, c.after);
        EXPECT_EQ(ReplaceOptionsBlock(once, m()), once);  // the next close changes nothing
    }
    // Through the close itself.
    writeBytes(defaultFile, cases[1].before);
    m().FileExit.userClick();
    ASSERT_TRUE(m().closed());
    EXPECT_EQ(readBytes(defaultFile), cases[1].after);
}

TEST_F(FilesCommands, ADefaultWithoutOptionsGainsAnEmptyLineAndTheFourOptionLines) {
    writeBytes(defaultFile, "//Setup\r\n\r\n[LFE Level]\r\n-2\r\n");
    m().FileExit.userClick();
    EXPECT_EQ(readBytes(defaultFile),
              "//Setup\r\n\r\n[LFE Level]\r\n-2\r\n\r\n[Options]\r\nCOM2\r\nVerify On\r\nConfirm\r\n");
}

TEST_F(FilesCommands, TextAfterTheLastLineEndIsTheLastLineAndAShortBlockEndsWithTheFile) {
    writeBytes(defaultFile, "//Setup\r\n[Options]\r\nCOM4");
    m().FileExit.userClick();
    EXPECT_EQ(readBytes(defaultFile), "//Setup\r\n[Options]\r\nCOM2\r\nVerify On\r\nConfirm");
    EXPECT_EQ(ReplaceOptionsBlock("//Setup\r\nlast line", m()),
              "//Setup\r\nlast line\r\n\r\n[Options]\r\nCOM2\r\nVerify On\r\nConfirm");
}

TEST_F(FilesCommands, RepeatedClosesNeverAddLines) {
    std::string text = readBytes(defaultFile);
    std::size_t lines = files::splitLines(text).size();
    for (int close = 0; close < 5; ++close) {
        m().Opts.ComPort = static_cast<std::uint8_t>(1 + close % 4);
        text = ReplaceOptionsBlock(text, m());
        const auto now = files::splitLines(text);
        EXPECT_LE(now.size(), lines);
        lines = now.size();
        EXPECT_EQ(std::count(now.begin(), now.end(), "[Options]"), 1);
        auto at = std::find(now.begin(), now.end(), "[Options]");
        ASSERT_LE(at + 4, now.end());
        EXPECT_EQ(at[1], "COM" + std::to_string(1 + close % 4));
        EXPECT_EQ(now[1], "[General]");  // the lines before stay as they were
    }
    // And through the files, with restarts in between.
    for (int run = 0; run < 3; ++run) {
        FakeHost h;
        Program p(h, [this](TTavroSetupMain& w) { w.StartDirectory = dir; });
        h.onClose = [&p] { p.main().TryClose(); };
        p.main().FormShow();
        EXPECT_EQ(p.main().Opts.ComPort, run == 0 ? 2 : 3);
        p.main().Opts.ComPort = 3;
        p.main().FileExit.userClick();
        ASSERT_TRUE(p.main().closed());
        EXPECT_LE(files::splitLines(readBytes(defaultFile)).size(), DefaultLines.size() + 1);
    }
}

TEST_F(FilesCommands, AReadOnlyDefaultStaysAndDefTmpIsLeftBesideIt) {
    const std::string before = readBytes(defaultFile);
    ASSERT_EQ(chmod(defaultFile.c_str(), 0444), 0);
    m().Opts.ComPort = 4;
    m().FileExit.userClick();
    EXPECT_TRUE(m().closed());
    EXPECT_EQ(readBytes(defaultFile), before);
    EXPECT_TRUE(fileExists(path("DefTmp.bak")));
    EXPECT_NE(readBytes(path("DefTmp.bak")).find("COM4"), std::string::npos);
}

TEST_F(FilesCommands, WithoutADefaultFileAtTheCloseNothingIsStored) {
    std::filesystem::remove(defaultFile);
    m().FileExit.userClick();
    EXPECT_TRUE(m().closed());
    EXPECT_EQ(folderEntries(), std::vector<std::string>{});
}

TEST_F(FilesCommands, TheDefaultIsReplacedByARenameAndKeepsItsPermissions) {
    ASSERT_EQ(chmod(defaultFile.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(stat(defaultFile.c_str(), &before), 0);
    m().Opts.ComPort = 4;
    m().FileExit.userClick();
    struct stat after {};
    ASSERT_EQ(stat(defaultFile.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file took its place in one step
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Default.dfg"});
}

TEST_F(FilesCommands, TheOptionsGoToTheStartDirectoryWhateverFolderWasVisited) {
    const std::string other = path("elsewhere");
    std::filesystem::create_directory(other);
    const std::string there = setupFile("elsewhere/x.sfg", {"[LFE Level]", "-5"});
    writeBytes(other + "/Default.dfg", "//Setup\r\n");
    host.openAnswers = {there};
    m().FileOpenClick();
    host.saveAnswers = {other + "/y.sfg"};
    m().FileSaveAsClick();
    m().Opts.ComPort = 4;
    m().FileExit.userClick();
    EXPECT_EQ(readBytes(other + "/Default.dfg"), "//Setup\r\n");
    EXPECT_NE(readBytes(defaultFile).find("COM4"), std::string::npos);
    EXPECT_FALSE(fileExists(other + "/DefTmp.bak"));
}
