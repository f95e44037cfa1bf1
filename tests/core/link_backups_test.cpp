// The backup store: names that sort by time, the header and entry lines,
// listing newest first, pruning to the newest BackupsKept.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "ScratchFolder.h"
#include "files_support.h"
#include "files/Paths.h"
#include "link/Backups.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// 2026-12-11 14:03:12 in local time, whatever the zone.
std::time_t when(int second = 12, int minute = 3) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 11;
    t.tm_hour = 14;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class Backups : public ::testing::Test {
protected:
    std::string dir = makeScratchFolder("tavro-backups");
    std::string folder = dir + "/backups";
    ParameterImage image = InitialParameterImage();
    EntryFlags flags{};
    BackupInfo info{when(),        BackupOperation::UploadAll, "/home/me/setups/customer one.sfg", "Tavro", "COM1",
                    "/dev/ttyUSB0"};
    void TearDown() override { std::filesystem::remove_all(dir); }
};

}  // namespace

TEST_F(Backups, NamesSortByTimeAndSayOperationAndSetup) {
    EXPECT_EQ(backupFileName(info), "2026-12-11_140312_upload-all_customer_one.img");
    info.setup.clear();
    info.operation = BackupOperation::UploadChanged;
    EXPECT_EQ(backupFileName(info), "2026-12-11_140312_upload-changed_untitled.img");
}

TEST_F(Backups, TextIsHeaderThenEntryLinesOfTheFlaggedEntries) {
    image[12].Value = 107;
    flags[12] = 1;
    flags[394] = 1;
    const std::string text = backupText(info, image, flags);
    char last[32];
    std::snprintf(last, sizeof last, "394 %04X %d\n", image[394].address(), image[394].Value);
    EXPECT_EQ(text, std::string("# Tavro Setup processor backup\n"
                                "# Date: 2026-12-11 14:03:12\n"
                                "# Operation: Upload All Settings\n"
                                "# Setup: /home/me/setups/customer one.sfg\n"
                                "# Model: Tavro\n"
                                "# Port: COM1\n"
                                "# Device: /dev/ttyUSB0\n"
                                "# Entries: 2\n"
                                "12 0012 107\n") +
                        last);
}

TEST_F(Backups, StoredBackupReadsBackWithItsHeaderAndEntries) {
    image[12].Value = 107;
    image[300].Value = 0;
    flags[12] = flags[300] = 1;
    const StoredBackup stored = storeBackup(folder, info, image, flags);
    ASSERT_TRUE(stored.result) << stored.result.error;
    EXPECT_EQ(stored.path, files::inFolder(folder, "2026-12-11_140312_upload-all_customer_one.img"));
    BackupContents read;
    ASSERT_EQ(readBackup(stored.path, read), std::nullopt);
    EXPECT_EQ(read.entries, flags);
    EXPECT_EQ(read.image[12].Value, 107);
    EXPECT_EQ(read.image[300].Value, 0);
    EXPECT_EQ(read.header.date, "2026-12-11 14:03:12");
    EXPECT_EQ(read.header.operation, "Upload All Settings");
    EXPECT_EQ(read.header.setup, info.setup);
    EXPECT_EQ(read.header.device, "/dev/ttyUSB0");
    EXPECT_EQ(read.header.entries, 2);
}

TEST_F(Backups, ListingIsNewestFirstAndASecondBackupOfOneSecondKeepsTheFirst) {
    flags[0] = 1;
    info.when = when(10);
    storeBackup(folder, info, image, flags);
    info.when = when(20);
    info.operation = BackupOperation::Download;
    const StoredBackup first = storeBackup(folder, info, image, flags);
    const StoredBackup second = storeBackup(folder, info, image, flags);
    EXPECT_NE(first.path, second.path);
    writeBytes(folder + "/notes.txt", "not a backup\n");
    const std::vector<BackupListing> list = listBackups(folder);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].file, "2026-12-11_140320_download_customer_one-2.img");
    EXPECT_EQ(list[1].file, "2026-12-11_140320_download_customer_one.img");
    EXPECT_EQ(list[2].file, "2026-12-11_140310_upload-all_customer_one.img");
    EXPECT_EQ(list[0].operation, "Download Settings");
    EXPECT_EQ(list[2].date, "2026-12-11 14:03:10");
    EXPECT_EQ(list[2].entries, 1);
    EXPECT_TRUE(listBackups(dir + "/none").empty());
}

TEST_F(Backups, StoringKeepsTheNewestAndNoOtherFiles) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < BackupsKept + 5; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/2025-01-01_%06d_upload-all_old.img", i);
        writeBytes(folder + name, "# Entries: 0\n");
    }
    writeBytes(folder + "/2025-keep-me.img", "mine\n");
    flags[0] = 1;
    const StoredBackup stored = storeBackup(folder, info, image, flags);
    ASSERT_TRUE(stored.result);
    const std::vector<BackupListing> list = listBackups(folder);
    ASSERT_EQ(list.size(), static_cast<std::size_t>(BackupsKept));
    EXPECT_EQ(list.front().file, "2026-12-11_140312_upload-all_customer_one.img");
    EXPECT_EQ(list.back().file, "2025-01-01_000006_upload-all_old.img");
    EXPECT_FALSE(fileExists(folder + "/2025-01-01_000005_upload-all_old.img"));
    EXPECT_TRUE(fileExists(folder + "/2025-keep-me.img"));
}

TEST_F(Backups, AFolderThatCannotBeMadeStoresNothingAndSaysWhy) {
    writeBytes(folder, "a file where the folder should be\n");
    flags[0] = 1;
    const StoredBackup stored = storeBackup(folder, info, image, flags);
    EXPECT_FALSE(stored.result);
    EXPECT_NE(stored.result.error, 0);
    EXPECT_EQ(stored.path, files::inFolder(folder, "2026-12-11_140312_upload-all_customer_one.img"));
    EXPECT_EQ(readBytes(folder), "a file where the folder should be\n");
}

TEST_F(Backups, ReadingRefusesLinesThatAreNoEntryOfTheImage) {
    struct Case {
        const char* line;
        bool good;
    } cases[] = {
        {"12 0012 107", true}, {"12 0013 107", false},   {"395 0012 1", false}, {"12 0012 256", false},
        {"12 0012", false},    {"12 0012 107 1", false}, {"x 0012 1", false},   {"  ", true},
    };
    for (const Case& c : cases) {
        const std::string path = dir + "/one.img";
        writeBytes(path, std::string("# Entries: 1\n") + c.line + "\n");
        BackupContents read;
        const std::optional<std::string> problem = readBackup(path, read);
        EXPECT_EQ(!problem, c.good) << c.line;
        if (problem) {
            EXPECT_NE(problem->find(":2: not a backup line"), std::string::npos) << *problem;
        }
    }
    BackupContents read;
    const std::optional<std::string> missing = readBackup(dir + "/missing.img", read);
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, "Unable to open " + dir + "/missing.img.\n" + files::reasonText(ENOENT));
}
