// Compare with Processor: the processor's values of the visible part read
// through the communication dialog, the list of settings that differ, and
// Upload These; and the line that says where a verify found a difference.
#include <filesystem>

#include "MainFixture.h"
#include "files_support.h"
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"

using namespace tavro;
using namespace tavro::test;

namespace {

constexpr std::uint16_t CenterLevelAddress = 0x0012;  // entry 12
constexpr int Source1NameChar2 = entry::SourceName + 1;

class CompareWithProcessor : public MainFixture {
protected:
    void SetUp() override {
        startShownOnShippedDefault();
        if (HasFatalFailure()) return;
        m().Opts.AutoVerify = 0;
        // The processor holds what this setup sends.
        BuildImage(m());
        for (const ParameterEntry& e : m().ParameterImage) port().table[e.address()] = e.Value;
    }
    FakeSerialPort& port() { return host.port; }
    TFormComm& comm() { return *m().dialogs()->FormComm; }
    TFormCompare& compare() { return *m().dialogs()->FormCompare; }
    std::uint16_t address(int entry) const { return InitialParameterImage()[static_cast<std::size_t>(entry)].address(); }

    // Runs Compare with Processor: the communication dialog runs to its end,
    // the list is kept as shown, and `choice` closes it.
    void runCompare(Button TFormCompare::*choice) {
        host.onModal = [this, choice](Form& f) {
            if (&f == &comm()) {
                comm().StartTimer.fire();
                for (int ticks = 0; comm().OpTimer.enabled() && ticks < 2000; ++ticks) comm().OpTimer.fire();
                uploadBarMax.push_back(comm().ProgBar.max());
                commLabels.push_back(comm().LabelComm.caption());
                comm().ButtonComm.userClick();
                return comm().modalResult();
            }
            EXPECT_EQ(&f, &compare());
            rows = compare().GridDifferences.rows();
            label = compare().LabelCompare.caption();
            uploadEnabled = compare().ButtonUploadThese.enabled();
            (compare().*choice).userClick();
            return compare().modalResult();
        };
        m().OperationsCompare.userClick();
    }

    std::vector<std::vector<std::string>> rows;
    std::string label;
    bool uploadEnabled = false;
    std::vector<int> uploadBarMax;  // the communication dialog's bar maximum, per showing
    std::vector<std::string> commLabels;
};

}  // namespace

TEST_F(CompareWithProcessor, ListsEachDifferingSettingOnceAndCloseChangesNothing) {
    port().table[CenterLevelAddress] = 100;
    port().table[address(Source1NameChar2)] = 'X';
    m().CBLeftL.userSelect(3);  // a pending edit, not yet sent
    BuildImage(m());
    const ParameterImage image = m().ParameterImage;
    const EntryFlags changed = m().ChangedMask;
    const VerifyMask verify = m().VerifyMask;
    const tavro::CommOperation operation = m().CommOperation;
    const int centre = m().CBCenterL.itemIndex();
    const std::string name = m().Sources[0].Name;

    runCompare(&TFormCompare::ButtonClose);

    EXPECT_EQ(host.modalShown, (std::vector<std::string>{"FormComm", "FormCompare"}));
    // The read replaced nothing, and its end says so.
    EXPECT_EQ(commLabels, std::vector<std::string>{"Settings read from the processor."});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "Speaker Settings / Left level");
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Speaker Settings / Center level", "-1.5 dB", "+10.0 dB"}));
    EXPECT_EQ(rows[2][0], "Source 1 Settings / Source 1 name");
    EXPECT_EQ(rows[2][2].substr(0, 2), name.substr(0, 1) + "X");
    EXPECT_EQ(label, "3 settings differ from the processor.");
    EXPECT_TRUE(uploadEnabled);

    // Close: the setup, its image, masks and operation are as they were, and
    // nothing was written to the processor.
    EXPECT_EQ(m().ParameterImage, image);
    EXPECT_EQ(m().ChangedMask, changed);
    EXPECT_EQ(m().VerifyMask.Flags, verify.Flags);
    EXPECT_EQ(m().CommOperation, operation);
    EXPECT_EQ(m().CBCenterL.itemIndex(), centre);
    EXPECT_EQ(m().Sources[0].Name, name);
    EXPECT_EQ(port().table[CenterLevelAddress], 100);
    EXPECT_TRUE(m().WriteChangedSettings.enabled());
}

