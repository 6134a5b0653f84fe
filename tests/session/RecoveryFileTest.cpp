// The recovery file itself: its name, never over another file, and the list of files
// to announce at the next start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "../core/FileSystemFixture.h"
#include "register/Recovery.h"

namespace fs = std::filesystem;
using namespace eh;

namespace {

using eh::test::slurp;

class RecoveryFolder : public ::testing::Test {
protected:
    RecoveryFolder() {
        std::string pattern = (fs::temp_directory_path() / "tarvelo-recf-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) base = pattern;
        folder = base / "datos" / "Tarvelo"; // not there yet
    }
    ~RecoveryFolder() override {
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }
    fs::path base, folder;
};

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return t;
}

} // namespace

TEST(RecoveryName, DateAndTimeInTheName) {
    struct Row {
        std::tm when;
        const char* name;
    };
    const Row rows[] = {
        {at(2026, 12, 7, 2, 15, 30), "medidas-sin-guardar-2026-12-07-021530.ASC"},
        {at(2027, 1, 5, 3, 4, 5), "medidas-sin-guardar-2027-01-05-030405.ASC"},
        {at(2031, 2, 1, 0, 0, 0), "medidas-sin-guardar-2031-02-01-000000.ASC"},
    };
    for (const Row& row : rows) EXPECT_EQ(recoveryFileName(row.when), row.name);
}

TEST_F(RecoveryFolder, RescuesInOneSecondGetTheirOwnFilesAndAreToldInOrder) {
    std::tm noon = at(2026, 12, 7, 12, 0, 0);
    const std::time_t now = std::mktime(&noon);
    const auto first = saveRecovery(folder.string(), "1,300,0,0,0,0,0\r\n", now);
    const auto second = saveRecovery(folder.string(), "1,301,0,0,0,0,0\r\n", now);
    const auto third = saveRecovery(folder.string(), "", now + 1);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(fs::path(*first).filename(), "medidas-sin-guardar-2026-12-07-120000.ASC");
    EXPECT_EQ(fs::path(*second).filename(), "medidas-sin-guardar-2026-12-07-120000-2.ASC");
    EXPECT_EQ(fs::path(*third).filename(), "medidas-sin-guardar-2026-12-07-120001.ASC");
    EXPECT_EQ(slurp(*first), "1,300,0,0,0,0,0\r\n");
    EXPECT_EQ(slurp(*second), "1,301,0,0,0,0,0\r\n");

    fs::remove(*third); // the user moved it away before the next start
    EXPECT_EQ(takePendingRecoveries(folder.string()), (std::vector<std::string>{*first, *second}));
    EXPECT_TRUE(takePendingRecoveries(folder.string()).empty());
    EXPECT_EQ(slurp(*first), "1,300,0,0,0,0,0\r\n") << "the rescued files stay";
}

TEST_F(RecoveryFolder, FolderThatCannotBeMadeWritesNothing) {
    fs::create_directories(base);
    std::ofstream(base / "datos") << "a file where the folder should be";
    EXPECT_FALSE(saveRecovery(folder.string(), "1,300,0,0,0,0,0\r\n", 0));
    EXPECT_TRUE(takePendingRecoveries(folder.string()).empty());
    EXPECT_EQ(slurp(base / "datos"), "a file where the folder should be");
}
