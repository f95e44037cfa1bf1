// A serial port with a processor behind it, for the link and transfer
// tests: it stores written parameters and answers reads from its table,
// unless a test scripts the answers or a failure.
#pragma once

#include <deque>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "link/SerialPort.h"

namespace tavro::test {

class FakeSerialPort : public SerialPort {
public:
    // ---- what the port and the processor do
    bool openOk = true, modeOk = true, applyOk = true, getTimeoutsOk = true;
    // Why an open failed, and whether the user lacks the right to the device.
    std::string openError;
    bool denied = false;
    SerialTimeouts portTimeouts{11, 22, 33, 44, 55};
    int failWriteCall = -1;  // this write call (0-based) fails
    int zeroWriteCall = -1;  // this write call takes no byte
    bool readFails = false;
    // Answers given instead of the processor's, one per read call; an
    // answer may be shorter than what was asked for.
    std::deque<std::vector<std::uint8_t>> scriptedAnswers;
    std::map<std::uint16_t, std::uint8_t> table;  // the processor's parameters
    // Read answers for these addresses carry a different value.
    std::map<std::uint16_t, std::uint8_t> mismatch;

    // ---- what happened
    std::vector<std::string> opened;
    std::vector<SerialTimeouts> timeoutsSet;
    std::vector<std::vector<std::uint8_t>> writeCalls;
    std::vector<std::size_t> readSizes;
    std::vector<std::string> events;  // "open", "timeouts", "close", ...
    // The line in order: "write" for each write call that took its bytes,
    // "pause N" for a sleep of N ms, "read N" for a read call of N bytes.
    std::vector<std::string> wire;
    int sleeps = 0;
    bool isOpen = false;

    bool open(const std::string& name) override {
        opened.push_back(name);
        events.push_back("open " + name);
        if (!openOk) return false;
        isOpen = true;
        return true;
    }
    bool buildLineSettings(const std::string& mode) override {
        lineMode = mode;
        return modeOk;
    }
    bool applyLineSettings() override { return applyOk; }
    bool getTimeouts(SerialTimeouts& t) override {
        t = portTimeouts;
        return getTimeoutsOk;
    }
    bool setTimeouts(const SerialTimeouts& t) override {
        timeoutsSet.push_back(t);
        portTimeouts = t;
        events.push_back("timeouts");
        return true;
    }
    bool write(const std::uint8_t* data, std::size_t size, std::size_t& written) override {
        const int call = static_cast<int>(writeCalls.size());
        writeCalls.emplace_back(data, data + size);
        written = 0;
        if (call == failWriteCall) return false;
        if (call == zeroWriteCall) return true;
        pending.insert(pending.end(), data, data + size);
        written = size;
        wire.push_back("write");
        return true;
    }
    bool read(std::uint8_t* data, std::size_t size, std::size_t& received) override {
        readSizes.push_back(size);
        wire.push_back("read " + std::to_string(size));
        received = 0;
        if (readFails) return false;
        std::vector<std::uint8_t> answer;
        if (!scriptedAnswers.empty()) {
            answer = scriptedAnswers.front();
            scriptedAnswers.pop_front();
        } else {
            answer = processorAnswer();
        }
        pending.clear();
        for (std::size_t i = 0; i < answer.size() && i < size; ++i) data[i] = answer[i];
        received = std::min(answer.size(), size);
        return true;
    }
    void close() override {
        isOpen = false;
        events.push_back("close");
    }
    void sleepMs(int ms) override {
        ++sleeps;
        wire.push_back("pause " + std::to_string(ms));
    }
    std::string lastError() const override { return isOpen ? "" : openError; }
    bool openDenied() const override { return !isOpen && denied; }

    std::string lineMode;

private:
    std::vector<std::uint8_t> processorAnswer() {
        const auto& p = pending;
        if (p.size() == 1 && p[0] == 0xD2) return {0xD3};
        if (p.size() >= 7 && p[0] == 0xE0 && p[1] == 'R' && p[2] == 'S' && p[3] == '!') {
            const auto address = static_cast<std::uint16_t>(p[5] << 8 | p[6]);
            if (p[4] == 0xE6 && p.size() == 8) {
                table[address] = p[7];
                return {0x00, 0x01, 0x00};
            }
            if (p[4] == 0xE7 && p.size() == 7) {
                auto m = mismatch.find(address);
                if (m != mismatch.end()) return {0xD9, m->second, 0x00};
                auto it = table.find(address);
                return {0xD9, it == table.end() ? std::uint8_t{0} : it->second, 0x00};
            }
        }
        return {};
    }
    std::vector<std::uint8_t> pending;
};

}  // namespace tavro::test
