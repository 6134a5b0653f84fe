// The texts of fit results a student copies into a report: expected strings written
// out by hand (rounding to two figures of the uncertainty, Spanish notation, the
// mobility law μ_H ∝ T^−p), and every text of a real sweep's analysis free of
// "e+", "nan", "inf" and decimal points.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "CoreSupport.h"
#include "analysis/Analysis.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"
#include "ui/analysis/FitText.h"

using namespace eh::analysis;

namespace {

FitResult done(FitKind kind, double value, double uncertainty, Range range, std::size_t points,
               double rSquared = 0.9999812) {
    FitResult f;
    f.kind = kind;
    f.value = value;
    f.uncertainty = uncertainty;
    f.range = range;
    f.used.resize(points);
    f.line = LineFit{};
    f.line->rSquared = rSquared;
    return f;
}

FitResult notDone(FitKind kind, const char* note) {
    FitResult f;
    f.kind = kind;
    f.note = note;
    return f;
}

std::string text(const QString& s) {
    return s.toStdString();
}

// A sweep of the bench from 50 to 760 K in steps of 10 K, read back as a data set.
DataSet sweptData(int sample) {
    const eh::test::TempDir folder;
    const std::string path = (folder.path / "barrido.asc").string();
    eh::sweep::SweepPlan plan;
    plan.sample = sample;
    eh::sweep::FileAnsweringHost host(path);
    eh::BenchModel bench(host);
    std::string error;
    eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
    DataSet data;
    if (!readDataFile(path, data, error)) ADD_FAILURE() << error;
    return data;
}

} // namespace

TEST(FitText, SummariesOfTheFourFits) {
    struct Row {
        FitResult fit;
        const char* summary;
    } rows[] = {
        {done(FitKind::GapSigma, 0.76633, 0.00283, {500, 800}, 27),
         "E_g (σ) = 0,7663 ± 0,0028 eV  (27 puntos entre 500 y 800 K, R² = 0,999981)"},
        {done(FitKind::GapHall, 0.75312, 0.00114, {500, 800}, 31),
         "E_g (R_H) = 0,7531 ± 0,0011 eV  (31 puntos entre 500 y 800 K, R² = 0,999981)"},
        {done(FitKind::MobilityExponent, 1.65901, 0.0123, {100, 300}, 21),
         "exponente de μ_H = 1,659 ± 0,012: μ_H ∝ T^−1,659  (21 puntos entre 100 y 300 K, R² = 0,999981)"},
        {done(FitKind::HallFromField, -3124.6, 12.4, {299, 301}, 100),
         "R_H (campo) = −3125 ± 12 cm³/C  (100 puntos entre 299 y 301 K, R² = 0,999981)"},
        {done(FitKind::GapSigma, 0.7, 0.01, {512.5, 800}, 1, 1),
         "E_g (σ) = 0,700 ± 0,010 eV  (1 punto entre 512,5 y 800 K, R² = 1,000000)"},
        {notDone(FitKind::HallFromField, "1 punto entre 299 y 301 K; hacen falta al menos 3"),
         "R_H (campo): sin ajuste (1 punto entre 299 y 301 K; hacen falta al menos 3)"},
    };
    for (const Row& r : rows) EXPECT_EQ(text(fitSummary(r.fit)), r.summary);
}

// μ_H ∝ T^−p for a fitted p of either sign: a falling mobility has a real minus, a
// rising one none, and never two signs in a row.
TEST(FitText, MobilityLawHasOneSign) {
    EXPECT_EQ(text(mobilityLawText(1.65901)), "μ_H ∝ T^−1,659");
    EXPECT_EQ(text(mobilityLawText(1.65901, 0.0123)), "μ_H ∝ T^−1,659");
    EXPECT_EQ(text(mobilityLawText(2.3291, 0.21)), "μ_H ∝ T^−2,33");
    EXPECT_EQ(text(mobilityLawText(-107.111)), "μ_H ∝ T^107,111");
    EXPECT_EQ(text(mobilityLawText(-2.5, 0.04)), "μ_H ∝ T^2,500");
    EXPECT_EQ(text(mobilityLawText(0.0002, 0.004)), "μ_H ∝ T^−0,0002");
    EXPECT_EQ(text(mobilityLawText(0.00002, 0.004)), "μ_H ∝ T^0,0000");
    const QString negative = fitSummary(done(FitKind::MobilityExponent, -107.111, 0.5, {100, 300}, 5));
    EXPECT_TRUE(negative.contains(QStringLiteral("= −107,11 ± 0,50: μ_H ∝ T^107,11"))) << text(negative);
}

