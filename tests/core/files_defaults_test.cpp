// The shipped default setups (defaults/*.dfg): each one starts the program
// with every section shown and with realistic values, and a Save of the
// unchanged default reproduces it byte for byte.
#include "MainFixture.h"
#include "forms/SetupFile.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::test;

namespace {

struct Shipped {
    const char* file;
    tavro::ModelVariant model;
};

// Test names and failure messages show the file, not the bytes of the case.
void PrintTo(const Shipped& s, std::ostream* os) { *os << s.file; }

class ShippedDefault : public MainFixture, public ::testing::WithParamInterface<Shipped> {
protected:
    std::string original;

    void SetUp() override {
        original = readBytes(sourcePath(std::string("defaults/") + GetParam().file));
        ASSERT_FALSE(original.empty()) << GetParam().file;
        writeBytes(scratchDir() + "/Default.dfg", original);
        host.readablePictures = {"logo.bmp"};
        startWithProgramReader(scratchDir());
        m().FormShow();
    }
};

}  // namespace

TEST_P(ShippedDefault, StartsWithEverySectionShownAndNoMessage) {
    TTavroSetupMain& w = m();
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_FALSE(w.closed());
    EXPECT_FALSE(w.DefaultFileUnreadable);
    EXPECT_FALSE(w.DefaultFileCorrupted);
    EXPECT_EQ(w.ModelVariant, GetParam().model);
    for (Control* c : w.controls()) {
        if (c->kind() == ControlKind::GroupBox) {
            EXPECT_TRUE(c->visible()) << c->name();
        }
    }
    for (TabSheet* t : w.tabSheets()) EXPECT_TRUE(t->visible()) << t->name();
    // Channel 10 exists on the Tavro and the 4820 only.
    EXPECT_EQ(w.ButtonCh10MixFilter.visible(), GetParam().model != tavro::ModelVariant::R7);
    EXPECT_TRUE(w.FileNew.enabled());
    EXPECT_FALSE(w.FileSave.enabled());
    EXPECT_TRUE(w.CurrentFileName.empty());
    if (GetParam().model == tavro::ModelVariant::M4820) {
        EXPECT_EQ(w.SBVolume.max(), 28);
    }
}

TEST_P(ShippedDefault, HoldsRealisticValues) {
    TTavroSetupMain& w = m();
    EXPECT_NE(w.caption(), "");
    ASSERT_GE(w.SourceCount, 6);
    for (int n = 1; n <= w.SourceCount; ++n) {
        const SourceRecord& s = w.Sources[static_cast<std::size_t>(n - 1)];
        EXPECT_NE(s.Name, defaultSourceName(n)) << "source " << n << " keeps its placeholder name";
        EXPECT_TRUE(w.Modes.offered(s.Mode)) << s.Name;
        EXPECT_EQ(w.sourceButtons()[static_cast<std::size_t>(n - 1)]->caption(), s.Name);
    }
    int musicModes = 0;
    for (int i = 0; i < MusicModeCount; ++i)
        if (w.Modes.offered(ModeMusic1 + i)) {
            ++musicModes;
            EXPECT_FALSE(w.Modes.MusicModeNames[static_cast<std::size_t>(i)].empty()) << "Music " << i + 1;
        }
    EXPECT_GE(musicModes, 3);
    if (GetParam().model == tavro::ModelVariant::M4820) {
        EXPECT_EQ(w.Inputs.ComponentVideoPresent, 0);
    } else {
        EXPECT_EQ(w.Inputs.ComponentVideoPresent, 1);
        EXPECT_EQ(w.Inputs.ComponentVideoCount, 3);
    }
    EXPECT_EQ(w.Inputs.DigitalInputCount, GetParam().model == tavro::ModelVariant::Tavro ? 8u : 6u);
}

TEST_P(ShippedDefault, ASaveOfTheUnchangedDefaultReproducesItByteForByte) {
    const std::string out = scratchDir() + "/copy.sfg";
    host.saveAnswers = {out};
    m().FileSaveClick();  // no current file yet: Save As
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(readBytes(out), original);
}

TEST_P(ShippedDefault, ExitAndRestartKeepTheOptions) {
    m().Opts = {3, 1, 0};  // as the Options dialog would store them
    m().FileExit.userClick();
    ASSERT_TRUE(m().closed());
    const std::string stored = readBytes(scratchDir() + "/Default.dfg");
    EXPECT_NE(stored, original);

    FakeHost again;
    Program restarted(again, [this](TTavroSetupMain& w) { w.StartDirectory = scratchDir(); });
    EXPECT_EQ(restarted.main().Opts.ComPort, 3);
    EXPECT_EQ(restarted.main().Opts.AutoVerify, 1);
    EXPECT_EQ(restarted.main().Opts.ConfirmDiscard, 0);
    // Everything else is read as before.
    EXPECT_EQ(restarted.main().SourceCount, m().SourceCount);
    EXPECT_EQ(restarted.main().caption(), m().caption());
}

INSTANTIATE_TEST_SUITE_P(Models, ShippedDefault,
                         ::testing::Values(Shipped{"Tavro.dfg", tavro::ModelVariant::Tavro},
                                           Shipped{"R7.dfg", tavro::ModelVariant::R7},
                                           Shipped{"4820.dfg", tavro::ModelVariant::M4820}),
                         [](const ::testing::TestParamInfo<Shipped>& info) {
                             std::string name = info.param.file;
                             return "Model" + name.substr(0, name.find('.'));
                         });
