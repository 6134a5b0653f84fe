#include <QtTest>

#include "ui/info/FormulaLayout.h"
#include "ui/info/Formulas.h"

using namespace eh::formula;

namespace {

const GlyphRun* findRun(const Layout& layout, const QString& text, int occurrence = 0) {
    for (const GlyphRun& run : layout.runs)
        if (run.text == text && occurrence-- == 0) return &run;
    return nullptr;
}

QString allText(const Layout& layout) {
    QString s;
    for (const GlyphRun& run : layout.runs) s += run.text;
    return s;
}

// Extent of a run's ink box, approximated by its font's ascent and descent.
qreal runTop(const GlyphRun& run) {
    return run.origin.y() - QFontMetricsF(run.font).ascent();
}
qreal runBottom(const GlyphRun& run) {
    return run.origin.y() + QFontMetricsF(run.font).descent();
}

} // namespace

class FormulaTest : public QObject {
    Q_OBJECT
private slots:
    void fractionStacksAroundItsBar();
    void scriptsAreSmallerAndShifted();
    void layoutBoundsEncloseEveryRun();
    void formulasSayWhatTheWindowsTeach();
};

void FormulaTest::fractionStacksAroundItsBar() {
    const Layout l = fraction(variable("x"), row({variable("y"), op("+", Spacing::Medium), upright("1")}))
                         ->layout(defaultStyle());
    QCOMPARE(l.bars.size(), std::size_t(1));
    const QRectF bar = l.bars.front();
    const GlyphRun* num = findRun(l, "x");
    const GlyphRun* den = findRun(l, "y");
    QVERIFY(num && den);
    QVERIFY2(runBottom(*num) <= bar.top(), "numerator overlaps the bar");
    QVERIFY2(runTop(*den) >= bar.bottom(), "denominator overlaps the bar");
    // The bar sits above the baseline (on the maths axis) and spans the wider part.
    QVERIFY(bar.center().y() < 0);
    QVERIFY(bar.center().y() > -QFontMetricsF(defaultStyle().font(false)).ascent() / 2);
    const qreal denWidth = QFontMetricsF(den->font).horizontalAdvance("y+1");
    QVERIFY(bar.width() >= denWidth);
    // The narrow numerator is centred over the bar.
    const qreal numCentre = num->origin.x() + QFontMetricsF(num->font).horizontalAdvance("x") / 2;
    QVERIFY(qAbs(numCentre - bar.center().x()) < 1.0);
}

void FormulaTest::scriptsAreSmallerAndShifted() {
    const Style style = defaultStyle();
    const Layout sub = subscript(variable("V"), variable("r"))->layout(style);
    const Layout sup = superscript(variable("I"), upright("2"))->layout(style);
    const GlyphRun* v = findRun(sub, "V");
    const GlyphRun* r = findRun(sub, "r");
    const GlyphRun* i = findRun(sup, "I");
    const GlyphRun* two = findRun(sup, "2");
    QVERIFY(v && r && i && two);

    QVERIFY(r->font.pointSizeF() < v->font.pointSizeF());
    QVERIFY(two->font.pointSizeF() < i->font.pointSizeF());
    QVERIFY2(r->origin.y() > v->origin.y(), "subscript not lowered");
    QVERIFY2(two->origin.y() < i->origin.y(), "superscript not raised");
    QVERIFY(r->origin.x() >= QFontMetricsF(v->font).horizontalAdvance("V"));
    QVERIFY(two->origin.x() >= QFontMetricsF(i->font).horizontalAdvance("I"));
    // Variables are italic, numbers are not.
    QVERIFY(v->font.italic() && r->font.italic());
    QVERIFY(!two->font.italic());

    // A script of a script is smaller again, but never below the smallest size.
    const Layout nested =
        superscript(variable("e"), superscript(variable("a"), superscript(variable("b"), variable("c"))))
            ->layout(style);
    QCOMPARE(findRun(nested, "a")->font.pointSizeF(), style.scriptPoints);
    QCOMPARE(findRun(nested, "b")->font.pointSizeF(), style.subScriptPoints);
    QCOMPARE(findRun(nested, "c")->font.pointSizeF(), style.subScriptPoints);
}

