#include "PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "LineMode.h"
#include "link/PortNames.h"

namespace tavro::cli {

namespace {
using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}
}  // namespace

void PosixSerialPort::fail(const char* what) { lastError_ = std::string(what) + ": " + std::strerror(errno); }

std::string PosixSerialPort::deviceFor(const std::string& portName) const {
    if (!device_.empty()) return device_;
    const std::optional<int> n = comPortNumber(portName);
    return n ? portDevice(*n) : portName;
}

bool PosixSerialPort::open(const std::string& portName) {
    close();
    lastError_.clear();
    openDenied_ = false;
    const std::string device = deviceFor(portName);
    fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        fail("open");
        openDenied_ = deviceAccessDenied(device);
        return false;
    }
    // Not shared: a second opener is refused.
    if (::ioctl(fd_, TIOCEXCL) != 0 && errno != ENOTTY) {
        fail("exclusive use");
        close();
        return false;
    }
    return true;
}

bool PosixSerialPort::buildLineSettings(const std::string& mode) {
    const std::optional<LineMode> m = parseLineMode(mode);
    if (!m) return false;
    speed_ = B9600;
    parityFlags_ = m->parity == LineMode::Parity::None   ? 0
                   : m->parity == LineMode::Parity::Even ? PARENB
                                                         : PARENB | PARODD;
    sizeFlag_ = m->dataBits == 8 ? CS8 : CS7;
    stopFlag_ = m->stopBits == 2 ? CSTOPB : 0;
    return true;
}

bool PosixSerialPort::applyLineSettings() {
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) {
        fail("line settings");
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= sizeFlag_ | parityFlags_ | stopFlag_ | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, speed_);
    ::cfsetospeed(&t, speed_);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) {
        fail("line settings");
        return false;
    }
    return true;
}

bool PosixSerialPort::getTimeouts(SerialTimeouts& timeouts) {
    timeouts = timeouts_;
    return fd_ >= 0;
}

bool PosixSerialPort::setTimeouts(const SerialTimeouts& timeouts) {
    timeouts_ = timeouts;
    return fd_ >= 0;
}

bool PosixSerialPort::write(const std::uint8_t* data, std::size_t size, std::size_t& written) {
    written = 0;
    if (fd_ < 0) return false;
    const auto limit = timeouts_.writeMultiplier * size + timeouts_.writeConstant;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limit);
    while (written < size) {
        const ssize_t n = ::write(fd_, data + written, size - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            fail("write");
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        const int wait = limit > 0 ? remainingMs(deadline) : -1;
        if (wait == 0 || ::poll(&p, 1, wait) <= 0) break;  // the port took no more in time
    }
    return true;
}

bool PosixSerialPort::read(std::uint8_t* data, std::size_t size, std::size_t& received) {
    received = 0;
    if (fd_ < 0) return false;
    const auto total = timeouts_.readMultiplier * size + timeouts_.readConstant;
    const auto deadline = Clock::now() + std::chrono::milliseconds(total);
    while (received < size) {
        int wait = total > 0 ? remainingMs(deadline) : -1;
        if (received > 0 && timeouts_.readInterval > 0)
            wait = wait < 0 ? static_cast<int>(timeouts_.readInterval)
                            : std::min(wait, static_cast<int>(timeouts_.readInterval));
        if (wait == 0) break;
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0) {
            if (errno == EINTR) continue;
            fail("read");
            return false;
        }
        if (ready == 0) break;
        const ssize_t n = ::read(fd_, data + received, size - received);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // The other end went away.
            if (n < 0) fail("read");
            return received > 0;
        }
    }
    return true;
}

void PosixSerialPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void PosixSerialPort::sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace tavro::cli
