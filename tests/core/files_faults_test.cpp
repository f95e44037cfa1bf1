// The file commands and the options rewrite under faults on real files:
// read errors in the middle of a file, pipes and links where a file is
// expected, two closes at the same moment, a Ctrl-Z in "Default.dfg", a
// save killed half-way, a full disk, and the close after a failed Open.
// Faults are injected through the file layer's seams (fileHooks).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "FolderFixture.h"
#include "PipeWatch.h"
#include "files/AtomicFile.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// Puts the system's own calls back when the test ends.
struct HookScope {
    ~HookScope() { files::fileHooks() = {}; }
};

// Reads deliver the file up to `offset` bytes (in pieces of at most
// `piece`), then fail with `error`.
void failReadsAt(std::size_t offset, int error, std::size_t piece = 7) {
    auto delivered = std::make_shared<std::size_t>(0);
    files::fileHooks().read = [=](int fd, void* buffer, std::size_t size) -> ssize_t {
        if (*delivered >= offset) {
            errno = error;
            return -1;
        }
        ssize_t n = ::read(fd, buffer, std::min({size, piece, offset - *delivered}));
        if (n > 0) *delivered += static_cast<std::size_t>(n);
        return n;
    };
}

// Writes fail with `error` once `offset` bytes of one file were written.
void failWritesAt(std::size_t offset, int error) {
    auto written = std::make_shared<std::size_t>(0);
    files::fileHooks().write = [=](int fd, const void* buffer, std::size_t size) -> ssize_t {
        if (*written >= offset) {
            errno = error;
            return -1;
        }
        ssize_t n = ::write(fd, buffer, std::min(size, offset - *written));
        if (n > 0) *written += static_cast<std::size_t>(n);
        return n;
    };
}

// Every flush of a file to the disk fails with `error`.
void refuseSyncs(int error) {
    files::fileHooks().sync = [=](int) {
        errno = error;
        return -1;
    };
}

// The file system has no unnamed temporary files: their open fails with
// `error`. Counts the attempts.
std::shared_ptr<int> refuseUnnamedTemporaries(int error) {
    auto attempts = std::make_shared<int>(0);
    files::fileHooks().openUnnamed = [=](const std::string&) {
        ++*attempts;
        errno = error;
        return -1;
    };
    return attempts;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

class FilesFaults : public StartedInFolder {
protected:
    HookScope hooks;

    // A user's setup with values that differ from every default.
    std::string userSetup(const std::string& name) {
        return setupFile(name, {"[General]", "Mine", "A", "B", "Tavro", "", "[Messages]", "Skip", "Hello There",
                                "Second", "Good Bye", "Night", "", "[General Audio Settings]", "-45", "3", "-2", "0"});
    }

    // A second program started in the same folder, as another instance.
    std::unique_ptr<Program> secondInstance(FakeHost& h) {
        auto p = std::make_unique<Program>(h, [this](TTavroSetupMain& w) { w.StartDirectory = dir; });
        Program* started = p.get();
        h.onClose = [started] { started->main().TryClose(); };
        p->main().FormShow();
        return p;
    }

    // Another start in the folder says "Unable to open Default.dfg." with
    // the reason and ends.
    void expectStartUpStopsUnreadable(const std::string& reason) {
        FakeHost h;
        h.readablePictures = {"logo.bmp"};
        std::unique_ptr<Program> p = secondInstance(h);
        EXPECT_EQ(h.messages, std::vector<std::string>{"Unable to open Default.dfg.\n" + reason});
        EXPECT_TRUE(p->main().closed());
    }
};

}  // namespace

// ---- reading: a file that cannot be read to its end cannot be opened ------

