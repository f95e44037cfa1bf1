// A serial port on the Win32 communications API for the command line:
// CreateFile on \\.\COMn, not shared; SetCommState for the line; the five
// time-outs kept by the port itself (GetCommTimeouts / SetCommTimeouts);
// blocking ReadFile and WriteFile within them.
#pragma once

#ifdef _WIN32

#include <windows.h>

#include "LineMode.h"
#include "link/SerialPort.h"

namespace tavro::cli {

class WinSerialPort : public SerialPort {
public:
    // `device`, when given, is opened whatever port name the link asks for.
    explicit WinSerialPort(std::string device = {}) : device_(std::move(device)) {}
    ~WinSerialPort() override { close(); }
    WinSerialPort(const WinSerialPort&) = delete;
    WinSerialPort& operator=(const WinSerialPort&) = delete;
    void setDevice(std::string device) { device_ = std::move(device); }

    bool open(const std::string& portName) override;
    bool buildLineSettings(const std::string& mode) override;
    bool applyLineSettings() override;
    bool getTimeouts(SerialTimeouts& timeouts) override;
    bool setTimeouts(const SerialTimeouts& timeouts) override;
    bool write(const std::uint8_t* data, std::size_t size, std::size_t& written) override;
    bool read(std::uint8_t* data, std::size_t size, std::size_t& received) override;
    void close() override;
    void sleepMs(int ms) override;
    std::string lastError() const override { return lastError_; }
    std::string deviceFor(const std::string& portName) const override;

    // The name CreateFile opens for a device: "COM3" and "COM12" become
    // "\\.\COM3" and "\\.\COM12"; a name that starts with "\\" stays.
    static std::string systemName(const std::string& device);

private:
    void fail(const char* what, unsigned long error);

    std::string device_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    LineMode mode_;
    std::string lastError_;
};

}  // namespace tavro::cli

#endif  // _WIN32
