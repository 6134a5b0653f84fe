#include "datafile/JournalReplay.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/JournalFile.h"
#include "datafile/JournalLine.h"
#include "datafile/Recovery.h"

namespace eh {
namespace {

bool isJournalName(const std::string& name) {
    const std::string_view prefix = kJournalPrefix;
    const std::string_view suffix = kJournalSuffix;
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

std::vector<std::string> journalsIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code err;
    for (std::filesystem::directory_iterator it(folder, err), end; !err && it != end; it.increment(err)) {
        const std::string name = it->path().filename().string();
        if (isJournalName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool readAll(int fd, std::string& out) {
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

// The journal's records as a recovery file, if its program has ended. Returns false
// when the journal must stay where it is.
bool recoverOne(const std::string& folder, const std::string& path, std::time_t now,
                std::vector<std::string>& written) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat open {};
    struct stat named {};
    // Locked: its program still runs. Another name now: another start took it first.
    const bool ours = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &open) == 0 &&
                      S_ISREG(open.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
                      open.st_dev == named.st_dev && open.st_ino == named.st_ino;
    std::string journal;
    bool done = false;
    if (ours && readAll(fd, journal)) {
        const std::string content = registerFromJournal(journal);
        if (content.empty()) {
            done = true;
        } else if (const auto file = saveRecovery(folder, content, now)) {
            written.push_back(*file);
            done = true;
        }
        // Removed only once its records are safe elsewhere, and while still locked.
        if (done) ::unlink(path.c_str());
    }
    ::close(fd);
    return done;
}

} // namespace

std::vector<std::string> recoverEndedJournals(const std::string& folder, std::time_t now) {
    std::vector<std::string> written;
    for (const std::string& name : journalsIn(folder)) recoverOne(folder, folder + "/" + name, now, written);
    return written;
}

} // namespace eh
