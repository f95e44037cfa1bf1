#include "ui/Options.h"

#include "link/PortNames.h"
#include "ui/Setupmain.h"

namespace tavro {

TFormOptions::TFormOptions(TTavroSetupMain& main) : Form("FormOptions", "Options"), main_(main) {
    RBCom1.setChecked(true);
    CBVerifyOn.setChecked(true);
    CBConfirm.setChecked(true);
    ButtonOptionsOk.onClick = [this] { ButtonOptionsOkClick(); };
    ButtonOptionsCancel.onClick = [this] { closeWith(ModalResult::Cancel); };
}

void TFormOptions::FormShow() {
    switch (main_.Opts.ComPort) {
        case 4: RBCom4.setChecked(true); break;
        case 3: RBCom3.setChecked(true); break;
        case 2: RBCom2.setChecked(true); break;
        default: RBCom1.setChecked(true); break;
    }
    CBVerifyOn.setChecked(main_.Opts.AutoVerify != 0);
    CBConfirm.setChecked(main_.Opts.ConfirmDiscard != 0);
    // Where each port leads on this computer.
    Label* devices[] = {&LabelCom1Device, &LabelCom2Device, &LabelCom3Device, &LabelCom4Device};
    for (int n = 1; n <= 4; ++n) devices[n - 1]->setCaption(portDevice(n));
}

void TFormOptions::ButtonOptionsOkClick() {
    main_.Opts.ComPort = RBCom1.checked() ? 1 : RBCom2.checked() ? 2 : RBCom3.checked() ? 3 : 4;
    main_.Opts.AutoVerify = CBVerifyOn.checked() ? 1 : 0;
    main_.Opts.ConfirmDiscard = CBConfirm.checked() ? 1 : 0;
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
