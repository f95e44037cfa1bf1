// A program started with its own setup reader in a scratch folder that
// holds a small "Default.dfg", for the tests of the file commands.
#pragma once

#include <algorithm>
#include <filesystem>

#include "MainFixture.h"
#include "files_support.h"

namespace tavro::test {

inline const std::vector<std::string> DefaultLines{
    "[General]", "Default Setup", "About 1", "About 2", "Tavro",  "",      "[Messages]", "Show Welcome",
    "Welcome",   "",              "Bye",     "",        "",       "[LFE Level]", "-2", "",
    "[Options]", "COM2",          "Verify On", "Confirm", ""};

class StartedInFolder : public MainFixture {
protected:
    std::string dir;
    std::string defaultFile;

    void SetUp() override {
        dir = scratchDir();
        defaultFile = dir + "/Default.dfg";
        writeBytes(defaultFile, setupText(DefaultLines));
        host.readablePictures = {"logo.bmp"};
        startWithProgramReader(dir);
        m().FormShow();
        ASSERT_TRUE(host.messages.empty());
    }

    void edit() { m().CBCenterL.userSelect(5); }  // any edit: Save and Upload enabled, entries marked

    std::string path(const std::string& name) const { return dir + "/" + name; }

    // A setup file in the scratch folder.
    std::string setupFile(const std::string& name, const std::vector<std::string>& lines) {
        writeBytes(path(name), setupText(lines));
        return path(name);
    }

    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace tavro::test
