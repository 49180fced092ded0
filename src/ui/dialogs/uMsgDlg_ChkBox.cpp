#include "uMsgDlg_ChkBox.h"

#include "ClickLabel.h"
#include "MessageBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmMsgDlg_ChkBox::TfrmMsgDlg_ChkBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmMsgDlg_ChkBox"));
    // The same face in every language: this box is never translated.
    QFont face(QStringLiteral("MS PGothic"));
    face.setPixelSize(12);
    setFont(face);

    auto *panMessage = new QWidget(this);
    panMessage->setObjectName(QStringLiteral("panMessage"));
    lblMessage = new QLabel(panMessage);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    auto *message = new QVBoxLayout(panMessage);
    message->setContentsMargins(12, 12, 12, 12);
    message->addWidget(lblMessage);

    auto *panButton = new QWidget(this);
    panButton->setObjectName(QStringLiteral("panButton"));
    btnYes = new QPushButton(QStringLiteral("&Yes"), panButton);
    btnYes->setObjectName(QStringLiteral("btnYes"));
    btnNo = new QPushButton(QStringLiteral("&No"), panButton);
    btnNo->setObjectName(QStringLiteral("btnNo"));
    auto *buttons = new QHBoxLayout(panButton);
    buttons->setContentsMargins(8, 8, 8, 8);
    buttons->addStretch(1);
    buttons->addWidget(btnYes);
    buttons->addWidget(btnNo);
    connect(btnYes, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(btnNo, &QPushButton::clicked, this, [this] { done(mrNo); });

    auto *panLine = new QFrame(this);
    panLine->setObjectName(QStringLiteral("panLine"));
    panLine->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    panLine->setFixedHeight(2);

    auto *panOption = new QWidget(this);
    panOption->setObjectName(QStringLiteral("panOption"));
    chkOption = new QCheckBox(panOption);
    chkOption->setObjectName(QStringLiteral("chkOption"));
    lblOption = new TClickLabel(QStringLiteral("lblOption"), QString(), panOption);
    lblOption->SetControl(chkOption);
    auto *option = new QHBoxLayout(panOption);
    option->setContentsMargins(4, 4, 4, 4);
    option->addWidget(chkOption);
    option->addWidget(lblOption, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panMessage);
    layout->addWidget(panButton);
    layout->addWidget(panLine);
    layout->addWidget(panOption);
}

bool MessageDlgWithCheckBox(const QString &caption, const QString &message, const QString &optionText,
                            bool &checked, QWidget *parent)
{
    TfrmMsgDlg_ChkBox box(parent);
    box.setWindowTitle(caption);
    box.lblMessage->setText(message);
    box.lblOption->setText(optionText);
    const int result = box.exec();
    checked = box.chkOption->isChecked();
    return result == mrYes;
}
