// ReadSetupFile: the whole file first, then its sections by the table of
// sections, each value checked against its range and replaced by its fixed
// fallback when it is outside.
#include "files/AtomicFile.h"
#include "files/Paths.h"
#include "files/TextForm.h"
#include "forms/SetupFile.h"
#include "forms/SetupSections.h"
#include "forms/Setupmain.h"

namespace tavro {

using namespace files;

namespace {

// Every line that begins with a known header starts its section, which
// consumes its value lines by position up to the next line that begins with
// "["; comments, empty lines, stray lines and the lines of unknown sections
// are skipped.
void readSections(TTavroSetupMain& w, LineReader& in) {
    SectionReader reader(w, in);
    while (!reader.atEnd()) {
        const std::string line = reader.takeLine();
        if (beginsWith(line, "//")) continue;
        const SetupSection* section = findSetupSection(line);
        if (section == nullptr) continue;
        if (section->onRead == GroupOnRead::Shows) (w.*section->group).setVisible(true);
        section->read(reader, w);
    }
}

// Steps 2 to 6 of reading, on an opened content.
ReadResult readContent(TTavroSetupMain& w, ByteSource& source) {
    LineReader in(source);
    if (!readSetupSignature(in)) return ReadResult::NotASetup;
    readSections(w, in);
    w.RefreshAfterLoad();
    return ReadResult::Ok;
}

}  // namespace

std::string inStartDirectory(const TTavroSetupMain& w, const std::string& name) {
    return files::inFolder(w.StartDirectory, name);
}

ReadResult ReadSetupText(TTavroSetupMain& w, std::string_view content) {
    w.DefaultFileUnreadable = false;
    w.ReadFailureReason.clear();
    MemorySource source(content);
    return readContent(w, source);
}

ReadResult ReadSetupFile(TTavroSetupMain& w, const std::string& path) {
    // The whole file first: a file that cannot be read to its end (a read
    // error, a folder, a pipe or a device that might never end) cannot be
    // opened, and the setup stays exactly as it was.
    std::string content;
    if (const files::FileResult r = readRegularFile(path, content); !r) {
        w.DefaultFileUnreadable = true;
        w.ReadFailureReason = files::reasonText(r.error);
        return ReadResult::CannotOpen;
    }
    return ReadSetupText(w, content);
}

}  // namespace tavro
