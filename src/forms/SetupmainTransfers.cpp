// The Operations menu: each command prepares the image and its masks, runs
// the communication dialog, and keeps, restores or enables accordingly.
#include "forms/ImageBuilder.h"
#include "forms/Dialogs.h"
#include "forms/Setupmain.h"
#include "forms/SetupCompare.h"

#include <algorithm>
#include <optional>

namespace tavro {

namespace {
void prepareDialog(TFormComm& d, const char* label, int max, const char* caption,
                   const char* downloadDone = DownloadDoneText, std::optional<BackupOperation> backup = std::nullopt) {
    d.LabelComm.setCaption(label);
    d.backup = backup;
    d.entriesToRead.reset();
    d.downloadDoneText = downloadDone;
    d.ProgBar.setMax(max);
    d.ProgBar.setPosition(0);
    d.setCaption(caption);
}
}  // namespace

void TTavroSetupMain::OperationsCheckConnectionClick() {
    FilterMessageTexts();
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Checking Connection:", 1, "Check Connection");
    CommOperation = CommOperation::OpCheckConnection;
    host_.showModal(d);
}

void TTavroSetupMain::OperationsReadSettingsClick() {
    const bool proceed = !(FileSave.enabled() && Opts.ConfirmDiscard != 0) || host_.confirm("Discard Changes?");
    if (proceed) {
        TFormComm& d = *dialogs_->FormComm;
        prepareDialog(d, "Downloading settings...", 100, "Download settings", DownloadDoneText,
                      BackupOperation::Download);
        CommOperation = CommOperation::OpDownload;
        host_.showModal(d);
        if (CommOperation == CommOperation::OpFailed) {
            // Values read before the failure must not outlive it.
            BuildImage(*this);
            FileSave.setEnabled(false);
        } else {
            ApplyImage(*this);
            OperationsVerifySettings.setEnabled(true);
            FileSave.setEnabled(true);
        }
        WriteChangedSettings.setEnabled(false);
    }
    // Declined: nothing changes, the unsent edits stay sendable.
}

void TTavroSetupMain::WriteChangedSettingsClick() { UploadChanged(BackupOperation::UploadChanged); }

void TTavroSetupMain::UploadChanged(BackupOperation backup) {
    FilterMessageTexts();
    BuildImage(*this);
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Uploading settings...", 100, "Uploading changed settings", DownloadDoneText, backup);
    CommOperation = CommOperation::OpUploadChanged;
    host_.showModal(d);
    FlagUnverifiedUpload();
    if (CommOperation != CommOperation::OpFailed) {
        WriteChangedSettings.setEnabled(false);
        if (CommOperation != CommOperation::OpVerify) OperationsVerifySettings.setEnabled(true);
    }
}

void TTavroSetupMain::OperationsWriteSettingsClick() {
    FilterMessageTexts();
    BuildImage(*this);
    const EntryFlags kept = ChangedMask;
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Uploading settings...", 100, "Upload all settings", DownloadDoneText, BackupOperation::UploadAll);
    CommOperation = CommOperation::OpUploadAll;
    host_.showModal(d);
    ClearChangedMask();
    if (CommOperation == CommOperation::OpFailed) {
        // No pending change is lost by a failed or aborted full upload.
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (kept[k] != 0) ChangedMask[k] = 1;
        FlagUnverifiedUpload();
    } else {
        WriteChangedSettings.setEnabled(false);
    }
    OperationsVerifySettings.setEnabled(CommOperation != CommOperation::OpFailed &&
                                        CommOperation != CommOperation::OpVerify);
}

// An upload whose automatic verify failed or was aborted: the entries it did
// not verify equal may hold other values in the processor, so they are
// pending again and the next Upload Changed Settings writes and verifies
// them once more.
void TTavroSetupMain::FlagUnverifiedUpload() {
    if (CommOperation != CommOperation::OpFailed || VerifyMask.VerifyFollowsUpload == 0) return;
    for (std::size_t k = 0; k < VerifyMask.Flags.size(); ++k)
        if (VerifyMask.Flags[k] != 0) {
            ChangedMask[k] = 1;
            WriteChangedSettings.setEnabled(true);
        }
}

void TTavroSetupMain::OperationsVerifySettingsClick() {
    FilterMessageTexts();
    BuildImage(*this);
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Verifying settings...", 100, "Verify");
    CommOperation = CommOperation::OpVerify;
    host_.showModal(d);
    OperationsVerifySettings.setEnabled(false);
}

std::optional<TTavroSetupMain::ProcessorValues> TTavroSetupMain::ReadProcessorValues(
    const char* caption, const std::optional<EntryFlags>& which) {
    // The processor is read into the image as Download Settings reads it;
    // afterwards the image, its masks and the operation are the setup's
    // again, whatever the read did.
    const tavro::ParameterImage setupImage = ParameterImage;
    const EntryFlags changed = ChangedMask;
    const tavro::VerifyMask verify = VerifyMask;
    const tavro::CommOperation operation = CommOperation;
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Reading settings...", 100, caption, ReadDoneText);
    d.entriesToRead = which;
    CommOperation = CommOperation::OpDownload;
    host_.showModal(d);
    const bool read = CommOperation != CommOperation::OpFailed;
    // The download flags each entry it read.
    ProcessorValues values{ParameterImage, VerifyMask.Flags};
    ParameterImage = setupImage;
    ChangedMask = changed;
    VerifyMask = verify;
    CommOperation = operation;
    if (!read) return std::nullopt;
    return values;
}

void TTavroSetupMain::OperationsCompareClick() {
    FilterMessageTexts();
    BuildImage(*this);
    const tavro::ParameterImage setupImage = ParameterImage;
    const std::optional<ProcessorValues> processor = ReadProcessorValues("Compare with Processor", std::nullopt);
    if (!processor) return;

    std::vector<EntryDifference> entries = entryDifferences(setupImage, processor->image, processor->read);
    std::vector<SettingDifference> settings;
    if (!entries.empty()) {
        const ProcessorView held(*this, processor->image, processor->read);
        settings = settingDifferences(*this, held.setup(), entries);
    }
    TFormCompare& c = *dialogs_->FormCompare;
    c.setDifferences(entries, std::move(settings));
    if (host_.showModal(c) != ModalResult::Ok || entries.empty()) return;
    // Upload These: exactly the differing entries are sent.
    ClearChangedMask();
    for (const EntryDifference& e : entries) ChangedMask[static_cast<std::size_t>(e.entry)] = 1;
    UploadChanged(BackupOperation::UploadThese);
}

bool TTavroSetupMain::RestoreBackup(const tavro::ParameterImage& image, const EntryFlags& entries) {
    FilterMessageTexts();
    const EntryFlags changed = ChangedMask;
    const tavro::VerifyMask verify = VerifyMask;
    const std::uint8_t autoVerify = Opts.AutoVerify;
    // Only the backup's entries, with the backup's values, each verified.
    ParameterImage = image;
    ChangedMask = entries;
    Opts.AutoVerify = 1;
    TFormComm& d = *dialogs_->FormComm;
    prepareDialog(d, "Uploading settings...", 100, "Restore backup", DownloadDoneText, BackupOperation::Restore);
    CommOperation = CommOperation::OpUploadChanged;
    host_.showModal(d);
    const bool verified =
        CommOperation == CommOperation::OpVerify && VerifyMask.VerifyFollowsUpload == 1 &&
        std::none_of(VerifyMask.Flags.begin(), VerifyMask.Flags.end(), [](std::uint8_t f) { return f != 0; });
    Opts.AutoVerify = autoVerify;
    // The processor holds the backup now; the setup is as it was, and so
    // are its pending changes.
    BuildImage(*this);
    ChangedMask = changed;
    VerifyMask = verify;
    return verified;
}

}  // namespace tavro
