// The unknown sample in the bench window: loaded from its code in the samples window, chosen, kept for the
// next start, shown by its dimensions and code but never by what the student has to find, and named in the
// file name the save dialog suggests. Without a code the bench is as it always was.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "UiTestSupport.h"
#include "model/SampleCode.h"
#include "model/UnknownSample.h"
#include "ui/BenchWindow.h"
#include "ui/SampleCodeMemory.h"
#include "ui/widgets/SampleList.h"

using namespace eh;
using eh::test::child;
using eh::test::click;
using eh::test::ModalWatchdog;
using eh::test::onNextModal;

namespace {

std::unique_ptr<BenchWindow> shownWindow() {
    auto w = std::make_unique<BenchWindow>();
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qFatal("the bench window did not show");
    return w;
}

QStringList listItems(const BenchWindow& w) {
    const auto* list = child<SampleList>(w, "Combo_Muestra");
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

QStringList dimensionLabels(const QWidget& samplesWindow) {
    QStringList shown;
    for (const char* name : {"Label1", "Label3", "Label4", "Label5"})
        shown << child<QLabel>(samplesWindow, name)->text();
    return shown;
}

// Every text of a window a user can read: title, labels, buttons, tooltips.
QString everyText(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(w)) texts << label->text();
        if (const auto* button = qobject_cast<const QPushButton*>(w)) texts << button->text();
    }
    return texts.join(QLatin1Char('\n'));
}

// A length as the samples window writes it: no zero before the point, at most seven significant digits.
QString benchLength(float cm) {
    QString text = QString::number(double(cm), 'g', 7);
    if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
    return text;
}

// Opens the samples window from its icon, runs `inside` on it and closes it.
void withSamplesWindow(BenchWindow& w, const std::function<void(QWidget*)>& inside) {
    ModalWatchdog watchdog(20000);
    const auto watcher = onNextModal(
        [&](QWidget* modal) {
            inside(modal);
            modal->close();
        },
        &w);
    click(w, "Image4");
}

// In the samples window, "Muestra problema…" with `answer` run on the dialog it opens.
void enterCode(QWidget* samplesWindow, const std::function<void(QWidget*)>& answer) {
    const auto watcher = onNextModal(answer, samplesWindow);
    auto* button = child<QPushButton>(*samplesWindow, "Command2");
    QCOMPARE(button->text(), QStringLiteral("Muestra problema…"));
    QVERIFY(button->isEnabled());
    button->click();
}

void typeAndAccept(QWidget* dialog, const char* typed) {
    auto* field = child<QLineEdit>(*dialog, "codeField");
    field->clear();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
}

// The first-page file name of the save dialog the bench's "Salvar" opens, which is then cancelled.
QString suggestedFileName(BenchWindow& w) {
    QString name = QStringLiteral("?");
    ModalWatchdog watchdog;
    const auto watcher = onNextModal(
        [&name](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;
            name = child<QLineEdit>(*dialog, "fileNameEdit")->text();
            dialog->reject();
        },
        &w);
    click(w, "Salvar");
    return name;
}

} // namespace

class UnknownSampleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void withoutACodeTheBenchIsAsBefore();
    void codeEnteredInTheSamplesWindow();
    void refusedOrCancelledCodeChangesNothing();
    void samplesWindowNeverTellsWhatIsToBeFound();
    void codeKeptForTheNextStart();
    void saveDialogNamesTheCode();

private:
    std::unique_ptr<QTemporaryDir> settings_;
};

// Each case with settings of its own, empty.
void UnknownSampleWindowTest::init() {
    settings_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
}

void UnknownSampleWindowTest::withoutACodeTheBenchIsAsBefore() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    QVERIFY(!w.restoreSampleCode());
    QCOMPARE(listItems(w), QStringList({"Muestra  1", "Muestra  2"}));
    QCOMPARE(child<SampleList>(w, "Combo_Muestra")->fieldText(), QStringLiteral("Muestras"));
    QCOMPARE(w.model().Muestra_Sel, 1);
    QVERIFY(w.model().Codigo_Muestra.empty());
    withSamplesWindow(w, [](QWidget* samples) {
        QCOMPARE(dimensionLabels(*samples), QStringList({"Dimensiones de la muestra   1", "Longitud = .3 cm",
                                                         "Anchura = .2 cm", "Grosor = .01 cm"}));
    });
}

