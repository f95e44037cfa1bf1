// What the form models ask of the desktop: message boxes, questions, file
// dialogs, modal dialogs, pictures. The Qt view implements it with real
// widgets; tests replace it with a scripted fake.
#pragma once

#include <optional>
#include <string>

#include "controls/Controls.h"
#include "link/SerialPort.h"

namespace tavro {

enum class ModalResult { None, Ok, Cancel };

// A window of the program: its controls, its caption and the result it
// closes with when shown modally.
class Form : public ControlRegistry {
public:
    explicit Form(std::string name, std::string caption = {}) : name_(std::move(name)), caption_(std::move(caption)) {}
    virtual ~Form() = default;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string value) { caption_ = std::move(value); }

    ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ModalResult value) { modalResult_ = value; }

    // Runs when the form is shown, then when it becomes the active window,
    // and when it closes (by its buttons or any other way).
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormClose() {}
    // Ends a modal showing with this result (the OK and Cancel buttons).
    void closeWith(ModalResult result) { modalResult_ = result; }

private:
    std::string name_;
    std::string caption_;
    ModalResult modalResult_ = ModalResult::None;
};

struct FileDialogSetup {
    std::string title;
    std::string filter;            // "Setup Configuration|*.sfg"
    std::string defaultExtension;  // ".sfg"
    std::string fileName;          // proposed name, may be empty
};

class Host {
public:
    virtual ~Host() = default;

    // A plain message box with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    // An error message box with an OK button.
    virtual void showError(const std::string& text) = 0;
    // A confirmation with Yes and No; true for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // File dialogs; no value when the user cancels.
    virtual std::optional<std::string> askOpenFile(const FileDialogSetup& request) = 0;
    virtual std::optional<std::string> askSaveFile(const FileDialogSetup& request) = 0;
    // Shows a dialog modally and returns how it was closed.
    virtual ModalResult showModal(Form& dialog) = 0;
    // Whether the picture file exists and can be read as a picture.
    virtual bool pictureReadable(const std::string& file) = 0;
    // Lets pending window messages be processed.
    virtual void processMessages() = 0;
    // Waits without processing window messages.
    virtual void sleepMs(int ms) = 0;
    // Whether a file exists in the working directory (or at the given path).
    virtual bool fileExists(const std::string& file) = 0;
    // Shows a window without waiting for it (the start-up picture), and
    // destroys it again.
    virtual void showWindow(Form& window) = 0;
    virtual void destroyWindow(Form& window) = 0;
    // The serial port the transfers use.
    virtual SerialPort& serialPort() = 0;
    // Closes the main window the way its title bar does; the close query
    // of the main window decides.
    virtual void closeMainWindow() = 0;
};

}  // namespace tavro
