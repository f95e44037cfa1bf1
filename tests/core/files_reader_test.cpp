// The reader section by section: every accepted range and every
// fallback as a table of line -> resulting setting, the group boxes that
// reading shows, and the dependencies between sections.
#include <functional>

#include "MainFixture.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::test;

namespace {

class FilesReader : public MainFixture {
protected:
    void SetUp() override {
        host.readablePictures = {"logo.bmp"};
        startAndShow();
    }

    // Reads one section with the given lines and returns the window.
    TTavroSetupMain& read(const std::vector<std::string>& lines) {
        EXPECT_EQ(readLines(m(), lines), ReadResult::Ok);
        return m();
    }

    // A table of value line -> expected setting for a section with one
    // varying line: before and after are the fixed lines around it.
    template <class T>
    void table(const std::string& header, const std::vector<std::string>& before, const std::vector<std::string>& after,
               const std::vector<std::pair<std::string, T>>& cases, const std::function<T(TTavroSetupMain&)>& get) {
        for (const auto& [line, expected] : cases) {
            std::vector<std::string> lines{header};
            lines.insert(lines.end(), before.begin(), before.end());
            lines.push_back(line);
            lines.insert(lines.end(), after.begin(), after.end());
            ASSERT_EQ(readLines(m(), lines), ReadResult::Ok);
            EXPECT_EQ(get(m()), expected) << header << " line \"" << line << '"';
        }
    }
};

using IntCases = std::vector<std::pair<std::string, int>>;

}  // namespace

TEST_F(FilesReader, GeneralSetsCaptionAboutLinesAndModelByPrefixIgnoringCase) {
    read({"[General]", "My Setup", "About one", "About two", "r7 extended"});
    EXPECT_EQ(m().caption(), "My Setup");
    EXPECT_EQ(m().AboutLine1, "About one");
    EXPECT_EQ(m().AboutLine2, "About two");
    EXPECT_EQ(m().ModelVariant, tavro::ModelVariant::R7);
    table<int>("[General]", {"c", "a", "b"}, {},
               {{"Tavro", 0}, {"R7", 1}, {"48200", 2}, {"4820", 2}, {" 4820", 0}, {"", 0}, {"X R7", 0}, {"r7", 1}},
               [](TTavroSetupMain& w) { return static_cast<int>(w.ModelVariant); });
    // No group box belongs to it.
    for (Control* c : m().controls()) {
        if (c->kind() == ControlKind::GroupBox) {
            EXPECT_FALSE(c->visible()) << c->name();
        }
    }
}

TEST_F(FilesReader, MessagesSkipAndTextsCutTo20DisplayCharacters) {
    read({"[Messages]", "Skip", "Hello #1 {World}    extra", "", "Bye", "\xE9t\xE9"});
    EXPECT_TRUE(m().GBMessages.visible());
    EXPECT_TRUE(m().CheckBoxSkipWelcome.checked());
    EXPECT_FALSE(m().EditWelcome1.enabled());
    EXPECT_FALSE(m().EditWelcome2.enabled());
    EXPECT_FALSE(m().LabelWelcome.enabled());
    EXPECT_EQ(m().EditWelcome1.text(), "Hello  1  World     ");
    EXPECT_EQ(m().EditWelcome1.text().size(), 20u);
    EXPECT_EQ(m().EditWelcome2.text(), "");
    EXPECT_EQ(m().EditShutdown1.text(), "Bye");
    EXPECT_EQ(m().EditShutdown2.text(), " t ");
    read({"[Messages]", "skip", "a", "b", "c", "d"});
    EXPECT_FALSE(m().CheckBoxSkipWelcome.checked());
    EXPECT_TRUE(m().EditWelcome1.enabled());
    EXPECT_TRUE(m().LabelWelcome.enabled());
}

TEST_F(FilesReader, DistanceUnitsSwitchTheDistanceLists) {
    m().CBLeftD.setItemIndex(12);
    read({"[Distance Units]", "Meters"});
    EXPECT_TRUE(m().GBDistanceUnits.visible());
    EXPECT_TRUE(m().RBMeters.checked());
    EXPECT_FALSE(m().RBFeet.checked());
    EXPECT_EQ(m().CBLeftD.text(), "4.0 m");
    read({"[Distance Units]", "Feet"});
    EXPECT_TRUE(m().RBFeet.checked());
    EXPECT_EQ(m().CBLeftD.text(), "12 ft.");
    read({"[Distance Units]", "feet"});
    EXPECT_TRUE(m().RBMeters.checked());
    EXPECT_EQ(m().CBRightBD.text(), "0.0 m");
}

TEST_F(FilesReader, GeneralAudioVolumeBassTrebleWithLabels) {
    auto volume = [](TTavroSetupMain& w) { return w.SBVolume.position(); };
    table<int>("[General Audio Settings]", {}, {"0", "0"},
               {{"-90", -70}, {"-20", 0}, {"-50", -30}, {"-19", -30}, {"-91", -30}, {"x", -30}, {"8", -30}}, volume);
    auto bass = [](TTavroSetupMain& w) { return w.SBBass.position(); };
    table<int>("[General Audio Settings]", {"-50"}, {"0"}, {{"-12", -12}, {"12", 12}, {"13", 0}, {"-13", 0}}, bass);
    auto treble = [](TTavroSetupMain& w) { return w.SBTreble.position(); };
    table<int>("[General Audio Settings]", {"-50", "0"}, {}, {{"7", 7}, {"-12", -12}, {"99", 0}}, treble);
    read({"[General Audio Settings]", "-40", "3", "-4"});
    EXPECT_TRUE(m().GBGeneralAudio.visible());
    EXPECT_EQ(m().LabelVolume.caption(), "Volume: -40 dB");
    EXPECT_EQ(m().LabelBass.caption(), "Bass: +3 dB");
    EXPECT_EQ(m().LabelTreble.caption(), "Treble: -4 dB");
}

TEST_F(FilesReader, The4820AcceptsItsVolumesUpTo8) {
    m().SBVolume.setMax(28);  // as the start-up with a 4820 default does
    m().SBZoneVolume.setMax(28);
    read({"[General]", "c", "a", "b", "4820"});
    auto volume = [](TTavroSetupMain& w) { return w.SBVolume.position(); };
    table<int>("[General Audio Settings]", {}, {"0", "0"}, {{"8", 28}, {"7", 27}, {"9", -30}, {"-90", -70}}, volume);
    auto zone = [](TTavroSetupMain& w) { return w.SBZoneVolume.position(); };
    table<int>("[Zone Settings]", {"1"}, {}, {{"8", 28}, {"0", 20}, {"9", -30}}, zone);
    EXPECT_EQ(m().LabelZoneVolume.caption(), "Zone Volume: 40");
}

