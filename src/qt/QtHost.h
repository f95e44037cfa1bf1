// The desktop side of the form models: real message boxes, file dialogs and
// modal dialogs.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "QtSerialPort.h"
#include "forms/Host.h"

namespace tavro::qt {

// Names the application "Tavro Setup" for the titles of its message boxes.
// Window titles stay exactly the forms' captions: no display name is set, so
// the platform appends nothing to them.
void nameApplication();

class QtHost : public Host {
public:
    void setMainWindow(QWidget* window) { window_ = window; }

    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> askOpenFile(const FileDialogSetup& request) override;
    std::optional<std::string> askSaveFile(const FileDialogSetup& request) override;
    ModalResult showModal(Form& dialog) override;
    bool pictureReadable(const std::string& file) override;
    void processMessages() override;
    void sleepMs(int ms) override;
    bool fileExists(const std::string& file) override;
    void showWindow(Form& window) override;
    void destroyWindow(Form& window) override;
    void closeMainWindow() override;
    SerialPort& serialPort() override { return port_; }

private:
    QtSerialPort port_;
    QPointer<QWidget> window_;
    std::map<Form*, std::unique_ptr<QWidget>> windows_;
};

}  // namespace tavro::qt
