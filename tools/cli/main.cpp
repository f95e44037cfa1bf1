// tavro-cli: the setup and its parameter image on the command line, on the
// same core as the program.
//
//   tavro-cli image   [--default FILE] [SETUP]
//   tavro-cli convert [--default FILE] SETUP OUT
//   tavro-cli apply   [--default FILE] [--setup SETUP] IMAGE OUT
//   tavro-cli check    [--default FILE] [--port DEV]
//   tavro-cli upload   [--default FILE] [--port DEV] [--verify] SETUP
//   tavro-cli download [--default FILE] [--port DEV] [--setup SETUP] OUT
//   tavro-cli verify   [--default FILE] [--port DEV] SETUP
//   tavro-cli diff     [--default FILE] [--raw] A B
//   tavro-cli compare  [--default FILE] [--port DEV] [--raw] SETUP
//   tavro-cli backups  [--dir DIR]
//   tavro-cli restore  [--default FILE] [--port DEV] [--no-backup] [--dir DIR] BACKUP
//   tavro-cli --help | --version
//
// Every command starts as the program does, with FILE (./Default.dfg unless
// given) as the default setup.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CliHost.h"
#include "CommandLine.h"
#include "TavroVersion.h"
#include "files/AtomicFile.h"
#include "forms/ImageBuilder.h"
#include "forms/Program.h"
#include "forms/RegisterMap.h"
#include "forms/Sercomm.h"
#include "forms/SetupCompare.h"
#include "forms/SetupFile.h"
#include "link/Backups.h"
#include "link/PortNames.h"