TEST_F(CompareWithProcessor, UploadTheseSendsExactlyTheDifferingEntries) {
    port().table[CenterLevelAddress] = 100;
    port().table[address(Source1NameChar2)] = 'X';
    // Pending but already what the processor holds: not sent again.
    m().MarkChanged({13});
    runCompare(&TFormCompare::ButtonUploadThese);

    ASSERT_EQ(host.modalShown, (std::vector<std::string>{"FormComm", "FormCompare", "FormComm"}));
    ASSERT_EQ(uploadBarMax.size(), 2u);
    EXPECT_EQ(uploadBarMax[1], 2 * CommProgressStep);
    EXPECT_EQ(commLabels[1], "Settings uploaded succesfully.");
    BuildImage(m());
    for (const ParameterEntry& e : m().ParameterImage) EXPECT_EQ(port().table[e.address()], e.Value) << e.address();
    EXPECT_EQ(marked(), std::set<int>{});
}

TEST_F(CompareWithProcessor, NoDifferenceSaysSoAndOffersNoUpload) {
    runCompare(&TFormCompare::ButtonClose);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(label, "The processor holds every setting of this setup.");
    EXPECT_FALSE(uploadEnabled);

    // The dialog is shown again for a download, which says it downloaded.
    m().OperationsReadSettings.userClick();
    EXPECT_EQ(commLabels,
              (std::vector<std::string>{"Settings read from the processor.", "Settings downloaded succesfully."}));
}

TEST_F(CompareWithProcessor, AFailedReadShowsNoListAndChangesNothing) {
    port().readFails = true;
    const ParameterImage image = m().ParameterImage;
    const EntryFlags changed = m().ChangedMask;
    runCompare(&TFormCompare::ButtonClose);
    EXPECT_EQ(host.modalShown, std::vector<std::string>{"FormComm"});
    EXPECT_EQ(commLabels, std::vector<std::string>{"Unable to establish serial connection."});
    EXPECT_EQ(m().ParameterImage, image);
    EXPECT_EQ(m().ChangedMask, changed);
}

TEST_F(CompareWithProcessor, AVerifyThatFindsADifferenceSaysWhere) {
    // Each side as the window shows it (the processor's as after a
    // download), and as the numbers sent and read.
    const struct {
        std::uint16_t address;
        std::uint8_t held;
        const char* detail;
    } cases[] = {
        {CenterLevelAddress, 108,
         "Center level (entry 12, address 0x0012): sent -1.5 dB (77), processor holds +14.0 dB (108)"},
        // A value the setting does not take: the numbers tell them apart.
        {CenterLevelAddress, 200,
         "Center level (entry 12, address 0x0012): sent -1.5 dB (77), processor holds -1.5 dB (200)"},
        {address(Source1NameChar2), 'X',
         "Source 1 name, character 2 (entry 160, address 0x02BF): sent DVD (86), processor holds DXD (88)"},
    };
    const std::string name = m().Sources[0].Name;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detail);
        commLabels.clear();
        port().mismatch.clear();
        port().mismatch[c.address] = c.held;
        m().OperationsVerifySettings.setEnabled(true);
        host.onModal = [this](Form&) {
            comm().StartTimer.fire();
            for (int ticks = 0; comm().OpTimer.enabled() && ticks < 2000; ++ticks) comm().OpTimer.fire();
            commLabels.push_back(comm().LabelComm.caption());
            commLabels.push_back(comm().LabelCommDetail.caption());
            comm().ButtonComm.userClick();
            return comm().modalResult();
        };
        // Every entry of the visible part counts as sent.
        MarkVisibleEntries(m());
        m().VerifyMask.Flags = m().ChangedMask;
        ClearChanged(m());
        m().OperationsVerifySettings.userClick();
        EXPECT_EQ(commLabels, (std::vector<std::string>{"Verify failed: Settings did not match.", c.detail}));
        // The setup is as it was.
        EXPECT_EQ(m().CBCenterL.text(), "-1.5 dB");
        EXPECT_EQ(m().Sources[0].Name, name);
        // The next showing starts without it.
        comm().FormShow();
        EXPECT_EQ(comm().LabelCommDetail.caption(), "");
    }
}
