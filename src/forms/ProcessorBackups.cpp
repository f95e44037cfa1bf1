#include "forms/ProcessorBackups.h"

#include <cstdint>

#include "files/Paths.h"
#include "forms/Sercomm.h"
#include "forms/Setupmain.h"

namespace tavro {

TFormBackups::TFormBackups(TTavroSetupMain& main) : Form("FormBackups", "Processor Backups"), main_(main) {
    ButtonRestore.onClick = [this] { ButtonRestoreClick(); };
    ButtonCompare.onClick = [this] { ButtonCompareClick(); };
    ButtonOpenAsSetup.onClick = [this] { ButtonOpenAsSetupClick(); };
    ButtonClose.onClick = [this] { closeWith(ModalResult::Cancel); };
}

void TFormBackups::FormShow() {
    opened_.clear();
    backups_.clear();
    GridBackups.setRows({});
    list();
}

void TFormBackups::list() {
    const int at = GridBackups.row();
    const std::string selected =
        at >= 0 && at < static_cast<int>(backups_.size()) ? backups_[static_cast<std::size_t>(at)].file : "";
    const std::string folder = processorBackupFolder(main_);
    backups_ = listBackups(folder);
    std::vector<std::vector<std::string>> rows;
    int keep = 0;
    for (const BackupListing& b : backups_) {
        if (b.file == selected) keep = static_cast<int>(rows.size());
        rows.push_back({b.date, b.operation, b.setup, std::to_string(b.entries)});
    }
    GridBackups.setRows(std::move(rows));
    GridBackups.userSelectRow(keep);
    const std::size_t n = backups_.size();
    LabelBackups.setCaption(n == 0   ? "There are no backups in " + folder + " yet."
                            : n == 1 ? "1 backup in " + folder + ", newest first."
                                     : std::to_string(n) + " backups in " + folder + ", newest first.");
    for (Button* b : {&ButtonRestore, &ButtonCompare, &ButtonOpenAsSetup}) b->setEnabled(n != 0);
}

bool TFormBackups::readSelected(BackupContents& contents) {
    const int at = GridBackups.row();
    if (at < 0 || at >= static_cast<int>(backups_.size())) return false;
    const std::string path = files::inFolder(processorBackupFolder(main_), backups_[static_cast<std::size_t>(at)].file);
    if (const std::optional<std::string> problem = readBackup(path, contents)) {
        main_.host().showError(*problem);
        list();  // it may have gone meanwhile
        return false;
    }
    return true;
}

void TFormBackups::ButtonRestoreClick() {
    BackupContents backup;
    if (!readSelected(backup)) return;
    const BackupListing& h = backup.header;
    int entries = 0;
    for (std::uint8_t f : backup.entries) entries += f != 0 ? 1 : 0;
    const std::string question = "Restore the backup of " + h.date + " (" + h.operation + ", " +
                                 (h.setup.empty() ? std::string("no setup file") : h.setup) + ")? Its " +
                                 std::to_string(entries) + " entries are written to the processor and verified.";
    if (!main_.host().confirm(question)) return;
    main_.RestoreBackup(backup.image, backup.entries);
    list();  // the restore stored a backup of its own
}

void TFormBackups::ButtonCompareClick() {
    BackupContents backup;
    if (!readSelected(backup)) return;
    main_.CompareBackup(backup);
    list();  // Upload These stored a backup
}

void TFormBackups::ButtonOpenAsSetupClick() {
    BackupContents backup;
    if (!readSelected(backup)) return;
    main_.OpenBackupAsSetup(backup);
    opened_ = backup.header.file;
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