TEST_F(FilesReader, ToneFiltersLfeAnalogBassAndPhones) {
    auto bassFreq = [](TTavroSetupMain& w) { return w.CBToneBFreq.itemIndex(); };
    table<int>("[Tone Filters]", {}, {"2"}, {{"0", 0}, {"2", 2}, {"3", 0}, {"-1", 0}}, bassFreq);
    auto trebleFreq = [](TTavroSetupMain& w) { return w.CBToneTFreq.itemIndex(); };
    table<int>("[Tone Filters]", {"0"}, {}, {{"0", 0}, {"1", 1}, {"3", 2}, {"-1", 2}, {"x", 0}}, trebleFreq);
    EXPECT_TRUE(m().GBToneFilters.visible());

    auto lfe = [](TTavroSetupMain& w) { return w.SBLFELevel.position(); };
    table<int>("[LFE Level]", {}, {}, {{"-10", -10}, {"0", 0}, {"-11", 0}, {"1", 0}, {"-5", -5}}, lfe);
    EXPECT_EQ(m().LabelLFELevel.caption(), "Level: -5 dB");
    EXPECT_TRUE(m().GBLFElevel.visible());

    auto analog = [](TTavroSetupMain& w) { return w.CBAnalogBassMg.itemIndex(); };
    table<int>("[Analog Bass Management]", {}, {}, {{"2", 2}, {"1", 1}, {"3", 0}, {"-1", 0}}, analog);
    EXPECT_TRUE(m().GBAnalogBassMg.visible());

    auto phones = [](TTavroSetupMain& w) { return w.SBPhones.position(); };
    table<int>("[Phones Volume Offset]", {}, {}, {{"-20", -20}, {"10", 10}, {"11", 0}, {"-21", 0}, {"-6", -6}}, phones);
    EXPECT_EQ(m().LabelPhones.caption(), "Offset: -6 dB");
    EXPECT_TRUE(m().GBPhones.visible());
}

TEST_F(FilesReader, DplSettings) {
    // Listening mode 4 keeps the group box shown after RefreshAfterLoad.
    m().Modes.ModeAvailable[ModeDplIIMusic] = 1;
    auto panorama = [](TTavroSetupMain& w) { return static_cast<int>(w.Dpl.Panorama); };
    table<int>("[DPL II/DTS Settings]", {}, {"1", "1", "1"},
               {{"Panorama On", 1}, {"Panorama Off", 0}, {"panorama on", 0}, {"Panorama On!", 1}}, panorama);
    auto width = [](TTavroSetupMain& w) { return static_cast<int>(w.Dpl.CenterWidth); };
    table<int>("[DPL II/DTS Settings]", {"Panorama Off"}, {"1", "1"}, {{"8", 8}, {"1", 1}, {"9", 1}, {"0", 1}}, width);
    auto dimension = [](TTavroSetupMain& w) { return static_cast<int>(w.Dpl.Dimension); };
    table<int>("[DPL II/DTS Settings]", {"Panorama Off", "1"}, {"1"}, {{"7", 7}, {"8", 1}, {"0", 1}}, dimension);
    auto image = [](TTavroSetupMain& w) { return static_cast<int>(w.Dpl.CenterImage); };
    table<int>("[DPL II/DTS Settings]", {"Panorama Off", "1", "1"}, {}, {{"6", 6}, {"7", 1}, {"0", 1}}, image);
    EXPECT_TRUE(m().GBDPLII.visible());
    // Without the DPL II Music mode RefreshAfterLoad hides it again.
    m().Modes.ModeAvailable[ModeDplIIMusic] = 0;
    read({"[DPL II/DTS Settings]", "Panorama On", "2", "2", "2"});
    EXPECT_FALSE(m().GBDPLII.visible());
    EXPECT_EQ(m().Dpl.CenterWidth, 2);
}

TEST_F(FilesReader, ThxSettings) {
    read({"[THX Ultra2 Settings]", "Ultra2Sub", "BGC On", "Apart", "Limiter On", "-20"});
    EXPECT_TRUE(m().GBTHXUltra.visible());
    EXPECT_EQ(m().Thx.Ultra2Sub, 1);
    EXPECT_EQ(m().Thx.BoundaryGain, 1);
    EXPECT_EQ(m().Thx.AsaPosition, 2);
    EXPECT_EQ(m().Thx.LimiterOn, 1);
    EXPECT_EQ(m().Thx.LimiterLevel, 20);
    // "No Ultra2Sub" followed by "BGC On" gives BoundaryGain 0.
    read({"[THX Ultra2 Settings]", "No Ultra2Sub", "BGC On", "Close", "Limiter Off", "-51"});
    EXPECT_EQ(m().Thx.Ultra2Sub, 0);
    EXPECT_EQ(m().Thx.BoundaryGain, 0);
    EXPECT_EQ(m().Thx.AsaPosition, 1);
    EXPECT_EQ(m().Thx.LimiterOn, 0);
    EXPECT_EQ(m().Thx.LimiterLevel, 50);
    auto asa = [](TTavroSetupMain& w) { return static_cast<int>(w.Thx.AsaPosition); };
    table<int>("[THX Ultra2 Settings]", {"Ultra2Sub", "BGC Off"}, {"Limiter Off", "0"},
               {{"Apart", 2}, {"Close", 1}, {"Together", 0}, {"apart", 0}, {"", 0}}, asa);
    auto level = [](TTavroSetupMain& w) { return static_cast<int>(w.Thx.LimiterLevel); };
    table<int>("[THX Ultra2 Settings]", {"Ultra2Sub", "BGC Off", "Close", "Limiter Off"}, {},
               {{"0", 0}, {"-50", 50}, {"1", 50}, {"-51", 50}, {"-7", 7}}, level);
}

TEST_F(FilesReader, ReverbTestsItsKeywordsInOrder) {
    using Case = std::pair<std::string, RadioButton*>;
    const Case cases[] = {{"Dry", &m().RBDry},     {"1", &m().RBDry1},  {"2", &m().RBWetDry2}, {"3", &m().RBWet3},
                          {"Wet", &m().RBWet},     {"4", &m().RBWet},   {"dry", &m().RBWet},   {"12", &m().RBDry1},
                          {"Dryer", &m().RBDry},   {"", &m().RBWet}};
    for (const auto& [line, rb] : cases) {
        read({"[Reverb Wetness]", line});
        EXPECT_TRUE(rb->checked()) << line;
    }
    EXPECT_TRUE(m().GBReverb.visible());
}

