// What the user reads when saving fails or the model meets an arithmetic fault.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "datafile/DataFile.h"
#include "datafile/ErrorReport.h"

using namespace eh;

// What the user reads for each failure the system can report while saving, and the
// bench's own texts for the codes the system never gives, beside the general form
// (two blanks) of a neighbour.
TEST(ErrorText, EverySystemErrorAndCodeHasItsMessage) {
    const std::pair<const char*, std::vector<int>> fromSystem[] = {
        {"Error 76: no se encuentra el camino de acceso ", {ENOENT, ENOTDIR, ELOOP}},
        {"Error 75: camino de acceso incorrecto", {EACCES, EPERM, EROFS, EISDIR, ETXTBSY}},
        {"Error 52: nombre de fichero incorrecto", {ENAMETOOLONG}},
        {"Error 64: nombre de fichero incorrecto", {EINVAL, EILSEQ}},
        {"Error 71: no se puede acceder al disco", {ENXIO, ENODEV, EBUSY, EAGAIN}},
        {"Error  61: Disco lleno", {ENOSPC, EDQUOT, EFBIG}},
        {"Error  67: Demasiados ficheros abiertos", {EMFILE, ENFILE}},
        {"Error  57: Error de entrada/salida en el dispositivo", {EIO, EEXIST}},
    };
    for (const auto& [shown, errs] : fromSystem) {
        for (int err : errs) {
            const FileError error = fileErrorFromErrno(err);
            EXPECT_EQ(errorMessage(error.code, error.description), shown) << std::strerror(err);
        }
    }
    const std::pair<ErrorCode, const char*> byCode[] = {
        {ErrorCode::FileNotFound, "Error 53: ese fichero no existe"},
        {ErrorCode::FileAlreadyOpen, "Error 55: Fichero ya abierto"},
        {ErrorCode::InputPastEndOfFile, "Error 62: capacidad sobrepasada"},
        {static_cast<ErrorCode>(54), "Error  54: d"},
    };
    for (const auto& [code, shown] : byCode) EXPECT_EQ(errorMessage(code, "d"), shown) << shownNumber(code);
}

// The model's arithmetic faults in the general form, with their own descriptions.
TEST(ErrorText, ModelFaultsHaveTheirDescriptions) {
    const std::pair<ErrorCode, const char*> byCode[] = {
        {ErrorCode::InvalidOperation, "Error  5: Operación no válida"},
        {ErrorCode::Overflow, "Error  6: Desbordamiento"},
        {ErrorCode::SubscriptOutOfRange, "Error  9: Subíndice fuera del intervalo"},
        {ErrorCode::DivisionByZero, "Error  11: División por cero"},
    };
    for (const auto& [code, shown] : byCode)
        EXPECT_EQ(errorMessage(code, faultDescription(code)), shown) << shownNumber(code);
}

// Only "already open" and "past the end" close the data file's channel.
TEST(ErrorText, OnlyTwoCodesCloseTheChannel) {
    for (int n = 0; n < 100; ++n) {
        const auto code = static_cast<ErrorCode>(n);
        EXPECT_EQ(errorClosesChannel(code), n == 55 || n == 62) << n;
    }
}
