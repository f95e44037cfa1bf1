// The line settings of a mode string such as "9600,n,8,1", as both serial
// ports of the command line understand it: 9600 baud (the only speed the
// processor talks), parity n, e or o (either case), 7 or 8 data bits, 1 or 2
// stop bits.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {

struct LineMode {
    enum class Parity { None, Even, Odd };
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
};

inline std::optional<LineMode> parseLineMode(const std::string& mode) {
    std::vector<std::string> parts;
    std::stringstream in(mode);
    for (std::string p; std::getline(in, p, ',');) parts.push_back(p);
    if (parts.size() != 4 || parts[0] != "9600") return std::nullopt;
    LineMode m;
    if (parts[1] == "n" || parts[1] == "N")
        m.parity = LineMode::Parity::None;
    else if (parts[1] == "e" || parts[1] == "E")
        m.parity = LineMode::Parity::Even;
    else if (parts[1] == "o" || parts[1] == "O")
        m.parity = LineMode::Parity::Odd;
    else
        return std::nullopt;
    if (parts[2] != "8" && parts[2] != "7") return std::nullopt;
    m.dataBits = parts[2] == "8" ? 8 : 7;
    if (parts[3] != "1" && parts[3] != "2") return std::nullopt;
    m.stopBits = parts[3] == "1" ? 1 : 2;
    return m;
}

}  // namespace tavro::cli
