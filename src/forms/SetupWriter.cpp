// WriteSetupFile: the sections in their fixed order, each only
// while its group box is shown, every line ended with CR LF.
#include "files/AtomicFile.h"
#include "forms/SetupFile.h"
#include "files/TextForm.h"
#include "forms/Setupmain.h"

namespace tavro {

using namespace files;

namespace {

class Writer {
public:
    explicit Writer(const TTavroSetupMain& w) : w_(w) {}

    std::string run() {
        const TTavroSetupMain& w = w_;
        line("//Setup");
        end();
        general();
        if (w.GBMessages.visible()) messages();
        if (w.GBDistanceUnits.visible()) section("[Distance Units]", {w.RBFeet.checked() ? "Feet" : "Meters"});
        if (w.GBGeneralAudio.visible())
            section("[General Audio Settings]", {num(w.SBVolume.position() - 20), num(w.SBBass.position()),
                                                 num(w.SBTreble.position())});
        if (w.GBToneFilters.visible())
            section("[Tone Filters]", {num(w.CBToneBFreq.itemIndex()), num(w.CBToneTFreq.itemIndex())});
        if (w.GBLFElevel.visible()) section("[LFE Level]", {num(w.SBLFELevel.position())});
        if (w.GBAnalogBassMg.visible()) section("[Analog Bass Management]", {num(w.CBAnalogBassMg.itemIndex())});
        if (w.GBDPLII.visible()) dpl();
        if (w.GBTHXUltra.visible()) thx();
        if (w.GBReverb.visible()) section("[Reverb Wetness]", {reverb()});
        if (w.GBPhones.visible()) section("[Phones Volume Offset]", {num(w.SBPhones.position())});
        if (w.GBSource.visible()) {
            modes();
            sources();
        }
        if (w.GBZone.visible())
            section("[Zone Settings]", {num(w.CBZoneSource.itemIndex() + 1), num(w.SBZoneVolume.position() - 20)});
        if (w.GBBalanced.visible())
            section("[Balanced Source Settings]",
                    {num(w.CBBalancedSource.itemIndex()), w.RBThroughDSP.checked() ? "Through DSP" : "Bypass DSP"});
        if (w.GBSpeaker.visible()) speakers();
        if (w.GBBackSpeaker.visible()) backSpeakers();
        if (w.GBCh9_10.visible()) auxChannels();
        if (w.GBBluebackFormat.visible()) section("[Blueback Video Format]", {w.RBPAL.checked() ? "PAL" : "NTSC"});
        if (w.GBSetupMode.visible())
            section("[OSD Setup Mode]", {w.RBBlueback.checked() ? "Blueback" : "Superimpose"});
        if (w.GBTemporary.visible())
            section("[Temporary Display]",
                    {w.RBTempFull.checked() ? "Full" : w.RBTempSimple.checked() ? "Simple" : "No"});
        if (w.GBOSDInput.visible())
            section("[OSD Input Select]", {w.RBOSDInputAuto.checked()     ? "Auto"
                                           : w.RBOSDInputCs.checked()     ? "Composite Video"
                                           : w.RBOSDInputSvideo.checked() ? "S-Video"
                                                                          : "Off"});
        if (w.GBOSDOutput.visible())
            section("[OSD Output Routing]", {w.RBOSDOutputBoth.checked()     ? "Both"
                                             : w.RBOSDOutputCs.checked()     ? "Composite Video"
                                             : w.RBOSDOutputSvideo.checked() ? "S-Video"
                                                                             : "Off"});
        if (w.GBFactory.visible())
            section("[Factory Default Color Settings]",
                    {w.CBBackgroundColor.text(), w.CBCharacterColor.text(), w.CBErrorColor.text()});
        if (w.GBOSDStyle.visible()) section("[OSD Style]", {w.CBOSDStyle.text()});
        if (w.GBTrigger1.visible()) trigger(1);
        if (w.GBTrigger2.visible()) trigger(2);
        const GroupBox* panels[] = {&w.GBPanel1, &w.GBPanel2, &w.GBPanel3, &w.GBPanel4, &w.GBPanel5};
        for (int n = 1; n <= PresetCount; ++n)
            if (panels[n - 1]->visible()) preset(n);
        options();
        return std::move(out_);
    }

private:
    static std::string num(std::int64_t v) { return std::to_string(v); }

