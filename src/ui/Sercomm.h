#pragma once

#include "ui/Host.h"

namespace tavro {

class TTavroSetupMain;

class TFormComm : public Form {
public:
    explicit TFormComm(TTavroSetupMain& main) : Form("FormComm"), main_(main) {}

private:
    [[maybe_unused]] TTavroSetupMain& main_;
};

}  // namespace tavro
