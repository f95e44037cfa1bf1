// The transfers end to end: the program's dialog model and the real
// QSerialPort-backed port against tavro-sim on a pseudo-terminal.
#include <cstring>
#include <functional>

#include "SimFixture.h"

using namespace tavro;
using namespace tavro::test;

namespace {

// A few edits in different parts of the setup.
void editSetup(TTavroSetupMain& m) {
    m.CBCenterL.userSelect(10);
    m.SBBass.userSetPosition(4);
    m.CBToneBFreq.userSelect(2);
    m.CheckBoxEnhancedBass.userClick();
    m.EditWelcome1.userSetText("  Simulated welcome ");
    m.EditWelcome1.userExit();
}

// The entries that Upload All Settings and Download Settings transfer.
std::vector<int> visibleEntries(TTavroSetupMain& m) {
    const EntryFlags kept = m.ChangedMask;
    MarkVisibleEntries(m);
    std::vector<int> v;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (m.ChangedMask[static_cast<std::size_t>(k)] != 0) v.push_back(k);
    m.ChangedMask = kept;
    return v;
}

// The lines of a setup file without their trailing spaces.
std::string withoutTrailingSpaces(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n')
            while (!out.empty() && out.back() == ' ') out.pop_back();
        out += c;
    }
    return out;
}

}  // namespace

TEST_F(SimTest, CheckConnection) {
    sim.start(link);
    SimProgram p(scratch + "/program");
    const SimProgram::Run r = p.run(p.m().OperationsCheckConnection);
    EXPECT_EQ(r.label, "Serial connection established.");
    EXPECT_EQ(r.detail, "");
    EXPECT_TRUE(r.finished);
    EXPECT_FALSE(r.portOpenAtEnd);
    EXPECT_EQ(r.ticks, 0);
    EXPECT_EQ(p.m().CommOperation, CommOperation::OpCheckConnection);
}

TEST_F(SimTest, UploadAllWithAutomaticVerifyLeavesTheSetupInTheProcessor) {
    const std::string dump = scratch + "/table.txt";
    sim.start(link, {"--dump", dump});
    SimProgram p(scratch + "/program");
    editSetup(p.m());
    p.m().Opts.AutoVerify = 1;
    const std::vector<int> visible = visibleEntries(p.m());
    const int n = static_cast<int>(visible.size());
    ASSERT_GT(n, 200);

    const SimProgram::Run r = p.run(p.m().OperationsWriteSettings);
    EXPECT_EQ(r.label, "Settings uploaded and verified succesfully.");
    EXPECT_EQ(r.ticks, 2 * n);  // every entry written, then read back
    EXPECT_EQ(r.firstCount, n);
    EXPECT_EQ(p.host.realPort.pauses, n * 8 + n * 7);
    EXPECT_FALSE(r.portOpenAtEnd);
    EXPECT_EQ(p.m().CommOperation, CommOperation::OpVerify);
    EXPECT_EQ(countFlags(p.m().ChangedMask), 0);
    EXPECT_EQ(countFlags(p.m().VerifyMask.Flags), 0);
    EXPECT_FALSE(p.m().WriteChangedSettings.enabled());
    EXPECT_FALSE(p.m().OperationsVerifySettings.enabled());

    ASSERT_EQ(sim.stop(), 0);
    const auto table = readDump(dump);
    for (int k : visible) {
        const ParameterEntry& e = p.m().ParameterImage[static_cast<std::size_t>(k)];
        auto it = table.find(e.address());
        ASSERT_NE(it, table.end()) << "entry " << k;
        EXPECT_EQ(it->second, e.Value) << "entry " << k;
    }
}

