// libFuzzer target: the metafile player parsing and drawing arbitrary bytes.

#include "FuzzSupport.h"

#include "rtf/WmfPlayer.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    eh::fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    eh::rtf::WmfPicture picture;
    if (picture.load(bytes)) {
        eh::rtf::renderWmfToImage(picture, QSize(96, 64));
        eh::rtf::renderWmfToImage(picture, QSize(7, 300));
    }
    return 0;
}
