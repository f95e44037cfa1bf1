// The register map: every entry's address and initial value, and the frame
// bytes of an entry.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "link/ParameterImage.h"

using namespace tavro;

namespace {

// One row of the register map: entries first..last at addresses
// firstAddress..lastAddress (consecutive), all with the same initial value.
struct MapRow {
    int first, last;
    unsigned firstAddress, lastAddress;
    int initial;  // -1: a text, given separately
};

const MapRow registerMap[] = {
    {0, 0, 0x0006, 0x0006, 81},     {1, 1, 0x0007, 0x0007, 80},     {2, 2, 0x0008, 0x0008, 130},
    {3, 3, 0x0009, 0x0009, 80},     {4, 4, 0x000A, 0x000A, 90},     {5, 5, 0x000B, 0x000B, 80},
    {6, 6, 0x000C, 0x000C, 80},     {7, 7, 0x000D, 0x000D, 80},     {8, 8, 0x000E, 0x000E, 80},
    {9, 9, 0x000F, 0x000F, 80},     {10, 10, 0x0010, 0x0010, 80},   {11, 11, 0x0011, 0x0011, 80},
    {12, 12, 0x0012, 0x0012, 80},   {13, 13, 0x0013, 0x0013, 80},   {14, 14, 0x0014, 0x0014, 80},
    {15, 15, 0x0015, 0x0015, 80},   {16, 16, 0x0016, 0x0016, 80},   {17, 17, 0x0017, 0x0017, 80},
    {18, 18, 0x0018, 0x0018, 81},   {19, 19, 0x0019, 0x0019, 81},   {20, 20, 0x001A, 0x001A, 81},
    {21, 21, 0x001B, 0x001B, 81},   {22, 22, 0x001D, 0x001D, 130},  {23, 38, 0x001E, 0x002D, 1},
    {39, 39, 0x002E, 0x002E, 83},   {40, 40, 0x002F, 0x002F, 80},   {41, 41, 0x0030, 0x0030, 80},
    {42, 42, 0x0031, 0x0031, 80},   {43, 43, 0x0032, 0x0032, 80},   {44, 44, 0x0033, 0x0033, 80},
    {45, 45, 0x0034, 0x0034, 80},   {46, 46, 0x0035, 0x0035, 80},   {47, 47, 0x0036, 0x0036, 80},
    {48, 48, 0x0037, 0x0037, 81},   {49, 49, 0x0038, 0x0038, 80},   {50, 50, 0x003E, 0x003E, 0},
    {51, 51, 0x003F, 0x003F, 82},   {52, 52, 0x0040, 0x0040, 82},   {53, 53, 0x0041, 0x0041, 83},
    {54, 54, 0x0042, 0x0042, 83},   {55, 55, 0x004D, 0x004D, 2},    {56, 56, 0x004E, 0x004E, 0},
    {57, 57, 0x004F, 0x004F, 0},    {58, 58, 0x0050, 0x0050, 7},    {59, 59, 0x0051, 0x0051, 4},
    {60, 60, 0x0065, 0x0065, 80},   {61, 61, 0x0066, 0x0066, 80},   {62, 62, 0x0067, 0x0067, 80},
    {63, 63, 0x0068, 0x0068, 80},   {64, 64, 0x0069, 0x0069, 80},   {65, 65, 0x006A, 0x006A, 160},
    {66, 66, 0x006B, 0x006B, 81},   {67, 67, 0x006C, 0x006C, 80},   {68, 68, 0x006D, 0x006D, 81},
    {69, 69, 0x006E, 0x006E, 80},   {70, 70, 0x006F, 0x006F, 80},   {71, 71, 0x0070, 0x0070, 80},
    {72, 72, 0x0071, 0x0071, 81},   {73, 73, 0x0072, 0x0072, 80},   {74, 74, 0x0073, 0x0073, 80},
    {75, 75, 0x0074, 0x0074, 130},  {76, 76, 0x0075, 0x0075, 81},   {77, 77, 0x0076, 0x0076, 80},
    {78, 78, 0x0077, 0x0077, 80},   {79, 98, 0x0190, 0x01A3, -1},   {99, 118, 0x01A4, 0x01B7, 32},
    {119, 138, 0x01B8, 0x01CB, 32}, {139, 158, 0x01CC, 0x01DF, 32}, {159, 270, 0x02BE, 0x032D, -1},
    {271, 286, 0x0350, 0x035F, 85}, {287, 302, 0x0360, 0x036F, -1}, {303, 318, 0x0370, 0x037F, 80},
    {319, 324, 0x0400, 0x0405, 80}, {325, 330, 0x040A, 0x040F, 80}, {331, 336, 0x0414, 0x0419, 80},
    {337, 342, 0x041E, 0x0423, 80}, {343, 348, 0x0428, 0x042D, 80}, {349, 364, 0x0432, 0x0441, 80},
    {365, 371, 0x0514, 0x051A, 100}, {372, 378, 0x051C, 0x0522, 100}, {379, 379, 0x0524, 0x0524, 80},
    {380, 380, 0x0525, 0x0525, 80}, {381, 381, 0x0526, 0x0526, 119}, {382, 382, 0x0528, 0x0528, 119},
    {383, 383, 0x052A, 0x052A, 80}, {384, 384, 0x052B, 0x052B, 80}, {385, 385, 0x052C, 0x052C, 119},
    {386, 386, 0x052E, 0x052E, 119}, {387, 387, 0x0530, 0x0530, 0}, {388, 388, 0x0531, 0x0531, 80},
    {389, 389, 0x0532, 0x0532, 0},  {390, 390, 0x0533, 0x0533, 80}, {391, 391, 0x0039, 0x0039, 80},
    {392, 392, 0x012C, 0x012C, 82}, {393, 393, 0x012D, 0x012D, 84}, {394, 394, 0x012E, 0x012E, 80},
};

// The initial values given as texts and lists.
int textInitial(int k) {
    const std::string welcome = "     Tavro OEM      ";
    const std::string names =
        "Source1Source2Source3Source4Source5Source6Source7Source8Source9"
        "Sourc10Sourc11Sourc12Sourc13Sourc14Sourc15Sourc16";
    if (k >= 79 && k <= 98) return static_cast<unsigned char>(welcome.at(static_cast<std::size_t>(k - 79)));
    if (k >= 159 && k <= 270) return static_cast<unsigned char>(names.at(static_cast<std::size_t>(k - 159)));
    if (k >= 287 && k <= 294) return 81 + (k - 287);
    if (k >= 295 && k <= 302) return 80;
    throw std::logic_error("no text initial value");
}

TEST(RegisterMap, EveryEntryHasItsAddressAndInitialValue) {
    const ParameterImage& image = InitialParameterImage();
    int covered = 0;
    for (const MapRow& row : registerMap) {
        ASSERT_EQ(row.lastAddress - row.firstAddress, static_cast<unsigned>(row.last - row.first)) << "row " << row.first;
        for (int k = row.first; k <= row.last; ++k) {
            const ParameterEntry& e = image[static_cast<std::size_t>(k)];
            EXPECT_EQ(e.address(), row.firstAddress + static_cast<unsigned>(k - row.first)) << "entry " << k;
            EXPECT_EQ(e.AddressHigh, e.address() >> 8) << "entry " << k;
            const int initial = row.initial >= 0 ? row.initial : textInitial(k);
            EXPECT_EQ(e.Value, initial) << "entry " << k;
            EXPECT_EQ(k, covered) << "rows out of order";
            ++covered;
        }
    }
    EXPECT_EQ(covered, ImageEntryCount);
}

TEST(RegisterMap, AddressesAreUniqueAndLeaveTheGapsOut) {
    std::set<unsigned> addresses;
    for (const ParameterEntry& e : InitialParameterImage()) EXPECT_TRUE(addresses.insert(e.address()).second) << e.address();
    for (unsigned gap : {0x001Cu, 0x003Au, 0x003Bu, 0x003Cu, 0x003Du, 0x0527u, 0x0529u, 0x052Du, 0x052Fu})
        EXPECT_EQ(addresses.count(gap), 0u) << std::hex << gap;
}

TEST(RegisterMap, FrameBytesAreAddressHighLowThenValue) {
    ParameterImage image = InitialParameterImage();
    image[391].Value = 0xAB;
    const auto bytes = EntryFrameBytes(image, 391);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x39);
    EXPECT_EQ(bytes[2], 0xAB);
    const auto last = EntryFrameBytes(image, 394);
    EXPECT_EQ(last[0], 0x01);
    EXPECT_EQ(last[1], 0x2E);
    EXPECT_THROW(EntryFrameBytes(image, ImageEntryCount), std::out_of_range);
    EXPECT_THROW(EntryFrameBytes(image, -1), std::out_of_range);
}

}  // namespace
