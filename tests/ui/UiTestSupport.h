#pragma once
// Small helpers shared by the bench window tests.

#include <QApplication>
#include <QColor>
#include <QLocale>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace eh::test {

// The named child of `parent`; a missing widget ends the test program, since every
// later check would only repeat the same failure.
template <class T> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no widget %s of the expected kind", name);
    return found;
}

// A readout text as the bench writes it with the user's decimal separator.
inline QString localized(QString text) {
    return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

inline QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Runs `handle` on the first modal window that opens after this call (polling the
// event loop, so it works from inside the window's own exec()).
inline void onNextModal(std::function<void(QWidget*)> handle, QWidget* notThis = nullptr) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, handle = std::move(handle), notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis) return;
        poll->stop();
        poll->deleteLater();
        handle(modal);
    });
    poll->start();
}

} // namespace eh::test
