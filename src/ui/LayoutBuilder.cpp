#include "ui/LayoutBuilder.h"

#include <QSlider>
#include <stdexcept>

#include "ui/BenchLayout.h"
#include "ui/common/Twips.h"
#include "ui/widgets/BenchButton.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/InfoIcon.h"
#include "ui/widgets/LatchButton.h"
#include "ui/widgets/Led.h"
#include "ui/widgets/LinkLabel.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/Readout.h"
#include "ui/widgets/SampleList.h"
#include "ui/widgets/Terminal.h"

namespace eh {
namespace {

QColor toColor(const LayoutColor& c, const QColor& fallback) {
    return c.isSet() ? QColor(c.r, c.g, c.b) : fallback;
}

const QColor kCaptionRed(192, 0, 0);

QWidget* createSlider(QWidget* container) {
    auto* slider = new QSlider(Qt::Horizontal, container);
    slider->setRange(0, 1000);
    slider->setSingleStep(1);
    slider->setPageStep(5);
    slider->setValue(0);
    return slider;
}

QWidget* createList(const LayoutItem& item, QWidget* container) {
    auto* list = new SampleList(container);
    list->setFont(windowFont(item.font));
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, toColor(item.background, Qt::white));
    list->setPalette(pal);
    list->setContents({}, QString::fromUtf8(item.text));
    return list;
}

QWidget* createLink(const LayoutItem& item, QWidget* container) {
    auto* link = new LinkLabel(QString::fromUtf8(item.text), container);
    link->setFont(windowFont(item.font));
    link->setTextColor(toColor(item.color, Qt::black));
    link->setAlignment(item.align | Qt::AlignTop);
    link->setWordWrap(true);
    return link;
}

QWidget* createFrame(const LayoutItem& item, QWidget* container) {
    auto* frame = new GroupFrame(QString::fromUtf8(item.text), toColor(item.color, kCaptionRed), container);
    frame->setFont(windowFont(item.font));
    if (item.background.isSet()) frame->setBackground(toColor(item.background, {}));
    return frame;
}

} // namespace

QWidget* createLayoutWidget(const LayoutItem& item, QWidget* container) {
    const QString text = QString::fromUtf8(item.text);
    switch (item.kind) {
    case WidgetKind::Panel:
        return new Panel3D(text, item.align, container);
    case WidgetKind::Frame:
        return createFrame(item, container);
    case WidgetKind::Button: {
        auto* button = new BenchButton(text, container);
        button->setFont(windowFont(item.font));
        return button;
    }
    case WidgetKind::LatchButton:
        return new LatchButton(pictureIcon(pictureNamed(text)), QSize(item.pictureWidth, item.pictureHeight),
                               container);
    case WidgetKind::Slider:
        return createSlider(container);
    case WidgetKind::List:
        return createList(item, container);
    case WidgetKind::Readout: {
        auto* readout = new Readout(windowFont(item.font), item.align, container);
        readout->setText(text);
        return readout;
    }
    case WidgetKind::Link:
        return createLink(item, container);
    case WidgetKind::Led:
        return new Led(QColor(255, 192, 192), container);
    case WidgetKind::Terminal:
        return new Terminal(container);
    case WidgetKind::Icon:
        return new InfoIcon(pictureNamed(text), container);
    }
    throw std::logic_error("unknown widget kind");
}

QHash<QString, QWidget*> buildBenchLayout(QWidget* surface) {
    QHash<QString, QWidget*> widgets;
    widgets.insert(QString::fromLatin1(kWindowName), surface);
    for (const LayoutItem& item : benchLayout()) {
        QWidget* container = widgets.value(QString::fromLatin1(item.container));
        if (!container)
            throw std::logic_error(std::string("container listed after its contents: ") + item.name);
        QWidget* widget = createLayoutWidget(item, container);
        widget->setObjectName(QString::fromLatin1(item.name));
        widget->setFont(windowFont(item.font));
        widget->setGeometry(rectFromTwips(item.left, item.top, item.width, item.height));
        widgets.insert(widget->objectName(), widget);
    }
    return widgets;
}

} // namespace eh
