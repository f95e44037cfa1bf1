// The program start without the desktop: the main window with its creation
// step, then the eight dialogs in their fixed order.
#pragma once

#include <memory>

#include "forms/Dialogs.h"
#include "forms/Setupmain.h"

namespace tavro {

// The program's setup reader as the creation step calls it: a relative name
// ("Default.dfg") is read in the main window's StartDirectory.
ReadResult readFromStartDirectory(TTavroSetupMain& w, const std::string& path);

class Program {
public:
    // Creates the main window (its creation step runs, reading the default
    // setup through the installed seams) and then the dialogs. The start
    // directory is the working directory at this moment, and the reader
    // seam is the program's own setup reader; installSeams runs after both
    // and may replace them (a test may start without any reader).
    explicit Program(Host& host, const std::function<void(TTavroSetupMain&)>& installSeams = {});

    TTavroSetupMain& main() { return *main_; }
    Dialogs& dialogs() { return *dialogs_; }

private:
    std::unique_ptr<TTavroSetupMain> main_;
    std::unique_ptr<Dialogs> dialogs_;
};

}  // namespace tavro
