#include "uMenuItemEditor.h"

#include <QComboBox>
#include <QLineEdit>

TfrmCreateMenuItem::TfrmCreateMenuItem()
    : TMenuEntryDialog(QStringLiteral("frmCreateMenuItem"), QStringLiteral("Create Menu Item"), QStringLiteral("lblURL"))
{
    FormCreate();
}

bool EditMenuItem(TFlashMenuItem &entry, const QString &caption)
{
    TfrmCreateMenuItem dialog;
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    dialog.edName->setText(entry.Caption);
    dialog.edURL->setText(entry.Href);
    dialog.cmbTarget->setEditText(entry.Target);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry.Caption = dialog.edName->text();
    entry.Href = dialog.edURL->text();
    entry.Target = dialog.cmbTarget->currentText();
    return true;
}
