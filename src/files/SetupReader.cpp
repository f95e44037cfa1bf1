// ReadSetupFile: the 33 sections line by line, each value checked
// against its range and replaced by its fixed fallback when it is outside.
#include <array>

#include "files/AtomicFile.h"
#include "files/Paths.h"
#include "files/SetupFile.h"
#include "files/TextForm.h"
#include "model/DisplayCharacters.h"
#include "ui/Setupmain.h"

namespace tavro {

using namespace files;

namespace {

constexpr int LevelZeroDb = 30;

bool inRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// The message text rule: the first n characters, each one the display
// cannot show replaced by a blank.
std::string messageText(const std::string& line, std::size_t n) { return filterDisplayText(line.substr(0, n)); }

// "+3 dB", "0 dB", "-3 dB".
std::string presetLevelLabel(int db) { return (db > 0 ? "+" : "") + std::to_string(db) + " dB"; }

int keywordCode(const std::string& line) {
    const auto& keywords = modeKeywords();
    for (int code = 0; code < ModeCount; ++code)
        if (beginsWith(line, keywords[static_cast<std::size_t>(code)])) return code;
    return -1;
}

// "No", "Small", "Large" for item 0, 1, 2.
int sizeIndex(const std::string& line) {
    if (beginsWith(line, "Small")) return 1;
    if (beginsWith(line, "Large")) return 2;
    return 0;
}

std::uint8_t filterType(const std::string& line) {
    if (beginsWith(line, "No Filter")) return FilterNone;
    if (beginsWith(line, "Lowpass")) return FilterLowpass;
    return FilterHighpass;
}

FilterFrequencyCode filterFrequency(const std::string& line, std::uint8_t type) {
    const std::int64_t v = intValue(line);
    if (inRange(v, 20, 200)) return static_cast<FilterFrequencyCode>(2 * v / 10 - 4);
    if (v == 250) return 37;
    if (v == 500) return 38;
    if (v == 1000) return 39;
    if (inRange(v, 1002, 18000) && type != FilterHighpass) return static_cast<FilterFrequencyCode>(v / 1000 + 38);
    return DefaultFilterCode;
}

class Reader {
public:
    Reader(TTavroSetupMain& w, LineReader& in) : w_(w), in_(in) {}

    void run() {
        while (!in_.atEnd()) {
            std::string line = in_.next();
            if (beginsWith(line, "//")) continue;
            section(line);
        }
    }

private:
    std::string next() { return in_.next(); }
    std::int64_t nextInt() { return intValue(next()); }

    void section(const std::string& header) {
        auto is = [&](const char* h) { return beginsWith(header, h); };
        if (is("[General]")) general();
        else if (is("[Messages]")) messages();
        else if (is("[Distance Units]")) distanceUnits();
        else if (is("[General Audio Settings]")) generalAudio();
        else if (is("[Tone Filters]")) toneFilters();
        else if (is("[LFE Level]")) lfeLevel();
        else if (is("[Analog Bass Management]")) analogBass();
        else if (is("[DPL II/DTS Settings]")) dpl();
        else if (is("[THX Ultra2 Settings]")) thx();
        else if (is("[Reverb Wetness]")) reverb();
        else if (is("[Phones Volume Offset]")) phones();
        else if (is("[Modes]")) modes();
        else if (is("[Sources]")) sources();
        else if (is("[Zone Settings]")) zone();
        else if (is("[Balanced Source Settings]")) balanced();
        else if (is("[Speaker Settings]")) speakers();
        else if (is("[Back Speaker Settings]")) backSpeakers();
        else if (is("[Aux Channel Settings]")) auxChannels();
        else if (is("[Blueback Video Format]")) videoFormat();
        else if (is("[OSD Setup Mode]")) setupMode();
        else if (is("[Temporary Display]")) temporaryDisplay();
        else if (is("[OSD Input Select]")) osdInput();
        else if (is("[OSD Output Routing]")) osdOutput();
        else if (is("[Factory Default Color Settings]")) factoryColors();
        else if (is("[OSD Style]")) osdStyle();
        else if (is("[Trigger 1]")) trigger(1);
        else if (is("[Trigger 2]")) trigger(2);
        else if (is("[Preset 1]")) preset(1);
        else if (is("[Preset 2]")) preset(2);
        else if (is("[Preset 3]")) preset(3);
        else if (is("[Preset 4]")) preset(4);
        else if (is("[Preset 5]")) preset(5);
        else if (is("[Options]")) options();
        // anything else: skipped
    }

