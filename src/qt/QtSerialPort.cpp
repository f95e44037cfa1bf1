#include "QtSerialPort.h"

#include <QDeadlineTimer>
#include <QStringList>
#include <QThread>

#include "link/PortNames.h"

namespace tavro::qt {

std::string QtSerialPort::deviceFor(const std::string& portName) const {
    // "COM1" .. "COM4" resolve as the options say; anything else is a device.
    const std::optional<int> n = comPortNumber(portName);
    return n ? portDevice(*n) : portName;
}

bool QtSerialPort::open(const std::string& portName) {
    lastError_.clear();
    openDenied_ = false;
    if (port_.isOpen()) port_.close();
    const std::string device = deviceFor(portName);
    port_.setPortName(QString::fromStdString(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        lastError_ = port_.errorString().toStdString();
        // Qt reports a busy device as a permission error too.
        openDenied_ = port_.error() == QSerialPort::PermissionError && deviceAccessDenied(device);
        return false;
    }
    return true;
}

bool QtSerialPort::buildLineSettings(const std::string& mode) {
    const QStringList parts = QString::fromStdString(mode).split(',');
    if (parts.size() != 4) return false;
    bool ok = false;
    baud_ = parts[0].trimmed().toInt(&ok);
    if (!ok || baud_ <= 0) return false;
    const QString parity = parts[1].trimmed().toLower();
    if (parity == "n")
        parity_ = QSerialPort::NoParity;
    else if (parity == "e")
        parity_ = QSerialPort::EvenParity;
    else if (parity == "o")
        parity_ = QSerialPort::OddParity;
    else
        return false;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8) return false;
    dataBits_ = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == "1")
        stopBits_ = QSerialPort::OneStop;
    else if (stop == "2")
        stopBits_ = QSerialPort::TwoStop;
    else
        return false;
    return true;
}

bool QtSerialPort::applyLineSettings() {
    const bool ok = port_.setBaudRate(baud_) && port_.setParity(parity_) && port_.setDataBits(dataBits_) &&
                    port_.setStopBits(stopBits_) && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) lastError_ = port_.errorString().toStdString();
    return ok;
}

bool QtSerialPort::getTimeouts(SerialTimeouts& timeouts) {
    timeouts = timeouts_;
    return port_.isOpen();
}

bool QtSerialPort::setTimeouts(const SerialTimeouts& timeouts) {
    timeouts_ = timeouts;
    return port_.isOpen();
}

bool QtSerialPort::write(const std::uint8_t* data, std::size_t size, std::size_t& written) {
    written = 0;
    port_.clearError();
    const qint64 n = port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    if (n < 0) {
        lastError_ = port_.errorString().toStdString();
        return false;
    }
    const int limit = static_cast<int>(timeouts_.writeMultiplier * size + timeouts_.writeConstant);
    QDeadlineTimer deadline(limit > 0 ? limit : -1);
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
    }
    if (port_.bytesToWrite() > 0) {
        const QSerialPort::SerialPortError error = port_.error();
        port_.clear(QSerialPort::Output);
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
            // The device refused the byte (it hung up or went away): the
            // write call failed.
            lastError_ = port_.errorString().toStdString();
            port_.clearError();
            return false;
        }
        // The port did not take the byte in time: nothing was written.
        return true;
    }
    written = static_cast<std::size_t>(n);
    return true;
}

bool QtSerialPort::read(std::uint8_t* data, std::size_t size, std::size_t& received) {
    received = 0;
    if (!port_.isOpen()) return false;
    port_.clearError();
    const qint64 total = static_cast<qint64>(timeouts_.readMultiplier) * static_cast<qint64>(size) + timeouts_.readConstant;
    QDeadlineTimer deadline(total > 0 ? total : -1);
    while (received < size) {
        if (port_.bytesAvailable() == 0) {
            qint64 wait = deadline.remainingTime();
            if (received > 0 && timeouts_.readInterval > 0)
                wait = wait < 0 ? timeouts_.readInterval : std::min<qint64>(wait, timeouts_.readInterval);
            if (wait == 0) break;
            if (!port_.waitForReadyRead(static_cast<int>(wait))) {
                if (port_.error() != QSerialPort::NoError && port_.error() != QSerialPort::TimeoutError) {
                    lastError_ = port_.errorString().toStdString();
                    port_.clearError();
                    return received > 0;
                }
                break;
            }
        }
        const qint64 n = port_.read(reinterpret_cast<char*>(data + received), static_cast<qint64>(size - received));
        if (n < 0) {
            lastError_ = port_.errorString().toStdString();
            return false;
        }
        received += static_cast<std::size_t>(n);
    }
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
}

void QtSerialPort::sleepMs(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

}  // namespace tavro::qt
