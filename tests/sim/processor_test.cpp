// The simulator's processor: its answers with and without faults, how it
// finds frames in the byte stream, and its table files.
#include <gtest/gtest.h>

#include <sstream>

#include "Processor.h"
#include "link/ParameterImage.h"

using namespace tavro;
using namespace tavro::sim;

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes checkRequest{0xD2};
Bytes writeFrame(std::uint16_t address, std::uint8_t value) {
    return {0xE0, 'R', 'S', '!', 0xE6, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
            value};
}
Bytes readFrame(std::uint16_t address) {
    return {0xE0, 'R', 'S', '!', 0xE7, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}

// Feeds the bytes one by one and collects every answer; `answers` counts
// the bytes after which an answer came.
struct Fed {
    Bytes answer;
    int answers = 0;
};
Fed feed(Processor& p, const Bytes& bytes, long long startMs = 0, long long stepMs = 4) {
    Fed f;
    long long t = startMs;
    for (std::uint8_t b : bytes) {
        Bytes a = p.receive(b, t);
        t += stepMs;
        if (!a.empty()) ++f.answers;
        f.answer.insert(f.answer.end(), a.begin(), a.end());
    }
    return f;
}

Faults faultsFrom(const std::string& text) {
    Faults f;
    if (!text.empty()) {
        EXPECT_FALSE(parseFault(text, f)) << text;
    }
    return f;
}

}  // namespace

TEST(SimProcessor, StartsWithTheRegisterMapsInitialValues) {
    Processor p;
    for (const ParameterEntry& e : InitialParameterImage()) ASSERT_EQ(p.value(e.address()), e.Value) << e.address();
    std::ostringstream dump;
    p.dumpTable(dump);
    std::istringstream lines(dump.str());
    int count = 0;
    for (std::string l; std::getline(lines, l);) ++count;
    EXPECT_EQ(count, ImageEntryCount);  // one line per address of the map
}

TEST(SimProcessor, AnswersEachRequestAsTheFaultModeSays) {
    // Address 0x0006 starts at 81 (balanced-input source), 0x0007 at 80.
    struct Case {
        const char* fault;
        Bytes request;
        Bytes answer;
        int storedAt0006;  // value at 0x0006 afterwards
    };
    const Case cases[] = {
        {"", checkRequest, {0xD3}, 81},
        {"", writeFrame(0x0006, 0x64), {0x00, 0x01, 0x00}, 0x64},
        {"", readFrame(0x0006), {0xD9, 81, 0x00}, 81},
        {"silent", checkRequest, {}, 81},
        {"silent", readFrame(0x0006), {}, 81},
        {"silent", writeFrame(0x0006, 0x64), {}, 0x64},
        {"refuse-writes", writeFrame(0x0006, 0x64), {0x00, 0x00, 0x00}, 81},
        {"refuse-writes", readFrame(0x0006), {0xD9, 81, 0x00}, 81},
        {"bad-read", readFrame(0x0006), {0xD8, 81, 0x00}, 81},
        {"bad-read", writeFrame(0x0006, 0x64), {0x00, 0x01, 0x00}, 0x64},
        {"bad-read", checkRequest, {0xD3}, 81},
        {"short", writeFrame(0x0006, 0x64), {0x00}, 0x64},
        {"short", readFrame(0x0006), {0xD9}, 81},
        {"short", checkRequest, {0xD3}, 81},
        {"wrong-check", checkRequest, {0xD4}, 81},
        {"wrong-check", readFrame(0x0006), {0xD9, 81, 0x00}, 81},
        {"mismatch=0006", readFrame(0x0006), {0xD9, 82, 0x00}, 81},
        {"mismatch=0x0006", readFrame(0x0007), {0xD9, 80, 0x00}, 81},
        {"hangup-after=1", checkRequest, {0xD3}, 81},
    };
    for (const Case& c : cases) {
        Processor p;
        p.faults = faultsFrom(c.fault);
        const Fed f = feed(p, c.request);
        EXPECT_EQ(f.answer, c.answer) << c.fault << " request of " << c.request.size() << " bytes";
        EXPECT_LE(f.answers, 1);
        EXPECT_EQ(p.exchanges(), 1) << c.fault;
        EXPECT_EQ(p.value(0x0006), c.storedAt0006) << c.fault;
    }
}

TEST(SimProcessor, AWrittenValueIsReadBack) {
    Processor p;
    EXPECT_EQ(feed(p, writeFrame(0x0370, 0xD2)).answer, (Bytes{0x00, 0x01, 0x00}));
    EXPECT_EQ(feed(p, readFrame(0x0370)).answer, (Bytes{0xD9, 0xD2, 0x00}));
    // An address outside the map is kept as well.
    feed(p, writeFrame(0xBEEF, 7));
    EXPECT_EQ(feed(p, readFrame(0xBEEF)).answer, (Bytes{0xD9, 7, 0x00}));
    EXPECT_EQ(p.exchanges(), 4);
}

