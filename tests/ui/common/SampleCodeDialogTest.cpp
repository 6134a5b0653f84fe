// The dialog that asks for an unknown sample's code: what the field shows while the student types, the
// reasons it gives for a code it refuses, and that no mistyped code is ever taken for another sample.
#include <QtTest>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/common/SampleCodeDialog.h"

using namespace eh;
using eh::test::child;

namespace {

// A valid code: its weighted symbol sum (weights 1 to 8, symbols counted in
// "23456789ABCDEFGHJKMNPQRSTUVWXYZ") is 341 = 11 * 31.
const QString kCode = QStringLiteral("TWSH-3NKM");
const QString kAlphabet = QStringLiteral("23456789ABCDEFGHJKMNPQRSTUVWXYZ");
const QString kMistyped =
    QStringLiteral("no es válido: compruebe que ningún carácter está mal copiado ni hay dos "
                   "cambiados de orden.");

QPushButton* button(const SampleCodeDialog& dialog, const QString& caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    qFatal("no button %s", qPrintable(caption));
}

// Types `text` into a fresh field and presses "Aceptar"; the message shown, empty when the dialog closed.
QString tryCode(SampleCodeDialog& dialog, const QString& text) {
    auto* field = child<QLineEdit>(dialog, "codeField");
    field->clear();
    QTest::keyClicks(field, text);
    button(dialog, QStringLiteral("Aceptar"))->click();
    const auto* message = child<QLabel>(dialog, "codeMessage");
    return dialog.result() == QDialog::Accepted ? QString() : message->isVisible() ? message->text() : "?";
}

} // namespace

class SampleCodeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void fieldGroupsWhatIsTyped_data();
    void fieldGroupsWhatIsTyped();
    void backspaceCrossesTheHyphen();
    void refusesWithTheReason_data();
    void refusesWithTheReason();
    void noMistypedCodeIsAnotherSample();
    void acceptsAValidCodeHoweverTyped();
    void offersTheCodeInUse();
};

void SampleCodeDialogTest::fieldGroupsWhatIsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four, no hyphen yet") << "twsh"
                                         << "TWSH";
    QTest::newRow("the fifth opens the second group") << "twsh3"
                                                      << "TWSH-3";
    QTest::newRow("whole, lower case") << "twsh3nkm"
                                       << "TWSH-3NKM";
    QTest::newRow("hyphen typed") << "TWSH-3NKM"
                                  << "TWSH-3NKM";
    QTest::newRow("blanks and hyphens anywhere") << "t w-sh 3n--km"
                                                 << "TWSH-3NKM";
    QTest::newRow("nine: a third group") << "twsh3nkmx"
                                         << "TWSH-3NKM-X";
    QTest::newRow("characters no code has are kept") << "tw0h"
                                                     << "TW0H";
}

void SampleCodeDialogTest::fieldGroupsWhatIsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    SampleCodeDialog dialog;
    dialog.show();
    auto* field = child<QLineEdit>(dialog, "codeField");
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), shown);
    QCOMPARE(field->cursorPosition(), shown.size());
}

// A backspace after the hyphen removes the symbol before it, not nothing, and typing in the first group moves
// the rest along.
void SampleCodeDialogTest::backspaceCrossesTheHyphen() {
    SampleCodeDialog dialog;
    dialog.show();
    auto* field = child<QLineEdit>(dialog, "codeField");
    QTest::keyClicks(field, "twsh3");
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("TWSH"));
    QTest::keyClicks(field, "3n");
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Left);
    QCOMPARE(field->cursorPosition(), 5);
    QTest::keyClick(field, Qt::Key_Backspace); // takes the hyphen, which comes back
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("TWS3-N"));
    QTest::keyClicks(field, "h");
    QCOMPARE(field->text(), QStringLiteral("TWSH-3N"));
    QCOMPARE(field->cursorPosition(), 4);
}

