#include "link/Transfer.h"

#include "link/PortNames.h"

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

Transfer::Transfer(SerialPort& port, TransferData data, TransferOptions options)
    : link_(port), data_(data), options_(std::move(options)) {}

void Transfer::start() {
    started_ = true;
    const int port = options_.comPort;
    opened_ = link_.OpenPort(port);
    if (opened_ != OpenResult::Ok) {
        text_ = openFailureText(port);
        SerialPort& sp = link_.port();
        detail_ = sp.deviceFor(portName(port));
        if (!sp.lastError().empty()) detail_ += ": " + sp.lastError();
        if (sp.openDenied()) detail_ += std::string(". ") + AccessHint;
        data_.operation = CommOperation::OpFailed;
        finished_ = true;
        return;
    }
    switch (data_.operation) {
        case CommOperation::OpCheckConnection:
            text_ = checkResultText(link_.CheckConnection(), port);
            finished_ = true;
            break;
        case CommOperation::OpUploadChanged: prepareUpload(); break;
        case CommOperation::OpUploadAll:
            if (options_.markVisible) options_.markVisible();
            data_.operation = CommOperation::OpUploadChanged;
            prepareUpload();
            break;
        case CommOperation::OpDownload: prepareDownload(); break;
        case CommOperation::OpVerify:
            data_.verify.VerifyFollowsUpload = 0;
            prepareVerify();
            break;
        default:
            link_.ClosePort();
            finished_ = true;
            break;
    }
}

void Transfer::prepareUpload() {
    data_.verify.clearFlags();
    // Set again only when this upload hands over to its automatic verify.
    data_.verify.VerifyFollowsUpload = 0;
    // With a backup, the entries about to be written are read first.
    backingUp_ = static_cast<bool>(options_.storeBackup);
    if (backingUp_) {
        backup_ = data_.image;
        backupRead_ = {};
    }
    startPhase(countFlags(data_.changed));
}

void Transfer::prepareDownload() {
    data_.verify.clearFlags();
    if (options_.markVisible) options_.markVisible();
    startPhase(countFlags(data_.changed));
}

void Transfer::prepareVerify() { startPhase(countFlags(data_.verify.Flags)); }

void Transfer::startPhase(int count) {
    ++phase_;
    entryCount_ = count;
    remaining_ = count;
    if (count == 0) {
        // Nothing is flagged: nothing is transferred, and the run says so
        // instead of claiming a transfer.
        text_ = nothingToDoText();
        finish();
    }
}

const char* Transfer::nothingToDoText() const {
    switch (data_.operation) {
        case CommOperation::OpDownload: return "No settings to download.";
        case CommOperation::OpVerify: return "No settings to verify.";
        default: return "No changed settings to upload.";
    }
}

int Transfer::nextEntry() const {
    if (backingUp_) {
        for (int k = 0; k < ImageEntryCount; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (data_.changed[i] != 0 && backupRead_[i] == 0) return k;
        }
        return -1;
    }
    const EntryFlags& flags = data_.operation == CommOperation::OpVerify ? data_.verify.Flags : data_.changed;
    for (int k = 0; k < ImageEntryCount; ++k)
        if (flags[static_cast<std::size_t>(k)] != 0) return k;
    return -1;
}

void Transfer::fail(std::string text) {
    data_.operation = CommOperation::OpFailed;
    text_ = std::move(text);
}

void Transfer::stepUpload(int k) {
    const auto index = static_cast<std::size_t>(k);
    const WriteOutcome w = link_.WriteEntry(data_.image, k);
    if (w != WriteOutcome::Acknowledged) return fail(writeOutcomeText(w));
    data_.changed[index] = 0;
    data_.verify.Flags[index] = 1;
}

// Reads entry k; a failed read ends the run with the text for it.
bool Transfer::readEntry(int k, std::uint8_t& value, const char* (*failureText)(ReadOutcome)) {
    const ReadOutcome r = link_.ReadEntry(data_.image, k, value);
    if (r == ReadOutcome::Received) return true;
    fail(failureText(r));
    return false;
}

void Transfer::stepDownload(int k) {
    const auto index = static_cast<std::size_t>(k);
    std::uint8_t value = 0;
    if (!readEntry(k, value, downloadOutcomeText)) return;
    data_.image[index].Value = value;
    data_.changed[index] = 0;
    data_.verify.Flags[index] = 1;
}

// Reads entry k into the backup; the upload's image and masks stay as they
// are.
void Transfer::stepBackup(int k) {
    const auto index = static_cast<std::size_t>(k);
    std::uint8_t value = 0;
    if (!readEntry(k, value, downloadOutcomeText)) return;
    backup_[index].Value = value;
    backupRead_[index] = 1;
}

// The backup phase read every entry: it is stored, or the run ends with why
// not and nothing is written.
bool Transfer::backupStored() {
    backingUp_ = false;
    std::string problem = options_.storeBackup(backup_, backupRead_);
    if (problem.empty()) return true;
    fail(std::move(problem));
    return false;
}

void Transfer::stepVerify(int k) {
    const auto index = static_cast<std::size_t>(k);
    std::uint8_t value = 0;
    if (!readEntry(k, value, verifyOutcomeText)) return;
    if (value != data_.image[index].Value) {
        mismatch_ = EntryDifference{k, data_.image[index].address(), data_.image[index].Value, value};
        return fail("Verify failed: Settings did not match.");
    }
    data_.verify.Flags[index] = 0;
}

void Transfer::step() {
    if (!running()) return;
    const int k = nextEntry();
    if (k < 0) {
        // The flags ran out before the count did: nothing left to transfer.
        remaining_ = 1;
    } else if (backingUp_) {
        stepBackup(k);
    } else if (data_.operation == CommOperation::OpUploadChanged) {
        stepUpload(k);
    } else if (data_.operation == CommOperation::OpDownload) {
        stepDownload(k);
    } else if (data_.operation == CommOperation::OpVerify) {
        stepVerify(k);
    }

    --remaining_;
    if (data_.operation == CommOperation::OpFailed) {
        finish();
        return;
    }
    if (remaining_ > 0) return;
    phaseSucceeded();  // may hand over to a verify phase, which sets a new count
    if (remaining_ <= 0) finish();
}

// A phase ended with every entry done. An upload with automatic verify goes
// on with the verify; everything else ends.
void Transfer::phaseSucceeded() {
    switch (data_.operation) {
        case CommOperation::OpUploadChanged:
            if (backingUp_) {
                if (backupStored()) startPhase(countFlags(data_.changed));
                break;
            }
            text_ = "Settings uploaded succesfully.";
            if (options_.autoVerify) {
                data_.operation = CommOperation::OpVerify;
                data_.verify.VerifyFollowsUpload = 1;
                text_ = "Settings uploaded succesfully. Verifying...";
                prepareVerify();
            }
            break;
        case CommOperation::OpDownload:
            text_ = options_.downloadDoneText;
            // The settings read are the setup's now; a backup that cannot be
            // stored is told beside them.
            if (options_.storeBackup) detail_ = options_.storeBackup(data_.image, data_.verify.Flags);
            break;
        case CommOperation::OpVerify:
            text_ = data_.verify.VerifyFollowsUpload == 1 ? "Settings uploaded and verified succesfully."
                                                          : "Settings verified succesfully.";
            break;
        default: break;
    }
}

void Transfer::finish() {
    finished_ = true;
    link_.ClosePort();
}

void Transfer::abort() {
    if (!running()) return;
    finish();
    data_.operation = CommOperation::OpFailed;
}

void Transfer::closePort() { link_.ClosePort(); }

}  // namespace tavro
