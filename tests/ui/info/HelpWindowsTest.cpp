// The help windows: their pictures, texts that fit, formulas, and that they say what the
// bench does: the interface window names the columns in the order the data file writes them, and the
// electromagnet window gives the field law the bench records.
#include <QtTest>

#include <QLabel>
#include <functional>

#include "GoldenImage.h"
#include "ui/BenchWindow.h"
#include "ui/info/Acerca.h"
#include "ui/info/CryostatHelp.h"
#include "ui/info/FormulaLayout.h"
#include "ui/info/FormulaWidget.h"
#include "ui/info/HelpFormulas.h"
#include "ui/info/InterfaceHelp.h"
#include "ui/info/MagnetHelp.h"
#include "ui/info/SamplesHelp.h"
#include "ui/info/SwitchBoxHelp.h"

using namespace eh;
using namespace eh::typeset;
using Factory = std::function<QDialog*()>;
Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(NodePtr)

namespace {

const GlyphRun& runOf(const Layout& layout, const QString& text, int occurrence = 0) {
    for (const GlyphRun& run : layout.runs)
        if (run.text == text && occurrence-- == 0) return run;
    qFatal("no glyph run %s", qPrintable(text));
}

// Extent of a run's ink box, approximated by its font's ascent and descent.
QRectF box(const GlyphRun& run) {
    const QFontMetricsF fm(run.font);
    return {run.origin.x(), run.origin.y() - fm.ascent(), fm.horizontalAdvance(run.text), fm.height()};
}

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsCheckedAndEveryTextFits_data();
    void looksAsCheckedAndEveryTextFits();
    void interfaceWindowNamesTheColumnsInFileOrder();
    void magnetWindowGivesTheFieldTheBenchRecords_data();
    void magnetWindowGivesTheFieldTheBenchRecords();
    void fractionsAndScripts();
    void formulasSayWhatTheWindowsTeach_data();
    void formulasSayWhatTheWindowsTeach();
};

void HelpWindowsTest::looksAsCheckedAndEveryTextFits_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("golden"); // none for the window that shows the version, nor for a second look
    QTest::newRow("switch box") << Factory([] { return new SwitchBoxHelp; }) << "info-switch-box";
    QTest::newRow("magnet") << Factory([] { return new MagnetHelp; }) << "info-magnet";
    QTest::newRow("samples") << Factory([] {
        // As the bench opens it: the unknown sample's button usable.
        return new SamplesHelp({1, 0.3f, 0.2f, 0.01f, {}}, nullptr,
                               {{}, [](const QString&) { return SampleDimensions{}; }});
    }) << "info-samples";
    QTest::newRow("samples, an unknown one") << Factory([] {
        return new SamplesHelp({3, 0.753f, 0.235f, 0.017f, "TWSH-3NKM"});
    }) << "";
    QTest::newRow("cryostat") << Factory([] { return new CryostatHelp; }) << "info-cryostat";
    QTest::newRow("interface") << Factory([] { return new InterfaceHelp; }) << "info-interface";
    QTest::newRow("about") << Factory([] { return new Acerca; }) << "";
}

// Every text shows whole (each wrapped line, descenders included) in an installed font; the pictures are
// those checked by eye.
void HelpWindowsTest::looksAsCheckedAndEveryTextFits() {
    QFETCH(Factory, make);
    QFETCH(QString, golden);
    const std::unique_ptr<QDialog> window(make());
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QFontMetrics fm(label->font());
        const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000),
                                             int(label->alignment()) | Qt::TextWordWrap, label->text());
        int widestWord = 0;
        for (const QString& word : label->text().split(QLatin1Char(' ')))
            widestWord = std::max(widestWord, fm.horizontalAdvance(word));
        QVERIFY2(needed.height() <= label->height() && widestWord <= label->width(),
                 qPrintable(label->objectName()));
    }
    QVERIFY(
        window->findChild<QLabel*>(QStringLiteral("Label1"))->fontInfo().family().startsWith("Liberation"));
    if (golden.isEmpty()) return;
    const QString mismatch = test::goldenMismatch(window->grab().toImage(), golden);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

// One record whose seven values all differ; each column of its data-file line must hold the quantity the help
// window names at that place.
void HelpWindowsTest::interfaceWindowNamesTheColumnsInFileOrder() {
    BenchWindow window;
    BenchModel& bench = window.model();
    bench.Num_Registro = 2;
    bench.Reg_Temperatura[1] = 300.0f;
    bench.Reg_Campo[1] = 9000.0f;
    bench.Reg_Intensidad[1] = 10.0f;
    bench.Reg_VR[1] = 2.5f;
    bench.Reg_VH_Neg[1] = -1.25f;
    bench.Reg_VH_Pos[1] = 1.75f;
    const QMap<QString, double> valueOf = {
        {"Número", 1}, {"Temperatura", 300}, {"Campo", 9000},  {"Intensidad", 10},
        {"VR", 2.5},   {"VH(-B)", -1.25},    {"VH(+B)", 1.75},
    };
    const QStringList columns =
        QString::fromStdString(bench.registerContent()).trimmed().split(QLatin1Char(','));
    const QStringList names = InterfaceHelp()
                                  .findChild<QLabel*>(QStringLiteral("Label2"))
                                  ->text()
                                  .split(QRegularExpression(QStringLiteral("\\s+-\\s+")));
    QCOMPARE(names.size(), 7);
    QCOMPARE(columns.size(), 7);
    for (int i = 0; i < 7; ++i) {
        QVERIFY2(valueOf.contains(names[i]), qPrintable(names[i]));
        QCOMPARE(columns[i].toDouble(), valueOf[names[i]]);
    }
}

