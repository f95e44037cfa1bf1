// Which device a port name of the options ("COM1" .. "COM4") opens.
#pragma once

#include <optional>
#include <string>

namespace tavro {

// "COM" + n for n = 1..4.
std::string portName(int n);
// n for a port name "COM1" .. "COM4"; nothing for any other name.
std::optional<int> comPortNumber(const std::string& name);
// On Linux COMn is the device named by the environment variable TAVRO_COMn
// when it is set (a serial device or a pseudo-terminal), else /dev/ttyS(n-1);
// on Windows it is COMn itself.
std::string portDevice(int n);

}  // namespace tavro