TEST_F(FilesFaults, AReadErrorAnywhereInAFileMakesOpenFailAndChangesNothing) {
    const std::string victim = userSetup("victim.sfg");
    const std::size_t size = readBytes(victim).size();
    host.openAnswers = {userSetup("current.sfg")};
    m().FileOpenClick();
    ASSERT_EQ(m().CurrentFileName, path("current.sfg"));
    m().EditWelcome2.setText("Edited");
    const std::string before = FormatSetupText(m());

    for (std::size_t offset : {std::size_t{0}, std::size_t{8}, size / 2, size - 1}) {
        for (int error : {EIO, ENXIO}) {
            SCOPED_TRACE("fault at byte " + std::to_string(offset) + ": " + files::reasonText(error));
            failReadsAt(offset, error);
            host.messages.clear();
            host.openAnswers = {victim};
            host.answers = {true};
            m().FileOpenClick();
            EXPECT_EQ(host.messages,
                      std::vector<std::string>{"Unable to open " + victim + ".\n" + files::reasonText(error)});
            EXPECT_EQ(FormatSetupText(m()), before);
            EXPECT_EQ(m().CurrentFileName, path("current.sfg"));
            EXPECT_TRUE(m().FileSave.enabled());
            EXPECT_TRUE(m().DefaultFileUnreadable);
        }
    }
    // Without a fault the same file opens.
    files::fileHooks() = {};
    host.messages.clear();
    host.openAnswers = {victim};
    host.answers = {true};
    m().FileOpenClick();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(m().EditWelcome1.text(), "Hello There");
}

TEST_F(FilesFaults, AReadErrorInTheDefaultSetupIsAnUnreadableDefault) {
    // At start-up: the program says so and ends without touching the file.
    const std::string before = readBytes(defaultFile);
    failReadsAt(20, EIO);
    expectStartUpStopsUnreadable("Input/output error");
    files::fileHooks() = {};
    EXPECT_EQ(readBytes(defaultFile), before);

    // New: reported, and nothing changes.
    m().EditWelcome1.setText("Kept");
    const std::string setup = FormatSetupText(m());
    failReadsAt(20, EIO);
    host.answers = {true};
    m().FileNewClick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open Default.dfg.\nInput/output error"});
    EXPECT_EQ(FormatSetupText(m()), setup);
    EXPECT_TRUE(m().FileSave.enabled());
}

// ---- a file longer than any setup: refused, never read past the limit --------

