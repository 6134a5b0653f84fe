#pragma once
// Measurements rescued when the program is ended with records not yet saved: written
// to a file of their own, in the data file's format, and announced at the next start.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eh {

// "medidas-sin-guardar-2026-12-07-021530.ASC" for 7 December 2026, 02:15:30.
std::string recoveryFileName(const std::tm& localTime);

// Writes `content` to a new file in `folder` (created when missing) named after the
// local time `now`, never over an existing file, and remembers it for the next start.
// Returns the file's path, or nothing when it could not be written.
std::optional<std::string> saveRecovery(const std::string& folder, std::string_view content, std::time_t now);

// The files rescued and not yet announced, in the order they were written. Files
// removed meanwhile are left out.
std::vector<std::string> pendingRecoveries(const std::string& folder);

// Forgets the announcement of `paths` (as pendingRecoveries gave them), once the user
// has seen it; files rescued meanwhile stay to be announced.
void forgetRecoveries(const std::string& folder, const std::vector<std::string>& paths);

// pendingRecoveries, then forgetRecoveries of all of them.
std::vector<std::string> takePendingRecoveries(const std::string& folder);

// Makes `folder` ready to take recovery files and journals: created when missing, a
// folder the user may write in. A folder in a place others share (the temporary
// folder) must moreover be the user's own and closed to others. Returns 0 or the
// system error that makes it unusable.
int prepareRecoveryFolder(const std::string& folder, bool inSharedPlace);

// Why a folder cannot be used, in a few Spanish words: "hay un fichero con ese nombre".
std::string folderProblem(int err);

// What the user is told when the data folder cannot be used and `second` takes its
// place (empty when no place could be found).
std::string secondPlaceNotice(const std::string& folder, int err, const std::string& second);

// What the user is told at the next start.
inline constexpr const char* kRecoveryTitle = "Medidas recuperadas";
std::string recoveryNotice(const std::vector<std::string>& paths);

} // namespace eh
