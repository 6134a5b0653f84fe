// Saving over what is already on disk, on the real file system: what the saved file
// was before (links, owner, group, bits, other names) is what it is after.
#include <sys/resource.h>

#include "CoreSupport.h"
#include "datafile/DataFile.h"

using namespace eh;
using namespace eh::test;

namespace {

const std::string kNew = "1,300,9000,10,2.5,-1.25,1.25\r\n";
const std::string kOld = "contenido anterior\r\n";

// The error number the user would read, 0 when the file was saved.
int saved(const fs::path& p, const std::string& content = kNew) {
    const auto error = writeFileReplacing(p.string(), content);
    return error ? shownNumber(error->code) : 0;
}

class FileReplace : public ::testing::Test {
protected:
    TempDir tmp;
    const fs::path dir = tmp.path;
};

} // namespace

// A replaced file keeps its owner, group and bits, whatever the umask; a new file
// takes the umask. An ordinary user saves what a plain write would allow, and
// nothing more.
TEST_F(FileReplace, OwnerGroupAndBitsOfAReplacedFileStay) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to set up files of two users";
    struct Row {
        const char* what;
        bool asUser;
        mode_t folderMode;
        uid_t owner;
        gid_t group;
        mode_t mode; // 0: no file yet
        mode_t umask;
        int code;
        mode_t after;
    };
    constexpr uid_t N = kNobody;
    constexpr gid_t G = kNogroup;
    // clang-format off
    const Row rows[] = {
        {"root's own file",                                   false, 0755,  0, 0, 0600,  077, 0,  0600},
        {"a set-group-id file",                               false, 0755,  0, 0, 02664, 077, 0,  02664},
        {"root's file of another group",                      false, 0755,  0, G, 0640,  077, 0,  0640},
        {"a classmate's file, saved by root",                 false, 0755,  N, G, 0664,  077, 0,  0664},
        {"a new file, umask 022",                             false, 0755,  0, 0, 0,     022, 0,  0644},
        {"a new file, umask 002",                             false, 0755,  0, 0, 0,     002, 0,  0664},
        {"own file, own writable folder",                     true,  0777,  N, G, 0640,  022, 0,  0640},
        {"group-writable file of a classmate",                true,  0777,  0, G, 0664,  022, 0,  0664},
        {"writable file in a folder the user cannot write",   true,  0755,  0, G, 0666,  022, 0,  0666},
        {"world-writable file in a sticky folder",            true,  01777, 0, G, 0666,  022, 0,  0666},
        {"own file in a folder the user cannot write",        true,  0755,  N, G, 0644,  022, 0,  0644},
        {"read-only file",                                    true,  0777,  N, G, 0444,  022, 75, 0444},
        {"file of another user, not writable",                true,  0777,  0, G, 0644,  022, 75, 0644},
        {"new file in a folder the user cannot write",        true,  0555,  0, 0, 0,     022, 75, 0},
    };
    // clang-format on
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path folder = dir / std::to_string(n++);
        fs::create_directory(folder);
        const fs::path p = folder / "datos.ASC";
        if (row.mode != 0) {
            spit(p, kOld);
            ASSERT_EQ(::chown(p.c_str(), row.owner, row.group), 0);
            ASSERT_EQ(::chmod(p.c_str(), row.mode), 0);
        }
        ASSERT_EQ(::chmod(folder.c_str(), row.folderMode), 0);
        const mode_t old = ::umask(row.umask);
        EXPECT_EQ(forked([&] { return saved(p); }, row.asUser), row.code);
        ::umask(old);
        if (row.code == 0 || row.mode != 0) {
            struct stat st {};
            ::lstat(p.c_str(), &st);
            EXPECT_EQ(slurp(p), row.code == 0 ? kNew : kOld);
            EXPECT_EQ(st.st_uid, row.mode != 0 ? row.owner : row.asUser ? N : 0);
            EXPECT_EQ(st.st_gid, row.mode != 0 ? row.group : row.asUser ? G : 0);
            EXPECT_EQ(st.st_mode & 07777, row.after) << std::oct << (st.st_mode & 07777);
        }
        EXPECT_EQ(entries(folder), std::vector<std::string>(row.code == 0 || row.mode != 0, "datos.ASC"));
    }
}

