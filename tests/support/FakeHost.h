// A scripted host for the form models: records every message and question,
// answers from queues, and closes the main window the way the view does.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FakeSerialPort.h"
#include "Printers.h"
#include "forms/Host.h"

namespace tavro::test {

class FakeHost : public Host {
public:
    // Every message box's text in the order shown; `errors` holds those
    // shown as errors.
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::deque<bool> answers;  // for confirm(); an empty queue answers Yes
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> modalShown;
    std::function<ModalResult(Form&)> onModal;
    std::set<std::string> readablePictures;
    std::set<std::string> existingFiles;
    std::vector<std::string> windowsShown;
    std::vector<std::string> windowsDestroyed;
    int sleptMs = 0;
    int processed = 0;
    int closeRequests = 0;
    FakeSerialPort port;
    std::function<void()> onClose;  // what the window does when asked to close

    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override {
        messages.push_back(text);
        errors.push_back(text);
    }
    bool confirm(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> askOpenFile(const FileDialogSetup&) override { return pop(openAnswers); }
    std::optional<std::string> askSaveFile(const FileDialogSetup&) override { return pop(saveAnswers); }
    ModalResult showModal(Form& dialog) override {
        modalShown.push_back(dialog.name());
        dialog.setModalResult(ModalResult::None);
        dialog.FormShow();
        dialog.FormActivate();
        ModalResult r = onModal ? onModal(dialog) : ModalResult::Cancel;
        dialog.setModalResult(r);
        dialog.FormClose();
        return r;
    }
    bool pictureReadable(const std::string& file) override { return readablePictures.count(file) != 0; }
    void processMessages() override { ++processed; }
    void sleepMs(int ms) override { sleptMs += ms; }
    bool fileExists(const std::string& file) override { return existingFiles.count(file) != 0 || readablePictures.count(file) != 0; }
    void showWindow(Form& window) override { windowsShown.push_back(window.name()); }
    void destroyWindow(Form& window) override { windowsDestroyed.push_back(window.name()); }
    SerialPort& serialPort() override { return port; }
    void closeMainWindow() override {
        ++closeRequests;
        if (onClose) onClose();
    }

private:
    static std::optional<std::string> pop(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

}  // namespace tavro::test
