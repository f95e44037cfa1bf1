// Storing the options in the default setup at the close: the
// "[Options]" block of "Default.dfg" is replaced by the current options
// through "DefTmp.bak", which then replaces "Default.dfg" by a rename.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "files/AtomicFile.h"
#include "files/SetupFile.h"
#include "files/TextForm.h"
#include "ui/Setupmain.h"

namespace tavro {

using namespace files;

namespace {

// The whole file, or nothing when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& content) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    struct stat st {};
    if (!file || ::fstat(fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
    return !std::ferror(file.get());
}

}  // namespace

std::string ReplaceOptionsBlock(std::string_view defaultFileContent, const TTavroSetupMain& w) {
    const std::vector<std::string> lines = splitLines(defaultFileContent);
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
    const std::string tempFile = inStartDirectory(w, OptionsTempFileName);

    std::string content;
    if (!readWholeFile(defaultFile, content)) return false;
    if (!writeFileCreating(tempFile, ReplaceOptionsBlock(content, w))) return false;
    // A read-only default setup stays as it is, and "DefTmp.bak" stays
    // beside it.
    if (isReadOnlyFile(defaultFile)) return false;
    if (!replaceByRename(tempFile, defaultFile)) return false;
    ::unlink(tempFile.c_str());  // normally gone with the rename
    return true;
}

}  // namespace tavro
