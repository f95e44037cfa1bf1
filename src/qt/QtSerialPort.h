// The serial port on QSerialPort. QSerialPort has no time-out record of its
// own: the time-outs are kept here and each read loops on its deadlines, the
// total one and the one between bytes.
#pragma once

#include <QSerialPort>

#include "link/SerialPort.h"

namespace tavro::qt {

class QtSerialPort : public SerialPort {
public:
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
    QSerialPort port_;
    SerialTimeouts timeouts_{};
    qint32 baud_ = 9600;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data8;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    std::string lastError_;
    bool openDenied_ = false;
};

}  // namespace tavro::qt
