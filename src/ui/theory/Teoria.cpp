#include "ui/theory/Teoria.h"

#include <QFileInfo>
#include <QPalette>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "rtf/RtfReader.h"
#include "ui/common/Twips.h"
#include "ui/common/WindowFonts.h"

namespace eh {

Teoria::Teoria(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Teoria"));
    setWindowTitle(QStringLiteral("INTRODUCCIÓN TEÓRICA "));
    setFixedSize(sizeFromTwips(9465, 6240));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(pal);
    setAutoFillBackground(true);

    texto1_ = new QTextBrowser(this);
    texto1_->setObjectName(QStringLiteral("Texto1"));
    texto1_->setGeometry(rectFromTwips(240, 120, 9015, 5535));
    texto1_->setFrameShape(QFrame::Box);
    texto1_->setLineWidth(1);
    texto1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    texto1_->setLineWrapMode(QTextEdit::WidgetWidth);
    texto1_->setOpenLinks(false);
    texto1_->setReadOnly(true);

    command1_ = new QPushButton(QStringLiteral("Cerrar"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(rectFromTwips(3840, 5760, 1695, 375));
    command1_->setFont(defaultWindowFont());
    connect(command1_, &QPushButton::clicked, this, &QDialog::close);
}

bool Teoria::loadChapter(const QString& path, QString* error) {
    chapterPath_ = path;
    damaged_ = false;
    QTextDocument& doc = *texto1_->document();
    const RtfLoadResult result = loadRtfFile(path, doc);
    if (!result.ok && error) *error = result.error;
    if (!result.ok && !doc.isEmpty()) {
        damaged_ = true;
        insertDamageNotice(doc, QFileInfo(path).fileName(), result.error);
    }
    texto1_->moveCursor(QTextCursor::Start);
    return result.ok || damaged_;
}

void Teoria::insertDamageNotice(QTextDocument& doc, const QString& fileName, const QString& reason) {
    // One line above what was read, in a paragraph of its own so that the chapter's
    // own first paragraph keeps its format.
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::Start);
    QTextBlockFormat block;
    block.setBackground(QColor(255, 244, 200));
    block.setBottomMargin(6);
    QTextCharFormat text;
    text.setForeground(QColor(160, 0, 0));
    text.setFontWeight(QFont::Bold);
    // The split leaves the chapter's text in the second block; it keeps its own formats.
    cursor.insertBlock(cursor.blockFormat(), cursor.blockCharFormat());
    cursor.movePosition(QTextCursor::Start);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(text);
    cursor.insertText(damageNotice(fileName, reason), text);
}

QString Teoria::damageNotice(const QString& fileName, const QString& reason) {
    return QStringLiteral("El fichero %1 está dañado: %2.").arg(fileName, reason);
}

} // namespace eh
