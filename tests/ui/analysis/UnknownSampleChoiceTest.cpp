// The analysis window's sample box with an unknown sample: "Muestra problema…" asks for the code, and the
// series is then worked out with that bar's dimensions, so that a sweep of the sample gives back its doping.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"
#include "ui/analysis/AnalysisWindow.h"

using namespace eh::analysis;
using eh::test::child;
using eh::test::ModalWatchdog;
using eh::test::onNextModal;

namespace {

// TWSH-3NKM names an n-type bar doped with 4.78e15 cm^-3 of antimony, 0.753 cm long between its resistivity
// contacts, 0.235 cm wide and 0.017 cm thick.
const QString kCode = QStringLiteral("TWSH-3NKM");
constexpr double kDoping = 4.78e15;

// The record measured nearest 300 K, where every donor is ionised and no intrinsic carriers count yet.
const Derived& at300K(const Analysis& a) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < a.data.records.size(); ++i)
        if (std::abs(a.data.records[i].temperatureK - 300) <
            std::abs(a.data.records[best].temperatureK - 300))
            best = i;
    return a.derived.at(best);
}

// Picks the box's last item in its list, as a user does (also when it is the item shown), and answers the
// dialog it opens with `answer`.
void chooseUnknown(QComboBox* box, const std::function<void(QWidget*)>& answer) {
    ModalWatchdog watchdog;
    bool asked = false;
    const auto watcher = onNextModal([&](QWidget* dialog) {
        asked = true;
        answer(dialog);
    });
    box->showPopup();
    QAbstractItemView* list = box->view();
    const QRect item = list->visualRect(list->model()->index(box->count() - 1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QVERIFY(asked);
}

void type(QWidget* dialog, const char* typed, Qt::Key key = Qt::Key_Return) {
    auto* field = child<QLineEdit>(*dialog, "codeField");
    field->clear();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, key);
}

} // namespace

class UnknownSampleChoiceTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString file_;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
        // The bench measures the unknown sample from 250 to 350 K.
        file_ = dir_.filePath("problema.asc");
        const eh::sweep::SweepPlan plan{
            .sample = 3, .fromK = 250, .toK = 350, .stepK = 50, .sampleCode = kCode.toStdString()};
        std::string error;
        eh::sweep::FileAnsweringHost host(file_.toStdString());
        eh::BenchModel bench(host);
        const std::vector<double> targets = eh::sweep::sweepTargets(plan, error);
        QVERIFY2(!targets.empty(), error.c_str());
        eh::sweep::SweepRunner(bench, plan).run(targets);
        QCOMPARE(host.messages, 0);
    }

    void codeGivesTheBarsDimensions() {
        AnalysisWindow w;
        w.show();
        QVERIFY(w.openFiles({file_}));
        auto* box = child<QComboBox>(w, "sampleBox");
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->itemText(2), QStringLiteral("Muestra problema…"));
        // Measured with a catalogued bar's dimensions, the density is not the doping.
        const int guessed = w.analysis(0).sample;
        QVERIFY(std::abs(*at300K(w.analysis(0)).densityCm3 / kDoping - 1) > 0.2);

        QString refusal;
        chooseUnknown(box, [&](QWidget* dialog) {
            type(dialog, "twsh3nmk");
            refusal = child<QLabel>(*dialog, "codeMessage")->text();
            type(dialog, "twsh3nkm");
        });
        QVERIFY(refusal.startsWith(QStringLiteral("El código TWSH-3NMK no es válido")));
        const Analysis& a = w.analysis(0);
        QCOMPARE(QString::fromStdString(a.sampleCode), kCode);
        QCOMPARE(float(a.geometry.lengthCm), 0.753f);
        QCOMPARE(float(a.geometry.widthCm), 0.235f);
        QCOMPARE(float(a.geometry.thicknessCm), 0.017f);
        // n = 1 / (e R_H) on the extrinsic plateau is the code's donor doping.
        const Derived& d = at300K(a);
        QCOMPARE(d.carrier, Carrier::Electrons);
        QVERIFY2(std::abs(*d.densityCm3 / kDoping - 1) < 0.05, qPrintable(QString::number(*d.densityCm3)));
        QCOMPARE(box->currentIndex(), 2);
        QCOMPARE(box->currentText(), QStringLiteral("Muestra problema TWSH-3NKM…"));

        // The dialog offers the code in use; cancelling keeps it.
        QString offered;
        chooseUnknown(box, [&](QWidget* dialog) {
            offered = child<QLineEdit>(*dialog, "codeField")->text();
            type(dialog, "", Qt::Key_Escape);
        });
        QCOMPARE(offered, kCode);
        QCOMPARE(QString::fromStdString(w.analysis(0).sampleCode), kCode);
        QCOMPARE(box->currentText(), QStringLiteral("Muestra problema TWSH-3NKM…"));

        // A catalogued sample chosen again drops the code.
        box->setCurrentIndex(box->findData(guessed));
        QVERIFY(w.analysis(0).sampleCode.empty());
        QCOMPARE(box->itemText(2), QStringLiteral("Muestra problema…"));
        QVERIFY(std::abs(*at300K(w.analysis(0)).densityCm3 / kDoping - 1) > 0.2);

        // Cancelled from a catalogued sample, the box goes back to it.
        chooseUnknown(box, [&](QWidget* dialog) { type(dialog, "", Qt::Key_Escape); });
        QCOMPARE(box->currentData().toInt(), guessed);
        QVERIFY(w.analysis(0).sampleCode.empty());
    }

    // Each series keeps its own sample: the box follows the series chosen.
    void eachSeriesItsOwnSample() {
        AnalysisWindow w;
        const QString copy = dir_.filePath("copia.asc");
        QVERIFY(QFile::copy(file_, copy));
        QVERIFY(w.openFiles({file_, copy}));
        QVERIFY(w.setSampleCode(0, QStringLiteral("twsh 3nkm")));
        QVERIFY(!w.setSampleCode(1, QStringLiteral("TWSH-3NMK")));
        QVERIFY(w.analysis(1).sampleCode.empty());
        auto* box = child<QComboBox>(w, "sampleBox");
        w.selectSeries(0);
        QCOMPARE(box->currentText(), QStringLiteral("Muestra problema TWSH-3NKM…"));
        w.selectSeries(1);
        QCOMPARE(box->currentData().toInt(), w.analysis(1).sample);
        QCOMPARE(box->itemText(2), QStringLiteral("Muestra problema…"));
    }
};

QTEST_MAIN(UnknownSampleChoiceTest)
#include "UnknownSampleChoiceTest.moc"
