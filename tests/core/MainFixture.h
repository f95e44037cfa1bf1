// A started main window on a scripted host, as the program creates it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "FakeHost.h"
#include "ui/Program.h"

namespace tavro::test {

class MainFixture : public ::testing::Test {
protected:
    FakeHost host;
    std::unique_ptr<Program> program;
    // Stands in for the default setup when a test installs one.
    std::function<int(TTavroSetupMain&, const std::string&)> reader;

    TTavroSetupMain& m() { return program->main(); }

    void start() {
        program = std::make_unique<Program>(host, [this](TTavroSetupMain& w) {
            if (reader) w.ReadSetupFileHook = reader;
        });
        host.onClose = [this] { m().TryClose(); };
    }
    void startAndShow() {
        start();
        m().FormShow();
    }

    std::set<int> marked() const {
        std::set<int> s;
        for (int i = 0; i < ImageEntryCount; ++i)
            if (program->main().ChangedMask[static_cast<std::size_t>(i)]) s.insert(i);
        return s;
    }

    // Shows every group box as a setup with every section would.
    void showAllGroups() {
        for (Control* c : m().controls())
            if (c->kind() == ControlKind::GroupBox) c->setVisible(true);
    }
};

inline std::set<int> range(int first, int last) {
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}

}  // namespace tavro::test
