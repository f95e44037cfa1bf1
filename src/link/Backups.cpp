#include "link/Backups.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "files/Paths.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

// "YYYY-MM-DD_HHMMSS": the part of a backup's name that orders it.
constexpr std::size_t StampLength = 17;
const char* const Extension = ".img";
const char* const FirstLine = "# Tavro Setup processor backup";

std::tm localTime(std::time_t when) {
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &when);
#else
    localtime_r(&when, &parts);
#endif
    return parts;
}

std::string formatTime(std::time_t when, const char* format) {
    const std::tm parts = localTime(when);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, format, &parts);
    return std::string(text, n);
}

std::string setupWord(const std::string& setup) {
    std::string stem = fs::path(setup).stem().string();
    for (char& c : stem) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!plain) c = '_';
    }
    return stem.empty() ? "untitled" : stem;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a name is a backup's: the time stamp, "_", ... ".img".
bool isBackupName(const std::string& name) {
    static const char pattern[] = "dddd-dd-dd_dddddd";
    if (name.size() <= StampLength + 1 + 4 || name[StampLength] != '_') return false;
    for (std::size_t i = 0; i < StampLength; ++i)
        if (pattern[i] == 'd' ? !isDigit(name[i]) : name[i] != pattern[i]) return false;
    return name.compare(name.size() - 4, 4, Extension) == 0;
}

// The order of backups: the time stamp, then the number a second backup of
// the same second carries ("-2.img"; a setup's word never holds a "-").
std::tuple<std::string, long, std::string> orderKey(const std::string& name) {
    const std::string rest = name.substr(0, name.size() - 4);
    long number = 1;
    const std::size_t dash = rest.rfind('-');
    if (dash != std::string::npos && dash + 1 < rest.size() &&
        std::all_of(rest.begin() + static_cast<std::ptrdiff_t>(dash + 1), rest.end(), isDigit) &&
        rest.size() - dash <= 6)
        number = std::stol(rest.substr(dash + 1));
    return {name.substr(0, StampLength), number, name};
}

// The backups' names in a folder, newest first.
std::vector<std::string> backupNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isBackupName(name) && it->is_regular_file(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return orderKey(a) > orderKey(b); });
    return names;
}

// A header line "# Key: value" into the listing.
void readHeaderLine(const std::string& line, BackupListing& header) {
    const std::size_t colon = line.find(": ");
    if (line.size() < 2 || line[1] != ' ' || colon == std::string::npos) return;
    const std::string key = line.substr(2, colon - 2);
    const std::string value = line.substr(colon + 2);
    if (key == "Date")
        header.date = value;
    else if (key == "Operation")
        header.operation = value;
    else if (key == "Setup")
        header.setup = value;
    else if (key == "Model")
        header.model = value;
    else if (key == "Port")
        header.port = value;
    else if (key == "Device")
        header.device = value;
    else if (key == "Entries")
        header.entries = decimalField(value).value_or(0);
}

}  // namespace

