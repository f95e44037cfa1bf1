// The installed program's per-user folder: where it is, what the first start
// copies into it, and that a user's own files are replaced only on request.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "ScratchFolder.h"
#include "files/UserFolder.h"

namespace tavro::test {
namespace {

namespace fs = std::filesystem;
using files::prepareUserFolder;
using files::userDataFolder;

TEST(UserDataFolder, FollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<fs::path> expected;
    };
    const Case cases[] = {
        {nullptr, "/home/ann", fs::path("/home/ann/.local/share/tavro-setup")},
        {"", "/home/ann", fs::path("/home/ann/.local/share/tavro-setup")},
        {"/data/ann", "/home/ann", fs::path("/data/ann/tavro-setup")},
        {"relative/dir", "/home/ann", fs::path("/home/ann/.local/share/tavro-setup")},
        {"/data/ann", nullptr, fs::path("/data/ann/tavro-setup")},
        {nullptr, nullptr, std::nullopt},
        {nullptr, "", std::nullopt},
        {"", "not/absolute", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " / " + (c.home ? c.home : "(unset)"));
        EXPECT_EQ(userDataFolder(c.xdg, c.home), c.expected);
    }
}

TEST(UserDataFolder, ModelNamesTheShippedDefault) {
    EXPECT_EQ(files::shippedDefaultName("Tavro"), "Tavro.dfg");
    EXPECT_EQ(files::shippedDefaultName("r7"), "R7.dfg");
    EXPECT_EQ(files::shippedDefaultName("4820"), "4820.dfg");
    EXPECT_EQ(files::shippedDefaultName("R8"), std::nullopt);
    EXPECT_EQ(files::shippedDefaultName(""), std::nullopt);
}

class UserFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = makeScratchFolder("tavro-user");
        shipped = root / "share";
        folder = root / "home" / ".local" / "share" / "tavro-setup";
        fs::create_directories(shipped);
        for (const char* name : {"Tavro.dfg", "R7.dfg", "4820.dfg", "logo.bmp", "Startup.bmp"})
            write(shipped / name, shippedText(name));
    }
    // A shipped default setup begins as every setup does.
    static std::string shippedText(const std::string& name) {
        const bool setup = fs::path(name).extension() == ".dfg";
        return (setup ? "//Setup\r\n// shipped " : "shipped ") + name;
    }
    void TearDown() override { fs::remove_all(root); }

    static void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root, shipped, folder;
};

TEST_F(UserFolder, FirstStartCopiesTheBaseModelAndThePictures) {
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    EXPECT_EQ(read(folder / "Default.dfg"), shippedText("Tavro.dfg"));
    EXPECT_EQ(read(folder / "logo.bmp"), shippedText("logo.bmp"));
    EXPECT_EQ(read(folder / "Startup.bmp"), shippedText("Startup.bmp"));
    EXPECT_FALSE(fs::exists(folder / "Default.dfg~"));
}

TEST_F(UserFolder, LaterStartsKeepTheUsersFiles) {
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    write(folder / "Default.dfg", "my options");
    fs::remove(folder / "Startup.bmp");  // no start-up picture wanted
    write(folder / "logo.bmp", "my logo");
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    EXPECT_EQ(read(folder / "Default.dfg"), "my options");
    EXPECT_EQ(read(folder / "logo.bmp"), "my logo");
    EXPECT_FALSE(fs::exists(folder / "Startup.bmp"));
}

TEST_F(UserFolder, ModelReplacesTheDefaultAndKeepsThePreviousOne) {
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    write(folder / "Default.dfg", "my options");
    ASSERT_EQ(prepareUserFolder(shipped, folder, "R7"), "");
    EXPECT_EQ(read(folder / "Default.dfg"), shippedText("R7.dfg"));
    EXPECT_EQ(read(folder / "Default.dfg~"), "my options");
    // On a first start there is nothing to keep.
    fs::remove_all(folder);
    ASSERT_EQ(prepareUserFolder(shipped, folder, "4820"), "");
    EXPECT_EQ(read(folder / "Default.dfg"), shippedText("4820.dfg"));
    EXPECT_EQ(read(folder / "logo.bmp"), shippedText("logo.bmp"));
    EXPECT_FALSE(fs::exists(folder / "Default.dfg~"));
}

TEST_F(UserFolder, FailuresSayWhatAndChangeNothing) {
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    write(folder / "Default.dfg", "my options");
    EXPECT_EQ(prepareUserFolder(shipped, folder, "R9"), "Unknown model R9 (Tavro, R7 or 4820).");
    fs::remove(shipped / "R7.dfg");
    EXPECT_EQ(prepareUserFolder(shipped, folder, "R7"), "Unable to read " + (shipped / "R7.dfg").string() + ".");
    EXPECT_EQ(read(folder / "Default.dfg"), "my options");

    // A file where the folder should be.
    const fs::path blocked = root / "blocked";
    write(blocked, "x");
    EXPECT_EQ(prepareUserFolder(shipped, blocked / "tavro-setup"),
              "Unable to create the folder " + (blocked / "tavro-setup").string() + ".");
}

