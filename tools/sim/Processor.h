// The processor as tavro-sim plays it: a table of one-byte parameters at
// 16-bit addresses, and the answers to the connection check and to the
// write and read frames, byte by byte as they arrive on the line. Faults
// can be switched on so that the program's failure paths can be tried.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tavro::sim {

enum class Fault {
    None,
    Silent,        // never answers anything
    RefuseWrites,  // acknowledges writes with byte 1 = 0 and keeps nothing
    BadRead,       // read answers start with a byte other than 0xD9
    Short,         // answers of frames are one byte long
    WrongCheck,    // the connection check is answered with another byte
};

struct Faults {
    Fault mode = Fault::None;
    // The device hangs up when a request follows this many answered ones.
    std::optional<int> hangupAfter;
    // Reads of this address answer a value other than the stored one.
    std::optional<std::uint16_t> mismatch;
};

// Parses one --fault argument into `faults`; an error text when it is wrong.
std::optional<std::string> parseFault(const std::string& text, Faults& faults);

class Processor {
public:
    // The table starts with the register map's initial values.
    Processor();

    Faults faults;

    // One byte from the line. `nowMs` is a monotonic time: a frame whose
    // bytes stop coming for a while is dropped. Returns the answer to send
    // (empty while a request is incomplete, for bytes that belong to no
    // request, and for requests a fault leaves unanswered).
    std::vector<std::uint8_t> receive(std::uint8_t byte, long long nowMs);

    // Requests answered so far (checks and frames).
    int exchanges() const { return exchanges_; }
    // Whatever arrives now finds the device hung up.
    bool hangupDue() const { return faults.hangupAfter && exchanges_ >= *faults.hangupAfter; }

    std::uint8_t value(std::uint16_t address) const { return values_[address]; }
    void setValue(std::uint16_t address, std::uint8_t value);

    // Reads "ADDR VALUE" lines (address in hex, value in decimal) or the
    // lines of a printed parameter image ("ENTRY ADDR VALUE VISIBLE", the
    // address in hex). Blank lines and lines starting with '#' are skipped.
    // On error nothing is changed and the text names the line.
    std::optional<std::string> loadTable(std::istream& in);
    // Writes every known address in ascending order as "ADDR VALUE" lines,
    // readable by loadTable.
    void dumpTable(std::ostream& out) const;

private:
    std::vector<std::uint8_t> answerFrame();

    std::array<std::uint8_t, 65536> values_{};
    std::array<bool, 65536> known_{};
    std::vector<std::uint8_t> frame_;
    long long lastByteMs_ = 0;
    int exchanges_ = 0;
};

}  // namespace tavro::sim
