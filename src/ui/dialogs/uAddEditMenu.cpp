#include "uAddEditMenu.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

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
    for (const TMenuPositionItem &item : values.Positions)
        dialog.cbPosition->addItem(item.Text, item.Number);
    dialog.cbPosition->setCurrentIndex(values.Positions.isEmpty() ? -1 : 0);
    QString name = values.Name, url = values.Url, target = values.Target;
    if (!dialog.Run(caption, name, url, target))
        return false;
    values.Name = name;
    values.Url = url;
    values.Target = target;
    values.Position = dialog.cbPosition->currentIndex();
    return true;
}