// A mistyped code is refused in the dialog; the right one, accepted, is chosen on the bench and the samples
// window shows it at once.
void UnknownSampleWindowTest::codeEnteredInTheSamplesWindow() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    QString refusal;
    QStringList shown;
    withSamplesWindow(w, [&](QWidget* samples) {
        enterCode(samples, [&](QWidget* dialog) {
            typeAndAccept(dialog, "twsh3nmk");
            refusal = child<QLabel>(*dialog, "codeMessage")->text();
            typeAndAccept(dialog, "twsh3nkm");
        });
        shown = dimensionLabels(*samples);
    });
    QCOMPARE(refusal,
             QStringLiteral("El código TWSH-3NMK no es válido: compruebe que ningún carácter está mal "
                            "copiado ni hay dos cambiados de orden."));
    // TWSH-3NKM names a bar 0.753 cm long, 0.235 cm wide and 0.017 cm thick.
    QCOMPARE(shown, QStringList({"Dimensiones de la muestra problema TWSH-3NKM", "Longitud = .753 cm",
                                 "Anchura = .235 cm", "Grosor = .017 cm"}));
    QCOMPARE(listItems(w), QStringList({"Muestra  1", "Muestra  2", "Muestra problema"}));
    QCOMPARE(child<SampleList>(w, "Combo_Muestra")->fieldText(), QStringLiteral("Muestra problema"));
    // Wider than the list's field, the item is shown whole, condensed and from its start; the catalogued ones
    // far less condensed, if at all.
    const QLineEdit* field = child<SampleList>(w, "Combo_Muestra")->lineEdit();
    const auto whole = [field] {
        return QFontMetrics(field->font()).horizontalAdvance(field->text()) <= field->width() - 8;
    };
    QVERIFY(whole());
    QVERIFY(field->font().stretch() < 70);
    QCOMPARE(field->cursorPosition(), 0);
    w.model().Combo_Muestra_Click(0);
    QVERIFY(whole());
    QVERIFY(field->font().stretch() > 90);
    w.model().Combo_Muestra_Click(2);
    QCOMPARE(w.model().Muestra_Sel, 3);
    QCOMPARE(w.model().Catalogo.row(3).Grosor, 0.017f);
    QCOMPARE(rememberedSampleCode(), QStringLiteral("TWSH-3NKM"));

    // Another code replaces it; the dialog offers the one in use.
    QString offered;
    withSamplesWindow(w, [&](QWidget* samples) {
        enterCode(samples, [&](QWidget* dialog) {
            offered = child<QLineEdit>(*dialog, "codeField")->text();
            typeAndAccept(dialog, "6f4t8vwm");
        });
        shown = dimensionLabels(*samples);
    });
    QCOMPARE(offered, QStringLiteral("TWSH-3NKM"));
    QCOMPARE(shown, QStringList({"Dimensiones de la muestra problema 6F4T-8VWM", "Longitud = .48 cm",
                                 "Anchura = .111 cm", "Grosor = .0185 cm"}));
    QCOMPARE(listItems(w).size(), 3);
}

void UnknownSampleWindowTest::refusedOrCancelledCodeChangesNothing() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    w.model().Combo_Muestra_Click(1);
    QStringList shown;
    withSamplesWindow(w, [&](QWidget* samples) {
        enterCode(samples, [&](QWidget* dialog) {
            typeAndAccept(dialog, "K7QM-3XHD");
            QVERIFY(dialog->isVisible());
            QTest::keyClick(child<QLineEdit>(*dialog, "codeField"), Qt::Key_Escape);
        });
        shown = dimensionLabels(*samples);
    });
    QCOMPARE(shown, QStringList({"Dimensiones de la muestra   2", "Longitud = .4 cm", "Anchura = .25 cm",
                                 "Grosor = .015 cm"}));
    QCOMPARE(listItems(w), QStringList({"Muestra  1", "Muestra  2"}));
    QCOMPARE(w.model().Muestra_Sel, 2);
    QVERIFY(w.model().Codigo_Muestra.empty());
    QVERIFY(rememberedSampleCode().isEmpty());
}

