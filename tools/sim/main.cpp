// tavro-sim: a processor on a pseudo-terminal, for trying the program's
// transfers without hardware and for the end-to-end tests.
//
//   tavro-sim [--link PATH] [--table FILE] [--dump FILE] [--pace]
//             [--fault MODE]... [--verbose]
//
// It opens a pseudo-terminal pair in raw mode and keeps a handle to the
// device side of its own, so the program may open and close the device as
// often as it likes. The device is linked at PATH, or its name is printed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Processor.h"
#include "TavroVersion.h"

namespace {

using tavro::sim::Processor;

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// One byte at 9600 baud with a start and a stop bit.
constexpr long ByteTimeNs = 1'042'000;

const char* const usageText =
    "Usage: tavro-sim [--link PATH] [--table FILE] [--dump FILE] [--pace]\n"
    "                 [--fault MODE]... [--verbose]\n";

const char* const helpText =
    "A processor on a pseudo-terminal. Point the program's port at its device\n"
    "(TAVRO_COM1=PATH) and every operation of the Operations menu works.\n"
    "\n"
    "  --link PATH    make PATH a symbolic link to the device (replacing an old\n"
    "                 link there); without it the device name is printed\n"
    "  --table FILE   start with these values: lines \"ADDR VALUE\" (address in\n"
    "                 hex, value 0..255 in decimal) or the lines that\n"
    "                 \"tavro-cli image\" prints; '#' starts a comment line.\n"
    "                 Addresses not listed keep the register map's initial values.\n"
    "  --dump FILE    write the table as \"ADDR VALUE\" lines when ending\n"
    "                 (SIGTERM, SIGINT or SIGHUP)\n"
    "  --pace         send answer bytes 1.042 ms apart, as a 9600-baud line does\n"
    "  --fault MODE   misbehave, for tests:\n"
    "                   silent          never answer\n"
    "                   refuse-writes   refuse every write (byte 1 of the answer 0)\n"
    "                   bad-read        read answers start with 0xD8, not 0xD9\n"
    "                   short           answer frames with one byte only\n"
    "                   wrong-check     answer the connection check with 0xD4\n"
    "                   hangup-after=N  hang up the line when a request follows N\n"
    "                                   answered ones (0: at the first request)\n"
    "                   mismatch=ADDR   reads of ADDR (hex) answer another value\n"
    "  --verbose      print every request and answer on standard error\n"
    "  --help         this text\n"
    "  --version      the program's name and version\n";

volatile sig_atomic_t stopSignal = 0;
int wakePipe[2] = {-1, -1};

void onSignal(int signal) {
    stopSignal = signal;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

long long nowMs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

void sleepNs(long ns) {
    timespec t{0, ns};
    while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

struct Options {
    std::string link;
    std::string table;
    std::string dump;
    bool pace = false;
    bool verbose = false;
    tavro::sim::Faults faults;
};

int usage(const std::string& problem) {
    std::cerr << "tavro-sim: " << problem << "\n" << usageText;
    return ExitUsage;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string s;
    char b[4];
    for (std::uint8_t v : bytes) {
        std::snprintf(b, sizeof b, "%02X ", v);
        s += b;
    }
    if (!s.empty()) s.pop_back();
    return s;
}

// The pseudo-terminal pair: the side the simulator reads and writes, and its
// own handle to the device side.
struct Line {
    int master = -1;
    int device = -1;
    std::string deviceName;

    bool open(std::string& error) {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0) {
            error = systemError("posix_openpt");
            return false;
        }
        if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            error = systemError("grantpt/unlockpt");
            return false;
        }
        char name[256];
        if (::ptsname_r(master, name, sizeof name) != 0) {
            error = systemError("ptsname");
            return false;
        }
        deviceName = name;
        device = ::open(name, O_RDWR | O_NOCTTY);
        if (device < 0) {
            error = systemError(deviceName);
            return false;
        }
        termios t{};
        if (::tcgetattr(device, &t) != 0) {
            error = systemError("tcgetattr");
            return false;
        }
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B9600);
        ::cfsetospeed(&t, B9600);
        if (::tcsetattr(device, TCSANOW, &t) != 0) {
            error = systemError("tcsetattr");
            return false;
        }
        return true;
    }
    void hangUp() {
        if (device >= 0) ::close(device);
        if (master >= 0) ::close(master);
        device = master = -1;
    }
    bool send(const std::vector<std::uint8_t>& bytes, bool pace) {
        for (std::uint8_t b : bytes) {
            if (pace) sleepNs(ByteTimeNs);
            ssize_t n;
            do n = ::write(master, &b, 1);
            while (n < 0 && errno == EINTR);
            if (n != 1) return false;
        }
        return true;
    }
};

