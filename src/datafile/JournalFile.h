#pragma once
// The register's journal on disk: one file per running program, in the data folder,
// locked while its program lives, each entry on disk before the press returns. When
// the program ends any other way than with the user's word, the next start finds the
// file unlocked and turns it back into the records (JournalReplay.h).

#include <functional>
#include <string>

#include "datafile/RegisterJournal.h"

namespace eh {

inline constexpr const char* kJournalPrefix = "registro-";
inline constexpr const char* kJournalSuffix = ".diario";

class JournalFile : public RegisterJournal {
public:
    // Puts written bytes on disk; fdatasync unless a test counts the calls.
    using Sync = std::function<int(int fd)>;

    // The journal of this program in `folder`; the file is made at the first record.
    explicit JournalFile(std::string folder, Sync sync = {});
    // Closes the file and leaves it for the next start, unless it was removed.
    ~JournalFile() override;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    void stored(std::span<const RecordValues> records) override;
    void settled() override;

    // The program ends and the user agreed to lose what was not saved.
    void remove();

    // The file, once made.
    const std::string& path() const { return path_; }
    // The system error of the last entry that did not reach the disk, or 0.
    int lastError() const { return error_; }

private:
    bool open();
    bool fail(int err);
    // Zeros over every line written, so that the file reads as an empty register.
    int blank();

    std::string folder_;
    Sync sync_;
    int fd_ = -1;
    std::string path_;
    std::size_t written_ = 0; // records of the register the file holds
    std::size_t end_ = 0;     // length of their lines; zeros follow
    bool damaged_ = false;    // a write failed: the next entry rewrites the whole file
    int error_ = 0;
};

} // namespace eh