// The student is given the bar's dimensions and its code; its type, dopant and doping are what the
// measurement has to find, so no text of the window tells any of them, for codes of every dopant.
void UnknownSampleWindowTest::samplesWindowNeverTellsWhatIsToBeFound() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    std::mt19937 random(2026);
    const QRegularExpression told(
        QStringLiteral(
            "\\b(P|As|Sb|B|Al|Ga|In)\\b|f[oó]sforo|ars[eé]nico|antimonio|boro|aluminio|galio|indio|"
            "tipo|dopad|impurez|donador|aceptor|meV|[0-9][eE][+-]?[0-9]|10\\^|×|cm-3|cm⁻³|\\^-3"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList dopants;
    for (int n = 0; n < 20; ++n) {
        std::array<std::uint8_t, kCodeLength - 1> payload{};
        for (auto& v : payload) v = static_cast<std::uint8_t>(random() % 31);
        payload[0] = static_cast<std::uint8_t>(4 * (payload[0] % 8)); // the derivation this program knows
        const SampleCode code = SampleCode::fromPayload(payload);
        const UnknownSample sample = deriveUnknownSample(code);
        dopants << QString::fromStdString(sample.dopant);
        QVERIFY(w.useSampleCode(QString::fromStdString(code.text())));
        QString text;
        QStringList shown;
        withSamplesWindow(w, [&](QWidget* samples) {
            text = everyText(*samples);
            shown = dimensionLabels(*samples);
        });
        const QString codeText = QString::fromStdString(code.text());
        QCOMPARE(shown, QStringList({"Dimensiones de la muestra problema " + codeText,
                                     "Longitud = " + benchLength(sample.lengthCm) + " cm",
                                     "Anchura = " + benchLength(sample.widthCm) + " cm",
                                     "Grosor = " + benchLength(sample.thicknessCm) + " cm"}));
        // The case-blind search would find the code's own letters; it is looked at without them.
        const QString withoutCode = QString(text).remove(codeText);
        const QRegularExpressionMatch found = told.match(withoutCode);
        QVERIFY2(!found.hasMatch(), qPrintable(codeText + ": " + found.captured()));
        const QString doping =
            QString::number(double(sample.dopingCm3), 'e', 2).section(QLatin1Char('e'), 0, 0);
        QVERIFY2(!withoutCode.contains(doping) && !withoutCode.contains(QString(doping).replace('.', ',')),
                 qPrintable(codeText + ": " + doping));
    }
    // Donors and acceptors both among them.
    QVERIFY(dopants.contains("P") || dopants.contains("As") || dopants.contains("Sb"));
    QVERIFY(dopants.contains("B") || dopants.contains("Al") || dopants.contains("Ga") ||
            dopants.contains("In"));
}

void UnknownSampleWindowTest::codeKeptForTheNextStart() {
    {
        BenchWindow first;
        QVERIFY(first.useSampleCode(QStringLiteral("twsh 3nkm")));
    }
    {
        BenchWindow next;
        QVERIFY(next.restoreSampleCode());
        QCOMPARE(listItems(next), QStringList({"Muestra  1", "Muestra  2", "Muestra problema"}));
        QCOMPARE(next.model().Muestra_Sel, 3);
        QCOMPARE(next.model().Codigo_Muestra, std::string("TWSH-3NKM"));
        // A code that names no sample is refused with its reason, and the kept one stays.
        QString error;
        QVERIFY(!next.useSampleCode(QStringLiteral("TWSH-3NMK"), &error));
        QVERIFY(error.startsWith(QStringLiteral("El código TWSH-3NMK no es válido")));
        QCOMPARE(next.model().Codigo_Muestra, std::string("TWSH-3NKM"));
    }
    QCOMPARE(rememberedSampleCode(), QStringLiteral("TWSH-3NKM"));
    // A kept code this program cannot read (written by hand, say) is left aside: the bench starts as without
    // one.
    rememberSampleCode(QStringLiteral("TWSH-3NMK"));
    BenchWindow after;
    QVERIFY(!after.restoreSampleCode());
    QCOMPARE(listItems(after), QStringList({"Muestra  1", "Muestra  2"}));
}

// The data file of an unknown sample is offered a name with its code; a catalogued sample's file is not.
void UnknownSampleWindowTest::saveDialogNamesTheCode() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    QVERIFY(w.useSampleCode(QStringLiteral("TWSH-3NKM")));
    click(w, "Bot_Inter");
    click(w, "Acumular");
    QCOMPARE(suggestedFileName(w), QStringLiteral("TWSH-3NKM.ASC"));
    w.model().Combo_Muestra_Click(0);
    QCOMPARE(suggestedFileName(w), QString());
}

QTEST_MAIN(UnknownSampleWindowTest)
#include "UnknownSampleWindowTest.moc"
