// TFormBackups, File > Processor Backups...: the processor backups of the
// backups folder, newest first. The selected backup is restored to the
// processor, compared with what the processor holds now, or opened as the
// setup's values; Close leaves everything as it is.
#pragma once

#include <string>
#include <vector>

#include "forms/Host.h"
#include "link/Backups.h"

namespace tavro {

class TTavroSetupMain;

class TFormBackups : public Form {
public:
    explicit TFormBackups(TTavroSetupMain& main);

    Label LabelBackups{*this, "LabelBackups", ""};
    Grid GridBackups{*this, "GridBackups", {"Date and time", "Operation", "Setup", "Entries"}};
    Button ButtonRestore{*this, "ButtonRestore", "&Restore"};
    Button ButtonCompare{*this, "ButtonCompare", "Co&mpare"};
    Button ButtonOpenAsSetup{*this, "ButtonOpenAsSetup", "&Open as Setup"};
    Button ButtonClose{*this, "ButtonClose", "&Close"};

    void FormShow() override;

    // The backups the list shows, in its order.
    const std::vector<BackupListing>& backups() const { return backups_; }
    // The backup that Open as Setup applied in this showing; empty for none.
    const std::string& opened() const { return opened_; }

private:
    // Reads the folder again; the backup selected before stays selected.
    void list();
    // The selected backup's path and contents; an error box when it cannot
    // be read.
    bool readSelected(BackupContents& contents);
    void ButtonRestoreClick();
    void ButtonCompareClick();
    void ButtonOpenAsSetupClick();

    TTavroSetupMain& main_;
    std::vector<BackupListing> backups_;
    std::string opened_;
};

}  // namespace tavro
