// A started main window on a scripted host, as the program creates it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "FakeHost.h"
#include "ScratchFolder.h"
#include "forms/Program.h"

namespace tavro::test {

class MainFixture : public ::testing::Test {
protected:
    FakeHost host;
    std::unique_ptr<Program> program;
    // Stands in for the default setup when a test installs one. Without it
    // (and without programReader) the window starts without reading any
    // setup and keeps every default.
    std::function<ReadResult(TTavroSetupMain&, const std::string&)> reader;
    // Start with the program's own setup reader, which reads "Default.dfg"
    // in workDir.
    bool programReader = false;
    // The start directory of the program. Empty: a fresh empty directory,
    // removed after the test, so that no test touches the real one.
    std::string workDir;

    TTavroSetupMain& m() { return program->main(); }

    void start() {
        if (workDir.empty()) workDir = scratchDir();
        program = std::make_unique<Program>(host, [this](TTavroSetupMain& w) {
            w.StartDirectory = workDir;
            if (!programReader) w.ReadSetupFileHook = reader;
        });
        host.onClose = [this] { m().TryClose(); };
    }
    void startWithProgramReader(const std::string& dir) {
        programReader = true;
        workDir = dir;
        start();
    }
    void startAndShow() {
        start();
        m().FormShow();
    }
    // The program as it starts on a shipped default setup ("defaults/" +
    // model + ".dfg", copied into a scratch folder as "Default.dfg"), read
    // by its own reader, with its window shown.
    void startShownOnShippedDefault(const std::string& model = "Tavro") {
        const std::string dir = scratchDir();
        std::filesystem::copy_file(std::string(TAVRO_SOURCE_DIR) + "/defaults/" + model + ".dfg", dir + "/Default.dfg");
        host.readablePictures = {"logo.bmp"};
        startWithProgramReader(dir);
        m().FormShow();
        ASSERT_FALSE(m().closed());
    }

    std::set<int> marked() const {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (program->main().ChangedMask[static_cast<std::size_t>(i)]) s.insert(i);
        return s;
    }

    void TearDown() override {
        if (scratch_.empty()) return;
#ifdef _WIN32
        // Windows removes no read-only file.
        std::error_code ec;
        for (const auto& e : std::filesystem::recursive_directory_iterator(scratch_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
#endif
        std::filesystem::remove_all(scratch_);
    }

    // A fresh empty directory for this test.
    std::string scratchDir() {
        if (scratch_.empty()) {
            scratch_ = makeScratchFolder("tavro-test");
        }
        return scratch_;
    }

    // Shows every group box as a setup with every section would.
    void showAllGroups() {
        for (Control* c : m().controls())
            if (c->kind() == ControlKind::GroupBox) c->setVisible(true);
    }

private:
    std::string scratch_;
};

inline std::set<int> range(int first, int last) {
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}

}  // namespace tavro::test
