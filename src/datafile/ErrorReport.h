#pragma once
// The texts of the error messages the bench shows.

#include <string>

#include "model/ErrorCode.h"

namespace eh {

inline constexpr const char* kErrorTitle = "MENSAJE DE ERROR";

// "Error 76: no se encuentra el camino de acceso " for a code of the table, and the
// general form "Error  61: Disco lleno" (the number in a sign position) otherwise.
std::string errorMessage(ErrorCode code, const std::string& description);

// Short Spanish description of a run-time error code, for the general form.
std::string faultDescription(ErrorCode code);

// Codes after which the data file channel is closed.
bool errorClosesChannel(ErrorCode code);

} // namespace eh
