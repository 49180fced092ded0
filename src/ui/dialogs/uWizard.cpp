#include "uWizard.h"

#include "Trans.h"
#include "ClickLabel.h"
#include "Conversions.h"
#include "FormControls.h"
#include "IniFile.h"
#include "Messages.h"
#include "ProgramPicture.h"
#include "uBrowseFolderUtils.h"
#include "uMsgDlg_ChkBox.h"
#include "uSettings.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kConfig = QStringLiteral("config");
const QString kNotChkFlash = QStringLiteral("NotChkFlash");

FlashPlayerProbe &probe()
{
    // The menu movies are played by the pages' own script (AC_RunActiveContent.js), in any browser,
    // so the designer never lacks a player; asking users to install one would send them astray.
    static FlashPlayerProbe p = [] { return true; };
    return p;
}

QWidget *colouredPanel(QWidget *parent, const QString &name, const QColor &colour, QFrame::Shadow shadow)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, colour);
    panel->setPalette(pal);
    return panel;
}

QRadioButton *boldRadio(QWidget *parent, const QString &name, const QString &text)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(name);
    QFont f = radio->font();
    f.setBold(true);
    radio->setFont(f);
    return radio;
}

TClickLabel *choiceText(QWidget *parent, const QString &name, const QString &text, QRadioButton *radio)
{
    auto *label = new TClickLabel(name, text, parent);
    label->setWordWrap(true);
    label->SetControl(radio);
    label->setContentsMargins(20, 0, 0, 0);
    return label;
}

} // namespace

TfrmWizard::TfrmWizard(const QString &programFolder, const QString &language, const QStringList &recentProjects,
                       QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FProgramFolder(programFolder), FRecent(recentProjects)
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Tolvanar"));
    resize(622, 409);

    imgWizard = new QLabel(this);
    imgWizard->setObjectName(QStringLiteral("imgWizard"));
    imgWizard->setFixedWidth(210);
    imgWizard->setAlignment(Qt::AlignCenter);
    imgWizard->setPixmap(ProgramPicture(QSize(210, 409)));

    QWidget *pnlClient = colouredPanel(this, QStringLiteral("pnlClient"), QColor(0xE9, 0xE9, 0xE9), QFrame::Sunken);
    QWidget *panSelect = colouredPanel(pnlClient, QStringLiteral("panSelect"), QColor(0xF9, 0xF9, 0xF9), QFrame::Raised);

    radNew = boldRadio(panSelect, QStringLiteral("radNew"), QStringLiteral("&Start New Menu Project"));
    radNew->setChecked(true);
    lblNew = choiceText(panSelect, QStringLiteral("lblNew"),
                        QStringLiteral("Create new flash web menu. As first step user will see Flash Preview dialog to "
                                       "make main menu adjustments (select backgound, button type, etc.)"),
                        radNew);
    radLoad = boldRadio(panSelect, QStringLiteral("radLoad"), QStringLiteral("&Load Existing Menu"));
    lblLoad = choiceText(panSelect, QStringLiteral("lblLoad"),
                         QStringLiteral("Load existing flash web menu. After menu selection user starts work already "
                                        "with main screen of web menu editor."),
                         radLoad);
    auto *lblLocation = new QLabel(QStringLiteral("Menu Location :"), panSelect);
    lblLocation->setObjectName(QStringLiteral("lblLocation"));
    cmbRecent = new QComboBox(panSelect);
    cmbRecent->setObjectName(QStringLiteral("cmbRecent"));
    cmbRecent->setEditable(true);
    WholeValues(cmbRecent->lineEdit());
    cmbRecent->setInsertPolicy(QComboBox::NoInsert);
    cmbRecent->setEnabled(false);
    cmbRecent->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sbtnOpen = new QToolButton(panSelect);
    sbtnOpen->setObjectName(QStringLiteral("sbtnOpen"));
    sbtnOpen->setText(QStringLiteral("Browse"));
    sbtnOpen->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    sbtnOpen->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sbtnOpen->setLayoutDirection(Qt::RightToLeft);
    sbtnOpen->setAutoRaise(true);
    sbtnOpen->setToolTip(QStringLiteral("Click to choose a file"));
    sbtnOpen->setEnabled(false);

    auto *location = new QHBoxLayout;
    location->addWidget(lblLocation);
    location->addWidget(cmbRecent, 1);
    location->addWidget(sbtnOpen);
    auto *select = new QVBoxLayout(panSelect);
    select->setContentsMargins(16, 16, 16, 16);
    select->addWidget(radNew);
    select->addWidget(lblNew);
    select->addSpacing(16);
    select->addWidget(radLoad);
    select->addWidget(lblLoad);
    select->addSpacing(8);
    select->addLayout(location);
    select->addStretch(1);

    bbtnClose = new QPushButton(QStringLiteral("&Exit"), pnlClient);
    bbtnClose->setObjectName(QStringLiteral("bbtnClose"));
    bbtnCancel = new QPushButton(QStringLiteral("&Cancel"), pnlClient);
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnNext = new QPushButton(QStringLiteral("&Next"), pnlClient);
    bbtnNext->setObjectName(QStringLiteral("bbtnNext"));
    bbtnNext->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    bbtnNext->setLayoutDirection(Qt::RightToLeft);
    bbtnNext->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bbtnClose);
    buttons->addStretch(1);
    buttons->addWidget(bbtnCancel);
    buttons->addWidget(bbtnNext);
    auto *client = new QVBoxLayout(pnlClient);
    client->addWidget(panSelect, 1);
    client->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgWizard);
    layout->addWidget(pnlClient, 1);

    connect(radNew, &QRadioButton::clicked, this, &TfrmWizard::radNewClick);
    connect(radLoad, &QRadioButton::clicked, this, &TfrmWizard::radLoadClick);
    connect(cmbRecent, &QComboBox::editTextChanged, this, &TfrmWizard::cmbRecentChange);
    connect(sbtnOpen, &QToolButton::clicked, this, &TfrmWizard::sbtnOpenClick);
    connect(bbtnNext, &QPushButton::clicked, this, &TfrmWizard::bbtnNextClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &TfrmWizard::bbtnCancelClick);
    connect(bbtnClose, &QPushButton::clicked, this, &TfrmWizard::bbtnCloseClick);

    Translate();
    LoadLanguagePicture(imgWizard, programFolder, language, QStringLiteral("_uWizard.bmp"));
    CheckFlashPlayer(programFolder, this);
}

