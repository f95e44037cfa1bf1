#include "forms/Sercomm.h"

#include <ctime>

#include "forms/ImageBuilder.h"
#include "forms/SetupCompare.h"
#include "forms/Setupmain.h"
#include "link/PortNames.h"

namespace tavro {

std::string processorBackupFolder(const TTavroSetupMain& w) {
    return w.BackupFolder.empty() ? inStartDirectory(w, BackupFolderName) : w.BackupFolder;
}

bool backsUpBeforeUpload(const TTavroSetupMain& w) {
    return w.BackupBeforeUpload.value_or(portMap().backupBeforeUpload());
}

std::string storeProcessorBackup(TTavroSetupMain& w, BackupOperation operation, const ParameterImage& image,
                                 const EntryFlags& entries) {
    const std::string port = portName(w.Opts.ComPort);
    const BackupInfo info{std::time(nullptr),
                          operation,
                          w.CurrentFileName,
                          modelVariantName(w.ModelVariant),
                          port,
                          w.host().serialPort().deviceFor(port)};
    const StoredBackup stored = storeBackup(processorBackupFolder(w), info, image, entries);
    if (stored.result) return {};
    return "Unable to create " + stored.path + "." + reasonLine(files::reasonText(stored.result.error));
}

TFormComm::TFormComm(TTavroSetupMain& main) : Form("FormComm", "Serial Port Communications"), main_(main) {
    ProgBar.setMin(0);
    ProgBar.setMax(100);
    ProgBar.setStep(CommProgressStep);
    StartTimer.onTimer = [this] { StartTimerTimer(); };
    OpTimer.onTimer = [this] { OpTimerTimer(); };
    ButtonComm.onClick = [this] { ButtonCommClick(); };
}

void TFormComm::FormShow() {
    fresh_ = true;
    ButtonComm.setCaption("&Abort");
    ButtonComm.setEnabled(false);
    LabelCommDetail.setCaption("");
}

void TFormComm::FormActivate() { StartTimer.setEnabled(true); }

Transfer& TFormComm::transfer() {
    if (fresh_) {
        fresh_ = false;
        // Marking the visible part of the setup reads the window's controls,
        // so it is the one piece the dialog hands to the run.
        TransferOptions options{main_.Opts.ComPort, main_.Opts.AutoVerify != 0,
                                [this] {
                                    if (entriesToRead)
                                        main_.ChangedMask = *entriesToRead;
                                    else
                                        MarkVisibleEntries(main_);
                                },
                                downloadDoneText};
        const bool upload =
            main_.CommOperation == CommOperation::OpUploadChanged || main_.CommOperation == CommOperation::OpUploadAll;
        if (backup && (!upload || backsUpBeforeUpload(main_)))
            options.storeBackup = [this, operation = *backup](const ParameterImage& image, const EntryFlags& entries) {
                return storeProcessorBackup(main_, operation, image, entries);
            };
        run_ = std::make_unique<Transfer>(
            main_.host().serialPort(),
            TransferData{main_.ParameterImage, main_.ChangedMask, main_.VerifyMask, main_.CommOperation},
            std::move(options));
    }
    return *run_;
}

void TFormComm::StartTimerTimer() {
    StartTimer.setEnabled(false);
    Transfer& t = transfer();
    t.start();
    if (t.opened() != OpenResult::Ok) {
        LabelComm.setCaption(t.text());
        LabelCommDetail.setCaption(t.detail());
        ButtonComm.setCaption("&OK");
        if (t.opened() != OpenResult::ApplyFailed) ProgBar.setPosition(ProgBar.max());
        ButtonComm.setEnabled(true);
        return;
    }
    if (t.outcome() == CommOperation::OpCheckConnection) {
        ProgBar.setPosition(1);
        ButtonComm.setCaption("&OK");
        ButtonComm.setEnabled(true);
        LabelComm.setCaption(t.text());
        return;
    }
    if (t.phase() == 0) return;  // no operation to run
    ButtonComm.setEnabled(true);
    showPhase();
}

// A phase has begun: the bar starts again, scaled to its entries.
void TFormComm::showPhase() {
    const Transfer& t = *run_;
    ProgBar.setPosition(0);
    if (t.backingUp()) {
        operationCaption_ = caption();
        operationLabel_ = LabelComm.caption();
        setCaption(BackingUpCaption);
        LabelComm.setCaption(BackingUpText);
    } else if (caption() == BackingUpCaption) {
        setCaption(operationCaption_);
        if (LabelComm.caption() == BackingUpText) LabelComm.setCaption(operationLabel_);
    }
    if (t.entryCount() == 0) {
        // Nothing is flagged: the bar is shown full (a maximum of 0 would
        // draw a busy bar).
        ProgBar.setMax(1);
        ProgBar.setPosition(1);
        LabelComm.setCaption(t.text());
        endOperation();
        return;
    }
    ProgBar.setMax(CommProgressStep * t.entryCount());
    OpTimer.setEnabled(true);
}

void TFormComm::OpTimerTimer() {
    ProgBar.stepIt();
    Transfer& t = *run_;
    const int phase = t.phase();
    t.step();
    if (!t.text().empty() && t.text() != LabelComm.caption()) LabelComm.setCaption(t.text());
    if (t.phase() != phase) showPhase();
    if (t.finished()) {
        // A verify that found a different value says where.
        LabelCommDetail.setCaption(detailText());
        endOperation();
    }
}

std::string TFormComm::detailText() const { return run_ ? commDetailText(main_, *run_) : std::string(); }

void TFormComm::endOperation() {
    OpTimer.setEnabled(false);
    ButtonComm.setCaption("&OK");
}

void TFormComm::ButtonCommClick() {
    if (OpTimer.enabled()) {
        OpTimer.setEnabled(false);
        run_->abort();
    }
    closeWith(ModalResult::Ok);
}

void TFormComm::FormClose() {
    // Closed while the operation was still starting or running: an abort.
    // Closed before it started, nothing was done: that is no success either
    // (Upload All Settings would otherwise drop the pending changes).
    StartTimer.setEnabled(false);
    Transfer* t = fresh_ ? nullptr : run_.get();
    if (t == nullptr || !t->started()) main_.CommOperation = CommOperation::OpFailed;
    if (OpTimer.enabled()) OpTimer.setEnabled(false);
    if (t != nullptr) {
        t->abort();
        t->closePort();
    }
    ProgBar.setMax(100);
}

}  // namespace tavro
