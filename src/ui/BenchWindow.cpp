#include "ui/BenchWindow.h"

#include <QLocale>
#include <QVBoxLayout>
#include <stdexcept>

#include "ui/BenchControls.h"
#include "ui/BenchLayout.h"
#include "ui/BenchSurface.h"
#include "ui/LayoutBuilder.h"
#include "ui/Schematic.h"
#include "ui/common/Twips.h"
#include "ui/common/WindowFonts.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/Pictures.h"

namespace eh {
namespace {

// The bench's number patterns take the user's decimal separator; one that is not a
// single Latin-1 character cannot be written by them, so the point stands in.
char localeDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() != 1) return '.';
    const char c = point.at(0).toLatin1();
    return c != 0 ? c : '.';
}

// From the window's corner to the far edges of everything laid on the surface.
QSize layoutExtent(const QWidget* surface) {
    QRect all;
    for (const QWidget* w : surface->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) all |= w->geometry();
    return {all.right() + 1, all.bottom() + 1};
}

} // namespace

BenchWindow::BenchWindow(QWidget* parent)
    : QWidget(parent), host_(this), model_(host_, localeDecimalSeparator()) {
    setObjectName(QString::fromLatin1(kWindowName));
    setWindowTitle(QStringLiteral("SIMULACIÓN DE LAS MEDIDAS DE RESISTIVIDAD Y EFECTO HALL"));
    setWindowIcon(pictureIcon(Picture::AppIcon));
    setFont(defaultWindowFont());

    surface_ = new BenchSurface(this);
    surface_->setObjectName(QStringLiteral("BenchSurface"));
    // The drawing surface fills the window: the bench has no menus or bars.
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(surface_);
    widgets_ = buildBenchLayout(surface_);
    attachCableStubs();

    controlTimer_.setInterval(120);
    magnetTimer1_.setInterval(100);
    magnetTimer2_.setInterval(100);
    controlTimer_.setObjectName(QStringLiteral("Timer_Control"));
    magnetTimer1_.setObjectName(QStringLiteral("Timer_Iman1"));
    magnetTimer2_.setObjectName(QStringLiteral("Timer_Iman2"));

    bindWidgets(widgets_);
    connectEvents();
    connectHelp();

    setUpKeyboardAndHints();

    mirrorAll();
    model_.setChangeListener([this](WidgetId id) { mirror(id); });
    model_.Form_Load();

    // The layout reaches a little past the nominal client area (the right column of
    // panels and the magnet panel); the window never hides any of it.
    const QSize client = rectFromTwips(0, 0, kClientWidthTwips, kClientHeightTwips).size();
    setMinimumSize(client.expandedTo(layoutExtent(surface_)));
    resize(minimumSize());
}

void BenchWindow::setUpKeyboardAndHints() {
    QWidget* previous = nullptr;
    for (const ControlHint& control : controlsInTabOrder()) {
        QWidget* w = named(control.name);
        w->setToolTip(QString::fromUtf8(control.tooltip));
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    for (const ControlHint& readout : readoutHints())
        named(readout.name)->setToolTip(QString::fromUtf8(readout.tooltip));
}

QWidget* BenchWindow::named(const char* name) const {
    QWidget* w = widgets_.value(QString::fromLatin1(name));
    if (!w) throw std::logic_error(std::string("no widget named ") + name);
    return w;
}

QTimer& BenchWindow::timerFor(WidgetId id) {
    switch (id) {
    case WidgetId::Timer_Control:
        return controlTimer_;
    case WidgetId::Timer_Iman1:
        return magnetTimer1_;
    case WidgetId::Timer_Iman2:
        return magnetTimer2_;
    default:
        throw std::logic_error("not a timer");
    }
}

// The cables of the drawing run behind the panels; each panel and frame paints the
// pieces it covers so the wires reach their binding posts.
void BenchWindow::attachCableStubs() {
    for (QWidget* w : std::as_const(widgets_)) {
        if (w == surface_) continue;
        const QRect area(w->mapTo(surface_, QPoint(0, 0)), w->size());
        if (auto* panel = qobject_cast<Panel3D*>(w))
            panel->cableStubs().set(cableStubsWithin(area));
        else if (auto* frame = qobject_cast<GroupFrame*>(w))
            frame->cableStubs().set(cableStubsWithin(area));
    }
}

} // namespace eh
