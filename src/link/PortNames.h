// Which device a port name of the options ("COM1" .. "COM4") opens.
//
// On Linux each COM number leads to a serial device that the user picks in
// Options and that is kept per user, outside the setup files, in
// $XDG_CONFIG_HOME/tavro-setup/ports.conf (default ~/.config/tavro-setup).
// The environment variable TAVRO_COMn, when set, names COMn's device
// instead. On Windows COMn is the Windows port COMn itself.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavro {

// "COM" + n for n = 1..4.
std::string portName(int n);
// n for a port name "COM1" .. "COM4"; nothing for any other name.
std::optional<int> comPortNumber(const std::string& name);

// COMn's device, as every opener of a port and every display of it uses it:
// portMap().resolve(n).device.
std::string portDevice(int n);

// The serial devices in a device folder, in the order they are offered:
// the serial/by-id/* names, then ttyUSB*, ttyACM* and ttyS*, each kind by
// number. A tty that a by-id name leads to is offered by that name only,
// as the by-id name stays the same when the adapter is plugged in again.
std::vector<std::string> listSerialDevices(const std::filesystem::path& devFolder = "/dev");

// A USB serial adapter's device (a by-id name, ttyUSB*, ttyACM*).
bool isUsbSerialDevice(const std::string& device);
// The device's name as the Options dialog lists it: a by-id name without
// its folder, any other device as its path.
std::string deviceDisplayName(const std::string& device);

// Whether a device is there to be opened: among the devices listed, or
// present in the file system (a pseudo-terminal, a link the user made).
// On Windows every COM port counts as present: which exist is not known.
bool devicePresent(const std::string& device, const std::vector<std::string>& listed);

// Whether the user lacks the right to read and write the device (a failed
// open then asks for the device's group).
bool deviceAccessDenied(const std::string& device);

// Where COMn's device came from.
enum class PortSource {
    Environment,  // TAVRO_COMn
    Saved,        // the user's choice in Options
    OnlyAdapter,  // no (present) choice, and exactly one USB adapter plugged in
    Standard,     // no (present) choice: /dev/ttyS(n-1)
};

struct PortResolution {
    std::string device;
    PortSource source = PortSource::Standard;
    // The saved choice when its device is not present and COMn fell back.
    std::string missing;
};

// The device per COM number: TAVRO_COMn when set; else the saved choice
// when its device is present; else the one USB adapter when exactly one is
// plugged in; else /dev/ttyS(n-1).
class PortMap {
public:
    using DeviceLister = std::function<std::vector<std::string>()>;

    // The choices live in configFile; the devices present are what
    // listDevices returns (the devices of /dev on the computer itself).
    PortMap(std::filesystem::path configFile, DeviceLister listDevices);

    const std::filesystem::path& configFile() const { return configFile_; }
    std::vector<std::string> devices() const { return listDevices_(); }
    PortResolution resolve(int n) const;
    // The saved device of COMn, if any. A config file that cannot be read
    // (not a regular file, too long, unreadable) holds no choice.
    std::optional<std::string> savedChoice(int n) const;
    // Why the config file is there and its choices are ignored ("Not a
    // regular file"); empty when it can be read or is not there.
    std::string configProblem() const;
    // Stores the devices of the given COM numbers and keeps every other line
    // of the file. False when the file cannot be read or written.
    bool saveChoices(const std::map<int, std::string>& choices) const;
    // Whether uploads back up the processor first ("BackupBeforeUpload=0"
    // in the config file turns it off); on unless the file says otherwise.
    bool backupBeforeUpload() const;
    // Stores the switch and keeps every other line; false as saveChoices.
    bool saveBackupBeforeUpload(bool on) const;

private:
    // Replaces the lines of the given keys ("COM1=") and keeps the others.
    bool saveLines(const std::map<std::string, std::string>& values) const;

    std::filesystem::path configFile_;
    DeviceLister listDevices_;
};

// $XDG_CONFIG_HOME/tavro-setup/ports.conf, default ~/.config/tavro-setup/;
// empty when neither XDG_CONFIG_HOME nor HOME is set.
std::filesystem::path defaultPortConfigFile();

// The map every port name is resolved with: the computer's own, unless a
// test installed another (nullptr puts the computer's own back).
PortMap& portMap();
void usePortMap(PortMap* map);

}  // namespace tavro
