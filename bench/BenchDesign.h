#pragma once
// A design of 5,000 entries: 1,000 main entries with four sub-entries each.
#include "uDesign.h"

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
