// The setup file: the sectioned text of one complete setup, read
// into and written from the main window's state, and the files of the
// program's start directory.
#pragma once

#include <string>
#include <string_view>

namespace tavro {

class TTavroSetupMain;

// The default setup, and the file that holds the options when they cannot
// be stored in a read-only default setup at the close. They always live in the directory the program started in
// (TTavroSetupMain::StartDirectory), whatever folder a file dialog visited.
inline constexpr const char* DefaultSetupFileName = "Default.dfg";
inline constexpr const char* OptionsTempFileName = "DefTmp.bak";

// A relative name taken in the start directory; an absolute path, or any
// name while no start directory is recorded, is returned unchanged.
std::string inStartDirectory(const TTavroSetupMain& w, const std::string& name);

// How reading a setup file went; the numbers are the reader's result codes.
enum class ReadResult {
    Ok = 0,
    CannotOpen = -1,  // cannot be opened, not read to its end, or not a regular file
    NotASetup = -2,   // the first line is not "//Setup"
};

// How writing a setup file went.
enum class WriteResult { Ok = 0, Failed = -1 };

// Reads a setup file into the main window; on CannotOpen and NotASetup
// nothing is changed. Sets DefaultFileUnreadable and ReadFailureReason on
// CannotOpen and clears them otherwise. Only a regular file of at most
// files::MaxFileSize bytes is read. Shows nothing itself. Ends with RefreshAfterLoad when the file
// was read.
ReadResult ReadSetupFile(TTavroSetupMain& w, const std::string& path);
// The same on text already in memory (the content of a file).
ReadResult ReadSetupText(TTavroSetupMain& w, std::string_view content);

// A reason ("Permission denied") as the line below a message that it
// explains; nothing for no reason.
std::string reasonLine(const std::string& reason);

// Writes the setup: Ok, or Failed after the message
// "Unable to open " + path + ".", with the system's reason in reason when
// given ("No space left on device"). The file is written beside the target
// as a new file, flushed to the disk and renamed over the target, so a save
// either replaces the file completely or leaves it as it was.
WriteResult WriteSetupFile(TTavroSetupMain& w, const std::string& path, std::string* reason = nullptr);
// The text WriteSetupFile writes (without running FilterMessageTexts).
std::string FormatSetupText(const TTavroSetupMain& w);

// Replaces the "[Options]" block of "Default.dfg" in the start directory
// by the current options: a complete new file of this close's own replaces
// "Default.dfg" by a rename, so "Default.dfg" is never missing, partial or
// a link, whatever other closes run at the same time. Any failure stores
// nothing and says nothing; a read-only "Default.dfg" stays as it is, with
// "DefTmp.bak" holding the options beside it. True when the options were
// stored.
bool StoreOptionsInDefaultFile(const TTavroSetupMain& w);
// The text that StoreOptionsInDefaultFile makes of the content of
// "Default.dfg".
std::string ReplaceOptionsBlock(std::string_view defaultFileContent, const TTavroSetupMain& w);

}  // namespace tavro
