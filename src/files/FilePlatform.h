// The operating system's side of AtomicFile: opening a regular file for
// reading, inspecting and replacing a target, making the temporary file.
// FilePosix.cpp implements it on POSIX, FileWindows.cpp on Win32; what
// both share (the hooks, the write loop, the temporaries' names) lives in
// AtomicFile.cpp. Internal to the file layer.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "files/AtomicFile.h"

namespace tavro::files::detail {

// ---- shared, in AtomicFile.cpp

// Writes all of the content through the write hook (or the system's write);
// 0 or the error number.
int writeAll(int fd, std::string_view content);
// Flushes the file to the disk through the sync hook (or the system's
// flush); 0 or the error number.
int syncFile(int fd);

// "." + name + ".tmp": the start of every temporary's name of a target.
std::string tempPrefix(const std::string& base);
// The process id in a temporary's name ("." + name + ".tmp" + pid + "-" +
// n), or 0 when the name is not one.
long tempOwner(std::string_view name, std::string_view prefix);

// ---- per platform

// The system's own read and write of a file descriptor (what the hooks
// stand in for); -1 with errno set after a failure.
ssize_t systemRead(int fd, void* buffer, std::size_t size);
ssize_t systemWrite(int fd, const void* buffer, std::size_t size);
int systemSync(int fd);

// Opens a regular file for reading without waiting: 0 and the descriptor,
// or the error (EISDIR for a folder, NotRegularFile for anything else that
// is not a regular file).
int openRegular(const std::string& path, int& fd);
void closeFile(int fd);

// The folder of a path ("." for a bare name) and its last name.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// What a replacement finds at its target (links followed).
struct TargetState {
    bool exists = false;
    bool folder = false;
    bool regular = false;
    bool readOnly = false;
    unsigned mode = 0;  // the permissions the new file takes over (POSIX)
    // The owner and group the new file takes over (POSIX): those of the
    // file, or of the link itself where a link is replaced.
    unsigned owner = 0;
    unsigned group = 0;
};
TargetState inspect(const std::string& path);

// The file a replacement writes: the path itself, or with TargetLink::Follow
// the file a symbolic link at path names.
std::string replacementTarget(const std::string& path, TargetLink link);

// The process's own id, as temporaries are named with it.
long processId();

// Removes the temporaries of the target in the folder whose process has
// ended.
void removeStaleTemporaries(const std::string& folder, const std::string& base);

// Writes a complete, flushed temporary file with the content into the
// folder and names it in `temp`; 0 or the error number (then nothing is
// left).
int makeTemporary(const std::string& folder, const std::string& base, std::string_view content,
                  const TargetState* target, std::string& temp);

// Puts the temporary in the target's place in one step; on failure the
// temporary is removed and the error number returned.
int replaceWith(const std::string& temp, const std::string& target);

// Makes the replacement itself durable where the system allows.
void syncFolder(const std::string& folder);

}  // namespace tavro::files::detail
