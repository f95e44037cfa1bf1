// The byte-level protocol with the processor: opening the port, the
// connection check, and the frames that write or read one image entry.
// Strictly one request, one answer: no retries, no checksums, no purging.
#pragma once

#include <cstdint>
#include <string>

#include "link/ParameterImage.h"
#include "link/SerialPort.h"

namespace tavro {

enum class OpenResult { Ok, OpenFailed, ModeFailed, ApplyFailed, TimeoutsFailed };

enum class WriteOutcome { Acknowledged, PortFailure, NothingSent, ReadFailure, ShortAnswer, Refused };
enum class ReadOutcome { Received, PortFailure, NothingSent, ReadFailure, ShortAnswer, BadAnswer };

// How a connection check went; the numbers are the check's result codes.
enum class CheckResult {
    Connected = 0,
    WrongAnswer = 1,
    WriteFailed = -1,
    NothingWritten = -2,
    ReadFailed = -3,
    NoAnswer = -4,
};

inline constexpr std::uint8_t CommandWrite = 0xE6;
inline constexpr std::uint8_t CommandRead = 0xE7;

// The time-outs the link works with.
inline constexpr SerialTimeouts LinkTimeouts{500, 300, 300, 100, 100};

class SerialLink {
public:
    explicit SerialLink(SerialPort& port) : port_(port) {}

    // Opens "COM" + comPort with the line settings "9600,n,8,1", saves the
    // port's time-outs and sets the link's own.
    OpenResult OpenPort(int comPort);
    // Writes the saved time-outs back, then closes the port.
    void ClosePort();
    bool isOpen() const { return open_; }

    // Sends 0xD2 and expects 0xD3; always closes the port.
    CheckResult CheckConnection();
    WriteOutcome WriteEntry(const ParameterImage& image, int k);
    ReadOutcome ReadEntry(const ParameterImage& image, int k, std::uint8_t& value);

    SerialPort& port() { return port_; }

private:
    enum class SendResult { Ok, PortFailure, NothingSent };
    SendResult send(const std::uint8_t* bytes, std::size_t count);

    SerialPort& port_;
    SerialTimeouts saved_{};
    bool open_ = false;
};

// The texts the communication dialog shows.
std::string openFailureText(int comPort);  // "Unable to open COM3."
// The same of a port named otherwise ("Unable to open /dev/ttyUSB0.").
std::string openFailureText(const std::string& port);
const char* writeOutcomeText(WriteOutcome outcome);
const char* downloadOutcomeText(ReadOutcome outcome);
const char* verifyOutcomeText(ReadOutcome outcome);
std::string checkResultText(CheckResult result, int comPort);

}  // namespace tavro
