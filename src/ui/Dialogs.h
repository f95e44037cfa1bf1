// The eight dialogs of the program. Each exists once, from start-up to the
// end, created after the main window in a fixed order, and is hidden until
// the main window shows it modally.
#pragma once

#include <memory>

#include "ui/Host.h"

namespace tavro {

class TFormOptions : public Form {
public:
    TFormOptions() : Form("FormOptions", "Options") {}
};

class TFormPreset : public Form {
public:
    TFormPreset() : Form("FormPreset") {}
};

class TFormCh9_10 : public Form {
public:
    TFormCh9_10() : Form("FormCh9_10") {}
};

class TFormSource : public Form {
public:
    TFormSource() : Form("FormSource") {}
};

class TFormDPLII : public Form {
public:
    TFormDPLII() : Form("FormDPLII") {}
};

class TFormTHXUltra2 : public Form {
public:
    TFormTHXUltra2() : Form("FormTHXUltra2") {}
};

class TFormAbout : public Form {
public:
    TFormAbout() : Form("FormAbout", "About") {}
};

class TFormComm : public Form {
public:
    TFormComm() : Form("FormComm") {}
};

class Dialogs {
public:
    // Creates the dialogs in the order the program start requires.
    Dialogs()
        : FormOptions(std::make_unique<TFormOptions>()),
          FormPreset(std::make_unique<TFormPreset>()),
          FormCh9_10(std::make_unique<TFormCh9_10>()),
          FormSource(std::make_unique<TFormSource>()),
          FormDPLII(std::make_unique<TFormDPLII>()),
          FormTHXUltra2(std::make_unique<TFormTHXUltra2>()),
          FormAbout(std::make_unique<TFormAbout>()),
          FormComm(std::make_unique<TFormComm>()) {}

    std::unique_ptr<TFormOptions> FormOptions;
    std::unique_ptr<TFormPreset> FormPreset;
    std::unique_ptr<TFormCh9_10> FormCh9_10;
    std::unique_ptr<TFormSource> FormSource;
    std::unique_ptr<TFormDPLII> FormDPLII;
    std::unique_ptr<TFormTHXUltra2> FormTHXUltra2;
    std::unique_ptr<TFormAbout> FormAbout;
    std::unique_ptr<TFormComm> FormComm;
};

}  // namespace tavro
