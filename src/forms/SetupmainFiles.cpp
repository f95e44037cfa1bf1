// The file commands of the File menu and the close query.
#include "forms/SetupFile.h"
#include "forms/Setupmain.h"

namespace tavro {

// The system's reason for a failed open or save, on a line of its own below
// the message, so that the user knows what to fix (a full disk, a read-only
// file, a folder given for a file).
std::string reasonLine(const std::string& reason) { return reason.empty() ? reason : "\n" + reason; }

void TTavroSetupMain::FileNewClick() {
    if (FileSave.enabled() && Opts.ConfirmDiscard == 1 && !host_.confirm("Discard Changes?")) return;
    if (ReadSetupFile(*this, inStartDirectory(*this, DefaultSetupFileName)) == ReadResult::CannotOpen) {
        host_.showError("Unable to open Default.dfg." + reasonLine(ReadFailureReason));
        return;
    }
    // Read, or not a setup (then nothing was read and nothing is said).
    ClearChangedMask();
    FileSave.setEnabled(false);
    CurrentFileName.clear();
    WriteChangedSettings.setEnabled(false);
}

void TTavroSetupMain::FileOpenClick() {
    if (FileSave.enabled() && Opts.ConfirmDiscard == 1 && !host_.confirm("Discard Changes?")) return;
    const std::optional<std::string> path = host_.askOpenFile(ConfigOpenDialog);
    if (!path) return;
    switch (ReadSetupFile(*this, *path)) {
        case ReadResult::CannotOpen:
            host_.showError("Unable to open " + *path + "." + reasonLine(ReadFailureReason));
            return;
        case ReadResult::NotASetup: host_.showError("Unknown file type."); return;
        default: break;
    }
    // The current file name changes only with a file that was read as a
    // setup, so that Save never overwrites a file that was not.
    CurrentFileName = *path;
    ClearChangedMask();
    FileSave.setEnabled(false);
    WriteChangedSettings.setEnabled(false);
}

void TTavroSetupMain::FileSaveClick() {
    if (CurrentFileName.empty()) {
        FileSaveAsClick();
        return;
    }
    const std::string path = CurrentFileName;
    std::string reason;
    if (WriteSetupFile(*this, path, &reason) != WriteResult::Ok) {
        host_.showError("Unable to open " + path + " for writing." + reasonLine(reason));
        return;  // Save stays enabled: the changes are not kept anywhere yet
    }
    FileSave.setEnabled(false);
}

void TTavroSetupMain::FileSaveAsClick() {
    FilterMessageTexts();
    FileDialogSetup request = ConfigSaveDialog;
    request.fileName = CurrentFileName;
    const std::optional<std::string> path = host_.askSaveFile(request);
    if (!path) return;
    CurrentFileName = *path;
    std::string reason;
    if (WriteSetupFile(*this, *path, &reason) != WriteResult::Ok) {
        host_.showError("Unable to create " + *path + "." + reasonLine(reason));
        return;
    }
    FileSave.setEnabled(false);
}

bool TTavroSetupMain::FormCloseQuery() {
    FilterMessageTexts();
    if (!FileSave.enabled() || Opts.ConfirmDiscard == 0) {
        StoreOptionsInDefaultFile(*this);
        return true;
    }
    // The program ends after the start-up messages this way. A failed Open
    // later on is no reason to drop unsaved edits without asking.
    if (DefaultFileUnreadableAtStart || DefaultFileCorrupted) return true;
    if (!host_.confirm("Exit Without Save?")) return false;
    StoreOptionsInDefaultFile(*this);
    return true;
}

}  // namespace tavro
