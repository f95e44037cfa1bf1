// One transfer operation run entry by entry over the serial link: Check
// Connection, an upload (with its automatic verify), a download or a verify.
// Whoever runs it starts it, steps it one exchange at a time until it is
// finished, and reads its outcome and final text; it knows the image, its
// masks and the port, nothing of a window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/Masks.h"
#include "link/ParameterImage.h"
#include "link/SerialLink.h"

namespace tavro {

// The operation asked for, and what a run leaves behind. The numbers are the
// operation codes as the program has always numbered them.
enum class CommOperation {
    OpCheckConnection = 0,
    OpUploadChanged = 1,
    OpUploadAll = 2,
    OpDownload = 3,
    OpVerify = 4,
    OpFailed = 5,
    OpIdle = 10,
};

// What a transfer reads and writes. `operation` holds the operation asked
// for when the run starts and its outcome as the run goes: the upload
// operations become OpUploadChanged, an upload handing over to its verify
// becomes OpVerify, any failure or abort OpFailed.
struct TransferData {
    ParameterImage& image;
    EntryFlags& changed;
    VerifyMask& verify;
    CommOperation& operation;
};

// What a download that read every entry says at its end: a download that
// replaces the setup, or a read that only looks at what the processor holds
// (Compare with Processor).
inline constexpr const char* DownloadDoneText = "Settings downloaded succesfully.";
inline constexpr const char* ReadDoneText = "Settings read from the processor.";

struct TransferOptions {
    int comPort = 1;
    bool autoVerify = false;
    // Flags the visible part of the setup in the changed mask: all that
    // Upload All Settings sends and a download reads.
    std::function<void()> markVisible;
    std::string downloadDoneText = DownloadDoneText;
    // Stores a backup of the processor: the values read in the image, the
    // entries read flagged; the failure text when it cannot ("Unable to
    // create NAME." and the reason), empty when stored. When set, an upload
    // first reads every entry it is about to write (its backup phase) and
    // writes nothing unless the backup is stored, and a download that read
    // every entry stores what it read.
    std::function<std::string(const ParameterImage&, const EntryFlags&)> storeBackup = nullptr;
};

class Transfer {
public:
    Transfer(SerialPort& port, TransferData data, TransferOptions options);

    // Opens the port and runs Check Connection at once, or sets up the first
    // phase of a transfer. A phase with nothing flagged ends the run.
    void start();
    // Transfers the next flagged entry; a failure ends the run. The last
    // entry of an upload with automatic verify starts the verify phase.
    void step();
    // Stops a running transfer: the port is closed and the outcome is
    // OpFailed.
    void abort();
    // Closes the port, whatever the state.
    void closePort();

    bool started() const { return started_; }
    bool finished() const { return finished_; }
    bool running() const { return started_ && !finished_; }
    CommOperation outcome() const { return data_.operation; }
    // The result so far ("Settings uploaded succesfully. Verifying..."), the
    // final one when finished; empty until there is one.
    const std::string& text() const { return text_; }
    // Where a port that cannot be opened leads and why, or why a download's
    // backup was not stored; empty otherwise.
    const std::string& detail() const { return detail_; }
    // Where a verify found a different value: the value sent (the image's)
    // as a, the one the processor holds as b; none otherwise.
    const std::optional<EntryDifference>& mismatch() const { return mismatch_; }
    // The COM number the run opens.
    int comPort() const { return options_.comPort; }
    // How the port opened; only meaningful once started.
    OpenResult opened() const { return opened_; }
    // The entries of the running phase (0: nothing to do) and how many of
    // them the run has done so far.
    int entryCount() const { return entryCount_; }
    int entriesDone() const { return entryCount_ - remaining_; }
    // Phases started: the verify after an upload is the one after it.
    int phase() const { return phase_; }
    // Whether the running phase reads the backup of an upload.
    bool backingUp() const { return backingUp_; }

private:
    void prepareUpload();
    void prepareDownload();
    void prepareVerify();
    void startPhase(int count);
    const char* nothingToDoText() const;
    void phaseSucceeded();
    void finish();
    int nextEntry() const;
    void stepUpload(int k);
    void stepDownload(int k);
    void stepVerify(int k);
    void stepBackup(int k);
    bool backupStored();
    bool readEntry(int k, std::uint8_t& value, const char* (*failureText)(ReadOutcome));
    void fail(std::string text);

    SerialLink link_;
    TransferData data_;
    TransferOptions options_;
    bool started_ = false;
    bool finished_ = false;
    OpenResult opened_ = OpenResult::Ok;
    std::string text_;
    std::string detail_;
    std::optional<EntryDifference> mismatch_;
    int entryCount_ = 0;
    int remaining_ = 0;
    int phase_ = 0;
    bool backingUp_ = false;
    ParameterImage backup_{};  // what the backup phase read
    EntryFlags backupRead_{};
};

}  // namespace tavro
