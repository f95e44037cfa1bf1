// The Options dialog: serial port, automatic verify, discard confirmation.
#pragma once

#include "ui/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormOptions : public Form {
public:
    explicit TFormOptions(TTavroSetupMain& main);

    GroupBox GBCom{*this, "GBCom", "Communications Port"};
    RadioButton RBCom1{*this, "RBCom1", 1, "COM 1"};
    Label LabelCom1Device{*this, "LabelCom1Device"};
    RadioButton RBCom2{*this, "RBCom2", 1, "COM 2"};
    Label LabelCom2Device{*this, "LabelCom2Device"};
    RadioButton RBCom3{*this, "RBCom3", 1, "COM 3"};
    Label LabelCom3Device{*this, "LabelCom3Device"};
    RadioButton RBCom4{*this, "RBCom4", 1, "COM 4"};
    Label LabelCom4Device{*this, "LabelCom4Device"};
    GroupBox GBVerify{*this, "GBVerify", "Verify"};
    CheckBox CBVerifyOn{*this, "CBVerifyOn", "Automatic"};
    GroupBox GBConfirm{*this, "GBConfirm", "Discard Settings"};
    CheckBox CBConfirm{*this, "CBConfirm", "Confirm"};
    Button ButtonOptionsOk{*this, "ButtonOptionsOk", "&OK"};
    Button ButtonOptionsCancel{*this, "ButtonOptionsCancel", "&Cancel"};

    void FormShow() override;
    void ButtonOptionsOkClick();

private:
    TTavroSetupMain& main_;
};

}  // namespace tavro
