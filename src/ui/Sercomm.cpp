#include "ui/Sercomm.h"

#include "link/ImageBuilder.h"
#include "link/PortNames.h"
#include "ui/Setupmain.h"

namespace tavro {

namespace {
int countFlags(const EntryFlags& flags) {
    int n = 0;
    for (std::uint8_t f : flags) n += f != 0 ? 1 : 0;
    return n;
}
// What a user who may not use the serial device does about it.
const char* const AccessHint = "To get access, join the dialout group and log in again.";
}  // namespace

TFormComm::TFormComm(TTavroSetupMain& main) : Form("FormComm", "Serial Port Communications"), main_(main) {
    ProgBar.setMin(0);
    ProgBar.setMax(100);
    ProgBar.setStep(5);
    StartTimer.onTimer = [this] { StartTimerTimer(); };
    OpTimer.onTimer = [this] { OpTimerTimer(); };
    ButtonComm.onClick = [this] { ButtonCommClick(); };
}

void TFormComm::FormShow() {
    started_ = false;
    ButtonComm.setCaption("&Abort");
    ButtonComm.setEnabled(false);
    LabelCommDetail.setCaption("");
}

void TFormComm::FormActivate() { StartTimer.setEnabled(true); }

void TFormComm::StartTimerTimer() {
    StartTimer.setEnabled(false);
    started_ = true;
    link_ = std::make_unique<SerialLink>(main_.host().serialPort());
    const int port = main_.Opts.ComPort;
    const OpenResult opened = link_->OpenPort(port);
    if (opened != OpenResult::Ok) {
        LabelComm.setCaption(openFailureText(port));
        SerialPort& sp = link_->port();
        std::string detail = sp.deviceFor(portName(port));
        if (!sp.lastError().empty()) detail += ": " + sp.lastError();
        if (sp.openDenied()) detail += std::string(". ") + AccessHint;
        LabelCommDetail.setCaption(detail);
        ButtonComm.setCaption("&OK");
        if (opened != OpenResult::ApplyFailed) ProgBar.setPosition(ProgBar.max());
        ButtonComm.setEnabled(true);
        main_.CommOperation = OpFailed;
        return;
    }
    switch (main_.CommOperation) {
        case OpCheckConnection: {
            const int result = link_->CheckConnection();
            ProgBar.setPosition(1);
            ButtonComm.setCaption("&OK");
            ButtonComm.setEnabled(true);
            LabelComm.setCaption(checkResultText(result, port));
            break;
        }
        case OpUploadChanged: prepareUpload(); break;
        case OpUploadAll:
            MarkVisibleEntries(main_);
            main_.CommOperation = OpUploadChanged;
            prepareUpload();
            break;
        case OpDownload: prepareDownload(); break;
        case OpVerify:
            main_.VerifyMask.VerifyFollowsUpload = 0;
            prepareVerify();
            break;
        default: link_->ClosePort(); break;
    }
}

void TFormComm::prepareUpload() {
    command_ = CommandWrite;
    main_.VerifyMask.clearFlags();
    // Set again only when this upload hands over to its automatic verify.
    main_.VerifyMask.VerifyFollowsUpload = 0;
    startPhase(countFlags(main_.ChangedMask));
}

void TFormComm::prepareDownload() {
    command_ = CommandRead;
    main_.VerifyMask.clearFlags();
    MarkVisibleEntries(main_);
    startPhase(countFlags(main_.ChangedMask));
}

void TFormComm::prepareVerify() {
    command_ = CommandRead;
    ProgBar.setPosition(0);
    startPhase(countFlags(main_.VerifyMask.Flags));
}

void TFormComm::startPhase(int count) {
    remaining_ = count;
    ButtonComm.setEnabled(true);
    if (count == 0) {
        // Nothing is flagged: nothing is transferred, and the dialog says so
        // instead of claiming a transfer. The bar is shown full (a maximum
        // of 0 would draw a busy bar).
        ProgBar.setMax(1);
        ProgBar.setPosition(1);
        LabelComm.setCaption(nothingToDoText());
        endOperation();
        return;
    }
    ProgBar.setMax(5 * count);
    OpTimer.setEnabled(true);
}

const char* TFormComm::nothingToDoText() const {
    switch (main_.CommOperation) {
        case OpDownload: return "No settings to download.";
        case OpVerify: return "No settings to verify.";
        default: return "No changed settings to upload.";
    }
}

int TFormComm::nextEntry() const {
    const EntryFlags& flags = main_.CommOperation == OpVerify ? main_.VerifyMask.Flags : main_.ChangedMask;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (flags[static_cast<std::size_t>(k)] != 0) return k;
    return -1;
}

void TFormComm::OpTimerTimer() {
    ProgBar.stepIt();
    const int k = nextEntry();
    const auto index = static_cast<std::size_t>(k);
    if (k < 0) {
        // The flags ran out before the count did: nothing left to transfer.
        remaining_ = 1;
    } else if (main_.CommOperation == OpUploadChanged) {
        const WriteOutcome w = link_->WriteEntry(main_.ParameterImage, k);
        if (w != WriteOutcome::Acknowledged) {
            main_.CommOperation = OpFailed;
            LabelComm.setCaption(writeOutcomeText(w));
        } else {
            main_.ChangedMask[index] = 0;
            main_.VerifyMask.Flags[index] = 1;
        }
    } else if (main_.CommOperation == OpDownload) {
        std::uint8_t value = 0;
        const ReadOutcome r = link_->ReadEntry(main_.ParameterImage, k, value);
        if (r != ReadOutcome::Received) {
            main_.CommOperation = OpFailed;
            LabelComm.setCaption(downloadOutcomeText(r));
        } else {
            main_.ParameterImage[index].Value = value;
            main_.ChangedMask[index] = 0;
            main_.VerifyMask.Flags[index] = 1;
        }
    } else if (main_.CommOperation == OpVerify) {
        std::uint8_t value = 0;
        const ReadOutcome r = link_->ReadEntry(main_.ParameterImage, k, value);
        if (r != ReadOutcome::Received) {
            main_.CommOperation = OpFailed;
            LabelComm.setCaption(verifyOutcomeText(r));
        } else if (value != main_.ParameterImage[index].Value) {
            main_.CommOperation = OpFailed;
            LabelComm.setCaption("Verify failed: Settings did not match.");
        } else {
            main_.VerifyMask.Flags[index] = 0;
        }
    }

    --remaining_;
    if (main_.CommOperation == OpFailed) {
        endOperation();
        return;
    }
    if (remaining_ > 0) return;
    phaseSucceeded();  // may hand over to a verify phase, which sets a new count
    if (remaining_ <= 0) endOperation();
}

// A phase ended with every entry done. An upload with automatic verify goes
// on with the verify; everything else ends.
void TFormComm::phaseSucceeded() {
    switch (main_.CommOperation) {
        case OpUploadChanged:
            LabelComm.setCaption("Settings uploaded succesfully.");
            if (main_.Opts.AutoVerify != 0) {
                main_.CommOperation = OpVerify;
                main_.VerifyMask.VerifyFollowsUpload = 1;
                LabelComm.setCaption("Settings uploaded succesfully. Verifying...");
                prepareVerify();
            }
            break;
        case OpDownload: LabelComm.setCaption("Settings downloaded succesfully."); break;
        case OpVerify:
            LabelComm.setCaption(main_.VerifyMask.VerifyFollowsUpload == 1 ? "Settings uploaded and verified succesfully."
                                                                           : "Settings verified succesfully.");
            break;
        default: break;
    }
}

void TFormComm::endOperation() {
    OpTimer.setEnabled(false);
    if (link_) link_->ClosePort();
    ButtonComm.setCaption("&OK");
}

void TFormComm::ButtonCommClick() {
    if (OpTimer.enabled()) {
        OpTimer.setEnabled(false);
        if (link_) link_->ClosePort();
        main_.CommOperation = OpFailed;
    }
    closeWith(ModalResult::Ok);
}

void TFormComm::FormClose() {
    // Closed while the operation was still starting or running: an abort.
    // Closed before it started, nothing was done: that is no success either
    // (Upload All Settings would otherwise drop the pending changes).
    StartTimer.setEnabled(false);
    if (!started_) main_.CommOperation = OpFailed;
    if (OpTimer.enabled()) {
        OpTimer.setEnabled(false);
        main_.CommOperation = OpFailed;
    }
    if (link_) link_->ClosePort();
    ProgBar.setMax(100);
}

}  // namespace tavro