void SampleCodeDialogTest::refusesWithTheReason_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << ""
                             << "Escriba el código de la muestra problema.";
    QTest::newRow("one short") << "twsh3nk"
                               << "El código tiene 8 caracteres (sin contar el guion) y se han escrito 7.";
    QTest::newRow("one too many") << "twsh3nkmm"
                                  << "El código tiene 8 caracteres (sin contar el guion) y se han escrito 9.";
    QTest::newRow("a letter O")
        << "twsh3nko"
        << "El código no lleva el carácter «O»: los códigos no usan 0, 1, I, L ni O para "
           "que no se confundan.";
    QTest::newRow("a digit one")
        << "tw1h3nkm"
        << "El código no lleva el carácter «1»: los códigos no usan 0, 1, I, L ni O para "
           "que no se confundan.";
    QTest::newRow("a sign") << "twsh+nkm"
                            << "El código solo lleva cifras del 2 al 9 y letras; «+» no es válido.";
    QTest::newRow("last two swapped") << "twsh3nmk"
                                      << "El código TWSH-3NMK " + kMistyped;
    QTest::newRow("well formed, wrong check") << "K7QM-3XHD"
                                              << "El código K7QM-3XHD " + kMistyped;
}

// The dialog stays open and says what is wrong, without changing its size; typing again clears the message.
void SampleCodeDialogTest::refusesWithTheReason() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    SampleCodeDialog dialog;
    dialog.show();
    const QSize size = dialog.size();
    QCOMPARE(tryCode(dialog, typed), message);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.size(), size);
    const auto* shown = child<QLabel>(dialog, "codeMessage");
    QVERIFY(shown->heightForWidth(shown->width()) <= shown->height());
    QVERIFY(dialog.code().isEmpty());
    QTest::keyClicks(child<QLineEdit>(dialog, "codeField"), "t");
    QVERIFY(child<QLabel>(dialog, "codeMessage")->text().isEmpty());
}

// Every code one keystroke away from a valid one (a symbol replaced by any other, two different neighbours
// swapped) is refused.
void SampleCodeDialogTest::noMistypedCodeIsAnotherSample() {
    SampleCodeDialog dialog;
    dialog.show();
    auto* field = child<QLineEdit>(dialog, "codeField");
    const QString symbols = QString(kCode).remove(QLatin1Char('-'));
    QStringList mistyped;
    for (int at = 0; at < symbols.size(); ++at) {
        for (QChar other : kAlphabet)
            if (other != symbols[at]) mistyped << QString(symbols).replace(at, 1, other);
        if (at + 1 < symbols.size() && symbols[at] != symbols[at + 1]) {
            QString swapped = symbols;
            std::swap(swapped[at], swapped[at + 1]);
            mistyped << swapped;
        }
    }
    QCOMPARE(mistyped.size(), 8 * 30 + 7);
    for (const QString& typed : std::as_const(mistyped)) {
        field->setText(typed);
        button(dialog, QStringLiteral("Aceptar"))->click();
        QVERIFY2(dialog.isVisible() && dialog.code().isEmpty(), qPrintable(typed));
        QVERIFY2(child<QLabel>(dialog, "codeMessage")->text().endsWith(kMistyped), qPrintable(typed));
    }
}

void SampleCodeDialogTest::acceptsAValidCodeHoweverTyped() {
    for (const QString& typed : {QStringLiteral("twsh3nkm"), QStringLiteral(" TWSH 3NKM "), kCode}) {
        SampleCodeDialog dialog;
        dialog.show();
        QCOMPARE(tryCode(dialog, typed), QString());
        QCOMPARE(dialog.code(), kCode);
        QVERIFY(!dialog.isVisible());
    }
    // Return accepts as the button does.
    SampleCodeDialog dialog;
    dialog.show();
    QTest::keyClicks(child<QLineEdit>(dialog, "codeField"), "twsh3nkm");
    QTest::keyClick(child<QLineEdit>(dialog, "codeField"), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.code(), kCode);
}

// The code in use stands in the field, selected, so that typing replaces it; cancelling gives nothing back.
void SampleCodeDialogTest::offersTheCodeInUse() {
    std::optional<QString> answer = QStringLiteral("?");
    const auto watcher = eh::test::onNextModal([](QWidget* modal) {
        auto* field = child<QLineEdit>(*modal, "codeField");
        QCOMPARE(field->text(), kCode);
        QCOMPARE(field->selectedText(), kCode);
        QCOMPARE(modal->windowTitle(), QStringLiteral("Muestra problema"));
        QTest::keyClick(field, Qt::Key_Escape);
    });
    eh::test::ModalWatchdog watchdog;
    answer = SampleCodeDialog::ask(nullptr, kCode);
    QVERIFY(!answer.has_value());
}

QTEST_MAIN(SampleCodeDialogTest)
#include "SampleCodeDialogTest.moc"