    // ---- shared encodings

    void level(ListBox& list) { list.setItemIndex(levelIndexFromLine(next())); }

    void distance(ListBox& list, int notFound = 0) {
        const std::string line = next();
        int i = findItem(w_.FeetItems, line);
        if (i < 0) i = findItem(w_.MeterItems, line);
        list.setItemIndex(i >= 0 ? i : notFound);
    }

    // ---- sections

    void general() {
        w_.setCaption(next());
        w_.AboutLine1 = next();
        w_.AboutLine2 = next();
        w_.ModelVariant = modelVariantFromLine(next());
    }

    void messages() {
        w_.GBMessages.setVisible(true);
        const bool skip = beginsWith(next(), "Skip");
        w_.CheckBoxSkipWelcome.setChecked(skip);
        for (Control* c : std::initializer_list<Control*>{&w_.LabelWelcome, &w_.EditWelcome1, &w_.EditWelcome2})
            c->setEnabled(!skip);
        for (Edit* e : {&w_.EditWelcome1, &w_.EditWelcome2, &w_.EditShutdown1, &w_.EditShutdown2})
            e->setText(messageText(next(), 20));
    }

    void distanceUnits() {
        w_.GBDistanceUnits.setVisible(true);
        const bool feet = beginsWith(next(), "Feet");
        if (feet) {
            w_.RBFeet.setChecked(true);
            w_.RBMeters.setChecked(false);
        } else {
            w_.RBMeters.setChecked(true);
            w_.RBFeet.setChecked(false);
        }
        w_.ApplyDistanceUnit(feet);  // the unit switch of RBFeetClick / RBMetersClick
    }

    // The highest volume value accepted: -20, and 8 for the 4820 (its top
    // position 28 written as 8), for the main and the zone volume alike.
    std::int64_t volumeTop() const { return w_.ModelVariant == tavro::ModelVariant::M4820 ? 8 : -20; }

    void generalAudio() {
        w_.GBGeneralAudio.setVisible(true);
        const std::int64_t volume = nextInt();
        w_.SBVolume.setPosition(inRange(volume, -90, volumeTop()) ? static_cast<int>(volume + 20) : -30);
        const std::int64_t bass = nextInt();
        w_.SBBass.setPosition(inRange(bass, -12, 12) ? static_cast<int>(bass) : 0);
        const std::int64_t treble = nextInt();
        w_.SBTreble.setPosition(inRange(treble, -12, 12) ? static_cast<int>(treble) : 0);
        w_.WriteValueLabels();
    }

    void toneFilters() {
        w_.GBToneFilters.setVisible(true);
        const std::int64_t bass = nextInt();
        w_.CBToneBFreq.setItemIndex(inRange(bass, 0, 2) ? static_cast<int>(bass) : 0);
        const std::int64_t treble = nextInt();
        w_.CBToneTFreq.setItemIndex(inRange(treble, 0, 2) ? static_cast<int>(treble) : 2);
    }

    void lfeLevel() {
        w_.GBLFElevel.setVisible(true);
        const std::int64_t v = nextInt();
        w_.SBLFELevel.setPosition(inRange(v, -10, 0) ? static_cast<int>(v) : 0);
        w_.WriteValueLabels();
    }

    void analogBass() {
        w_.GBAnalogBassMg.setVisible(true);
        const std::int64_t v = nextInt();
        w_.CBAnalogBassMg.setItemIndex(inRange(v, 0, 2) ? static_cast<int>(v) : 0);
    }

    void dpl() {
        w_.GBDPLII.setVisible(true);
        DplSettings& d = w_.Dpl;
        d.Panorama = beginsWith(next(), "Panorama On") ? 1 : 0;
        std::int64_t v = nextInt();
        d.CenterWidth = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v) : 1;
        v = nextInt();
        d.Dimension = inRange(v, 1, 7) ? static_cast<std::uint8_t>(v) : 1;
        v = nextInt();
        d.CenterImage = inRange(v, 1, 6) ? static_cast<std::uint8_t>(v) : 1;
    }

    void thx() {
        w_.GBTHXUltra.setVisible(true);
        ThxSettings& t = w_.Thx;
        if (beginsWith(next(), "Ultra2Sub")) {
            t.Ultra2Sub = 1;
            t.BoundaryGain = beginsWith(next(), "BGC On") ? 1 : 0;
        } else {
            t.Ultra2Sub = 0;
            t.BoundaryGain = 0;
            next();  // read and ignored
        }
        const std::string asa = next();
        t.AsaPosition = beginsWith(asa, "Apart") ? 2 : beginsWith(asa, "Close") ? 1 : 0;
        t.LimiterOn = beginsWith(next(), "Limiter On") ? 1 : 0;
        const std::int64_t v = nextInt();
        t.LimiterLevel = inRange(v, -50, 0) ? static_cast<std::int32_t>(-v) : 50;
    }