void FormulaTest::layoutBoundsEncloseEveryRun() {
    const NodePtr all[] = {eh::formulas::resistivity(), eh::formulas::hallCoefficient(),
                           eh::formulas::currentFall(), eh::formulas::currentRise(),
                           eh::formulas::fieldOfCurrent()};
    for (const NodePtr& f : all) {
        const Layout l = f->layout(defaultStyle());
        const QRectF bounds = l.bounds();
        for (const GlyphRun& run : l.runs) {
            const QRectF box(run.origin.x(), runTop(run), QFontMetricsF(run.font).horizontalAdvance(run.text),
                             runBottom(run) - runTop(run));
            QVERIFY2(bounds.adjusted(-0.01, -0.01, 0.01, 0.01).contains(box), qPrintable(run.text));
        }
        // Runs follow each other without overlapping, left to right, on each baseline.
        for (std::size_t k = 1; k < l.runs.size(); ++k) {
            const GlyphRun& a = l.runs[k - 1];
            const GlyphRun& b = l.runs[k];
            if (qFuzzyCompare(a.origin.y(), b.origin.y()))
                QVERIFY2(b.origin.x() >=
                             a.origin.x() + QFontMetricsF(a.font).horizontalAdvance(a.text) - 0.01,
                         qPrintable(a.text + " / " + b.text));
        }
    }
}

void FormulaTest::formulasSayWhatTheWindowsTeach() {
    const Style style = defaultStyle();
    const QString minus = QStringLiteral("\u2212");
    const QString times = QStringLiteral("\u00D7");
    const QString dot = QStringLiteral("\u00B7");

    const Layout field = eh::formulas::fieldOfCurrent()->layout(style);
    QCOMPARE(allText(field), "B(I)=0.1" + times + "I" + minus + "0.001" + times + "I2");
    QVERIFY(field.bars.empty());
    const GlyphRun* square = findRun(field, "2");
    QVERIFY(square->origin.y() < 0);

    const Layout rho = eh::formulas::resistivity()->layout(style);
    QCOMPARE(allText(rho), QStringLiteral("\u03C1=Vr") + dot + "a" + dot + "dI" + dot + "L");
    QCOMPARE(rho.bars.size(), std::size_t(1));
    QVERIFY(findRun(rho, "r")->origin.y() > findRun(rho, "V")->origin.y());
    QVERIFY(findRun(rho, "L")->origin.y() > rho.bars.front().bottom());

    const Layout hall = eh::formulas::hallCoefficient()->layout(style);
    QCOMPARE(allText(hall), "RH=VH" + dot + "dI" + dot + "B");
    QVERIFY(findRun(hall, "H", 0)->origin.y() > findRun(hall, "R")->origin.y());
    QVERIFY(findRun(hall, "H", 1)->origin.y() > findRun(hall, "V")->origin.y());

    const QString exponent = minus + QStringLiteral("t/\u03C4");
    const Layout fall = eh::formulas::currentFall()->layout(style);
    QCOMPARE(allText(fall), "I(t)=IMax" + dot + "e" + exponent);
    const Layout rise = eh::formulas::currentRise()->layout(style);
    QCOMPARE(allText(rise), "I(t)=IMax" + dot + "(1" + minus + "e" + exponent + ")");
    for (const Layout* l : {&fall, &rise}) {
        const GlyphRun* e = findRun(*l, "e");
        const GlyphRun* tau = findRun(*l, QStringLiteral("\u03C4"));
        QVERIFY(tau->origin.y() < e->origin.y());
        QVERIFY(tau->font.pointSizeF() < e->font.pointSizeF());
        QVERIFY(findRun(*l, "Max")->origin.y() > e->origin.y());
    }
}

QTEST_MAIN(FormulaTest)
#include "FormulaTest.moc"
