// Which names stand on their own and how a name goes into a folder, by the
// rules of both systems: a Windows drive letter or UNC name is never put
// into the start directory, and a POSIX name with a colon is.
#include <gtest/gtest.h>

#include "files/Paths.h"

using tavro::files::inFolder;
using tavro::files::isAbsolutePath;
using tavro::files::PathStyle;

namespace {

struct PathCase {
    const char* name;
    bool posix;    // stands on its own by the POSIX rules
    bool windows;  // by the Windows rules
};

TEST(FilesPaths, AbsoluteNamesByEachSystemsRules) {
    const PathCase cases[] = {
        {"/home/user/Default.dfg", true, true},
        {"/", true, true},
        {"C:\\Setups\\Den.sfg", false, true},
        {"c:/Setups/Den.sfg", false, true},
        {"D:", false, true},
        {"C:Den.sfg", false, true},  // relative to drive C's own folder
        {"\\\\server\\share\\Den.sfg", false, true},
        {"//server/share/Den.sfg", true, true},
        {"\\\\?\\C:\\Setups\\Den.sfg", false, true},
        {"\\\\.\\COM3", false, true},
        {"\\Setups\\Den.sfg", false, true},
        {"Default.dfg", false, false},
        {"setups/Den.sfg", false, false},
        {"setups\\Den.sfg", false, false},
        {"./Den.sfg", false, false},
        {"..\\Den.sfg", false, false},
        {"1:Den.sfg", false, false},
        {":Den.sfg", false, false},
        {"", false, false},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(isAbsolutePath(c.name, PathStyle::Posix), c.posix) << '"' << c.name << "\" on POSIX";
        EXPECT_EQ(isAbsolutePath(c.name, PathStyle::Windows), c.windows) << '"' << c.name << "\" on Windows";
    }
}

struct JoinCase {
    const char* folder;
    const char* name;
    PathStyle style;
    const char* joined;
};

TEST(FilesPaths, ANameGoesIntoTheFolderWithOneSeparatorUnlessItStandsOnItsOwn) {
    const JoinCase cases[] = {
        {"/home/user", "Default.dfg", PathStyle::Posix, "/home/user/Default.dfg"},
        {"/home/user/", "Default.dfg", PathStyle::Posix, "/home/user/Default.dfg"},
        {"/", "Default.dfg", PathStyle::Posix, "/Default.dfg"},
        {"/home/user", "/etc/Default.dfg", PathStyle::Posix, "/etc/Default.dfg"},
        {"/home/user", "C:Default.dfg", PathStyle::Posix, "/home/user/C:Default.dfg"},
        {"/home/user\\", "Default.dfg", PathStyle::Posix, "/home/user\\/Default.dfg"},
        {"", "Default.dfg", PathStyle::Posix, "Default.dfg"},
        {"/home/user", "", PathStyle::Posix, ""},
        {"C:\\Users\\me", "Default.dfg", PathStyle::Windows, "C:\\Users\\me\\Default.dfg"},
        {"C:\\", "Default.dfg", PathStyle::Windows, "C:\\Default.dfg"},
        {"C:/Users/me/", "Default.dfg", PathStyle::Windows, "C:/Users/me/Default.dfg"},
        {"\\\\server\\share", "Default.dfg", PathStyle::Windows, "\\\\server\\share\\Default.dfg"},
        {"C:\\Users\\me", "D:\\Setups\\Den.sfg", PathStyle::Windows, "D:\\Setups\\Den.sfg"},
        {"C:\\Users\\me", "\\\\server\\share\\Den.sfg", PathStyle::Windows, "\\\\server\\share\\Den.sfg"},
        {"C:\\Users\\me", "setups\\Den.sfg", PathStyle::Windows, "C:\\Users\\me\\setups\\Den.sfg"},
    };
    for (const JoinCase& c : cases)
        EXPECT_EQ(inFolder(c.folder, c.name, c.style), c.joined)
            << '"' << c.folder << "\" + \"" << c.name << (c.style == PathStyle::Windows ? "\" on Windows" : "\" on POSIX");
}

}  // namespace
