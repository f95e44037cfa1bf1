// WriteSetupFile: the sections in the order of the table of sections,
// each only while its group box is shown, every line ended with CR LF.
#include "files/AtomicFile.h"
#include "files/TextForm.h"
#include "forms/SetupFile.h"
#include "forms/SetupSections.h"
#include "forms/Setupmain.h"

namespace tavro {

std::string FormatSetupText(const TTavroSetupMain& w) {
    std::string out;
    SectionWriter writer(w, out);
    writer.line(files::SetupSignature);
    writer.end();
    for (const SetupSection& section : setupSections()) {
        if (section.group != nullptr && !(w.*section.group).visible()) continue;
        writer.line(section.header);
        section.write(writer, w);
        writer.end();
    }
    return out;
}

WriteResult WriteSetupFile(TTavroSetupMain& w, const std::string& path, std::string* reason) {
    w.FilterMessageTexts();
    if (const files::FileResult r = files::writeFileReplacing(path, FormatSetupText(w)); !r) {
        w.host().showError("Unable to open " + path + ".");
        if (reason) *reason = files::reasonText(r.error);
        return WriteResult::Failed;
    }
    return WriteResult::Ok;
}

}  // namespace tavro
