// Saving over what is already on disk, on the real file system: what the saved file
// was before (links, owner, group, bits, other names) is what it is after.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "FileSystemFixture.h"
#include "register/DataFile.h"

using namespace eh;
using namespace eh::test;
namespace fs = std::filesystem;

namespace {

const std::string kNew = "1,300,9000,10,2.5,-1.25,1.25\r\n";
const std::string kOld = "contenido anterior\r\n";

int saved(const fs::path& p, const std::string& content = kNew) {
    const auto error = writeFileReplacing(p.string(), content);
    return error ? error->code : 0;
}

class FileReplace : public TempFolderTest {};

// The umask a user sets applies to new files only: a replaced file keeps its bits.
class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }

private:
    mode_t old_;
};

} // namespace

TEST_F(FileReplace, ReplacedFileKeepsItsPermissionBits) {
    const UmaskGuard mask(077);
    for (mode_t mode : {0600, 0640, 0644, 0660, 0664, 0666, 0700, 0755}) {
        const fs::path p = dir / ("modo-" + std::to_string(mode));
        spit(p, kOld);
        ASSERT_EQ(::chmod(p.c_str(), mode), 0);
        EXPECT_EQ(saved(p), 0) << std::oct << mode;
        EXPECT_EQ(slurp(p), kNew) << std::oct << mode;
        EXPECT_EQ(statOf(p).st_mode & 07777, mode) << std::oct << mode;
    }
}

TEST_F(FileReplace, NewFileTakesTheUsersUmask) {
    struct Row {
        mode_t umask, expected;
    };
    for (const Row& row : {Row{022, 0644}, Row{027, 0640}, Row{077, 0600}, Row{002, 0664}}) {
        const UmaskGuard mask(row.umask);
        const fs::path p = dir / ("nuevo-" + std::to_string(row.umask));
        EXPECT_EQ(saved(p), 0);
        EXPECT_EQ(statOf(p).st_mode & 07777, row.expected) << "umask " << std::oct << row.umask;
        EXPECT_EQ(slurp(p), kNew);
    }
    EXPECT_EQ(entries(dir).size(), 4u) << "a temporary file was left behind";
}

TEST_F(FileReplace, HardLinkedFileIsWrittenThroughEveryName) {
    spit(dir / "a.ASC", kOld);
    fs::create_hard_link(dir / "a.ASC", dir / "b.ASC");
    EXPECT_EQ(saved(dir / "a.ASC"), 0);
    EXPECT_EQ(slurp(dir / "a.ASC"), kNew);
    EXPECT_EQ(slurp(dir / "b.ASC"), kNew);
    EXPECT_EQ(statOf(dir / "a.ASC").st_nlink, 2u);
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"a.ASC", "b.ASC"}));
}

TEST_F(FileReplace, SymbolicLinksAreFollowedAndKept) {
    fs::create_directories(dir / "sub");
    struct Row {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links; // name -> what it points to
        const char* written;                                    // file that must get the content, or ""
        int code;
    };
    const std::string abs = (dir / "sub" / "abs.ASC").string();
    const std::vector<Row> rows = {
        {"absolute link", {{"l1", abs}}, "sub/abs.ASC", 0},
        {"relative link into a subfolder", {{"l2", "sub/rel.ASC"}}, "sub/rel.ASC", 0},
        {"relative link inside a subfolder", {{"sub/l3", "../up.ASC"}}, "up.ASC", 0},
        {"chain of two links", {{"l4", "m4"}, {"m4", "sub/chain.ASC"}}, "sub/chain.ASC", 0},
        {"dangling link: its target is created", {{"l5", "sub/nuevo.ASC"}}, "sub/nuevo.ASC", 0},
        {"dangling link into a missing folder", {{"l6", "falta/x.ASC"}}, "", 76},
        {"links in a loop", {{"l7", "m7"}, {"m7", "l7"}}, "", 76},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (*row.written && std::string(row.what).find("dangling") == std::string::npos)
            spit(dir / row.written, kOld);
        for (const auto& [name, target] : row.links) fs::create_symlink(target, dir / name);
        const fs::path saveAs = dir / row.links.front().first;
        EXPECT_EQ(saved(saveAs), row.code);
        if (*row.written) {
            EXPECT_EQ(slurp(dir / row.written), kNew);
        }
        for (const auto& link : row.links) EXPECT_TRUE(fs::is_symlink(dir / link.first)) << link.first;
    }
    EXPECT_EQ(entries(dir / "sub"),
              (std::vector<std::string>{"abs.ASC", "chain.ASC", "l3", "nuevo.ASC", "rel.ASC"}));
}

TEST_F(FileReplace, NameEndingInSlashIsABadFileName) {
    fs::create_directories(dir / "carpeta");
    for (const fs::path& p : {dir / "carpeta/", dir / "nueva/", fs::path("/")}) {
        const auto error = writeFileReplacing(p.string(), kNew);
        ASSERT_TRUE(error) << p;
        EXPECT_EQ(error->code, 52) << p;
    }
    EXPECT_EQ(entries(dir), std::vector<std::string>{"carpeta"});
    EXPECT_TRUE(entries(dir / "carpeta").empty());
}

TEST_F(FileReplace, PathOf4092CharactersWithAShortName) {
    // The longest paths the system takes are 4095 characters; a temporary name
    // longer than the file's own must not push the save over.
    std::string folder = dir.string();
    const std::string name = "ab";
    const std::size_t wanted = 4092 - name.size() - 1;
    while (folder.size() < wanted) {
        const std::size_t left = wanted - folder.size();
        folder += "/" + std::string(left > 250 ? 200 : left - 1, 'd');
    }
    fs::create_directories(folder);
    const std::string path = folder + "/" + name;
    ASSERT_EQ(path.size(), 4092u);
    EXPECT_EQ(saved(path), 0);
    EXPECT_EQ(slurp(path), kNew);
    EXPECT_EQ(saved(path, kOld), 0) << "replacing it";
    EXPECT_EQ(slurp(path), kOld);
    EXPECT_EQ(entries(folder), std::vector<std::string>{name});
}

