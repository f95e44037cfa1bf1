#include "files/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

namespace tavro::files {

namespace {

// A hook runs as a copy: it may replace the hooks while it runs.
ssize_t readSome(int fd, void* buffer, std::size_t size) {
    if (auto hook = fileHooks().read) return hook(fd, buffer, size);
    return ::read(fd, buffer, size);
}

ssize_t writeSome(int fd, const void* buffer, std::size_t size) {
    if (auto hook = fileHooks().write) return hook(fd, buffer, size);
    return ::write(fd, buffer, size);
}

int writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t n = writeSome(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

int errorOr(bool ok) { return ok ? 0 : errno; }

std::string folderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

// Makes the rename itself durable; file systems that cannot sync a folder
// are no failure.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// With TargetLink::Follow a symbolic link is followed, so that saving
// replaces the file it names and keeps the link.
std::string targetOf(const std::string& path, TargetLink link) {
    struct stat st {};
    if (link == TargetLink::Replace || ::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    auto target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

// ---- named temporaries: "." + name + ".tmp" + pid + "-" + n

std::string tempPrefix(const std::string& base) { return "." + base + ".tmp"; }

// The process id in a temporary's name, or 0 when the name is not one.
pid_t tempOwner(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) return 0;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size() || dash > 9) return 0;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (i != dash && (name[i] < '0' || name[i] > '9')) return 0;
    long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) pid = pid * 10 + (name[i] - '0');
    return pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

bool processGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Removes the temporaries of the target that their process left behind
// when it ended before renaming them (a crash, a kill).
void removeStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = tempPrefix(base);
    while (const dirent* e = ::readdir(dir)) {
        const pid_t owner = tempOwner(e->d_name, prefix);
        if (owner != 0 && processGone(owner)) ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// Writes the content into the open file and flushes it.
int fill(int fd, std::string_view content, const struct stat* targetStat) {
    if (targetStat) ::fchmod(fd, targetStat->st_mode & 07777);
    if (int e = writeAll(fd, content)) return e;
    return errorOr(::fsync(fd) == 0);
}

// A complete temporary file with the content, named in the folder: made
// unnamed first and linked in only once complete where the system allows
// (nothing is left when the process dies while writing), else created
// under a fresh name that nothing else has.
int makeTemporary(const std::string& folder, const std::string& base, std::string_view content,
                  const struct stat* targetStat, std::string& temp) {
    const std::string stem = folder + "/" + tempPrefix(base) + std::to_string(::getpid()) + "-";
#ifdef O_TMPFILE
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        if (int e = fill(fd, content, targetStat)) {
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
    int e = fill(fd, content, targetStat);
    if (::close(fd) != 0 && e == 0) e = errno;
    if (e) ::unlink(temp.c_str());
    return e;
}

}  // namespace

FileHooks& fileHooks() {
    static FileHooks hooks;
    return hooks;
}

std::string reasonText(int error) { return std::strerror(error); }

// ---- reading

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

FileResult RegularFile::open(const std::string& path) {
    // Without O_NONBLOCK, opening a pipe waits for a writer and opening a
    // serial device may wait for its line.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return {errno};
    struct stat st {};
    int e = 0;
    if (::fstat(fd_, &st) != 0) e = errno;
    else if (S_ISDIR(st.st_mode)) e = EISDIR;
    else if (!S_ISREG(st.st_mode)) e = EINVAL;
    else if (int flags = ::fcntl(fd_, F_GETFL); flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        e = errno;
    if (e) {
        ::close(fd_);
        fd_ = -1;
    }
    return {e};
}

ssize_t RegularFile::read(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = readSome(fd_, buffer, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        error_ = errno;
        return -1;
    }
}

FileResult readRegularFile(const std::string& path, std::string& content) {
    content.clear();
    RegularFile file;
    if (FileResult r = file.open(path); !r) return r;
    char buffer[16384];
    for (;;) {
        ssize_t n = file.read(buffer, sizeof buffer);
        if (n == 0) return {};
        if (n < 0) {
            content.clear();
            return {file.error()};
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

// ---- writing

bool isReadOnlyFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

FileResult writeFileReplacing(const std::string& requested, std::string_view content, TargetLink link) {
    const std::string path = targetOf(requested, link);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return {EISDIR};
    if (exists && !S_ISREG(st.st_mode)) return {EINVAL};
    if (exists && (st.st_mode & 0222) == 0) return {EACCES};

    const std::string folder = folderOf(path);
    const std::string base = std::filesystem::path(path).filename().string();
    removeStaleTemporaries(folder, base);
    std::string temp;
    if (int e = makeTemporary(folder, base, content, exists ? &st : nullptr, temp)) return {e};
    if (auto hook = fileHooks().beforeReplace) hook(path);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return {e};
    }
    syncFolder(folder);
    return {};
}

}  // namespace tavro::files
