// The bench window's guards around the register: no measurement is lost without the
// user's word, and a press that the full register cannot take is explained.
#include <QCloseEvent>

#include "ui/BenchWindow.h"
#include "ui/RegisterQuestions.h"

namespace eh {

void BenchWindow::accumulate() {
    // The bench refuses a record past its last slot; the user is told why.
    if (model_.Inter_On && model_.storedRecords() >= BenchState::kRegisterSlots) {
        host_.showMessage(registerFullMessage(BenchState::kRegisterSlots).toStdString(), kRegisterFullTitle);
        return;
    }
    model_.Acumular_Click();
}

void BenchWindow::emptyRegister() {
    if (model_.widget(WidgetId::Reset).enabled && model_.hasUnsavedRecords() &&
        !askBeforeEmptying(this, model_.storedRecords()))
        return;
    model_.Reset_Click();
}

void BenchWindow::closeEvent(QCloseEvent* event) {
    if (!model_.hasUnsavedRecords()) {
        event->accept();
        return;
    }
    const bool canSave = model_.widget(WidgetId::Salvar).enabled;
    switch (askBeforeClosing(this, model_.storedRecords(), canSave)) {
    case UnsavedAnswer::Save:
        // The bench's own save: a cancelled dialog or a failed write keeps the window.
        model_.Salvar_Click();
        event->setAccepted(!model_.hasUnsavedRecords());
        return;
    case UnsavedAnswer::Discard:
        event->accept();
        return;
    case UnsavedAnswer::Cancel:
        event->ignore();
        return;
    }
}

} // namespace eh
