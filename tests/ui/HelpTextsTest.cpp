// The help windows say what the bench does: the interface window names the columns
// in the order the data file writes them, and the electromagnet window gives the
// field law the bench records.
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "bench/BenchModel.h"
#include "ui/info/FormulaWidget.h"
#include "ui/info/Info2.h"
#include "ui/info/Info5.h"

using namespace eh;

namespace {

class SilentHost : public BenchHost {
public:
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void setBusyPointer(bool) override {}
};

} // namespace

class HelpTextsTest : public QObject {
    Q_OBJECT
private slots:
    void interfaceWindowNamesTheColumnsInFileOrder();
    void magnetWindowGivesTheFieldTheBenchRecords_data();
    void magnetWindowGivesTheFieldTheBenchRecords();
};

// One record whose seven values all differ; each column of its data-file line must
// hold the quantity the help window names at that place.
void HelpTextsTest::interfaceWindowNamesTheColumnsInFileOrder() {
    SilentHost host;
    BenchModel bench(host);
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

    Info5 window;
    const QString order = window.findChild<QLabel*>(QStringLiteral("Label2"))->text();
    const QStringList names = order.split(QRegularExpression(QStringLiteral("\\s+-\\s+")));
    QCOMPARE(names.size(), 7);
    QCOMPARE(columns.size(), 7);
    for (int i = 0; i < 7; ++i) {
        QVERIFY2(valueOf.contains(names[i]), qPrintable(names[i]));
        QCOMPARE(columns[i].toDouble(), valueOf[names[i]]);
    }
}

void HelpTextsTest::magnetWindowGivesTheFieldTheBenchRecords_data() {
    QTest::addColumn<float>("amperes");
    QTest::newRow("2.5 A") << 2.5f;
    QTest::newRow("10 A, 0.9 T") << 10.0f;
}

// B(I) = a × I − b × I² in teslas, read from the formula as shown, against the field
// the register stores (in gauss) for the same magnet current.
void HelpTextsTest::magnetWindowGivesTheFieldTheBenchRecords() {
    QFETCH(float, amperes);
    Info2 window;
    QString shown;
    for (const auto& run :
         window.findChild<FormulaWidget*>(QStringLiteral("Equation3"))->formulaLayout().runs)
        shown += run.text;
    const QRegularExpression law(QStringLiteral("^B\\(I\\)=([0-9.]+)\u00D7I\u2212([0-9.]+)\u00D7I2$"));
    const QRegularExpressionMatch m = law.match(shown);
    QVERIFY2(m.hasMatch(), qPrintable(shown));
    const double a = m.captured(1).toDouble(), b = m.captured(2).toDouble();

    SilentHost host;
    BenchModel bench(host);
    bench.Form_Load();
    bench.Bot_Inter_Click();
    bench.I_Iman_Max = amperes;
    bench.Acumular_Click();
    QCOMPARE(bench.storedRecords(), 1);
    const double tesla = a * amperes - b * amperes * amperes;
    QCOMPARE(bench.Reg_Campo[1], static_cast<float>(tesla * 1e4));
}

QTEST_MAIN(HelpTextsTest)
#include "HelpTextsTest.moc"
