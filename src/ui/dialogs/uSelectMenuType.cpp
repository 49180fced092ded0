#include "uSelectMenuType.h"

#include "Trans.h"
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmSelectMenuType::TfrmSelectMenuType(IMenuTypeHost &host, const QString &templatesDir, bool back, QWidget *parent)
    : QDialog(parent), FHost(host), FTemplatesDir(templatesDir), FBack(back)
{
    setObjectName(QStringLiteral("frmSelectMenuType"));
    setWindowTitle(QStringLiteral("Select Menu Type"));
    resize(314, 191);

    auto *lblSelect = new QLabel(QStringLiteral("Select type of menu you want to create"), this);
    lblSelect->setObjectName(QStringLiteral("lblSelect"));
    rgMenuType = new QGroupBox(this);
    rgMenuType->setObjectName(QStringLiteral("rgMenuType"));
    QFont bold = rgMenuType->font();
    bold.setBold(true);
    rgMenuType->setFont(bold);
    auto *items = new QVBoxLayout(rgMenuType);
    const QString texts[2] = {QStringLiteral("Horizontal Type"), QStringLiteral("Vertical Type")};
    for (int i = 0; i < 2; ++i) {
        rgMenuTypeItems[i] = new QRadioButton(texts[i], rgMenuType);
        rgMenuTypeItems[i]->setObjectName(QStringLiteral("rgMenuType_%1").arg(i));
        items->addWidget(rgMenuTypeItems[i]);
    }

    btnBack = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnBack->setVisible(back);
    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnBack, &QPushButton::clicked, this, [this] { done(BackResult); });
    connect(btnOk, &QPushButton::clicked, this, &TfrmSelectMenuType::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSelectMenuType::btnCancelClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(lblSelect);
    layout->addWidget(rgMenuType, 1);
    layout->addLayout(buttons);

    Translate();
}

void TfrmSelectMenuType::Translate()
{
    TranslateOnCreate(this, objectName());
    TranslateRadioGroupItems(rgMenuType, objectName());
}

void TfrmSelectMenuType::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    rgMenuTypeItems[FHorizontal ? 0 : 1]->setChecked(true);
}

void TfrmSelectMenuType::btnOkClick()
{
    FHorizontal = rgMenuTypeItems[0]->isChecked();
    // The gallery shows designs of the chosen orientation.
    FHost.SetOrientation(FHorizontal);
    bool back = FBack;
    if (FHost.RunPresetGallery(FTemplatesDir, back))
        accept();
    else if (!back)
        reject();
    // Back in the gallery: this dialog stays for another choice.
}

void TfrmSelectMenuType::btnCancelClick() { reject(); }

bool ShowSelectMenuType(IMenuTypeHost &host, const QString &templatesDir, bool &back, QWidget *parent)
{
    TfrmSelectMenuType dialog(host, templatesDir, back, parent);
    dialog.SetHorizontal(host.IsHorizontal());
    const int result = dialog.exec();
    host.SetOrientation(dialog.Horizontal());
    back = result == TfrmSelectMenuType::BackResult;
    return result == QDialog::Accepted;
}
