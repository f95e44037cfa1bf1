// How the main window's controls are grouped for its rules: the radio
// groups whose buttons exclude each other, and the controls of one preset
// panel.
#pragma once

#include <array>

#include "controls/Controls.h"
#include "model/Records.h"

namespace tavro {

// Radio buttons are exclusive within these groups.
enum RadioGroup {
    GroupReverb = 1,
    GroupBalancedRouting,
    GroupVideoFormat,
    GroupSetupMode,
    GroupTemporary,
    GroupOsdInput,
    GroupOsdOutput,
    GroupDistanceUnits,
    GroupTrigger1Polarity,
    GroupTrigger2Polarity,
};

// A preset's group box, its "Set..." button and the labels of its values.
struct PresetPanel {
    GroupBox* group;
    Button* button;
    std::array<Label*, PresetFieldCount> names;
    std::array<Label*, PresetFieldCount> values;
};

}  // namespace tavro
