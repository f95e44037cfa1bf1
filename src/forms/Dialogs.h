// The dialogs of the program. Each exists once, from start-up to the
// end, created after the main window in a fixed order, and is hidden until
// the main window shows it modally.
#pragma once

#include <memory>

#include "forms/About.h"
#include "forms/Compare.h"
#include "forms/Dplii.h"
#include "forms/Mixfilter.h"
#include "forms/Options.h"
#include "forms/Preset.h"
#include "forms/ProcessorBackups.h"
#include "forms/Sercomm.h"
#include "forms/Source.h"
#include "forms/Ultra2.h"

namespace tavro {

class Dialogs {
public:
    // Creates the dialogs in the order the program start requires.
    explicit Dialogs(TTavroSetupMain& main)
        : FormOptions(std::make_unique<TFormOptions>(main)),
          FormPreset(std::make_unique<TFormPreset>(main)),
          FormCh9_10(std::make_unique<TFormCh9_10>(main)),
          FormSource(std::make_unique<TFormSource>(main)),
          FormDPLII(std::make_unique<TFormDPLII>(main)),
          FormTHXUltra2(std::make_unique<TFormTHXUltra2>(main)),
          FormAbout(std::make_unique<TFormAbout>(main)),
          FormComm(std::make_unique<TFormComm>(main)),
          FormCompare(std::make_unique<TFormCompare>(main)),
          FormBackups(std::make_unique<TFormBackups>(main)) {}

    std::unique_ptr<TFormOptions> FormOptions;
    std::unique_ptr<TFormPreset> FormPreset;
    std::unique_ptr<TFormCh9_10> FormCh9_10;
    std::unique_ptr<TFormSource> FormSource;
    std::unique_ptr<TFormDPLII> FormDPLII;
    std::unique_ptr<TFormTHXUltra2> FormTHXUltra2;
    std::unique_ptr<TFormAbout> FormAbout;
    std::unique_ptr<TFormComm> FormComm;
    // Compare with Processor's list of differences, created last.
    std::unique_ptr<TFormCompare> FormCompare;
    // File > Processor Backups..., after it.
    std::unique_ptr<TFormBackups> FormBackups;
};

}  // namespace tavro
