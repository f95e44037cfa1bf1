#include "files/Paths.h"

namespace tavro::files {

namespace {
bool isSeparator(char c, PathStyle style) { return c == '/' || (style == PathStyle::Windows && c == '\\'); }

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool isAbsolutePath(std::string_view name, PathStyle style) {
    if (name.empty()) return false;
    if (isSeparator(name.front(), style)) return true;
    return style == PathStyle::Windows && name.size() >= 2 && isDriveLetter(name[0]) && name[1] == ':';
}

std::string inFolder(const std::string& folder, const std::string& name, PathStyle style) {
    if (folder.empty() || name.empty() || isAbsolutePath(name, style)) return name;
    if (isSeparator(folder.back(), style)) return folder + name;
    return folder + (style == PathStyle::Windows ? '\\' : '/') + name;
}

}  // namespace tavro::files
