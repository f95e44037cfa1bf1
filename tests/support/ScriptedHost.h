// A scripted host for the form models: records every message and question,
// answers from queues, and closes the main window the way the view does.
// A question or a file dialog that nothing was queued for is told to
// `unscripted` and answered No or Cancel; FakeHost (FakeHost.h) makes that
// a test failure. Without a test framework (the fuzz targets) it stops the
// run.
#pragma once

#include <cstdio>
#include <cstdlib>
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

class ScriptedHost : public Host {
public:
    // Every message box's text in the order shown; `errors` holds those
    // shown as errors.
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::deque<bool> answers;  // for confirm(), one for each question asked
    std::deque<std::optional<std::string>> openAnswers;  // no value: Cancel
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> modalShown;
    std::function<ModalResult(Form&)> onModal;  // unset: the dialog is cancelled
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
        if (answers.empty()) {
            unscripted("question \"" + text + "\"");
            return false;
        }
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> askOpenFile(const FileDialogSetup& request) override {
        return pop(openAnswers, "open file dialog", request);
    }
    std::optional<std::string> askSaveFile(const FileDialogSetup& request) override {
        return pop(saveAnswers, "save file dialog", request);
    }
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

protected:
    // A question or file dialog was shown with no answer queued for it.
    virtual void unscripted(const std::string& what) {
        std::fprintf(stderr, "unscripted %s\n", what.c_str());
        std::abort();
    }

private:
    std::optional<std::string> pop(std::deque<std::optional<std::string>>& q, const char* kind,
                                   const FileDialogSetup& request) {
        if (q.empty()) {
            unscripted(std::string(kind) + " \"" + request.title + "\"");
            return std::nullopt;
        }
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

}  // namespace tavro::test