TEST_F(FileReplace, SymbolicLinksAreFollowedAndKept) {
    fs::create_directories(dir / "sub");
    struct Row {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links; // name -> what it points to
        const char* written;                                    // file that must get the content, or ""
        bool existed;
        int code;
    };
    const std::string abs = (dir / "sub" / "abs.ASC").string();
    const std::vector<Row> rows = {
        {"absolute link", {{"l1", abs}}, "sub/abs.ASC", true, 0},
        {"relative link into a subfolder", {{"l2", "sub/rel.ASC"}}, "sub/rel.ASC", true, 0},
        {"relative link inside a subfolder", {{"sub/l3", "../up.ASC"}}, "up.ASC", true, 0},
        {"chain of two links", {{"l4", "m4"}, {"m4", "sub/chain.ASC"}}, "sub/chain.ASC", true, 0},
        {"dangling link: its target is created", {{"l5", "sub/nuevo.ASC"}}, "sub/nuevo.ASC", false, 0},
        {"dangling link into a missing folder", {{"l6", "falta/x.ASC"}}, "", false, 76},
        {"links in a loop", {{"l7", "m7"}, {"m7", "l7"}}, "", false, 76},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.existed) spit(dir / row.written, kOld);
        for (const auto& [name, target] : row.links) fs::create_symlink(target, dir / name);
        EXPECT_EQ(saved(dir / row.links.front().first), row.code);
        if (*row.written) {
            EXPECT_EQ(slurp(dir / row.written), kNew);
        }
        for (const auto& link : row.links) EXPECT_TRUE(fs::is_symlink(dir / link.first)) << link.first;
    }
    EXPECT_EQ(entries(dir / "sub"),
              (std::vector<std::string>{"abs.ASC", "chain.ASC", "l3", "nuevo.ASC", "rel.ASC"}));
    // A chain longer than the system follows is refused, as a plain write would be.
    for (int i = 0; i < 41; ++i)
        fs::create_symlink("c" + std::to_string(i + 1), dir / ("c" + std::to_string(i)));
    spit(dir / "c41", kOld);
    EXPECT_EQ(saved(dir / "c0"), 76);
    EXPECT_TRUE(fs::is_symlink(dir / "c40"));
}

TEST_F(FileReplace, PathOf4092CharactersWithAShortName) {
    // The longest paths the system takes are 4095 characters; a temporary name
    // longer than the file's own must not push the save over.
    std::string folder = dir.string();
    const std::size_t wanted = 4092 - 3;
    while (folder.size() < wanted) {
        const std::size_t left = wanted - folder.size();
        folder += "/" + std::string(left > 250 ? 200 : left - 1, 'd');
    }
    fs::create_directories(folder);
    const std::string path = folder + "/ab";
    ASSERT_EQ(path.size(), 4092u);
    EXPECT_EQ(saved(path), 0);
    EXPECT_EQ(slurp(path), kNew);
    EXPECT_EQ(saved(path, kOld), 0) << "replacing it";
    EXPECT_EQ(slurp(path), kOld);
    EXPECT_EQ(entries(folder), std::vector<std::string>{"ab"});
}

// A file with a second name is written through both. A save cut short, by a full disk
// or by the process being killed while it writes (here both by exceeding a file-size
// limit, which stops it at a known point), leaves the old file, or none, and nothing
// else; a file written in place (it has a second name) gets its old content back.
TEST_F(FileReplace, SecondNamesAndSavesCutShort) {
    struct Row {
        const char* what;
        bool existed, secondName, limited, killed;
        int status;
    };
    const Row rows[] = {
        {"writing through a second name", true, true, false, false, 0},
        {"replacing, the disk fills", true, false, true, false, 61},
        {"replacing, killed", true, false, true, true, 128 + SIGXFSZ},
        {"creating, killed", false, false, true, true, 128 + SIGXFSZ},
        {"writing in place, the disk fills", true, true, true, false, 61},
    };
    const std::string big(4096, '7');
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path folder = dir / std::to_string(n++);
        fs::create_directories(folder);
        if (row.existed) spit(folder / "datos.ASC", kOld);
        if (row.secondName) fs::create_hard_link(folder / "datos.ASC", folder / "otro.ASC");
        EXPECT_EQ(forked([&] {
                      const rlimit none{0, 0}, small{64, 64};
                      ::setrlimit(RLIMIT_CORE, &none);
                      std::signal(SIGXFSZ, row.killed ? SIG_DFL : SIG_IGN);
                      if (row.limited) ::setrlimit(RLIMIT_FSIZE, &small);
                      return saved(folder / "datos.ASC", big);
                  }),
                  row.status);
        std::vector<std::string> names;
        if (row.existed) names.push_back("datos.ASC");
        if (row.secondName) names.push_back("otro.ASC");
        EXPECT_EQ(entries(folder), names);
        for (const auto& name : names) EXPECT_EQ(slurp(folder / name), row.status == 0 ? big : kOld) << name;
    }
}