TEST_F(FilesFaults, AFileUpToTheLimitIsReadAndALongerOneIsRefusedWithoutReadingOn) {
    struct Case {
        const char* what;
        std::size_t size;  // of the file on the disk
        bool endless;      // the reads deliver more than the file, without end
        int error;
    };
    const Case cases[] = {
        {"as long as the limit", files::MaxFileSize, false, 0},
        {"one byte longer", files::MaxFileSize + 1, false, EFBIG},
        {"growing while it is read", 100, true, EFBIG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A setup padded with blank lines to the size.
        std::string text = setupText({"[Messages]", "Skip", "Long", "", "", ""});
        text.resize(c.size, '\n');
        writeBytes(path("long.sfg"), text);
        // Reads that go on past the end deliver "y\n" as `yes >> file` does;
        // after 4 limits' worth they end, so that reading without a limit
        // ends too.
        auto delivered = std::make_shared<std::size_t>(0);
        files::fileHooks().read = [&c, delivered](int fd, void* buffer, std::size_t size) -> ssize_t {
            ssize_t n = ::read(fd, buffer, size);
            if (n == 0 && c.endless && *delivered < 4 * files::MaxFileSize) {
                n = static_cast<ssize_t>(size);
                for (std::size_t i = 0; i < size; ++i) static_cast<char*>(buffer)[i] = i % 2 == 0 ? 'y' : '\n';
            }
            if (n > 0) *delivered += static_cast<std::size_t>(n);
            return n;
        };
        std::string content = "old";
        EXPECT_EQ(files::readRegularFile(path("long.sfg"), content).error, c.error);
        EXPECT_LE(*delivered, files::MaxFileSize + 1);
        EXPECT_EQ(content.size(), c.error == 0 ? c.size : 0);

        // The window says so and keeps its setup.
        host.messages.clear();
        host.answers = {true};
        host.openAnswers = {path("long.sfg")};
        m().EditWelcome1.setText("Kept");
        m().FileOpenClick();
        files::fileHooks() = {};
        if (c.error == 0) {
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(m().EditWelcome1.text(), "Long");
        } else {
            EXPECT_EQ(host.messages,
                      std::vector<std::string>{"Unable to open " + path("long.sfg") + ".\nFile too large"});
            EXPECT_EQ(m().EditWelcome1.text(), "Kept");
        }
    }
}

TEST_F(FilesFaults, AFailedOpenSaysWhyOnALineOfItsOwn) {
    std::filesystem::create_directory(path("folder.sfg"));
    const std::string big = path("big.sfg");
    writeBytes(big, setupText({}) + std::string(files::MaxFileSize, '\n'));
    struct Case {
        std::string file;
        std::string reason;
    };
    const Case cases[] = {
        {path("missing.sfg"), "No such file or directory"},
        {path("folder.sfg"), "Is a directory"},
        {big, "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        host.messages.clear();
        host.openAnswers = {c.file};
        m().FileOpenClick();
        EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open " + c.file + ".\n" + c.reason});
    }
    // Default.dfg at File New and at the start.
    std::filesystem::remove(defaultFile);
    std::filesystem::rename(big, defaultFile);
    expectStartUpStopsUnreadable("File too large");
    host.messages.clear();
    m().FileNewClick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open Default.dfg.\nFile too large"});
}

// ---- pipes and devices: refused, never waited on ----------------------------

TEST_F(FilesFaults, APipeAsASetupIsRefusedWithoutWaiting) {
    const std::string pipe = path("pipe.sfg");
    PipeWatch watch(pipe);
    const std::string before = FormatSetupText(m());
    host.openAnswers = {pipe};
    m().FileOpenClick();
    EXPECT_TRUE(watch.finish()) << "the open waited for a writer";
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open " + pipe + ".\nNot a regular file"});
    EXPECT_EQ(FormatSetupText(m()), before);
}

TEST_F(FilesFaults, APipeAsTheDefaultSetupIsRefusedAtStartUpNewAndTheClose) {
    std::filesystem::remove(defaultFile);
    PipeWatch watch(defaultFile);

    expectStartUpStopsUnreadable("Not a regular file");

    host.answers = {true};
    m().FileNewClick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to open Default.dfg.\nNot a regular file"});

    m().Opts.ConfirmDiscard = 0;
    m().FileExit.userClick();
    EXPECT_TRUE(m().closed());
    EXPECT_TRUE(watch.finish()) << "an open waited for a writer";
    struct stat st {};
    ASSERT_EQ(::lstat(defaultFile.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));  // nothing stored, nothing replaced
}

// ---- the temporary file of the options rewrite ------------------------------

TEST_F(FilesFaults, WhateverIsNamedDefTmpBakTheRewriteWritesANewFileOfItsOwn) {
    const std::string precious = path("precious.txt");
    const std::string tempFile = path("DefTmp.bak");
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    std::unique_ptr<PipeWatch> watch;
    const Case cases[] = {
        {"a link to another file", [&] { std::filesystem::create_symlink(precious, tempFile); }},
        {"a link to nowhere", [&] { std::filesystem::create_symlink(path("nowhere/new.txt"), tempFile); }},
        {"a link to a link", [&] {
             std::filesystem::create_symlink(precious, path("link2"));
             std::filesystem::create_symlink(path("link2"), tempFile);
         }},
        {"a pipe", [&] { watch = std::make_unique<PipeWatch>(tempFile); }},
        {"a folder", [&] { std::filesystem::create_directory(tempFile); }},
        {"a read-only file", [&] {
             writeBytes(tempFile, "stale");
             ::chmod(tempFile.c_str(), 0444);
         }},
    };
    std::uint8_t port = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(precious, "precious\n");
        c.make();
        const std::string original = readBytes(defaultFile);
        port = static_cast<std::uint8_t>(port % 4 + 1);
        m().Opts.ComPort = port;
        ASSERT_TRUE(StoreOptionsInDefaultFile(m()));
        if (watch) {
            EXPECT_TRUE(watch->finish()) << "the rewrite waited on the pipe";
        }
        EXPECT_EQ(readBytes(precious), "precious\n");
        EXPECT_FALSE(std::filesystem::exists(path("nowhere")));
        EXPECT_TRUE(isRegularFile(defaultFile));
        EXPECT_EQ(readBytes(defaultFile), ReplaceOptionsBlock(original, m()));
        watch.reset();
        std::filesystem::remove_all(tempFile);
        std::filesystem::remove(path("link2"));
        EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Default.dfg", "precious.txt"}));
    }
}

TEST_F(FilesFaults, ALinkNamedDefaultDfgIsReplacedNotWrittenThrough) {
    const std::string shared = path("shared.dfg");
    std::filesystem::rename(defaultFile, shared);
    std::filesystem::create_symlink(shared, defaultFile);
    const std::string original = readBytes(shared);
    m().Opts.ComPort = 4;
    m().FileExit.userClick();
    EXPECT_EQ(readBytes(shared), original);
    EXPECT_TRUE(isRegularFile(defaultFile));
    EXPECT_EQ(readBytes(defaultFile), ReplaceOptionsBlock(original, m()));
}

TEST_F(FilesFaults, TwoClosesAtTheSameMomentLeaveOneCompleteDefaultTheLastWriters) {
    // The other instance's whole close runs at a point inside this one's.
    enum class At { Writing, BeforeReplace };
    for (At at : {At::Writing, At::BeforeReplace}) {
        SCOPED_TRACE(at == At::Writing ? "while writing" : "before the rename");
        writeBytes(defaultFile, setupText(DefaultLines));
        const std::string original = readBytes(defaultFile);
        FakeHost otherHost;
        std::unique_ptr<Program> other = secondInstance(otherHost);
        other->main().Opts.ComPort = 3;
        m().Opts.ComPort = 4;

        bool ran = false;
        auto runOther = [&] {
            if (ran) return;
            ran = true;
            files::FileHooks mine = files::fileHooks();
            files::fileHooks() = {};
            other->main().FileExit.userClick();
            files::fileHooks() = mine;
        };
        if (at == At::Writing) {
            files::fileHooks().write = [&](int fd, const void* buffer, std::size_t size) {
                // Half of this close's file is written when the other runs.
                const std::size_t first = ran ? size : size / 2;
                ssize_t n = ::write(fd, buffer, first);
                runOther();
                return n;
            };
        } else {
            files::fileHooks().beforeReplace = [&](const std::string&) { runOther(); };
        }
        m().FileExit.userClick();
        files::fileHooks() = {};
        ASSERT_TRUE(ran);
        EXPECT_TRUE(other->main().closed());
        EXPECT_TRUE(m().closed());
        EXPECT_EQ(readBytes(defaultFile), ReplaceOptionsBlock(original, m()));
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"Default.dfg"});

        // The next start reads it as usual.
        FakeHost next;
        next.readablePictures = {"logo.bmp"};
        std::unique_ptr<Program> third = secondInstance(next);
        EXPECT_TRUE(next.messages.empty());
        EXPECT_EQ(third->main().Opts.ComPort, 4);

        program.reset();
        startWithProgramReader(dir);
        m().FormShow();
    }
}

