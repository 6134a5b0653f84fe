#pragma once
// The drop-down list of samples: a one-line field beside a drop button. The field
// shows a prompt until an item is chosen from the list; it accepts typing, but typed
// text never selects anything. The list itself is built only when first opened.

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QMenu;

namespace eh {

class SampleList : public QWidget {
    Q_OBJECT
public:
    explicit SampleList(QWidget* parent = nullptr);

    // Shows `items` and, in the field, `fieldText`: the chosen item or the prompt.
    void setContents(const QStringList& items, const QString& fieldText);
    QString fieldText() const;

    int count() const { return static_cast<int>(items_.size()); }
    QString itemText(int index) const { return items_.value(index); }
    // The item the field shows, or -1 while it shows the prompt or typed text.
    int currentIndex() const { return current_; }

    QLineEdit* lineEdit() const { return field_; }
    // Opens the list under the field; popup() is the open or last opened list.
    void showPopup();
    QMenu* popup() const { return popup_; }

    QSize sizeHint() const override;

signals:
    // An item was chosen from the list, by mouse or arrow keys.
    void itemChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect buttonRect() const;
    void choose(int index);
    void showWhole();
    // Arrow keys step through the list, F4 and Alt+Down open it; true when handled.
    bool handleKey(QKeyEvent* event);

    QLineEdit* field_;
    QMenu* popup_ = nullptr;
    QStringList items_;
    int current_ = -1;
};

} // namespace eh
