#include "forms/Mixfilter.h"

#include "forms/Setupmain.h"

namespace tavro {

namespace {

// ChangedMask entries of the eleven touched flags, channel 9 then channel 10.
constexpr int TouchedEntries[2][11] = {
    {379, 380, 365, 366, 367, 370, 368, 369, 371, 381, 382},
    {383, 384, 372, 373, 374, 377, 375, 376, 378, 385, 386},
};
constexpr int FlagFilter1Type = 0, FlagFilter2Type = 1, FlagMix = 2, FlagFilter1Freq = 9, FlagFilter2Freq = 10;
}  // namespace

ItemList TFormCh9_10::frequencyItems(int count) {
    ItemList items;
    for (int c = 0; c <= MaxFilterCode && c < count; ++c) {
        if (c <= 36)
            items.push_back(std::to_string(20 + 5 * c) + " Hz");
        else if (c == 37)
            items.emplace_back("250 Hz");
        else if (c == 38)
            items.emplace_back("500 Hz");
        else
            items.push_back(std::to_string(c - 38) + " kHz");
    }
    return items;
}

TFormCh9_10::TFormCh9_10(TTavroSetupMain& main) : Form("FormCh9_10", "Mix & Filter Settings"), main_(main) {
    RBNoFilter1.setChecked(true);
    RBNoFilter2.setChecked(true);
    CBFilter1FrequencyLP.setItems(frequencyItems(57));
    CBFilter2FrequencyLP.setItems(frequencyItems(57));
    CBFilter1FrequencyHP.setItems(frequencyItems(40));
    CBFilter2FrequencyHP.setItems(frequencyItems(40));
    CBFilter1FrequencyHP.setVisible(false);
    CBFilter2FrequencyHP.setVisible(false);

    RBNoFilter1.onClick = [this] { RBNoFilter1Click(); };
    RBLowpassFilter1.onClick = [this] { RBLowpassFilter1Click(); };
    RBHighpassFilter1.onClick = [this] { RBHighpassFilter1Click(); };
    RBNoFilter2.onClick = [this] { RBNoFilter2Click(); };
    RBLowpassFilter2.onClick = [this] { RBLowpassFilter2Click(); };
    RBHighpassFilter2.onClick = [this] { RBHighpassFilter2Click(); };
    CBFilter1FrequencyLP.onChange = [this] { CBFilter1FrequencyLPChange(); };
    CBFilter1FrequencyHP.onChange = [this] { CBFilter1FrequencyHPChange(); };
    CBFilter2FrequencyLP.onChange = [this] { CBFilter2FrequencyLPChange(); };
    CBFilter2FrequencyHP.onChange = [this] { CBFilter2FrequencyHPChange(); };
    SBMixLeft.onChange = [this] { SBMixLeftChange(); };
    SBMixCenter.onChange = [this] { SBMixCenterChange(); };
    SBMixRight.onChange = [this] { SBMixRightChange(); };
    SBMixLSurr.onChange = [this] { SBMixLSurrChange(); };
    SBMixRSurr.onChange = [this] { SBMixRSurrChange(); };
    SBMixBack.onChange = [this] { SBMixBackChange(); };
    SBMixLFE.onChange = [this] { SBMixLFEChange(); };
    ButtonMixFilterOk.onClick = [this] { ButtonMixFilterOkClick(); };
    ButtonMixFilterCancel.onClick = [this] { closeWith(ModalResult::Cancel); };

    // Creation: all four frequency lists disabled, the mix labels written.
    for (ListBox* l : {&CBFilter1FrequencyLP, &CBFilter1FrequencyHP, &CBFilter2FrequencyLP, &CBFilter2FrequencyHP})
        l->setEnabled(false);
    for (int row = 0; row < 7; ++row) writeMixLabel(row);
}

TFormCh9_10::Filter TFormCh9_10::filter(int f) {
    if (f == 1)
        return {RBNoFilter1, RBLowpassFilter1, RBHighpassFilter1, CBFilter1FrequencyLP, CBFilter1FrequencyHP,
                FlagFilter1Type, FlagFilter1Freq};
    return {RBNoFilter2, RBLowpassFilter2, RBHighpassFilter2, CBFilter2FrequencyLP, CBFilter2FrequencyHP,
            FlagFilter2Type, FlagFilter2Freq};
}

std::array<ScrollBar*, 7> TFormCh9_10::bars() {
    return {&SBMixLeft, &SBMixCenter, &SBMixRight, &SBMixLSurr, &SBMixRSurr, &SBMixBack, &SBMixLFE};
}

std::array<Label*, 7> TFormCh9_10::barLabels() {
    return {&LabelMixLeft, &LabelMixCenter, &LabelMixRight, &LabelMixLSurr, &LabelMixRSurr, &LabelMixBack, &LabelMixLFE};
}

std::string TFormCh9_10::mixText(int share) { return (share > 0 ? "+" : "") + std::to_string(share) + "%"; }

void TFormCh9_10::writeMixLabel(int row) {
    const int v = bars()[static_cast<std::size_t>(row)]->position();
    barLabels()[static_cast<std::size_t>(row)]->setCaption(std::string(MixShareNames[static_cast<std::size_t>(row)]) + ": " +
                                                           mixText(v));
}

void TFormCh9_10::barChanged(int row) {
    touched[static_cast<std::size_t>(FlagMix + row)] = true;
    writeMixLabel(row);
}

void TFormCh9_10::SBMixLeftChange() { barChanged(0); }
void TFormCh9_10::SBMixCenterChange() { barChanged(1); }
void TFormCh9_10::SBMixRightChange() { barChanged(2); }
void TFormCh9_10::SBMixLSurrChange() { barChanged(3); }
void TFormCh9_10::SBMixRSurrChange() { barChanged(4); }
void TFormCh9_10::SBMixBackChange() { barChanged(5); }
void TFormCh9_10::SBMixLFEChange() { barChanged(6); }

// Shows the list that belongs to a filter type without touching anything.
void TFormCh9_10::showFilterType(Filter f, int type) {
    if (type == FilterLowpass) {
        f.lp.setEnabled(true);
        f.lp.setVisible(true);
        f.hp.setEnabled(false);
        f.hp.setVisible(false);
    } else if (type == FilterHighpass) {
        f.hp.setEnabled(true);
        f.hp.setVisible(true);
        f.lp.setEnabled(false);
        f.lp.setVisible(false);
    } else {
        // The list shown last stays shown.
        f.lp.setEnabled(false);
        f.hp.setEnabled(false);
    }
}

void TFormCh9_10::Load(int channel) {
    AuxMixFilter& r = main_.AuxChannels[static_cast<std::size_t>(channel)];
    for (int fi = 1; fi <= 2; ++fi) {
        Filter f = filter(fi);
        std::uint8_t& type = fi == 1 ? r.Filter1Type : r.Filter2Type;
        FilterFrequencyCode& freq = fi == 1 ? r.Filter1Freq : r.Filter2Freq;
        // Checking here is no user's click: the rules must not run.
        RadioButton& button = type == FilterLowpass ? f.lowpass : type == FilterHighpass ? f.highpass : f.none;
        Rule saved = button.onClick;
        button.onClick = nullptr;
        button.setChecked(true);
        button.onClick = saved;
        showFilterType(f, type);
        if (type == FilterHighpass && freq > MaxHighpassCode) freq = MaxHighpassCode;
    }
    CBFilter1FrequencyLP.setItemIndex(r.Filter1Freq);
    CBFilter1FrequencyHP.setItemIndex(r.Filter1Freq);
    CBFilter2FrequencyLP.setItemIndex(r.Filter2Freq);
    CBFilter2FrequencyHP.setItemIndex(r.Filter2Freq);
    for (int row = 0; row < 7; ++row) bars()[static_cast<std::size_t>(row)]->setPosition(r.Mix[static_cast<std::size_t>(row)]);
    main_.EditedAuxChannel = channel;
    setCaption(channel == 0 ? "Channel 9 Mix & Filter Settings" : "Channel 10 Mix & Filter Settings");
}

void TFormCh9_10::FormShow() { touched.fill(false); }

void TFormCh9_10::noFilterClick(int fi) {
    Filter f = filter(fi);
    touched[static_cast<std::size_t>(f.typeFlag)] = true;
    f.lp.setEnabled(false);
    f.hp.setEnabled(false);
}

void TFormCh9_10::lowpassClick(int fi) {
    Filter f = filter(fi);
    touched[static_cast<std::size_t>(f.typeFlag)] = true;
    showFilterType(f, FilterLowpass);
    if (f.hp.itemIndex() >= 0) f.lp.setItemIndex(f.hp.itemIndex());
}

void TFormCh9_10::highpassClick(int fi) {
    Filter f = filter(fi);
    touched[static_cast<std::size_t>(f.typeFlag)] = true;
    showFilterType(f, FilterHighpass);
    if (f.lp.itemIndex() > MaxHighpassCode) {
        f.lp.setItemIndex(MaxHighpassCode);
        f.hp.setItemIndex(MaxHighpassCode);
        // The lowered frequency must reach the processor whatever the
        // dialog's result: mark the filter's type and frequency entries now,
        // without touching the menus.
        const int c = main_.EditedAuxChannel;
        main_.ChangedMask[static_cast<std::size_t>(TouchedEntries[c][f.typeFlag])] = 1;
        main_.ChangedMask[static_cast<std::size_t>(TouchedEntries[c][f.freqFlag])] = 1;
    }
}

void TFormCh9_10::frequencyChange(int fi, bool fromLowpass) {
    Filter f = filter(fi);
    touched[static_cast<std::size_t>(f.freqFlag)] = true;
    if (fromLowpass)
        f.hp.setItemIndex(f.lp.itemIndex());  // no item above 1 kHz
    else
        f.lp.setItemIndex(f.hp.itemIndex());
}

void TFormCh9_10::RBNoFilter1Click() { noFilterClick(1); }
void TFormCh9_10::RBLowpassFilter1Click() { lowpassClick(1); }
void TFormCh9_10::RBHighpassFilter1Click() { highpassClick(1); }
void TFormCh9_10::RBNoFilter2Click() { noFilterClick(2); }
void TFormCh9_10::RBLowpassFilter2Click() { lowpassClick(2); }
void TFormCh9_10::RBHighpassFilter2Click() { highpassClick(2); }
void TFormCh9_10::CBFilter1FrequencyLPChange() { frequencyChange(1, true); }
void TFormCh9_10::CBFilter1FrequencyHPChange() { frequencyChange(1, false); }
void TFormCh9_10::CBFilter2FrequencyLPChange() { frequencyChange(2, true); }
void TFormCh9_10::CBFilter2FrequencyHPChange() { frequencyChange(2, false); }

void TFormCh9_10::ButtonMixFilterOkClick() {
    const int c = main_.EditedAuxChannel;
    AuxMixFilter& r = main_.AuxChannels[static_cast<std::size_t>(c)];
    auto position = [](ListBox& lp, ListBox& hp) {
        int i = lp.itemIndex() >= 0 ? lp.itemIndex() : hp.itemIndex();
        return static_cast<FilterFrequencyCode>(i < 0 ? 0 : i);
    };
    r.Filter1Freq = position(CBFilter1FrequencyLP, CBFilter1FrequencyHP);
    r.Filter2Freq = position(CBFilter2FrequencyLP, CBFilter2FrequencyHP);
    auto type = [](RadioButton& none, RadioButton& lowpass) {
        return static_cast<std::uint8_t>(none.checked() ? FilterNone : lowpass.checked() ? FilterLowpass : FilterHighpass);
    };
    r.Filter1Type = type(RBNoFilter1, RBLowpassFilter1);
    r.Filter2Type = type(RBNoFilter2, RBLowpassFilter2);
    for (int row = 0; row < 7; ++row)
        r.Mix[static_cast<std::size_t>(row)] = static_cast<std::int8_t>(bars()[static_cast<std::size_t>(row)]->position());
    for (int flag = 0; flag < 11; ++flag)
        if (touched[static_cast<std::size_t>(flag)]) main_.MarkChanged({TouchedEntries[c][flag]});
    closeWith(ModalResult::Ok);
}

}  // namespace tavro
