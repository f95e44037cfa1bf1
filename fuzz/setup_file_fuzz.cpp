// Fuzz target of the setup file on disk: the reader's open and read of a
// real file with read errors injected, and the options rewrite of the
// close on the real "Default.dfg" with write errors and a second close
// injected.
//
// An input is five bytes of plan followed by the file's content:
//   byte 0  bit 0: a read fails once `read at` bytes were read
//           bit 1: a write of the rewrite fails once `write at` bytes
//                  were written
//           bit 2: another close stores its options just before this
//                  close's new file replaces "Default.dfg"
//           bits 3-5: reads deliver at most 1 << bits bytes at a time
//           bits 6-7: the COM port stored (1..4)
//   bytes 1-2  read at (little-endian)
//   bytes 3-4  write at (little-endian)
// What must hold for any input:
//   - a read that failed returns -1, sets DefaultFileUnreadable and
//     changes nothing; one that did not reads what the same content in
//     memory gives;
//   - after the rewrite "Default.dfg" is one complete regular file: the
//     old one when a write failed, else the content with the options
//     replaced (this close's, the last writer's), and no other file is
//     left beside it.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "ScriptedHost.h"
#include "files/AtomicFile.h"
#include "forms/SetupFile.h"
#include "forms/Setupmain.h"

namespace {

using namespace tavro;
namespace fs = std::filesystem;

void check(bool condition) {
    if (!condition) std::abort();
}

// A scratch folder for the whole run, emptied before each input.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tavro-file-fuzz-XXXXXX").string();
        check(::mkdtemp(pattern.data()) != nullptr);
        dir = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void empty() const {
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    std::string dir;
};

std::unique_ptr<TTavroSetupMain> freshWindow(Host& host, const std::string& dir) {
    auto w = std::make_unique<TTavroSetupMain>(host);
    w->ReadSetupFileHook = nullptr;
    w->FormCreate();
    w->StartDirectory = dir;
    return w;
}

void writePlain(const std::string& path, std::string_view content) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0);
    check(::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()));
    check(::close(fd) == 0);
}

std::string readPlain(const std::string& path) {
    std::string content;
    check(static_cast<bool>(files::readRegularFile(path, content)));
    return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    static test::ScriptedHost host;
    static const Scratch scratch;
    scratch.empty();
    files::fileHooks() = {};

    const std::uint8_t plan = data[0];
    const std::size_t readAt = data[1] | (data[2] << 8);
    const std::size_t writeAt = data[3] | (data[4] << 8);
    const std::size_t piece = std::size_t{1} << ((plan >> 3) & 7);
    const std::string_view content(reinterpret_cast<const char*>(data) + 5, size - 5);
    const std::string defaultFile = scratch.dir + "/" + DefaultSetupFileName;
    writePlain(defaultFile, content);

    // Reading the real file.
    std::size_t delivered = 0;
    bool readFailed = false;
    files::fileHooks().read = [&](int fd, void* buffer, std::size_t n) -> ssize_t {
        if ((plan & 1) && delivered >= readAt) {
            readFailed = true;
            errno = EIO;
            return -1;
        }
        std::size_t most = std::min(n, piece);
        if (plan & 1) most = std::min(most, readAt - delivered);
        ssize_t got = ::read(fd, buffer, most);
        if (got > 0) delivered += static_cast<std::size_t>(got);
        return got;
    };
    std::unique_ptr<TTavroSetupMain> w = freshWindow(host, scratch.dir);
    std::unique_ptr<TTavroSetupMain> reference = freshWindow(host, scratch.dir);
    const std::string untouched = FormatSetupText(*w);
    const ReadResult result = ReadSetupFile(*w, defaultFile);
    files::fileHooks() = {};
    if (readFailed) {
        check(result == ReadResult::CannotOpen);
        check(w->DefaultFileUnreadable);
        check(FormatSetupText(*w) == untouched);
    } else {
        check(result == ReadSetupText(*reference, content));
        check(FormatSetupText(*w) == FormatSetupText(*reference));
    }

    // The options rewrite of the close, on the real file.
    w->Opts.ComPort = static_cast<std::uint8_t>(1 + (plan >> 6));
    reference->Opts.ComPort = static_cast<std::uint8_t>(1 + w->Opts.ComPort % 4);
    std::size_t written = 0;
    bool writeFailed = false;
    if (plan & 2)
        files::fileHooks().write = [&](int fd, const void* buffer, std::size_t n) -> ssize_t {
            if (written >= writeAt) {
                writeFailed = true;
                errno = ENOSPC;
                return -1;
            }
            ssize_t put = ::write(fd, buffer, std::min(n, writeAt - written));
            if (put > 0) written += static_cast<std::size_t>(put);
            return put;
        };
    bool otherStored = false;
    if (plan & 4)
        files::fileHooks().beforeReplace = [&](const std::string&) {
            if (otherStored) return;
            otherStored = true;
            const files::FileHooks mine = files::fileHooks();
            files::fileHooks() = {};
            check(StoreOptionsInDefaultFile(*reference));
            files::fileHooks() = mine;
        };
    const bool stored = StoreOptionsInDefaultFile(*w);
    files::fileHooks() = {};
    check(stored == !writeFailed);
    struct stat st {};
    check(::lstat(defaultFile.c_str(), &st) == 0 && S_ISREG(st.st_mode));
    check(scratch.entries() == 1);
    if (writeFailed) {
        check(readPlain(defaultFile) == content);
    } else {
        const std::string expected = ReplaceOptionsBlock(content, *w);
        check(readPlain(defaultFile) == expected);
        // Once more on the result: the block is found again and stays one.
        check(StoreOptionsInDefaultFile(*w));
        check(readPlain(defaultFile) == ReplaceOptionsBlock(expected, *w));
    }
    return 0;
}
