// The About box: the two About lines of the current setup.
#pragma once

#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormAbout : public Form {
public:
    explicit TFormAbout(TTavroSetupMain& main);

    Panel AboutPanel{*this, "AboutPanel"};
    Label LabelAbout1st{*this, "LabelAbout1st", "Tavro Setup"};
    Label LabelAbout2nd{*this, "LabelAbout2nd", "Processor set-up tool"};
    Button ButtonAboutOk{*this, "ButtonAboutOk", "&OK"};

    // Width the labels get so their centred text is centred in the panel.
    int labelWidth = 0;

    void FormShow() override;

private:
    TTavroSetupMain& main_;
};

}  // namespace tavro