TEST_F(FilesFaults, AWriteFailureOfTheRewriteStoresNothingAndLeavesNothing) {
    const std::string before = readBytes(defaultFile);
    for (int error : {ENOSPC, EIO}) {
        failWritesAt(30, error);
        m().Opts.ComPort = 4;
        EXPECT_FALSE(StoreOptionsInDefaultFile(m()));
        EXPECT_EQ(readBytes(defaultFile), before);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"Default.dfg"});
    }
    m().FileExit.userClick();  // the program still closes, and says nothing
    EXPECT_TRUE(m().closed());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesFaults, ACtrlZInTheDefaultSetupIsCopiedWithEverythingAfterIt) {
    const std::string head = "//Setup\r\n\r\n[General]\r\nDefault Setup\r\nA\r\nB\r\nTavro\r\n\r\n// user's note \x1a\r\n";
    const std::string tail = "\r\n[LFE Level]\r\n-2\r\n\r\n[Trigger 1]\r\n1\r\n";
    const std::string options = "[Options]\r\nCOM3\r\nVerify Off\r\nConfirm\r\n";
    writeBytes(defaultFile, head + options + tail.substr(2) + "tail \x1a bytes");
    m().Opts = {4, 1, 0};
    m().FileExit.userClick();
    ASSERT_TRUE(m().closed());
    EXPECT_EQ(readBytes(defaultFile),
              head + "[Options]\r\nCOM4\r\nVerify On\r\nNo Confirmation" + tail + "tail \x1a bytes");
}

