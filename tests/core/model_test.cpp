#include <gtest/gtest.h>

#include "model/DisplayCharacters.h"
#include "model/OsdColors.h"
#include "model/Records.h"
#include "model/ValueLists.h"

using namespace tavro;

TEST(ValueLists, SizesAndTellingRows) {
    struct Row {
        const char* list;
        ItemList items;
        std::size_t size;
        std::vector<std::pair<int, const char*>> rows;
    };
    const Row table[] = {
        {"LevelItems", LevelItems(), 61,
         {{0, "+15.0 dB"}, {29, "+0.5 dB"}, {30, "0 dB"}, {31, "-0.5 dB"}, {60, "-15.0 dB"}}},
        {"FeetItems", makeFeetItems(), 64, {{0, "0 ft."}, {1, "1 ft."}, {10, "10 ft."}, {63, "63 ft."}}},
        {"MeterItems", makeMeterItems(), 64,
         {{0, "0.0 m"}, {1, "0.3 m"}, {2, "0.7 m"}, {3, "1.0 m"}, {10, "3.3 m"}, {62, "20.7 m"}, {63, "21.0 m"}}},
        {"AuxDelayItems", AuxDelayItems(), 161, {{0, "0.0 ms"}, {1, "0.5 ms"}, {160, "80.0 ms"}}},
        {"SubFilterItems", SubFilterItems(), 37, {{0, "20 Hz"}, {12, "80 Hz"}, {15, "95 Hz"}, {16, "100Hz"}, {36, "200Hz"}}},
        {"TriggerDelayItems", TriggerDelayItems(), 15, {{0, "No"}, {12, "1 min 30 s"}, {14, "3 min"}}},
        {"TriggerDurationItems", TriggerDurationItems(), 17, {{0, "10 ms"}, {1, "100 ms"}, {16, "Infinity"}}},
        {"ColorItems", ColorItems(), 8, {{0, "Black"}, {4, "Red"}, {7, "White"}}},
        {"OSD styles", makeOsdStyleItems(), 30, {{0, "Factory Default"}, {1, "Preset Style 2"}, {29, "Preset Style 30"}}},
    };
    for (const Row& r : table) {
        ASSERT_EQ(r.items.size(), r.size) << r.list;
        for (auto [index, text] : r.rows) EXPECT_EQ(r.items[static_cast<std::size_t>(index)], text) << r.list << " " << index;
    }
}

TEST(ValueLists, MeterStepsRoundHalfUp) {
    // i/3 m: every third step is a whole tenth; the others round to the
    // nearest tenth (x.x33 down, x.x67 up).
    ItemList m = makeMeterItems();
    for (int i = 0; i < 64; ++i) {
        int tenths = (i * 10 + 1) / 3;  // i*10/3 rounded to nearest (never exactly half)
        char want[16];
        std::snprintf(want, sizeof want, "%d.%d m", tenths / 10, tenths % 10);
        EXPECT_EQ(m[static_cast<std::size_t>(i)], want) << i;
    }
}

TEST(ModelVariantLine, ComparedByPrefixIgnoringCase) {
    struct Case {
        const char* line;
        ModelVariant expected;
    };
    const Case cases[] = {
        {"R7", ModelVariant::R7},         {"r7", ModelVariant::R7},       {"R7 Mark II", ModelVariant::R7},
        {"r7x", ModelVariant::R7},        {"4820", ModelVariant::M4820},  {"48201", ModelVariant::M4820},
        {"Tavro", ModelVariant::Tavro},   {"", ModelVariant::Tavro},      {" R7", ModelVariant::Tavro},
        {"Model R7", ModelVariant::Tavro}, {"482", ModelVariant::Tavro},  {"x4820", ModelVariant::Tavro},
        {"R", ModelVariant::Tavro},
    };
    for (const Case& c : cases) EXPECT_EQ(modelVariantFromLine(c.line), c.expected) << '"' << c.line << '"';
    EXPECT_STREQ(modelVariantName(ModelVariant::Tavro), "Tavro");
    EXPECT_STREQ(modelVariantName(ModelVariant::R7), "R7");
    EXPECT_STREQ(modelVariantName(ModelVariant::M4820), "4820");
}

