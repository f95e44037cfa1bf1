// The "[Options]" block of the default setup, rewritten at the close: the
// lines before it and after its three lines are kept byte for byte, the
// block itself is replaced by the current options.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/Records.h"

namespace tavro::files {

inline constexpr const char* OptionsHeader = "[Options]";
inline constexpr std::size_t OptionsLineCount = 3;

// The value lines of an "[Options]" block: "COM1" .. "COM4", "Verify On" or
// "Verify Off", "Confirm" or "No Confirmation".
std::array<std::string, OptionsLineCount> optionsLines(const Options& o);
// The options those lines give: "COM4", "COM3", "COM2", else COM1; "Verify
// On", else off; "Confirm", else no confirmation.
void readOptionsLines(const std::array<std::string, OptionsLineCount>& lines, Options& o);

// The text of a default setup whose "[Options]" block holds o; without a
// block, one is appended after an empty line. Every other line is copied
// with its own line end and the text ends as it ended; the block's lines
// take the line end of the old header (else the text's first one, else CR
// LF).
std::string replaceOptionsBlock(std::string_view defaultFileContent, const Options& o);

// Replaces the block in defaultFile by a complete new file renamed over it.
// A read-only defaultFile stays as it is and tempFile holds the options
// beside it. Any failure stores nothing and says nothing. True when the
// options were stored in defaultFile.
bool storeOptionsBlock(const std::string& defaultFile, const std::string& tempFile, const Options& o);

}  // namespace tavro::files