namespace {

using tavro::TTavroSetupMain;
using tavro::cli::CliHost;

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
// diff and compare, as diff: 0 the same, 1 different, 2 trouble.
constexpr int ExitSame = 0;
constexpr int ExitDifferent = 1;
constexpr int ExitTrouble = 2;

const char* const usageText =
    "Usage:\n"
    "  tavro-cli image   [--default FILE] [SETUP]\n"
    "  tavro-cli convert [--default FILE] SETUP OUT\n"
    "  tavro-cli apply   [--default FILE] [--setup SETUP] IMAGE OUT\n"
    "  tavro-cli check    [--default FILE] [--port DEV]\n"
    "  tavro-cli upload   [--default FILE] [--port DEV] [--verify] [--no-backup] [--dir DIR] SETUP\n"
    "  tavro-cli download [--default FILE] [--port DEV] [--setup SETUP] [--dir DIR] OUT\n"
    "  tavro-cli verify   [--default FILE] [--port DEV] SETUP\n"
    "  tavro-cli diff     [--default FILE] [--raw] A B\n"
    "  tavro-cli compare  [--default FILE] [--port DEV] [--raw] SETUP\n"
    "  tavro-cli backups  [--dir DIR]\n"
    "  tavro-cli restore  [--default FILE] [--port DEV] [--no-backup] [--dir DIR] BACKUP\n"
    "  tavro-cli --help\n"
    "  tavro-cli --version\n";

const char* const helpText =
    "Commands:\n"
    "  image    Prints the parameter image of a setup: the default setup, or SETUP\n"
    "           opened on top of it. One line per entry 0..394:\n"
    "             <entry> <address, 4 hex digits> <value> <1 if the entry belongs\n"
    "             to the visible part of the setup, else 0>\n"
    "           for example \"22 001D 130 1\".\n"
    "  convert  Opens SETUP on top of the default setup and saves the result as\n"
    "           OUT, as File Open and Save As do.\n"
    "  apply    Takes the values of an image as if downloaded from the\n"
    "           processor, applies them to the default setup, or to SETUP opened\n"
    "           on top of it, and saves the result as OUT. Its lines are\n"
    "             <entry> <value>  or  <entry> <address> <value> [0|1]\n"
    "           (as image prints them; the address must be the entry's own);\n"
    "           blank lines and lines starting with # are skipped, entries not\n"
    "           listed keep their values, any other line is an error and OUT is\n"
    "           not written. A value the setting does not take leaves it as it\n"
    "           was, as a download does, and is named on standard error.\n"
    "  check    Checks the connection to the processor and prints the result.\n"
    "  upload   Opens SETUP on top of the default setup and sends every entry of\n"
    "           its visible part to the processor (Upload All Settings); with\n"
    "           --verify every entry sent is read back and compared.\n"
    "  download Reads every visible entry from the processor into the default\n"
    "           setup (or SETUP opened on top of it), applies it as Download\n"
    "           Settings does, and saves the result as OUT.\n"
    "  verify   Opens SETUP and compares every entry of its visible part with\n"
    "           what the processor holds.\n"
    "  diff     Opens A and B, each on top of the default setup, and prints one\n"
    "           line per setting that differs among the entries visible in\n"
    "           either, in entry order:\n"
    "             <group> / <setting>: <value in A> -> <value in B>\n"
    "           with the values as the window shows them.\n"
    "  compare  Opens SETUP, reads what the processor holds of its visible part\n"
    "           (writing nothing) and prints the settings that differ, as diff\n"
    "           does, SETUP -> processor.\n"
    "  backups  Lists the processor backups, newest first, one line each:\n"
    "             <file> TAB <date> TAB <operation> TAB <setup> TAB <entries>\n"
    "  restore  Uploads exactly the entries of BACKUP with its values (backed up\n"
    "           first, as every upload), then reads them back and compares;\n"
    "           exit status 0 only when every entry was verified.\n"
    "  upload, restore and download store a backup of what the processor held\n"
    "  (an upload before it writes, a download what it read) in the backups\n"
    "  folder: ./backups, the environment variable TAVRO_BACKUP_DIR, or --dir.\n"
    "  A failed backup read or store writes nothing.\n"
    "  The transfer commands print the operation's final text; when standard\n"
    "  error is a terminal they show the entries done on it as they go.\n"
    "\n"
    "Options:\n"
    "  --default FILE  the default setup read at start (default ./Default.dfg)\n"
    "  --setup SETUP   (apply, download) a setup opened first\n"
    "  --port DEV      a serial device (/dev/ttyUSB0) or COM1..COM4; without it\n"
    "                  the setup's COM port; COMn is the device named by the\n"
    "                  environment variable TAVRO_COMn, else /dev/ttyS(n-1);\n"
    "                  on Windows COMn is the Windows port COMn\n"
    "  --verify        (upload) verify automatically after the upload\n"
    "  --no-backup     (upload, restore) write without backing up the processor\n"
    "  --dir DIR       (upload, download, restore, backups) the backups folder\n"
    "  --raw           (diff, compare) one line per differing entry instead:\n"
    "                  <entry> <address, 4 hex digits> <value> <value>\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 failed (a file could not be read or written, or a\n"
    "transfer failed; the program's message is printed), 2 wrong usage.\n"
    "diff and compare: 0 no difference, 1 differences, 2 trouble (wrong usage, a\n"
    "file that cannot be read, a failed transfer).\n";

struct Arguments {
    std::string command;
    std::string defaultFile = tavro::DefaultSetupFileName;
    std::optional<std::string> setup;  // --setup
    std::optional<std::string> port;   // --port
    bool verify = false;               // --verify
    bool raw = false;                  // --raw
    bool noBackup = false;             // --no-backup
    std::optional<std::string> dir;    // --dir
    std::vector<std::string> positional;
};

int usage(const std::string& problem) {
    std::cerr << "tavro-cli: " << problem << "\n" << usageText;
    return ExitUsage;
}

// Parses the command line; an error text when it is wrong.
std::optional<std::string> parse(int argc, char* argv[], Arguments& args) {
    if (argc < 2) return "no command given";
    args.command = argv[1];
    const std::string& c = args.command;
    const bool transfer =
        c == "check" || c == "upload" || c == "download" || c == "verify" || c == "compare" || c == "restore";
    const bool backs = c == "upload" || c == "download" || c == "restore" || c == "backups";
    if (c != "image" && c != "convert" && c != "apply" && c != "diff" && c != "backups" && !transfer)
        return "unknown command '" + c + "'";
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--default" || (a == "--setup" && (c == "apply" || c == "download")) || (a == "--port" && transfer)) {
            if (i + 1 >= argc) return a + " needs a value";
            (a == "--default" ? args.defaultFile : a == "--setup" ? args.setup.emplace() : args.port.emplace()) = argv[++i];
        } else if (a == "--dir" && backs) {
            if (i + 1 >= argc) return a + " needs a value";
            args.dir = argv[++i];
        } else if (a == "--no-backup" && (c == "upload" || c == "restore")) {
            args.noBackup = true;
        } else if (a == "--verify" && c == "upload") {
            args.verify = true;
        } else if (a == "--raw" && (c == "diff" || c == "compare")) {
            args.raw = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else {
            args.positional.push_back(a);
        }
    }
    const std::size_t n = args.positional.size();
    if (args.command == "image" && n > 1) return "image takes at most one setup";
    if (args.command == "convert" && n != 2) return "convert needs SETUP and OUT";
    if (args.command == "apply" && n != 2) return "apply needs IMAGE and OUT";
    if (c == "check" && n != 0) return "check takes no file";
    if ((c == "upload" || c == "verify") && n != 1) return c + " needs SETUP";
    if (c == "download" && n != 1) return "download needs OUT";
    if (c == "diff" && n != 2) return "diff needs A and B";
    if (c == "compare" && n != 1) return "compare needs SETUP";
    if (c == "backups" && n != 0) return "backups takes no file";
    if (c == "restore" && n != 1) return "restore needs BACKUP";
    return std::nullopt;
}