    void line(const std::string& text) {
        out_ += text;
        out_ += LineEnd;
    }
    void end() { out_ += LineEnd; }
    void section(const char* header, std::initializer_list<std::string> lines) {
        line(header);
        for (const std::string& l : lines) line(l);
        end();
    }

    void general() {
        section("[General]", {w_.caption(), w_.AboutLine1, w_.AboutLine2, modelVariantName(w_.ModelVariant)});
    }

    void messages() {
        section("[Messages]", {w_.CheckBoxSkipWelcome.checked() ? "Skip" : "Show Welcome", w_.EditWelcome1.text(),
                               w_.EditWelcome2.text(), w_.EditShutdown1.text(), w_.EditShutdown2.text()});
    }

    void dpl() {
        const DplSettings& d = w_.Dpl;
        section("[DPL II/DTS Settings]", {d.Panorama == 1 ? "Panorama On" : "Panorama Off", num(d.CenterWidth),
                                          num(d.Dimension), num(d.CenterImage)});
    }

    void thx() {
        const ThxSettings& t = w_.Thx;
        section("[THX Ultra2 Settings]",
                {t.Ultra2Sub == 1 ? "Ultra2Sub" : "No Ultra2Sub", t.BoundaryGain == 1 ? "BGC On" : "BGC Off",
                 t.AsaPosition == 2 ? "Apart" : t.AsaPosition == 1 ? "Close" : "Together",
                 t.LimiterOn == 1 ? "Limiter On" : "Limiter Off", num(-static_cast<std::int64_t>(t.LimiterLevel))});
    }

    std::string reverb() const {
        if (w_.RBDry.checked()) return "Dry";
        if (w_.RBDry1.checked()) return "1";
        if (w_.RBWetDry2.checked()) return "2";
        if (w_.RBWet3.checked()) return "3";
        return "Wet";
    }

    void modes() {
        const ModeTable& m = w_.Modes;
        int n = 0;
        for (std::uint8_t f : m.ModeAvailable) n += f != 0 ? 1 : 0;
        line("[Modes]");
        line(num(n));
        for (int code = 0; code < ModeCount; ++code) {
            if (m.ModeAvailable[static_cast<std::size_t>(code)] == 0) continue;
            line(modeKeywords()[static_cast<std::size_t>(code)]);
            if (code >= ModeMusic1 && code < ModeMusic1 + MusicModeCount)
                line(m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)]);
        }
        end();
    }

    void sources() {
        const InputCounts& in = w_.Inputs;
        line("[Sources]");
        line(num(in.DigitalInputCount));
        if (in.ComponentVideoPresent == 1) {
            line("Component Video");
            line(num(in.ComponentVideoCount));
        }
        line(num(w_.SourceCount));
        for (int n = 1; n <= w_.SourceCount && n <= MaxSources; ++n) {
            const SourceRecord& s = w_.Sources[static_cast<std::size_t>(n - 1)];
            line(s.Name);
            line(modeKeywords()[s.Mode >= 1 && s.Mode < ModeCount ? s.Mode : std::uint8_t{ModeMono}]);
            line(num(s.Sensitivity - 5));
            if (in.DigitalInputCount > 0) {
                if (in.DigitalInputCount == 8 && w_.ModelVariant == tavro::ModelVariant::Tavro)
                    line(num(s.DigitalInput + 1));
                else
                    line(s.DigitalInput == 0 ? "Off" : num(s.DigitalInput));
            }
            line(s.PresetAssoc == 0 ? "Off" : s.PresetAssoc == FlatTrimsAssoc ? "Flat" : num(s.PresetAssoc));
            if (in.ComponentVideoPresent == 1) line(s.ComponentVideo == 0 ? "Off" : num(s.ComponentVideo));
        }
        end();
    }

    static const char* sizeText(int index) { return index == 1 ? "Small" : index == 2 ? "Large" : "No"; }

