// The file layer on Win32: the temporary file is flushed with
// FlushFileBuffers and moved over the target with MoveFileExW
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), which replaces the
// target in one step. Names are UTF-8 and reach the wide calls converted.
// The hooks of fileHooks() see C runtime descriptors made from the handles;
// temporaries are always named, so the hook for unnamed ones is never used.
#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "files/FilePlatform.h"
#include "files/WideNames.h"

namespace tavro::files {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return wide;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

int errorNumber(unsigned long win32Error) {
    switch (win32Error) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_BUSY: return EBUSY;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    default: return EIO;
    }
}

namespace detail {

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int lastErrorNumber() { return errorNumber(::GetLastError()); }

// What is at the path, links followed; INVALID_HANDLE_VALUE when nothing
// can be opened there. FILE_FLAG_BACKUP_SEMANTICS opens folders too.
HANDLE openExisting(const std::string& path, DWORD access) {
    return ::CreateFileW(widen(path).c_str(), access, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                         nullptr);
}

bool processGone(long pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

std::string separated(const std::string& folder) {
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/') ? folder : folder + '\\';
}

// Writes the content into the open file and flushes it to the disk.
int fill(int fd, std::string_view content) {
    if (int e = writeAll(fd, content)) return e;
    return syncFile(fd);
}

}  // namespace

ssize_t systemRead(int fd, void* buffer, std::size_t size) {
    return ::_read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

ssize_t systemWrite(int fd, const void* buffer, std::size_t size) {
    return ::_write(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

int systemSync(int fd) {
    const HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (h != INVALID_HANDLE_VALUE && ::FlushFileBuffers(h)) return 0;
    errno = h == INVALID_HANDLE_VALUE ? EBADF : lastErrorNumber();
    return -1;
}

int openRegular(const std::string& path, int& fd) {
    fd = -1;
    // Opening never waits: a pipe or a device is refused by its type.
    HANDLE h = openExisting(path, GENERIC_READ);
    if (h == INVALID_HANDLE_VALUE) return lastErrorNumber();
    int e = 0;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(h) != FILE_TYPE_DISK) e = NotRegularFile;
    else if (!::GetFileInformationByHandle(h, &info)) e = lastErrorNumber();
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) e = EISDIR;
    if (e == 0) {
        fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
        if (fd < 0) e = errno;
    }
    if (e) ::CloseHandle(h);
    return e;
}

void closeFile(int fd) { ::_close(fd); }

std::string folderOf(const std::string& path) {
    std::string folder = narrow(std::filesystem::path(widen(path)).parent_path().wstring());
    return folder.empty() ? std::string(".") : folder;
}

std::string nameOf(const std::string& path) {
    return narrow(std::filesystem::path(widen(path)).filename().wstring());
}

TargetState inspect(const std::string& path) {
    TargetState t;
    HANDLE h = openExisting(path, FILE_READ_ATTRIBUTES);
    if (h == INVALID_HANDLE_VALUE) return t;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool disk = ::GetFileType(h) == FILE_TYPE_DISK;
    const bool known = ::GetFileInformationByHandle(h, &info) != 0;
    ::CloseHandle(h);
    t.exists = true;
    t.folder = known && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    t.regular = disk && known && !t.folder;
    t.readOnly = known && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return t;
}

// With TargetLink::Follow a symbolic link is followed, so that saving
// replaces the file it names and keeps the link.
std::string replacementTarget(const std::string& path, TargetLink link) {
    if (link == TargetLink::Replace) return path;
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
    HANDLE h = openExisting(path, 0);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::vector<wchar_t> name(32768);
    const DWORD n = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    ::CloseHandle(h);
    if (n == 0 || n >= name.size()) return path;
    return narrow(std::wstring(name.data(), n));
}

long processId() { return static_cast<long>(::GetCurrentProcessId()); }

// Removes the temporaries of the target that their process left behind
// when it ended before moving them (a crash, a kill).
void removeStaleTemporaries(const std::string& folder, const std::string& base) {
    const std::string prefix = tempPrefix(base);
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(widen(separated(folder) + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = narrow(found.cFileName);
        const long owner = tempOwner(name, prefix);
        if (owner != 0 && processGone(owner)) ::DeleteFileW(widen(separated(folder) + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A complete temporary file with the content, created under a fresh name
// that nothing else has (CREATE_NEW) and not shared while it is written.
int makeTemporary(const std::string& folder, const std::string& base, std::string_view content,
                  const TargetState*, std::string& temp) {
    const std::string stem = separated(folder) + tempPrefix(base) + std::to_string(processId()) + "-";
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = stem + std::to_string(attempt);
        h = ::CreateFileW(widen(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return errorNumber(error);
        }
    }
    if (h == INVALID_HANDLE_VALUE) return EEXIST;
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        const int e = errno;
        ::CloseHandle(h);
        ::DeleteFileW(widen(temp).c_str());
        return e;
    }
    int e = fill(fd, content);
    if (::_close(fd) != 0 && e == 0) e = errno;
    if (e) ::DeleteFileW(widen(temp).c_str());
    return e;
}

int replaceWith(const std::string& temp, const std::string& target) {
    const std::wstring from = widen(temp);
    if (!::MoveFileExW(from.c_str(), widen(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int e = lastErrorNumber();
        ::DeleteFileW(from.c_str());
        return e;
    }
    return 0;
}

// MOVEFILE_WRITE_THROUGH has made the move durable.
void syncFolder(const std::string&) {}

}  // namespace detail

}  // namespace tavro::files

#endif  // _WIN32