// The program's messages, one per line, on standard error; true when there
// were any.
bool reportMessages(CliHost& host) {
    for (const std::string& m : host.messages) std::cerr << m << "\n";
    const bool any = !host.messages.empty();
    host.messages.clear();
    return any;
}

// Opens a setup as File Open does; false after a failure (reported).
bool openSetup(TTavroSetupMain& w, CliHost& host, const std::string& path) {
    host.openPath = path;
    w.FileOpenClick();
    return !reportMessages(host);
}

// Saves as Save As does; false after a failure (reported).
bool saveSetup(TTavroSetupMain& w, CliHost& host, const std::string& path) {
    host.savePath = path;
    w.FileSaveAsClick();
    return !reportMessages(host);
}

// The longest line an image can hold: image prints far shorter ones.
constexpr std::size_t MaxImageLineLength = 200;

bool badImageLine(const std::string& path, int number, const std::string& line) {
    std::cerr << path << ":" << number
              << ": not an image line (ENTRY [ADDRESS] VALUE [0|1]: entry 0..394, its address, value 0..255): "
              << line.substr(0, MaxImageLineLength) << (line.size() > MaxImageLineLength ? "..." : "") << "\n";
    return false;
}

// The values an image file lists, by entry; none for an entry not listed.
using ListedValues = std::vector<std::optional<int>>;

// One image line into the image: "ENTRY VALUE", or "ENTRY ADDRESS VALUE"
// with the entry's own address, optionally followed by the visibility flag
// (0 or 1) as image prints it. Blank lines and lines starting with '#' are
// skipped.
bool readImageLine(TTavroSetupMain& w, const std::string& path, int number, std::string line, ListedValues& listed) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> fields = tavro::imageLineFields(line);
    if (fields.empty() || fields[0][0] == '#') return true;
    if (fields.size() > 4) return badImageLine(path, number, line);
    const std::optional<int> entry = tavro::decimalField(fields[0]);
    if (!entry || *entry >= tavro::ImageEntryCount) return badImageLine(path, number, line);
    tavro::ParameterEntry& e = w.ParameterImage[static_cast<std::size_t>(*entry)];
    if (fields.size() >= 3 && tavro::addressField(fields[1]) != std::optional<int>(e.address()))
        return badImageLine(path, number, line);
    if (fields.size() == 4 && fields[3] != "0" && fields[3] != "1") return badImageLine(path, number, line);
    const std::optional<int> value = tavro::decimalField(fields.size() == 2 ? fields[1] : fields[2]);
    if (!value || *value > 255) return badImageLine(path, number, line);
    e.Value = static_cast<std::uint8_t>(*value);
    listed[static_cast<std::size_t>(*entry)] = *value;
    return true;
}

