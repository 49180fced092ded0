#include "uOptions.h"

#include "Trans.h"
#include "ClickLabel.h"
#include "uBrowseFolderUtils.h"
#include "uGlobal.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int SpinMax = 9999;

// A control without text of its own and the label that acts for it, side by side.
template <typename Control>
Control *labelledControl(QWidget *parent, QBoxLayout *into, const QString &name, const QString &labelName,
                         const QString &text, TClickLabel **label = nullptr)
{
    auto *row = new QHBoxLayout;
    auto *control = new Control(parent);
    control->setObjectName(name);
    auto *lbl = new TClickLabel(labelName, text, parent);
    lbl->SetControl(control);
    row->addWidget(control);
    row->addWidget(lbl, 1);
    into->addLayout(row);
    if (label)
        *label = lbl;
    return control;
}

QSpinBox *spinEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QSpinBox(parent);
    edit->setObjectName(name);
    edit->setRange(0, SpinMax);
    edit->setValue(1004);
    // A field left empty becomes the minimum, 0, not the value it had before.
    edit->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return edit;
}

// One of the two size groups: three labelled radio buttons, then "Custom" with its spin edit.
QGroupBox *sizeGroup(QWidget *parent, const QString &suffix, const QString &intro, const QStringList &texts,
                     QRadioButton *(&radios)[4], QSpinBox *&spin, TClickLabel **labels)
{
    auto *group = new QGroupBox(QStringLiteral("Menu Size"), parent);
    group->setObjectName(QStringLiteral("gbFlashMenuSize") + suffix);
    auto *v = new QVBoxLayout(group);
    auto *lblIntro = new QLabel(intro, group);
    lblIntro->setObjectName(QStringLiteral("lblFlashMenuSize") + suffix);
    v->addWidget(lblIntro);
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        radios[i] = labelledControl<QRadioButton>(group, v, QStringLiteral("radFlashMenuSize") + suffix + n,
                                                  QStringLiteral("lblFlashMenuSize") + suffix + n, texts[i], &labels[i]);
    }
    labels[2]->setWordWrap(true);

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    radios[3] = new QRadioButton(group);
    radios[3]->setObjectName(QStringLiteral("radFlashMenuSize") + suffix + QStringLiteral("4"));
    labels[3] = new TClickLabel(QStringLiteral("lblFlashMenuSize") + suffix + QStringLiteral("4"), texts[3], group);
    labels[3]->SetControl(radios[3]);
    spin = spinEdit(group, QStringLiteral("seFlashMenuSize") + suffix + QStringLiteral("4"));
    labels[4] = new TClickLabel(QStringLiteral("lblFlashMenuSize") + suffix + QStringLiteral("4Unit"),
                                QStringLiteral("pixels"), group);
    labels[4]->SetControl(radios[3]);
    row->addWidget(radios[3]);
    row->addWidget(labels[3]);
    row->addWidget(spin);
    row->addWidget(labels[4]);
    row->addStretch(1);
    v->addLayout(row);
    radios[0]->setChecked(true);
    return group;
}

QToolButton *browseButton(QWidget *parent, const QString &name)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    b->setToolTip(QStringLiteral("Browse..."));
    return b;
}

QGroupBox *pathGroup(QWidget *parent, const QString &name, const QString &title, QLineEdit *&edit,
                     const QString &editName, QToolButton *&button, const QString &buttonName, QCheckBox *&check,
                     const QString &checkName, const QString &labelName)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(name);
    auto *v = new QVBoxLayout(group);
    auto *row = new QHBoxLayout;
    edit = new QLineEdit(group);
    edit->setObjectName(editName);
    button = browseButton(group, buttonName);
    row->addWidget(edit, 1);
    row->addWidget(button);
    v->addLayout(row);
    check = labelledControl<QCheckBox>(group, v, checkName, labelName, QStringLiteral("Remember last used location"));
    return group;
}

} // namespace

