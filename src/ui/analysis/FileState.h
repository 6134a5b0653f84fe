#pragma once
// Whether the data a series shows still are those of its file, and the texts that say
// so: in the series list, the status bar and on a report made from them.

#include <QString>

#include "analysis/DataReader.h"

namespace eh::analysis {

enum class FileStatus { UpToDate, Deleted, Unreadable };

struct FileState {
    FileStatus status = FileStatus::UpToDate;
    QString reason; // why an unreadable file cannot be read, for the user
    bool operator==(const FileState&) const = default;
};

// Reads `path` into `data` (left as it was when the file cannot be read) and says how
// the file stands.
FileState readFollowedFile(const QString& path, DataSet& data);

// "al día", "borrado", "ilegible".
QString statusWord(FileStatus status);

// The same, with the reason of an unreadable file: "ilegible: <reason>".
QString stateText(const FileState& state);

// "Los datos de <name> no corresponden al fichero actual (<state>)", or empty for a
// file that is up to date.
QString staleNote(const QString& name, const FileState& state);

} // namespace eh::analysis
