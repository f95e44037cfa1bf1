#include "files/OptionsBlock.h"

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

std::string replaceOptionsBlock(std::string_view defaultFileContent, const Options& o) {
    // A Ctrl-Z ends what the reader reads, not the file: everything after it
    // is copied as well.
    const std::vector<std::string> lines = splitLines(defaultFileContent, false);
    std::string out;
    std::size_t i = 0;
    for (; i < lines.size() && !beginsWith(lines[i], OptionsHeader); ++i) {
        out += lines[i];
        out += LineEnd;
    }
    const bool found = i < lines.size();
    if (!found) out += LineEnd;

    out += OptionsHeader;
    for (const std::string& line : optionsLines(o)) {
        out += LineEnd;
        out += line;
    }

    if (found)
        for (std::size_t j = i + 1 + OptionsLineCount; j < lines.size(); ++j) {
            out += LineEnd;
            out += lines[j];
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
