// The recovery file itself: its name, never over another file, and the list of files
// to announce at the next start.
#include "CoreSupport.h"
#include "datafile/Recovery.h"

using namespace eh;
using namespace eh::test;

namespace {

std::tm at(const char* when) {
    std::tm t{};
    ::strptime(when, "%Y-%m-%d %H:%M:%S", &t);
    t.tm_isdst = -1;
    return t;
}

} // namespace

TEST(RecoveryFolder, RescuesInOneSecondGetTheirOwnFilesAndAreToldInOrder) {
    EXPECT_EQ(recoveryFileName(at("2027-01-05 03:04:05")), "medidas-sin-guardar-2027-01-05-030405.ASC");
    TempDir tmp;
    const std::string folder = (tmp.path / "datos" / "Tarvelo").string(); // not there yet
    std::tm noon = at("2026-12-07 12:00:00");
    const std::time_t now = std::mktime(&noon);
    const auto first = saveRecovery(folder, "1,300,0,0,0,0,0\r\n", now);
    const auto second = saveRecovery(folder, "1,301,0,0,0,0,0\r\n", now);
    const auto third = saveRecovery(folder, "", now + 1);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(fs::path(*first).filename(), "medidas-sin-guardar-2026-12-07-120000.ASC");
    EXPECT_EQ(fs::path(*second).filename(), "medidas-sin-guardar-2026-12-07-120000-2.ASC");
    EXPECT_EQ(fs::path(*third).filename(), "medidas-sin-guardar-2026-12-07-120001.ASC");
    EXPECT_EQ(slurp(*first), "1,300,0,0,0,0,0\r\n");
    EXPECT_EQ(slurp(*second), "1,301,0,0,0,0,0\r\n");

    fs::remove(*third); // the user moved it away before the next start
    EXPECT_EQ(takePendingRecoveries(folder), (std::vector<std::string>{*first, *second}));
    EXPECT_TRUE(takePendingRecoveries(folder).empty());
    EXPECT_EQ(slurp(*first), "1,300,0,0,0,0,0\r\n") << "the rescued files stay";
}

TEST(RecoveryFolder, FolderThatCannotBeMadeWritesNothing) {
    TempDir tmp;
    spit(tmp.path / "datos", "a file where the folder should be");
    const std::string folder = (tmp.path / "datos" / "Tarvelo").string();
    EXPECT_FALSE(saveRecovery(folder, "1,300,0,0,0,0,0\r\n", 0));
    EXPECT_TRUE(takePendingRecoveries(folder).empty());
    EXPECT_EQ(slurp(tmp.path / "datos"), "a file where the folder should be");
}
