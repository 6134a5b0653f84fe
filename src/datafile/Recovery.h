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

// The files rescued since the last call, in the order they were written, and forgets
// them. Files removed meanwhile are left out.
std::vector<std::string> takePendingRecoveries(const std::string& folder);

// What the user is told at the next start.
inline constexpr const char* kRecoveryTitle = "Medidas recuperadas";
std::string recoveryNotice(const std::vector<std::string>& paths);

} // namespace eh