TEST_F(FilesReader, ModesClearTheTableCountAndReadMusicNames) {
    read({"[Modes]", "4", "Mono", "Music 3", "Stereo", "Unknown", "Music 5", "Party Time"});
    const auto& m2 = m().Modes;
    EXPECT_EQ(m2.ModeAvailable[ModeMono], 1);
    EXPECT_EQ(m2.ModeAvailable[ModeMusic1 + 2], 1);
    EXPECT_EQ(m2.MusicModeNames[2], "Stereo");  // the line after "Music 3" is its name, whatever it says
    EXPECT_EQ(m2.ModeAvailable[ModeStereo], 1);  // "Unknown" sets Stereo
    EXPECT_EQ(m2.ModeAvailable[ModeMusic1 + 4], 1);
    EXPECT_EQ(m2.MusicModeNames[4], "Party Time");
    int offered = 0;
    for (auto f : m2.ModeAvailable) offered += f;
    EXPECT_EQ(offered, 4);
    EXPECT_FALSE(m().GBSource.visible());  // no group box of its own

    // A count of 0 is taken as 1: the empty line that ends the section is
    // read as an entry and sets Stereo.
    read({"[Modes]", "0", "", "[Messages]", "Skip", "a", "b", "c", "d"});
    offered = 0;
    for (auto f : m().Modes.ModeAvailable) offered += f;
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(m().Modes.ModeAvailable[ModeStereo], 1);
    EXPECT_TRUE(m().CheckBoxSkipWelcome.checked());

    // More than 16 is taken as 16; keywords are prefixes tested in code order.
    read({"[Modes]", "99", "DTS Neo:6 Music", "Dolby Pro Logic II", "Music 1", std::string(200, 'n')});
    EXPECT_EQ(m().Modes.ModeAvailable[ModeDtsNeo6Music], 1);
    EXPECT_EQ(m().Modes.ModeAvailable[ModeDolbyProLogic], 1);
    EXPECT_EQ(m().Modes.MusicModeNames[0], std::string(160, 'n'));
}

TEST_F(FilesReader, SourcesCountsBlocksButtonsAndLists) {
    read({"[Sources]", "6", "Component Video", "3", "3",
          "DVD", "DPL II Movie", "2", "4", "1", "2",
          "Sat#Box!X", "nonsense", "11", "7", "Flat", "Off",
          "CD", "Stereo", "-5", "Off", "Off", "9"});
    TTavroSetupMain& w = m();
    EXPECT_TRUE(w.GBSource.visible());
    EXPECT_EQ(w.Inputs.DigitalInputCount, 6u);
    EXPECT_EQ(w.Inputs.ComponentVideoPresent, 1);
    EXPECT_EQ(w.Inputs.ComponentVideoCount, 3);
    EXPECT_EQ(w.SourceCount, 3);
    EXPECT_EQ(w.Sources[0].Name, "DVD");
    EXPECT_EQ(w.Sources[0].Mode, ModeDplIIMovie);
    EXPECT_EQ(w.Sources[0].Sensitivity, 7);
    EXPECT_EQ(w.Sources[0].DigitalInput, 4);
    EXPECT_EQ(w.Sources[0].PresetAssoc, 0);  // preset 1 is not shown: RefreshAfterLoad resets it
    EXPECT_EQ(w.Sources[0].ComponentVideo, 2);
    EXPECT_EQ(w.Sources[1].Name, "Sat Box");
    EXPECT_EQ(w.Sources[1].Mode, ModeStereo);
    EXPECT_EQ(w.Sources[1].Sensitivity, 5);
    EXPECT_EQ(w.Sources[1].DigitalInput, 0);  // 7 > 6 inputs
    EXPECT_EQ(w.Sources[1].PresetAssoc, 6);
    EXPECT_EQ(w.Sources[1].ComponentVideo, 0);
    EXPECT_EQ(w.Sources[2].Sensitivity, 0);
    EXPECT_EQ(w.Sources[2].ComponentVideo, 0);  // 9 is above 3 on the Tavro
    EXPECT_EQ(w.BSource1.caption(), "DVD");
    EXPECT_EQ(w.BSource2.caption(), "Sat Box");
    EXPECT_TRUE(w.BSource3.visible());
    EXPECT_FALSE(w.BSource4.visible());
    EXPECT_EQ(w.CBZoneSource.items(), (std::vector<std::string>{"DVD", "Sat Box", "CD"}));
    EXPECT_EQ(w.CBBalancedSource.items(), (std::vector<std::string>{"Off", "DVD", "Sat Box", "CD"}));
    EXPECT_EQ(w.CBTrigger1Source.items()[1], "DVD");

    // A second line other than "Component Video" is the source count.
    read({"[Sources]", "9", "1", "Tuner", "Stereo", "0", "2", "3"});
    EXPECT_EQ(w.Inputs.DigitalInputCount, 6u);  // 9 is out of range
    EXPECT_EQ(w.Inputs.ComponentVideoPresent, 0);
    EXPECT_EQ(w.Inputs.ComponentVideoCount, 3);  // kept
    EXPECT_EQ(w.SourceCount, 1);
    EXPECT_EQ(w.Sources[0].Name, "Tuner");
    EXPECT_EQ(w.Sources[0].DigitalInput, 2);
    EXPECT_EQ(w.Sources[0].ComponentVideo, 2);  // not read: kept
    EXPECT_EQ(w.Sources[1].Name, "Sat Box");     // not in use: kept
    EXPECT_FALSE(w.BSource2.visible());
    EXPECT_TRUE(w.BSource1.visible());

    // Zero sources hide the group box.
    read({"[Sources]", "0", "0"});
    EXPECT_FALSE(w.GBSource.visible());
    EXPECT_FALSE(w.TabSheetSource.visible());
    EXPECT_EQ(w.Inputs.DigitalInputCount, 0u);

    // Counts are clamped to 0..16, component counts 1..19.
    read({"[Sources]", "0", "Component Video", "20", "-3"});
    EXPECT_EQ(w.Inputs.ComponentVideoCount, 1);
    EXPECT_EQ(w.SourceCount, 0);
    std::vector<std::string> many{"[Sources]", "0", "99"};
    for (int i = 0; i < 16; ++i) many.insert(many.end(), {"S" + std::to_string(i + 1), "Mono", "0", "Off"});
    read(many);
    EXPECT_EQ(w.SourceCount, 16);
    EXPECT_EQ(w.Sources[15].Name, "S16");
    EXPECT_EQ(w.Sources[15].Mode, ModeMono);
    EXPECT_TRUE(w.BSource16.visible());
}