void TfrmWizard::Translate()
{
    TranslateOnCreate(this, objectName());
}

bool TfrmWizard::ScreenTooSmall(const QSize &screen)
{
    return screen.width() < 1024 || screen.height() < 768;
}

void TfrmWizard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once per showing: a box closing over the wizard must not reset what the user typed.
    if (FShown)
        return;
    FShown = true;
    FormActivate();
}

void TfrmWizard::FormActivate()
{
    cmbRecent->clear();
    cmbRecent->addItems(FRecent);
    if (!FRecent.isEmpty())
        cmbRecent->setCurrentIndex(0);
    cmbRecent->setEditText(QStringLiteral("--- ") + LangMsg(55) + QStringLiteral(" ---"));
    const QScreen *s = screen();
    if (s && ScreenTooSmall(s->size()))
        QTimer::singleShot(0, this, [] { ShowMsgBox(LangMsg(56), mtWarning, mbOK); });
}

void TfrmWizard::UpdateNext()
{
    bbtnNext->setEnabled(!TrimText(cmbRecent->currentText()).isEmpty());
}

void TfrmWizard::radNewClick()
{
    cmbRecent->setEnabled(false);
    sbtnOpen->setEnabled(false);
    bbtnNext->setEnabled(true);
}

void TfrmWizard::radLoadClick()
{
    cmbRecent->setEnabled(true);
    sbtnOpen->setEnabled(true);
    UpdateNext();
}

void TfrmWizard::cmbRecentChange()
{
    cmbRecent->setToolTip(cmbRecent->currentText());
    if (radLoad->isChecked())
        UpdateNext();
}

void TfrmWizard::sbtnOpenClick()
{
    const QString filter = LangFilterLabel(5) + QStringLiteral(" (*.tvp) |*.tvp");
    const QString chosen = OpenFileDialog(this, QString(), DefaultProjectPath(FProgramFolder), filter);
    if (!chosen.isEmpty())
        cmbRecent->setEditText(chosen);
}

void TfrmWizard::bbtnNextClick()
{
    if (radNew->isChecked()) {
        FResult = wrNew;
        accept();
        return;
    }
    if (!radLoad->isChecked()) {
        accept();
        return;
    }
    const QString name = TrimText(cmbRecent->currentText());
    cmbRecent->setEditText(name);
    if (name.isEmpty() || name.startsWith(QLatin1String("---"))) {
        ShowMsgBox(LangMsg(57), mtWarning, mbOK);
        return;
    }
    if (!QFileInfo(name).isFile()) {
        ShowMsgBox(LangMsg(58), mtWarning, mbOK);
        return;
    }
    // Projects are ".tvp" exactly, as the command line and the file type have it.
    if (ExtractFileExt(name) != QLatin1String(".tvp")) {
        ShowMsgBox(LangMsg(59), mtWarning, mbOK);
        return;
    }
    FProjectFile = name;
    FResult = wrLoad;
    accept();
}

void TfrmWizard::bbtnCancelClick() { reject(); }

void TfrmWizard::bbtnCloseClick()
{
    FResult = wrExit;
    accept();
}

TWizardChoice ShowWizard(const QString &programFolder, const QString &language, const QStringList &recentProjects,
                         QWidget *parent)
{
    TfrmWizard wizard(programFolder, language, recentProjects, parent);
    wizard.exec();
    return {wizard.Result(), wizard.Result() == wrLoad ? wizard.ProjectFile() : QString()};
}

FlashPlayerProbe SetFlashPlayerProbe(FlashPlayerProbe p)
{
    FlashPlayerProbe previous = std::move(probe());
    probe() = std::move(p);
    return previous;
}

QString FlashPlayerDownloadUrl()
{
    // The vendor's own player is withdrawn; this open player plays .swf movies on Linux.
    return QStringLiteral("https://ruffle.rs/#downloads");
}

void CheckFlashPlayer(const QString &programFolder, QWidget *parent)
{
    IniFile ini(SettingsFileName(programFolder));
    if (ini.ReadString(kConfig, kNotChkFlash, QString()) == QLatin1String("1"))
        return;
    if (probe() && probe()())
        return;
    bool checked = false;
    if (MessageDlgWithCheckBox(LangMsg(70), LangMsg(71), LangMsg(72), checked, parent))
        OpenUrl(FlashPlayerDownloadUrl());
    // A settings file that cannot be written only means the question comes again.
    ini.WriteString(kConfig, kNotChkFlash, checked ? QStringLiteral("1") : QString());
}