    void reverb() {
        w_.GBReverb.setVisible(true);
        const std::string line = next();
        RadioButton* rb = &w_.RBWet;
        if (beginsWith(line, "Dry")) rb = &w_.RBDry;
        else if (beginsWith(line, "1")) rb = &w_.RBDry1;
        else if (beginsWith(line, "2")) rb = &w_.RBWetDry2;
        else if (beginsWith(line, "3")) rb = &w_.RBWet3;
        rb->setChecked(true);
    }

    void phones() {
        w_.GBPhones.setVisible(true);
        const std::int64_t v = nextInt();
        w_.SBPhones.setPosition(inRange(v, -20, 10) ? static_cast<int>(v) : 0);
        w_.WriteValueLabels();
    }

    void modes() {
        ModeTable& m = w_.Modes;
        std::int64_t n = nextInt();
        n = n < 1 ? 1 : n > ModeCount ? ModeCount : n;
        m.ModeAvailable.fill(0);
        for (std::int64_t e = 0; e < n; ++e) {
            int code = keywordCode(next());
            if (code < 0) code = ModeStereo;
            m.ModeAvailable[static_cast<std::size_t>(code)] = 1;
            if (code >= ModeMusic1 && code < ModeMusic1 + MusicModeCount)
                m.MusicModeNames[static_cast<std::size_t>(code - ModeMusic1)] = next();
        }
    }

    void sources() {
        InputCounts& in = w_.Inputs;
        const std::int64_t d = nextInt();
        in.DigitalInputCount = inRange(d, 0, 8) ? static_cast<unsigned>(d) : 6;
        std::string line = next();
        if (beginsWith(line, "Component Video")) {
            in.ComponentVideoPresent = 1;
            const std::int64_t c = nextInt();
            in.ComponentVideoCount = inRange(c, 1, 19) ? static_cast<std::int32_t>(c) : 1;
            line = next();
        } else {
            in.ComponentVideoPresent = 0;  // the count is kept; this line is the source count
        }
        std::int64_t count = intValue(line);
        count = count < 0 ? 0 : count > MaxSources ? MaxSources : count;
        w_.SourceCount = static_cast<std::uint8_t>(count);

        w_.GBSource.setVisible(w_.SourceCount > 0);
        const auto buttons = w_.sourceButtons();
        for (int n = 2; n <= MaxSources; ++n) buttons[static_cast<std::size_t>(n - 1)]->setVisible(n <= w_.SourceCount);

        for (int n = 1; n <= w_.SourceCount; ++n) sourceBlock(n, *buttons[static_cast<std::size_t>(n - 1)]);

        w_.RebuildZoneAndBalancedLists();
    }

    void sourceBlock(int n, Button& button) {
        SourceRecord& s = w_.Sources[static_cast<std::size_t>(n - 1)];
        const InputCounts& in = w_.Inputs;
        s.Name = messageText(next(), 7);
        button.setCaption(s.Name);

        const int mode = keywordCode(next());
        s.Mode = static_cast<std::uint8_t>(mode >= 0 ? mode : ModeStereo);

        const std::int64_t sens = nextInt();
        s.Sensitivity = inRange(sens, -5, 10) ? static_cast<std::uint8_t>(sens + 5) : 5;

        if (in.DigitalInputCount > 0) {
            const std::string line = next();
            const std::int64_t v = intValue(line);
            const std::int64_t count = in.DigitalInputCount;
            if (count == 8 && w_.ModelVariant == tavro::ModelVariant::Tavro) {
                s.DigitalInput = inRange(v, 1, 8) ? static_cast<std::uint8_t>(v - 1) : 1;
            } else if (beginsWith(line, "Off")) {
                s.DigitalInput = 0;
            } else {
                s.DigitalInput = inRange(v, 1, count) ? static_cast<std::uint8_t>(v) : (count == 8 ? 1 : 0);
            }
        }

        const std::string preset = next();
        const std::int64_t p = intValue(preset);
        s.PresetAssoc = beginsWith(preset, "Flat") ? FlatTrimsAssoc : inRange(p, 1, 5) ? static_cast<std::uint8_t>(p) : 0;

        if (in.ComponentVideoPresent == 1) {
            const std::string line = next();
            const std::int64_t v = intValue(line);
            if (beginsWith(line, "Off")) s.ComponentVideo = 0;
            else if (inRange(v, 1, 3)) s.ComponentVideo = static_cast<std::uint8_t>(v);
            else if (inRange(v, 4, 13) && w_.ModelVariant != tavro::ModelVariant::Tavro)
                s.ComponentVideo = static_cast<std::uint8_t>(v);
            else s.ComponentVideo = 0;
        }
    }