TEST_F(FilesReader, DigitalInputLines) {
    struct Case {
        const char* model;
        int count;
        const char* line;
        int input;
    };
    const Case cases[] = {
        // Eight inputs on the Tavro: zero-based, no "Off".
        {"Tavro", 8, "1", 0}, {"Tavro", 8, "8", 7}, {"Tavro", 8, "Off", 1}, {"Tavro", 8, "9", 1}, {"Tavro", 8, "0", 1},
        // Eight inputs elsewhere: "Off" is 0, anything else out of range 1.
        {"R7", 8, "Off", 0}, {"R7", 8, "8", 8}, {"R7", 8, "9", 1}, {"R7", 8, "0", 1},
        // Fewer inputs: anything else is 0.
        {"Tavro", 6, "7", 0}, {"Tavro", 6, "6", 6}, {"Tavro", 6, "Off", 0}, {"4820", 1, "1", 1}, {"4820", 1, "2", 0},
    };
    for (const Case& c : cases) {
        read({"[General]", "c", "a", "b", c.model, "[Sources]", std::to_string(c.count), "1", "S", "Stereo", "0",
              c.line, "Off"});
        EXPECT_EQ(m().Sources[0].DigitalInput, c.input) << c.model << ' ' << c.count << " \"" << c.line << '"';
    }
    // Without digital inputs the line is not there.
    read({"[Sources]", "0", "1", "S", "Stereo", "0", "Flat"});
    EXPECT_EQ(m().Sources[0].PresetAssoc, 6);
}

TEST_F(FilesReader, VideoInputLinesDependOnTheModel) {
    struct Case {
        const char* model;
        const char* line;
        int video;
    };
    const Case cases[] = {{"Tavro", "3", 3}, {"Tavro", "4", 0},  {"Tavro", "Off", 0}, {"R7", "4", 4},
                          {"R7", "13", 13},  {"R7", "14", 0},    {"4820", "10", 10},  {"4820", "0", 0}};
    for (const Case& c : cases) {
        read({"[General]", "c", "a", "b", c.model, "[Sources]", "0", "Component Video", "3", "1", "S", "Stereo", "0",
              "Off", c.line});
        EXPECT_EQ(m().Sources[0].ComponentVideo, c.video) << c.model << " \"" << c.line << '"';
    }
}

TEST_F(FilesReader, PresetAssociationsAndTheirPanels) {
    read({"[Preset 3]", "0", "0", "0", "0", "0", "0"});
    auto assoc = [](TTavroSetupMain& w) { return static_cast<int>(w.Sources[0].PresetAssoc); };
    table<int>("[Sources]", {"0", "1", "S", "Stereo", "0"}, {},
               {{"3", 3}, {"1", 0}, {"Flat", 6}, {"Off", 0}, {"6", 0}, {"0", 0}, {"flat", 0}}, assoc);
    read({"[Sources]", "0", "1", "S", "Stereo", "0", "3"});
    EXPECT_TRUE(m().ButtonPanel3.enabled());
    EXPECT_FALSE(m().ButtonPanel1.enabled());
}

TEST_F(FilesReader, ZoneAndBalancedSourcesSelectInTheRebuiltLists) {
    read({"[Sources]", "0", "3", "A", "Stereo", "0", "Off", "B", "Stereo", "0", "Off", "C", "Stereo", "0", "Off"});
    auto zone = [](TTavroSetupMain& w) { return w.CBZoneSource.itemIndex(); };
    // A source number above the number of zone items selects item 0.
    table<int>("[Zone Settings]", {}, {"-50"}, {{"1", 0}, {"3", 2}, {"4", 0}, {"0", 0}}, zone);
    EXPECT_TRUE(m().GBZone.visible());
    auto zoneVolume = [](TTavroSetupMain& w) { return w.SBZoneVolume.position(); };
    table<int>("[Zone Settings]", {"1"}, {}, {{"-90", -70}, {"-20", 0}, {"-19", -30}, {"8", -30}}, zoneVolume);
    EXPECT_EQ(m().LabelZoneVolume.caption(), "Zone Volume: -50 dB");

    auto balanced = [](TTavroSetupMain& w) { return w.CBBalancedSource.itemIndex(); };
    // A number equal to the number of items selects item 0 ("Off").
    table<int>("[Balanced Source Settings]", {}, {"Through DSP"}, {{"3", 3}, {"1", 1}, {"4", 0}, {"-1", 0}}, balanced);
    EXPECT_TRUE(m().GBBalanced.visible());
    read({"[Balanced Source Settings]", "2", "Bypass DSP"});
    EXPECT_TRUE(m().RBBypassDSP.checked());
    EXPECT_TRUE(m().RBBypassDSP.enabled());
    read({"[Balanced Source Settings]", "0", "Through DSP"});
    EXPECT_TRUE(m().RBThroughDSP.checked());
    EXPECT_FALSE(m().RBThroughDSP.enabled());  // the balanced routing rule of RefreshAfterLoad
}

TEST_F(FilesReader, SourcesBeforeZoneAndBalancedDecideTheirItems) {
    // Zone first: the list still holds the form's sixteen placeholders.
    read({"[Zone Settings]", "5", "-50", "[Balanced Source Settings]", "5", "Through DSP",
          "[Sources]", "0", "2", "A", "Stereo", "0", "Off", "B", "Stereo", "0", "Off"});
    EXPECT_EQ(m().CBZoneSource.itemIndex(), 0);  // 4 >= 2 sources: back to the first item
    EXPECT_EQ(m().CBBalancedSource.itemIndex(), 0);
    // Sources first: the numbers select among the rebuilt lists.
    read({"[Sources]", "0", "2", "A", "Stereo", "0", "Off", "B", "Stereo", "0", "Off",
          "[Zone Settings]", "2", "-50", "[Balanced Source Settings]", "2", "Through DSP"});
    EXPECT_EQ(m().CBZoneSource.text(), "B");
    EXPECT_EQ(m().CBBalancedSource.text(), "B");
    // On the R7 the zone list holds the first six sources whatever the count.
    read({"[General]", "c", "a", "b", "R7", "[Sources]", "0", "2", "A", "Stereo", "0", "Off", "B", "Stereo", "0", "Off",
          "[Zone Settings]", "6", "-50"});
    EXPECT_EQ(m().CBZoneSource.count(), 6);
    EXPECT_EQ(m().CBZoneSource.itemIndex(), 5);
}

