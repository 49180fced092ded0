#pragma once
// Fixtures of the model tests: a host that records what the design asks of the window, and texts
// with CR LF line ends written readably.
#include "Messages.h"
#include "TestSupport.h"
#include "uDesign.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

class RecordingHost : public IDesignHost {
public:
    QStringList calls;
    void ClearMainMenuButtons() override { calls << "ClearMainMenuButtons"; }
    void MainEntryAdded(int id) override { calls << QStringLiteral("MainEntryAdded %1").arg(id); }
    void SubEntryAdded(int parentId, int id) override { calls << QStringLiteral("SubEntryAdded %1 %2").arg(parentId).arg(id); }
    void EntryEdited(int id) override { calls << QStringLiteral("EntryEdited %1").arg(id); }
    void EntryRemoved(int id) override { calls << QStringLiteral("EntryRemoved %1").arg(id); }
    void RebuildMenuToolbar() override { calls << "RebuildMenuToolbar"; }
    void RefreshPreview() override { calls << "RefreshPreview"; }
    void UpdateInterface(int mode) override { calls << QStringLiteral("UpdateInterface %1").arg(mode); }
    void ModifiedChanged() override { calls << "ModifiedChanged"; }
    void PrepareDesignControls(const TFileFieldSetups &f) override { fields = f; calls << "PrepareDesignControls"; }
    void RefreshPositionHints() override { calls << "RefreshPositionHints"; }
    void FinishDesignReset() override { calls << "FinishDesignReset"; }
    void ComputeMenuAreaWidth() override { calls << "ComputeMenuAreaWidth"; }
    void ComputeMenuAreaHeight() override { calls << "ComputeMenuAreaHeight"; }
    void ShowMenuPosition(int x, int y) override { calls << QStringLiteral("ShowMenuPosition %1 %2").arg(x).arg(y); }
    void SetOpenDialogFolder(const QString &f) override { calls << "SetOpenDialogFolder " + f; }
    void ReadHtmlOptions(const QString &f) override { calls << "ReadHtmlOptions " + f; }
    void ClearProjectFileName() override { calls << "ClearProjectFileName"; }
    void NavigateBrowser(const QString &f) override { calls << "NavigateBrowser " + f; }

    int count(const QString &call) const { return int(calls.count(call)); }
    TFileFieldSetups fields;
};

// "\n" written in a test stands for CR LF in the file.
inline QString Crlf(QString text) { return text.replace(QLatin1String("\n"), QLatin1String("\r\n")); }

// The state every test starts from: English texts, a throw-away program folder.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultTexts(); }
    TempFolder folder;
};

// Live entries in slot order as "slot:Id:ParentId:Caption".
inline QStringList LiveEntries(const TMenuDesign &d)
{
    QStringList out;
    for (int i = 0; i < d.MenuEntryCount(); ++i)
        if (d.Entry(i).Id != -1)
            out << QStringLiteral("%1:%2:%3:%4").arg(i).arg(d.Entry(i).Id).arg(d.Entry(i).ParentId).arg(d.Entry(i).Caption);
    return out;
}
