#include "uAddEditMenu.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

TfrmEditMenu::TfrmEditMenu()
    : TMenuEntryDialog(QStringLiteral("frmEditMenu"), QStringLiteral("Add Menu"), QStringLiteral("lblUrl"))
{
    lblPosition = new QLabel(QStringLiteral("Position"), this);
    lblPosition->setObjectName(QStringLiteral("lblPosition"));
    cbPosition = new QComboBox(this);
    cbPosition->setObjectName(QStringLiteral("cbPosition"));
    lblPosition->setBuddy(cbPosition);
    FFields->addWidget(lblPosition, 3, 0);
    FFields->addWidget(cbPosition, 3, 1);
    FormCreate();
}

bool EditMenuDialog(TEditMenuValues &values, const QString &caption)
{
    TfrmEditMenu dialog;
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    dialog.edName->setText(values.Name);
    dialog.edURL->setText(values.Url);
    dialog.cmbTarget->setEditText(values.Target);
    for (const TMenuPositionItem &item : values.Positions)
        dialog.cbPosition->addItem(item.Text, item.Number);
    dialog.cbPosition->setCurrentIndex(values.Positions.isEmpty() ? -1 : 0);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values.Name = dialog.edName->text();
    values.Url = dialog.edURL->text();
    values.Target = dialog.cmbTarget->currentText();
    values.Position = dialog.cbPosition->currentIndex();
    return true;
}