TEST_F(FilesReader, SpeakerSettingsWithTheirConditionalLines) {
    read({"[Speaker Settings]", "Small", "-0.5", "15.0", "12 ft.", "4.0 M", "Large", "-15.3", "99 ft.", "Small", "20",
          "-16", "3 ft.", "63 FT.", "Yes", "1.5", "0.3 m", "Filter On", "95", "Enhanced On"});
    TTavroSetupMain& w = m();
    EXPECT_TRUE(w.GBSpeaker.visible());
    EXPECT_EQ(w.CBLeftS.itemIndex(), 0);
    EXPECT_EQ(w.CBRightS.itemIndex(), 0);
    EXPECT_EQ(w.CBLeftL.itemIndex(), 31);
    EXPECT_EQ(w.CBRightL.itemIndex(), 0);
    EXPECT_EQ(w.CBLeftD.itemIndex(), 12);
    EXPECT_EQ(w.CBRightD.itemIndex(), 12);  // "4.0 m" is the same step as "12 ft."
    EXPECT_EQ(w.CBCenterS.itemIndex(), 2);
    EXPECT_EQ(w.CBCenterL.itemIndex(), 60);
    EXPECT_EQ(w.CBCenterD.itemIndex(), 0);  // 99 ft. is in neither list
    EXPECT_EQ(w.CBLeftSS.itemIndex(), 1);
    EXPECT_EQ(w.CBRightSS.itemIndex(), 1);
    EXPECT_EQ(w.CBLeftSL.itemIndex(), 30);
    EXPECT_EQ(w.CBRightSL.itemIndex(), 30);
    EXPECT_EQ(w.CBLeftSD.itemIndex(), 3);
    EXPECT_EQ(w.CBRightSD.itemIndex(), 63);
    EXPECT_EQ(w.CBSubS.itemIndex(), 1);
    EXPECT_EQ(w.CBSubL.itemIndex(), 27);
    EXPECT_EQ(w.CBSubD.itemIndex(), 1);
    EXPECT_TRUE(w.CheckBoxSubFilter.checked());
    EXPECT_TRUE(w.CBSubFilter.enabled());
    EXPECT_EQ(w.CBSubFilter.itemIndex(), 15);
    EXPECT_TRUE(w.CheckBoxEnhancedBass.checked());
    EXPECT_TRUE(w.CBCenterL.enabled());
    EXPECT_TRUE(w.CBLeftSL.enabled());

    // "No" centre and surrounds read none of their lines.
    read({"[Speaker Settings]", "Large", "0.0", "0.0", "1 ft.", "1 ft.", "No", "No", "No", "Filter Off", "83",
          "Enhanced Off", "[Messages]", "Skip", "a", "b", "c", "d"});
    EXPECT_EQ(w.CBCenterS.itemIndex(), 0);
    EXPECT_EQ(w.CBCenterL.itemIndex(), 30);
    EXPECT_EQ(w.CBCenterD.itemIndex(), 0);
    EXPECT_FALSE(w.CBCenterL.enabled());
    EXPECT_FALSE(w.CBCenterD.enabled());
    EXPECT_EQ(w.CBLeftSS.itemIndex(), 0);
    EXPECT_EQ(w.CBLeftSL.itemIndex(), 30);
    EXPECT_EQ(w.CBRightSD.itemIndex(), 0);
    EXPECT_FALSE(w.CBRightSD.enabled());
    // A subwoofer "No" makes the fronts large and reads no level or distance.
    EXPECT_EQ(w.CBSubS.itemIndex(), 0);
    EXPECT_EQ(w.CBLeftS.itemIndex(), 1);
    EXPECT_EQ(w.CBSubL.itemIndex(), 30);
    EXPECT_FALSE(w.CBSubL.enabled());
    EXPECT_FALSE(w.CBSubD.enabled());
    EXPECT_FALSE(w.CheckBoxSubFilter.checked());
    EXPECT_FALSE(w.CBSubFilter.enabled());
    EXPECT_EQ(w.CBSubFilter.itemIndex(), 12);  // 83 is no multiple of 5
    EXPECT_FALSE(w.CheckBoxEnhancedBass.enabled());  // RefreshAfterLoad: no subwoofer
    EXPECT_FALSE(w.ButtonDPLII.enabled());           // neither centre nor surrounds
    EXPECT_TRUE(w.CheckBoxSkipWelcome.checked());    // the next section was read in its place

    auto crossover = [](TTavroSetupMain& w2) { return w2.CBSubFilter.itemIndex(); };
    table<int>("[Speaker Settings]", {"Large", "0.0", "0.0", "1 ft.", "1 ft.", "No", "No", "No", "Filter On"},
               {"Enhanced Off"}, {{"20", 0}, {"200", 36}, {"205", 12}, {"15", 12}, {"83", 12}, {"100", 16}}, crossover);
}

TEST_F(FilesReader, RightBackDistanceFallsBackToItem30) {
    read({"[Back Speaker Settings]", "2", "Large", "-1.0", "-2.0", "5 ft.", "99 ft."});
    TTavroSetupMain& w = m();
    EXPECT_TRUE(w.GBBackSpeaker.visible());
    EXPECT_TRUE(w.CheckBoxRBack.checked());
    EXPECT_EQ(w.CBLeftBS.itemIndex(), 2);
    EXPECT_EQ(w.CBRightBS.itemIndex(), 2);
    EXPECT_EQ(w.CBLeftBL.itemIndex(), 32);
    EXPECT_EQ(w.CBRightBL.itemIndex(), 34);
    EXPECT_EQ(w.CBLeftBD.itemIndex(), 5);
    EXPECT_EQ(w.CBRightBD.itemIndex(), 30);
    EXPECT_TRUE(w.CBRightBS.enabled());
    EXPECT_TRUE(w.CBRightBL.enabled());
    EXPECT_EQ(w.LabelLBack.caption(), "Left Back:");
    EXPECT_EQ(w.CheckBoxRBack.caption(), "Right Back:");
}

