// File > Processor Backups...: the dialog of the backups, and what its
// buttons do to the processor and the setup.
#include "forms/Dialogs.h"
#include "forms/ImageBuilder.h"
#include "forms/SetupCompare.h"
#include "forms/Setupmain.h"

namespace tavro {

void TTavroSetupMain::FileBackupsClick() { host_.showModal(*dialogs_->FormBackups); }

void TTavroSetupMain::CompareBackup(const BackupContents& backup) {
    FilterMessageTexts();
    BuildImage(*this);
    const std::optional<ProcessorValues> processor = ReadProcessorValues("Compare with Processor", backup.entries);
    if (!processor) return;
    EntryFlags both{};
    for (std::size_t k = 0; k < both.size(); ++k) both[k] = backup.entries[k] != 0 && processor->read[k] != 0;
    std::vector<EntryDifference> entries = entryDifferences(backup.image, processor->image, both);
    std::vector<SettingDifference> settings;
    if (!entries.empty()) {
        // Both sides as the window would show them once downloaded.
        const ProcessorView kept(*this, backup.image, backup.entries);
        const ProcessorView held(*this, processor->image, processor->read);
        settings = settingDifferences(kept.setup(), held.setup(), entries);
    }
    TFormCompare& c = *dialogs_->FormCompare;
    c.setDifferences(entries, std::move(settings), "backup");
    if (host_.showModal(c) != ModalResult::Ok || entries.empty()) return;
    // Upload These: the backup's values of exactly the differing entries.
    EntryFlags these{};
    for (const EntryDifference& e : entries) these[static_cast<std::size_t>(e.entry)] = 1;
    RestoreBackup(backup.image, these);
}

void TTavroSetupMain::OpenBackupAsSetup(const BackupContents& backup) {
    FilterMessageTexts();
    BuildImage(*this);
    for (std::size_t k = 0; k < backup.entries.size(); ++k)
        if (backup.entries[k] != 0) ParameterImage[k].Value = backup.image[k].Value;
    ApplyImage(*this);
    // Unlike a download, the processor need not hold these values: they are
    // the setup's changes, for Save and Upload Changed Settings.
    MarkChanged({});
    for (std::size_t k = 0; k < backup.entries.size(); ++k)
        if (backup.entries[k] != 0) ChangedMask[k] = 1;
}

}  // namespace tavro