// ---- saving -------------------------------------------------------------------

TEST_F(FilesFaults, AFailedSaveSaysWhyAndLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        bool saveAs;
        std::function<std::string()> arrange;  // the target
        std::string reason;
    };
    const Case cases[] = {
        {"a full disk on Save As", true, [&] { failWritesAt(100, ENOSPC); return path("full.sfg"); },
         "No space left on device"},
        {"a full disk on Save", false, [&] { failWritesAt(100, ENOSPC); return path("full.sfg"); },
         "No space left on device"},
        {"a read-only file system", false, [&] { failWritesAt(0, EROFS); return path("full.sfg"); },
         "Read-only file system"},
        {"a read-only file", false, [&] { ::chmod(path("full.sfg").c_str(), 0444); return path("full.sfg"); },
         "Permission denied"},
        {"a missing folder", true, [&] { return path("no/such.sfg"); }, "No such file or directory"},
        {"a flush that fails", false, [&] { refuseSyncs(EIO); return path("full.sfg"); }, "Input/output error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::chmod(path("full.sfg").c_str(), 0644);
        writeBytes(path("full.sfg"), "old content\r\n");
        edit();
        host.messages.clear();
        const std::string target = c.arrange();
        if (c.saveAs) {
            host.saveAnswers = {target};
            m().FileSaveAsClick();
        } else {
            m().CurrentFileName = target;
            m().FileSaveClick();
        }
        files::fileHooks() = {};
        const std::string second = c.saveAs ? "Unable to create " + target + "."
                                            : "Unable to open " + target + " for writing.";
        EXPECT_EQ(host.messages, (std::vector<std::string>{"Unable to open " + target + ".", second + "\n" + c.reason}));
        EXPECT_TRUE(m().FileSave.enabled());
        EXPECT_EQ(readBytes(path("full.sfg")), "old content\r\n");
        EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Default.dfg", "full.sfg"}));
    }
}

TEST_F(FilesFaults, ASaveKilledHalfWayLeavesTheFileAndNoTemporary) {
    const std::string target = path("mine.sfg");
    writeBytes(target, "old content\r\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::fileHooks().write = [](int fd, const void* buffer, std::size_t size) {
            ::write(fd, buffer, size / 2);
            ::raise(SIGKILL);
            return static_cast<ssize_t>(-1);
        };
        m().CurrentFileName = target;
        m().FileSaveClick();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(readBytes(target), "old content\r\n");
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Default.dfg", "mine.sfg"}));
}

