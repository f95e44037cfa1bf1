// A fresh empty folder under the system's temporary folder, for a test to
// remove when it is done.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tavro::test {

// prefix: the folder's name before its random part ("tavro-test").
inline std::string makeScratchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    return pattern;
}

}  // namespace tavro::test
