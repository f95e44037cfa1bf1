// The Options dialog: serial port, automatic verify, discard confirmation.
// Beside each COM button the device that COM number opens on this computer,
// a per-user choice kept outside the setup, as is whether uploads back up
// the processor first.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormOptions : public Form {
public:
    explicit TFormOptions(TTavroSetupMain& main);

    GroupBox GBCom{*this, "GBCom", "Communications Port"};
    RadioButton RBCom1{*this, "RBCom1", 1, "COM 1"};
    ListBox CBCom1Device{*this, "CBCom1Device"};
    RadioButton RBCom2{*this, "RBCom2", 1, "COM 2"};
    ListBox CBCom2Device{*this, "CBCom2Device"};
    RadioButton RBCom3{*this, "RBCom3", 1, "COM 3"};
    ListBox CBCom3Device{*this, "CBCom3Device"};
    RadioButton RBCom4{*this, "RBCom4", 1, "COM 4"};
    ListBox CBCom4Device{*this, "CBCom4Device"};
    // Why a COM number does not open the device the user chose, why the saved
    // choices are ignored when their file cannot be read, and which COM
    // numbers open one device.
    Label LabelComNote{*this, "LabelComNote"};
    GroupBox GBVerify{*this, "GBVerify", "Verify"};
    CheckBox CBVerifyOn{*this, "CBVerifyOn", "Automatic"};
    GroupBox GBConfirm{*this, "GBConfirm", "Discard Settings"};
    CheckBox CBConfirm{*this, "CBConfirm", "Confirm"};
    // Kept per user with the serial devices, not in the setup.
    CheckBox CBBackup{*this, "CBBackup", "Back up the processor before uploading"};
    Button ButtonOptionsOk{*this, "ButtonOptionsOk", "&OK"};
    Button ButtonOptionsCancel{*this, "ButtonOptionsCancel", "&Cancel"};

    void FormShow() override;
    void ButtonOptionsOkClick();
    void CBComDeviceChange(int n);

private:
    ListBox& deviceList(int n);
    void showNotes();
    // The device COMn's list shows (a path, never an item's text).
    std::string shownDevice(int n);
    std::vector<std::string> sharedDeviceNotes();

    TTavroSetupMain& main_;
    // Per COM number: the device behind each item of its list, whether the
    // user picked one since the dialog was shown, and its note.
    std::array<std::vector<std::string>, 4> devices_;
    std::array<bool, 4> picked_{};
    std::array<std::string, 4> notes_;
    std::string fileNote_;
};

}  // namespace tavro
