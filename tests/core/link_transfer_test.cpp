// The transfer engine on its own: an image, its masks and a port, no window.
#include <gtest/gtest.h>

#include "FakeSerialPort.h"
#include "Printers.h"
#include "link/Transfer.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class TransferRun : public ::testing::Test {
protected:
    FakeSerialPort port;
    ParameterImage image = InitialParameterImage();
    EntryFlags changed{};
    VerifyMask verify;
    CommOperation operation = CommOperation::OpIdle;
    int marked = 0;  // times the visible part was marked

    Transfer make(CommOperation op, bool autoVerify = false) {
        operation = op;
        return Transfer(port, TransferData{image, changed, verify, operation},
                        TransferOptions{1, autoVerify, [this] {
                                            ++marked;
                                            for (int k : {3, 4, 5}) changed[static_cast<std::size_t>(k)] = 1;
                                        }});
    }
    static int count(const EntryFlags& f) {
        int n = 0;
        for (auto v : f) n += v != 0 ? 1 : 0;
        return n;
    }
};

TEST_F(TransferRun, UploadAllWithVerifyRunsBothPhasesEntryByEntry) {
    Transfer t = make(CommOperation::OpUploadAll, true);
    EXPECT_FALSE(t.started());
    t.start();
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(t.outcome(), CommOperation::OpUploadChanged);
    EXPECT_EQ(t.phase(), 1);
    EXPECT_EQ(t.entryCount(), 3);
    EXPECT_TRUE(port.isOpen);

    std::vector<int> done;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(t.running());
        t.step();
        done.push_back(t.entriesDone());
    }
    // The last write handed over to the verify of the three entries.
    EXPECT_EQ(done, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(t.phase(), 2);
    EXPECT_EQ(t.outcome(), CommOperation::OpVerify);
    EXPECT_EQ(t.text(), "Settings uploaded succesfully. Verifying...");
    EXPECT_EQ(count(changed), 0);
    EXPECT_EQ(count(verify.Flags), 3);
    EXPECT_EQ(verify.VerifyFollowsUpload, 1);

    while (t.running()) t.step();
    EXPECT_EQ(t.entriesDone(), 3);
    EXPECT_EQ(t.text(), "Settings uploaded and verified succesfully.");
    EXPECT_EQ(operation, CommOperation::OpVerify);
    EXPECT_EQ(count(verify.Flags), 0);
    EXPECT_FALSE(port.isOpen);
    EXPECT_EQ(port.table.at(image[4].address()), image[4].Value);
}

TEST_F(TransferRun, AbortStopsAfterTheExchangeInHand) {
    Transfer t = make(CommOperation::OpDownload);
    t.start();
    t.step();
    const std::size_t writes = port.writeCalls.size();
    t.abort();
    EXPECT_TRUE(t.finished());
    EXPECT_EQ(operation, CommOperation::OpFailed);
    EXPECT_FALSE(port.isOpen);
    t.step();  // nothing more goes out
    EXPECT_EQ(port.writeCalls.size(), writes);
    EXPECT_EQ(count(changed), 2);  // the two entries not read stay flagged
    EXPECT_EQ(count(verify.Flags), 1);
}

TEST_F(TransferRun, NothingFlaggedEndsAtStart) {
    Transfer t = make(CommOperation::OpUploadChanged);
    t.start();
    EXPECT_EQ(marked, 0);  // only the changed entries are sent
    EXPECT_TRUE(t.finished());
    EXPECT_EQ(t.entryCount(), 0);
    EXPECT_EQ(t.text(), "No changed settings to upload.");
    EXPECT_EQ(operation, CommOperation::OpUploadChanged);
    EXPECT_TRUE(port.writeCalls.empty());
    EXPECT_FALSE(port.isOpen);
}

TEST_F(TransferRun, APortThatCannotOpenFailsWithItsReason) {
    port.openOk = false;
    port.openError = "No such file or directory";
    Transfer t = make(CommOperation::OpVerify);
    t.start();
    EXPECT_TRUE(t.finished());
    EXPECT_EQ(t.opened(), OpenResult::OpenFailed);
    EXPECT_EQ(t.text(), "Unable to open COM1.");
    EXPECT_NE(t.detail().find(": No such file or directory"), std::string::npos) << t.detail();
    EXPECT_EQ(operation, CommOperation::OpFailed);
}

}  // namespace
