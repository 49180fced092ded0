#include "uMenuItemEditor.h"

TfrmCreateMenuItem::TfrmCreateMenuItem()
    : TMenuEntryDialog(QStringLiteral("frmCreateMenuItem"), QStringLiteral("Create Menu Item"), QStringLiteral("lblURL"))
{
    FormCreate();
}

bool EditMenuItem(TFlashMenuItem &entry, const QString &caption)
{
    TfrmCreateMenuItem dialog;
    QString name = entry.Caption, url = entry.Href, target = entry.Target;
    if (!dialog.Run(caption, name, url, target))
        return false;
    entry.Caption = name;
    entry.Href = url;
    entry.Target = target;
    return true;
}
