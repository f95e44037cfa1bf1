// The serial port tavro-cli talks through on this system.
#pragma once

#ifdef _WIN32
#include "WinSerialPort.h"
namespace tavro::cli {
using CliSerialPort = WinSerialPort;
}
#else
#include "PosixSerialPort.h"
namespace tavro::cli {
using CliSerialPort = PosixSerialPort;
}
#endif
