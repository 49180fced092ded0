#pragma once
// A design of 5,000 entries: 1,000 main entries with four sub-entries each.
#include "uDesign.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

inline void FillBenchDesign(TMenuDesign &d)
{
    constexpr int MainEntries = 1000;
    constexpr int SubsPerMain = 4;
    d.ResetDesign(true);
    for (int id = 1; id <= 3; ++id)
        d.RemoveMenuEntry(id);
    for (int m = 0; m < MainEntries; ++m) {
        const int id = d.AddMainMenuEntry(QString(), QStringLiteral("Main & %1").arg(m), true, QStringLiteral("main"),
                                          QStringLiteral("page%1.htm").arg(m));
        for (int s = 0; s < SubsPerMain; ++s)
            d.AddSubMenuEntry(id, QStringLiteral("<b>Sub</b> %1.%2").arg(m).arg(s), QStringLiteral("mainFrame"),
                              QStringLiteral("sub%1_%2.htm?a=1&b=2").arg(m).arg(s));
    }
}

// A caption edit: the design's description changes as after any edit the user makes.
inline void EditBenchDesign(TMenuDesign &d, int round)
{
    int slot = 0;
    while (d.Entry(slot).Id == -1 || d.Entry(slot).ParentId != 0) // the first live main entry
        ++slot;
    const int id = d.Entry(slot).Id;
    d.EditMenuEntry(id, QStringLiteral("Main & %1").arg(round % 2 ? QStringLiteral("edited") : QStringLiteral("0")),
                    QStringLiteral("page0.htm"), QStringLiteral("main"), QString());
}

// The shipped templates copied into a program folder.
inline void CopyBenchTemplates(const QString &to)
{
    const QString from = QStringLiteral(TOLVANAR_DATA_DIR "/Templates");
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QStringLiteral("/Templates") + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

// The work the description itself asks for: built, then read back into the design.
inline void BM_BuildAndReadBack(benchmark::State &state)
{
    QTemporaryDir dir;
    TMenuDesign d(dir.path());
    FillBenchDesign(d);
    for (auto _ : state)
        d.ReadMenuXml(d.BuildMenuXml(false, true, false));
}