TEST(Records, Defaults) {
    const char* names[] = {"Video 1", "Video 2", "Video 3", "Video 4", "Video 5", "Video 6", "Video 7", "Video 8",
                           "Audio 9", "Audio10", "Audio11", "Audio12", "Audio13", "Audio14", "Audio15", "Audio16"};
    for (int n = 1; n <= 16; ++n) {
        SourceRecord s = defaultSource(n);
        EXPECT_EQ(s.Name, names[n - 1]);
        EXPECT_EQ(s.Name.size(), 7u) << n;
        EXPECT_EQ(s.Mode, 1);
        EXPECT_EQ(s.Sensitivity, 5);
        EXPECT_EQ(s.DigitalInput, 0);
        EXPECT_EQ(s.ComponentVideo, 0);
        EXPECT_EQ(s.PresetAssoc, 0);
    }

    PresetSettings p;
    for (int f = 0; f < 5; ++f) EXPECT_EQ(p.field(f), 12) << f;
    EXPECT_EQ(p.field(5), 0);
    p.field(2) = 7;
    EXPECT_EQ(p.Subwoofer, 7);

    AuxMixFilter aux;
    for (auto m : aux.Mix) EXPECT_EQ(m, 0);
    EXPECT_EQ(aux.Filter1Type, FilterNone);
    EXPECT_EQ(aux.Filter1Freq, 12);
    EXPECT_EQ(aux.Filter2Freq, 12);

    DplSettings d;
    EXPECT_EQ(d.CenterWidth, 1);
    EXPECT_EQ(d.Dimension, 1);
    EXPECT_EQ(d.Panorama, 0);
    EXPECT_EQ(d.CenterImage, 1);

    ThxSettings t;
    EXPECT_EQ(t.LimiterLevel, 50);
    EXPECT_EQ(t.Ultra2Sub + t.BoundaryGain + t.AsaPosition + t.LimiterOn, 0);

    ModeTable modes;
    for (int c = 0; c < ModeCount; ++c) EXPECT_EQ(modes.offered(c), c == ModeStereo) << c;

    InputCounts inputs;
    EXPECT_EQ(inputs.DigitalInputCount, 6u);
    EXPECT_EQ(inputs.ComponentVideoPresent, 0);
    EXPECT_EQ(inputs.ComponentVideoCount, 0);

    Options o;
    EXPECT_EQ(o.ComPort, 1);
    EXPECT_EQ(o.AutoVerify, 0);
    EXPECT_EQ(o.ConfirmDiscard, 1);
}

TEST(Records, ThxSubwooferChoiceForcesLimiterOrBoundaryGainOff) {
    ThxSettings t;
    t.LimiterOn = 1;
    t.BoundaryGain = 1;
    t.storeUltra2Sub(true);
    EXPECT_EQ(t.LimiterOn, 0);
    EXPECT_EQ(t.BoundaryGain, 1);
    t.storeUltra2Sub(false);
    EXPECT_EQ(t.BoundaryGain, 0);
    EXPECT_EQ(t.Ultra2Sub, 0);
}

TEST(Records, ModeTableThatOffersNothingOffersStereo) {
    ModeTable modes;
    modes.ModeAvailable.fill(0);
    modes.ensureOneOffered();
    EXPECT_TRUE(modes.offered(ModeStereo));
    modes.ModeAvailable.fill(0);
    modes.ModeAvailable[ModeDirect] = 1;
    modes.ensureOneOffered();
    EXPECT_FALSE(modes.offered(ModeStereo));
    EXPECT_EQ(std::string(modeKeywords()[ModeDspBypass]), "DSP Bypass");
    EXPECT_EQ(std::string(modeKeywords()[ModeDplIIMusic]), "DPL II Music");
}

TEST(DisplayCharacters, KeepsOnlyWhatTheDisplayShows) {
    EXPECT_EQ(filterDisplayText("Audio10"), "Audio10");
    EXPECT_EQ(filterDisplayText("a#b;c\"d"), "a b c d");
    EXPECT_EQ(filterDisplayText("!()*,-./: 09azAZ"), "!()*,-./: 09azAZ");
    EXPECT_EQ(filterDisplayText("\xe9t\xe9_+"), " t   ");
    EXPECT_EQ(cleanSourceName("DVD#1"), "DVD 1");
}

TEST(OsdColors, FactoryListsAndStyles) {
    EXPECT_EQ(fullColor(2), 0x00CC00);
    EXPECT_EQ(characterColor(2), 0xDCFFDC);
    EXPECT_EQ(characterColor(7), 0xFFFFFF);
    StyleColors s15 = presetStyleColors(15);  // "Preset Style 16": red, magenta, yellow
    EXPECT_EQ(s15.background, 0xFF0000);
    EXPECT_EQ(s15.error, 0xFF00FF);
    EXPECT_EQ(s15.characters, 0xFFFFB4);
    StyleColors s29 = presetStyleColors(29);
    EXPECT_EQ(s29.background, 0x00CC00);
    EXPECT_EQ(s29.error, 0x0000FF);
    EXPECT_EQ(s29.characters, 0xFFFFFF);
}