TfrmOptions::TfrmOptions(const QString &programFolder, const QString &language, QWidget *parent)
    : QDialog(parent), FProgramFolder(programFolder)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("User Settings"));
    resize(388, 413);

    pcMain = new QTabWidget(this);
    pcMain->setObjectName(QStringLiteral("pcMain"));

    // General
    tabGeneral = new QWidget;
    tabGeneral->setObjectName(QStringLiteral("tabGeneral"));
    auto *general = new QVBoxLayout(tabGeneral);
    gbButtonList = new QGroupBox(QStringLiteral("Button Style List "), tabGeneral);
    gbButtonList->setObjectName(QStringLiteral("gbButtonList"));
    auto *list = new QVBoxLayout(gbButtonList);
    chkButtonsOnTop_Recent = labelledControl<QCheckBox>(gbButtonList, list, QStringLiteral("chkButtonsOnTop_Recent"),
                                                        QStringLiteral("lblButtonsOnTop_Recent"),
                                                        QStringLiteral("Place recently used buttons on top"));
    chkButtonsOnTop_Latest = labelledControl<QCheckBox>(gbButtonList, list, QStringLiteral("chkButtonsOnTop_Latest"),
                                                        QStringLiteral("lblButtonsOnTop_Latest"),
                                                        QStringLiteral("Place latest installed buttons on top"));
    general->addWidget(gbButtonList);

    TClickLabel *widthLabels[5] = {};
    gbFlashMenuSize = sizeGroup(tabGeneral, QString(), QStringLiteral("Set the width of horizontal menus to:"),
                                {QStringLiteral("Default width"), QStringLiteral("Same as Preview Area"),
                                 QStringLiteral("Same width as web page (You may need a custom background)"),
                                 QStringLiteral("Custom width:")},
                                radFlashMenuSize, seFlashMenuSize4, widthLabels);
    lblFlashMenuSize3 = widthLabels[2];
    lblFlashMenuSize4 = widthLabels[3];
    lblFlashMenuSize4Unit = widthLabels[4];
    TClickLabel *heightLabels[5] = {};
    gbFlashMenuSizeVert = sizeGroup(tabGeneral, QStringLiteral("Vert"), QStringLiteral("Set the height of vertical menus to:"),
                                    {QStringLiteral("Default height"), QStringLiteral("Same as Preview Area"),
                                     QStringLiteral("Same height as web page (You may need a custom background)"),
                                     QStringLiteral("Custom height:")},
                                    radFlashMenuSizeVert, seFlashMenuSizeVert4, heightLabels);
    general->addWidget(gbFlashMenuSize);
    general->addWidget(gbFlashMenuSizeVert);
    gbFlashMenuSizeVert->hide();
    seFlashMenuSize4->installEventFilter(this);
    seFlashMenuSizeVert4->installEventFilter(this);

    gbBrowser = new QGroupBox(QStringLiteral("Browser Optimization"), tabGeneral);
    gbBrowser->setObjectName(QStringLiteral("gbBrowser"));
    auto *browser = new QVBoxLayout(gbBrowser);
    TClickLabel *lblJs = nullptr;
    chkUseActiveContentJS = labelledControl<QCheckBox>(
        gbBrowser, browser, QStringLiteral("chkUseActiveContentJS"), QStringLiteral("lblUseActiveContentJS"),
        QStringLiteral("Remove \"Click to activate and use this control\" message on Flash menus"), &lblJs);
    lblJs->setWordWrap(true);
    general->addWidget(gbBrowser);
    general->addStretch(1);
    pcMain->addTab(tabGeneral, QStringLiteral("General"));

    // Locations
    tabLocations = new QWidget;
    tabLocations->setObjectName(QStringLiteral("tabLocations"));
    auto *locations = new QVBoxLayout(tabLocations);
    gbPublishPath = pathGroup(tabLocations, QStringLiteral("gbPublishPath"), QStringLiteral("Default Publish Location"),
                              edPublishPath, QStringLiteral("edPublishPath"), btnPublishPath, QStringLiteral("btnPublishPath"),
                              chkUseLastPublishPath, QStringLiteral("chkUseLastPublishPath"),
                              QStringLiteral("lblUseLastPublishPath"));
    gbProjectPath = pathGroup(tabLocations, QStringLiteral("gbProjectPath"),
                              QStringLiteral("Default Project Save/Load Location"), edProjectPath,
                              QStringLiteral("edProjectPath"), btnProjectPath, QStringLiteral("btnProjectPath"),
                              chkUseLastProjectPath, QStringLiteral("chkUseLastProjectPath"),
                              QStringLiteral("lblUseLastProjectPath"));
    locations->addWidget(gbPublishPath);
    locations->addWidget(gbProjectPath);
    locations->addStretch(1);
    pcMain->addTab(tabLocations, QStringLiteral("Locations"));
    connect(btnPublishPath, &QToolButton::clicked, this, &TfrmOptions::btnPublishPathClick);
    connect(btnProjectPath, &QToolButton::clicked, this, &TfrmOptions::btnProjectPathClick);

    auto *pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    auto *bottom = new QHBoxLayout(pnlBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    btnOK = new QPushButton(QStringLiteral("&OK"), pnlBottom);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), pnlBottom);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addStretch(1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pcMain, 1);
    layout->addWidget(pnlBottom);

    Translate();
    ApplyLanguageLayout(language);
    pcMain->setCurrentWidget(tabGeneral);
    btnCancel->setFocus();
}

