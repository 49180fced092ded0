#include "MenuEntryDialog.h"

#include "Conversions.h"
#include "FormControls.h"
#include "FormLanguage.h"
#include "Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

const QStringList &TMenuEntryDialog::TargetTokens()
{
    static const QStringList tokens{QStringLiteral("_blank"), QStringLiteral("_top"), QStringLiteral("_parent"),
                                    QStringLiteral("_self")};
    return tokens;
}

TMenuEntryDialog::TMenuEntryDialog(const QString &formName, const QString &caption, const QString &urlLabelName)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(formName);
    setWindowTitle(caption);

    auto label = [this](const char *name, const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    lblName = label("lblName", "Name");
    edName = WholeValues(new QLineEdit(this));
    edName->setObjectName(QStringLiteral("edName"));
    lblUrl = label("lblUrl", "URL");
    lblUrl->setObjectName(urlLabelName);
    edURL = WholeValues(new QLineEdit(this));
    edURL->setObjectName(QStringLiteral("edURL"));
    lblTarget = label("lblTarget", "Target");
    cmbTarget = new QComboBox(this);
    cmbTarget->setObjectName(QStringLiteral("cmbTarget"));
    cmbTarget->setEditable(true);
    WholeValues(cmbTarget->lineEdit());
    // A typed target is a value, not a new list item.
    cmbTarget->setInsertPolicy(QComboBox::NoInsert);
    lblName->setBuddy(edName);
    lblUrl->setBuddy(edURL);
    lblTarget->setBuddy(cmbTarget);
    connect(cmbTarget, &QComboBox::activated, this, &TMenuEntryDialog::cmbTargetSelect);

    // The combo writes the list text into its edit after reporting the selection; the token goes
    // in once that is done.
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1);
    connect(Timer, &QTimer::timeout, this, &TMenuEntryDialog::TimerTimer);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TMenuEntryDialog::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    FFields = new QGridLayout;
    FFields->addWidget(lblName, 0, 0);
    FFields->addWidget(edName, 0, 1);
    FFields->addWidget(lblUrl, 1, 0);
    FFields->addWidget(edURL, 1, 1);
    FFields->addWidget(lblTarget, 2, 0);
    FFields->addWidget(cmbTarget, 2, 1);
    FFields->setColumnMinimumWidth(1, 260);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(FFields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMenuEntryDialog::FormCreate()
{
    TranslateOnCreate(this, objectName());
    cmbTarget->clear();
    for (int n = 110; n <= 113; ++n)
        cmbTarget->addItem(LangMsg(n));
    // No list item is chosen until the user picks one, so the first arrow-down gives the first item.
    cmbTarget->setCurrentIndex(-1);
    setFont(LanguageFormFont(FormLanguage()));
}

void TMenuEntryDialog::cmbTargetSelect(int index)
{
    if (index >= 0 && index < TargetTokens().size())
        FTargetToken = TargetTokens()[index];
    Timer->start();
}

void TMenuEntryDialog::TimerTimer()
{
    cmbTarget->setEditText(FTargetToken);
    Timer->stop();
}

void TMenuEntryDialog::btnOKClick()
{
    // A selection made just before OK still hands back its token, not the list text.
    if (Timer->isActive())
        TimerTimer();
    if (TrimText(edName->text()).isEmpty()) {
        ShowMsgBox(LangMsg(67), mtWarning, mbOK);
        return;
    }
    accept();
}

bool TMenuEntryDialog::Run(const QString &caption, QString &name, QString &url, QString &target)
{
    if (!caption.isEmpty())
        setWindowTitle(caption);
    edName->setText(name);
    edURL->setText(url);
    cmbTarget->setEditText(target);
    if (exec() != QDialog::Accepted)
        return false;
    name = edName->text();
    url = edURL->text();
    target = cmbTarget->currentText();
    return true;
}