    void zone() {
        w_.GBZone.setVisible(true);
        const std::int64_t v = nextInt();
        w_.CBZoneSource.setItemIndex(inRange(v, 1, w_.CBZoneSource.count()) ? static_cast<int>(v - 1) : 0);
        const std::int64_t volume = nextInt();
        w_.SBZoneVolume.setPosition(inRange(volume, -90, volumeTop()) ? static_cast<int>(volume + 20) : -30);
        w_.WriteValueLabels();
    }

    void balanced() {
        w_.GBBalanced.setVisible(true);
        const std::int64_t v = nextInt();
        w_.CBBalancedSource.setItemIndex(inRange(v, 1, w_.CBBalancedSource.count() - 1) ? static_cast<int>(v) : 0);
        if (beginsWith(next(), "Through DSP"))
            w_.RBThroughDSP.setChecked(true);
        else
            w_.RBBypassDSP.setChecked(true);
    }

    void speakers() {
        TTavroSetupMain& w = w_;
        w.GBSpeaker.setVisible(true);

        const int front = beginsWith(next(), "Small") ? 0 : 1;
        w.CBLeftS.setItemIndex(front);
        w.CBRightS.setItemIndex(front);
        level(w.CBLeftL);
        level(w.CBRightL);
        distance(w.CBLeftD);
        distance(w.CBRightD);

        const int center = sizeIndex(next());
        w.CBCenterS.setItemIndex(center);
        w.CBCenterL.setEnabled(center != 0);
        w.CBCenterD.setEnabled(center != 0);
        if (center != 0) {
            level(w.CBCenterL);
            distance(w.CBCenterD);
        } else {
            w.CBCenterL.setItemIndex(LevelZeroDb);
            w.CBCenterD.setItemIndex(0);
        }

        const int surround = sizeIndex(next());
        w.CBLeftSS.setItemIndex(surround);
        w.CBRightSS.setItemIndex(surround);
        for (ListBox* l : {&w.CBLeftSL, &w.CBRightSL, &w.CBLeftSD, &w.CBRightSD}) l->setEnabled(surround != 0);
        if (surround != 0) {
            level(w.CBLeftSL);
            level(w.CBRightSL);
            distance(w.CBLeftSD);
            distance(w.CBRightSD);
        } else {
            w.CBLeftSL.setItemIndex(LevelZeroDb);
            w.CBRightSL.setItemIndex(LevelZeroDb);
            w.CBLeftSD.setItemIndex(0);
            w.CBRightSD.setItemIndex(0);
        }

        const bool sub = !beginsWith(next(), "No");
        if (!sub) {
            w.CBSubS.setItemIndex(0);
            w.CBLeftS.setItemIndex(1);
            w.CBRightS.setItemIndex(1);
        } else {
            w.CBSubS.setItemIndex(1);
        }
        w.CBSubL.setEnabled(sub);
        w.CBSubD.setEnabled(sub);
        if (sub) {
            level(w.CBSubL);
            distance(w.CBSubD);
        } else {
            w.CBSubL.setItemIndex(LevelZeroDb);
            w.CBSubD.setItemIndex(0);
        }

        const bool filter = beginsWith(next(), "Filter On");
        w.CheckBoxSubFilter.setChecked(filter);
        w.CBSubFilter.setEnabled(filter);

        const std::int64_t hz = nextInt();
        w.CBSubFilter.setItemIndex(inRange(hz, 20, 200) && hz % 5 == 0 ? static_cast<int>(hz / 5 - 4) : 12);

        // The file's state counts, also with the subwoofer "No": the box
        // takes it live, and the step after the read puts it aside.
        w.CheckBoxEnhancedBass.setEnabled(true);
        w.CheckBoxEnhancedBass.setChecked(beginsWith(next(), "Enhanced On"));
    }

    void oneBackSpeakerCaptions() {
        w_.LabelLBack.setCaption("Back:");
        w_.CheckBoxRBack.setCaption("2 Back Spks:");
    }

