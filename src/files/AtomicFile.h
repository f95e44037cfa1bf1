// Writing files so that a failure never destroys what was there: every write
// is checked, the data is flushed to the disk before a file replaces
// another, and a replacement is a rename within one folder.
#pragma once

#include <string>
#include <string_view>

namespace tavro::files {

// Writes the content under a temporary name in the target's folder, flushes
// it and renames it over the target. False, with the target untouched and
// no temporary file left, when anything fails, and also when the target is
// a folder or a read-only file (which saving would otherwise replace).
bool writeFileReplacing(const std::string& path, std::string_view content);

// Creates the file, or empties it if it exists, writes the content and
// flushes it. False when anything fails; a file that could not be written
// completely is removed again.
bool writeFileCreating(const std::string& path, std::string_view content);

// The file exists and none of its write permissions is set.
bool isReadOnlyFile(const std::string& path);

// Renames from over to (both in one folder) and flushes the folder. The
// permissions of an existing target are kept. False when the rename fails;
// then both files are as they were.
bool replaceByRename(const std::string& from, const std::string& to);

}  // namespace tavro::files