    void speakers() {
        const TTavroSetupMain& w = w_;
        line("[Speaker Settings]");
        line(w.CBLeftS.itemIndex() != 0 ? "Large" : "Small");
        line(levelText(w.CBLeftL.itemIndex()));
        line(levelText(w.CBRightL.itemIndex()));
        line(w.CBLeftD.text());
        line(w.CBRightD.text());
        line(sizeText(w.CBCenterS.itemIndex()));
        if (w.CBCenterS.itemIndex() != 0) {
            line(levelText(w.CBCenterL.itemIndex()));
            line(w.CBCenterD.text());
        }
        line(sizeText(w.CBLeftSS.itemIndex()));
        if (w.CBLeftSS.itemIndex() != 0) {
            line(levelText(w.CBLeftSL.itemIndex()));
            line(levelText(w.CBRightSL.itemIndex()));
            line(w.CBLeftSD.text());
            line(w.CBRightSD.text());
        }
        const bool sub = w.CBSubS.itemIndex() == 1;
        line(sub ? "Yes" : "No");
        if (sub) {
            line(levelText(w.CBSubL.itemIndex()));
            line(w.CBSubD.text());
        }
        line(w.CheckBoxSubFilter.checked() ? "Filter On" : "Filter Off");
        line(num(20 + 5 * w.CBSubFilter.itemIndex()));
        line(w.CheckBoxEnhancedBass.checked() ? "Enhanced On" : "Enhanced Off");
        end();
    }

    void backSpeakers() {
        const TTavroSetupMain& w = w_;
        const bool two = w.CheckBoxRBack.checked();
        line("[Back Speaker Settings]");
        line(two ? "2" : "1");
        line(sizeText(w.CBLeftBS.itemIndex()));
        if (w.CBLeftBS.itemIndex() != 0) {
            line(levelText(w.CBLeftBL.itemIndex()));
            if (two) line(levelText(w.CBRightBL.itemIndex()));
            line(w.CBLeftBD.text());
            if (two) line(w.CBRightBD.text());
        }
        end();
    }

    static const char* filterTypeText(std::uint8_t type) {
        return type == FilterLowpass ? "Lowpass" : type == FilterHighpass ? "Highpass" : "No Filter";
    }

    static std::string filterFrequencyText(FilterFrequencyCode code) {
        if (code <= 36) return num(20 + 5 * code);
        if (code == 37) return "250";
        if (code == 38) return "500";
        return num(1000 * static_cast<std::int64_t>(code) - 38000);
    }

    void auxChannel(const AuxMixFilter& rec, const ListBox& levelList, const ListBox& delayList) {
        line(levelText(levelList.itemIndex()));
        line(delayList.text());
        line(filterTypeText(rec.Filter1Type));
        line(filterFrequencyText(rec.Filter1Freq));
        line(filterTypeText(rec.Filter2Type));
        line(filterFrequencyText(rec.Filter2Freq));
        for (std::int8_t mix : rec.Mix) line(num(mix));
    }

    void auxChannels() {
        const TTavroSetupMain& w = w_;
        const bool two = w.ButtonCh10MixFilter.visible();
        line("[Aux Channel Settings]");
        line(two ? "2" : "1");
        auxChannel(w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
        if (two) auxChannel(w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
        end();
    }

    void trigger(int n) {
        const TTavroSetupMain& w = w_;
        const bool one = n == 1;
        line(one ? "[Trigger 1]" : "[Trigger 2]");
        line(num((one ? w.CBTrigger1Source : w.CBTrigger2Source).itemIndex() + 1));
        line((one ? w.CBTrigger1Delay : w.CBTrigger2Delay).text());
        line((one ? w.CB1Duration : w.CB2Duration).text());
        line((one ? w.RB1Positive : w.RB2Positive).checked() ? "Positive" : "Negative");
        line(num(w.TriggerEventMask));
        end();
    }

    void preset(int n) {
        const PresetSettings& p = w_.Presets[static_cast<std::size_t>(n - 1)];
        line("[Preset " + num(n) + "]");
        for (int f = 0; f < 5; ++f) line(num(p.field(f) - 12));
        line(num(p.Lipsync));
        end();
    }

    void options() {
        const tavro::Options& o = w_.Opts;
        section("[Options]", {"COM" + num(o.ComPort), o.AutoVerify == 1 ? "Verify On" : "Verify Off",
                              o.ConfirmDiscard == 1 ? "Confirm" : "No Confirmation"});
    }

    const TTavroSetupMain& w_;
    std::string out_;
};

}  // namespace

std::string FormatSetupText(const TTavroSetupMain& w) { return Writer(w).run(); }

WriteResult WriteSetupFile(TTavroSetupMain& w, const std::string& path, std::string* reason) {
    w.FilterMessageTexts();
    if (const files::FileResult r = writeFileReplacing(path, FormatSetupText(w)); !r) {
        w.host().showError("Unable to open " + path + ".");
        if (reason) *reason = files::reasonText(r.error);
        return WriteResult::Failed;
    }
    return WriteResult::Ok;
}

}  // namespace tavro
