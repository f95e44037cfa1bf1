// The desktop as the command line sees it: messages are collected for
// standard error, the file dialogs answer with the paths given on the command
// line, and there is no window, picture or serial port.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/SerialPort.h"
#include "ui/Host.h"

namespace tavro::cli {

// A port that is never there: the command line transfers nothing.
class NoSerialPort : public SerialPort {
public:
    bool open(const std::string&) override { return false; }
    bool buildLineSettings(const std::string&) override { return false; }
    bool applyLineSettings() override { return false; }
    bool getTimeouts(SerialTimeouts&) override { return false; }
    bool setTimeouts(const SerialTimeouts&) override { return false; }
    bool write(const std::uint8_t*, std::size_t, std::size_t& written) override {
        written = 0;
        return false;
    }
    bool read(std::uint8_t*, std::size_t, std::size_t& received) override {
        received = 0;
        return false;
    }
    void close() override {}
    void sleepMs(int) override {}
};

class CliHost : public Host {
public:
    // Every message and error box the program showed, in order.
    std::vector<std::string> messages;
    // What the next open or save dialog answers.
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { messages.push_back(text); }
    // Nothing is asked on the command line: the command is the answer.
    bool confirm(const std::string&) override { return true; }
    std::optional<std::string> askOpenFile(const FileDialogSetup&) override { return take(openPath); }
    std::optional<std::string> askSaveFile(const FileDialogSetup&) override { return take(savePath); }
    ModalResult showModal(Form&) override { return ModalResult::Cancel; }
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
    static std::optional<std::string> take(std::optional<std::string>& slot) {
        std::optional<std::string> value = std::move(slot);
        slot.reset();
        return value;
    }

    NoSerialPort port_;
};

}  // namespace tavro::cli
