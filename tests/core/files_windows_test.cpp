// The file layer on Windows itself: names reach the system as UTF-16, a
// replacement that Windows refuses leaves the old file and no temporary,
// and the temporaries of processes that have ended are removed. Built and
// run in the Windows build only (scripts/test-windows runs it under Wine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "files/WideNames.h"

using namespace tavro::files;
namespace fs = std::filesystem;

namespace {

class FilesWindows : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() / (L"tavro-windows-" + std::to_wstring(::GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The UTF-8 name of a file in the folder.
    std::string name(const std::wstring& file) const { return narrow((folder / file).wstring()); }

    std::vector<std::wstring> entries() const {
        std::vector<std::wstring> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string content(const fs::path& file) {
        std::string text;
        EXPECT_TRUE(readRegularFile(narrow(file.wstring()), text));
        return text;
    }
};

TEST_F(FilesWindows, UtfEightNamesAreTheSystemsWideNames) {
    const std::wstring wide = L"M\u00fcller \u03a9.sfg";
    const std::string utf8 = "M\xc3\xbcller \xce\xa9.sfg";
    ASSERT_EQ(widen(utf8), wide);
    ASSERT_EQ(narrow(wide), utf8);

    ASSERT_TRUE(writeFileReplacing(narrow(folder.wstring()) + "\\" + utf8, "first"));
    EXPECT_EQ(entries(), std::vector<std::wstring>{wide});
    EXPECT_TRUE(writeFileReplacing(name(wide), "second"));
    EXPECT_EQ(content(folder / wide), "second");
    EXPECT_EQ(entries(), std::vector<std::wstring>{wide});
}

TEST_F(FilesWindows, AFolderADeviceAndAMissingFileAreNotRead) {
    struct Case {
        std::string path;
        int error;
    };
    fs::create_directories(folder / L"sub");
    const Case cases[] = {{name(L"sub"), EISDIR}, {"NUL", NotRegularFile}, {name(L"missing.sfg"), ENOENT}};
    for (const Case& c : cases) {
        std::string text = "old";
        EXPECT_EQ(readRegularFile(c.path, text).error, c.error) << c.path;
        EXPECT_EQ(text, "") << c.path;
    }
    EXPECT_EQ(writeFileReplacing(name(L"sub"), "x").error, EISDIR);
    EXPECT_EQ(writeFileReplacing("NUL", "x").error, NotRegularFile);
}

TEST_F(FilesWindows, AReplacementWindowsRefusesLeavesTheOldFileAndNoTemporary) {
    const fs::path target = folder / L"held.sfg";
    ASSERT_TRUE(writeFileReplacing(narrow(target.wstring()), "old"));
    // Another program holds the file open without letting it be replaced.
    HANDLE held = ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const FileResult r = writeFileReplacing(narrow(target.wstring()), "new");
    ::CloseHandle(held);
    EXPECT_EQ(r.error, EACCES);
    EXPECT_EQ(content(target), "old");
    EXPECT_EQ(entries(), std::vector<std::wstring>{L"held.sfg"});
}

TEST_F(FilesWindows, ASaveRemovesTheTemporariesOfEndedProcessesOnly) {
    // A process that has ended, and its id.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"cmd.exe /c exit 0";
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &startup, &process));
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const std::wstring gone = std::to_wstring(process.dwProcessId);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const std::wstring alive = std::to_wstring(::GetCurrentProcessId());

    const std::vector<std::wstring> stale{L".mine.sfg.tmp" + gone + L"-0", L".mine.sfg.tmp" + gone + L"-17"};
    std::vector<std::wstring> kept{L".mine.sfg.tmp" + alive + L"-0", L".other.sfg.tmp" + gone + L"-0",
                                   L".mine.sfg.tmp" + gone, L"mine.sfg"};
    for (const auto& n : stale) ASSERT_TRUE(writeFileReplacing(name(n), "partial"));
    for (const auto& n : kept) ASSERT_TRUE(writeFileReplacing(name(n), "keep"));
    ASSERT_TRUE(writeFileReplacing(name(L"mine.sfg"), "saved"));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(entries(), kept);
    EXPECT_EQ(content(folder / L"mine.sfg"), "saved");
}

}  // namespace

#endif  // _WIN32
