#include "files/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "files/FilePlatform.h"

namespace tavro::files {

namespace detail {

int writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        // A hook runs as a copy: it may replace the hooks while it runs.
        auto hook = fileHooks().write;
        ssize_t n = hook ? hook(fd, p, left) : systemWrite(fd, p, left);
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

int syncFile(int fd) {
    // A hook runs as a copy: it may replace the hooks while it runs.
    auto hook = fileHooks().sync;
    for (;;) {
        if ((hook ? hook(fd) : systemSync(fd)) == 0) return 0;
        if (errno != EINTR) return errno != 0 ? errno : EIO;
    }
}

// ---- named temporaries: "." + name + ".tmp" + pid + "-" + n

std::string tempPrefix(const std::string& base) { return "." + base + ".tmp"; }

long tempOwner(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) return 0;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size() || dash > 9) return 0;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (i != dash && (name[i] < '0' || name[i] > '9')) return 0;
    long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) pid = pid * 10 + (name[i] - '0');
    return pid > 0 && pid <= INT_MAX ? pid : 0;
}

}  // namespace detail

FileHooks& fileHooks() {
    static FileHooks hooks;
    return hooks;
}

std::string reasonText(int error) {
    if (error == NotRegularFile) return "Not a regular file";
    return std::strerror(error);
}

// ---- reading

RegularFile::~RegularFile() {
    if (fd_ >= 0) detail::closeFile(fd_);
}

FileResult RegularFile::open(const std::string& path) {
    return {detail::openRegular(path, fd_)};
}

ssize_t RegularFile::read(char* buffer, std::size_t size) {
    if (error_ != 0) return -1;
    // At most one byte past the limit is asked for: the file is too long
    // as soon as it is there.
    size = std::min(size, MaxFileSize + 1 - done_);
    for (;;) {
        // A hook runs as a copy: it may replace the hooks while it runs.
        auto hook = fileHooks().read;
        ssize_t n = hook ? hook(fd_, buffer, size) : detail::systemRead(fd_, buffer, size);
        if (n >= 0) {
            done_ += static_cast<std::size_t>(n);
            if (done_ <= MaxFileSize) return n;
            error_ = EFBIG;
            return -1;
        }
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
    const detail::TargetState target = detail::inspect(path);
    return target.regular && target.readOnly;
}

FileResult writeFileReplacing(const std::string& requested, std::string_view content, TargetLink link) {
    const std::string path = detail::replacementTarget(requested, link);
    const detail::TargetState target = detail::inspect(path);
    if (target.folder) return {EISDIR};
    if (target.exists && !target.regular) return {NotRegularFile};
    if (target.exists && target.readOnly) return {EACCES};

    const std::string folder = detail::folderOf(path);
    const std::string base = detail::nameOf(path);
    detail::removeStaleTemporaries(folder, base);
    std::string temp;
    if (int e = detail::makeTemporary(folder, base, content, target.exists ? &target : nullptr, temp)) return {e};
    if (auto hook = fileHooks().beforeReplace) hook(path);
    if (int e = detail::replaceWith(temp, path)) return {e};
    detail::syncFolder(folder);
    return {};
}

}  // namespace tavro::files