void HelpWindowsTest::magnetWindowGivesTheFieldTheBenchRecords_data() {
    QTest::addColumn<float>("amperes");
    QTest::newRow("2.5 A") << 2.5f;
    QTest::newRow("10 A, 0.9 T") << 10.0f;
}

// B(I) = a × I − b × I² in teslas, read from the formula as shown, against the field the register stores (in
// gauss) for the same magnet current.
void HelpWindowsTest::magnetWindowGivesTheFieldTheBenchRecords() {
    QFETCH(float, amperes);
    MagnetHelp info;
    QString shown;
    for (const auto& run : info.findChild<FormulaWidget*>(QStringLiteral("Equation3"))->formulaLayout().runs)
        shown += run.text;
    const QRegularExpression law(QStringLiteral("^B\\(I\\)=([0-9.]+)\u00D7I\u2212([0-9.]+)\u00D7I2$"));
    const QRegularExpressionMatch m = law.match(shown);
    QVERIFY2(m.hasMatch(), qPrintable(shown));
    const double a = m.captured(1).toDouble(), b = m.captured(2).toDouble();

    BenchWindow window;
    BenchModel& bench = window.model();
    bench.Bot_Inter_Click();
    bench.I_Iman_Max = amperes;
    bench.Acumular_Click();
    QCOMPARE(bench.storedRecords(), 1);
    QCOMPARE(bench.Reg_Campo[1], static_cast<float>((a * amperes - b * amperes * amperes) * 1e4));
}

void HelpWindowsTest::fractionsAndScripts() {
    const Style style = defaultStyle();
    const Layout l =
        fraction(variable("x"), row({variable("y"), op("+", Spacing::Medium), upright("1")}))->layout(style);
    QCOMPARE(l.bars.size(), std::size_t(1));
    const QRectF bar = l.bars.front();
    const GlyphRun& num = runOf(l, "x");
    QVERIFY2(box(num).bottom() <= bar.top(), "numerator overlaps the bar");
    QVERIFY2(box(runOf(l, "y")).top() >= bar.bottom(), "denominator overlaps the bar");
    // The bar sits above the baseline (on the maths axis) and spans the wider part, with the narrow numerator
    // centred over it.
    QVERIFY(bar.center().y() < 0 && bar.center().y() > -QFontMetricsF(style.font(false)).ascent() / 2);
    QVERIFY(bar.width() >= QFontMetricsF(num.font).horizontalAdvance("y+1"));
    QVERIFY(qAbs(box(num).center().x() - bar.center().x()) < 1.0);

    // A script is smaller and, if a letter, italic; a script of a script is smaller again, but never below
    // the smallest size.
    const Layout nested =
        superscript(variable("e"), superscript(upright("2"), superscript(variable("b"), variable("c"))))
            ->layout(style);
    QVERIFY(runOf(nested, "e").font.italic() && !runOf(nested, "2").font.italic());
    QVERIFY(runOf(nested, "2").font.pointSizeF() < runOf(nested, "e").font.pointSizeF());
    QCOMPARE(runOf(nested, "2").font.pointSizeF(), style.scriptPoints);
    QCOMPARE(runOf(nested, "b").font.pointSizeF(), style.subScriptPoints);
    QCOMPARE(runOf(nested, "c").font.pointSizeF(), style.subScriptPoints);
}

void HelpWindowsTest::formulasSayWhatTheWindowsTeach_data() {
    QTest::addColumn<NodePtr>("formula");
    // The text with × \u00D7, · \u00B7, − \u2212, ρ \u03C1, τ \u03C4, and a glyph set lower
    // than the one after the '>'.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lower");
    // clang-format off
    QTest::newRow("resistivity") << helpformulas::resistivity() << "\u03C1=Vr\u00B7a\u00B7dI\u00B7L" << "r>V";
    QTest::newRow("Hall coefficient") << helpformulas::hallCoefficient() << "RH=VH\u00B7dI\u00B7B" << "H>R";
    QTest::newRow("current falls") << helpformulas::currentFall() << "I(t)=IMax\u00B7e\u2212t/\u03C4" << "e>\u03C4";
    QTest::newRow("current rises") << helpformulas::currentRise() << "I(t)=IMax\u00B7(1\u2212e\u2212t/\u03C4)" << "Max>I";
    QTest::newRow("field of current") << helpformulas::fieldOfCurrent() << "B(I)=0.1\u00D7I\u22120.001\u00D7I2" << "I>2";
    // clang-format on
}

// Each formula reads as the physics has it, with its scripts in place, and its runs lie inside its bounds,
// left to right without overlapping on each baseline.
void HelpWindowsTest::formulasSayWhatTheWindowsTeach() {
    QFETCH(NodePtr, formula);
    QFETCH(QString, text);
    QFETCH(QString, lower);
    const Layout l = formula->layout(defaultStyle());
    QString shown;
    for (const GlyphRun& run : l.runs) shown += run.text;
    QCOMPARE(shown, text);
    const QStringList pair = lower.split(QLatin1Char('>'));
    QVERIFY2(runOf(l, pair[0]).origin.y() > runOf(l, pair[1]).origin.y(), qPrintable(lower));
    const QRectF bounds = l.bounds().adjusted(-0.01, -0.01, 0.01, 0.01);
    for (std::size_t k = 0; k < l.runs.size(); ++k) {
        QVERIFY2(bounds.contains(box(l.runs[k])), qPrintable(l.runs[k].text));
        const GlyphRun& a = l.runs[k - (k > 0)];
        if (k > 0 && qFuzzyCompare(a.origin.y(), l.runs[k].origin.y()))
            QVERIFY2(l.runs[k].origin.x() >= box(a).right() - 0.01,
                     qPrintable(a.text + " / " + l.runs[k].text));
    }
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