TEST_F(SimTest, DownloadIntoAFreshProgramGivesTheSameSetup) {
    sim.start(link);
    SimProgram a(scratch + "/a");
    editSetup(a.m());
    const SimProgram::Run up = a.run(a.m().OperationsWriteSettings);
    ASSERT_EQ(up.label, "Settings uploaded succesfully.");
    EXPECT_TRUE(a.m().OperationsVerifySettings.enabled());
    EXPECT_EQ(a.run(a.m().OperationsVerifySettings).label, "Settings verified succesfully.");
    const std::string uploaded = a.saveAs("a.sfg");
    ASSERT_FALSE(uploaded.empty());

    SimProgram b(scratch + "/b");
    ASSERT_NE(b.saveAs("before.sfg"), uploaded);  // the edits are not in the default setup
    const SimProgram::Run down = b.run(b.m().OperationsReadSettings);
    EXPECT_EQ(down.label, "Settings downloaded succesfully.");
    EXPECT_FALSE(down.portOpenAtEnd);
    EXPECT_EQ(down.ticks, static_cast<int>(visibleEntries(b.m()).size()));
    EXPECT_TRUE(b.m().FileSave.enabled());
    EXPECT_TRUE(b.m().OperationsVerifySettings.enabled());
    EXPECT_FALSE(b.m().WriteChangedSettings.enabled());
    EXPECT_EQ(b.m().CBCenterL.itemIndex(), 10);
    EXPECT_EQ(b.run(b.m().OperationsVerifySettings).label, "Settings verified succesfully.");

    // The setups build the same image...
    BuildImage(a.m());
    BuildImage(b.m());
    EXPECT_EQ(std::memcmp(a.m().ParameterImage.data(), b.m().ParameterImage.data(), sizeof(ParameterImage)), 0);
    // ...and are saved alike, except that a downloaded source name keeps
    // all seven characters of the processor, trailing spaces included.
    const std::string downloaded = b.saveAs("b.sfg");
    EXPECT_NE(downloaded.find("\r\nDVD    \r\n"), std::string::npos);
    EXPECT_EQ(withoutTrailingSpaces(downloaded), withoutTrailingSpaces(uploaded));
}

