#include "datafile/FileWriting.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace eh::filewriting {

int (*syncToDisk)(int fd) = ::fsync; // NOLINT: a seam for the tests, set only by them

namespace {

constexpr int kMaxLinkHops = 40;

// The kernel's own folder, where links name open files and need not hold a path.
bool underProc(const std::string& path) {
    return path.rfind("/proc/", 0) == 0;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int writeAllAt(int fd, std::string_view content, off_t offset) {
    while (!content.empty()) {
        const ssize_t n = ::pwrite(fd, content.data(), content.size(), offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return 0;
}

int writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int readAll(int fd, std::string& out) {
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        out.append(buffer, static_cast<std::size_t>(n));
        offset += n;
    }
}

// A folder opened for the *at calls; readable when possible, so that it can be synced.
class Folder {
public:
    explicit Folder(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0 && errno == EACCES) {
            syncable_ = false;
            fd_ = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        }
        error_ = fd_ < 0 ? errno : 0;
    }
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    int fd() const { return fd_; }
    int error() const { return error_; }
    // Puts the folder's new entry on disk, so that a power cut cannot undo the save.
    int sync() const { return syncable_ && syncToDisk(fd_) != 0 ? errno : 0; }

private:
    int fd_ = -1;
    int error_ = 0;
    bool syncable_ = true;
};

// A short name for the finished file before it takes its place: short, so that it
// fits wherever the target's own name does.
std::string temporaryName() {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long mix = static_cast<unsigned long>(now.tv_nsec) ^
                        (static_cast<unsigned long>(::getpid()) << 20) ^
                        static_cast<unsigned long>(counter.fetch_add(1) * 2654435761u);
    std::string name = ".tarvelo-";
    for (int i = 0; i < 6; ++i, mix >>= 5) name.push_back("abcdefghijklmnopqrstuvwxyz234567"[mix & 31]);
    return name;
}

// Gives the unnamed file `fd` the name `name` in `folder`.
int linkUnnamed(int fd, const Folder& folder, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), folder.fd(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    const int err = errno;
    // Without /proc, the same link needs a privilege the process may have.
    if (err == ENOENT && ::linkat(fd, "", folder.fd(), name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    return err;
}

// The file's group and permission bits become those of the file it replaces.
int takeOverAttributes(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return errno;
    if (now.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
        return kKeepInPlace;
    if (::fchmod(fd, old.st_mode & 07777) != 0) return errno;
    return 0;
}

int fillAndSync(int fd, std::string_view content, const struct stat* old) {
    if (old != nullptr)
        if (const int err = takeOverAttributes(fd, *old)) return err;
    if (const int err = writeAll(fd, content)) return err;
    return syncToDisk(fd) != 0 ? errno : 0;
}

// Puts the finished file, named `temp`, in its place.
int moveIntoPlace(const Folder& folder, const std::string& temp, const std::string& name, bool replacing) {
    int err = 0;
    if (replacing) {
        if (::renameat(folder.fd(), temp.c_str(), folder.fd(), name.c_str()) != 0) err = errno;
    } else if (::linkat(folder.fd(), temp.c_str(), folder.fd(), name.c_str(), 0) != 0) {
        err = errno; // never over a file that appeared meanwhile
    }
    if (err != 0 || !replacing) ::unlinkat(folder.fd(), temp.c_str(), 0);
    return err;
}

// Where the system has no unnamed files: a named temporary file, removed on failure.
int replaceThroughNamedFile(const Folder& folder, const std::string& name, std::string_view content,
                            const struct stat* old) {
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName();
        fd = ::openat(folder.fd(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    int err = fillAndSync(fd, content, old);
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        ::unlinkat(folder.fd(), temp.c_str(), 0);
        return err;
    }
    return moveIntoPlace(folder, temp, name, old != nullptr);
}

} // namespace

bool isKernelLink(const std::string& path) {
    struct stat st {};
    return underProc(path) && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

int resolveLinks(std::string& path) {
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode) || underProc(path)) return 0;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0) return errno;
        if (n == static_cast<ssize_t>(sizeof target)) return ENAMETOOLONG;
        const std::string next(target, static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    return ELOOP;
}

bool replaceableByRename(const std::string& path, const struct stat& st) {
    // A file the user may not write is refused as a plain write would refuse it.
    return st.st_nlink == 1 && st.st_uid == ::geteuid() &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 &&
           ::faccessat(AT_FDCWD, folderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

int replaceByRename(const std::string& path, std::string_view content, const struct stat* old) {
    const Folder folder(folderOf(path));
    if (folder.error() != 0) return folder.error();
    const std::string name = nameOf(path);

    // An unnamed file gets a name only once complete: a kill before leaves nothing.
    const int fd = ::openat(folder.fd(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        const int err = replaceThroughNamedFile(folder, name, content, old);
        return err != 0 ? err : folder.sync();
    }
    int err = fillAndSync(fd, content, old);
    std::string temp;
    if (err == 0) {
        if (old == nullptr) {
            err = linkUnnamed(fd, folder, name);
        } else {
            for (int attempt = 0; attempt < 100; ++attempt) {
                temp = temporaryName();
                err = linkUnnamed(fd, folder, temp);
                if (err != EEXIST) break;
            }
        }
    }
    ::close(fd);
    if (err == 0 && old != nullptr) err = moveIntoPlace(folder, temp, name, true);
    // Linking an unnamed file can fail where creating a named one works.
    if (err == ENOENT) err = replaceThroughNamedFile(folder, name, content, old);
    return err != 0 ? err : folder.sync();
}

int writeInPlaceKeepingCopy(const std::string& path, std::string_view content) {
    bool haveCopy = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        // A file the user may write but not read is written as a plain write would.
        haveCopy = false;
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    }
    if (fd < 0) return errno;
    std::string old;
    int err = haveCopy ? readAll(fd, old) : 0;
    // Writing over the old bytes before cutting the length means the file is never
    // empty, and a failure leaves old bytes to restore.
    if (err == 0) err = writeAllAt(fd, content, 0);
    if (err == 0 && ::ftruncate(fd, static_cast<off_t>(content.size())) != 0) err = errno;
    if (err == 0 && syncToDisk(fd) != 0) err = errno;
    if (err != 0 && haveCopy) {
        writeAllAt(fd, old, 0);
        (void)::ftruncate(fd, static_cast<off_t>(old.size()));
        syncToDisk(fd);
    }
    if (::close(fd) != 0 && err == 0) err = errno;
    return err;
}

int writeToStream(const std::string& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    // Once a reader is there, a pipe takes more than its buffer holds by waiting for it.
    int err = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ? errno : 0;
    if (err == 0) err = writeAll(fd, content);
    if (::close(fd) != 0 && err == 0) err = errno;
    return err;
}

int replaceContent(const std::string& requested, std::string_view content) {
    std::string path = requested;
    if (const int err = resolveLinks(path)) return err;
    if (path.empty() || path.back() == '/') return kNotAFileName;

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return errno;
        return replaceByRename(path, content, nullptr);
    }
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return writeToStream(path, content);
    // A file the kernel names (a program's standard output sent to a file) is the
    // file that descriptor has open: written in place, as a shell's redirection would.
    if (isKernelLink(path)) return writeInPlaceKeepingCopy(path, content);
    if (replaceableByRename(path, st)) {
        const int err = replaceByRename(path, content, &st);
        if (err != kKeepInPlace) return err;
    }
    return writeInPlaceKeepingCopy(path, content);
}

} // namespace eh::filewriting
