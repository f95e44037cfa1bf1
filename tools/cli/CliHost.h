// The desktop as the command line sees it: messages are collected for
// standard error, the file dialogs answer with the paths given on the command
// line, there is no window or picture, and the communication dialog's
// transfer runs to its end without waiting for the dialog's timers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <functional>
#include <memory>

#include "CliSerialPort.h"
#include "forms/Host.h"
#include "forms/Compare.h"
#include "forms/Sercomm.h"
#include "forms/SetupCompare.h"
#include "link/SerialLink.h"

namespace tavro::cli {

class CliHost : public Host {
public:
    // Every message and error box the program showed, in order.
    std::vector<std::string> messages;
    // What the next open or save dialog answers.
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    // The communication dialog's last result text and its detail line.
    std::string finalText;
    std::string detailText;
    // Told after every entry: entries done, entries of the phase.
    std::function<void(int, int)> onProgress;
    // The device --port names; empty: the setup's COM port.
    void usePort(const std::string& device) {
        port_.setDevice(device);
        device_ = device;
    }

    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { messages.push_back(text); }
    // Nothing is asked on the command line: the command is the answer.
    bool confirm(const std::string&) override { return true; }
    std::optional<std::string> askOpenFile(const FileDialogSetup&) override { return take(openPath); }
    std::optional<std::string> askSaveFile(const FileDialogSetup&) override { return take(savePath); }
    // The differences Compare with Processor found; none until it shows them.
    std::optional<std::vector<EntryDifference>> comparedEntries;
    std::vector<SettingDifference> comparedSettings;

    ModalResult showModal(Form& form) override {
        if (auto* compare = dynamic_cast<TFormCompare*>(&form)) {
            // The list is printed; nothing is uploaded.
            comparedEntries = compare->entries();
            comparedSettings = compare->settings();
            return ModalResult::Cancel;
        }
        auto* comm = dynamic_cast<TFormComm*>(&form);
        if (comm == nullptr) return ModalResult::Cancel;
        form.setModalResult(ModalResult::None);
        comm->FormShow();
        comm->FormActivate();
        // The dialog's run, started and stepped to its end here rather than
        // on the dialog's timers.
        Transfer& run = comm->transfer();
        run.start();
        while (!run.finished()) {
            const int phase = run.phase();
            const int count = run.entryCount();
            run.step();
            // An upload that hands over to its verify ends its own count
            // first; the verify counts from nothing again.
            if (onProgress) {
                if (run.phase() != phase)
                    onProgress(count, count);
                else
                    onProgress(run.entriesDone(), run.entryCount());
            }
        }
        finalText = portNamed(run.text(), run.comPort());
        detailText = comm->detailText();
        form.setModalResult(ModalResult::Ok);
        comm->FormClose();
        return form.modalResult();
    }
    bool pictureReadable(const std::string&) override { return false; }
    void processMessages() override {}
    void sleepMs(int) override {}
    // No start-up picture is looked for.
    bool fileExists(const std::string&) override { return false; }
    void showWindow(Form&) override {}
    void destroyWindow(Form&) override {}
    SerialPort& serialPort() override { return port_; }
    void closeMainWindow() override {}

private:
    // A port that cannot be opened is named as the user named it: the
    // device --port gave rather than the COM number the setup holds.
    std::string portNamed(const std::string& text, int comPort) const {
        return !device_.empty() && text == openFailureText(comPort) ? openFailureText(device_) : text;
    }

    static std::optional<std::string> take(std::optional<std::string>& slot) {
        std::optional<std::string> value = std::move(slot);
        slot.reset();
        return value;
    }

    CliSerialPort port_;
    std::string device_;
};

}  // namespace tavro::cli
