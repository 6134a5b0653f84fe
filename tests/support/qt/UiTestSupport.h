#pragma once
// Small helpers shared by the tests of the windows.

#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace eh::test {

// The named child of `parent`; a missing widget ends the test program, since every later check would only
// repeat the same failure.
template <class T> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no widget %s of the expected kind", name);
    return found;
}

inline void click(const QObject& window, const char* name) {
    QWidget* w = child<QWidget>(window, name);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A readout text as the bench writes it with the user's decimal separator.
inline QString localized(QString text) {
    return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

// Clicks the button of `window` captioned `caption`; false when there is none.
inline bool press(const QWidget* window, const QString& caption) {
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == caption) {
            b->click();
            return true;
        }
    return false;
}

// Accepts a save dialog with `path` in its name field, as if typed (the dialog does not overwrite the field
// while it has the focus).
inline void chooseFile(QFileDialog* dialog, const QString& path) {
    if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
}

// Runs `handle` on the first modal window that opens while the returned watcher lives (polling the event
// loop, so it works from inside the window's own exec()).
[[nodiscard]] inline std::unique_ptr<QTimer> onNextModal(std::function<void(QWidget*)> handle,
                                                         QWidget* notThis = nullptr) {
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(20);
    QTimer* raw = poll.get();
    QObject::connect(raw, &QTimer::timeout, [raw, handle = std::move(handle), notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis) return;
        raw->stop();
        handle(modal);
    });
    poll->start();
    return poll;
}

// Fails the running test and closes every modal window still open after `ms`, so a dialog nobody answered
// ends the test instead of hanging it.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int ms = 5000) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            QTest::qFail("a modal window was left open", __FILE__, __LINE__);
            for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i) {
                QApplication::activeModalWidget()->close();
                QApplication::processEvents();
            }
        });
        timer_.start(ms);
    }

private:
    QTimer timer_;
};

} // namespace eh::test