// PATH becomes a link to the device; an existing link is replaced, anything
// else at PATH is left alone.
bool makeLink(const std::string& path, const std::string& target, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = path + " exists and is not a symbolic link";
        return false;
    }
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0) {
        error = systemError("symlink " + temporary);
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = systemError("rename to " + path);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Removes the link only while it still leads to this simulator's device.
void removeLink(const std::string& path, const std::string& target) {
    if (path.empty()) return;
    char buffer[512];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n < 0) return;
    buffer[n] = '\0';
    if (target == buffer) ::unlink(path.c_str());
}

bool dumpTable(const Processor& processor, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    processor.dumpTable(out);
    out.close();
    if (!out) {
        std::cerr << "tavro-sim: cannot write " << path << "\n";
        return false;
    }
    return true;
}

std::optional<std::string> parse(int argc, char* argv[], Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) -> std::optional<std::string> {
            if (i + 1 >= argc) return a + " needs a value";
            into = argv[++i];
            return std::nullopt;
        };
        std::optional<std::string> problem;
        std::string fault;
        if (a == "--link")
            problem = value(o.link);
        else if (a == "--table")
            problem = value(o.table);
        else if (a == "--dump")
            problem = value(o.dump);
        else if (a == "--pace")
            o.pace = true;
        else if (a == "--verbose" || a == "-v")
            o.verbose = true;
        else if (a == "--fault") {
            problem = value(fault);
            if (!problem) problem = tavro::sim::parseFault(fault, o.faults);
        } else
            problem = "unknown argument '" + a + "'";
        if (problem) return problem;
    }
    return std::nullopt;
}

int run(const Options& o) {
    Processor processor;
    processor.faults = o.faults;
    if (!o.table.empty()) {
        std::ifstream in(o.table, std::ios::binary);
        if (!in) {
            std::cerr << "tavro-sim: cannot read " << o.table << "\n";
            return ExitFailed;
        }
        if (auto problem = processor.loadTable(in)) {
            std::cerr << "tavro-sim: " << o.table << ": " << *problem << "\n";
            return ExitFailed;
        }
    }

    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::cerr << "tavro-sim: " << systemError("pipe") << "\n";
        return ExitFailed;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    Line line;
    std::string error;
    if (!line.open(error)) {
        std::cerr << "tavro-sim: " << error << "\n";
        return ExitFailed;
    }
    if (!o.link.empty()) {
        if (!makeLink(o.link, line.deviceName, error)) {
            std::cerr << "tavro-sim: " << error << "\n";
            return ExitFailed;
        }
        if (o.verbose) std::cerr << "tavro-sim: " << o.link << " -> " << line.deviceName << "\n";
    } else {
        std::cout << line.deviceName << std::endl;
    }

    std::vector<std::uint8_t> request;
    while (stopSignal == 0) {
        pollfd fds[2] = {{wakePipe[0], POLLIN, 0}, {line.master, POLLIN, 0}};
        const nfds_t count = line.master >= 0 ? 2 : 1;
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR) continue;
            std::cerr << "tavro-sim: " << systemError("poll") << "\n";
            break;
        }
        if (count < 2 || (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
        std::uint8_t buffer[256];
        const ssize_t n = ::read(line.master, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) {
            // Cannot happen while the simulator holds the device open.
            std::cerr << "tavro-sim: " << systemError("read") << "\n";
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (processor.hangupDue()) {
                // The next request finds the device gone: the program's
                // handle hangs up and the link leads nowhere any more. The
                // answers before it have all been read by then.
                if (o.verbose) std::cerr << "tavro-sim: hanging up\n";
                removeLink(o.link, line.deviceName);
                line.hangUp();
                break;
            }
            if (o.verbose) request.push_back(buffer[i]);
            const int before = processor.exchanges();
            const std::vector<std::uint8_t> answer = processor.receive(buffer[i], nowMs());
            if (processor.exchanges() == before) continue;
            if (o.verbose) {
                std::cerr << "-> " << hex(request) << "  <- " << (answer.empty() ? "(nothing)" : hex(answer)) << "\n";
                request.clear();
            }
            if (!answer.empty() && !line.send(answer, o.pace))
                std::cerr << "tavro-sim: " << systemError("write") << "\n";
        }
    }

    removeLink(o.link, line.deviceName);
    line.hangUp();
    if (!o.dump.empty() && !dumpTable(processor, o.dump)) return ExitFailed;
    return ExitOk;
}

}  // namespace

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::cout << usageText << "\n" << helpText;
            return ExitOk;
        }
        if (std::string(argv[i]) == "--version") {
            std::cout << "tavro-sim " TAVRO_VERSION "\n";
            return ExitOk;
        }
    }
    Options options;
    if (auto problem = parse(argc, argv, options)) return usage(*problem);
    return run(options);
}