TEST(SimProcessor, FindsFramesInTheByteStream) {
    struct Case {
        const char* what;
        Bytes bytes;
        Bytes answer;
    };
    Bytes broken{0xE0, 'R', 0x11};  // not a frame: given up at the third byte
    Bytes afterBroken = broken;
    const Bytes read = readFrame(0x0006);
    afterBroken.insert(afterBroken.end(), read.begin(), read.end());
    Bytes restarted{0xE0, 'R', 'S'};  // a frame start inside a broken header
    restarted.insert(restarted.end(), read.begin(), read.end());
    Bytes wrongCommand{0xE0, 'R', 'S', '!', 0xE5, 0x00, 0x06};
    const Case cases[] = {
        {"noise before a frame is ignored", {0x00, 0x55, 0xFF, 0xE0, 'R', 'S', '!', 0xE7, 0x00, 0x06}, {0xD9, 81, 0x00}},
        {"a broken header is dropped", afterBroken, {0xD9, 81, 0x00}},
        {"a new frame start restarts the frame", restarted, {0xD9, 81, 0x00}},
        {"an unknown command is no frame", wrongCommand, {}},
        {"0xD2 as an address byte is no check", readFrame(0xD2D2), {0xD9, 0x00, 0x00}},
        {"0xD2 as a value is no check", writeFrame(0x0006, 0xD2), {0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        Processor p;
        EXPECT_EQ(feed(p, c.bytes).answer, c.answer) << c.what;
    }
}

TEST(SimProcessor, AFrameThatStopsComingIsDropped) {
    Processor p;
    const Bytes read = readFrame(0x0006);
    const Bytes firstHalf(read.begin(), read.begin() + 4);
    EXPECT_TRUE(feed(p, firstHalf, 0).answer.empty());
    // The rest comes a second later: it is no frame on its own.
    const Bytes rest(read.begin() + 4, read.end());
    EXPECT_TRUE(feed(p, rest, 1000).answer.empty());
    EXPECT_EQ(p.exchanges(), 0);
    EXPECT_EQ(feed(p, read, 2000).answer, (Bytes{0xD9, 81, 0x00}));
}

TEST(SimProcessor, HangupIsDueAfterTheGivenNumberOfExchanges) {
    Processor p;
    p.faults = faultsFrom("hangup-after=2");
    feed(p, checkRequest);
    EXPECT_FALSE(p.hangupDue());
    feed(p, {0xE0, 'R'});  // an incomplete frame is no exchange
    EXPECT_FALSE(p.hangupDue());
    feed(p, readFrame(0x0006), 1000);
    EXPECT_TRUE(p.hangupDue());
}

TEST(SimProcessor, FaultArguments) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"silent", true},          {"refuse-writes", true},   {"bad-read", true},       {"short", true},
        {"wrong-check", true},     {"hangup-after=0", true},  {"hangup-after=12", true}, {"mismatch=12", true},
        {"mismatch=0xFFFF", true}, {"loud", false},           {"silent=1", false},      {"hangup-after", false},
        {"hangup-after=x", false}, {"hangup-after=-1", false}, {"mismatch=", false},     {"mismatch=10000", false},
        {"mismatch=00G1", false},
    };
    for (const Case& c : cases) {
        Faults f;
        EXPECT_EQ(!parseFault(c.text, f).has_value(), c.ok) << c.text;
    }
    Faults f;
    ASSERT_FALSE(parseFault("mismatch=02BE", f));
    EXPECT_EQ(f.mismatch, std::optional<std::uint16_t>(0x02BE));
    ASSERT_FALSE(parseFault("hangup-after=7", f));
    EXPECT_EQ(f.hangupAfter, std::optional<int>(7));
}

TEST(SimProcessor, LoadsTablesInBothFormats) {
    Processor p;
    std::istringstream in(
        "# values from a processor\r\n"
        "0012 100\r\n"
        "\r\n"
        "0x001D 120\n"
        "12 0012 101 1\n"  // an image line overrides the line above
        "23 001E 4 0\n"
        "   BEEF   255   \n");
    ASSERT_FALSE(p.loadTable(in));
    EXPECT_EQ(p.value(0x0012), 101);
    EXPECT_EQ(p.value(0x001D), 120);
    EXPECT_EQ(p.value(0x001E), 4);
    EXPECT_EQ(p.value(0xBEEF), 255);
    EXPECT_EQ(p.value(0x0006), 81);  // not listed: the initial value

    // The dump reads back into the same table.
    std::ostringstream dump;
    p.dumpTable(dump);
    EXPECT_NE(dump.str().find("0012 101\n"), std::string::npos);
    EXPECT_NE(dump.str().find("BEEF 255\n"), std::string::npos);
    Processor q;
    std::istringstream back(dump.str());
    ASSERT_FALSE(q.loadTable(back));
    std::ostringstream again;
    q.dumpTable(again);
    EXPECT_EQ(again.str(), dump.str());
}

TEST(SimProcessor, ATableWithABadLineChangesNothing) {
    const char* bad[] = {"0012 256", "0012", "XYZ 1", "0012 1 2 3 4", "395 0012 1 1", "10000 5", "0012 -1"};
    for (const char* line : bad) {
        Processor p;
        std::istringstream in(std::string("0006 1\n") + line + "\n");
        const auto problem = p.loadTable(in);
        ASSERT_TRUE(problem) << line;
        EXPECT_NE(problem->find("line 2"), std::string::npos) << *problem;
        EXPECT_EQ(p.value(0x0006), 81) << line;
    }
}
