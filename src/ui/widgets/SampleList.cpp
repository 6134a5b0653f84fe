#include "ui/widgets/SampleList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "ui/widgets/Bevel.h"

namespace eh {
namespace {

constexpr int kFrame = 2;
const QColor kFace(192, 192, 192);
const QColor kShade(128, 128, 128);

} // namespace

SampleList::SampleList(QWidget* parent) : QWidget(parent), field_(new QLineEdit(this)) {
    field_->setFrame(false);
    // The same room between the border and the text as a framed field leaves.
    field_->setTextMargins(2, 0, 2, 0);
    field_->installEventFilter(this);
    setFocusProxy(field_);
    setFocusPolicy(Qt::StrongFocus);
}

void SampleList::setContents(const QStringList& items, const QString& fieldText) {
    items_ = items;
    current_ = static_cast<int>(items.indexOf(fieldText));
    if (field_->text() == fieldText) return;
    field_->setText(fieldText);
    showWhole();
}

// An item wider than the field ("Muestra problema") is shown condensed, whole, and from
// its start: cut, it would read as another item.
void SampleList::showWhole() {
    QFont condensed = field_->font();
    condensed.setStretch(QFont::Unstretched);
    const QMargins margins = field_->textMargins();
    // Besides the text margins the field keeps two pixels each side and one for the cursor.
    const int room = field_->width() - margins.left() - margins.right() - 5;
    const int needed = QFontMetrics(condensed).horizontalAdvance(field_->text());
    if (room > 0 && needed > room) condensed.setStretch(std::max(50, 100 * room / needed));
    if (condensed != field_->font()) field_->setFont(condensed);
    field_->setCursorPosition(needed > room ? 0 : int(field_->text().size()));
}

QString SampleList::fieldText() const {
    return field_->text();
}

QSize SampleList::sizeHint() const {
    const QSize field = field_->sizeHint();
    return {field.width() + 2 * kFrame + field.height(), field.height() + 2 * kFrame};
}

QRect SampleList::buttonRect() const {
    const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    const int side = qMin(inner.height(), 17);
    return QRect(inner.right() + 1 - side, inner.top(), side, inner.height());
}

void SampleList::resizeEvent(QResizeEvent*) {
    const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    field_->setGeometry(inner.adjusted(0, 0, -buttonRect().width(), 0));
    showWhole();
}

void SampleList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    drawBevel(p, rect(), true);

    const QRect button = buttonRect();
    const bool open = popup_ && popup_->isVisible();
    p.fillRect(button, kFace);
    drawBevel(p, button, open);
    // The arrow: a small black triangle pointing down, grey when disabled.
    const QPoint c = button.center() + (open ? QPoint(1, 1) : QPoint(0, 0));
    const QPolygon arrow({c + QPoint(-3, -1), c + QPoint(3, -1), c + QPoint(0, 2)});
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? QColor(Qt::black) : kShade);
    p.drawPolygon(arrow);
}

void SampleList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && buttonRect().contains(event->position().toPoint())) {
        showPopup();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SampleList::showPopup() {
    if (items_.isEmpty() || !isEnabled()) return;
    if (!popup_) {
        popup_ = new QMenu(this);
        popup_->installEventFilter(this);
        connect(popup_, &QMenu::aboutToHide, this, qOverload<>(&QWidget::update));
    }
    popup_->clear();
    popup_->setFont(font());
    popup_->setMinimumWidth(width());
    for (int i = 0; i < items_.size(); ++i) {
        QAction* action = popup_->addAction(items_.at(i));
        connect(action, &QAction::triggered, this, [this, i] { choose(i); });
        if (i == current_) popup_->setActiveAction(action);
    }
    popup_->popup(mapToGlobal(rect().bottomLeft() + QPoint(0, 1)));
    update();
}

void SampleList::choose(int index) {
    if (index < 0 || index >= items_.size()) return;
    current_ = index;
    field_->setText(items_.at(index));
    showWhole();
    emit itemChosen(index);
}

bool SampleList::handleKey(QKeyEvent* event) {
    if (!isEnabled()) return false;
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
        showPopup();
        return true;
    }
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) return false;
    // From the prompt, Down takes the first item and Up stays where it is.
    const int step = event->key() == Qt::Key_Down ? 1 : -1;
    const int next = current_ < 0 ? (step > 0 ? 0 : -1) : current_ + step;
    if (next >= 0 && next < items_.size()) choose(next);
    return true;
}

void SampleList::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QWidget::keyPressEvent(event);
}

bool SampleList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event));
    if (watched == popup_ && event->type() == QEvent::MouseButtonPress) {
        // A press on the drop button closes the open list; where the platform
        // passes a closing press on to the widget under it, this one must not reach
        // the button and open the list anew.
        const QPoint at = mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        popup_->setAttribute(Qt::WA_NoMouseReplay, buttonRect().contains(at));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace eh
