// The physical form of a setup file: lines and their ends, Ctrl-Z,
// the 160-character limit, numbers, levels, keywords, item texts, the first
// line and the reader's return codes.
#include "MainFixture.h"
#include "files/TextForm.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::files;
using namespace tavro::test;

namespace {

std::vector<std::string> lines(std::string_view content) {
    MemorySource source(content);
    LineReader reader(source);
    std::vector<std::string> out;
    while (!reader.atEnd()) out.push_back(reader.next());
    return out;
}

using Lines = std::vector<std::string>;

class FilesPhysical : public MainFixture {
protected:
    void SetUp() override {
        host.readablePictures = {"logo.bmp"};
        startAndShow();
    }
};

}  // namespace

TEST(FilesLines, CrLfAndLfEndLinesAndALoneCrStaysInTheLine) {
    EXPECT_EQ(lines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(lines("a\rb\r\n"), (Lines{"a\rb"}));
    EXPECT_EQ(lines("a\r\r\n"), (Lines{"a\r"}));
    EXPECT_EQ(lines("a\r"), (Lines{"a\r"}));  // no LF follows: the CR is text
    EXPECT_EQ(lines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(lines(""), (Lines{}));
    EXPECT_EQ(lines("a\r\n"), (Lines{"a"}));  // nothing after the last line end: no further line
    EXPECT_EQ(lines(std::string("a\0b\n", 4)), (Lines{std::string("a\0b", 3)}));
}

TEST(FilesLines, CtrlZEndsTheContent) {
    EXPECT_EQ(lines("a\r\nb\x1a" "c\r\nd\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(lines("\x1a" "a\r\n"), (Lines{}));
    EXPECT_EQ(lines("a\r\x1a"), (Lines{"a\r"}));
}

TEST(FilesLines, LinesWithTheirEndsAreTheLinesOfTheBytesAndPutTogetherTheText) {
    for (const std::string text :
         {"a\r\nb\nc", "a\rb\r\n", "a\r\r\n", "a\r", "\n\n", "", "a\x1a\r\nb\x1a", "\r\n\n\r\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        const std::vector<EndedLine> ended = splitLinesWithEnds(text);
        Lines texts;
        std::string together;
        for (const EndedLine& l : ended) {
            texts.push_back(std::string(l.text));
            together += std::string(l.text) + std::string(l.end);
            EXPECT_TRUE(l.end == "\n" || l.end == "\r\n" || (l.end.empty() && &l == &ended.back()));
        }
        EXPECT_EQ(texts, splitLines(text, false));
        EXPECT_EQ(together, text);
    }
}

TEST(FilesLines, ALongLineKeepsItsFirst160CharactersAndReadingGoesOnWithTheNextLine) {
    const std::string l160(160, 'x'), l161(161, 'y'), huge(100000, 'z');
    EXPECT_EQ(lines(l160 + "\r\nnext"), (Lines{l160, "next"}));
    EXPECT_EQ(lines(l161 + "\r\nnext"), (Lines{std::string(160, 'y'), "next"}));
    EXPECT_EQ(lines(huge + "\nnext\n"), (Lines{std::string(160, 'z'), "next"}));
    // A CR that belongs to the line end does not count; one that does not, does.
    EXPECT_EQ(lines(l160 + "\r\n"), (Lines{l160}));
    EXPECT_EQ(lines(std::string(159, 'x') + "\r\r\n"), (Lines{std::string(159, 'x') + "\r"}));
    EXPECT_EQ(lines(l160 + "\r\r\n"), (Lines{l160}));
    // Without any line end at all, reading still ends.
    EXPECT_EQ(lines(huge), (Lines{std::string(160, 'z')}));
}

TEST(FilesNumbers, IntegersAreTakenFromTheStartOfTheLineExactly) {
    struct Case {
        const char* line;
        std::int64_t value;
    };
    const Case cases[] = {
        {"12", 12},      {"-7", -7},     {"+5", 5},        {"   42abc", 42},  {"7 ft.", 7},   {"", 0},
        {"abc", 0},      {"-", 0},       {"- 5", 0},       {"\t5", 0},       {"0005", 5},    {"-0", 0},
        {"5.9", 5},      {"1e3", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(parseInteger(c.line).value, c.value) << '"' << c.line << '"';
    // A number of any length never wraps: it is simply out of every range.
    EXPECT_GT(parseInteger("4294967297").value, 4294967296LL);
    EXPECT_GT(parseInteger("99999999999999999999999999999999").value, 1'000'000'000'000LL);
    EXPECT_LT(parseInteger("-99999999999999999999999999999999").value, -1'000'000'000'000LL);
    // ... while its low bits are exact.
    EXPECT_EQ(parseInteger("-1").low32 & 2047u, 2047u);
    EXPECT_EQ(parseInteger("4095").low32 & 2047u, 2047u);
    EXPECT_EQ(parseInteger("4294969343").low32 & 2047u, 2047u);  // 2^32 + 2047
    EXPECT_EQ(parseInteger("18446744073709551616").low32, 0u);   // 2^64
}

TEST(FilesNumbers, LevelLinesSelectTheirItem) {
    struct Case {
        const char* line;
        int index;
    };
    const Case cases[] = {
        {"15.0", 0},   {"14.5", 1},   {"0.5", 29},   {"0.0", 30},   {"-0.5", 31},  {"-15.0", 60},
        {"-15.3", 60}, {"20", 30},    {"-16", 30},   {"15.5", 30},  {"-15.5", 30}, {"", 30},
        {"abc", 30},   {" -3.0", 36}, {".5", 29},    {"5.", 20},    {"-.5", 31},   {"+2.5", 25},
        {"0.4", 30},   {"0.49999999999999999999", 30}, {"0.5000000000000000001", 29}, {"-0.0", 30},
        {"-0.49", 31}, {"-0.51", 32},  {"-14.99", 60}, {"1e1", 28},   {"3.0 dB", 24}, {".", 30},
        {"-15.0000000001", 60}, {"999999999999999999999", 30},
    };
    for (const Case& c : cases) EXPECT_EQ(levelIndexFromLine(c.line), c.index) << '"' << c.line << '"';
}

TEST(FilesNumbers, LevelsAreWrittenWithOneDecimal) {
    EXPECT_EQ(levelText(0), "15.0");
    EXPECT_EQ(levelText(1), "14.5");
    EXPECT_EQ(levelText(29), "0.5");
    EXPECT_EQ(levelText(30), "0.0");
    EXPECT_EQ(levelText(31), "-0.5");
    EXPECT_EQ(levelText(60), "-15.0");
    for (int i = 0; i <= 60; ++i) EXPECT_EQ(levelIndexFromLine(levelText(i)), i);
}

TEST(FilesNumbers, KeywordsArePrefixesWithLetterCaseAndItemTextsWholeLinesWithout) {
    EXPECT_TRUE(beginsWith("Feet and more", "Feet"));
    EXPECT_FALSE(beginsWith("feet", "Feet"));
    EXPECT_FALSE(beginsWith(" Feet", "Feet"));
    EXPECT_FALSE(beginsWith("No Confirmation", "Confirm"));
    const std::vector<std::string> items{"12 ft.", "Cyan", "1 min 30 s"};
    EXPECT_EQ(findItem(items, "CYAN"), 1);
    EXPECT_EQ(findItem(items, "1 MIN 30 S"), 2);
    EXPECT_EQ(findItem(items, "12 ft. "), -1);  // nothing is trimmed
    EXPECT_EQ(findItem(items, " 12 ft."), -1);
    EXPECT_EQ(findItem(items, "12 ft"), -1);
    EXPECT_FALSE(equalsIgnoringCase("\xC4", "\xE4"));  // only A-Z fold
}

TEST_F(FilesPhysical, TheFirstLineMustBeExactlyTheSetupHeaderAndOtherwiseNothingChanges) {
    const std::string rest = "\r\n[General]\r\nChanged\r\n \r\n \r\nR7\r\n[Messages]\r\nSkip\r\n";
    const std::string before = FormatSetupText(m());
    for (const std::string first : {" //Setup", "//Setup ", "\xEF\xBB\xBF//Setup", "//setup", "// Setup", "//Setup\r",
                                    "", "[General]", "//Setup//"}) {
        EXPECT_EQ(ReadSetupText(m(), first + rest), ReadResult::NotASetup) << first;
        EXPECT_FALSE(m().DefaultFileUnreadable);
        EXPECT_EQ(FormatSetupText(m()), before) << first;
        EXPECT_FALSE(m().GBMessages.visible());
    }
    EXPECT_EQ(ReadSetupText(m(), ""), ReadResult::NotASetup);
    EXPECT_EQ(ReadSetupText(m(), "//Setup"), ReadResult::Ok);  // the header alone, without a line end
    EXPECT_EQ(ReadSetupText(m(), "//Setup\n[General]\nLF only\n \n \nTavro\n"), ReadResult::Ok);
    EXPECT_EQ(m().caption(), "LF only");
}

TEST_F(FilesPhysical, AFileThatCannotBeOpenedChangesNothingAndSetsDefaultFileUnreadable) {
    const std::string before = FormatSetupText(m());
    EXPECT_EQ(ReadSetupFile(m(), scratchDir() + "/missing.sfg"), ReadResult::CannotOpen);
    EXPECT_TRUE(m().DefaultFileUnreadable);
    EXPECT_EQ(ReadSetupFile(m(), scratchDir()), ReadResult::CannotOpen);  // a folder
    EXPECT_EQ(ReadSetupFile(m(), "/dev/zero"), ReadResult::CannotOpen);   // no regular file: it would never end
    EXPECT_EQ(FormatSetupText(m()), before);

    // Any later read that opens its file clears it, whatever the result.
    writeBytes(scratchDir() + "/other.txt", "hello\r\n");
    EXPECT_EQ(ReadSetupFile(m(), scratchDir() + "/other.txt"), ReadResult::NotASetup);
    EXPECT_FALSE(m().DefaultFileUnreadable);
    EXPECT_EQ(ReadSetupFile(m(), scratchDir() + "/missing.sfg"), ReadResult::CannotOpen);
    writeBytes(scratchDir() + "/a.sfg", setupText({"[Messages]", "Skip", "A", "B", "C", "D"}));
    EXPECT_EQ(ReadSetupFile(m(), scratchDir() + "/a.sfg"), ReadResult::Ok);
    EXPECT_FALSE(m().DefaultFileUnreadable);
    EXPECT_EQ(m().EditShutdown2.text(), "D");
}

TEST_F(FilesPhysical, CommentsStrayLinesAndUnknownSectionsAreSkippedBetweenSections) {
    EXPECT_EQ(ReadSetupText(m(), "//Setup\r\n// comment\r\nstray\r\n\r\n[Unknown]\r\nSkip\r\n[Messages]\r\n"
                                 "// not a comment here\r\nA\r\nB\r\nC\r\nD\r\n"),
              ReadResult::Ok);
    EXPECT_TRUE(m().GBMessages.visible());
    EXPECT_FALSE(m().CheckBoxSkipWelcome.checked());  // "// not a comment here" is the first value line
    EXPECT_EQ(m().EditWelcome1.text(), "A");
    EXPECT_EQ(m().EditShutdown2.text(), "D");
    // Headers are prefixes that respect letter case.
    EXPECT_EQ(ReadSetupText(m(), "//Setup\r\n[messages]\r\nSkip\r\n[Messages] and more\r\nSkip\r\n"), ReadResult::Ok);
    EXPECT_TRUE(m().CheckBoxSkipWelcome.checked());
}

TEST_F(FilesPhysical, ValueLinesCutOffByTheEndOfTheFileReadAsEmpty) {
    m().SBBass.setPosition(5);
    EXPECT_EQ(ReadSetupText(m(), "//Setup\r\n[General Audio Settings]\r\n-40"), ReadResult::Ok);
    EXPECT_EQ(m().SBVolume.position(), -20);
    EXPECT_EQ(m().SBBass.position(), 0);  // empty line: 0
    EXPECT_EQ(ReadSetupText(m(), "//Setup\r\n[Tone Filters]\r\n1\r\n"), ReadResult::Ok);
    EXPECT_EQ(m().CBToneBFreq.itemIndex(), 1);
    EXPECT_EQ(m().CBToneTFreq.itemIndex(), 0);  // an empty line reads as 0, which is in range
    // Ctrl-Z cuts the section too.
    EXPECT_EQ(ReadSetupText(m(), "//Setup\r\n[Options]\r\nCOM3\r\n\x1aVerify On\r\nConfirm\r\n"), ReadResult::Ok);
    EXPECT_EQ(m().Opts.ComPort, 3);
    EXPECT_EQ(m().Opts.AutoVerify, 0);
    EXPECT_EQ(m().Opts.ConfirmDiscard, 0);
}

TEST_F(FilesPhysical, ALongValueLineIsCutTo160Characters) {
    const std::string name(300, 'N');
    EXPECT_EQ(readLines(m(), {"[General]", std::string(200, 'C'), name, "B", "4820"}), ReadResult::Ok);
    EXPECT_EQ(m().caption(), std::string(160, 'C'));
    EXPECT_EQ(m().AboutLine1, std::string(160, 'N'));
    EXPECT_EQ(m().AboutLine2, "B");
    EXPECT_EQ(m().ModelVariant, tavro::ModelVariant::M4820);
}

TEST_F(FilesPhysical, ReadingEndsWithRefreshAfterLoad) {
    m().CBCenterL.userSelect(3);
    ASSERT_FALSE(marked().empty());
    EXPECT_EQ(readLines(m(), {"[General]", "Only General", " ", " ", "Tavro"}), ReadResult::Ok);
    EXPECT_TRUE(marked().empty());
    // No group box: every tab hidden, and with them Operations, Save As, Options and New.
    for (TabSheet* t : m().tabSheets()) EXPECT_FALSE(t->visible()) << t->name();
    for (MenuItem* i : {&m().OperationsMenu, &m().FileSaveAs, &m().FileOptions, &m().FileNew})
        EXPECT_FALSE(i->enabled()) << i->name();
    EXPECT_TRUE(m().FileOpen.enabled());
    EXPECT_TRUE(m().FileExit.enabled());
    EXPECT_EQ(readLines(m(), {"[LFE Level]", "-4"}), ReadResult::Ok);
    EXPECT_TRUE(m().TabSheetAudio.visible());
    EXPECT_TRUE(m().FileNew.enabled());
}
