// A serial port on POSIX termios for the command line: exclusive open, raw
// 8-bit line, and the link's time-outs kept here and honoured with poll().
#pragma once

#include <termios.h>

#include "link/SerialPort.h"

namespace tavro::cli {

class PosixSerialPort : public SerialPort {
public:
    // `device`, when given, is opened whatever port name the link asks for.
    explicit PosixSerialPort(std::string device = {}) : device_(std::move(device)) {}
    ~PosixSerialPort() override { close(); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;
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
    bool openDenied() const override { return openDenied_; }
    std::string deviceFor(const std::string& portName) const override;

private:
    void fail(const char* what);

    std::string device_;
    int fd_ = -1;
    SerialTimeouts timeouts_{};
    speed_t speed_ = B9600;
    tcflag_t parityFlags_ = 0;
    tcflag_t sizeFlag_ = CS8;
    tcflag_t stopFlag_ = 0;
    std::string lastError_;
    bool openDenied_ = false;
};

}  // namespace tavro::cli
