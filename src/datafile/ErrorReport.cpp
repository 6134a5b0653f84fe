#include "datafile/ErrorReport.h"

#include <array>
#include <cstdint>

#include "model/NumberFormat.h"

namespace eh {
namespace {

struct TableEntry {
    ErrorCode code;
    const char* text;
};

// Tabla_Errores: the file failures the bench explains in its own words.
constexpr std::array<TableEntry, 8> kTablaErrores{{
    {ErrorCode::BadFileNameOrNumber, "nombre de fichero incorrecto"},
    {ErrorCode::FileNotFound, "ese fichero no existe"},
    {ErrorCode::FileAlreadyOpen, "Fichero ya abierto"},
    {ErrorCode::InputPastEndOfFile, "capacidad sobrepasada"},
    {ErrorCode::BadFileName, "nombre de fichero incorrecto"},
    {ErrorCode::DiskNotReady, "no se puede acceder al disco"},
    {ErrorCode::PathFileAccess, "camino de acceso incorrecto"},
    {ErrorCode::PathNotFound, "no se encuentra el camino de acceso "},
}};

} // namespace

std::string errorMessage(ErrorCode code, const std::string& description) {
    const int number = shownNumber(code);
    for (const auto& entry : kTablaErrores)
        if (entry.code == code) return "Error " + std::to_string(number) + ": " + entry.text;
    return "Error " + numberToText(std::int64_t{number}) + ": " + description;
}

std::string faultDescription(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidOperation:
        return "Operación no válida";
    case ErrorCode::Overflow:
        return "Desbordamiento";
    case ErrorCode::SubscriptOutOfRange:
        return "Subíndice fuera del intervalo";
    case ErrorCode::DivisionByZero:
        return "División por cero";
    case ErrorCode::DeviceInputOutput:
        return "Error de entrada/salida en el dispositivo";
    case ErrorCode::DiskFull:
        return "Disco lleno";
    case ErrorCode::TooManyFiles:
        return "Demasiados ficheros abiertos";
    default:
        return "Error de la aplicación";
    }
}

bool errorClosesChannel(ErrorCode code) {
    return code == ErrorCode::FileAlreadyOpen || code == ErrorCode::InputPastEndOfFile;
}

} // namespace eh
