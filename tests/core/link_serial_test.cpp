// Framing and outcomes of the serial link against a scripted port.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FakeSerialPort.h"
#include "Printers.h"
#include "link/SerialLink.h"

using namespace tavro;
using tavro::test::FakeSerialPort;

namespace {

class SerialLinkTest : public ::testing::Test {
protected:
    FakeSerialPort port;
    SerialLink link{port};
    ParameterImage image = InitialParameterImage();

    void openOk() { ASSERT_EQ(link.OpenPort(2), OpenResult::Ok); }
};

}  // namespace

TEST_F(SerialLinkTest, OpenSavesTheTimeoutsAndCloseRestoresThem) {
    const SerialTimeouts before = port.portTimeouts;
    openOk();
    EXPECT_EQ(port.opened, std::vector<std::string>{"COM2"});
    EXPECT_EQ(port.lineMode, "9600,n,8,1");
    ASSERT_EQ(port.timeoutsSet.size(), 1u);
    EXPECT_EQ(port.timeoutsSet[0], (SerialTimeouts{500, 300, 300, 100, 100}));
    link.ClosePort();
    ASSERT_EQ(port.timeoutsSet.size(), 2u);
    EXPECT_EQ(port.timeoutsSet[1], before);
    EXPECT_EQ(port.events.back(), "close");
    EXPECT_EQ(port.events[port.events.size() - 2], "timeouts");  // restored right before the close
    link.ClosePort();                                             // a second close does nothing
    EXPECT_EQ(port.timeoutsSet.size(), 2u);
}

TEST_F(SerialLinkTest, OpenFailuresCloseWhatWasOpened) {
    struct Case {
        bool FakeSerialPort::*knob;
        OpenResult result;
        bool closed;
    };
    const Case cases[] = {
        {&FakeSerialPort::openOk, OpenResult::OpenFailed, false},
        {&FakeSerialPort::modeOk, OpenResult::ModeFailed, true},
        {&FakeSerialPort::applyOk, OpenResult::ApplyFailed, true},
        {&FakeSerialPort::getTimeoutsOk, OpenResult::TimeoutsFailed, true},
    };
    for (const Case& c : cases) {
        FakeSerialPort p;
        p.*c.knob = false;
        SerialLink l(p);
        EXPECT_EQ(l.OpenPort(4), c.result);
        EXPECT_EQ(p.opened, std::vector<std::string>{"COM4"});
        EXPECT_EQ(!p.events.empty() && p.events.back() == "close", c.closed);
        EXPECT_TRUE(p.timeoutsSet.empty());
        EXPECT_FALSE(l.isOpen());
    }
    EXPECT_EQ(openFailureText(4), "Unable to open COM4.");
}

TEST_F(SerialLinkTest, WriteFrameGoesOutOneBytePerCallWithPauses) {
    openOk();
    image[12].Value = 110;
    EXPECT_EQ(link.WriteEntry(image, 12), WriteOutcome::Acknowledged);
    const std::vector<std::vector<std::uint8_t>> expected{{0xE0}, {'R'}, {'S'}, {'!'}, {0xE6}, {0x00}, {0x12}, {110}};
    EXPECT_EQ(port.writeCalls, expected);
    EXPECT_EQ(port.sleeps, 8);
    EXPECT_EQ(port.readSizes, std::vector<std::size_t>{3});
    EXPECT_EQ(port.table[0x0012], 110);
}

TEST_F(SerialLinkTest, WriteOutcomes) {
    struct Case {
        const char* what;
        std::function<void(FakeSerialPort&)> setup;
        WriteOutcome outcome;
        const char* text;
    };
    const Case cases[] = {
        {"acknowledged by 00 01", [](FakeSerialPort& p) { p.scriptedAnswers = {{0x00, 0x01}}; },
         WriteOutcome::Acknowledged, ""},
        {"refused by 01 00 01", [](FakeSerialPort& p) { p.scriptedAnswers = {{0x01, 0x00, 0x01}}; }, WriteOutcome::Refused,
         "Upload failed."},
        {"short answer", [](FakeSerialPort& p) { p.scriptedAnswers = {{0x00}}; }, WriteOutcome::ShortAnswer,
         "Unable to establish serial connection"},
        {"no answer", [](FakeSerialPort& p) { p.scriptedAnswers = {{}}; }, WriteOutcome::ShortAnswer,
         "Unable to establish serial connection"},
        {"read call fails", [](FakeSerialPort& p) { p.readFails = true; }, WriteOutcome::ReadFailure,
         "Unable to establish serial connection."},
        {"a write call fails", [](FakeSerialPort& p) { p.failWriteCall = 2; }, WriteOutcome::PortFailure,
         "Unable to establish serial connection."},
        {"a write takes nothing", [](FakeSerialPort& p) { p.zeroWriteCall = 7; }, WriteOutcome::NothingSent,
         "Upload failed."},
    };
    for (const Case& c : cases) {
        FakeSerialPort p;
        c.setup(p);
        SerialLink l(p);
        ASSERT_EQ(l.OpenPort(1), OpenResult::Ok);
        EXPECT_EQ(l.WriteEntry(image, 0), c.outcome) << c.what;
        EXPECT_STREQ(writeOutcomeText(c.outcome), c.text) << c.what;
        // Whatever failed, every byte of the frame was offered; no retry.
        EXPECT_EQ(p.writeCalls.size(), 8u) << c.what;
    }
}

