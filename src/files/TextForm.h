// The physical form of a setup file: lines, numbers, keywords and
// item texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro::files {

// The longest line the reader keeps; the rest of a longer line is dropped.
inline constexpr std::size_t MaxLineLength = 160;
inline constexpr const char* LineEnd = "\r\n";

// Bytes of a file or of a text in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The next byte (0..255), or -1 at the end.
    virtual int get() = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view data) : data_(data) {}
    int get() override { return pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_++]) : -1; }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

// Splits the content into lines: LF ends a line and a CR directly before it
// is dropped; any other CR stays in the line; byte 26 (Ctrl-Z) ends the
// content (unless ctrlZEnds is false: then it is a byte like any other).
// Text after the last line end is the last line. A line keeps at most
// maxLength characters; the rest of it is dropped.
class LineReader {
public:
    explicit LineReader(ByteSource& source, std::size_t maxLength = MaxLineLength, bool ctrlZEnds = true)
        : source_(source), maxLength_(maxLength), ctrlZEnds_(ctrlZEnds) {}

    // No line is left.
    bool atEnd();
    // The next line; an empty line once the content has ended.
    std::string next();

private:
    int peek();
    bool endsContent(int c) const;

    ByteSource& source_;
    std::size_t maxLength_;
    bool ctrlZEnds_;
    int lookahead_ = -2;  // -2: nothing looked at yet
};

// The first line of every setup file.
inline constexpr const char* SetupSignature = "//Setup";
// Reads the first line: true when it is the setup signature.
bool readSetupSignature(LineReader& in);
// The text begins as a setup does (its first line is the signature).
bool beginsAsSetup(std::string_view content);

// Every line of a text, as LineReader splits it, without a length limit;
// with ctrlZEnds false every line up to the text's last byte.
std::vector<std::string> splitLines(std::string_view content, bool ctrlZEnds = true);

// A line of a text and the line end that follows it: "\n", "\r\n", or
// nothing for the text after the last line end.
struct EndedLine {
    std::string_view text;
    std::string_view end;
};
// Every line of a text as splitLines(content, false) splits it, each with
// its own line end: put together again they are the text, byte for byte.
std::vector<EndedLine> splitLinesWithEnds(std::string_view content);

// An integer at the start of a line: blanks skipped, an optional sign, the
// digits that follow. Read exactly: value saturates far outside every range
// (so a long number is simply out of range), and low32 holds the exact
// value modulo 2^32 (two's complement for negative numbers).
struct ParsedInt {
    std::int64_t value = 0;
    std::uint32_t low32 = 0;
};
ParsedInt parseInteger(std::string_view line);
inline std::int64_t intValue(std::string_view line) { return parseInteger(line).value; }

// The level list index (0..60) that a level line selects: the number v at
// the start of the line (blanks skipped, optional sign, digits, optional
// fraction, no exponent; none reads as 0) gives i = 60 - trunc((v + 15) * 2),
// computed exactly; an index outside 0..60 selects 30 ("0 dB").
int levelIndexFromLine(std::string_view line);
// "15.0" .. "0.5", "0.0", "-0.5" .. "-15.0" for level item i.
std::string levelText(int index);

// The line begins with the keyword (letter case counts).
bool beginsWith(std::string_view line, std::string_view keyword);
// The whole line equals the text, ignoring the letter case of A-Z only.
bool equalsIgnoringCase(std::string_view line, std::string_view text);
// The index of the item that the whole line names (letter case ignored), or -1.
int findItem(const std::vector<std::string>& items, std::string_view line);

}  // namespace tavro::files
