// Reading and writing whole files so that a failure never destroys what was
// there and never passes for success: a file is read only when it is a
// regular file of at most MaxFileSize bytes and only when it could be read
// to its end; every write is checked, the data is flushed to the disk
// before a file replaces another, and a replacement is a rename within one
// folder.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tavro::files {

// The outcome of a file operation: 0, the system's error number, or
// NotRegularFile.
struct FileResult {
    int error = 0;
    explicit operator bool() const { return error == 0; }
};

// The error of a name that leads to something other than a regular file or
// a folder (a pipe, a device, a socket). No system has a number of its own
// for it; reasonText gives it a text of the file layer's own.
inline constexpr int NotRegularFile = -1;

// The longest file that is read: a setup is a few kilobytes. Reading a
// longer one stops one byte past this with EFBIG ("File too large"), so a
// file that never ends or keeps growing takes no more memory than this.
inline constexpr std::size_t MaxFileSize = std::size_t{1} << 20;

// The text for an error ("No space left on device", "Not a regular file").
std::string reasonText(int error);

// A regular file open for reading. Opening never waits (a pipe without a
// writer, a serial device) and refuses everything that is not a regular
// file: a folder (EISDIR), a pipe, a device, a socket (NotRegularFile).
// Reading fails with EFBIG instead of handing out a byte beyond
// MaxFileSize.
class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    FileResult open(const std::string& path);
    // Up to size bytes: the count, 0 at the end, -1 after a read error
    // (then error() tells which).
    ssize_t read(char* buffer, std::size_t size);
    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
    std::size_t done_ = 0;  // bytes handed out
};

// The whole content of a regular file; with an error, and content empty,
// when it cannot be opened, cannot be read to its end or is longer than
// MaxFileSize.
FileResult readRegularFile(const std::string& path, std::string& content);

// What happens when the target of a replacement is a symbolic link.
enum class TargetLink {
    Follow,   // the file the link names is replaced; the link stays
    Replace,  // the link itself is replaced by the new file
};

// Writes the content as a new file of its own in the target's folder,
// flushes it and renames it over the target, so that the target is at any
// moment either the old file or the complete new one. An error, with the
// target untouched and no temporary file left, when anything fails, and
// also when the target is a folder or another file that is not a regular
// one (EISDIR, NotRegularFile) or a read-only file (EACCES).
//
// The temporary file is created unnamed where the file system allows, so
// that a crash leaves nothing behind; elsewhere it is named
// "." + name + ".tmp" + process id + "-" + number, and each replacement
// first removes such files of the same target that a process no longer
// running has left.
FileResult writeFileReplacing(const std::string& path, std::string_view content,
                              TargetLink link = TargetLink::Follow);

// The file exists and none of its write permissions is set.
bool isReadOnlyFile(const std::string& path);

// Seams of the file layer for tests: the calls that read and write file
// contents, the flush of a written temporary file to the disk (fsync,
// FlushFileBuffers), the open of an unnamed temporary file in a folder
// (O_TMPFILE, where the system has them), and the moment a finished
// temporary file is about to replace its target. Each returns what the
// system's call does (-1 with errno set after a failure); empty functions
// mean the system's own calls.
struct FileHooks {
    std::function<ssize_t(int fd, void* buffer, std::size_t size)> read;
    std::function<ssize_t(int fd, const void* buffer, std::size_t size)> write;
    std::function<int(int fd)> sync;
    std::function<int(const std::string& folder)> openUnnamed;
    std::function<void(const std::string& target)> beforeReplace;
};
FileHooks& fileHooks();

}  // namespace tavro::files
