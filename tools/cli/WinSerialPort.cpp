#include "WinSerialPort.h"

#ifdef _WIN32

#include <cerrno>
#include <cstring>

#include "files/WideNames.h"
#include "link/PortNames.h"

namespace tavro::cli {

void WinSerialPort::fail(const char* what, unsigned long error) {
    // A port that another program holds is refused as access denied.
    const int number = error == ERROR_ACCESS_DENIED ? EBUSY : files::errorNumber(error);
    lastError_ = std::string(what) + ": " + std::strerror(number);
}

std::string WinSerialPort::deviceFor(const std::string& portName) const {
    if (!device_.empty()) return device_;
    const std::optional<int> n = comPortNumber(portName);
    return n ? portDevice(*n) : portName;
}

std::string WinSerialPort::systemName(const std::string& device) {
    return device.rfind("\\\\", 0) == 0 ? device : "\\\\.\\" + device;
}

bool WinSerialPort::open(const std::string& portName) {
    close();
    lastError_.clear();
    const std::wstring name = files::widen(systemName(deviceFor(portName)));
    // Not shared: a second opener is refused.
    handle_ = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        fail("open", ::GetLastError());
        return false;
    }
    return true;
}

bool WinSerialPort::buildLineSettings(const std::string& mode) {
    const std::optional<LineMode> m = parseLineMode(mode);
    if (!m) return false;
    mode_ = *m;
    return true;
}

bool WinSerialPort::applyLineSettings() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle_, &dcb)) {
        fail("line settings", ::GetLastError());
        return false;
    }
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = static_cast<BYTE>(mode_.dataBits);
    dcb.Parity = mode_.parity == LineMode::Parity::None ? NOPARITY
                 : mode_.parity == LineMode::Parity::Even ? EVENPARITY
                                                          : ODDPARITY;
    dcb.StopBits = mode_.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    // A raw 8-bit line without flow control.
    dcb.fBinary = TRUE;
    dcb.fParity = mode_.parity != LineMode::Parity::None;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(handle_, &dcb)) {
        fail("line settings", ::GetLastError());
        return false;
    }
    return true;
}

bool WinSerialPort::getTimeouts(SerialTimeouts& timeouts) {
    COMMTIMEOUTS t{};
    if (!::GetCommTimeouts(handle_, &t)) {
        fail("time-outs", ::GetLastError());
        return false;
    }
    timeouts = {t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant,
                t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant};
    return true;
}

bool WinSerialPort::setTimeouts(const SerialTimeouts& timeouts) {
    COMMTIMEOUTS t{timeouts.readInterval, timeouts.readMultiplier, timeouts.readConstant, timeouts.writeMultiplier,
                   timeouts.writeConstant};
    if (!::SetCommTimeouts(handle_, &t)) {
        fail("time-outs", ::GetLastError());
        return false;
    }
    return true;
}

bool WinSerialPort::write(const std::uint8_t* data, std::size_t size, std::size_t& written) {
    written = 0;
    DWORD n = 0;
    if (!::WriteFile(handle_, data, static_cast<DWORD>(size), &n, nullptr)) {
        fail("write", ::GetLastError());
        return false;
    }
    written = n;
    return true;
}

bool WinSerialPort::read(std::uint8_t* data, std::size_t size, std::size_t& received) {
    received = 0;
    DWORD n = 0;
    if (!::ReadFile(handle_, data, static_cast<DWORD>(size), &n, nullptr)) {
        fail("read", ::GetLastError());
        return false;
    }
    received = n;
    return true;
}

void WinSerialPort::close() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

void WinSerialPort::sleepMs(int ms) { ::Sleep(static_cast<DWORD>(ms)); }

}  // namespace tavro::cli

#endif  // _WIN32