    void backSpeakers() {
        TTavroSetupMain& w = w_;
        w.GBBackSpeaker.setVisible(true);

        if (nextInt() == 1) {
            w.CheckBoxRBack.setChecked(false);
            for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(false);
            oneBackSpeakerCaptions();
        } else {
            w.CheckBoxRBack.setChecked(true);
            for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD}) l->setEnabled(true);
            w.LabelLBack.setCaption("Left Back:");
            w.CheckBoxRBack.setCaption("Right Back:");
        }

        const int size = sizeIndex(next());
        w.CBLeftBS.setItemIndex(size);
        w.CBRightBS.setItemIndex(size);
        if (size == 0) {
            w.CheckBoxRBack.setChecked(false);
            w.CheckBoxRBack.setEnabled(false);
            for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD, &w.CBLeftBL, &w.CBLeftBD}) l->setEnabled(false);
            oneBackSpeakerCaptions();
            return;
        }
        const bool two = w.CheckBoxRBack.checked();
        level(w.CBLeftBL);
        if (two) level(w.CBRightBL);
        distance(w.CBLeftBD);
        if (two) distance(w.CBRightBD, 30);
    }

    void auxChannel(AuxMixFilter& rec, ListBox& levelList, ListBox& delayList) {
        level(levelList);
        const int delay = findItem(delayList.items(), next());
        delayList.setItemIndex(delay >= 0 ? delay : 0);
        rec.Filter1Freq = DefaultFilterCode;
        rec.Filter2Freq = DefaultFilterCode;
        rec.Filter1Type = filterType(next());
        rec.Filter1Freq = filterFrequency(next(), rec.Filter1Type);
        rec.Filter2Type = filterType(next());
        rec.Filter2Freq = filterFrequency(next(), rec.Filter2Type);
        for (std::int8_t& mix : rec.Mix) {
            const std::int64_t v = nextInt();
            mix = inRange(v, -100, 100) ? static_cast<std::int8_t>(v) : 0;
        }
    }

    void auxChannels() {
        TTavroSetupMain& w = w_;
        w.GBCh9_10.setVisible(true);
        const bool two = nextInt() == 2;
        for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
            c->setVisible(two);
        auxChannel(w.AuxChannels[0], w.CBCh9L, w.CBCh9D);
        if (two) auxChannel(w.AuxChannels[1], w.CBCh10L, w.CBCh10D);
    }

    void videoFormat() {
        w_.GBBluebackFormat.setVisible(true);
        (beginsWith(next(), "NTSC") ? w_.RBNTSC : w_.RBPAL).setChecked(true);
    }

    void setupMode() {
        w_.GBSetupMode.setVisible(true);
        (beginsWith(next(), "Blueback") ? w_.RBBlueback : w_.RBSuperimpose).setChecked(true);
    }

    void temporaryDisplay() {
        w_.GBTemporary.setVisible(true);
        const std::string line = next();
        (beginsWith(line, "Full") ? w_.RBTempFull : beginsWith(line, "Simple") ? w_.RBTempSimple : w_.RBNoTemp)
            .setChecked(true);
    }

    void osdInput() {
        w_.GBOSDInput.setVisible(true);
        const std::string line = next();
        RadioButton& rb = beginsWith(line, "Auto")              ? w_.RBOSDInputAuto
                          : beginsWith(line, "Composite Video") ? w_.RBOSDInputCs
                          : beginsWith(line, "S-Video")         ? w_.RBOSDInputSvideo
                                                                : w_.RBOSDInputOff;
        rb.setChecked(true);
    }

    void osdOutput() {
        w_.GBOSDOutput.setVisible(true);
        w_.ApplyOsdEnabling(true);
        const std::string line = next();
        if (beginsWith(line, "Both")) {
            w_.RBOSDOutputBoth.setChecked(true);
        } else if (beginsWith(line, "Composite Video")) {
            w_.RBOSDOutputCs.setChecked(true);
        } else if (beginsWith(line, "S-Video")) {
            w_.RBOSDOutputSvideo.setChecked(true);
        } else {
            w_.RBOSDOutputNo.setChecked(true);
            w_.ApplyOsdEnabling(false);
        }
    }

    void factoryColors() {
        w_.GBFactory.setVisible(true);
        struct Color {
            ListBox& list;
            void (TTavroSetupMain::*rule)();
        };
        const Color colors[] = {{w_.CBBackgroundColor, &TTavroSetupMain::CBBackgroundColorChange},
                                {w_.CBCharacterColor, &TTavroSetupMain::CBCharacterColorChange},
                                {w_.CBErrorColor, &TTavroSetupMain::CBErrorColorChange}};
        for (const Color& c : colors) {
            const int i = findItem(c.list.items(), next());
            if (i >= 0) c.list.setItemIndex(i);
            (w_.*c.rule)();
        }
    }

    void osdStyle() {
        w_.GBOSDStyle.setVisible(true);
        const int i = findItem(w_.CBOSDStyle.items(), next());
        w_.CBOSDStyle.setItemIndex(i >= 0 ? i : 0);
        w_.CBOSDStyleChange();
    }

    void trigger(int n) {
        TTavroSetupMain& w = w_;
        const bool one = n == 1;
        (one ? w.GBTrigger1 : w.GBTrigger2).setVisible(true);
        ListBox& source = one ? w.CBTrigger1Source : w.CBTrigger2Source;
        ListBox& delay = one ? w.CBTrigger1Delay : w.CBTrigger2Delay;
        ListBox& duration = one ? w.CB1Duration : w.CB2Duration;

        // The number is kept as it is until RefreshAfterLoad judges it
        // against the rebuilt list; placeholders make room for it meanwhile.
        const std::int64_t v = nextInt();
        const int index = inRange(v, 1, 28) ? static_cast<int>(v - 1) : 0;
        while (source.count() <= index) source.addItem(" ");
        source.setItemIndex(index);

        int i = findItem(delay.items(), next());
        delay.setItemIndex(i >= 0 ? i : 0);
        i = findItem(duration.items(), next());
        duration.setItemIndex(i >= 0 ? i : 16);
        if (beginsWith(next(), "Positive"))
            (one ? w.RB1Positive : w.RB2Positive).setChecked(true);
        else
            (one ? w.RB1Negative : w.RB2Negative).setChecked(true);
        w.TriggerEventMask = static_cast<std::uint16_t>(parseInteger(next()).low32 & 2047u);
    }

    void preset(int n) {
        TTavroSetupMain::PresetPanel panel = w_.presetPanel(n);
        panel.group->setVisible(true);
        PresetSettings& p = w_.Presets[static_cast<std::size_t>(n - 1)];
        for (int f = 0; f < 5; ++f) {
            const std::int64_t v = nextInt();
            if (!inRange(v, -12, 12)) continue;
            p.field(f) = static_cast<std::uint8_t>(v + 12);
            panel.values[static_cast<std::size_t>(f)]->setCaption(presetLevelLabel(static_cast<int>(v)));
        }
        const std::int64_t ms = nextInt();
        if (inRange(ms, 0, 150)) {
            p.Lipsync = static_cast<std::uint8_t>(ms);
            panel.values[5]->setCaption(std::to_string(ms) + " ms");
        }
    }

    void options() {
        tavro::Options& o = w_.Opts;
        const std::string port = next();
        o.ComPort = beginsWith(port, "COM4") ? 4 : beginsWith(port, "COM3") ? 3 : beginsWith(port, "COM2") ? 2 : 1;
        o.AutoVerify = beginsWith(next(), "Verify On") ? 1 : 0;
        o.ConfirmDiscard = beginsWith(next(), "Confirm") ? 1 : 0;
    }

    TTavroSetupMain& w_;
    LineReader& in_;
};

// Steps 2 to 6 of reading, on an opened content.
int readContent(TTavroSetupMain& w, ByteSource& source) {
    LineReader in(source);
    if (in.next() != "//Setup") return ReadNotASetup;
    Reader(w, in).run();
    w.RefreshAfterLoad();
    return ReadOk;
}

}  // namespace

std::string inStartDirectory(const TTavroSetupMain& w, const std::string& name) {
    return files::inFolder(w.StartDirectory, name);
}

int ReadSetupText(TTavroSetupMain& w, std::string_view content) {
    w.DefaultFileUnreadable = false;
    MemorySource source(content);
    return readContent(w, source);
}

int ReadSetupFile(TTavroSetupMain& w, const std::string& path) {
    // The whole file first: a file that cannot be read to its end (a read
    // error, a folder, a pipe or a device that might never end) cannot be
    // opened, and the setup stays exactly as it was.
    std::string content;
    if (!readRegularFile(path, content)) {
        w.DefaultFileUnreadable = true;
        return ReadCannotOpen;
    }
    return ReadSetupText(w, content);
}

}  // namespace tavro
