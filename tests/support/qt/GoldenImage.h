#pragma once
// Comparing a rendered window with a picture kept in golden/. A picture that differs is written beside the
// test with a diff image that marks every pixel out of tolerance in red. With TARVELO_UPDATE_GOLDENS=1 the
// pictures are written afresh.

#include <QImage>
#include <QString>
#include <QtGlobal>

namespace eh::test {

// Empty when every colour channel of every pixel is within `tolerance` of the golden picture `name`;
// otherwise what differs and where the pictures were written.
inline QString goldenMismatch(const QImage& rendered, const QString& name, int tolerance = 8) {
    const QString golden = QStringLiteral(TARVELO_GOLDEN_DIR "/") + name + QStringLiteral(".png");
    const QString out = QStringLiteral(TARVELO_TEST_OUTPUT_DIR "/") + name;
    const QImage actual = rendered.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TARVELO_UPDATE_GOLDENS") == 1)
        return actual.save(golden) ? QString() : QStringLiteral("cannot write ") + golden;
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    QImage diff = actual.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    int bad = expected.size() == actual.size() ? 0 : -1; // -1: the sizes differ
    const auto off = [tolerance](int a, int b) { return qAbs(a - b) > tolerance; };
    for (int y = 0; y < actual.height() && bad >= 0; ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            if (off(qRed(a), qRed(e)) || off(qGreen(a), qGreen(e)) || off(qBlue(a), qBlue(e))) {
                ++bad;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    if (bad == 0) return {};
    actual.save(out + QStringLiteral("-actual.png"));
    diff.save(out + QStringLiteral("-diff.png"));
    return QStringLiteral("%1: %2 pixels differ (-1: another size); see %3-actual.png and -diff.png")
        .arg(name)
        .arg(bad)
        .arg(out);
}

} // namespace eh::test
