#include "uBackgroundStyle.h"
#include "uProgramStart.h"

#include "Conversions.h"
#include "Dialogs.h"
#include "FormControls.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "Trans.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uPreview.h"
#include "uProjects.h"
#include "uXMLUtils.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

TfrmMenuBackgoundStyle::TfrmMenuBackgoundStyle(const TGallerySetup &setup)
    : TGalleryDialog(setup, QStringLiteral("frmMenuBackgoundStyle"), QStringLiteral("Menu Background Style"),
                     QStringLiteral("Select Menu Background"))
{
    lblTemplateID = new QLabel(QStringLiteral("Theme"), pnlRight);
    lblTemplateID->setObjectName(QStringLiteral("lblTemplateID"));
    cbTemplateID = new QComboBox(pnlRight);
    cbTemplateID->setObjectName(QStringLiteral("cbTemplateID"));
    cbTemplateID->resize(114, 22);
    btnCustomBgrd = new QPushButton(QStringLiteral("Browse..."), pnlRight);
    btnCustomBgrd->setObjectName(QStringLiteral("btnCustomBgrd"));
    btnCustomBgrd->resize(112, 25);
    btnCustomBgrd->setAutoDefault(false);
    pnlSep_1 = new QFrame(pnlRight);
    pnlSep_1->setObjectName(QStringLiteral("pnlSep_1"));
    pnlSep_1->setFrameShape(QFrame::HLine);
    pnlSep_1->setGeometry(8, 166, 112, 2);

    connect(cbTemplateID, &QComboBox::currentIndexChanged, this, &TfrmMenuBackgoundStyle::cbTemplateIDChange);
    connect(btnCustomBgrd, &QPushButton::clicked, this, &TfrmMenuBackgoundStyle::btnCustomBgrdClick);
    connect(btnCreate, &QPushButton::clicked, this, &TfrmMenuBackgoundStyle::btnCreateClick);

    const bool horz = FSetup.Horizontal;
    resize(horz ? 700 : 850, horz ? 546 : 641);
    SetTileLayout(horz ? QSize(266, 86) : QSize(146, 462), horz ? 2 : 6,
                  FSetup.OrientPath(QStringLiteral("BGround\\Thumbnail\\")));
    pnlSep_1->setVisible(horz);
    btnCustomBgrd->show();

    TranslateForm(this, QStringLiteral("frmMenuBackgoundStyle"));
    ApplyLanguageFont(this, LanguageName);
    FitToControls();
}

void TfrmMenuBackgoundStyle::PlaceRightPanel()
{
    WidenToCaption(btnCustomBgrd, 112);
    WidenToCaption(cbTemplateID, 114);
    lblTemplateID->adjustSize();
    if (FSetup.Horizontal) {
        lblTemplateID->move(6, 16);
        cbTemplateID->move(7, 36);
        btnNext->move(8, 100);
        btnPrev->move(8, 132);
        btnCustomBgrd->move(8, 176);
        pnlSep_1->setGeometry(8, 166, std::max({btnNext->width(), btnPrev->width(), btnCustomBgrd->width()}), 2);
    } else {
        btnCustomBgrd->move(10, 15);
        lblTemplateID->move(btnCustomBgrd->x() + btnCustomBgrd->width() + 20, btnCustomBgrd->y() + 6);
        cbTemplateID->move(lblTemplateID->x() + lblTemplateID->width() + 10, btnCustomBgrd->y() + 3);
    }
}

QString TfrmMenuBackgoundStyle::OpenDialogFilter() const
{
    const QString jpeg = QStringLiteral("*.jpg;*.jpeg;*.jpe");
    const QString swf = QStringLiteral("*.swf");
    return QStringLiteral("%1 (%2;%3)|%4|").arg(LangFilterLabel(9), swf, jpeg, swf + QLatin1Char(';') + jpeg) +
           QStringLiteral("%1 (%2)|%3|").arg(LangFilterLabel(1), swf, swf) +
           QStringLiteral("%1 (%2)|%3").arg(LangFilterLabel(4), jpeg, jpeg);
}

void TfrmMenuBackgoundStyle::Prepare(const QString &xmlText)
{
    LoadDescription(xmlText);
    FStartFile = FilePart(FXmlUtils->GetBackgroundSrc());
    ListFolderFiles(FSetup.OrientPath(QStringLiteral("BGround\\")), {QStringLiteral("swf"), QStringLiteral("jpg")},
                    false, FSetup.Horizontal, FNames);
    const int start = StartOffset(FStartFile);
    {
        const QSignalBlocker quiet(cbTemplateID);
        cbTemplateID->clear();
        cbTemplateID->addItems(GalleryPageCaptions(FNames, FPager.PageSize()));
        if (FSetup.ReplacePackageCaptions)
            FSetup.ReplacePackageCaptions(cbTemplateID);
        cbTemplateID->setCurrentIndex(cbTemplateID->count() > 0 ? 0 : -1);
    }
    // The page list's items decide its width.
    FitToControls();
    OpenAt(start);
}