TEST(FitText, GapDifferenceAsTheMethodsSystematicError) {
    const FitResult sigma2 = done(FitKind::GapSigma, 0.7771, 0.0012, {500, 800}, 31);
    const FitResult hall2 = done(FitKind::GapHall, 0.7529, 0.0009, {500, 800}, 31);
    const FitResult sigma1 = done(FitKind::GapSigma, 0.7660, 0.0008, {500, 800}, 31);
    const FitResult hall1 = done(FitKind::GapHall, 0.7600, 0.0008, {500, 800}, 31);
    const FitResult noHall = notDone(FitKind::GapHall, "1 punto entre 500 y 800 K; hacen falta al menos 3");
    const FitResult noSigma = notDone(FitKind::GapSigma, "x");
    const FitResult field = done(FitKind::HallFromField, -3124.6, 12.4, {299, 301}, 100);
    struct Row {
        std::vector<FitResult> fits;
        const char* text;
    } rows[] = {
        {{sigma2, hall2, field},
         "E_g (σ) − E_g (R_H) = 0,024 eV: estimación del error sistemático del método"},
        {{sigma1, hall1}, "E_g (σ) − E_g (R_H) = 0,0060 eV: estimación del error sistemático del método"},
        {{hall1, sigma2}, "E_g (σ) − E_g (R_H) = 0,017 eV: estimación del error sistemático del método"},
        {{hall2, sigma1}, "E_g (σ) − E_g (R_H) = 0,013 eV: estimación del error sistemático del método"},
        {{sigma1, done(FitKind::GapHall, 0.7783, 0.0008, {500, 800}, 9)},
         "E_g (σ) − E_g (R_H) = −0,012 eV: estimación del error sistemático del método"},
        {{sigma1, noHall}, "E_g (σ) − E_g (R_H): sin valor (falta E_g (R_H))"},
        {{noSigma, hall1}, "E_g (σ) − E_g (R_H): sin valor (falta E_g (σ))"},
        {{noSigma, noHall}, "E_g (σ) − E_g (R_H): sin valor (faltan los dos ajustes)"},
        {{field}, ""},
    };
    for (const Row& r : rows) EXPECT_EQ(text(gapDifferenceText(r.fits)), r.text);
}

TEST(FitText, ReducedChiSquareAndTheKindOfFit) {
    FitResult f = done(FitKind::GapSigma, 0.766, 0.003, {500, 800}, 27);
    f.chi2Reduced = 1.2649;
    EXPECT_EQ(text(fitQualityText(f)), "χ² reducido = 1,3; mínimos cuadrados ordinarios");
    f.weighted = true;
    EXPECT_EQ(text(fitQualityText(f)), "χ² reducido = 1,3; mínimos cuadrados ponderados por 1/u², "
                                       "incertidumbre ampliada por √(χ² reducido)");
    f.chi2Reduced = 0.81;
    EXPECT_EQ(text(fitQualityText(f)), "χ² reducido = 0,81; mínimos cuadrados ponderados por 1/u²");
    f.chi2Reduced = 1.0;
    EXPECT_EQ(text(fitQualityText(f)), "χ² reducido = 1; mínimos cuadrados ponderados por 1/u²");
    f.chi2Reduced = 23400;
    f.weighted = false;
    EXPECT_EQ(text(fitQualityText(f)), "χ² reducido = 23000; mínimos cuadrados ordinarios");
    EXPECT_EQ(text(fitQualityText(notDone(FitKind::GapSigma, "x"))), "");
}

