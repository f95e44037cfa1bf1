// The serial communication dialog: steps one transfer run entry by entry on
// its timers, shows its progress and result, and can abort it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "forms/Host.h"
#include "link/Backups.h"
#include "link/Transfer.h"

namespace tavro {

class TTavroSetupMain;

// How far the progress bar moves for each entry transferred.
inline constexpr int CommProgressStep = 5;

// The folder the window's backups go to.
std::string processorBackupFolder(const TTavroSetupMain& w);
// Whether the window's uploads back up the processor first.
bool backsUpBeforeUpload(const TTavroSetupMain& w);
// Stores a backup of what the processor held of the flagged entries, with
// the window's setup, model and port in its header; the failure text
// ("Unable to create NAME." and the system's reason on a line of its own),
// empty when stored.
std::string storeProcessorBackup(TTavroSetupMain& w, BackupOperation operation, const ParameterImage& image,
                                 const EntryFlags& entries);
// What the dialog's caption says while an upload reads its backup.
inline constexpr const char* BackingUpCaption = "Backing up:";
inline constexpr const char* BackingUpText = "Reading the settings about to be replaced...";

class TFormComm : public Form {
public:
    explicit TFormComm(TTavroSetupMain& main);

    Label LabelComm{*this, "LabelComm", "Checking Connection:"};
    // Where a port that cannot be opened leads and why; empty otherwise.
    Label LabelCommDetail{*this, "LabelCommDetail", ""};
    ProgressBar ProgBar{*this, "ProgBar"};
    Button ButtonComm{*this, "ButtonComm", "&OK"};
    Timer StartTimer{*this, "StartTimer", 20};
    Timer OpTimer{*this, "OpTimer", 5};

    void FormShow() override;
    void FormActivate() override;
    void StartTimerTimer();
    void OpTimerTimer();
    void ButtonCommClick();
    // The dialog closes, by its button or any other way.
    void FormClose() override;

    // The run of this showing, on the window's image, masks and options as
    // they are when it is first asked for. The start timer starts it and
    // the operation timer steps it; run to its end without them, it leaves
    // the window as the dialog would.
    Transfer& transfer();
    // The detail line of the run's end: why the port did not open, or where
    // a verify found a different value; empty otherwise.
    std::string detailText() const;

    // What a download that read every entry says at its end; the window sets
    // it with each operation it shows the dialog for.
    std::string downloadDoneText = DownloadDoneText;
    // The backup this showing stores, if any: an upload's before it writes
    // (when the window backs up before uploading), a download's after it
    // read. The window sets it with each operation.
    std::optional<BackupOperation> backup;
    // The entries a download of this showing reads (a backup's); unset: the
    // visible part of the setup, as Download Settings reads it.
    std::optional<EntryFlags> entriesToRead;

private:
    void showPhase();
    void endOperation();

    TTavroSetupMain& main_;
    std::unique_ptr<Transfer> run_;
    // The dialog's caption and label of the operation while the backup
    // phase shows its own.
    std::string operationCaption_;
    std::string operationLabel_;
    bool fresh_ = true;  // no run made since the dialog was shown
};

}  // namespace tavro
