// Which serial device each COM number opens: the devices offered, the saved
// choice per user, the fallbacks, and TAVRO_COMn above all of them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "FakeSerialDevices.h"
#include "PipeWatch.h"
#include "files/AtomicFile.h"
#include "link/PortNames.h"

using namespace tavro;
using namespace tavro::test;

TEST(SerialDevices, ByIdNamesFirstThenEachKindByNumber) {
    FakeSerialDevices f;
    const std::string adapter = f.plugById("usb-Maker_Adapter_B1-if00-port0", "ttyUSB1");
    for (const char* name : {"ttyS10", "ttyUSB10", "ttyS2", "ttyACM0", "ttyUSB0", "ttyS0", "ttyUSB2", "tty0", "console"})
        f.plug(name);
    const std::string d = f.dev.string() + "/";
    // ttyUSB1 is offered by its by-id name only; tty0 and console are no
    // serial devices.
    EXPECT_EQ(listSerialDevices(f.dev),
              (std::vector<std::string>{adapter, d + "ttyUSB0", d + "ttyUSB2", d + "ttyUSB10", d + "ttyACM0",
                                        d + "ttyS0", d + "ttyS2", d + "ttyS10"}));
    EXPECT_TRUE(listSerialDevices(f.root / "no-such-folder").empty());
    EXPECT_EQ(deviceDisplayName(adapter), "usb-Maker_Adapter_B1-if00-port0");
    EXPECT_EQ(deviceDisplayName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(SerialDevices, EachComNumberResolvesByEnvironmentSavedChoiceOnlyAdapterOrStandardPort) {
    struct Case {
        const char* what;
        std::vector<const char*> ttys;         // plugged in
        std::vector<const char*> adapters;     // by-id names, each on its own ttyUSB
        const char* saved;                     // COMn's saved device in the device folder, or null
        const char* environment;               // TAVRO_COMn, or null
        int n;
        const char* device;                    // a name in the device folder, or an absolute path
        PortSource source;
        bool savedMissing;
    };
    const Case cases[] = {
        {"nothing saved, no adapter", {"ttyS0", "ttyS1"}, {}, nullptr, nullptr, 2, "/dev/ttyS1", PortSource::Standard, false},
        {"nothing saved, one adapter", {"ttyS0"}, {"usb-A"}, nullptr, nullptr, 3, "serial/by-id/usb-A", PortSource::OnlyAdapter, false},
        {"nothing saved, one ACM adapter", {"ttyACM0"}, {}, nullptr, nullptr, 1, "ttyACM0", PortSource::OnlyAdapter, false},
        {"nothing saved, two adapters", {"ttyUSB3"}, {"usb-A"}, nullptr, nullptr, 1, "/dev/ttyS0", PortSource::Standard, false},
        {"saved and present", {"ttyS0", "ttyS1"}, {"usb-A"}, "ttyS1", nullptr, 4, "ttyS1", PortSource::Saved, false},
        {"saved and gone, one adapter", {"ttyS0"}, {"usb-A"}, "serial/by-id/usb-Old", nullptr, 2, "serial/by-id/usb-A", PortSource::OnlyAdapter, true},
        {"saved and gone, no adapter", {"ttyS0"}, {}, "ttyUSB0", nullptr, 4, "/dev/ttyS3", PortSource::Standard, true},
        {"environment over the saved choice", {"ttyS1"}, {"usb-A"}, "ttyS1", "/tmp/com2", 2, "/tmp/com2", PortSource::Environment, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSerialDevices f;
        for (const char* t : c.ttys) f.plug(t);
        int usb = 0;
        for (const char* a : c.adapters) f.plugById(a, "ttyUSB" + std::to_string(usb++));
        if (c.saved != nullptr) {
            ASSERT_TRUE(f.map.saveChoices({{c.n, (f.dev / c.saved).string()}}));
        }
        if (c.environment != nullptr) ::setenv(("TAVRO_COM" + std::to_string(c.n)).c_str(), c.environment, 1);
        const std::string expected = c.device[0] == '/' ? std::string(c.device) : (f.dev / c.device).string();

        const PortResolution r = f.map.resolve(c.n);
        EXPECT_EQ(r.device, expected);
        EXPECT_EQ(r.source, c.source);
        EXPECT_EQ(r.missing, c.savedMissing ? (f.dev / c.saved).string() : "");
        // Every opener and every display asks the same function.
        EXPECT_EQ(portDevice(c.n), expected);
    }
}

TEST(SerialDevices, SavingAChoiceKeepsTheOtherLinesAndComNumbers) {
    FakeSerialDevices f;
    EXPECT_EQ(f.map.savedChoice(1), std::nullopt);  // no file yet
    ASSERT_TRUE(f.map.saveChoices({{1, "/dev/ttyUSB0"}, {3, "/dev/ttyS2"}}));
    ASSERT_TRUE(f.map.saveChoices({{1, "/dev/serial/by-id/usb-A"}}));
    EXPECT_EQ(f.map.savedChoice(1), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(f.map.savedChoice(2), std::nullopt);
    EXPECT_EQ(f.map.savedChoice(3), "/dev/ttyS2");

    // A line of its own and a blank choice survive as they are; a blank
    // choice is no choice.
    std::ofstream(f.config, std::ios::app) << "# mine\nCOM2=\n";
    ASSERT_TRUE(f.map.saveChoices({{3, "/dev/ttyS3"}}));
    EXPECT_EQ(f.map.savedChoice(2), std::nullopt);
    EXPECT_EQ(f.configText(),
              "# The serial device of each COM number, chosen in Options.\n"
              "COM1=/dev/serial/by-id/usb-A\n# mine\nCOM2=\nCOM3=/dev/ttyS3\n");

    // A config folder that cannot be made: nothing is stored.
    PortMap blocked(f.root / "file/tavro-setup/ports.conf", [] { return std::vector<std::string>{}; });
    std::ofstream(f.root / "file") << "x";
    EXPECT_FALSE(blocked.saveChoices({{1, "/dev/ttyS0"}}));
}

TEST(SerialDevices, AConfigFileThatIsNoRegularFileOrTooLongHoldsNoChoiceAndIsNotReplaced) {
    struct Case {
        const char* what;
        std::function<void(FakeSerialDevices&)> arrange;  // what stands at f.config
        std::string reason;
    };
    const Case cases[] = {
        {"a link to a device that never ends",
         [](FakeSerialDevices& f) { std::filesystem::create_symlink("/dev/zero", f.config); }, "Not a regular file"},
        {"a folder", [](FakeSerialDevices& f) { std::filesystem::create_directory(f.config); }, "Is a directory"},
        {"a file longer than any config file",
         [](FakeSerialDevices& f) {
             // Its first line is a choice of a device that is present.
             std::ofstream(f.config) << "COM1=" << (f.dev / "ttyS1").string() << "\n"
                                     << std::string(files::MaxFileSize, '#') << "\n";
         },
         "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSerialDevices f;
        f.plug("ttyS1");
        std::filesystem::create_directories(f.config.parent_path());
        c.arrange(f);
        EXPECT_EQ(f.map.savedChoice(1), std::nullopt);
        EXPECT_EQ(f.map.resolve(1).device, "/dev/ttyS0");
        EXPECT_EQ(f.map.configProblem(), c.reason);
        const auto before = std::filesystem::symlink_status(f.config).type();
        EXPECT_FALSE(f.map.saveChoices({{2, (f.dev / "ttyS1").string()}}));
        EXPECT_EQ(std::filesystem::symlink_status(f.config).type(), before);
    }
}

TEST(SerialDevices, AConfigFileThatIsAPipeIsNeverWaitedOn) {
    FakeSerialDevices f;
    std::filesystem::create_directories(f.config.parent_path());
    PipeWatch watch(f.config.string(), PipeWatch::Frees::Readers);
    EXPECT_EQ(f.map.savedChoice(1), std::nullopt);
    EXPECT_EQ(f.map.resolve(1).source, PortSource::Standard);
    EXPECT_EQ(f.map.configProblem(), "Not a regular file");
    EXPECT_FALSE(f.map.saveChoices({{1, "/dev/ttyS1"}}));
    EXPECT_TRUE(watch.finish()) << "a read of the config file waited for a writer";
    EXPECT_EQ(std::filesystem::status(f.config).type(), std::filesystem::file_type::fifo);
}

TEST(SerialDevices, TheConfigFileFollowsXdgConfigHome) {
    struct Case {
        const char *xdg, *home, *file;
    };
    const Case cases[] = {
        {"/x/conf", "/home/u", "/x/conf/tavro-setup/ports.conf"},
        {nullptr, "/home/u", "/home/u/.config/tavro-setup/ports.conf"},
        {"relative", "/home/u", "/home/u/.config/tavro-setup/ports.conf"},  // not absolute: ignored
        {nullptr, nullptr, ""},
    };
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    for (const Case& c : cases) {
        c.xdg ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(defaultPortConfigFile().string(), c.file) << (c.xdg ? c.xdg : "-") << " " << (c.home ? c.home : "-");
    }
    oldXdg ? ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
}

TEST(SerialDevices, AccessDeniedOnlyForADeviceTheUserMayNotUse) {
    FakeSerialDevices f;
    const std::string usable = f.plug("ttyUSB0");
    EXPECT_FALSE(deviceAccessDenied(usable));
    EXPECT_FALSE(deviceAccessDenied((f.dev / "ttyUSB9").string()));  // missing is not denied
    if (::geteuid() == 0) GTEST_SKIP() << "root may use every device";
    const std::string locked = f.plug("ttyS0");
    ::chmod(locked.c_str(), 0);
    EXPECT_TRUE(deviceAccessDenied(locked));
}
