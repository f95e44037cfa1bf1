#include "files/UserFolder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "files/AtomicFile.h"
#include "files/TextForm.h"

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

// Writes a file of the folder; the target appears complete or not at all.
// A link in its place is replaced by the file, never written through: the
// file the link names, wherever it is, stays as it was.
std::string writeInFolder(const fs::path& to, std::string_view content) {
    if (!writeFileReplacing(to.string(), content, TargetLink::Replace)) return "Unable to create " + to.string() + ".";
    return {};
}

// Copies a shipped file into the folder under a new name.
std::string copyShipped(const fs::path& from, const fs::path& to) {
    const auto content = readWhole(from);
    if (!content) return "Unable to read " + from.string() + ".";
    return writeInFolder(to, *content);
}

bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// What stands at a name of the folder, to be put back when a later step
// fails: nothing, a link (kept as the link), or a file's content.
struct Kept {
    enum class Kind { Nothing, Link, File } kind = Kind::Nothing;
    fs::path linkTarget;
    std::string content;
};

std::optional<Kept> keep(const fs::path& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (!fs::exists(st)) return Kept{};
    if (fs::is_symlink(st)) {
        fs::path target = fs::read_symlink(path, ec);
        if (ec) return std::nullopt;
        return Kept{Kept::Kind::Link, std::move(target), {}};
    }
    auto content = readWhole(path);
    if (!content) return std::nullopt;
    return Kept{Kept::Kind::File, {}, std::move(*content)};
}

void restore(const fs::path& path, const Kept& kept) {
    std::error_code ec;
    if (kept.kind == Kept::Kind::File) {
        writeInFolder(path, kept.content);
        return;
    }
    fs::remove(path, ec);
    if (kept.kind == Kept::Kind::Link) fs::create_symlink(kept.linkTarget, path, ec);
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

    // The model's default is read and checked before anything changes: a
    // file that cannot be read or is no setup leaves the folder as it was,
    // "Default.dfg" and "Default.dfg~" included.
    std::optional<std::string> replacement;
    if (modelFile) {
        const fs::path source = shipped / *modelFile;
        replacement = readWhole(source);
        if (!replacement) return "Unable to read " + source.string() + ".";
        if (!beginsAsSetup(*replacement)) return source.string() + " is not a setup file.";
    }

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

    if (firstStart) return writeInFolder(setup, *replacement);

    // The previous default is kept as "Default.dfg~"; should the new one
    // then fail, the previous "Default.dfg~" is put back.
    const auto previous = readWhole(setup);
    if (!previous) return "Unable to read " + setup.string() + ".";
    const fs::path backup = folder / (std::string(DefaultSetup) + "~");
    const auto oldBackup = keep(backup);
    if (!oldBackup) return "Unable to read " + backup.string() + ".";
    if (auto problem = writeInFolder(backup, *previous); !problem.empty()) return problem;
    if (auto problem = writeInFolder(setup, *replacement); !problem.empty()) {
        restore(backup, *oldBackup);
        return problem;
    }
    return {};
}

}  // namespace tavro::files
