#include "uPublishSettings.h"

#include "Trans.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmPublishSettings::TfrmPublishSettings(bool horizontal, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPublishSettings"));
    setWindowTitle(QStringLiteral("Publish Settings"));

    rgrPublishSettings = new QGroupBox(QStringLiteral("Publish Settings"), this);
    rgrPublishSettings->setObjectName(QStringLiteral("rgrPublishSettings"));
    auto *kinds = new QVBoxLayout(rgrPublishSettings);
    const char *kindNames[4] = {"Menu Only", "Frame Pages", "Non-Frame Pages", "CD-ROM"};
    for (int i = 0; i < 4; ++i) {
        FKinds[i] = new QRadioButton(QString::fromLatin1(kindNames[i]), rgrPublishSettings);
        FKinds[i]->setObjectName(QStringLiteral("rgrPublishSettings_%1").arg(i));
        kinds->addWidget(FKinds[i]);
        connect(FKinds[i], &QRadioButton::clicked, this, &TfrmPublishSettings::rgrPublishSettingsClick);
    }

    rgrMenuPosition = new QGroupBox(QStringLiteral("Menu Position"), this);
    rgrMenuPosition->setObjectName(QStringLiteral("rgrMenuPosition"));
    auto *sides = new QVBoxLayout(rgrMenuPosition);
    FSides[0] = new QRadioButton(QStringLiteral("On the Left Side"), rgrMenuPosition);
    FSides[1] = new QRadioButton(QStringLiteral("On the Right Side"), rgrMenuPosition);
    for (QRadioButton *b : FSides)
        sides->addWidget(b);
    FSides[0]->setChecked(true);

    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *groups = new QVBoxLayout;
    groups->addWidget(rgrPublishSettings);
    groups->addWidget(rgrMenuPosition);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    TranslateOnCreate(this, objectName());
    TranslateRadioGroupItems(rgrPublishSettings, objectName());
    rgrMenuPosition->setVisible(!horizontal);
    setFixedHeight(horizontal ? 172 : 250);
}

int TfrmPublishSettings::Kind() const
{
    for (int i = 0; i < 4; ++i)
        if (FKinds[i]->isChecked())
            return i;
    return 0;
}

void TfrmPublishSettings::SetKind(int kind)
{
    FKinds[kind >= 0 && kind <= 3 ? kind : 0]->setChecked(true);
    rgrPublishSettingsClick();
}

bool TfrmPublishSettings::RightSide() const { return FSides[1]->isChecked(); }
void TfrmPublishSettings::SetRightSide(bool right) { FSides[right ? 1 : 0]->setChecked(true); }
bool TfrmPublishSettings::MenuPositionEnabled() const { return rgrMenuPosition->isEnabled(); }

void TfrmPublishSettings::rgrPublishSettingsClick()
{
    const int kind = Kind();
    rgrMenuPosition->setEnabled(kind == 1 || kind == 2);
}

QString ShowPublishSettings(int kind, int side, bool horizontal, QWidget *parent)
{
    TfrmPublishSettings dialog(horizontal, parent);
    dialog.SetKind(kind);
    // The stored side applies only when the dialog opens on a kind that has one.
    if (!horizontal && dialog.MenuPositionEnabled())
        dialog.SetRightSide(side == 1);
    if (dialog.exec() != QDialog::Accepted)
        return QStringLiteral("-1");
    const bool right = dialog.MenuPositionEnabled() && dialog.RightSide();
    return QStringLiteral("%1=%2").arg(dialog.Kind()).arg(right ? 1 : -1);
}
