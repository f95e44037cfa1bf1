#include "files/OptionsBlock.h"

#include <vector>

#include "files/AtomicFile.h"
#include "files/TextForm.h"

namespace tavro::files {

std::string replaceOptionsBlock(std::string_view defaultFileContent, const Options& o) {
    // A Ctrl-Z ends what the reader reads, not the file: everything after it
    // is copied as well.
    const std::vector<std::string> lines = splitLines(defaultFileContent, false);
    std::string out;
    std::size_t i = 0;
    for (; i < lines.size() && !beginsWith(lines[i], "[Options]"); ++i) {
        out += lines[i];
        out += LineEnd;
    }
    const bool found = i < lines.size();
    if (!found) out += LineEnd;

    out += "[Options]";
    out += LineEnd;
    out += "COM" + std::to_string(o.ComPort);
    out += LineEnd;
    out += o.AutoVerify == 1 ? "Verify On" : "Verify Off";
    out += LineEnd;
    out += o.ConfirmDiscard == 1 ? "Confirm" : "No Confirmation";

    if (found)
        for (std::size_t j = i + 1 + 3; j < lines.size(); ++j) {
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
