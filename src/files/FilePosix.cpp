// The file layer on POSIX: O_TMPFILE where the file system allows, fsync,
// rename over the target.
#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "files/FilePlatform.h"

namespace tavro::files::detail {

namespace {

int errorOr(bool ok) { return ok ? 0 : errno; }

bool processGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Gives the new file the owner and group of the file it replaces, so that
// a save as root leaves another user's file that user's. Only root may give
// a file away; anyone may give it a group of their own. When neither is
// allowed the new file is simply the saver's, as any new file is: no error.
void keepOwner(int fd, const TargetState& target) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || (st.st_uid == target.owner && st.st_gid == target.group)) return;
    if (::fchown(fd, static_cast<uid_t>(target.owner), static_cast<gid_t>(target.group)) == 0) return;
    ::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(target.group));
}

// Writes the content into the open file and flushes it. The owner goes
// first: a change of owner clears the set-user and set-group bits that the
// mode then gives back.
int fill(int fd, std::string_view content, const TargetState* target) {
    if (target) {
        keepOwner(fd, *target);
        ::fchmod(fd, static_cast<mode_t>(target->mode & 07777));
    }
    if (int e = writeAll(fd, content)) return e;
    return syncFile(fd);
}

#ifdef O_TMPFILE
// An unnamed file in the folder, or -1 with errno (EOPNOTSUPP, EISDIR or
// EINVAL where the file system has none).
int openUnnamed(const std::string& folder) {
    // A hook runs as a copy: it may replace the hooks while it runs.
    if (auto hook = fileHooks().openUnnamed) return hook(folder);
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}
#endif

}  // namespace

ssize_t systemRead(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t systemWrite(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
int systemSync(int fd) { return ::fsync(fd); }

int openRegular(const std::string& path, int& fd) {
    // Without O_NONBLOCK, opening a pipe waits for a writer and opening a
    // serial device may wait for its line.
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat st {};
    int e = 0;
    if (::fstat(fd, &st) != 0) e = errno;
    else if (S_ISDIR(st.st_mode)) e = EISDIR;
    else if (!S_ISREG(st.st_mode)) e = NotRegularFile;
    else if (int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        e = errno;
    if (e) {
        ::close(fd);
        fd = -1;
    }
    return e;
}

void closeFile(int fd) { ::close(fd); }

std::string folderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

std::string nameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

TargetState inspect(const std::string& path) {
    struct stat st {};
    TargetState t;
    if (::stat(path.c_str(), &st) != 0) return t;
    t.exists = true;
    t.folder = S_ISDIR(st.st_mode);
    t.regular = S_ISREG(st.st_mode);
    t.readOnly = (st.st_mode & 0222) == 0;
    t.mode = st.st_mode;
    // A link that is replaced (TargetLink::Replace) gives way to a file of
    // the link's owner.
    struct stat own {};
    const struct stat& owned = ::lstat(path.c_str(), &own) == 0 ? own : st;
    t.owner = owned.st_uid;
    t.group = owned.st_gid;
    return t;
}

// With TargetLink::Follow a symbolic link is followed, so that saving
// replaces the file it names and keeps the link.
std::string replacementTarget(const std::string& path, TargetLink link) {
    struct stat st {};
    if (link == TargetLink::Replace || ::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    auto target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

long processId() { return static_cast<long>(::getpid()); }

// Removes the temporaries of the target that their process left behind
// when it ended before renaming them (a crash, a kill).
void removeStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = tempPrefix(base);
    while (const dirent* e = ::readdir(dir)) {
        const long owner = tempOwner(e->d_name, prefix);
        if (owner != 0 && processGone(static_cast<pid_t>(owner))) ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// A complete temporary file with the content, named in the folder: made
// unnamed first and linked in only once complete where the system allows
// (nothing is left when the process dies while writing), else created
// under a fresh name that nothing else has.
int makeTemporary(const std::string& folder, const std::string& base, std::string_view content,
                  const TargetState* target, std::string& temp) {
    const std::string stem = folder + "/" + tempPrefix(base) + std::to_string(processId()) + "-";
#ifdef O_TMPFILE
    int fd = openUnnamed(folder);
    if (fd >= 0) {
        if (int e = fill(fd, content, target)) {
            ::close(fd);
            return e;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp = stem + std::to_string(attempt);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return errorOr(::close(fd) == 0);
            if (errno != EEXIST) break;
        }
        ::close(fd);  // cannot be linked in: written again under a name below
    } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return errno;
    }
#endif
    fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = stem + std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    int e = fill(fd, content, target);
    if (::close(fd) != 0 && e == 0) e = errno;
    if (e) ::unlink(temp.c_str());
    return e;
}

int replaceWith(const std::string& temp, const std::string& target) {
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return e;
    }
    return 0;
}

// Makes the rename itself durable; file systems that cannot sync a folder
// are no failure.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace tavro::files::detail

#endif  // _WIN32