TEST_F(FilesFaults, ASaveRemovesTheTemporariesThatEndedProcessesLeftOfTheSameFile) {
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone);
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> stale{".mine.sfg.tmp" + dead + "-0", ".mine.sfg.tmp" + dead + "-17"};
    const std::vector<std::string> kept{".mine.sfg.tmp" + alive + "-0",  // a running process is still writing
                                        ".other.sfg.tmp" + dead + "-0",   // another file's
                                        ".mine.sfg.tmp" + dead,           // not the pattern
                                        ".mine.sfg.tmpx-0", "mine.sfg.tmp" + dead + "-0"};
    for (const auto& n : stale) writeBytes(path(n), "partial");
    for (const auto& n : kept) writeBytes(path(n), "keep");
    host.saveAnswers = {path("mine.sfg")};
    m().FileSaveAsClick();
    ASSERT_TRUE(host.messages.empty());
    for (const auto& n : stale) EXPECT_FALSE(fileExists(path(n))) << n;
    for (const auto& n : kept) EXPECT_TRUE(fileExists(path(n))) << n;
    EXPECT_NE(readBytes(path("mine.sfg")).find("[General]"), std::string::npos);
}

TEST_F(FilesFaults, ASaveFlushesTheNewFileBeforeItReplacesTheOld) {
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "an unnamed temporary" : "a named temporary");
        files::fileHooks() = {};
        if (!unnamed) refuseUnnamedTemporaries(EOPNOTSUPP);
        std::vector<std::pair<std::string, int>> trace;  // each call once, in order, with its descriptor
        const auto record = [&](const std::string& call, int fd) {
            if (trace.empty() || trace.back() != std::make_pair(call, fd)) trace.emplace_back(call, fd);
        };
        files::fileHooks().write = [&](int fd, const void* buffer, std::size_t size) {
            record("write", fd);
            return ::write(fd, buffer, size);
        };
        files::fileHooks().sync = [&](int fd) {
            record("sync", fd);
            return 0;
        };
        files::fileHooks().beforeReplace = [&](const std::string&) { record("replace", -1); };
        writeBytes(path("mine.sfg"), "old content\r\n");
        edit();
        m().CurrentFileName = path("mine.sfg");
        m().FileSaveClick();
        EXPECT_TRUE(host.messages.empty());
        ASSERT_EQ(trace.size(), 3u);
        EXPECT_EQ(trace[0].first, "write");
        EXPECT_EQ(trace[1], std::make_pair(std::string("sync"), trace[0].second));
        EXPECT_EQ(trace[2].first, "replace");
    }
}

