// libFuzzer target: the RTF reader on arbitrary bytes, pictures and all, and the document
// it gives laid out and painted.

#include "FuzzSupport.h"

#include "rtf/RtfReader.h"

#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    eh::fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTextDocument doc;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const eh::RtfLoadResult result = eh::loadRtf(bytes, doc);
    if (!result.ok && result.error.isEmpty()) __builtin_trap(); // every failure must say why
    eh::fuzz::showFirstScreens(doc);
    return 0;
}
