// The check of a data file against a code: each of a class's sweeps against every
// code of the class, the catalogued samples, and readings changed by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "ClassOf30.h"
#include "clase/ClassCodes.h"
#include "clase/KeyMeasurement.h"
#include "clase/RecordCheck.h"
#include "sweep/SweepRunner.h"

using namespace eh;
using namespace eh::clase;

namespace {

std::vector<SampleCode> classCodes30() {
    return classCodes(eh::test::classOf30(), eh::test::kClassOf30Seed);
}

// A bench whose save dialog is cancelled: the register is read instead.
struct CancellingHost : BenchHost {
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void setBusyPointer(bool) override {}
};

// A catalogued sample's sweep, read as the file gives it.
std::vector<analysis::Record> catalogueSweep(int sample) {
    sweep::SweepPlan plan;
    plan.sample = sample;
    std::string error;
    CancellingHost host;
    BenchModel bench(host);
    sweep::SweepRunner runner(bench, plan);
    runner.run(sweep::sweepTargets(plan, error));
    analysis::DataSet data;
    EXPECT_TRUE(analysis::parseDataText(bench.registerContent(), data, error));
    return data.records;
}

} // namespace

TEST(RecordCheck, EachSweepMatchesItsOwnCodeOnlyAcrossAClassOf30) {
    const std::vector<SampleCode> codes = classCodes30();
    std::vector<std::vector<analysis::Record>> sweeps;
    for (const SampleCode& c : codes) sweeps.push_back(sweepRecords(c, 50, 760, 10));
    for (std::size_t measured = 0; measured < codes.size(); ++measured)
        for (std::size_t claimed = 0; claimed < codes.size(); ++claimed) {
            const CheckReport r = checkRecords(codes[claimed], sweeps[measured]);
            ASSERT_EQ(r.records, 72);
            if (measured == claimed) {
                EXPECT_EQ(r.verdict, Verdict::Consistent)
                    << codes[claimed].text() << ": " << (r.mismatches.empty() ? "" : r.mismatches[0].reason);
                EXPECT_EQ(r.matching, 72);
            } else {
                EXPECT_EQ(r.verdict, Verdict::OtherSample)
                    << codes[measured].text() << " as " << codes[claimed].text();
            }
        }
}

TEST(RecordCheck, TheCataloguedSamplesAreNoClassSample) {
    const std::vector<SampleCode> codes = classCodes30();
    for (int sample : {1, 2}) {
        const std::vector<analysis::Record> records = catalogueSweep(sample);
        ASSERT_EQ(records.size(), 72u);
        for (const SampleCode& c : codes) {
            const CheckReport r = checkRecords(c, records);
            EXPECT_EQ(r.verdict, Verdict::OtherSample) << sample << " as " << c.text();
            EXPECT_EQ(r.verdict == Verdict::OtherSample ? "el fichero NO se midió en la muestra " + c.text()
                                                        : "",
                      verdictText(r, c.text()));
        }
    }
}

// One record changed by hand in a sweep of the right code: each Hall reading from the
// freeze-out to the top of the range, the resistance reading at room temperature and
// at 700 and 760 K. (Where the resistance changes by 2 % or more per kelvin — at 100 K,
// holes' lattice mobility goes as T^-2.33, 2.3 % per kelvin; at the onset of intrinsic
// conduction near 500 K — a 2 % change can hide in the temperature's own wandering.)
TEST(RecordCheck, OneReadingChangedByTwoPerCentIsCaught) {
    using analysis::Record;
    for (const SampleCode& code : {classCodes30()[0], classCodes30()[2]}) {
        const std::vector<Record> sweep = sweepRecords(code, 50, 760, 10);
        const std::vector<std::pair<double Record::*, std::vector<std::size_t>>> cases = {
            {&Record::vMinusV, {0, 5, 25, 65, 71}},
            {&Record::vPlusV, {0, 5, 25, 65, 71}},
            {&Record::vrV, {25, 65, 71}}};
        for (const auto& [reading, indexes] : cases)
            for (std::size_t index : indexes)
                for (double factor : {1.02, 0.98}) {
                    std::vector<Record> edited = sweep;
                    edited[index].*reading *= factor;
                    const CheckReport r = checkRecords(code, edited);
                    SCOPED_TRACE(code.text() + " at " + std::to_string(sweep[index].temperatureK) + " K");
                    EXPECT_EQ(r.verdict, Verdict::Edited);
                    EXPECT_EQ(r.matching, 71);
                    ASSERT_EQ(r.mismatches.size(), 1u);
                    EXPECT_EQ(r.mismatches[0].line, sweep[index].line);
                    const char* name = reading == &Record::vrV       ? "VR = "
                                       : reading == &Record::vMinusV ? "VH- = "
                                                                     : "VH+ = ";
                    EXPECT_EQ(r.mismatches[0].reason.rfind(name, 0), 0u) << r.mismatches[0].reason;
                }
        // On the plateau a tenth of that is caught as well; a change at the file's last
        // digit is not a change.
        std::vector<Record> edited = sweep;
        edited[25].vMinusV *= 1.002;
        EXPECT_EQ(checkRecords(code, edited).matching, 71);
        edited = sweep;
        edited[25].vMinusV *= 1 + 5e-7;
        edited[25].vrV *= 1 - 5e-7;
        EXPECT_EQ(checkRecords(code, edited).verdict, Verdict::Consistent);
    }
}