TEST_F(FilesFaults, WithoutUnnamedTemporariesASaveGoesThroughANamedOneAndLeavesNothing) {
    for (int error : {EOPNOTSUPP, EISDIR, EINVAL}) {
        SCOPED_TRACE(files::reasonText(error));
        const auto attempts = refuseUnnamedTemporaries(error);
        std::string flushed;  // the name of the file that was flushed
        files::fileHooks().sync = [&](int fd) {
            flushed = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).filename().string();
            return 0;
        };
        writeBytes(path("mine.sfg"), "old content\r\n");
        ::chmod(path("mine.sfg").c_str(), 0640);
        edit();
        m().CurrentFileName = path("mine.sfg");
        m().FileSaveClick();
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(m().FileSave.enabled());
        EXPECT_EQ(*attempts, 1);
        EXPECT_EQ(flushed.rfind(".mine.sfg.tmp", 0), 0u) << flushed;
        EXPECT_NE(readBytes(path("mine.sfg")).find("[General]"), std::string::npos);
        struct stat st {};
        ASSERT_EQ(::stat(path("mine.sfg").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Default.dfg", "mine.sfg"}));
    }
}

TEST_F(FilesFaults, ASaveAsRootLeavesTheFileItsOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    const unsigned owner = 12345;
    const unsigned group = 23456;
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "an unnamed temporary" : "a named temporary");
        files::fileHooks() = {};
        if (!unnamed) refuseUnnamedTemporaries(EOPNOTSUPP);
        // A user's setup, and the default setup the close rewrites.
        writeBytes(path("theirs.sfg"), "old content\r\n");
        for (const std::string& file : {path("theirs.sfg"), defaultFile}) {
            ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
            ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        }
        edit();
        m().CurrentFileName = path("theirs.sfg");
        m().FileSaveClick();
        ASSERT_TRUE(host.messages.empty());
        m().Opts.ComPort = 4;
        ASSERT_TRUE(StoreOptionsInDefaultFile(m()));
        for (const std::string& file : {path("theirs.sfg"), defaultFile}) {
            SCOPED_TRACE(file);
            struct stat st {};
            ASSERT_EQ(::stat(file.c_str(), &st), 0);
            EXPECT_EQ(static_cast<unsigned>(st.st_uid), owner);
            EXPECT_EQ(static_cast<unsigned>(st.st_gid), group);
            EXPECT_EQ(st.st_mode & 07777, 0640u);
        }
        EXPECT_NE(readBytes(defaultFile).find("[Options]\r\nCOM4\r\n"), std::string::npos);
    }

    // A link that the rewrite replaces gives way to a file of the link's owner.
    const std::string elsewhere = path("elsewhere.dfg");
    writeBytes(elsewhere, readBytes(defaultFile));
    ASSERT_EQ(::unlink(defaultFile.c_str()), 0);
    ASSERT_EQ(::symlink(elsewhere.c_str(), defaultFile.c_str()), 0);
    ASSERT_EQ(::lchown(defaultFile.c_str(), owner, group), 0);
    ASSERT_TRUE(StoreOptionsInDefaultFile(m()));
    struct stat st {};
    ASSERT_EQ(::lstat(defaultFile.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(static_cast<unsigned>(st.st_uid), owner);
    EXPECT_EQ(static_cast<unsigned>(st.st_gid), group);
}

TEST_F(FilesFaults, AUserWhoMayNotGiveTheFileAwaySavesItAsTheirOwn) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    // A folder and a file everyone may write, of another user.
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    const std::string file = path("shared.sfg");
    writeBytes(file, "old content\r\n");
    ASSERT_EQ(::chown(file.c_str(), 54321, 54321), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    constexpr int Unreachable = 3;
    if (child == 0) {
        if (::setgid(23456) != 0 || ::setuid(12345) != 0) ::_exit(2);
        // A folder above the scratch folder may be closed to other users
        // (a root of its own, as in a chroot made by mktemp).
        if (::access(dir.c_str(), W_OK | X_OK) != 0) ::_exit(Unreachable);
        ::_exit(files::writeFileReplacing(file, "new content\r\n") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == Unreachable) GTEST_SKIP() << "another user cannot reach " << dir << " here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(file), "new content\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(static_cast<unsigned>(st.st_uid), 12345u);
    EXPECT_EQ(static_cast<unsigned>(st.st_gid), 23456u);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
}

// ---- the close after a failed Open --------------------------------------------

TEST_F(FilesFaults, AfterAFailedOpenClosingWithChangesStillAsks) {
    struct Case {
        const char* what;
        std::function<std::string()> arrange;  // the file chosen in Open
    };
    const Case cases[] = {
        {"a missing file", [&] { return path("missing.sfg"); }},
        {"a read error", [&] { failReadsAt(10, EIO); return userSetup("victim.sfg"); }},
        {"not a setup", [&] { writeBytes(path("notes.txt"), "notes\r\n"); return path("notes.txt"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.reset();
        startWithProgramReader(dir);
        m().FormShow();
        host.questions.clear();
        edit();
        host.openAnswers = {c.arrange()};
        host.answers = {true};
        m().FileOpenClick();
        files::fileHooks() = {};
        const std::string before = readBytes(defaultFile);
        m().Opts.ComPort = 4;

        host.answers = {false};
        m().FileExit.userClick();
        EXPECT_EQ(host.questions, (std::vector<std::string>{"Discard Changes?", "Exit Without Save?"}));
        EXPECT_FALSE(m().closed());
        EXPECT_EQ(readBytes(defaultFile), before);

        host.answers = {true};
        m().FileExit.userClick();
        EXPECT_TRUE(m().closed());
        EXPECT_NE(readBytes(defaultFile).find("[Options]\r\nCOM4\r\n"), std::string::npos);
    }
}
