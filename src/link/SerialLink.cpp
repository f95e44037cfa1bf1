#include "link/SerialLink.h"

#include <array>

#include "link/PortNames.h"

namespace tavro {

OpenResult SerialLink::OpenPort(int comPort) {
    if (!port_.open(portName(comPort))) return OpenResult::OpenFailed;
    OpenResult failure = OpenResult::Ok;
    if (!port_.buildLineSettings("9600,n,8,1"))
        failure = OpenResult::ModeFailed;
    else if (!port_.applyLineSettings())
        failure = OpenResult::ApplyFailed;
    else if (!port_.getTimeouts(saved_))
        failure = OpenResult::TimeoutsFailed;
    if (failure != OpenResult::Ok) {
        port_.close();
        return failure;
    }
    port_.setTimeouts(LinkTimeouts);  // the result is not looked at
    open_ = true;
    return OpenResult::Ok;
}

void SerialLink::ClosePort() {
    if (!open_) return;
    port_.setTimeouts(saved_);
    port_.close();
    open_ = false;
}

SerialLink::SendResult SerialLink::send(const std::uint8_t* bytes, std::size_t count) {
    // Every byte is offered, one write call each; a later failure's outcome
    // replaces an earlier one.
    SendResult result = SendResult::Ok;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t written = 0;
        if (!port_.write(bytes + i, 1, written))
            result = SendResult::PortFailure;
        else if (written == 0)
            result = SendResult::NothingSent;
        else
            port_.sleepMs(4);
    }
    return result;
}

CheckResult SerialLink::CheckConnection() {
    CheckResult result = CheckResult::Connected;
    const std::uint8_t request = 0xD2;
    std::size_t written = 0;
    if (!port_.write(&request, 1, written)) {
        result = CheckResult::WriteFailed;
    } else if (written == 0) {
        result = CheckResult::NothingWritten;
    } else {
        std::uint8_t answer = 0;
        std::size_t received = 0;
        if (!port_.read(&answer, 1, received))
            result = CheckResult::ReadFailed;
        else if (received == 0)
            result = CheckResult::NoAnswer;
        else
            result = answer == 0xD3 ? CheckResult::Connected : CheckResult::WrongAnswer;
    }
    ClosePort();
    return result;
}

WriteOutcome SerialLink::WriteEntry(const ParameterImage& image, int k) {
    const auto e = EntryFrameBytes(image, k);
    const std::array<std::uint8_t, 8> frame{0xE0, 'R', 'S', '!', CommandWrite, e[0], e[1], e[2]};
    switch (send(frame.data(), frame.size())) {
        case SendResult::PortFailure: return WriteOutcome::PortFailure;
        case SendResult::NothingSent: return WriteOutcome::NothingSent;
        case SendResult::Ok: break;
    }
    std::array<std::uint8_t, 3> answer{0xFF, 0xFF, 0x00};
    std::size_t received = 0;
    if (!port_.read(answer.data(), answer.size(), received)) return WriteOutcome::ReadFailure;
    if (received < 2) return WriteOutcome::ShortAnswer;
    if (answer[1] == 0) return WriteOutcome::Refused;
    return WriteOutcome::Acknowledged;
}

ReadOutcome SerialLink::ReadEntry(const ParameterImage& image, int k, std::uint8_t& value) {
    const auto e = EntryFrameBytes(image, k);
    const std::array<std::uint8_t, 7> frame{0xE0, 'R', 'S', '!', CommandRead, e[0], e[1]};
    switch (send(frame.data(), frame.size())) {
        case SendResult::PortFailure: return ReadOutcome::PortFailure;
        case SendResult::NothingSent: return ReadOutcome::NothingSent;
        case SendResult::Ok: break;
    }
    std::array<std::uint8_t, 3> answer{0xFF, 0x00, 0x00};
    std::size_t received = 0;
    if (!port_.read(answer.data(), answer.size(), received)) return ReadOutcome::ReadFailure;
    if (received < 2) return ReadOutcome::ShortAnswer;
    if (answer[0] != 0xD9) return ReadOutcome::BadAnswer;
    value = answer[1];
    return ReadOutcome::Received;
}

std::string openFailureText(const std::string& port) { return "Unable to open " + port + "."; }

std::string openFailureText(int comPort) { return openFailureText("COM" + std::to_string(comPort)); }

const char* writeOutcomeText(WriteOutcome outcome) {
    switch (outcome) {
        case WriteOutcome::NothingSent:
        case WriteOutcome::Refused: return "Upload failed.";
        case WriteOutcome::ShortAnswer: return "Unable to establish serial connection";
        case WriteOutcome::PortFailure:
        case WriteOutcome::ReadFailure: return "Unable to establish serial connection.";
        case WriteOutcome::Acknowledged: break;
    }
    return "";
}

const char* downloadOutcomeText(ReadOutcome outcome) {
    if (outcome == ReadOutcome::Received) return "";
    return outcome == ReadOutcome::BadAnswer ? "Download failed" : "Unable to establish serial connection.";
}

const char* verifyOutcomeText(ReadOutcome outcome) {
    if (outcome == ReadOutcome::Received) return "";
    return outcome == ReadOutcome::BadAnswer ? "Verify failed: Unexpected return value."
                                             : "Unable to establish serial connection.";
}

std::string checkResultText(CheckResult result, int comPort) {
    if (result == CheckResult::Connected) return "Serial connection established.";
    if (result == CheckResult::WriteFailed) return openFailureText(comPort);
    return "Unable to establish serial connection.";
}

}  // namespace tavro