TEST_F(UserFolder, AModelDefaultThatCannotBeUsedChangesNothing) {
    const fs::path source = shipped / "R7.dfg";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string problem;
    };
    const Case cases[] = {
        {"missing", [&] { fs::remove(source); }, "Unable to read " + source.string() + "."},
        {"a folder", [&] { fs::remove(source), fs::create_directory(source); }, "Unable to read " + source.string() + "."},
        {"not a setup", [&] { write(source, "R7 notes\r\n//Setup\r\n"); }, source.string() + " is not a setup file."},
        {"empty", [&] { write(source, ""); }, source.string() + " is not a setup file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(root / "home");
        ASSERT_EQ(prepareUserFolder(shipped, folder), "");
        write(folder / "Default.dfg", "my options");
        write(folder / "Default.dfg~", "my older options");
        fs::remove_all(source);
        write(source, shippedText("R7.dfg"));
        c.arrange();
        EXPECT_EQ(prepareUserFolder(shipped, folder, "R7"), c.problem);
        EXPECT_EQ(read(folder / "Default.dfg"), "my options");
        EXPECT_EQ(read(folder / "Default.dfg~"), "my older options");
        // Nor does a first start with the model copy anything.
        fs::remove_all(folder);
        EXPECT_EQ(prepareUserFolder(shipped, folder, "R7"), c.problem);
        EXPECT_TRUE(fs::is_empty(folder));
    }
}

TEST_F(UserFolder, WhenTheNewDefaultCannotBeWrittenThePreviousBackupIsPutBack) {
    const fs::path backup = folder / "Default.dfg~";
    for (const bool hadBackup : {false, true}) {
        SCOPED_TRACE(hadBackup ? "a previous backup" : "no backup yet");
        fs::remove_all(root / "home");
        ASSERT_EQ(prepareUserFolder(shipped, folder), "");
        write(folder / "Default.dfg", "my options");
        if (hadBackup) write(backup, "my older options");
        fs::permissions(folder / "Default.dfg", fs::perms::owner_read | fs::perms::group_read);
        EXPECT_EQ(prepareUserFolder(shipped, folder, "R7"),
                  "Unable to create " + (folder / "Default.dfg").string() + ".");
        EXPECT_EQ(read(folder / "Default.dfg"), "my options");
        if (hadBackup)
            EXPECT_EQ(read(backup), "my older options");
        else
            EXPECT_FALSE(fs::exists(fs::symlink_status(backup)));
        fs::permissions(folder / "Default.dfg", fs::perms::owner_write, fs::perm_options::add);
    }
}

TEST_F(UserFolder, ModelReplacesLinksInTheFolderAndNeverWritesThroughThem) {
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    write(elsewhere / "mine.dfg", "//Setup\r\nmy setup\n");
    write(elsewhere / "other.dfg", "another file");
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    fs::remove(folder / "Default.dfg");
    fs::create_symlink(elsewhere / "mine.dfg", folder / "Default.dfg");
    fs::create_symlink(elsewhere / "other.dfg", folder / "Default.dfg~");

    ASSERT_EQ(prepareUserFolder(shipped, folder, "R7"), "");
    EXPECT_EQ(read(elsewhere / "mine.dfg"), "//Setup\r\nmy setup\n");
    EXPECT_EQ(read(elsewhere / "other.dfg"), "another file");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "Default.dfg")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "Default.dfg~")));
    EXPECT_EQ(read(folder / "Default.dfg"), shippedText("R7.dfg"));
    EXPECT_EQ(read(folder / "Default.dfg~"), "//Setup\r\nmy setup\n");

    // A backup link put back after a failure is the same link again.
    fs::remove(folder / "Default.dfg~");
    fs::create_symlink(elsewhere / "other.dfg", folder / "Default.dfg~");
    fs::permissions(folder / "Default.dfg", fs::perms::owner_read);
    EXPECT_EQ(prepareUserFolder(shipped, folder, "4820"),
              "Unable to create " + (folder / "Default.dfg").string() + ".");
    EXPECT_EQ(read(folder / "Default.dfg"), shippedText("R7.dfg"));
    ASSERT_TRUE(fs::is_symlink(fs::symlink_status(folder / "Default.dfg~")));
    EXPECT_EQ(fs::read_symlink(folder / "Default.dfg~"), elsewhere / "other.dfg");
    EXPECT_EQ(read(elsewhere / "other.dfg"), "another file");
}

TEST_F(UserFolder, ADefaultSetupThatIsNoRegularFileIsRefusedWithoutWaiting) {
    fs::create_directories(folder);
    ASSERT_EQ(::mkfifo((folder / "Default.dfg").c_str(), 0600), 0);
    EXPECT_EQ(prepareUserFolder(shipped, folder, "R7"), "Unable to read " + (folder / "Default.dfg").string() + ".");
    EXPECT_EQ(fs::status(folder / "Default.dfg").type(), fs::file_type::fifo);
    EXPECT_FALSE(fs::exists(folder / "Default.dfg~"));
}

TEST_F(UserFolder, MissingPicturesAreNoFailure) {
    fs::remove(shipped / "Startup.bmp");
    ASSERT_EQ(prepareUserFolder(shipped, folder), "");
    EXPECT_TRUE(fs::exists(folder / "logo.bmp"));
    EXPECT_FALSE(fs::exists(folder / "Startup.bmp"));
}

}  // namespace
}  // namespace tavro::test
