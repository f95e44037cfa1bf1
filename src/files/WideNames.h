// On Windows, file and device names travel through the program as UTF-8
// and reach the system's wide (UTF-16) calls converted here. Also the
// system's error codes as the error numbers the rest of the program
// reports (reasonText).
#pragma once

#ifdef _WIN32

#include <string>

namespace tavro::files {

// UTF-8 to UTF-16 and back; a byte sequence that is not UTF-8 becomes the
// replacement character.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// The error number (ENOENT, EACCES, ENOSPC, ...) for a Win32 error code.
int errorNumber(unsigned long win32Error);

}  // namespace tavro::files

#endif  // _WIN32
