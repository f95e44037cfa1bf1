#include "Processor.h"

#include <cctype>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

#include "link/ParameterImage.h"

namespace tavro::sim {

namespace {

constexpr std::uint8_t CheckRequest = 0xD2;
constexpr std::uint8_t CheckAnswer = 0xD3;
constexpr std::uint8_t FrameStart = 0xE0;
constexpr std::uint8_t WriteCommand = 0xE6;
constexpr std::uint8_t ReadCommand = 0xE7;
constexpr std::uint8_t ReadAnswer = 0xD9;
constexpr std::array<std::uint8_t, 4> FrameHeader{FrameStart, 'R', 'S', '!'};

// A frame whose next byte takes longer than this is given up.
constexpr long long FrameGapMs = 200;

// Whole-string number in the given base (0x prefix allowed for hex).
std::optional<unsigned long> number(std::string text, int base) {
    if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = text.substr(2);
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        const bool digit = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                                      : std::isdigit(static_cast<unsigned char>(c)) != 0;
        if (!digit) return std::nullopt;
    }
    if (text.size() > 8) return std::nullopt;
    return std::stoul(text, nullptr, base);
}

}  // namespace

std::optional<std::string> parseFault(const std::string& text, Faults& faults) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    const bool hasArg = eq != std::string::npos;
    struct Mode {
        const char* name;
        Fault fault;
    };
    static const Mode modes[] = {{"silent", Fault::Silent},     {"refuse-writes", Fault::RefuseWrites},
                                 {"bad-read", Fault::BadRead},  {"short", Fault::Short},
                                 {"wrong-check", Fault::WrongCheck}};
    for (const Mode& m : modes) {
        if (name != m.name) continue;
        if (hasArg) return "fault '" + name + "' takes no value";
        faults.mode = m.fault;
        return std::nullopt;
    }
    if (name == "hangup-after") {
        const auto n = number(arg, 10);
        if (!n || *n > 1000000) return "hangup-after needs a count of exchanges, e.g. hangup-after=3";
        faults.hangupAfter = static_cast<int>(*n);
        return std::nullopt;
    }
    if (name == "mismatch") {
        const auto a = number(arg, 16);
        if (!a || *a > 0xFFFF) return "mismatch needs a parameter address in hex, e.g. mismatch=0012";
        faults.mismatch = static_cast<std::uint16_t>(*a);
        return std::nullopt;
    }
    return "unknown fault '" + text +
           "' (silent, refuse-writes, bad-read, short, wrong-check, hangup-after=N, mismatch=ADDR)";
}

Processor::Processor() {
    for (const ParameterEntry& e : InitialParameterImage()) setValue(e.address(), e.Value);
}

void Processor::setValue(std::uint16_t address, std::uint8_t value) {
    values_[address] = value;
    known_[address] = true;
}

std::vector<std::uint8_t> Processor::receive(std::uint8_t byte, long long nowMs) {
    if (!frame_.empty() && nowMs - lastByteMs_ > FrameGapMs) frame_.clear();
    lastByteMs_ = nowMs;

    if (!frame_.empty()) {
        frame_.push_back(byte);
        const std::size_t n = frame_.size();
        bool fits = true;
        if (n <= FrameHeader.size())
            fits = byte == FrameHeader[n - 1];
        else if (n == 5)
            fits = byte == WriteCommand || byte == ReadCommand;
        if (fits) {
            const std::size_t length = n >= 5 && frame_[4] == WriteCommand ? 8 : 7;
            return n < length ? std::vector<std::uint8_t>{} : answerFrame();
        }
        // Not a frame after all: start over with this byte.
        frame_.clear();
    }
    if (byte == FrameStart) {
        frame_.push_back(byte);
        return {};
    }
    if (byte != CheckRequest) return {};
    ++exchanges_;
    switch (faults.mode) {
        case Fault::Silent: return {};
        case Fault::WrongCheck: return {0xD4};
        default: return {CheckAnswer};
    }
}

std::vector<std::uint8_t> Processor::answerFrame() {
    const std::vector<std::uint8_t> f = std::move(frame_);
    frame_.clear();
    ++exchanges_;
    const auto address = static_cast<std::uint16_t>(f[5] << 8 | f[6]);
    std::vector<std::uint8_t> answer;
    if (f[4] == WriteCommand) {
        if (faults.mode == Fault::RefuseWrites) {
            answer = {0x00, 0x00, 0x00};
        } else {
            setValue(address, f[7]);
            answer = {0x00, 0x01, 0x00};
        }
    } else {
        std::uint8_t v = values_[address];
        if (faults.mismatch && *faults.mismatch == address) v = static_cast<std::uint8_t>(v + 1);
        answer = {faults.mode == Fault::BadRead ? std::uint8_t{0xD8} : ReadAnswer, v, 0x00};
    }
    if (faults.mode == Fault::Silent) return {};
    if (faults.mode == Fault::Short) answer.resize(1);
    return answer;
}

std::optional<std::string> Processor::loadTable(std::istream& in) {
    std::vector<std::pair<std::uint16_t, std::uint8_t>> values;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string w; words >> w;) fields.push_back(w);
        if (fields.empty() || fields[0][0] == '#') continue;
        std::optional<unsigned long> address, value;
        if (fields.size() == 2) {
            address = number(fields[0], 16);
            value = number(fields[1], 10);
        } else if (fields.size() == 3 || fields.size() == 4) {
            const auto entry = number(fields[0], 10);
            if (entry && *entry < static_cast<unsigned long>(ImageEntryCount)) {
                address = number(fields[1], 16);
                value = number(fields[2], 10);
            }
        }
        if (!address || !value || *address > 0xFFFF || *value > 255)
            return "line " + std::to_string(lineNumber) +
                   ": expected \"ADDR VALUE\" (hex address, value 0..255) or an image line \"ENTRY ADDR VALUE "
                   "VISIBLE\": " +
                   line;
        values.emplace_back(static_cast<std::uint16_t>(*address), static_cast<std::uint8_t>(*value));
    }
    if (in.bad()) return "read error";
    for (const auto& [a, v] : values) setValue(a, v);
    return std::nullopt;
}

void Processor::dumpTable(std::ostream& out) const {
    char line[16];
    for (std::size_t a = 0; a < values_.size(); ++a) {
        if (!known_[a]) continue;
        std::snprintf(line, sizeof line, "%04zX %u\n", a, static_cast<unsigned>(values_[a]));
        out << line;
    }
}

}  // namespace tavro::sim
