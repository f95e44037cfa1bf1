// The build and text rules of the register map's rule rows, and the helpers
// its table is written with. Only RegisterMap.cpp and RegisterRules.cpp use
// them.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "forms/RegisterMap.h"
#include "forms/Setupmain.h"

namespace tavro::rules {

// The control `member` of the main window, as a ControlRef.
template <auto member>
Control& ref(TTavroSetupMain& m) {
    return m.*member;
}

std::string sourceGroup(int source);  // "Source 3 Settings", source from 0
ControlRef sourceButton(int source);
ControlRef presetPanelGroup(int preset);  // GBPanel1 .. GBPanel5, preset from 0
std::string mixShareName(int device);     // by device position

using Build = std::optional<int>(const TTavroSetupMain&, const RegisterRow&);
using Text = std::string(const TTavroSetupMain&, const RegisterRow&);

Build thxLimiterLevel, thxLimiterOn, thxBoundaryGain, thxAsaPosition, thxUltra2Sub;
Text thxLimiterLevelText, thxLimiterOnText, thxBoundaryGainText, thxAsaPositionText, thxUltra2SubText;
Build dplPanorama, dplCenterWidth, dplDimension, dplCenterImage;
Text dplPanoramaText, dplCenterWidthText, dplDimensionText, dplCenterImageText;
Build skipWelcome, backSpeakers, subFilterFrequency, triggerSource, triggerDuration;
Text backSpeakersText;
Build messageCharacter, sourceNameCharacter;
Text messageText, sourceNameText;
Build sourceMode, sourceSensitivity, sourceDigitalInput, sourceComponentVideo, sourcePresetAssoc;
Text sourceModeText, sourceSensitivityText, sourceDigitalInputText, sourceComponentVideoText, sourcePresetAssocText;
Build presetField;
Text presetFieldText;
Build auxMix, auxFilterType, auxFilterFrequency;
Text auxMixText, auxFilterTypeText, auxFilterFrequencyText;

}  // namespace tavro::rules
