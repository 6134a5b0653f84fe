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
        // A formula's size in the text, a sliver, and a large picture.
        for (const QSize size : {QSize(96, 64), QSize(7, 300), QSize(640, 480)})
            eh::rtf::renderWmfToImage(picture, size);
    }
    return 0;
}
