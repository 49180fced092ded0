#include "uAbout.h"

#include "Trans.h"
#include "ClickLabel.h"
#include "IniFile.h"
#include "Messages.h"
#include "ProgramPicture.h"
#include "uSettings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QFrame *raisedPanel(QWidget *parent, const QString &name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    return panel;
}

TClickLabel *linkLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new TClickLabel(name, text, parent);
    // Colour and underline only: the face and size still come from the box, in the language's font.
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(blue);
    QFont underlined;
    underlined.setUnderline(true);
    label->setFont(underlined);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(const QString &programFolder, const QString &language, const QStringList &installed,
                     QWidget *parent)
    : QDialog(parent), FInstalled(installed)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tolvanar"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto *panLeft = new QWidget(this);
    panLeft->setObjectName(QStringLiteral("panLeft"));
    panLeft->setFixedWidth(150);
    panLeft->setAutoFillBackground(true);
    QPalette white = panLeft->palette();
    white.setColor(QPalette::Window, Qt::white);
    panLeft->setPalette(white);
    Image1 = new QLabel(panLeft);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ProgramPicture(QSize(130, 260)));
    auto *left = new QVBoxLayout(panLeft);
    left->addWidget(Image1);

    auto *panInfo = new QWidget(this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    pgcAbout = new QTabWidget(panInfo);
    pgcAbout->setObjectName(QStringLiteral("pgcAbout"));

    auto *tbsVersion = new QWidget;
    tbsVersion->setObjectName(QStringLiteral("tbsVersion"));
    QFrame *versionPanel = raisedPanel(tbsVersion, QStringLiteral("panVersion"));
    versionPanel->setAutoFillBackground(true);
    QPalette grey = versionPanel->palette();
    grey.setColor(QPalette::Window, QColor(0xEE, 0xEE, 0xEE));
    versionPanel->setPalette(grey);
    lblR_App = new QLabel(QStringLiteral("Tolvanar"), versionPanel);
    lblR_App->setObjectName(QStringLiteral("lblR_App"));
    QFont bold = lblR_App->font();
    bold.setBold(true);
    lblR_App->setFont(bold);
    lblR_Ver = new QLabel(QStringLiteral("Version"), versionPanel);
    lblR_Ver->setObjectName(QStringLiteral("lblR_Ver"));
    lblR_Site = linkLabel(versionPanel, QStringLiteral("lblR_Site"), QString());
    lblR_Site->setToolTip(QStringLiteral("Click here to visit our website now!"));
    // The address is wider than the panel: it goes on to a second line (after its "?" or a "/").
    lblR_Site->setWordWrap(true);
    auto *info = new QVBoxLayout(versionPanel);
    info->addWidget(lblR_App);
    info->addWidget(lblR_Ver);
    info->addWidget(lblR_Site);
    info->addStretch(1);
    auto *version = new QVBoxLayout(tbsVersion);
    version->addWidget(versionPanel);
    pgcAbout->addTab(tbsVersion, QStringLiteral("Version"));

    auto *tbsInstalled = new QWidget;
    tbsInstalled->setObjectName(QStringLiteral("tbsInstalled"));
    auto *lblR_Installed = new QLabel(QStringLiteral("Templates you have installed :"), tbsInstalled);
    lblR_Installed->setObjectName(QStringLiteral("lblR_Installed"));
    auto *lblViewDetails = new QLabel(QStringLiteral("(You can double click to view template details)"), tbsInstalled);
    lblViewDetails->setObjectName(QStringLiteral("lblViewDetails"));
    lblViewDetails->setWordWrap(true);
    QFrame *panInstalled = raisedPanel(tbsInstalled, QStringLiteral("panInstalled"));
    lstInstalled = new QListWidget(panInstalled);
    lstInstalled->setObjectName(QStringLiteral("lstInstalled"));
    lstInstalled->setFrameShape(QFrame::NoFrame);
    lstInstalled->setSelectionMode(QAbstractItemView::SingleSelection);
    lstInstalled->setToolTip(QStringLiteral("Double click to view template details"));
    auto *listBox = new QVBoxLayout(panInstalled);
    listBox->setContentsMargins(1, 1, 1, 1);
    listBox->addWidget(lstInstalled);
    lblGetMore = linkLabel(tbsInstalled, QStringLiteral("lblGetMore"), QStringLiteral("Get More Templates >>"));
    lblGetMore->setAlignment(Qt::AlignRight);
    auto *installedBox = new QVBoxLayout(tbsInstalled);
    installedBox->setContentsMargins(2, 2, 2, 2);
    installedBox->addWidget(lblR_Installed);
    installedBox->addWidget(lblViewDetails);
    installedBox->addWidget(panInstalled, 1);
    installedBox->addWidget(lblGetMore, 0, Qt::AlignRight | Qt::AlignBottom);
    pgcAbout->addTab(tbsInstalled, QStringLiteral("Installed Templates"));

    auto *panOK = new QWidget(panInfo);
    panOK->setObjectName(QStringLiteral("panOK"));
    btnOK = new QPushButton(QStringLiteral("&OK"), panOK);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    auto *ok = new QHBoxLayout(panOK);
    ok->setContentsMargins(0, 0, 0, 0);
    ok->addStretch(1);
    ok->addWidget(btnOK);
    auto *infoBox = new QVBoxLayout(panInfo);
    infoBox->addWidget(pgcAbout, 1);
    infoBox->addWidget(panOK);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panLeft);
    layout->addWidget(panInfo, 1);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(lblR_Site, &TClickLabel::clicked, this, &TfrmAbout::lblR_SiteClick);
    connect(lblGetMore, &TClickLabel::clicked, this, &TfrmAbout::lblGetMoreClick);
    connect(lstInstalled, &QListWidget::clicked, this, &TfrmAbout::lstInstalledClick);
    connect(lstInstalled, &QListWidget::doubleClicked, this, &TfrmAbout::lstInstalledClick);

    Translate();
    LoadLanguagePicture(Image1, programFolder, language, QStringLiteral("_uAbout.bmp"));
    lblR_Ver->setText(lblR_Ver->text() + QLatin1Char(' ') + VersionText());
    // A fixed border: the client area stays as designed.
    setFixedSize(442, 305);
}

void TfrmAbout::Translate()
{
    TranslateOnCreate(this, objectName());
    // The labels with a style of their own take the language's face and size too.
    for (QWidget *label : std::initializer_list<QWidget *>{lblR_App, lblR_Site, lblGetMore})
        ApplyLanguageFont(label, LanguageName);
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    LoadInstalled();
    btnOK->setFocus();
    lblR_Site->setText(WebLink(23));
}

void TfrmAbout::LoadInstalled()
{
    lstInstalled->clear();
    lstInstalled->addItems(FInstalled);
}

void TfrmAbout::lblR_SiteClick() { OpenUrl(WebLink(26)); }
void TfrmAbout::lblGetMoreClick() { OpenUrl(WebLink(24)); }
// The details page is the same for every item: the item is not passed on.
void TfrmAbout::lstInstalledClick() { OpenUrl(WebLink(25)); }

QStringList ReadInstalledTemplates(const QString &programFolder)
{
    const IniFile ini(SettingsFileName(programFolder));
    QStringList ids;
    for (int n = 1;; ++n) {
        const QString id = ini.ReadString(QStringLiteral("register"), QStringLiteral("template") + QString::number(n), QString());
        if (id.isEmpty())
            break;
        ids << id;
    }
    return ids;
}

void ShowAbout(const QString &programFolder, const QString &language, const QStringList &installed, QWidget *parent)
{
    TfrmAbout box(programFolder, language, installed, parent);
    box.exec();
}
