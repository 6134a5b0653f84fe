// The bench keeps its journal in step with the register: each stored record, each
// emptying and each successful save is on disk before the press returns, and the
// journal always reads back as what Salvar would write.
#include "CoreSupport.h"
#include "datafile/JournalFile.h"
#include "datafile/JournalLine.h"

using namespace eh;
using namespace eh::test;

namespace {

class JournalHooksTest : public BenchTest {
protected:
    JournalHooksTest() {
        bench.setJournal(&journal);
        bench.Bot_Inter_Click();
    }
    void store(float t) {
        bench.T_Medida = t;
        bench.Lectura_Ro = TaggedNumber::single(t / 3000.0f);
        bench.Acumular_Click();
    }
    // What the next start would offer, from the file alone.
    std::string replayed() const { return registerFromJournal(slurp(journal.path())); }

    TempDir tmp;
    int syncs = 0;
    JournalFile journal{(tmp.path / "Tarvelo").string(), [this](int fd) {
                            ++syncs;
                            return ::fdatasync(fd);
                        }};
};

} // namespace

TEST_F(JournalHooksTest, JournalFollowsEveryPressThatChangesWhatWouldBeLost) {
    store(300.0f);
    store(77.7f);
    EXPECT_EQ(syncs, 2);
    EXPECT_EQ(replayed(), bench.registerContent());
    EXPECT_EQ(replayed(), "1,300,0,0,0.1,0,0\r\n2,77.7,0,0,0.0259,0,0\r\n");

    host.answer.reset(); // a cancelled save keeps the records in the journal
    bench.Salvar_Click();
    EXPECT_EQ(replayed(), bench.registerContent());
    host.answer = (tmp.path / "datos.ASC").string();
    bench.Salvar_Click();
    EXPECT_EQ(syncs, 3);
    EXPECT_EQ(replayed(), "") << "saved: nothing to offer";

    // One more record after the save: what Salvar would now write, all of it.
    store(123.4f);
    EXPECT_EQ(replayed(), slurp(tmp.path / "datos.ASC") + "3,123.4,0,0,0.04113333,0,0\r\n");
    bench.Reset_Click();
    EXPECT_EQ(replayed(), "") << "emptied: nothing to offer";
    store(50.0f);
    EXPECT_EQ(replayed(), "1,50,0,0,0.01666667,0,0\r\n");
    EXPECT_EQ(syncs, 6);
}

TEST_F(JournalHooksTest, RefusedPressesWriteNothing) {
    bench.Num_Registro = BenchState::kRegisterSlots; // 99 records held
    store(300.0f);
    EXPECT_EQ(syncs, 1);
    const std::string full = replayed();
    EXPECT_EQ(std::count(full.begin(), full.end(), '\n'), 100);
    store(301.0f); // full: refused
    bench.Bot_Inter_Click();
    bench.Reset_Click(); // the interface off: the button cannot be pressed
    store(302.0f);
    EXPECT_EQ(syncs, 1);
    EXPECT_EQ(replayed(), bench.registerContent());
}

TEST_F(BenchTest, WithoutAJournalTheBenchWritesNothing) {
    TempDir tmp;
    const fs::path before = fs::current_path();
    fs::current_path(tmp.path);
    bench.Bot_Inter_Click();
    bench.Acumular_Click();
    bench.Reset_Click();
    bench.Acumular_Click();
    fs::current_path(before);
    EXPECT_TRUE(entries(tmp.path).empty());
    EXPECT_EQ(bench.registerContent(), "1,300,0,0,0,0,0\r\n");
}
