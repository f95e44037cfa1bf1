#include "forms/About.h"

#include "forms/Setupmain.h"

namespace tavro {

TFormAbout::TFormAbout(TTavroSetupMain& main) : Form("FormAbout", "About"), main_(main) {
    ButtonAboutOk.onClick = [this] { closeWith(ModalResult::Ok); };
}

void TFormAbout::FormShow() {
    LabelAbout1st.setCaption(main_.AboutLine1);
    LabelAbout2nd.setCaption(main_.AboutLine2);
    labelWidth = 236;
}

}  // namespace tavro
