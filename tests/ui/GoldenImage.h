#pragma once
// Comparing a rendered window with a picture kept in the repository. A picture that
// differs is written beside the test with a diff image that marks every pixel out of
// tolerance in red. With TARVELO_UPDATE_GOLDENS=1 the pictures are written afresh.

#include <QDir>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace eh::test {

struct GoldenResult {
    bool ok = false;
    QString message;
};

// Each colour channel may differ by `tolerance`; no pixel may differ by more.
inline GoldenResult compareWithGolden(const QImage& rendered, const QString& name, int tolerance = 8) {
    const QString golden = QDir(QStringLiteral(TARVELO_GOLDEN_DIR)).filePath(name + QStringLiteral(".png"));
    const QString outDir = QStringLiteral(TARVELO_TEST_OUTPUT_DIR);
    const QImage actual = rendered.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TARVELO_UPDATE_GOLDENS") == 1) {
        if (!actual.save(golden)) return {false, QStringLiteral("cannot write ") + golden};
        return {true, {}};
    }
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    const QString actualPath = QDir(outDir).filePath(name + QStringLiteral("-actual.png"));
    if (expected.size() != actual.size()) {
        actual.save(actualPath);
        return {false, QStringLiteral("%1: rendered %2x%3, golden %4x%5 (0x0: no golden picture); see %6")
                           .arg(name)
                           .arg(actual.width())
                           .arg(actual.height())
                           .arg(expected.width())
                           .arg(expected.height())
                           .arg(actualPath)};
    }
    QImage diff = actual.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    int bad = 0;
    QRect where;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            if (qAbs(qRed(a) - qRed(e)) > tolerance || qAbs(qGreen(a) - qGreen(e)) > tolerance ||
                qAbs(qBlue(a) - qBlue(e)) > tolerance) {
                ++bad;
                where |= QRect(x, y, 1, 1);
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    if (bad == 0) return {true, {}};
    const QString diffPath = QDir(outDir).filePath(name + QStringLiteral("-diff.png"));
    actual.save(actualPath);
    diff.save(diffPath);
    return {false, QStringLiteral("%1: %2 pixels differ within (%3,%4 %5x%6); see %7 and %8")
                       .arg(name)
                       .arg(bad)
                       .arg(where.x())
                       .arg(where.y())
                       .arg(where.width())
                       .arg(where.height())
                       .arg(actualPath, diffPath)};
}

} // namespace eh::test
