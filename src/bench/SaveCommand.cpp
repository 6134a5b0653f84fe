// Saving the register: the file dialog, then the writer.
#include "bench/BenchModel.h"
#include "datafile/DataFile.h"
#include "datafile/ErrorReport.h"

namespace eh {
namespace {

class BusyPointer {
public:
    explicit BusyPointer(BenchHost& host) : host_(host) { host_.setBusyPointer(true); }
    ~BusyPointer() { host_.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    BenchHost& host_;
};

} // namespace

void BenchModel::Salvar_Click() {
    if (!isEnabled(WidgetId::Salvar)) return;
    SaveDialogRequest request;
    request.title = "Seleccionar directorio y escribir el nombre del fichero";
    request.filter = "Todos los ficheros(*.*)|*.*|Ficheros de datos(*.ASC)|*.ASC";
    request.filterIndex = 2;
    request.overwritePrompt = true;
    // Files of an unknown sample are told apart by its code.
    if (Muestra_Sel == SampleCatalogue::kUnknownRow && !Codigo_Muestra.empty())
        request.suggestedName = Codigo_Muestra + ".ASC";
    const std::optional<std::string> chosen = host_.askSaveFileName(request);
    if (!chosen) return;
    Nombre_Fichero = *chosen;
    SalvaFichero();
}

void BenchModel::SalvaFichero() {
    BusyPointer busy(host_);
    if (channelOpen_) {
        TrataError(ErrorCode::FileAlreadyOpen, faultDescription(ErrorCode::FileAlreadyOpen));
        return;
    }
    const std::string content = registerContent();
    // The channel is open only while the file is written, and closed on every path.
    channelOpen_ = true;
    const std::optional<FileError> error = writeFileReplacing(Nombre_Fichero, content);
    channelOpen_ = false;
    if (error) {
        TrataError(error->code, error->description);
        return;
    }
    unsaved_ = false;
    if (journal_ != nullptr) journal_->settled();
}

std::vector<RecordValues> BenchModel::storedValues() const {
    std::vector<RecordValues> records;
    records.reserve(static_cast<std::size_t>(storedRecords()));
    for (int k = 1; k <= storedRecords(); ++k) {
        const auto s = static_cast<std::size_t>(k);
        records.push_back(
            {Reg_Temperatura[s], Reg_Campo[s], Reg_Intensidad[s], Reg_VR[s], Reg_VH_Neg[s], Reg_VH_Pos[s]});
    }
    return records;
}

std::string BenchModel::registerContent() const {
    std::string content;
    content.reserve(static_cast<std::size_t>(storedRecords()) * 64);
    int k = 0;
    for (const RecordValues& record : storedValues()) content += formatDataLine(++k, record);
    return content;
}

} // namespace eh