// The temperature stored with a record may lie up to 1.1 K from the one its readings
// were taken at; where the readings change by about 1 % per kelvin, 2 K is too far.
TEST(RecordCheck, TemperatureSlackAtItsLimit) {
    const SampleCode code = classCodes30()[0];
    const std::vector<analysis::Record> sweep = sweepRecords(code, 600, 700, 50);
    ASSERT_EQ(sweep.size(), 3u);
    for (const auto& [shift, matches] :
         {std::pair{0.0, true}, {0.5, true}, {-0.5, true}, {2.0, false}, {-2.0, false}, {5.0, false}}) {
        std::vector<analysis::Record> moved = sweep;
        for (analysis::Record& r : moved) r.temperatureK += shift;
        EXPECT_EQ(checkRecords(code, moved).matching, matches ? 3 : 0) << shift;
    }
}

TEST(RecordCheck, VerdictFollowsTheShareOfMatchingRecords) {
    const std::vector<SampleCode> codes = classCodes30();
    const std::vector<analysis::Record> own = sweepRecords(codes[0], 50, 760, 10);
    const std::vector<analysis::Record> other = sweepRecords(codes[1], 50, 760, 10);
    // Half the records from a classmate's file: still this sample's file, edited; more
    // than half: not this sample's file.
    for (const auto& [copied, verdict] : {std::pair{0, Verdict::Consistent},
                                          {1, Verdict::Edited},
                                          {36, Verdict::Edited},
                                          {37, Verdict::OtherSample}}) {
        std::vector<analysis::Record> mixed = own;
        for (int i = 0; i < copied; ++i)
            mixed[static_cast<std::size_t>(i)] = other[static_cast<std::size_t>(i)];
        EXPECT_EQ(checkRecords(codes[0], mixed).verdict, verdict) << copied;
    }
    EXPECT_EQ(checkRecords(codes[0], {}).verdict, Verdict::OtherSample);
}

// A student may read the resistance before switching the magnet on: the record keeps
// the set field, the resistance reading has none of the magnetoresistance (a tenth of
// a per cent near 420 K, more than the check's slack there). A sweep with the magnet at zero,
// its records given the field of 10 A, stands in for such a student's resistance
// readings; its Hall readings, zero, are not this record's.
TEST(RecordCheck, ResistanceReadWithTheMagnetOff) {
    const SampleCode code = classCodes30()[2];
    sweep::SweepPlan plan;
    plan.sample = SampleCatalogue::kUnknownRow;
    plan.sampleCode = code.text();
    plan.magnetA = 0;
    std::string error;
    CancellingHost host;
    BenchModel bench(host);
    sweep::SweepRunner(bench, plan).run(sweep::sweepTargets(plan, error));
    analysis::DataSet data;
    ASSERT_TRUE(analysis::parseDataText(bench.registerContent(), data, error));
    ASSERT_EQ(data.records.size(), 72u);
    for (analysis::Record& r : data.records) r.fieldG = 9000;
    const CheckReport report = checkRecords(code, data.records);
    ASSERT_EQ(report.mismatches.size(), 72u);
    for (const Mismatch& m : report.mismatches) {
        EXPECT_EQ(m.reason.rfind("VH- = ", 0), 0u) << m.line << ": " << m.reason;
        EXPECT_EQ(m.reason.find("VR = "), std::string::npos) << m.line << ": " << m.reason;
    }
}
