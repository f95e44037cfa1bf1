// Storing the options in the default setup at the close: the
// "[Options]" block of "Default.dfg" is replaced by the current options in
// a complete new file, which then replaces "Default.dfg" by a rename.
#include "files/AtomicFile.h"
#include "files/SetupFile.h"
#include "files/TextForm.h"
#include "ui/Setupmain.h"

namespace tavro {

using namespace files;

std::string ReplaceOptionsBlock(std::string_view defaultFileContent, const TTavroSetupMain& w) {
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

    const tavro::Options& o = w.Opts;
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

bool StoreOptionsInDefaultFile(const TTavroSetupMain& w) {
    const std::string defaultFile = inStartDirectory(w, DefaultSetupFileName);
    std::string content;
    if (!readRegularFile(defaultFile, content)) return false;
    const std::string replaced = ReplaceOptionsBlock(content, w);
    // A read-only default setup stays as it is, and "DefTmp.bak" with the
    // options is left beside it.
    if (isReadOnlyFile(defaultFile)) {
        writeFileReplacing(inStartDirectory(w, OptionsTempFileName), replaced, TargetLink::Replace);
        return false;
    }
    // A new file of this close's own, renamed over "Default.dfg": closes
    // that run at the same moment never share a temporary file, and a link
    // named "Default.dfg" is replaced, never written through.
    return static_cast<bool>(writeFileReplacing(defaultFile, replaced, TargetLink::Replace));
}

}  // namespace tavro
