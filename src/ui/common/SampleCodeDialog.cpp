#include "ui/common/SampleCodeDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "model/SampleCode.h"

namespace eh {
namespace {

// What was typed, upper case and without blanks or hyphens, in groups of four joined by
// a hyphen. Characters a code cannot hold are kept, so that the message names them.
QString grouped(const QString& typed, int& symbolsBeforeCursor, int cursor) {
    QString symbols;
    int before = 0;
    for (int i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('\t')) continue;
        symbols += c.toUpper();
        if (i < cursor) ++before;
    }
    symbolsBeforeCursor = before;
    const int group = kCodeLength / 2;
    QString out;
    for (int i = 0; i < symbols.size(); ++i) {
        if (i > 0 && i % group == 0) out += QLatin1Char('-');
        out += symbols.at(i);
    }
    return out;
}

} // namespace

SampleCodeDialog::SampleCodeDialog(QWidget* parent, const QString& current) : QDialog(parent) {
    setObjectName(QStringLiteral("SampleCodeDialog"));
    setWindowTitle(QStringLiteral("Muestra problema"));

    auto* intro = new QLabel(QStringLiteral("Código de la muestra problema que le han asignado:"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("codeField"));
    field_->setPlaceholderText(QStringLiteral("XXXX-XXXX"));
    QFont bigger = field_->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.5);
    field_->setFont(bigger);
    intro->setBuddy(field_);
    auto* hint =
        new QLabel(QStringLiteral("Ocho caracteres: cifras del 2 al 9 y letras, sin I, L ni O."), this);
    hint->setForegroundRole(QPalette::PlaceholderText);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("codeMessage"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    // Room for a two-line reason from the start, so that the dialog keeps its size.
    message_->setMinimumHeight(2 * message_->fontMetrics().lineSpacing());
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SampleCodeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SampleCodeDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(field_);
    layout->addWidget(hint);
    layout->addWidget(message_);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);

    connect(field_, &QLineEdit::textEdited, this, [this] {
        regroup();
        message_->clear();
    });
    field_->setText(current);
    regroup();
    field_->selectAll();
}

void SampleCodeDialog::regroup() {
    int before = 0;
    const QString text = grouped(field_->text(), before, field_->cursorPosition());
    if (text == field_->text()) return;
    field_->setText(text);
    // The cursor stays after the same symbol, before a hyphen that follows it, so that
    // a backspace there removes the symbol.
    const int group = kCodeLength / 2;
    const int hyphensBefore = before > 0 ? (before - 1) / group : 0;
    field_->setCursorPosition(std::min<int>(before + hyphensBefore, int(text.size())));
}

void SampleCodeDialog::accept() {
    std::string error;
    const auto parsed = SampleCode::parse(field_->text().toStdString(), error);
    if (!parsed) {
        message_->setText(QString::fromStdString(error));
        field_->setFocus();
        field_->selectAll();
        return;
    }
    code_ = QString::fromStdString(parsed->text());
    QDialog::accept();
}

std::optional<QString> SampleCodeDialog::ask(QWidget* parent, const QString& current) {
    SampleCodeDialog dialog(parent, current);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.code();
}

} // namespace eh
