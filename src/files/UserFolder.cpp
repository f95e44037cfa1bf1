#include "files/UserFolder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "files/AtomicFile.h"

namespace tavro::files {

namespace fs = std::filesystem;

namespace {

constexpr const char* BaseModelDefault = "Tavro.dfg";
constexpr const char* DefaultSetup = "Default.dfg";
constexpr const char* Pictures[] = {"logo.bmp", "Startup.bmp"};

// The whole file, through the file layer's reader: a regular file read to
// its end, never a pipe or a device that could block.
std::optional<std::string> readWhole(const fs::path& path) {
    std::string content;
    if (!readRegularFile(path.string(), content)) return std::nullopt;
    return content;
}

// Copies a shipped file into the folder under a new name; the target
// appears complete or not at all.
std::string copyShipped(const fs::path& from, const fs::path& to) {
    const auto content = readWhole(from);
    if (!content) return "Unable to read " + from.string() + ".";
    if (!writeFileReplacing(to.string(), *content)) return "Unable to create " + to.string() + ".";
    return {};
}

bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::optional<fs::path> userDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "tavro-setup";
    if (home && *home && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share" / "tavro-setup";
    return std::nullopt;
}

std::optional<std::string> shippedDefaultName(const std::string& model) {
    std::string lower = model;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "tavro") return "Tavro.dfg";
    if (lower == "r7") return "R7.dfg";
    if (lower == "4820") return "4820.dfg";
    return std::nullopt;
}

std::string prepareUserFolder(const fs::path& shipped, const fs::path& folder, const std::optional<std::string>& model) {
    std::optional<std::string> modelFile;
    if (model) {
        modelFile = shippedDefaultName(*model);
        if (!modelFile) return "Unknown model " + *model + " (Tavro, R7 or 4820).";
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) return "Unable to create the folder " + folder.string() + ".";

    const fs::path setup = folder / DefaultSetup;
    const bool firstStart = !present(setup);
    if (firstStart) {
        // The pictures come with the first default setup. Later a user may
        // delete them (no start-up picture, say) and they stay away.
        for (const char* picture : Pictures) {
            const fs::path from = shipped / picture;
            if (present(folder / picture) || !present(from)) continue;
            if (auto problem = copyShipped(from, folder / picture); !problem.empty()) return problem;
        }
    }
    if (!modelFile) return firstStart ? copyShipped(shipped / BaseModelDefault, setup) : std::string();

    const fs::path source = shipped / *modelFile;
    if (!present(source)) return "Unable to read " + source.string() + ".";
    if (!firstStart) {
        const auto previous = readWhole(setup);
        if (!previous) return "Unable to read " + setup.string() + ".";
        const fs::path kept = folder / (std::string(DefaultSetup) + "~");
        if (!writeFileReplacing(kept.string(), *previous)) return "Unable to create " + kept.string() + ".";
    }
    return copyShipped(source, setup);
}

}  // namespace tavro::files