TEST_F(FilesReader, BackSpeakerLinesFollowTheStateAfterLinesOneAndTwo) {
    TTavroSetupMain& w = m();
    // One back speaker: lines 4 and 6 are not there.
    read({"[Back Speaker Settings]", "1", "Small", "-3.0", "7 ft.", "[Messages]", "Skip", "a", "b", "c", "d"});
    EXPECT_FALSE(w.CheckBoxRBack.checked());
    EXPECT_EQ(w.CBLeftBL.itemIndex(), 36);
    EXPECT_EQ(w.CBLeftBD.itemIndex(), 7);
    EXPECT_FALSE(w.CBRightBS.enabled());
    EXPECT_FALSE(w.CBRightBD.enabled());
    EXPECT_EQ(w.LabelLBack.caption(), "Back:");
    EXPECT_EQ(w.CheckBoxRBack.caption(), "2 Back Spks:");
    EXPECT_TRUE(w.CheckBoxSkipWelcome.checked());
    // Any other number than 1 means two.
    read({"[Back Speaker Settings]", "x", "Small", "1.0", "2.0", "3 ft.", "4 ft."});
    EXPECT_TRUE(w.CheckBoxRBack.checked());
    EXPECT_EQ(w.CBRightBL.itemIndex(), 26);
    EXPECT_EQ(w.CBRightBD.itemIndex(), 4);
    // Size "No": nothing more is read, and the check box goes off and disabled.
    read({"[Back Speaker Settings]", "2", "No", "[Messages]", "Show Welcome", "a", "b", "c", "d"});
    EXPECT_EQ(w.CBLeftBS.itemIndex(), 0);
    EXPECT_EQ(w.CBRightBS.itemIndex(), 0);
    EXPECT_FALSE(w.CheckBoxRBack.checked());
    EXPECT_FALSE(w.CheckBoxRBack.enabled());
    for (ListBox* l : {&w.CBRightBS, &w.CBRightBL, &w.CBRightBD, &w.CBLeftBL, &w.CBLeftBD})
        EXPECT_FALSE(l->enabled()) << l->name();
    EXPECT_EQ(w.LabelLBack.caption(), "Back:");
    EXPECT_FALSE(w.CheckBoxSkipWelcome.checked());
}

TEST_F(FilesReader, BackSpeakersNeedSurroundsAfterTheRead) {
    read({"[Speaker Settings]", "Large", "0.0", "0.0", "1 ft.", "1 ft.", "Small", "0.0", "1 ft.", "No", "Yes", "0.0",
          "1 ft.", "Filter On", "80", "Enhanced Off", "[Back Speaker Settings]", "1", "Small", "0.0", "1 ft."});
    EXPECT_EQ(m().CBLeftSS.itemIndex(), 1);  // RefreshAfterLoad step 4
    EXPECT_EQ(m().CBRightSS.itemIndex(), 1);
    EXPECT_TRUE(m().CBLeftSL.enabled());
}

