#include "link/PortNames.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <sstream>

#include "files/AtomicFile.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

const char* const ByIdFolder = "serial/by-id";
const char* const TtyKinds[] = {"ttyUSB", "ttyACM", "ttyS"};

#ifndef _WIN32
std::string environmentDevice(int n) {
    const std::string variable = "TAVRO_" + portName(n);
    const char* value = std::getenv(variable.c_str());
    return value != nullptr ? value : "";
}
#endif

// The names in a folder that start with prefix, ordered by the number that
// follows it (then by name).
std::vector<std::string> namesByNumber(const fs::path& folder, const std::string& prefix) {
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const long number = !rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0])) != 0
                                ? std::strtol(rest.c_str(), nullptr, 10)
                                : -1;
        found.emplace_back(number, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
}

std::string keyOf(int n) { return portName(n) + "="; }
// The line of the switch "Back up the processor before uploading".
const char* const BackupKey = "BackupBeforeUpload=";

// The lines of the config file, through the file layer: only a regular
// file of a sensible size is read, and a pipe or a device is never waited
// on. The error when the file is there and cannot be read; a file that is
// not there (nor its folder) has no lines.
files::FileResult readLines(const fs::path& file, std::vector<std::string>& lines) {
    lines.clear();
    std::string content;
    files::FileResult r = files::readRegularFile(file.string(), content);
    if (!r) return r.error == ENOENT || r.error == ENOTDIR ? files::FileResult{} : r;
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return r;
}

}  // namespace

std::string portName(int n) { return "COM" + std::to_string(n); }

std::optional<int> comPortNumber(const std::string& name) {
    if (name.size() == 4 && name.rfind("COM", 0) == 0 && name[3] >= '1' && name[3] <= '4') return name[3] - '0';
    return std::nullopt;
}

std::string portDevice(int n) { return portMap().resolve(n).device; }

std::vector<std::string> listSerialDevices(const fs::path& devFolder) {
    std::vector<std::string> devices;
    std::set<fs::path> reached;  // the ttys the by-id names lead to
    const fs::path byId = devFolder / ByIdFolder;
    for (const std::string& name : namesByNumber(byId, "")) {
        devices.push_back((byId / name).string());
        std::error_code ec;
        const fs::path target = fs::canonical(byId / name, ec);
        if (!ec) reached.insert(target);
    }
    for (const char* kind : TtyKinds)
        for (const std::string& name : namesByNumber(devFolder, kind)) {
            std::error_code ec;
            const fs::path target = fs::canonical(devFolder / name, ec);
            if (!ec && reached.count(target) != 0) continue;
            devices.push_back((devFolder / name).string());
        }
    return devices;
}

bool isUsbSerialDevice(const std::string& device) {
    const fs::path path(device);
    if (path.parent_path().filename() == "by-id") return true;
    const std::string name = path.filename().string();
    return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
}

std::string deviceDisplayName(const std::string& device) {
    const fs::path path(device);
    return path.parent_path().filename() == "by-id" ? path.filename().string() : device;
}

bool devicePresent(const std::string& device, const std::vector<std::string>& listed) {
#ifdef _WIN32
    (void)device;
    (void)listed;
    return true;
#else
    std::error_code ec;
    return std::find(listed.begin(), listed.end(), device) != listed.end() || fs::exists(device, ec);
#endif
}

bool deviceAccessDenied(const std::string& device) {
#ifdef _WIN32
    (void)device;
    return false;
#else
    return ::access(device.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
#endif
}

PortMap::PortMap(fs::path configFile, DeviceLister listDevices)
    : configFile_(std::move(configFile)), listDevices_(std::move(listDevices)) {}

PortResolution PortMap::resolve(int n) const {
#ifdef _WIN32
    return {portName(n), PortSource::Standard, {}};
#else
    if (std::string env = environmentDevice(n); !env.empty()) return {env, PortSource::Environment, {}};
    const std::vector<std::string> present = devices();
    PortResolution r;
    if (std::optional<std::string> saved = savedChoice(n)) {
        if (devicePresent(*saved, present)) return {*saved, PortSource::Saved, {}};
        r.missing = *saved;
    }
    std::vector<std::string> adapters;
    std::copy_if(present.begin(), present.end(), std::back_inserter(adapters), isUsbSerialDevice);
    if (adapters.size() == 1) {
        r.device = adapters.front();
        r.source = PortSource::OnlyAdapter;
    } else {
        r.device = "/dev/ttyS" + std::to_string(n - 1);
        r.source = PortSource::Standard;
    }
    return r;
#endif
}

std::optional<std::string> PortMap::savedChoice(int n) const {
    if (configFile_.empty()) return std::nullopt;
    const std::string key = keyOf(n);
    std::optional<std::string> device;
    std::vector<std::string> lines;
    readLines(configFile_, lines);  // a file that cannot be read holds no choice
    for (const std::string& line : lines)
        if (line.rfind(key, 0) == 0 && line.size() > key.size()) device = line.substr(key.size());
    return device;
}

std::string PortMap::configProblem() const {
    if (configFile_.empty()) return {};
    std::vector<std::string> lines;
    const files::FileResult r = readLines(configFile_, lines);
    return r ? std::string() : files::reasonText(r.error);
}

bool PortMap::saveChoices(const std::map<int, std::string>& choices) const {
    std::map<std::string, std::string> values;
    for (const auto& [n, device] : choices) values[keyOf(n)] = device;
    return saveLines(values);
}

bool PortMap::backupBeforeUpload() const {
    if (configFile_.empty()) return true;
    std::vector<std::string> lines;
    readLines(configFile_, lines);  // a file that cannot be read holds no choice
    bool on = true;
    for (const std::string& line : lines)
        if (line.rfind(BackupKey, 0) == 0) on = line.substr(std::string(BackupKey).size()) != "0";
    return on;
}

bool PortMap::saveBackupBeforeUpload(bool on) const { return saveLines({{BackupKey, on ? "1" : "0"}}); }

bool PortMap::saveLines(const std::map<std::string, std::string>& values) const {
    if (configFile_.empty()) return false;
    // A file that is there and cannot be read is not replaced: its lines
    // would be lost, and it may be no file at all.
    std::vector<std::string> lines;
    if (!readLines(configFile_, lines)) return false;
    if (lines.empty()) lines.push_back("# The serial device of each COM number, chosen in Options.");
    for (const auto& entry : values) {
        const std::string& key = entry.first;
        std::erase_if(lines, [&key](const std::string& line) { return line.rfind(key, 0) == 0; });
        lines.push_back(key + entry.second);
    }
    std::ostringstream out;
    for (const std::string& line : lines) out << line << '\n';
    std::error_code ec;
    fs::create_directories(configFile_.parent_path(), ec);
    return static_cast<bool>(files::writeFileReplacing(configFile_.string(), out.str()));
}

fs::path defaultPortConfigFile() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && fs::path(xdg).is_absolute())
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        base = fs::path(home) / ".config";
    else
        return {};
    return base / "tavro-setup" / "ports.conf";
}

namespace {
PortMap* installedMap = nullptr;
}

PortMap& portMap() {
    static PortMap computer(defaultPortConfigFile(), [] { return listSerialDevices(); });
    return installedMap != nullptr ? *installedMap : computer;
}

void usePortMap(PortMap* map) { installedMap = map; }

}  // namespace tavro
