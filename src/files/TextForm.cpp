#include "files/TextForm.h"

#include <algorithm>

namespace tavro::files {

namespace {
constexpr int CtrlZ = 26;
constexpr std::int64_t Saturation = 1'000'000'000'000'000;  // far outside every range

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipBlanks(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    return i;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

int LineReader::peek() {
    if (lookahead_ == -2) lookahead_ = source_.get();
    return lookahead_;
}

bool LineReader::endsContent(int c) const { return c == -1 || (c == CtrlZ && ctrlZEnds_); }

bool LineReader::atEnd() { return endsContent(peek()); }

std::string LineReader::next() {
    std::string line;
    std::size_t raw = 0;  // bytes of the line before its LF
    bool lastWasCr = false;
    bool endedByLf = false;
    for (;;) {
        int c = peek();
        if (endsContent(c)) break;  // a Ctrl-Z that ends the content stays unread
        lookahead_ = -2;
        if (c == '\n') {
            endedByLf = true;
            break;
        }
        // One byte more than the limit is kept, so that a CR that turns out
        // to belong to the line end can still be told apart.
        if (line.size() <= maxLength_) line.push_back(static_cast<char>(c));
        ++raw;
        lastWasCr = c == '\r';
    }
    std::size_t content = endedByLf && lastWasCr ? raw - 1 : raw;
    line.resize(std::min({content, maxLength_, line.size()}));
    return line;
}

std::vector<std::string> splitLines(std::string_view content, bool ctrlZEnds) {
    MemorySource source(content);
    LineReader reader(source, std::string::npos - 1, ctrlZEnds);
    std::vector<std::string> lines;
    while (!reader.atEnd()) lines.push_back(reader.next());
    return lines;
}

bool readSetupSignature(LineReader& in) { return in.next() == SetupSignature; }

bool beginsAsSetup(std::string_view content) {
    MemorySource source(content);
    LineReader in(source);
    return readSetupSignature(in);
}

std::vector<EndedLine> splitLinesWithEnds(std::string_view content) {
    std::vector<EndedLine> lines;
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({content, {}});
            break;
        }
        const std::size_t end = lf > 0 && content[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back({content.substr(0, end), content.substr(end, lf + 1 - end)});
        content.remove_prefix(lf + 1);
    }
    return lines;
}

ParsedInt parseInteger(std::string_view line) {
    std::size_t i = skipBlanks(line);
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) {
        negative = line[i] == '-';
        ++i;
    }
    ParsedInt r;
    std::uint64_t magnitude = 0;
    std::uint32_t low = 0;
    for (; i < line.size() && isDigit(line[i]); ++i) {
        unsigned d = static_cast<unsigned>(line[i] - '0');
        low = low * 10u + d;  // modulo 2^32
        if (magnitude < static_cast<std::uint64_t>(Saturation)) magnitude = magnitude * 10 + d;
    }
    if (magnitude > static_cast<std::uint64_t>(Saturation)) magnitude = static_cast<std::uint64_t>(Saturation);
    r.value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    r.low32 = negative ? 0u - low : low;
    return r;
}

int levelIndexFromLine(std::string_view line) {
    std::size_t i = skipBlanks(line);
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) {
        negative = line[i] == '-';
        ++i;
    }
    std::int64_t whole = 0;
    bool digits = false;
    for (; i < line.size() && isDigit(line[i]); ++i) {
        digits = true;
        if (whole < 1'000'000) whole = whole * 10 + (line[i] - '0');
    }
    // The fraction F, 0 <= F < 1, is needed only as: zero, below one half,
    // exactly one half, above one half.
    bool fractionZero = true, fractionHalfOrMore = false, fractionAboveHalf = false;
    if (i < line.size() && line[i] == '.') {
        ++i;
        std::size_t first = i;
        for (; i < line.size() && isDigit(line[i]); ++i) {
            digits = true;
            if (line[i] != '0') fractionZero = false;
            if (i == first) {
                fractionHalfOrMore = line[i] >= '5';
                fractionAboveHalf = line[i] > '5';
            } else if (line[i] != '0' && fractionHalfOrMore) {
                fractionAboveHalf = true;
            }
        }
    }
    if (!digits) return 30 - 0;  // no number reads as 0: k = 30, i = 30
    // k = trunc(2v + 30) with v = +-(whole + F).
    const std::int64_t floor2F = fractionHalfOrMore ? 1 : 0;
    const std::int64_t ceil2F = fractionZero ? 0 : (fractionAboveHalf ? 2 : 1);
    std::int64_t k;
    if (!negative) {
        k = 2 * whole + 30 + floor2F;
    } else {
        bool nonNegative = whole < 15 || (whole == 15 && fractionZero);  // 2v + 30 >= 0
        k = nonNegative ? 30 - 2 * whole - ceil2F : 30 - 2 * whole - floor2F;
    }
    std::int64_t index = 60 - k;
    return index >= 0 && index <= 60 ? static_cast<int>(index) : 30;
}

std::string levelText(int index) {
    std::string s;
    if (index > 30) s += '-';
    int whole = (index - 30) / 2;
    s += std::to_string(whole < 0 ? -whole : whole);
    s += '.';
    s += index % 2 != 0 ? '5' : '0';
    return s;
}

bool beginsWith(std::string_view line, std::string_view keyword) { return line.substr(0, keyword.size()) == keyword; }

bool equalsIgnoringCase(std::string_view line, std::string_view text) {
    if (line.size() != text.size()) return false;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (lower(line[i]) != lower(text[i])) return false;
    return true;
}

int findItem(const std::vector<std::string>& items, std::string_view line) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsIgnoringCase(line, items[i])) return static_cast<int>(i);
    return -1;
}

}  // namespace tavro::files
