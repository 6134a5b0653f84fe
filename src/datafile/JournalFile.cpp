#include "datafile/JournalFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/JournalLine.h"

namespace eh {
namespace {

constexpr int kMaxNames = 100;

// Room for a full register's lines. The file has this length from the start, zeros
// after the last line, so that an entry never changes its length: syncing it then
// writes the entry's own block, without the file system's bookkeeping.
constexpr std::size_t kRoom = 8192;

int writeAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return 0;
}

// So that the new name survives a power cut, not only the bytes behind it.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool namesSameFile(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

} // namespace

JournalFile::JournalFile(std::string folder, Sync sync) : folder_(std::move(folder)), sync_(std::move(sync)) {
    if (!sync_) sync_ = [](int fd) { return ::fdatasync(fd); };
}

JournalFile::~JournalFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool JournalFile::fail(int err) {
    error_ = err;
    damaged_ = true;
    return false;
}

bool JournalFile::open() {
    if (fd_ >= 0) return true;
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    const std::string stem = folder_ + "/" + kJournalPrefix + std::to_string(::getpid());
    for (int n = 1; n <= kMaxNames; ++n) {
        const std::string path = stem + (n == 1 ? "" : "-" + std::to_string(n)) + kJournalSuffix;
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue; // an ended program's, not yet turned back into records
            return fail(errno);
        }
        // A start that looked at the new file before it was locked may have taken it
        // for an ended program's and removed it: then another name.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !namesSameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        path_ = path;
        if (const int err = writeAllAt(fd_, std::string(kRoom, '\0'), 0)) return fail(err);
        if (::fsync(fd_) != 0) return fail(errno);
        syncFolder(folder_);
        return true;
    }
    return fail(EEXIST);
}

int JournalFile::blank() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return errno;
    // After a failed write the file may hold more than `end_` says.
    const auto length = damaged_ ? static_cast<std::size_t>(st.st_size) : end_;
    if (const int err = writeAllAt(fd_, std::string(length, '\0'), 0)) return err;
    end_ = 0;
    written_ = 0;
    return 0;
}

void JournalFile::stored(std::span<const RecordValues> records) {
    if (!open()) return;
    if (damaged_ || records.size() < written_) {
        if (const int err = blank()) {
            fail(err);
            return;
        }
    }
    std::string lines;
    for (std::size_t k = written_; k < records.size(); ++k)
        lines += journalLine({static_cast<int>(k + 1), records[k]});
    if (const int err = writeAllAt(fd_, lines, static_cast<off_t>(end_))) {
        fail(err);
        return;
    }
    if (sync_(fd_) != 0) { // on disk before the press returns
        fail(errno);
        return;
    }
    end_ += lines.size();
    written_ = records.size();
    damaged_ = false;
    error_ = 0;
}

void JournalFile::settled() {
    if (fd_ < 0 || (written_ == 0 && !damaged_)) return;
    if (const int err = blank()) {
        fail(err);
        return;
    }
    if (sync_(fd_) != 0) {
        fail(errno);
        return;
    }
    damaged_ = false;
    error_ = 0;
}

void JournalFile::remove() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    syncFolder(folder_);
    ::close(fd_);
    fd_ = -1;
    written_ = 0;
    end_ = 0;
    damaged_ = false;
}

} // namespace eh
