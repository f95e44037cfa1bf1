#include "files/OptionsBlock.h"

#include <algorithm>
#include <vector>

#include "files/AtomicFile.h"
#include "files/TextForm.h"

namespace tavro::files {

std::array<std::string, OptionsLineCount> optionsLines(const Options& o) {
    return {"COM" + std::to_string(o.ComPort), o.AutoVerify == 1 ? "Verify On" : "Verify Off",
            o.ConfirmDiscard == 1 ? "Confirm" : "No Confirmation"};
}

void readOptionsLines(const std::array<std::string, OptionsLineCount>& lines, Options& o) {
    const std::string& port = lines[0];
    o.ComPort = beginsWith(port, "COM4") ? 4 : beginsWith(port, "COM3") ? 3 : beginsWith(port, "COM2") ? 2 : 1;
    o.AutoVerify = beginsWith(lines[1], "Verify On") ? 1 : 0;
    o.ConfirmDiscard = beginsWith(lines[2], "Confirm") ? 1 : 0;
}

namespace {

// The line end of the lines written anew: the header's, else the file's
// first one, else CR LF.
std::string_view blockLineEnd(const std::vector<EndedLine>& lines, std::size_t header) {
    if (header < lines.size() && !lines[header].end.empty()) return lines[header].end;
    for (const EndedLine& line : lines)
        if (!line.end.empty()) return line.end;
    return LineEnd;
}

}  // namespace

std::string replaceOptionsBlock(std::string_view defaultFileContent, const Options& o) {
    // A Ctrl-Z ends what the reader reads, not the file: everything after it
    // is copied as well. Copied lines keep their own line ends, and the file
    // ends as it ended: with a line end or without one.
    const std::vector<EndedLine> lines = splitLinesWithEnds(defaultFileContent);
    std::size_t header = 0;
    while (header < lines.size() && !beginsWith(lines[header].text, OptionsHeader)) ++header;
    const bool found = header < lines.size();
    const std::string_view end = blockLineEnd(lines, header);
    const bool fileEnded = !lines.empty() && !lines.back().end.empty();

    std::string out;
    for (std::size_t i = 0; i < header; ++i) {
        out += lines[i].text;
        out += lines[i].end;
    }
    if (!found) {
        if (!lines.empty() && !fileEnded) out += end;  // the last line ends before the block
        out += end;                                    // the empty line before it
    }

    out += OptionsHeader;
    for (const std::string& line : optionsLines(o)) {
        out += end;
        out += line;
    }
    const std::size_t after = found ? std::min(header + 1 + OptionsLineCount, lines.size()) : lines.size();
    if (after < lines.size() || fileEnded) out += end;
    for (std::size_t j = after; j < lines.size(); ++j) {
        out += lines[j].text;
        out += lines[j].end;
    }
    return out;
}

bool storeOptionsBlock(const std::string& defaultFile, const std::string& tempFile, const Options& o) {
    std::string content;
    if (!readRegularFile(defaultFile, content)) return false;
    const std::string replaced = replaceOptionsBlock(content, o);
    if (isReadOnlyFile(defaultFile)) {
        writeFileReplacing(tempFile, replaced, TargetLink::Replace);
        return false;
    }
    // A new file of this close's own, renamed over the default setup: closes
    // that run at the same moment never share a temporary file, and a link
    // in its place is replaced, never written through.
    return static_cast<bool>(writeFileReplacing(defaultFile, replaced, TargetLink::Replace));
}

}  // namespace tavro::files
