// The bench window's unknown sample: loaded from its code, chosen and kept for the next start.
#include "ui/BenchWindow.h"
#include "ui/SampleCodeMemory.h"

namespace eh {

bool BenchWindow::useSampleCode(const QString& code, QString* error) {
    std::string reason;
    if (!model_.useUnknownSample(code.toStdString(), reason)) {
        if (error) *error = QString::fromStdString(reason);
        return false;
    }
    // The student asked for this sample: it is the one measured from now on, as if
    // chosen in the list, which shows it.
    model_.Combo_Muestra_Click(SampleCatalogue::kUnknownRow - 1);
    rememberSampleCode(QString::fromStdString(model_.Codigo_Muestra));
    return true;
}

bool BenchWindow::restoreSampleCode() {
    const QString kept = rememberedSampleCode();
    return !kept.isEmpty() && useSampleCode(kept);
}

} // namespace eh
