// Routing the window's widget events to the bench model, and showing the model's
// widget state on the window.
#include <QSignalBlocker>
#include <QSlider>

#include "ui/BenchSurface.h"
#include "ui/BenchWindow.h"
#include "ui/widgets/BenchButton.h"
#include "ui/widgets/LatchButton.h"
#include "ui/widgets/Led.h"
#include "ui/widgets/Readout.h"
#include "ui/widgets/SampleList.h"

namespace eh {
namespace {

using Operation = void (BenchModel::*)();

struct Route {
    WidgetId id;
    Operation operation;
};

constexpr Route kClicks[] = {
    {WidgetId::Bot_Crio_On, &BenchModel::Bot_Crio_On_Click},
    {WidgetId::Bot_Control_On, &BenchModel::Bot_Control_On_Click},
    {WidgetId::SubeT1, &BenchModel::SubeT1_Click},
    {WidgetId::SubeT2, &BenchModel::SubeT2_Click},
    {WidgetId::SubeT3, &BenchModel::SubeT3_Click},
    {WidgetId::SubeT4, &BenchModel::SubeT4_Click},
    {WidgetId::BajaT1, &BenchModel::BajaT1_Click},
    {WidgetId::BajaT2, &BenchModel::BajaT2_Click},
    {WidgetId::BajaT3, &BenchModel::BajaT3_Click},
    {WidgetId::BajaT4, &BenchModel::BajaT4_Click},
    {WidgetId::Bot_Fuente_On, &BenchModel::Bot_Fuente_On_Click},
    {WidgetId::Sube1, &BenchModel::Sube1_Click},
    {WidgetId::Sube2, &BenchModel::Sube2_Click},
    {WidgetId::Sube3, &BenchModel::Sube3_Click},
    {WidgetId::Sube4, &BenchModel::Sube4_Click},
    {WidgetId::Sube5, &BenchModel::Sube5_Click},
    {WidgetId::Baja1, &BenchModel::Baja1_Click},
    {WidgetId::Baja2, &BenchModel::Baja2_Click},
    {WidgetId::Baja3, &BenchModel::Baja3_Click},
    {WidgetId::Baja4, &BenchModel::Baja4_Click},
    {WidgetId::Baja5, &BenchModel::Baja5_Click},
    {WidgetId::Bot_Volt_On, &BenchModel::Bot_Volt_On_Click},
    {WidgetId::Bot_Iman_On, &BenchModel::Bot_Iman_On_Click},
    {WidgetId::Bot_Inter, &BenchModel::Bot_Inter_Click},
    {WidgetId::Salvar, &BenchModel::Salvar_Click},
};

// Two-state buttons: the model toggles the state and releases the partner.
constexpr Route kLatches[] = {
    {WidgetId::Conmuta_Ro, &BenchModel::Conmuta_Ro_Click},
    {WidgetId::Conmuta_EH, &BenchModel::Conmuta_EH_Click},
    {WidgetId::Bot_Izquierda, &BenchModel::Bot_Izquierda_Click},
    {WidgetId::Bot_Derecha, &BenchModel::Bot_Derecha_Click},
};

QColor toQColor(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

QStringList toQStrings(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items) list << QString::fromStdString(item);
    return list;
}

} // namespace

void BenchWindow::bindWidgets(const QHash<QString, QWidget*>& widgets) {
    for (std::size_t i = 0; i < kWidgetCount; ++i) {
        const auto id = static_cast<WidgetId>(i);
        const std::string_view name = widgetName(id);
        bound_[i] = widgets.value(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
}

void BenchWindow::connectEvents() {
    BenchModel* model = &model_;
    for (const Route& route : kClicks)
        connect(static_cast<BenchButton*>(bound(route.id)), &QAbstractButton::clicked, this,
                [model, op = route.operation] { (model->*op)(); });
    // The register buttons pass through the window's guards (BenchWindowRegister.cpp).
    connect(static_cast<BenchButton*>(bound(WidgetId::Acumular)), &QAbstractButton::clicked, this,
            &BenchWindow::accumulate);
    connect(static_cast<BenchButton*>(bound(WidgetId::Reset)), &QAbstractButton::clicked, this,
            &BenchWindow::emptyRegister);
    for (const Route& route : kLatches)
        connect(static_cast<LatchButton*>(bound(route.id)), &QAbstractButton::clicked, this, [this, route] {
            (model_.*route.operation)();
            mirror(route.id);
        });
    auto* slider = static_cast<QSlider*>(bound(WidgetId::Control_I_Iman));
    connect(slider, &QSlider::valueChanged, this, [this](int position) {
        model_.Control_I_Iman_Change(position);
        mirror(WidgetId::Control_I_Iman);
    });
    auto* list = static_cast<SampleList*>(bound(WidgetId::Combo_Muestra));
    connect(list, &SampleList::itemChosen, this, [model](int index) { model->Combo_Muestra_Click(index); });

    connect(&controlTimer_, &QTimer::timeout, this, [model] { model->Timer_Control_Timer(); });
    connect(&magnetTimer1_, &QTimer::timeout, this, [model] { model->Timer_Iman1_Timer(); });
    connect(&magnetTimer2_, &QTimer::timeout, this, [model] { model->Timer_Iman2_Timer(); });
}

void BenchWindow::mirrorAll() {
    for (std::size_t i = 0; i < kWidgetCount; ++i) mirror(static_cast<WidgetId>(i));
}

void BenchWindow::mirror(WidgetId id) {
    const Widget& state = model_.widget(id);
    switch (id) {
    case WidgetId::Timer_Control:
    case WidgetId::Timer_Iman1:
    case WidgetId::Timer_Iman2: {
        QTimer& timer = timerFor(id);
        if (!state.enabled)
            timer.stop();
        else if (!timer.isActive())
            timer.start();
        return;
    }
    case WidgetId::Muestra:
        surface_->setSampleWidthTwips(state.width);
        return;
    default:
        break;
    }

    QWidget* widget = bound(id);
    if (auto* readout = qobject_cast<Readout*>(widget)) {
        readout->setText(QString::fromStdString(state.text));
        readout->setTextColor(toQColor(state.textColor));
    } else if (auto* led = qobject_cast<Led*>(widget)) {
        led->setFillColor(toQColor(state.fillColor));
    } else if (auto* latch = qobject_cast<LatchButton*>(widget)) {
        latch->setEnabled(state.enabled);
        latch->setLatched(state.down);
    } else if (auto* button = qobject_cast<BenchButton*>(widget)) {
        button->setEnabled(state.enabled);
        button->setText(QString::fromStdString(state.text));
        button->setCaptionColor(toQColor(state.textColor));
    } else if (auto* list = qobject_cast<SampleList*>(widget)) {
        list->setEnabled(state.enabled);
        list->setContents(toQStrings(state.items), QString::fromStdString(state.text));
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        const QSignalBlocker quiet(slider);
        slider->setEnabled(state.enabled);
        slider->setValue(state.value);
    }
}

} // namespace eh
