#include "unitSecureReminder.h"
#include "Trans.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmSecureReminder::TfrmSecureReminder(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSecureReminder"));
    setWindowTitle(QStringLiteral("Preview in Browser"));
    // Like every window, in the language's font: the fixed width is made for it.
    ApplyLanguageFont(this, LanguageName);

    auto *pnlHeader = new QWidget(this);
    pnlHeader->setObjectName(QStringLiteral("pnlHeader"));
    pnlHeader->setAutoFillBackground(true);
    QPalette pal = pnlHeader->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pnlHeader->setPalette(pal);
    auto *header = new QHBoxLayout(pnlHeader);
    auto *picture = new QLabel(pnlHeader);
    picture->setObjectName(QStringLiteral("TntImage1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto *lbHeader = new QLabel(QStringLiteral("Reminder: About previewing menu in browser locally"), pnlHeader);
    lbHeader->setObjectName(QStringLiteral("lbHeader"));
    lbHeader->setStyleSheet(QStringLiteral("font-weight: bold; color: red;"));
    lbHeader->setAlignment(Qt::AlignCenter);
    header->addWidget(picture);
    header->addWidget(lbHeader, 1);

    auto bold = [this](const QString &name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        l->setStyleSheet(QStringLiteral("font-weight: bold;"));
        return l;
    };
    QLabel *lbContent = bold(QStringLiteral("lbContent"),
                             QStringLiteral("When preview menu in browser locally, all hyperlinks to remote websites are "
                                            "blocked by the browser or Adobe plug-in and you will see a security warning. "));
    QLabel *tntLabel1 = bold(QStringLiteral("TntLabel1"),
                             QStringLiteral("This is perfectly normal and all hyperlink will work correctly when viewing online."));

    cbDisable = new QCheckBox(QStringLiteral("Do not show this reminder next time"), this);
    cbDisable->setObjectName(QStringLiteral("cbDisable"));
    auto *bbClose = new QPushButton(QStringLiteral("Close"), this);
    bbClose->setObjectName(QStringLiteral("bbClose"));
    bbClose->setDefault(true);
    connect(bbClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pnlHeader);
    layout->addWidget(lbContent);
    layout->addWidget(tntLabel1);
    layout->addWidget(cbDisable);
    layout->addWidget(bbClose, 0, Qt::AlignRight);
    setFixedWidth(440);
}

bool RunSecureReminder(QWidget *parent)
{
    TfrmSecureReminder notice(parent);
    notice.exec();
    return notice.cbDisable->isChecked();
}
