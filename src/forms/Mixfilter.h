// The channel 9/10 mix and filter dialog, shared by both channels.
#pragma once

#include <array>
#include <string>

#include "model/Records.h"
#include "model/ValueLists.h"
#include "forms/Host.h"

namespace tavro {

class TTavroSetupMain;

// The seven mix shares as the dialog names them, in the record's order.
inline constexpr std::array<const char*, MixChannelCount> MixShareNames{
    "Left", "Center", "Right", "Left Surround", "Right Surround", "Back", "LFE"};

class TFormCh9_10 : public Form {
public:
    explicit TFormCh9_10(TTavroSetupMain& main);

    GroupBox GBMix{*this, "GBMix", "Mix Settings"};
    Label LabelMixLeft{*this, "LabelMixLeft", "Left:"};
    ScrollBar SBMixLeft{*this, "SBMixLeft", -100, 100, 5, 0};
    Label LabelLN{*this, "LabelLN", "-100%"};
    Label LabelLR{*this, "LabelLR", "+100%"};
    Label LabelMixCenter{*this, "LabelMixCenter", "Center:"};
    ScrollBar SBMixCenter{*this, "SBMixCenter", -100, 100, 5, 0};
    Label LabelCL{*this, "LabelCL", "-100%"};
    Label LabelCR{*this, "LabelCR", "+100%"};
    Label LabelMixRight{*this, "LabelMixRight", "Right:"};
    ScrollBar SBMixRight{*this, "SBMixRight", -100, 100, 5, 0};
    Label LabelRL{*this, "LabelRL", "-100%"};
    Label LabelRR{*this, "LabelRR", "+100%"};
    Label LabelMixLSurr{*this, "LabelMixLSurr", "Left Surround:"};
    ScrollBar SBMixLSurr{*this, "SBMixLSurr", -100, 100, 5, 0};
    Label LabelLsL{*this, "LabelLsL", "-100%"};
    Label LabelLsR{*this, "LabelLsR", "+100%"};
    Label LabelMixRSurr{*this, "LabelMixRSurr", "Right Surround:"};
    ScrollBar SBMixRSurr{*this, "SBMixRSurr", -100, 100, 5, 0};
    Label LabelRsL{*this, "LabelRsL", "-100%"};
    Label LabelRsR{*this, "LabelRsR", "+100%"};
    Label LabelMixBack{*this, "LabelMixBack", "Back:"};
    ScrollBar SBMixBack{*this, "SBMixBack", -100, 100, 5, 0};
    Label LabelBL{*this, "LabelBL", "-100%"};
    Label LabelBR{*this, "LabelBR", "+100%"};
    Label LabelMixLFE{*this, "LabelMixLFE", "LFE:"};
    ScrollBar SBMixLFE{*this, "SBMixLFE", -100, 100, 5, 0};
    Label LabelLFEL{*this, "LabelLFEL", "-100%"};
    Label LabelLFER{*this, "LabelLFER", "+100%"};

    GroupBox GBFilter1{*this, "GBFilter1", "Filter 1"};
    RadioButton RBNoFilter1{*this, "RBNoFilter1", 1, "No filter"};
    RadioButton RBLowpassFilter1{*this, "RBLowpassFilter1", 1, "Lowpass"};
    RadioButton RBHighpassFilter1{*this, "RBHighpassFilter1", 1, "Highpass"};
    Label LabelFil1{*this, "LabelFil1", "Frequency:"};
    ListBox CBFilter1FrequencyLP{*this, "CBFilter1FrequencyLP"};
    ListBox CBFilter1FrequencyHP{*this, "CBFilter1FrequencyHP"};
    GroupBox GBFilter2{*this, "GBFilter2", "Filter 2"};
    RadioButton RBNoFilter2{*this, "RBNoFilter2", 2, "No filter"};
    RadioButton RBLowpassFilter2{*this, "RBLowpassFilter2", 2, "Lowpass"};
    RadioButton RBHighpassFilter2{*this, "RBHighpassFilter2", 2, "Highpass"};
    Label LabelFil2{*this, "LabelFil2", "Frequency:"};
    ListBox CBFilter2FrequencyLP{*this, "CBFilter2FrequencyLP"};
    ListBox CBFilter2FrequencyHP{*this, "CBFilter2FrequencyHP"};

    Button ButtonMixFilterOk{*this, "ButtonMixFilterOk", "&OK"};
    Button ButtonMixFilterCancel{*this, "ButtonMixFilterCancel", "&Cancel"};

    // Touched flags in their fixed order: filter 1 type, filter 2 type, the
    // seven mix bars (Left, Center, Right, LSurr, RSurr, Back, LFE), filter 1
    // frequency, filter 2 frequency.
    std::array<bool, 11> touched{};

    // Loads channel c (0 = channel 9, 1 = channel 10) and sets the caption.
    void Load(int channel);
    void FormShow() override;
    void ButtonMixFilterOkClick();

    void RBNoFilter1Click();
    void RBLowpassFilter1Click();
    void RBHighpassFilter1Click();
    void RBNoFilter2Click();
    void RBLowpassFilter2Click();
    void RBHighpassFilter2Click();
    void CBFilter1FrequencyLPChange();
    void CBFilter1FrequencyHPChange();
    void CBFilter2FrequencyLPChange();
    void CBFilter2FrequencyHPChange();
    void SBMixLeftChange();
    void SBMixCenterChange();
    void SBMixRightChange();
    void SBMixLSurrChange();
    void SBMixRSurrChange();
    void SBMixBackChange();
    void SBMixLFEChange();

    // The frequency list items: "20 Hz" .. "18 kHz" (57), the highpass list
    // the first 40 of them.
    static ItemList frequencyItems(int count);
    // A mix share as its label shows it: "-100%" .. "0%" .. "+100%".
    static std::string mixText(int share);

private:
    struct Filter {
        RadioButton& none;
        RadioButton& lowpass;
        RadioButton& highpass;
        ListBox& lp;
        ListBox& hp;
        int typeFlag;
        int freqFlag;
    };
    Filter filter(int f);
    std::array<ScrollBar*, 7> bars();
    std::array<Label*, 7> barLabels();
    void writeMixLabel(int row);
    void barChanged(int row);
    void showFilterType(Filter f, int type);
    void noFilterClick(int f);
    void lowpassClick(int f);
    void highpassClick(int f);
    void frequencyChange(int f, bool fromLowpass);

    TTavroSetupMain& main_;
};

}  // namespace tavro
