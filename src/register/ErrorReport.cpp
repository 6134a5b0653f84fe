#include "register/ErrorReport.h"

#include <array>
#include <utility>

#include "bench/BenchModel.h"

namespace eh {
namespace {

struct TableEntry {
    int code;
    const char* text;
};

// Tabla_Errores: the file failures the bench explains in its own words.
constexpr std::array<TableEntry, 8> kTablaErrores{{
    {52, "nombre de fichero incorrecto"},
    {53, "ese fichero no existe"},
    {55, "Fichero ya abierto"},
    {62, "capacidad sobrepasada"},
    {64, "nombre de fichero incorrecto"},
    {71, "no se puede acceder al disco"},
    {75, "camino de acceso incorrecto"},
    {76, "no se encuentra el camino de acceso "},
}};

} // namespace

std::string errorMessage(int code, const std::string& description) {
    for (const auto& entry : kTablaErrores)
        if (entry.code == code) return "Error " + std::to_string(code) + ": " + entry.text;
    return "Error " + numberToText(std::int64_t{code}) + ": " + description;
}

std::string faultDescription(int code) {
    switch (code) {
    case 5:
        return "Operación no válida";
    case 6:
        return "Desbordamiento";
    case 9:
        return "Subíndice fuera del intervalo";
    case 11:
        return "División por cero";
    case 57:
        return "Error de entrada/salida en el dispositivo";
    case 61:
        return "Disco lleno";
    case 67:
        return "Demasiados ficheros abiertos";
    case 70:
        return "Permiso denegado";
    default:
        return "Error de la aplicación";
    }
}

bool errorClosesChannel(int code) {
    return code == 55 || code == 62;
}

void BenchModel::TrataError(int code, const std::string& description) {
    if (errorClosesChannel(code)) channelOpen_ = false;
    host_.showMessage(errorMessage(code, description), kErrorTitle);
}

} // namespace eh
