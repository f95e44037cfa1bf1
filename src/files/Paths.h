// File names as the file layer joins them: which names stand on their own
// and how a name is put into a folder. Both systems' rules are here, so
// that each can be checked on the other.
#pragma once

#include <string>
#include <string_view>

namespace tavro::files {

enum class PathStyle {
    Posix,    // "/" separates, a name starting with "/" stands on its own
    Windows,  // "\" and "/" separate; drive letters, UNC names, rooted names
};

#ifdef _WIN32
inline constexpr PathStyle NativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle NativePathStyle = PathStyle::Posix;
#endif

// Whether the name stands on its own rather than inside a folder: on POSIX
// a name starting with "/"; on Windows also "C:\..." and "C:/...", UNC names
// ("\\server\share\...", "\\?\...", "\\.\COM1"), names rooted on the current
// drive ("\..." , "/...") and drive-relative names ("C:name"), none of which
// can be put into a folder.
bool isAbsolutePath(std::string_view name, PathStyle style = NativePathStyle);

// The name inside the folder: the name itself when the folder is empty or
// the name is empty or stands on its own, else the folder and the name with
// one separator between them.
std::string inFolder(const std::string& folder, const std::string& name, PathStyle style = NativePathStyle);

}  // namespace tavro::files
