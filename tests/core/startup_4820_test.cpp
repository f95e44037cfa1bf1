// A 4820 default setup whose volumes lie above the base model's top keeps
// them at start-up: the maxima are raised before its values are taken.
#include <filesystem>

#include "MainFixture.h"
#include "files_support.h"

using namespace tavro;
using namespace tavro::test;

namespace {
class Startup4820 : public MainFixture {};
}  // namespace

TEST_F(Startup4820, VolumesAboveTheBaseModelsTopSurviveStartUp) {
    std::string text = readBytes(sourcePath("defaults/4820.dfg"));
    // Main volume +5 dB (position 25), zone volume +8 dB (position 28).
    const std::string main = "[General Audio Settings]\r\n-45\r\n";
    const std::string zone = "[Zone Settings]\r\n3\r\n-55\r\n";
    ASSERT_NE(text.find(main), std::string::npos);
    ASSERT_NE(text.find(zone), std::string::npos);
    text.replace(text.find(main), main.size(), "[General Audio Settings]\r\n5\r\n");
    text.replace(text.find(zone), zone.size(), "[Zone Settings]\r\n3\r\n8\r\n");
    const std::string dir = scratchDir();
    writeBytes(dir + "/Default.dfg", text);

    startWithProgramReader(dir);
    EXPECT_EQ(m().ModelVariant, tavro::ModelVariant::M4820);
    EXPECT_EQ(m().SBVolume.max(), 28);
    EXPECT_EQ(m().SBVolume.position(), 25);
    EXPECT_EQ(m().SBZoneVolume.position(), 28);
    EXPECT_EQ(m().LabelVolume.caption(), "Volume: 99");
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(m().DefaultFileCorrupted);
}