// A process killed while it writes (here by exceeding its file-size limit, which
// stops it at a known point) leaves the old file and nothing else.
TEST_F(FileReplace, KillMidSaveLeavesNoTemporaryFile) {
    for (const bool existed : {true, false}) {
        SCOPED_TRACE(existed ? "replacing a file" : "creating a file");
        const fs::path folder = dir / (existed ? "reemplazo" : "nuevo");
        fs::create_directories(folder);
        if (existed) spit(folder / "datos.ASC", kOld);
        const pid_t pid = ::fork();
        if (pid == 0) {
            rlimit none{0, 0}, small{64, 64};
            ::setrlimit(RLIMIT_CORE, &none);
            std::signal(SIGXFSZ, SIG_DFL);
            ::setrlimit(RLIMIT_FSIZE, &small);
            saved(folder / "datos.ASC", std::string(4096, '7'));
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
        if (existed) {
            EXPECT_EQ(entries(folder), std::vector<std::string>{"datos.ASC"});
            EXPECT_EQ(slurp(folder / "datos.ASC"), kOld);
        } else {
            EXPECT_TRUE(entries(folder).empty());
        }
    }
}

// A file written in place (here because it has a second name) gets its old content
// back when the write fails.
TEST_F(FileReplace, FailedWriteInPlaceRestoresTheOldContent) {
    spit(dir / "a.ASC", kOld);
    fs::create_hard_link(dir / "a.ASC", dir / "b.ASC");
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(saved(dir / "a.ASC", std::string(4096, '7')));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 61) << "a full disk";
    EXPECT_EQ(slurp(dir / "a.ASC"), kOld);
    EXPECT_EQ(slurp(dir / "b.ASC"), kOld);
}

// Root is the one user who can give files away; as root, a file of someone else or of
// another group stays theirs.
TEST_F(FileReplace, OwnerAndGroupStayWhenRootSaves) {
    if (!root()) GTEST_SKIP() << "needs root to give the files to another user";
    struct Row {
        const char* what;
        uid_t uid;
        gid_t gid;
        mode_t mode;
    };
    const Row rows[] = {
        {"a classmate's file", kNobody, kNogroup, 0664},
        {"root's file of another group", 0, kNogroup, 0640},
        {"root's own file", 0, 0, 0600},
    };
    for (const Row& row : rows) {
        const fs::path p = dir / row.what;
        spit(p, kOld);
        ASSERT_EQ(::chown(p.c_str(), row.uid, row.gid), 0);
        ASSERT_EQ(::chmod(p.c_str(), row.mode), 0);
        EXPECT_EQ(saved(p), 0) << row.what;
        const struct stat st = statOf(p);
        EXPECT_EQ(slurp(p), kNew) << row.what;
        EXPECT_EQ(st.st_uid, row.uid) << row.what;
        EXPECT_EQ(st.st_gid, row.gid) << row.what;
        EXPECT_EQ(st.st_mode & 07777, row.mode) << row.what;
    }
}

// What an ordinary user may do with a plain write, the save does, and nothing more.
TEST_F(FileReplace, OrdinaryUserSavesWhatAPlainWriteAllows) {
    if (!root()) GTEST_SKIP() << "needs root to set up files of two users and drop to one of them";
    struct Row {
        const char* what;
        mode_t folderMode;
        uid_t fileOwner;
        mode_t fileMode;
        int code;
    };
    const Row rows[] = {
        {"own file, own writable folder", 0777, kNobody, 0640, 0},
        {"group-writable file of a classmate", 0777, 0, 0664, 0},
        {"writable file in a folder the user cannot write", 0755, 0, 0666, 0},
        {"world-writable file in a sticky folder", 01777, 0, 0666, 0},
        {"own file in a folder the user cannot write", 0755, kNobody, 0644, 0},
        {"read-only file", 0777, kNobody, 0444, 75},
        {"file of another user, not writable", 0777, 0, 0644, 75},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path folder = dir / ("c" + std::to_string(n++));
        fs::create_directory(folder);
        const fs::path p = folder / "datos.ASC";
        spit(p, kOld);
        ASSERT_EQ(::chown(p.c_str(), row.fileOwner, kNogroup), 0);
        ASSERT_EQ(::chmod(p.c_str(), row.fileMode), 0);
        ASSERT_EQ(::chmod(folder.c_str(), row.folderMode), 0);
        EXPECT_EQ(runAsOrdinaryUser([&] { return saved(p); }), row.code);
        const struct stat st = statOf(p);
        EXPECT_EQ(slurp(p), row.code == 0 ? kNew : kOld);
        EXPECT_EQ(st.st_uid, row.fileOwner);
        EXPECT_EQ(st.st_gid, kNogroup);
        EXPECT_EQ(st.st_mode & 07777, row.fileMode);
        EXPECT_EQ(entries(folder), std::vector<std::string>{"datos.ASC"});
    }
}

TEST_F(FileReplace, NewFileInAFolderTheUserCannotWriteIsRefused) {
    ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
    EXPECT_EQ(runAsOrdinaryUser([&] { return saved(dir / "nuevo.ASC"); }), 75);
    ::chmod(dir.c_str(), 0755);
    EXPECT_TRUE(entries(dir).empty());
}
