// Helpers of the setup file tests: files in a scratch folder, the shipped
// defaults, CR LF texts.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "Printers.h"

#ifndef TAVRO_SOURCE_DIR
#error "TAVRO_SOURCE_DIR must name the source tree"
#endif

namespace tavro::test {

inline std::string sourcePath(const std::string& relative) { return std::string(TAVRO_SOURCE_DIR) + "/" + relative; }

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Lines joined with CR LF, each line ended: crlf({"a", "b"}) is "a\r\nb\r\n".
inline std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string s;
    for (std::string_view l : lines) {
        s += l;
        s += "\r\n";
    }
    return s;
}

inline bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

}  // namespace tavro::test

#include <vector>

#include "forms/SetupFile.h"
#include "forms/Setupmain.h"

namespace tavro::test {

// A setup text: "//Setup", then the given lines, each ended with CR LF.
inline std::string setupText(const std::vector<std::string>& lines) {
    std::string s = "//Setup\r\n";
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

// Reads the lines as the content of a setup file into the window.
inline ReadResult readLines(TTavroSetupMain& w, const std::vector<std::string>& lines) {
    return ReadSetupText(w, setupText(lines));
}

}  // namespace tavro::test