// Every byte the port took is followed by a 4 ms pause before the next one
// goes out: 32 ms for a write frame, 28 ms for a read frame, and only then
// the answer is read.
TEST_F(SerialLinkTest, EachWrittenByteIsFollowedByItsFourMillisecondPause) {
    struct Case {
        const char* what;
        std::function<void()> exchange;
        int bytes;
    };
    std::uint8_t value = 0;
    const Case cases[] = {
        {"write frame", [&] { link.WriteEntry(image, 12); }, 8},
        {"read frame", [&] { link.ReadEntry(image, 12, value); }, 7},
    };
    openOk();
    for (const Case& c : cases) {
        port.wire.clear();
        c.exchange();
        std::vector<std::string> expected;
        for (int i = 0; i < c.bytes; ++i) expected.insert(expected.end(), {"write", "pause 4"});
        expected.push_back("read 3");
        EXPECT_EQ(port.wire, expected) << c.what;
        int paused = 0;
        for (const std::string& w : port.wire)
            if (w.rfind("pause ", 0) == 0) paused += std::stoi(w.substr(6));
        EXPECT_EQ(paused, 4 * c.bytes) << c.what;
    }
}

TEST_F(SerialLinkTest, AFailedSendReadsNoAnswerAndTheLaterFailureCounts) {
    port.failWriteCall = 1;
    port.zeroWriteCall = 5;
    openOk();
    EXPECT_EQ(link.WriteEntry(image, 0), WriteOutcome::NothingSent);
    EXPECT_TRUE(port.readSizes.empty());
    EXPECT_EQ(port.sleeps, 6);  // only after the bytes the port took
}

TEST_F(SerialLinkTest, ReadFrameAndOutcomes) {
    openOk();
    port.scriptedAnswers = {{0xD9, 0x57}};
    std::uint8_t value = 0;
    EXPECT_EQ(link.ReadEntry(image, 22, value), ReadOutcome::Received);
    EXPECT_EQ(value, 87);
    const std::vector<std::vector<std::uint8_t>> frame{{0xE0}, {'R'}, {'S'}, {'!'}, {0xE7}, {0x00}, {0x1D}};
    EXPECT_EQ(port.writeCalls, frame);

    struct Case {
        std::function<void(FakeSerialPort&)> setup;
        ReadOutcome outcome;
        const char* download;
        const char* verify;
    };
    const Case cases[] = {
        {[](FakeSerialPort& p) { p.scriptedAnswers = {{0xD9}}; }, ReadOutcome::ShortAnswer,
         "Unable to establish serial connection.", "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.scriptedAnswers = {{0xD8, 0x01, 0x00}}; }, ReadOutcome::BadAnswer, "Download failed",
         "Verify failed: Unexpected return value."},
        {[](FakeSerialPort& p) { p.readFails = true; }, ReadOutcome::ReadFailure, "Unable to establish serial connection.",
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.failWriteCall = 0; }, ReadOutcome::PortFailure, "Unable to establish serial connection.",
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.zeroWriteCall = 6; }, ReadOutcome::NothingSent, "Unable to establish serial connection.",
         "Unable to establish serial connection."},
    };
    for (const Case& c : cases) {
        FakeSerialPort p;
        c.setup(p);
        SerialLink l(p);
        ASSERT_EQ(l.OpenPort(1), OpenResult::Ok);
        std::uint8_t v = 42;
        EXPECT_EQ(l.ReadEntry(image, 0, v), c.outcome);
        EXPECT_EQ(v, 42);  // no value without a good answer
        EXPECT_STREQ(downloadOutcomeText(c.outcome), c.download);
        EXPECT_STREQ(verifyOutcomeText(c.outcome), c.verify);
    }
}

TEST_F(SerialLinkTest, ConnectionCheckSendsOneByteReadsOneAndCloses) {
    struct Case {
        std::function<void(FakeSerialPort&)> setup;
        CheckResult result;
        const char* text;
    };
    const Case cases[] = {
        {[](FakeSerialPort&) {}, CheckResult::Connected, "Serial connection established."},
        {[](FakeSerialPort& p) { p.scriptedAnswers = {{0xD2}}; }, CheckResult::WrongAnswer,
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.scriptedAnswers = {{}}; }, CheckResult::NoAnswer,
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.readFails = true; }, CheckResult::ReadFailed,
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.zeroWriteCall = 0; }, CheckResult::NothingWritten,
         "Unable to establish serial connection."},
        {[](FakeSerialPort& p) { p.failWriteCall = 0; }, CheckResult::WriteFailed, "Unable to open COM3."},
    };
    for (const Case& c : cases) {
        FakeSerialPort p;
        c.setup(p);
        SerialLink l(p);
        ASSERT_EQ(l.OpenPort(3), OpenResult::Ok);
        EXPECT_EQ(l.CheckConnection(), c.result);
        EXPECT_EQ(checkResultText(c.result, 3), c.text);
        EXPECT_EQ(p.writeCalls, (std::vector<std::vector<std::uint8_t>>{{0xD2}}));
        EXPECT_LE(p.readSizes.size(), 1u);
        if (!p.readSizes.empty()) {
            EXPECT_EQ(p.readSizes[0], 1u);
        }
        EXPECT_EQ(p.events.back(), "close");
        EXPECT_FALSE(l.isOpen());
    }
}
