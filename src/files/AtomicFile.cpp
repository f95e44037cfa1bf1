#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace tavro::files {

namespace {

bool writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool syncAndClose(int fd) {
    bool ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    return ok;
}

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

// A symbolic link is followed, so that saving replaces the file it names
// and keeps the link.
std::string resolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    auto target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

}  // namespace

bool isReadOnlyFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

bool writeFileReplacing(const std::string& requested, std::string_view content) {
    const std::string path = resolveLink(requested);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0)) return false;

    const std::string folder = folderOf(path);
    const std::string base = std::filesystem::path(path).filename().string();
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + base + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    if (exists) ::fchmod(fd, st.st_mode & 07777);

    bool ok = writeAll(fd, content);
    ok = syncAndClose(fd) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool writeFileCreating(const std::string& path, std::string_view content) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, content);
    ok = syncAndClose(fd) && ok;
    if (!ok) ::unlink(path.c_str());
    return ok;
}

bool replaceByRename(const std::string& from, const std::string& to) {
    struct stat st {};
    if (::stat(to.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::chmod(from.c_str(), st.st_mode & 07777);
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    syncFolder(folderOf(to));
    return true;
}

}  // namespace tavro::files
