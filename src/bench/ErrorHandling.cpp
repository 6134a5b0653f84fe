// The bench's one error reporter, for failed saves and arithmetic faults of the model.
#include "bench/BenchModel.h"
#include "datafile/ErrorReport.h"

namespace eh {

void BenchModel::TrataError(ErrorCode code, const std::string& description) {
    if (errorClosesChannel(code)) channelOpen_ = false;
    host_.showMessage(errorMessage(code, description), kErrorTitle);
}

} // namespace eh
