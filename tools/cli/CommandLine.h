// The command line as tavro-cli reads it: the arguments in the encoding file
// names travel in (UTF-8 on Windows, taken from the wide command line), and
// standard output and error written byte for byte, so that an image or a
// message is the same bytes on every system.
#pragma once

#include <string>
#include <vector>

namespace tavro::cli {

std::vector<std::string> commandLine(int argc, char* argv[]);

}  // namespace tavro::cli