TEST(FitText, InterceptOfTheFieldFitOnly) {
    FitResult field = done(FitKind::HallFromField, -3124.6, 12.4, {299, 301}, 100);
    field.intercept = 1.23e-5;
    field.interceptUncertainty = 0.41e-5;
    EXPECT_EQ(text(interceptText(field)), "ordenada en el origen: (1,23 ± 0,41)·10⁻⁵ V");
    field.intercept = -0.0123;
    field.interceptUncertainty = 0.0021;
    EXPECT_EQ(text(interceptText(field)), "ordenada en el origen: −0,0123 ± 0,0021 V");
    FitResult gap = done(FitKind::GapSigma, 0.766, 0.003, {500, 800}, 27);
    gap.intercept = 1;
    gap.interceptUncertainty = 1;
    EXPECT_EQ(text(interceptText(gap)), "");
}

TEST(FitText, TableCells) {
    struct Row {
        std::optional<double> value;
        const char* text;
    } rows[] = {
        {std::nullopt, ""},         {1000000, "1000000"}, // a record number in full
        {300.1, "300,1"},           {8116, "8116"},       {-0.28121, "−0,28121"},
        {1.2380, "1,238"},          {2.0e15, "2·10¹⁵"},   {1.3517249e17, "1,351725·10¹⁷"},
        {0.825312345, "0,8253123"}, {2e-5, "2·10⁻⁵"},
    };
    for (const Row& r : rows) EXPECT_EQ(text(cellText(r.value)), r.text);
    EXPECT_EQ(text(cellText(0.825312345, 4)), "0,8253");
}

TEST(FitText, UnitsWrittenOneWay) {
    struct Row {
        Unit unit;
        const char* text;
    } rows[] = {{Unit::Hall, "cm³/C"},         {Unit::Resistivity, "Ω·cm"},
                {Unit::Mobility, "cm²/(V·s)"}, {Unit::Density, "cm⁻³"},
                {Unit::ElectronVolt, "eV"},    {Unit::Kelvin, "K"},
                {Unit::Conductivity, "S/cm"},  {Unit::None, ""}};
    for (const Row& r : rows) EXPECT_EQ(text(unitText(r.unit)), r.text);
    EXPECT_EQ(text(measurementText(1.3517e17, 2.71e15, Unit::Density)), "(1,352 ± 0,027)·10¹⁷ cm⁻³");
}

// Every text of the analysis of whole sweeps, done fits and refused ones, reads as
// Spanish numbers: no "e+"/"e-" notation, no decimal point between digits, no
// "nan"/"inf", no double sign.
TEST(FitText, WholeSweepsReadInSpanish) {
    const QRegularExpression pointNumber(QStringLiteral("\\d\\.\\d"));
    const QRegularExpression exponent(QStringLiteral("\\de[+-]?\\d"),
                                      QRegularExpression::CaseInsensitiveOption);
    for (int sample : {1, 2}) {
        Analysis a;
        a.data = sweptData(sample);
        a.sample = sample;
        ASSERT_EQ(a.data.records.size(), 72u);
        for (const FitSettings& s :
             {FitSettings{}, FitSettings{.gap = {790, 800}, .mobility = {299.9, 300.1}, .weighted = true}}) {
            analyse(a, s);
            // The default ranges give three results, the narrow ones none: both kinds of text.
            const auto results = std::count_if(a.fits.begin(), a.fits.end(),
                                               [](const FitResult& f) { return f.value.has_value(); });
            EXPECT_EQ(results, s.weighted ? 0 : 3);
            QStringList texts{gapDifferenceText(a.fits), signChangeText(a)};
            for (const FitResult& f : a.fits)
                texts << fitSummary(f) << fitQualityText(f) << interceptText(f)
                      << QString::fromStdString(f.warning);
            for (const QString& t : texts) {
                EXPECT_FALSE(t.contains(pointNumber)) << text(t);
                EXPECT_FALSE(t.contains(exponent)) << text(t);
                EXPECT_FALSE(t.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << text(t);
                EXPECT_FALSE(t.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << text(t);
                EXPECT_FALSE(t.contains(QStringLiteral("−−")) || t.contains(QStringLiteral("--"))) << text(t);
            }
        }
    }
}
