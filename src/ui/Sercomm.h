// The serial communication dialog: runs one transfer operation entry by
// entry on its timers, shows progress and the result, and can be aborted.
#pragma once

#include <memory>

#include "link/SerialLink.h"
#include "ui/Host.h"

namespace tavro {

class TTavroSetupMain;

// The operation the dialog runs, and what it leaves behind.
enum CommOperationValue {
    OpCheckConnection = 0,
    OpUploadChanged = 1,
    OpUploadAll = 2,
    OpDownload = 3,
    OpVerify = 4,
    OpFailed = 5,
    OpIdle = 10,
};

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

    // Entries still to transfer in the running phase.
    int remaining() const { return remaining_; }

private:
    void prepareUpload();
    void prepareDownload();
    void prepareVerify();
    void startPhase(int count);
    const char* nothingToDoText() const;
    void phaseSucceeded();
    void endOperation();
    int nextEntry() const;

    TTavroSetupMain& main_;
    std::unique_ptr<SerialLink> link_;
    bool started_ = false;  // the start timer has run since the dialog was shown
    int remaining_ = 0;
    std::uint8_t command_ = CommandWrite;
};

}  // namespace tavro