void TfrmOptions::Translate()
{
    TranslateOnCreate(this, objectName());
}

void TfrmOptions::ApplyLanguageLayout(const QString &language)
{
    if (language != QLatin1String("French"))
        return;
    // French texts are longer: the third width choice takes two lines, so it gets 11 more pixels
    // and the rest of the group, the groups below it and the form move down with it.
    lblFlashMenuSize3->setWordWrap(true);
    lblFlashMenuSize3->setContentsMargins(0, 0, 0, 11);
    resize(width(), height() + 11);
}

void TfrmOptions::LoadOptions(const TOptions &options, bool isHorizontal)
{
    chkButtonsOnTop_Recent->setChecked(options.RecentButtonsOnTop);
    chkButtonsOnTop_Latest->setChecked(options.LatestButtonsOnTop);
    QRadioButton *const *radios = isHorizontal ? radFlashMenuSize : radFlashMenuSizeVert;
    const int mode = isHorizontal ? options.HorzMenuDynamic : options.VertMenuDynamic;
    radios[mode >= 0 && mode <= 3 ? mode : 0]->setChecked(true);
    (isHorizontal ? seFlashMenuSize4 : seFlashMenuSizeVert4)
        ->setValue(isHorizontal ? options.HorzMenuCustomValue : options.VertMenuCustomValue);
    gbFlashMenuSize->setVisible(isHorizontal);
    gbFlashMenuSizeVert->setVisible(!isHorizontal);
    edPublishPath->setText(options.PublishPath);
    edProjectPath->setText(options.ProjectPath);
    chkUseLastPublishPath->setChecked(options.UseLastPublishPath);
    chkUseLastProjectPath->setChecked(options.UseLastProjectPath);
    chkUseActiveContentJS->setChecked(options.UseActiveContentJS);
}

void TfrmOptions::StoreOptions(TOptions &options, bool isHorizontal) const
{
    options.RecentButtonsOnTop = chkButtonsOnTop_Recent->isChecked();
    options.LatestButtonsOnTop = chkButtonsOnTop_Latest->isChecked();
    QRadioButton *const *radios = isHorizontal ? radFlashMenuSize : radFlashMenuSizeVert;
    int mode = 0;
    for (int i = 0; i < 4; ++i)
        if (radios[i]->isChecked())
            mode = i;
    const int custom = SpinEditValue(isHorizontal ? seFlashMenuSize4 : seFlashMenuSizeVert4);
    (isHorizontal ? options.HorzMenuDynamic : options.VertMenuDynamic) = mode;
    (isHorizontal ? options.HorzMenuCustomValue : options.VertMenuCustomValue) = custom;
    options.PublishPath = edPublishPath->text();
    options.ProjectPath = edProjectPath->text();
    options.UseLastPublishPath = chkUseLastPublishPath->isChecked();
    options.UseLastProjectPath = chkUseLastProjectPath->isChecked();
    options.UseActiveContentJS = chkUseActiveContentJS->isChecked();
}

int TfrmOptions::SpinEditValue(const QSpinBox *edit)
{
    bool ok = false;
    const qlonglong value = edit->cleanText().trimmed().toLongLong(&ok);
    if (!ok)
        return edit->minimum();
    return int(std::clamp<qlonglong>(value, edit->minimum(), edit->maximum()));
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a custom value means the custom choice.
    if (event->type() == QEvent::FocusIn) {
        if (watched == seFlashMenuSize4)
            radFlashMenuSize[3]->setChecked(true);
        else if (watched == seFlashMenuSizeVert4)
            radFlashMenuSizeVert[3]->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOptions::BrowseInto(QLineEdit *edit, const QString &defaultFolder)
{
    const QString start = ExistingFolderOrDefault(edit->text(), defaultFolder);
    const QString chosen = BrowseForFolderCompat(this, QString(), start);
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

void TfrmOptions::btnPublishPathClick() { BrowseInto(edPublishPath, DefaultPublishPath(FProgramFolder)); }
void TfrmOptions::btnProjectPathClick() { BrowseInto(edProjectPath, DefaultProjectPath(FProgramFolder)); }

bool ShowOptionsDialog(bool isHorizontal, const QString &programFolder, const QString &language, QWidget *parent)
{
    TfrmOptions dialog(programFolder, language, parent);
    dialog.LoadOptions(Options, isHorizontal);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreOptions(Options, isHorizontal);
    return true;
}