// Every fault of the processor ends its operation with the operation's text,
// closes the port and leaves the masks and menus as a failure does; the
// program then works with a sound processor.
TEST_F(SimTest, FaultsEndWithTheirTextsAndLeaveNothingHalfDone) {
    using Prepare = std::function<void(SimProgram&)>;
    using Check = std::function<void(SimProgram&, const SimProgram::Run&)>;
    struct Case {
        const char* name;
        std::vector<std::string> simArgs;
        bool startSim;  // false: no simulator at all, the link does not exist
        MenuItem TTavroSetupMain::*command;
        Prepare prepare;
        const char* text;
        CommOperation operation;
        Check check;
    };
    // What a failed Upload All Settings must leave: the pending changes.
    EntryFlags pending{};
    const Prepare editAndKeep = [&](SimProgram& p) {
        editSetup(p.m());
        pending = p.m().ChangedMask;
    };
    const Check changesKept = [&](SimProgram& p, const SimProgram::Run&) {
        EXPECT_EQ(p.m().ChangedMask, pending);
        EXPECT_TRUE(p.m().WriteChangedSettings.enabled());
        EXPECT_FALSE(p.m().OperationsVerifySettings.enabled());
    };
    // A failed download rebuilds the image from the setup it did not touch.
    ParameterImage built{};
    const Prepare buildFirst = [&](SimProgram& p) {
        BuildImage(p.m());
        built = p.m().ParameterImage;
    };
    const Check downloadDiscarded = [&](SimProgram& p, const SimProgram::Run&) {
        EXPECT_EQ(std::memcmp(p.m().ParameterImage.data(), built.data(), sizeof built), 0);
        EXPECT_FALSE(p.m().FileSave.enabled());
        EXPECT_FALSE(p.m().WriteChangedSettings.enabled());
        EXPECT_FALSE(p.m().OperationsVerifySettings.enabled());
    };
    const Prepare nothing = [](SimProgram&) {};
    const Check noMore = [](SimProgram&, const SimProgram::Run&) {};

    // Values in the processor that differ from the setup, for the first
    // entries a download reads.
    const std::string table = scratch + "/table.txt";
    {
        SimProgram probe(scratch + "/probe");
        std::ofstream out(table);
        for (int k : visibleEntries(probe.m())) {
            const ParameterEntry& e = probe.m().ParameterImage[static_cast<std::size_t>(k)];
            out << std::hex << e.address() << std::dec << " " << (e.Value + 3) % 256 << "\n";
        }
    }

    const Case cases[] = {
        {"no device", {}, false, &TTavroSetupMain::OperationsCheckConnection, nothing, "Unable to open COM1.",
         CommOperation::OpFailed,
         [&](SimProgram&, const SimProgram::Run& r) {
             EXPECT_EQ(r.detail.rfind(link + ": ", 0), 0u) << r.detail;
             EXPECT_GT(r.detail.size(), link.size() + 2) << "no reason given";
             EXPECT_EQ(r.ticks, 0);
         }},
        {"no device", {}, false, &TTavroSetupMain::OperationsReadSettings, buildFirst, "Unable to open COM1.",
         CommOperation::OpFailed,
         downloadDiscarded},
        {"silent", {"--fault", "silent"}, true, &TTavroSetupMain::OperationsCheckConnection, nothing,
         "Unable to establish serial connection.", CommOperation::OpCheckConnection, noMore},
        {"silent", {"--fault", "silent"}, true, &TTavroSetupMain::OperationsWriteSettings, editAndKeep,
         "Unable to establish serial connection", CommOperation::OpFailed, changesKept},
        {"wrong-check", {"--fault", "wrong-check"}, true, &TTavroSetupMain::OperationsCheckConnection, nothing,
         "Unable to establish serial connection.", CommOperation::OpCheckConnection, noMore},
        {"refuse-writes", {"--fault", "refuse-writes"}, true, &TTavroSetupMain::WriteChangedSettings, editAndKeep,
         "Upload failed.", CommOperation::OpFailed,
         [&](SimProgram& p, const SimProgram::Run& r) {
             EXPECT_EQ(r.ticks, 1);
             changesKept(p, r);
         }},
        {"short", {"--fault", "short"}, true, &TTavroSetupMain::OperationsWriteSettings, editAndKeep,
         "Unable to establish serial connection", CommOperation::OpFailed, changesKept},
        {"short", {"--fault", "short"}, true, &TTavroSetupMain::OperationsReadSettings, buildFirst,
         "Unable to establish serial connection.", CommOperation::OpFailed, downloadDiscarded},
        {"bad-read", {"--fault", "bad-read"}, true, &TTavroSetupMain::OperationsReadSettings, buildFirst,
         "Download failed", CommOperation::OpFailed, downloadDiscarded},
        {"bad-read",
         {"--fault", "bad-read"},
         true,
         &TTavroSetupMain::OperationsVerifySettings,
         [&](SimProgram& p) {
             editAndKeep(p);
             // Writes work on this processor; only its read answers are bad.
             ASSERT_EQ(p.run(p.m().WriteChangedSettings).label, "Settings uploaded succesfully.");
         },
         "Verify failed: Unexpected return value.",
         CommOperation::OpFailed,
         [&](SimProgram& p, const SimProgram::Run& r) {
             EXPECT_EQ(r.ticks, 1);
             EXPECT_EQ(countFlags(p.m().VerifyMask.Flags), countFlags(pending));  // none verified
             EXPECT_FALSE(p.m().OperationsVerifySettings.enabled());
         }},
        {"mismatch", {"--fault", "mismatch=0012"}, true, &TTavroSetupMain::OperationsWriteSettings,
         [&](SimProgram& p) {
             editAndKeep(p);
             p.m().Opts.AutoVerify = 1;
         },
         "Verify failed: Settings did not match.", CommOperation::OpFailed,
         [&](SimProgram& p, const SimProgram::Run&) {
             // The pending changes are kept, and the entries the verify did
             // not find equal are pending too, from the centre level on.
             for (std::size_t k = 0; k < pending.size(); ++k) {
                 if (pending[k] != 0) {
                     EXPECT_EQ(p.m().ChangedMask[k], 1) << "entry " << k;
                 }
             }
             EXPECT_EQ(p.m().ChangedMask[12], 1);
             EXPECT_EQ(p.m().ChangedMask[11], 0);  // verified equal
             EXPECT_TRUE(p.m().WriteChangedSettings.enabled());
             EXPECT_FALSE(p.m().OperationsVerifySettings.enabled());
         }},
        {"hangup during a download", {"--fault", "hangup-after=5", "--table", table}, true,
         &TTavroSetupMain::OperationsReadSettings, buildFirst, "Unable to establish serial connection.",
         CommOperation::OpFailed,
         [&](SimProgram& p, const SimProgram::Run& r) {
             EXPECT_EQ(r.ticks, 6);
             downloadDiscarded(p, r);
         }},
        {"hangup during an upload", {"--fault", "hangup-after=3"}, true, &TTavroSetupMain::WriteChangedSettings,
         editAndKeep, "Unable to establish serial connection.", CommOperation::OpFailed,
         [&](SimProgram& p, const SimProgram::Run& r) {
             // The three entries written stay done; the rest is left to upload.
             EXPECT_EQ(r.ticks, 4);
             EXPECT_EQ(countFlags(p.m().ChangedMask), countFlags(pending) - 3);
             EXPECT_TRUE(p.m().WriteChangedSettings.enabled());
             // The device is gone now.
             const SimProgram::Run gone = p.run(p.m().OperationsCheckConnection);
             EXPECT_EQ(gone.label, "Unable to open COM1.");
             EXPECT_NE(gone.detail.find(link), std::string::npos);
         }},
        {"hangup at the first request", {"--fault", "hangup-after=0"}, true,
         &TTavroSetupMain::OperationsCheckConnection, nothing, "Unable to establish serial connection.",
         CommOperation::OpCheckConnection, noMore},
    };

    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.stop();
        if (c.startSim) sim.start(link, c.simArgs);
        SimProgram p(scratch + "/case" + std::to_string(++number));
        c.prepare(p);
        const SimProgram::Run r = p.run(p.m().*c.command);
        EXPECT_EQ(r.label, c.text);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(p.m().CommOperation, c.operation);
        EXPECT_FALSE(r.portOpenAtEnd);
        EXPECT_FALSE(p.host.realPort.isOpen);
        c.check(p, r);

        // The same program goes on with a sound processor.
        sim.start(link);
        p.m().Opts.AutoVerify = 0;
        EXPECT_EQ(p.run(p.m().OperationsCheckConnection).label, "Serial connection established.");
        const int left = countFlags(p.m().ChangedMask);
        if (left > 0 && p.m().WriteChangedSettings.enabled()) {
            const SimProgram::Run rest = p.run(p.m().WriteChangedSettings);
            EXPECT_EQ(rest.label, "Settings uploaded succesfully.");
            EXPECT_EQ(rest.ticks, left);
        }
    }
}

