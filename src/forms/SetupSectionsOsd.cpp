// The messages and on-screen display sections of a setup file, each read
// beside its writer.
#include "forms/SetupSections.h"

namespace tavro {

using namespace files;

namespace {

using M = TTavroSetupMain;

constexpr RadioChoice SetupModeChoices[] = {{&M::RBBlueback, "Blueback"}, {&M::RBSuperimpose, "Superimpose"}};
constexpr RadioChoice TemporaryChoices[] = {
    {&M::RBTempFull, "Full"}, {&M::RBTempSimple, "Simple"}, {&M::RBNoTemp, "No"}};
constexpr RadioChoice OsdInputChoices[] = {{&M::RBOSDInputAuto, "Auto"},
                                           {&M::RBOSDInputCs, "Composite Video"},
                                           {&M::RBOSDInputSvideo, "S-Video"},
                                           {&M::RBOSDInputOff, "Off"}};
constexpr RadioChoice OsdOutputChoices[] = {{&M::RBOSDOutputBoth, "Both"},
                                            {&M::RBOSDOutputCs, "Composite Video"},
                                            {&M::RBOSDOutputSvideo, "S-Video"},
                                            {&M::RBOSDOutputNo, "Off"}};

// The colour lists and the change rule each one runs after a read.
struct ColorList {
    ListBox TTavroSetupMain::*list;
    void (TTavroSetupMain::*rule)();
};
constexpr ColorList FactoryColors[] = {{&M::CBBackgroundColor, &M::CBBackgroundColorChange},
                                       {&M::CBCharacterColor, &M::CBCharacterColorChange},
                                       {&M::CBErrorColor, &M::CBErrorColorChange}};

}  // namespace

// ---- "[Messages]"

void SectionReader::messages() {
    const bool skip = beginsWith(next(), "Skip");
    w_.CheckBoxSkipWelcome.setChecked(skip);
    for (Control* c : std::initializer_list<Control*>{&w_.LabelWelcome, &w_.EditWelcome1, &w_.EditWelcome2})
        c->setEnabled(!skip);
    for (Edit* e : {&w_.EditWelcome1, &w_.EditWelcome2, &w_.EditShutdown1, &w_.EditShutdown2})
        e->setText(messageText(next(), 20));
}

void SectionWriter::messages() {
    lines({w_.CheckBoxSkipWelcome.checked() ? "Skip" : "Show Welcome", w_.EditWelcome1.text(), w_.EditWelcome2.text(),
           w_.EditShutdown1.text(), w_.EditShutdown2.text()});
}

// ---- "[Blueback Video Format]": "PAL" is written only while RBPAL is
// checked, and read for anything but "NTSC".

void SectionReader::videoFormat() { (beginsWith(next(), "NTSC") ? w_.RBNTSC : w_.RBPAL).setChecked(true); }

void SectionWriter::videoFormat() { line(w_.RBPAL.checked() ? "PAL" : "NTSC"); }

// ---- "[OSD Setup Mode]", "[Temporary Display]", "[OSD Input Select]"

void SectionReader::setupMode() { choice(SetupModeChoices); }

void SectionWriter::setupMode() { choice(SetupModeChoices); }

void SectionReader::temporaryDisplay() { choice(TemporaryChoices); }

void SectionWriter::temporaryDisplay() { choice(TemporaryChoices); }

void SectionReader::osdInput() { choice(OsdInputChoices); }

void SectionWriter::osdInput() { choice(OsdInputChoices); }

// ---- "[OSD Output Routing]": without an output the OSD settings are
// disabled (the OSD output rule).

void SectionReader::osdOutput() {
    w_.ApplyOsdEnabling(true);
    if (&choice(OsdOutputChoices) == &w_.RBOSDOutputNo) w_.ApplyOsdEnabling(false);
}

void SectionWriter::osdOutput() { choice(OsdOutputChoices); }

// ---- "[Factory Default Color Settings]"

void SectionReader::factoryColors() {
    for (const ColorList& c : FactoryColors) {
        ListBox& list = w_.*c.list;
        const int i = findItem(list.items(), next());
        if (i >= 0) list.setItemIndex(i);
        (w_.*c.rule)();
    }
}

void SectionWriter::factoryColors() {
    for (const ColorList& c : FactoryColors) line((w_.*c.list).text());
}

// ---- "[OSD Style]"

void SectionReader::osdStyle() {
    const int i = findItem(w_.CBOSDStyle.items(), next());
    w_.CBOSDStyle.setItemIndex(i >= 0 ? i : 0);
    w_.CBOSDStyleChange();
}

void SectionWriter::osdStyle() { line(w_.CBOSDStyle.text()); }

}  // namespace tavro