TEST_F(FilesReader, AuxChannelsLevelsDelaysFiltersAndMix) {
    read({"[Aux Channel Settings]", "2", "-2.5", "7.5 MS", "Lowpass", "2500", "Highpass", "2500", "101", "-100", "100",
          "-101", "0", "7", "x", "5.", "80.0 ms", "No Filter", "1001", "Lowpass", "18000", "1", "2", "3", "4", "5", "6",
          "7"});
    TTavroSetupMain& w = m();
    EXPECT_TRUE(w.GBCh9_10.visible());
    for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
        EXPECT_TRUE(c->visible()) << c->name();
    const AuxMixFilter& ch9 = w.AuxChannels[0];
    EXPECT_EQ(w.CBCh9L.itemIndex(), 35);
    EXPECT_EQ(w.CBCh9D.itemIndex(), 15);
    EXPECT_EQ(ch9.Filter1Type, FilterLowpass);
    EXPECT_EQ(ch9.Filter1Freq, 40);  // 2500 -> 2 kHz for a lowpass
    EXPECT_EQ(ch9.Filter2Type, FilterHighpass);
    EXPECT_EQ(ch9.Filter2Freq, 12);  // ... and rejected for a highpass
    EXPECT_EQ(ch9.Mix, (std::array<std::int8_t, 7>{0, -100, 100, 0, 0, 7, 0}));
    const AuxMixFilter& ch10 = w.AuxChannels[1];
    EXPECT_EQ(w.CBCh10L.itemIndex(), 20);
    EXPECT_EQ(w.CBCh10D.itemIndex(), 160);
    EXPECT_EQ(ch10.Filter1Type, FilterNone);
    EXPECT_EQ(ch10.Filter1Freq, 12);
    EXPECT_EQ(ch10.Filter2Type, FilterLowpass);
    EXPECT_EQ(ch10.Filter2Freq, 56);
    EXPECT_EQ(ch10.Mix, (std::array<std::int8_t, 7>{1, 2, 3, 4, 5, 6, 7}));

    // One channel: channel 10 is hidden and not read.
    read({"[Aux Channel Settings]", "1", "0.0", "no such delay", "Bandpass", "83", "No Filter", "1000", "0", "0", "0",
          "0", "0", "0", "0", "[Messages]", "Skip", "a", "b", "c", "d"});
    for (Control* c : std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
        EXPECT_FALSE(c->visible()) << c->name();
    EXPECT_TRUE(w.GBCh9_10.visible());
    EXPECT_EQ(w.CBCh9D.itemIndex(), 0);
    EXPECT_EQ(w.AuxChannels[0].Filter1Type, FilterHighpass);  // anything else is a highpass
    EXPECT_EQ(w.AuxChannels[0].Filter1Freq, 12);              // 83 Hz goes down to the 80 Hz step
    EXPECT_EQ(w.AuxChannels[0].Filter2Freq, 39);
    EXPECT_EQ(w.AuxChannels[1].Filter2Freq, 56);  // channel 10 kept
    EXPECT_TRUE(w.CheckBoxSkipWelcome.checked());

    auto freq = [](TTavroSetupMain& w2) { return static_cast<int>(w2.AuxChannels[0].Filter1Freq); };
    table<int>("[Aux Channel Settings]", {"1", "0.0", "0.0 ms", "Lowpass"}, {"No Filter", "80", "0", "0", "0", "0", "0", "0", "0"},
               {{"20", 0}, {"200", 36}, {"24", 0}, {"25", 1}, {"250", 37}, {"500", 38}, {"1000", 39}, {"1001", 12},
                {"1002", 39}, {"18000", 56}, {"18001", 12}, {"19", 12}, {"201", 12}, {"300", 12}, {"-80", 12}},
               freq);
}

TEST_F(FilesReader, AuxChannelCountShowsChannel10AndSetsTheHeights) {
    struct Case {
        const char* count;
        bool two;
        int panels;
        int group;
    };
    // In this order every read changes what the one before left.
    const Case cases[] = {{"1", false, 32, 56}, {"2", true, 56, 76}, {"3", false, 32, 56}, {"2", true, 56, 76},
                          {"0", false, 32, 56}, {"2", true, 56, 76}, {"x", false, 32, 56}};
    const std::vector<std::string> channel{"0.0", "0.0 ms", "No Filter", "80", "No Filter", "80", "0",
                                           "0",   "0",      "0",         "0",  "0",         "0"};
    TTavroSetupMain& w = m();
    for (const Case& c : cases) {
        std::vector<std::string> lines{"[Aux Channel Settings]", c.count};
        lines.insert(lines.end(), channel.begin(), channel.end());
        if (c.two) lines.insert(lines.end(), channel.begin(), channel.end());
        read(lines);
        for (Control* ch10 :
             std::initializer_list<Control*>{&w.ButtonCh10MixFilter, &w.CBCh10L, &w.CBCh10D, &w.LabelCh10})
            EXPECT_EQ(ch10->visible(), c.two) << ch10->name() << " after \"" << c.count << '"';
        EXPECT_EQ(w.PanelLevel3.height(), c.panels) << c.count;
        EXPECT_EQ(w.PanelDelay3.height(), c.panels) << c.count;
        EXPECT_EQ(w.GBCh9_10.height(), c.group) << c.count;
    }
}

TEST_F(FilesReader, OsdRadioGroupsAndTheOutputRule) {
    TTavroSetupMain& w = m();
    read({"[Blueback Video Format]", "NTSC", "[OSD Setup Mode]", "Superimpose", "[Temporary Display]", "Simple",
          "[OSD Input Select]", "S-Video", "[OSD Output Routing]", "Composite Video"});
    EXPECT_TRUE(w.RBNTSC.checked());
    EXPECT_TRUE(w.RBSuperimpose.checked());
    EXPECT_TRUE(w.RBTempSimple.checked());
    EXPECT_TRUE(w.RBOSDInputSvideo.checked());
    EXPECT_TRUE(w.RBOSDOutputCs.checked());
    for (GroupBox* g : {&w.GBBluebackFormat, &w.GBSetupMode, &w.GBTemporary, &w.GBOSDInput, &w.GBOSDOutput})
        EXPECT_TRUE(g->visible()) << g->name();

    read({"[Blueback Video Format]", "ntsc", "[OSD Setup Mode]", "Blueback", "[Temporary Display]", "None",
          "[OSD Input Select]", "Composite Video", "[OSD Output Routing]", "Off"});
    EXPECT_TRUE(w.RBPAL.checked());
    EXPECT_TRUE(w.RBBlueback.checked());
    EXPECT_TRUE(w.RBNoTemp.checked());
    EXPECT_TRUE(w.RBOSDInputCs.checked());
    EXPECT_TRUE(w.RBOSDOutputNo.checked());
    for (Control* c : std::initializer_list<Control*>{&w.RBPAL, &w.RBNTSC, &w.RBBlueback, &w.RBSuperimpose, &w.RBTempFull,
                                                      &w.RBTempSimple, &w.RBNoTemp, &w.LabelBgCol, &w.LabelChCol,
                                                      &w.LabelErrorCol, &w.CBBackgroundColor, &w.CBCharacterColor,
                                                      &w.CBErrorColor, &w.CBOSDStyle})
        EXPECT_FALSE(c->enabled()) << c->name();

    read({"[OSD Input Select]", "Auto", "[OSD Output Routing]", "Both"});
    EXPECT_TRUE(w.RBOSDInputAuto.checked());
    EXPECT_TRUE(w.RBOSDOutputBoth.checked());
    EXPECT_TRUE(w.CBOSDStyle.enabled());
    EXPECT_TRUE(w.RBNoTemp.enabled());
    read({"[OSD Input Select]", "x", "[OSD Output Routing]", "S-Video"});
    EXPECT_TRUE(w.RBOSDInputOff.checked());
    EXPECT_TRUE(w.RBOSDOutputSvideo.checked());
}

TEST_F(FilesReader, FactoryColoursAndStyleRunTheirRules) {
    TTavroSetupMain& w = m();
    read({"[Factory Default Color Settings]", "cyan", "Purple", "MAGENTA", "[OSD Style]", "factory default"});
    EXPECT_EQ(w.CBBackgroundColor.text(), "Cyan");
    EXPECT_EQ(w.CBCharacterColor.text(), "White");  // not found: unchanged
    EXPECT_EQ(w.CBErrorColor.text(), "Magenta");
    EXPECT_EQ(w.FactoryBackgroundColor, w.MemoSampleText.color());
    EXPECT_NE(w.FactoryBackgroundColor, 0x000000);
    EXPECT_EQ(w.EditSampleError.color(), w.FactoryErrorColor);
    EXPECT_TRUE(w.GBFactory.visible());
    EXPECT_TRUE(w.GBOSDStyle.visible());
    read({"[OSD Style]", "PRESET STYLE 30"});
    EXPECT_EQ(w.CBOSDStyle.itemIndex(), 29);
    read({"[OSD Style]", "Preset Style 31"});
    EXPECT_EQ(w.CBOSDStyle.itemIndex(), 0);
    EXPECT_EQ(w.MemoSampleText.color(), w.FactoryBackgroundColor);  // the style rule ran
}

TEST_F(FilesReader, TriggersKeepTheirSourceUntilTheListsAreRebuilt) {
    TTavroSetupMain& w = m();
    // The trigger sections come first, while the lists hold only "Trigger
    // Off" and placeholders; the sixteen sources and ten events make
    // 1 + 16 + 10 = 27 items, so number 27 (index 26) exists and 28 does not.
    std::vector<std::string> lines{"[Trigger 1]", "27", "1 MIN 30 S", "Forever", "Negative", "4095",
                                   "[Trigger 2]", "28", "45 s", "infinity", "positive", "-1", "[Sources]", "0", "16"};
    for (int i = 0; i < 16; ++i) lines.insert(lines.end(), {"S" + std::to_string(i + 1), "Stereo", "0"});
    read(lines);
    EXPECT_TRUE(w.GBTrigger1.visible());
    EXPECT_TRUE(w.GBTrigger2.visible());
    EXPECT_EQ(w.TriggerEventMask, 2047);
    EXPECT_EQ(w.CBTrigger1Source.count(), 27);
    EXPECT_EQ(w.CBTrigger1Source.itemIndex(), 26);  // read before the sources, kept as read
    EXPECT_EQ(w.CBTrigger1Source.text(), "Zone Power On");
    EXPECT_EQ(w.CBTrigger2Source.itemIndex(), 0);  // index 27 is not in the list
    EXPECT_EQ(w.CBTrigger1Delay.text(), "1 min 30 s");
    EXPECT_EQ(w.CB1Duration.text(), "Infinity");  // not found: item 16
    EXPECT_TRUE(w.RB1Negative.checked());
    EXPECT_EQ(w.CBTrigger2Delay.text(), "45 s");
    EXPECT_EQ(w.CB2Duration.text(), "Infinity");
    EXPECT_TRUE(w.RB2Negative.checked());  // "positive" is not the keyword
    EXPECT_TRUE(w.CBTrigger1Delay.enabled());
    EXPECT_FALSE(w.CBTrigger2Delay.enabled());  // the trigger enabling rule: trigger 2 is off

    // Out-of-range numbers select item 0; unknown delays item 0; the mask
    // keeps its low 11 bits and the last trigger section read wins.
    read({"[Trigger 1]", "29", "soon", "10 MS", "Positive", "99999999999999999999", "[Trigger 2]", "0", "No", "3 min",
          "Positive", "6"});
    EXPECT_EQ(w.CBTrigger1Source.itemIndex(), 0);
    EXPECT_EQ(w.CBTrigger1Delay.itemIndex(), 0);
    EXPECT_EQ(w.CB1Duration.itemIndex(), 0);
    EXPECT_TRUE(w.RB1Positive.checked());
    EXPECT_EQ(w.CB2Duration.text(), "3 min");
    EXPECT_EQ(w.TriggerEventMask, 6);
    EXPECT_EQ(w.CBTrigger1Source.count(), 1 + 16 + 2);
    EXPECT_EQ(w.CBTrigger1Source.items().back(), "Balanced Input");
    read({"[Trigger 1]", "1", "No", "10 ms", "Positive", "99999999999999999999"});
    EXPECT_EQ(w.TriggerEventMask, 2047);  // 99999999999999999999 mod 2048
}

TEST_F(FilesReader, PresetsStoreValuesInRangeAndLeaveOthersAsTheyWere) {
    TTavroSetupMain& w = m();
    read({"[Preset 2]", "-12", "12", "0", "3", "-3", "150"});
    EXPECT_TRUE(w.GBPanel2.visible());
    EXPECT_FALSE(w.GBPanel1.visible());
    const PresetSettings& p = w.Presets[1];
    EXPECT_EQ(p.Center, 0);
    EXPECT_EQ(p.Surrounds, 24);
    EXPECT_EQ(p.Subwoofer, 12);
    EXPECT_EQ(p.Bass, 15);
    EXPECT_EQ(p.Treble, 9);
    EXPECT_EQ(p.Lipsync, 150);
    EXPECT_EQ(w.LPanel2C.caption(), "-12 dB");
    EXPECT_EQ(w.LPanel2Surr.caption(), "+12 dB");
    EXPECT_EQ(w.LPanel2Sub.caption(), "0 dB");
    EXPECT_EQ(w.LPanel2B.caption(), "+3 dB");
    EXPECT_EQ(w.LPanel2T.caption(), "-3 dB");
    EXPECT_EQ(w.LPanel2L.caption(), "150 ms");
    read({"[Preset 2]", "13", "-13", "x", "12", "12", "151"});
    EXPECT_EQ(p.Center, 0);
    EXPECT_EQ(p.Surrounds, 24);
    EXPECT_EQ(p.Subwoofer, 12);  // "x" reads as 0, which is in range
    EXPECT_EQ(p.Bass, 24);
    EXPECT_EQ(p.Lipsync, 150);
    EXPECT_EQ(w.LPanel2C.caption(), "-12 dB");
    EXPECT_EQ(w.LPanel2L.caption(), "150 ms");
    for (int n : {1, 3, 4, 5}) read({"[Preset " + std::to_string(n) + "]", "1", "1", "1", "1", "1", "1"});
    EXPECT_EQ(w.Presets[4].Lipsync, 1);
    EXPECT_EQ(w.LPanel5L.caption(), "1 ms");
    EXPECT_TRUE(w.TabSheetPresets.visible());
}

TEST_F(FilesReader, OptionsReadTheirKeywords) {
    auto port = [](TTavroSetupMain& w) { return static_cast<int>(w.Opts.ComPort); };
    table<int>("[Options]", {}, {"Verify Off", "Confirm"},
               {{"COM4", 4}, {"COM3", 3}, {"COM2", 2}, {"COM1", 1}, {"COM5", 1}, {"com2", 1}, {"COM22", 2}}, port);
    auto verify = [](TTavroSetupMain& w) { return static_cast<int>(w.Opts.AutoVerify); };
    table<int>("[Options]", {"COM1"}, {"Confirm"}, {{"Verify On", 1}, {"Verify Off", 0}, {"verify on", 0}}, verify);
    auto confirm = [](TTavroSetupMain& w) { return static_cast<int>(w.Opts.ConfirmDiscard); };
    table<int>("[Options]", {"COM1", "Verify Off"}, {},
               {{"Confirm", 1}, {"No Confirmation", 0}, {"Confirmation", 1}, {"", 0}}, confirm);
}

TEST_F(FilesReader, ASectionLeftOutKeepsItsSettingsAndGroupBoxAndOneReadTwiceIsAppliedTwice) {
    read({"[Messages]", "Skip", "One", "", "", "", "[Messages]", "Show Welcome", "Two", "", "", ""});
    EXPECT_EQ(m().EditWelcome1.text(), "Two");
    EXPECT_FALSE(m().CheckBoxSkipWelcome.checked());
    read({"[LFE Level]", "-3"});
    EXPECT_TRUE(m().GBMessages.visible());  // shown stays shown
    EXPECT_EQ(m().EditWelcome1.text(), "Two");
}

TEST_F(FilesReader, ModelBeforeVolumesSourcesAndZone) {
    m().SBVolume.setMax(28);
    // The model line comes after the audio section: 8 is rejected.
    read({"[General Audio Settings]", "8", "0", "0", "[General]", "c", "a", "b", "4820"});
    EXPECT_EQ(m().SBVolume.position(), -30);
    read({"[General Audio Settings]", "8", "0", "0"});
    EXPECT_EQ(m().SBVolume.position(), 28);
}