TEST_F(SimTest, DialogEditsSurviveSaveReopenAndReachTheProcessor) {
    const std::string dump = scratch + "/table.txt";
    sim.start(link, {"--dump", dump});
    std::string saved;
    {
        SimProgram a(scratch + "/a");
        a.host.onModal = [&a](Form& f) {
            if (auto* s = dynamic_cast<TFormSource*>(&f)) {
                s->EditSourceName.userSetText("Movies");
                s->ButtonSourceOk.userClick();
            } else if (auto* p = dynamic_cast<TFormPreset*>(&f)) {
                p->CBPresetCenter.userSelect(20);  // "+8 dB"
                p->ButtonPresetOk.userClick();
            }
            return f.modalResult();
        };
        a.m().BSource2.userClick();
        ASSERT_TRUE(a.m().ButtonPanel1.enabled()) << "the default setup associates preset 1";
        a.m().ButtonPanel1.userClick();
        a.host.onModal = nullptr;
        ASSERT_EQ(a.m().BSource2.caption(), "Movies");
        saved = a.saveAs("edited.sfg");
        ASSERT_FALSE(saved.empty());
    }
    SimProgram b(scratch + "/b");
    b.host.openAnswers.push_back(scratch + "/a/edited.sfg");
    b.m().FileOpenClick();
    EXPECT_EQ(b.m().Sources[1].Name, "Movies");
    EXPECT_EQ(b.m().Presets[0].Center, 20);
    EXPECT_EQ(b.m().LPanel1C.caption(), "+8 dB");
    EXPECT_EQ(b.run(b.m().OperationsWriteSettings).label, "Settings uploaded succesfully.");

    ASSERT_EQ(sim.stop(), 0);
    const auto table = readDump(dump);
    const char expected[] = "Movies ";
    for (int i = 0; i < 7; ++i) {
        const ParameterEntry& e = b.m().ParameterImage[static_cast<std::size_t>(entry::SourceName + 7 + i)];
        EXPECT_EQ(table.at(e.address()), expected[i]) << "name character " << i;
    }
    const ParameterEntry& center = b.m().ParameterImage[static_cast<std::size_t>(entry::Preset)];
    EXPECT_EQ(table.at(center.address()), center.Value);
}
