// The program start without the desktop: the main window with its creation
// step, then the eight dialogs in their fixed order.
#pragma once

#include <memory>

#include "ui/Dialogs.h"
#include "ui/Setupmain.h"

namespace tavro {

class Program {
public:
    // Creates the main window (its creation step runs, reading the default
    // setup through the installed seams) and then the dialogs.
    explicit Program(Host& host, const std::function<void(TTavroSetupMain&)>& installSeams = {});

    TTavroSetupMain& main() { return *main_; }
    Dialogs& dialogs() { return *dialogs_; }

private:
    std::unique_ptr<TTavroSetupMain> main_;
    std::unique_ptr<Dialogs> dialogs_;
};

}  // namespace tavro
