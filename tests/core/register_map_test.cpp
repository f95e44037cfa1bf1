// The register map's rows: the names and groups of the entries and the
// texts of the settings as the window shows them. The rows' codecs and
// visibility are tested through BuildImage, ApplyImage and
// MarkVisibleEntries, which they drive.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "forms/Dialogs.h"
#include "forms/RegisterMap.h"
#include "link_setups.h"

using namespace tavro;
using namespace tavro::test;

namespace {

struct NameCase {
    int entry;
    const char* name;
    const char* group;
    int settingFirst;
    const char* setting;
};

TEST(RegisterMapNames, SampleOfNamesGroupsAndSettings) {
    const NameCase cases[] = {
        {12, "Center level", "Speaker Settings", 12, "Center level"},
        {173, "Source 3 name, character 1", "Source 3 Settings", 173, "Source 3 name"},
        {174, "Source 3 name, character 2", "Source 3 Settings", 173, "Source 3 name"},
        {179, "Source 3 name, character 7", "Source 3 Settings", 173, "Source 3 name"},
        {69, "Trigger 1 delay", "Trigger 1", 69, "Trigger 1 delay"},
        {74, "Trigger 2 duration", "Trigger 2", 74, "Trigger 2 duration"},
        {328, "Preset 2 bass", "Preset 2 Settings", 328, "Preset 2 bass"},
        {348, "Preset 5 lipsync", "Preset 5 Settings", 348, "Preset 5 lipsync"},
        {4, "Fixed entry 4", "Tavro Setup", 4, "Fixed entry 4"},
        {39, "Fixed entry 39", "Tavro Setup", 39, "Fixed entry 39"},
        {80, "Welcome message line 1, character 2", "Messages", 79, "Welcome message line 1"},
        {158, "Shutdown message line 2, character 20", "Messages", 139, "Shutdown message line 2"},
        {22, "Volume", "General Audio Settings", 22, "Volume"},
        {2, "Limiter level", "THX Ultra 2 Settings", 2, "Limiter level"},
        {23, "Source 1 mode", "Source 1 Settings", 23, "Source 1 mode"},
        {368, "Channel 9 mix, Right Surround", "Channel 9 Mix & Filter Settings", 368, "Channel 9 mix, Right Surround"},
        {386, "Channel 10 Filter 2 frequency", "Channel 10 Mix & Filter Settings", 386, "Channel 10 Filter 2 frequency"},
        {390, "Channel 10 level", "Aux Channel Settings", 390, "Channel 10 level"},
        {391, "Neo:6 Center Image", "Dolby Pro Logic II / DTS Music Settings", 391, "Neo:6 Center Image"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE("entry " + std::to_string(c.entry));
        EXPECT_EQ(entryName(c.entry), c.name);
        EXPECT_EQ(entryGroup(c.entry), c.group);
        EXPECT_EQ(settingFirstEntry(c.entry), c.settingFirst);
        EXPECT_EQ(settingName(c.entry), c.setting);
    }
}

TEST(RegisterMapNames, EveryEntryHasANameUniqueToItsSettingAndAGroup) {
    std::map<std::string, int> firstOfSetting;
    std::set<std::string> entryNames;
    for (int k = 0; k < ImageEntryCount; ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        EXPECT_FALSE(entryName(k).empty());
        EXPECT_FALSE(entryGroup(k).empty());
        EXPECT_FALSE(settingName(k).empty());
        EXPECT_TRUE(entryNames.insert(std::string(entryName(k))).second) << entryName(k);
        const int first = settingFirstEntry(k);
        ASSERT_LE(first, k);
        // A setting's entries are consecutive, share its name and group.
        if (first != k) {
            EXPECT_EQ(settingFirstEntry(k - 1), first);
            EXPECT_EQ(entryGroup(first), entryGroup(k));
            EXPECT_EQ(settingName(first), settingName(k));
        }
        auto [it, added] = firstOfSetting.emplace(std::string(settingName(k)), first);
        EXPECT_EQ(it->second, first) << "two settings named " << settingName(k);
        (void)added;
    }
    // A one-entry setting is its entry.
    for (int k = 0; k < ImageEntryCount; ++k) {
        const bool alone = settingFirstEntry(k) == k && (k + 1 == ImageEntryCount || settingFirstEntry(k + 1) != k);
        if (alone) {
            EXPECT_EQ(settingName(k), entryName(k)) << "entry " << k;
        }
    }
}

TEST(RegisterMapTexts, TheSettingAsTheWindowShowsIt) {
    SetupShape shape;
    ShapedProgram p(shape);
    TTavroSetupMain& w = p.main();
    w.CBCenterL.setItemIndex(30);
    w.Sources[2].Name = "DVD";
    w.CBTrigger1Delay.setItemIndex(3);
    w.Presets[1].Bass = 15;
    w.Presets[4].Lipsync = 40;
    w.RBWet3.setChecked(true);
    w.CheckBoxEnhancedBass.setChecked(true);
    w.SBBass.userSetPosition(-4);
    w.EditWelcome2.setText("Hello");
    w.Thx.AsaPosition = 1;
    w.AuxChannels[0].Mix[4] = -35;  // record RSurr: device position 3
    w.CBOSDStyle.setItemIndex(0);
    const struct {
        int entry;
        std::string text;
    } cases[] = {
        {12, "0 dB"},
        {174, "DVD"},
        {159 + 14, "DVD"},
        {69, w.CBTrigger1Delay.items()[3]},
        {328, "+3 dB"},
        {348, TFormPreset::lipsyncItems()[40]},
        {46, "3"},
        {66, "On"},
        {77, "-4 dB"},
        {100, "Hello"},
        {48, "Close"},
        {368, "-35%"},
        {56, "Factory Default"},
        {4, "90"},
        {39, "83"},
    };
    for (const auto& c : cases) EXPECT_EQ(settingText(w, c.entry), c.text) << "entry " << c.entry;
    // Every entry has a text.
    for (int k = 0; k < ImageEntryCount; ++k) EXPECT_NO_THROW(settingText(w, k)) << "entry " << k;
}

TEST(RegisterMapRows, EntriesOutsideTheImageHaveNoRow) {
    EXPECT_THROW(registerRow(ImageEntryCount), std::out_of_range);
    EXPECT_THROW(registerRow(-1), std::out_of_range);
    EXPECT_THROW(entryName(ImageEntryCount), std::out_of_range);
}

}  // namespace
