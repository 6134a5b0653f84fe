#pragma once
// Data files for the analysis window's tests, made as a student makes them: a sweep
// driven through the bench's events and saved with its Salvar button.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"

namespace eh::test {

inline void sweep(const QString& path, int sample, double from, double to, double step = 10,
                  double magnetA = 10) {
    const eh::sweep::SweepPlan plan{
        .sample = sample, .fromK = from, .toK = to, .stepK = step, .magnetA = magnetA};
    std::string error;
    eh::sweep::FileAnsweringHost host(path.toStdString());
    eh::BenchModel bench(host);
    eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
    QCOMPARE(host.messages, 0);
}

// In place, truncating, as an editor saves.
inline void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace eh::test
