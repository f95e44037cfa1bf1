// Processor backups: what the processor held of the entries an operation
// read, kept as one text file per backup in a folder of their own.
//
// A backup's name sorts by the time it was made
// ("2026-12-11_140312_upload-all_customer.img"); its text is "#" header
// lines (date and time, operation, setup, model, port, device, entries)
// followed by one line "ENTRY ADDRESS VALUE" per entry read, as
// `tavro-cli image` prints them without the visibility column, so that
// `tavro-cli apply` and `tavro-sim --table` read a backup as it is.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "link/Masks.h"
#include "link/ParameterImage.h"

namespace tavro {

// The fields of an image line ("12 0012 107"), split at blanks and tabs.
std::vector<std::string> imageLineFields(const std::string& line);
// A plain decimal number of at most three digits; none otherwise.
std::optional<int> decimalField(const std::string& field);
// Four hex digits (an entry's address); none otherwise.
std::optional<int> addressField(const std::string& field);

// The folder of the backups, in the program's working folder.
inline constexpr const char* BackupFolderName = "backups";
// How many backups are kept: after a new one is stored the older ones go.
inline constexpr int BackupsKept = 200;

// The operations that store a backup.
enum class BackupOperation { UploadAll, UploadChanged, UploadThese, Restore, Download };
// As the header says it ("Upload All Settings").
const char* backupOperationText(BackupOperation operation);
// As the file name says it ("upload-all").
const char* backupOperationWord(BackupOperation operation);

// Where a backup came from.
struct BackupInfo {
    std::time_t when = 0;
    BackupOperation operation = BackupOperation::UploadAll;
    std::string setup;  // the setup file's name; empty for none
    std::string model;
    std::string port;    // "COM1"
    std::string device;  // "/dev/ttyUSB0"
};

// "2026-12-11_140312_upload-all_customer.img": the local time, the
// operation and the setup's name without its folder and extension (letters,
// digits and "_" only; "untitled" for none).
std::string backupFileName(const BackupInfo& info);
// The header lines and the lines of the flagged entries of the image.
std::string backupText(const BackupInfo& info, const ParameterImage& image, const EntryFlags& entries);

struct StoredBackup {
    files::FileResult result;  // why it could not be stored
    std::string path;          // the backup's file, stored or not
};
// Stores a backup in the folder (made when missing) under a name of its
// own (a second backup of the same second gets "-2" and so on), complete or
// not at all, then keeps only the newest BackupsKept backups there.
StoredBackup storeBackup(const std::string& folder, const BackupInfo& info, const ParameterImage& image,
                         const EntryFlags& entries);
// Removes all but the newest `keep` backups of the folder; other files stay.
void pruneBackups(const std::string& folder, int keep = BackupsKept);

// A backup as its header describes it.
struct BackupListing {
    std::string file;  // the name in its folder
    std::string date;  // "2026-12-11 14:03:12"
    std::string operation, setup, model, port, device;
    int entries = 0;
};
// The backups of a folder, newest first; none when there is no folder.
std::vector<BackupListing> listBackups(const std::string& folder);

// A backup's header and entries: the values in image, the entries listed
// flagged.
struct BackupContents {
    BackupListing header;
    ParameterImage image{};
    EntryFlags entries{};
};
// Reads a backup; the text of what is wrong with it otherwise ("Unable to
// open NAME." with the reason below, or the line that is not an entry).
std::optional<std::string> readBackup(const std::string& path, BackupContents& contents);

}  // namespace tavro
