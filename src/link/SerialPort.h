// The serial port as the link uses it: open by name for exclusive use,
// line settings from a mode string, five time-outs, single-byte writes,
// reads of up to n bytes, close. The desktop provides the real port; tests
// provide scripted ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavro {

// Read and write time-outs in milliseconds, in the order the port keeps
// them. A read of n bytes gives up after readMultiplier * n + readConstant,
// or readInterval after the last byte received; zero means no limit.
struct SerialTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readMultiplier = 0;
    std::uint32_t readConstant = 0;
    std::uint32_t writeMultiplier = 0;
    std::uint32_t writeConstant = 0;

    bool operator==(const SerialTimeouts&) const = default;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port for reading and writing, not shared.
    virtual bool open(const std::string& portName) = 0;
    // Turns a mode string such as "9600,n,8,1" into line settings; false
    // when the string cannot be understood.
    virtual bool buildLineSettings(const std::string& mode) = 0;
    // Applies the line settings built last.
    virtual bool applyLineSettings() = 0;
    virtual bool getTimeouts(SerialTimeouts& timeouts) = 0;
    virtual bool setTimeouts(const SerialTimeouts& timeouts) = 0;
    // One write call; false when the call fails. `written` tells how many
    // bytes the port took.
    virtual bool write(const std::uint8_t* data, std::size_t size, std::size_t& written) = 0;
    // One read call for `size` bytes within the time-outs; false when the
    // call fails. `received` tells how many bytes arrived.
    virtual bool read(std::uint8_t* data, std::size_t size, std::size_t& received) = 0;
    virtual void close() = 0;
    virtual void sleepMs(int ms) = 0;
    // The system's reason for the last failure, for the user ("Permission
    // denied"); empty when there is none.
    virtual std::string lastError() const { return {}; }
    // Whether the last open failed because the user may not use the device.
    virtual bool openDenied() const { return false; }
    // The device a port name opens on this computer, for the user.
    virtual std::string deviceFor(const std::string& portName) const { return portName; }
};

}  // namespace tavro
