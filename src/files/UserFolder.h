// The per-user working folder of an installed program. The program reads
// "Default.dfg", "logo.bmp" and "Startup.bmp" from its working directory and
// writes its options back into "Default.dfg"; installed, that directory is a
// folder of the user's own, filled from the shipped files on the first start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavro::files {

// $XDG_DATA_HOME/tavro-setup, or $HOME/.local/share/tavro-setup when
// XDG_DATA_HOME is unset, empty or relative (as the XDG rules say). Nothing
// when neither gives an absolute folder. Either argument may be null.
std::optional<std::filesystem::path> userDataFolder(const char* xdgDataHome, const char* home);

// The shipped default setup of a model: "Tavro", "R7" or "4820" (any case)
// name "Tavro.dfg", "R7.dfg" and "4820.dfg". Nothing for another name.
std::optional<std::string> shippedDefaultName(const std::string& model);

// Prepares the folder from the shipped files in `shipped`: creates it when
// missing and, when it holds no "Default.dfg" yet (the first start), copies
// the pictures and then the base model's default setup as "Default.dfg". A
// user's own files are never touched. With a model, "Default.dfg" is replaced by that model's shipped
// default, and a previous "Default.dfg" is kept beside it as "Default.dfg~";
// the shipped default must be a readable setup file, and on any failure
// neither "Default.dfg" nor "Default.dfg~" changes. A link in the folder is
// replaced by a regular file, never written through.
// Empty on success, else a message that says what failed.
std::string prepareUserFolder(const std::filesystem::path& shipped, const std::filesystem::path& folder,
                              const std::optional<std::string>& model = std::nullopt);

}  // namespace tavro::files