void TfrmMenuBackgoundStyle::showEvent(QShowEvent *event)
{
    if (!FSetup.Horizontal)
        PlacePageButtonsBottom();
    TGalleryDialog::showEvent(event);
}

void TfrmMenuBackgoundStyle::PageShown(const TPageView &view)
{
    // The page list marks the page that is shown, also after a backward turn.
    const QSignalBlocker quiet(cbTemplateID);
    const int page = view.First / FPager.PageSize();
    if (page < cbTemplateID->count())
        cbTemplateID->setCurrentIndex(page);
}

void TfrmMenuBackgoundStyle::cbTemplateIDChange(int index)
{
    if (index < 0)
        return;
    GuardSlot([this, index] {
        ShowPage(FPager.JumpTo(index, int(FNames.size())));
        FocusTileArea();
    });
}

void TfrmMenuBackgoundStyle::TileChosen()
{
    UpdatePreview();
}

void TfrmMenuBackgoundStyle::btnCustomBgrdClick()
{
    GuardSlot([this] {
        TOpenDialog dialog;
        dialog.Filter = OpenDialogFilter();
        dialog.InitialDir = FSetup.OrientPath(QStringLiteral("BGround\\"));
        dialog.Title = LangMsg(98);
        const std::optional<QString> chosen = ChooseOpenFile(dialog, this);
        if (!chosen || chosen->isEmpty())
            return;
        const QString file = *chosen;
        FCustomSource = file;
        FChosenFile = QStringLiteral("background") + ExtractFileExt(file);
        FCustomFile = true;
        UpdatePreview();
    });
}

void TfrmMenuBackgoundStyle::UpdatePreview()
{
    const QString media = FSetup.ExchangeFolder() + QStringLiteral("flashmenu/");
    QDir().mkpath(media);
    QString source;
    if (FCustomFile) {
        FChosenFile = FChosenFile.toLower();
        source = FCustomSource;
    } else {
        source = SafePathUnder(FSetup.OrientPath(QStringLiteral("BGround\\")), FChosenFile);
    }
    FCustomFile = false;
    const QString target = SafePathUnder(media, FChosenFile);
    if (!source.isEmpty() && !target.isEmpty())
        CopyFileCompat(source, target);

    FXmlUtils->SetBackgroundSrc(QStringLiteral("flashmenu\\") + FChosenFile);
    const QSize size = GalleryPreviewSize(*FXmlUtils, FPane.get());
    WriteGalleryPreview(FSetup, FPane.get(), FXmlUtils->Document(), FXmlUtils->GetMenuFileSrc(), size);
}

void TfrmMenuBackgoundStyle::btnCreateClick()
{
    if (FChosenFile.isEmpty()) {
        ShowPlainMessage(QStringLiteral("You did not select any file"));
        return;
    }
    accept();
}

bool ShowBackgroundStyle(const TGallerySetup &setup, const QString &xmlText)
{
    TfrmMenuBackgoundStyle dialog(setup);
    dialog.Prepare(xmlText);
    return dialog.exec() == QDialog::Accepted;
}

bool a_BackgoundStyleExecute(TMenuDesign &design, TPreviewSet &preview, const THtmlPageOptions &pageOptions,
                             const std::function<bool(const QString &)> &show,
                             const std::function<void(const QString &)> &setOpenDialogFolder)
{
    const QString xmlText = HandDesignToExchange(design, preview, pageOptions);
    if (!show(xmlText))
        return false;

    design.SetNoProject(false);
    {
        TFlagGuard loading(design.FLoading, 1);
        if (setOpenDialogFolder)
            setOpenDialogFolder(preview.WorkFolder());
        preview.CopyPreviewTemplateFile(QStringLiteral("flashmenu.xml"));
        const TXMLUtils xml(design.LoadPreviewMenuXml());
        preview.CopyPreviewTemplateFile(xml.GetBackgroundSrc());
        DeleteFolderFiles(preview.ExchangeFolder(), true);
    }
    design.ResetDesign(false);
    // The design now differs from its project file: closing must ask before the new background is lost.
    design.SetModified(true);
    return true;
}