// Reads the image's lines into the image. Only a regular file that can be
// read to its end and is not longer than a setup file may be counts; a line
// longer than any image line is a bad line, so reading never holds more
// than one such line.
bool readImageValues(TTavroSetupMain& w, const std::string& path, ListedValues& listed) {
    tavro::files::RegularFile file;
    int error = file.open(path).error;
    std::string line;
    int number = 1;
    char buffer[16384];
    for (ssize_t n; error == 0 && (n = file.read(buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            error = file.error();
            break;
        }
        for (const char* p = buffer; p < buffer + n; ++p) {
            if (*p != '\n') {
                line.push_back(*p);
                if (line.size() > MaxImageLineLength + 1) return badImageLine(path, number, line);
                continue;
            }
            if (!readImageLine(w, path, number++, line, listed)) return false;
            line.clear();
        }
    }
    if (error != 0) {
        std::cerr << "Unable to open " << path << "." << tavro::reasonLine(tavro::files::reasonText(error)) << "\n";
        return false;
    }
    return readImageLine(w, path, number, line, listed);
}

// The listed values the setup did not take, each named on standard error
// with what its setting kept: "entry 12: 255 is not a Center level value;
// kept -1.5 dB" ("an" before a name that starts with a vowel).
void reportValuesNotTaken(const TTavroSetupMain& w, const ListedValues& listed) {
    for (int k = 0; k < tavro::ImageEntryCount; ++k) {
        const std::optional<int>& value = listed[static_cast<std::size_t>(k)];
        if (!value || tavro::entryAccepts(w, tavro::registerRow(k), *value)) continue;
        const std::string_view name = tavro::entryName(k);
        const bool vowel = std::string_view("AEIOU").find(name.front()) != std::string_view::npos;
        std::cerr << "entry " << k << ": " << *value << " is not " << (vowel ? "an " : "a ") << name << " value; kept "
                  << tavro::settingText(w, k) << "\n";
    }
}

void printImage(TTavroSetupMain& w) {
    for (int k = 0; k < tavro::ImageEntryCount; ++k) {
        const tavro::ParameterEntry& e = w.ParameterImage[static_cast<std::size_t>(k)];
        std::printf("%d %04X %d %d\n", k, e.address(), e.Value, w.ChangedMask[static_cast<std::size_t>(k)] ? 1 : 0);
    }
}

// Entries done of the phase's total on a terminal's standard error.
void showProgress(int done, int total) {
    std::fprintf(stderr, "\r%d of %d entries", done, total);
    if (done >= total) std::fputc('\n', stderr);
    std::fflush(stderr);
}

// The port --port names (a COM number or a device), over the setup's own,
// and the progress on a terminal's standard error.
void prepareLink(const Arguments& args, TTavroSetupMain& w, CliHost& host) {
    if (args.port) {
        if (const std::optional<int> n = tavro::comPortNumber(*args.port))
            w.Opts.ComPort = static_cast<std::uint8_t>(*n);
        else
            host.usePort(*args.port);
    }
    if (::isatty(STDERR_FILENO) != 0) host.onProgress = showProgress;
}

int transfer(const Arguments& args, TTavroSetupMain& w, CliHost& host) {
    const std::string& c = args.command;
    // The setup comes first: its options name a port that --port overrides.
    const std::optional<std::string> setup = c == "download" ? args.setup
                                             : c == "check"  ? std::nullopt
                                                             : std::optional<std::string>(args.positional[0]);
    if (setup && !openSetup(w, host, *setup)) return ExitFailed;
    prepareLink(args, w, host);
    if (c == "check") {
        w.OperationsCheckConnection.userClick();
    } else if (c == "upload") {
        w.Opts.AutoVerify = args.verify ? 1 : 0;
        w.OperationsWriteSettings.userClick();
    } else if (c == "download") {
        w.OperationsReadSettings.userClick();
    } else {  // verify
        // Every entry of the visible part counts as transferred.
        tavro::MarkVisibleEntries(w);
        w.VerifyMask.Flags = w.ChangedMask;
        tavro::ClearChanged(w);
        w.OperationsVerifySettings.setEnabled(true);
        w.OperationsVerifySettings.userClick();
    }
    const bool ok =
        w.CommOperation != tavro::CommOperation::OpFailed && w.CommOperation != tavro::CommOperation::OpIdle;
    // A download is done when its result is saved: until then its success
    // text would say what is not so.
    if (ok && c == "download" && !saveSetup(w, host, args.positional[0])) {
        std::cerr << "The downloaded settings were not saved as " << args.positional[0] << ".\n";
        return ExitFailed;
    }
    std::cout << host.finalText << "\n";
    if (!host.detailText.empty()) std::cerr << host.detailText << "\n";
    if (!ok) return ExitFailed;
    if (c == "check" && host.finalText != "Serial connection established.") return ExitFailed;
    return ExitOk;
}

// The program started as the window starts, with FILE as its default
// setup; no program after a failure (reported). A connection check needs
// no setup when the port is given.
std::unique_ptr<tavro::Program> startProgram(CliHost& host, const Arguments& args) {
    // The default setup is read by the program's own reader, from FILE.
    const std::string defaultFile = args.defaultFile;
    auto program = std::make_unique<tavro::Program>(host, [defaultFile](TTavroSetupMain& w) {
        auto reader = w.ReadSetupFileHook;
        w.ReadSetupFileHook = [reader, defaultFile](TTavroSetupMain& m, const std::string& path) {
            return reader(m, path == tavro::DefaultSetupFileName ? defaultFile : path);
        };
    });
    TTavroSetupMain& w = program->main();
    if (w.DefaultFileUnreadable && !(args.command == "check" && args.port)) {
        std::cerr << "Unable to open " << args.defaultFile << "." << tavro::reasonLine(w.ReadFailureReason) << "\n";
        return nullptr;
    }
    if (w.DefaultFileCorrupted) {
        std::cerr << "Error: Default.dfg is corrupted.\n";
        return nullptr;
    }
    // As the window's first showing leaves them.
    w.FileSave.setEnabled(false);
    w.WriteChangedSettings.setEnabled(false);
    w.OperationsVerifySettings.setEnabled(false);
    if (reportMessages(host)) return nullptr;
    return program;
}

// The differences, one line per setting or with --raw one per entry; the
// exit status as diff's.
int printDifferences(const Arguments& args, const std::vector<tavro::EntryDifference>& entries,
                     const std::vector<tavro::SettingDifference>& settings) {
    if (args.raw)
        for (const tavro::EntryDifference& d : entries) std::cout << tavro::rawDifferenceLine(d) << "\n";
    else
        for (const tavro::SettingDifference& d : settings) std::cout << tavro::differenceLine(d) << "\n";
    std::cout.flush();
    if (!std::cout) return ExitTrouble;
    return entries.empty() ? ExitSame : ExitDifferent;
}

// diff A B: each in a program of its own, as image opens a setup.
int diff(const Arguments& args) {
    CliHost hostA;
    CliHost hostB;
    const std::unique_ptr<tavro::Program> a = startProgram(hostA, args);
    if (a == nullptr) return ExitTrouble;
    const std::unique_ptr<tavro::Program> b = startProgram(hostB, args);
    if (b == nullptr) return ExitTrouble;
    if (!openSetup(a->main(), hostA, args.positional[0]) || !openSetup(b->main(), hostB, args.positional[1]))
        return ExitTrouble;
    const std::vector<tavro::EntryDifference> entries = tavro::compareSetups(a->main(), b->main());
    return printDifferences(args, entries, tavro::settingDifferences(a->main(), b->main(), entries));
}

// compare SETUP: Compare with Processor, its list printed instead of shown.
int compare(const Arguments& args, TTavroSetupMain& w, CliHost& host) {
    if (!openSetup(w, host, args.positional[0])) return ExitTrouble;
    prepareLink(args, w, host);
    w.OperationsCompare.userClick();
    if (!host.comparedEntries) {
        // The read failed: the communication texts say why.
        std::cerr << host.finalText << "\n";
        if (!host.detailText.empty()) std::cerr << host.detailText << "\n";
        return ExitTrouble;
    }
    return printDifferences(args, *host.comparedEntries, host.comparedSettings);
}

// The backups folder: --dir, else TAVRO_BACKUP_DIR, else ./backups.
std::string backupFolder(const Arguments& args) {
    if (args.dir) return *args.dir;
    const char* env = std::getenv("TAVRO_BACKUP_DIR");
    return env != nullptr && *env != '\0' ? env : tavro::BackupFolderName;
}

int listBackups(const Arguments& args) {
    for (const tavro::BackupListing& b : tavro::listBackups(backupFolder(args)))
        std::cout << b.file << "\t" << b.date << "\t" << b.operation << "\t" << b.setup << "\t" << b.entries << "\n";
    std::cout.flush();
    return std::cout ? ExitOk : ExitFailed;
}

// restore BACKUP: exactly its entries written, backed up first, verified.
int restore(const Arguments& args, TTavroSetupMain& w, CliHost& host) {
    tavro::BackupContents backup;
    if (const std::optional<std::string> problem = tavro::readBackup(args.positional[0], backup)) {
        std::cerr << *problem << "\n";
        return ExitFailed;
    }
    prepareLink(args, w, host);
    const bool verified = w.RestoreBackup(backup.image, backup.entries);
    std::cout << host.finalText << "\n";
    if (!host.detailText.empty()) std::cerr << host.detailText << "\n";
    return verified ? ExitOk : ExitFailed;
}

int run(const Arguments& args) {
    if (args.command == "diff") return diff(args);
    if (args.command == "backups") return listBackups(args);
    CliHost host;
    const std::unique_ptr<tavro::Program> program = startProgram(host, args);
    if (program == nullptr) return args.command == "compare" ? ExitTrouble : ExitFailed;
    TTavroSetupMain& w = program->main();
    w.BackupFolder = backupFolder(args);
    if (args.noBackup) w.BackupBeforeUpload = false;
    if (args.command == "compare") return compare(args, w, host);
    if (args.command == "restore") return restore(args, w, host);

    if (args.command == "check" || args.command == "upload" || args.command == "download" || args.command == "verify")
        return transfer(args, w, host);
    if (args.command == "image") {
        if (!args.positional.empty() && !openSetup(w, host, args.positional[0])) return ExitFailed;
        w.FilterMessageTexts();
        tavro::BuildImage(w);
        tavro::MarkVisibleEntries(w);
        printImage(w);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? ExitOk : ExitFailed;
    }
    if (args.command == "convert") {
        if (!openSetup(w, host, args.positional[0])) return ExitFailed;
        return saveSetup(w, host, args.positional[1]) ? ExitOk : ExitFailed;
    }
    // apply
    if (args.setup && !openSetup(w, host, *args.setup)) return ExitFailed;
    ListedValues listed(tavro::ImageEntryCount);
    if (!readImageValues(w, args.positional[0], listed)) return ExitFailed;
    // As after a successful download.
    tavro::ApplyImage(w);
    reportValuesNotTaken(w, listed);
    w.OperationsVerifySettings.setEnabled(true);
    w.FileSave.setEnabled(true);
    w.WriteChangedSettings.setEnabled(false);
    return saveSetup(w, host, args.positional[1]) ? ExitOk : ExitFailed;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments = tavro::cli::commandLine(argc, argv);
    std::vector<char*> pointers;
    for (std::string& a : arguments) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(arguments.size());
    argv = pointers.data();
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::cout << usageText << "\n" << helpText;
            return ExitOk;
        }
        if (std::string(argv[i]) == "--version") {
            std::cout << "tavro-cli " TAVRO_VERSION "\n";
            return ExitOk;
        }
    }
    Arguments args;
    if (auto problem = parse(argc, argv, args)) return usage(*problem);
    try {
        return run(args);
    } catch (const std::exception& e) {
        std::cerr << "tavro-cli: " << e.what() << "\n";
        return args.command == "diff" || args.command == "compare" ? ExitTrouble : ExitFailed;
    }
}