std::vector<std::string> imageLineFields(const std::string& line) {
    std::vector<std::string> fields;
    for (std::size_t at = line.find_first_not_of(" \t"); at != std::string::npos;
         at = line.find_first_not_of(" \t", at)) {
        const std::size_t end = line.find_first_of(" \t", at);
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

std::optional<int> decimalField(const std::string& field) {
    if (field.empty() || field.size() > 3 || !std::all_of(field.begin(), field.end(), isDigit)) return std::nullopt;
    return std::stoi(field);
}

std::optional<int> addressField(const std::string& field) {
    if (field.size() != 4 || !std::all_of(field.begin(), field.end(),
                                          [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }))
        return std::nullopt;
    return std::stoi(field, nullptr, 16);
}

const char* backupOperationText(BackupOperation operation) {
    switch (operation) {
        case BackupOperation::UploadAll: return "Upload All Settings";
        case BackupOperation::UploadChanged: return "Upload Changed Settings";
        case BackupOperation::UploadThese: return "Upload These";
        case BackupOperation::Restore: return "Restore";
        case BackupOperation::Download: return "Download Settings";
    }
    return "";
}

const char* backupOperationWord(BackupOperation operation) {
    switch (operation) {
        case BackupOperation::UploadAll: return "upload-all";
        case BackupOperation::UploadChanged: return "upload-changed";
        case BackupOperation::UploadThese: return "upload-these";
        case BackupOperation::Restore: return "restore";
        case BackupOperation::Download: return "download";
    }
    return "";
}

std::string backupFileName(const BackupInfo& info) {
    return formatTime(info.when, "%Y-%m-%d_%H%M%S") + "_" + backupOperationWord(info.operation) + "_" +
           setupWord(info.setup) + Extension;
}

std::string backupText(const BackupInfo& info, const ParameterImage& image, const EntryFlags& entries) {
    const auto count = std::count_if(entries.begin(), entries.end(), [](std::uint8_t f) { return f != 0; });
    std::string text = std::string(FirstLine) + "\n";
    text += "# Date: " + formatTime(info.when, "%Y-%m-%d %H:%M:%S") + "\n";
    text += std::string("# Operation: ") + backupOperationText(info.operation) + "\n";
    text += "# Setup: " + info.setup + "\n";
    text += "# Model: " + info.model + "\n";
    text += "# Port: " + info.port + "\n";
    text += "# Device: " + info.device + "\n";
    text += "# Entries: " + std::to_string(count) + "\n";
    char line[32];
    for (int k = 0; k < ImageEntryCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (entries[i] == 0) continue;
        std::snprintf(line, sizeof line, "%d %04X %d\n", k, image[i].address(), image[i].Value);
        text += line;
    }
    return text;
}

StoredBackup storeBackup(const std::string& folder, const BackupInfo& info, const ParameterImage& image,
                         const EntryFlags& entries) {
    StoredBackup stored;
    const std::string name = backupFileName(info);
    stored.path = files::inFolder(folder, name);
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    if (ec) {
        stored.result.error = ec.value() != 0 ? ec.value() : EIO;
        return stored;
    }
    // A second backup within the same second keeps the first.
    const std::string stem = name.substr(0, name.size() - 4);
    for (int n = 2; fs::exists(fs::path(stored.path), ec); ++n)
        stored.path = files::inFolder(folder, stem + "-" + std::to_string(n) + Extension);
    stored.result = files::writeFileReplacing(stored.path, backupText(info, image, entries));
    if (stored.result) pruneBackups(folder);
    return stored;
}

void pruneBackups(const std::string& folder, int keep) {
    const std::vector<std::string> names = backupNames(folder);
    for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < names.size(); ++i) {
        std::error_code ec;
        fs::remove(fs::path(files::inFolder(folder, names[i])), ec);
    }
}

std::vector<BackupListing> listBackups(const std::string& folder) {
    std::vector<BackupListing> listings;
    for (const std::string& name : backupNames(folder)) {
        BackupContents contents;
        // A file that cannot be read is listed by its name.
        readBackup(files::inFolder(folder, name), contents);
        contents.header.file = name;
        listings.push_back(std::move(contents.header));
    }
    return listings;
}

std::optional<std::string> readBackup(const std::string& path, BackupContents& contents) {
    contents = BackupContents{};
    contents.image = InitialParameterImage();
    contents.header.file = fs::path(path).filename().string();
    std::string text;
    if (const files::FileResult r = files::readRegularFile(path, text); !r)
        return "Unable to open " + path + ".\n" + files::reasonText(r.error);
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '#') {
            readHeaderLine(line, contents.header);
            continue;
        }
        const std::vector<std::string> fields = imageLineFields(line);
        if (fields.empty()) continue;
        const std::optional<int> entry = fields.size() == 3 ? decimalField(fields[0]) : std::nullopt;
        const std::optional<int> address = fields.size() == 3 ? addressField(fields[1]) : std::nullopt;
        const std::optional<int> value = fields.size() == 3 ? decimalField(fields[2]) : std::nullopt;
        const bool known = entry && *entry < ImageEntryCount && address &&
                           *address == contents.image[static_cast<std::size_t>(*entry)].address();
        if (!known || !value || *value > 255)
            return path + ":" + std::to_string(number) +
                   ": not a backup line (ENTRY ADDRESS VALUE): " + line.substr(0, 200);
        const auto i = static_cast<std::size_t>(*entry);
        contents.image[i].Value = static_cast<std::uint8_t>(*value);
        contents.entries[i] = 1;
    }
    return std::nullopt;
}

}  // namespace tavro
