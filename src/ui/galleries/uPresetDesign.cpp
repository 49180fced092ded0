#include "uPresetDesign.h"

#include "uPackages.h"
#include "Conversions.h"
#include "FormControls.h"
#include "Errors.h"
#include "FileWrite.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "Trans.h"
#include "XmlDom.h"
#include "uGlobal.h"
#include "uMenuXml.h"
#include "uPageBuilder.h"
#include "uPageWriters.h"
#include "uPreview.h"
#include "uSettings.h"
#include "uProgramStart.h"
#include "uXMLUtils.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

// ---- The preview job ----------------------------------------------------------------------------

namespace {

QMutex &hookMutex()
{
    static QMutex m;
    return m;
}

RefreshStepHook &stepHook()
{
    static RefreshStepHook hook;
    return hook;
}

void Step(const char *name)
{
    RefreshStepHook hook;
    {
        QMutexLocker lock(&hookMutex());
        hook = stepHook();
    }
    if (hook)
        hook(name);
}

// A template file named in a design, found without case under base; "" when the name climbs out,
// is rooted, or names nothing.
QString TemplateSource(const QString &base, const QString &stored)
{
    if (SafePathUnder(base, stored).isEmpty())
        return QString();
    const QString found = FindTemplateFile(base, stored);
    if (found.isEmpty())
        return QString();
    // The real spelling checked once more, so a link cannot lead out of base.
    return SafePathUnder(base, found.mid(WithSlash(base).size()));
}

// Copies base + src into folder under its bare name; failures are ignored. Returns the bare name.
QString CopyNamed(const QString &base, const QString &src, const QString &folder)
{
    const QString bare = ExtractFileName(src);
    const QString from = TemplateSource(base, src);
    const QString to = SafePathUnder(folder, bare);
    if (!from.isEmpty() && !to.isEmpty())
        CopyFileCompat(from, to);
    return bare;
}

QByteArray ReadFileBytesOrEmpty(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

RefreshStepHook SetRefreshStepHook(RefreshStepHook hook)
{
    QMutexLocker lock(&hookMutex());
    RefreshStepHook previous = std::move(stepHook());
    stepHook() = std::move(hook);
    return previous;
}

TRefreshThread::TRefreshThread(QObject *parent) : QThread(parent) {}

TRefreshThread::~TRefreshThread()
{
    wait();
}

void TRefreshThread::run()
{
    try {
        RefreshPreview();
        FSucceeded = true;
    } catch (const std::exception &e) {
        // A failed step ends the job quietly; what it wrote so far stays.
        FError = QString::fromUtf8(e.what());
    } catch (...) {
        FError = QStringLiteral("Unknown error");
    }
    FDesignDoc.reset();
    FOptionsDoc.reset();
}

void TRefreshThread::RefreshPreview()
{
    const QString templates = WithSlash(FTemplatesDir);
    const QString x = templates + QStringLiteral("Preview/");
    const QString m = x + QStringLiteral("flashmenu/");
    const QString orient = NativePath(templates, FOrientationDir);
    const QString media = QStringLiteral("flashmenu\\");
    TXMLUtils &xml = *FXmlUtils;

    Step("load");
    xml.LoadXml(FDesignDoc ? QString::fromUtf8(XmlDocumentBytes(*FDesignDoc)) : QString());
    xml.LoadXml(BlankDemoElement(xml.GetXml()));

    Step("movie");
    xml.SetMenuFileSrc(CopyNamed(orient, xml.GetMenuFileSrc(), x));
    Step("background");
    xml.SetBackgroundSrc(media + CopyNamed(orient, xml.GetBackgroundSrc(), m));
    Step("sound");
    xml.SetSoundSrc(media + CopyNamed(templates, xml.GetSoundSrc(), m));
    Step("logo");
    xml.SetMainImgSrc(media + CopyNamed(templates, xml.GetMainImgSrc(), m));
    Step("icons");
    for (int n = 1; n <= 4; ++n)
        xml.SetIconLinkImg(n, media + CopyNamed(templates, xml.GetIconLinkImg(n), m));

    Step("size");
    int width = xml.GetBackgroundWidth();
    if (FBrowserWidth < width)
        width = FBrowserWidth - 8;
    int height = xml.GetBackgroundHeight();
    if (FBrowserHeight < height)
        height = FBrowserHeight;

    Step("description");
    SaveMenuXmlFile(x, xml.GetXml(), FDemoBlock);

    Step("script");
    const QString script = x + QStringLiteral("AC_RunActiveContent.js");
    if (!QFileInfo::exists(script)) {
        const QString from = TemplateSource(orient, QStringLiteral("HTML\\AC_RunActiveContent.js"));
        if (!from.isEmpty())
            CopyFileCompat(from, script);
    }

    Step("page");
    TTemplateEnv env;
    env.ProgramFolder = QFileInfo(templates + QStringLiteral("..")).absoluteFilePath() + QLatin1Char('/');
    env.UseActiveContentJS = FUseActiveContentJS;
    pugi::xml_document empty;
    pugi::xml_document &options = FOptionsDoc ? *FOptionsDoc : empty;
    const QString optionsText =
        options.first_child() ? QString::fromUtf8(XmlDocumentBytes(options)) : QString();
    const QString page = BuildTemplatePageFromDoc(env, options, optionsText, xml.GetMenuFileSrc(), FHorizontal,
                                                  false, width, height);
    const QString pagePath = x + MenuPageFileName;
    WritePageFile(pagePath, page);

    FDesignDoc.reset();
    FOptionsDoc.reset();
    Step("navigate");
    emit PageWritten(FJobNumber, pagePath);
}

// ---- The dialog -------------------------------------------------------------------------------

namespace {

const QString PageOptionsName = QStringLiteral("HTMLOptions.xml");
// The designed minimum less the window's borders.
const QSize DesignedMinimum(680 - 8, 603 - 27);

} // namespace

TfrmPresetDesign::TfrmPresetDesign(const QString &templatesDir, bool horizontal, QWidget *parent)
    : QDialog(parent), FTemplatesDir(WithSlash(templatesDir)), FHorizontal(horizontal)
{
    // FormCreate
    setObjectName(QStringLiteral("frmPresetDesign"));
    setWindowTitle(QStringLiteral("Select A Flash Menu Template Design"));
    setWindowFlags((windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) &
                   ~Qt::WindowContextHelpButtonHint);
    FXmlUtils = std::make_unique<TXMLUtils>();

    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    grbBrowser = new QGroupBox(QStringLiteral("Menu Header Preview "), pnlClient);
    grbBrowser->setObjectName(QStringLiteral("grbBrowser"));
    pnlBrowser = new QFrame(grbBrowser);
    pnlBrowser->setObjectName(QStringLiteral("pnlBrowser"));
    static_cast<QFrame *>(pnlBrowser)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *browserLayout = new QVBoxLayout(pnlBrowser);
    FPane = MakeBrowserPane(pnlBrowser);
    browserLayout->setContentsMargins(1, 1, 1, 1);
    auto *grbLayout = new QVBoxLayout(grbBrowser);
    grbLayout->addWidget(pnlBrowser);

    pnlOptions = new QWidget(pnlClient);
    pnlOptions->setObjectName(QStringLiteral("pnlOptions"));
    auto makeRow = [&](const char *panel, QPushButton *&prev, QPushButton *&next, QLabel *&label, QComboBox *&combo,
                       const char *prevName, const char *nextName, const char *labelName, const char *comboName) {
        auto *row = new QWidget(pnlOptions);
        row->setObjectName(QString::fromLatin1(panel));
        prev = MakeNamedButton(prevName, QStringLiteral("< &Prev Theme"), row);
        next = MakeNamedButton(nextName, QStringLiteral("&Next Theme >"), row);
        label = new QLabel(QStringLiteral("Theme"), row);
        label->setObjectName(QString::fromLatin1(labelName));
        combo = new QComboBox(row);
        combo->setObjectName(QString::fromLatin1(comboName));
        // At least 140 wide, and as wide as its longest page caption.
        combo->setMinimumWidth(140);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        auto *l = new QHBoxLayout(row);
        l->setContentsMargins(0, 0, 0, 0);
        return std::make_pair(row, l);
    };
    auto [top, topLayout] = makeRow("pnlRight", btnPrev, btnNext, lblTemplateID, cbTemplateID, "btnPrev", "btnNext",
                                    "lblTemplateID", "cbTemplateID");
    pnlRight = top;
    lblTemplateName = new QLabel(pnlRight);
    lblTemplateName->setObjectName(QStringLiteral("lblTemplateName"));
    lblTemplateName->setTextFormat(Qt::PlainText);
    {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPixelSize(13);
        f.setBold(true);
        lblTemplateName->setFont(f);
        QPalette pal = lblTemplateName->palette();
        // Colour value 3735779 in the platform's blue-green-red order.
        pal.setColor(QPalette::WindowText, QColor(0xE3, 0x00, 0x39));
        lblTemplateName->setPalette(pal);
    }
    topLayout->addWidget(lblTemplateName, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{btnPrev, btnNext, lblTemplateID, cbTemplateID})
        topLayout->addWidget(w);

    grbFlashList = new QGroupBox(QStringLiteral("Select Preset Menu Design"), pnlOptions);
    grbFlashList->setObjectName(QStringLiteral("grbFlashList"));
    ScrollBox = MakeTileArea(grbFlashList);
    HoldWholePage(ScrollBox, horizontal ? TilePageSize(QSize(308, 100), 2, 6, QPoint(11, 6), QSize(11, 6))
                                        : TilePageSize(QSize(146, 462), 6, 6, QPoint(11, 6), QSize(11, 6)));
    auto *listLayout = new QVBoxLayout(grbFlashList);
    listLayout->addWidget(ScrollBox);

    auto [bottom, bottomLayout] = makeRow("pnlRight2", btnPrev2, btnNext2, lblTemplateID2, cbTemplateID2,
                                          "btnPrev2", "btnNext2", "lblTemplateID2", "cbTemplateID2");
    pnlRight2 = bottom;
    bottomLayout->addStretch(1);
    for (QWidget *w : std::initializer_list<QWidget *>{btnPrev2, btnNext2, lblTemplateID2, cbTemplateID2})
        bottomLayout->addWidget(w);

    auto *optionsLayout = new QVBoxLayout(pnlOptions);
    optionsLayout->setContentsMargins(0, 0, 0, 0);
    optionsLayout->addWidget(pnlRight);
    optionsLayout->addWidget(grbFlashList, 1);
    optionsLayout->addWidget(pnlRight2);

    // TntFormShow's layout: the preview above the tiles for horizontal menus, at their left for
    // vertical ones.
    auto *clientLayout = new QBoxLayout(horizontal ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, pnlClient);
    clientLayout->setContentsMargins(8, 8, 8, 8);
    clientLayout->setSpacing(8);
    if (horizontal)
        grbBrowser->setFixedHeight(179);
    else
        grbBrowser->setFixedWidth(209);
    clientLayout->addWidget(grbBrowser);
    clientLayout->addWidget(pnlOptions, 1);

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    btnBack = MakeNamedButton("btnBack", QStringLiteral("&Back"), pnlBottom);
    btnCreate = MakeNamedButton("btnCreate", QStringLiteral("&OK"), pnlBottom);
    btnCancel = MakeNamedButton("btnCancel", QStringLiteral("&Cancel"), pnlBottom);
    auto *bottomButtons = new QHBoxLayout(pnlBottom);
    bottomButtons->addStretch(1);
    bottomButtons->addWidget(btnBack);
    bottomButtons->addWidget(btnCreate);
    bottomButtons->addWidget(btnCancel);

    auto *formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(pnlClient, 1);
    formLayout->addWidget(pnlBottom);

    connect(btnBack, &QPushButton::clicked, this, [this] { done(mrRetry); });
    connect(btnCreate, &QPushButton::clicked, this, &TfrmPresetDesign::btnCreateClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnNext, &QPushButton::clicked, this, &TfrmPresetDesign::btnNextClick);
    connect(btnNext2, &QPushButton::clicked, this, &TfrmPresetDesign::btnNextClick);
    connect(btnPrev, &QPushButton::clicked, this, &TfrmPresetDesign::btnPrevClick);
    connect(btnPrev2, &QPushButton::clicked, this, &TfrmPresetDesign::btnPrevClick);
    connect(cbTemplateID, &QComboBox::activated, this, &TfrmPresetDesign::cbTemplateIDChange);
    connect(cbTemplateID2, &QComboBox::activated, this, &TfrmPresetDesign::cbTemplateID2Change);

    FTracker = new TFocusTracker(this);
    FTracker->OnEnter = [this](QWidget *w) { ControlEntered(w); };
    FTracker->OnExit = [this](QWidget *w) { ControlLeft(w); };

    // The language files name this dialog's section so.
    TranslateForm(this, QStringLiteral("frmPresentDesign"));
    SetFormFont();
    btnPrev2->setText(btnPrev->text());
    btnNext2->setText(btnNext->text());
    lblTemplateID2->setText(lblTemplateID->text());
    resize(horizontal ? QSize(672, 641) : QSize(672 + 215, 641 + 5));
    FitWindowToControls(this, DesignedMinimum);

    qApp->installEventFilter(this);
}

TfrmPresetDesign::~TfrmPresetDesign()
{
    qApp->removeEventFilter(this);
    FClosing = true;
    // The job borrows FXmlUtils and writes the exchange folder: it ends before either goes.
    WaitForRefresh();
    delete FRefreshThread;
    FRefreshThread = nullptr;
    // The tiles go before the fields they call back into.
    FTracker->OnEnter = nullptr;
    FTracker->OnExit = nullptr;
    ClearTiles();
}

QString TfrmPresetDesign::DesignFolder() const
{
    return NativePath(FTemplatesDir, OrientationFolder(FHorizontal, QStringLiteral("Template\\")));
}

QString TfrmPresetDesign::ExchangeFolder() const
{
    return FTemplatesDir + QStringLiteral("Preview/");
}

void TfrmPresetDesign::WaitForRefresh()
{
    if (FRefreshThread)
        FRefreshThread->wait();
}

void TfrmPresetDesign::SetFormFont()
{
    ApplyLanguageFont(this, LanguageName);
    if (LanguageName == QLatin1String("French"))
        for (QComboBox *cb : {cbTemplateID, cbTemplateID2}) {
            cb->setMinimumWidth(cb->minimumWidth() - 8);
            cb->setContentsMargins(8, 0, 0, 0);
        }
}

void TfrmPresetDesign::LoadDesigns()
{
    FDesignNames.clear();
    ListPackageTemplates(DesignFolder(), FDesignNames);
    ListOtherTemplates(DesignFolder(), FDesignNames);
    QStringList captions = GalleryPageCaptions(FDesignNames, FPager.PageSize());
    ReplacePackageCaptions(captions);
    for (QComboBox *cb : {cbTemplateID, cbTemplateID2}) {
        const QSignalBlocker block(cb);
        cb->clear();
        cb->addItems(captions);
        cb->setCurrentIndex(captions.isEmpty() ? -1 : 0);
    }
    ShowTemplateName();
    // The page captions and the title decide the rows' widths.
    FitWindowToControls(this, DesignedMinimum);
    ShowPage(FPager.Open(0, int(FDesignNames.size())));
    UpdateNavButtons();
}

void TfrmPresetDesign::ShowTemplateName()
{
    // Plain text: an "&" of a title shows as itself.
    lblTemplateName->setText(cbTemplateID->currentText());
}

QList<TGalleryTile *> TfrmPresetDesign::Tiles() const
{
    return TilesOf(ScrollBox->widget());
}

void TfrmPresetDesign::ClearTiles()
{
    FFocusedTile = nullptr;
    for (TGalleryTile *tile : Tiles())
        FTracker->Free(tile);
}

void TfrmPresetDesign::ShowPage(const TPageView &view)
{
    ClearTiles();
    FFirstTile = nullptr;
    const QSize size = FHorizontal ? QSize(308, 100) : QSize(146, 462);
    const int perRow = FHorizontal ? 2 : 6;
    const QString thumbnails = DesignFolder() + QStringLiteral("Thumbnail/");
    const QString noImage = GalleryThumbnailFile(thumbnails, QString());
    QWidget *content = ScrollBox->widget();
    int left = 11, top = 6, right = 0, lowest = 0;
    const TBoolGuard building(FBuilding, true);
    for (int i = view.First; i < view.First + view.Count; ++i) {
        const QString &id = FDesignNames[i];
        auto *tile = new TGalleryTile(content, i, QRect(QPoint(left, top), size), GalleryThumbnailFile(thumbnails, id),
                                      noImage, id, true);
        tile->setObjectName(QStringLiteral("tile%1").arg(i));
        tile->OnEnter = [this](TGalleryTile *t) { PanelEnter(t); };
        tile->OnClick = [this](TGalleryTile *t) { GuardSlot([this, t] { SelectDesign(t); }); };
        tile->show();
        if (!FFirstTile)
            FFirstTile = tile;
        right = std::max(right, left + size.width());
        lowest = std::max(lowest, top + size.height());
        left += size.width() + 11;
        if ((size.width() + 11) * perRow < left) {
            left = 11;
            top += size.height() + 6;
        }
    }
    content->resize(right + 11, lowest + 6);
}

void TfrmPresetDesign::UpdateNavButtons()
{
    btnNext->setEnabled(FPager.NextEnabled);
    btnPrev->setEnabled(FPager.PrevEnabled);
    btnNext2->setEnabled(btnNext->isEnabled());
    btnPrev2->setEnabled(btnPrev->isEnabled());
}

void TfrmPresetDesign::btnNextClick()
{
    if (FBuilding)
        return;
    btnNext->setEnabled(false);
    btnNext2->setEnabled(false);
    for (QComboBox *cb : {cbTemplateID, cbTemplateID2}) {
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(std::min(cb->currentIndex() + 1, cb->count() - 1));
    }
    ShowPage(FPager.Next(int(FDesignNames.size())));
    UpdateNavButtons();
    FTracker->Focus(ScrollBox);
    ShowTemplateName();
}

void TfrmPresetDesign::btnPrevClick()
{
    if (FBuilding)
        return;
    btnPrev->setEnabled(false);
    btnPrev2->setEnabled(false);
    for (QComboBox *cb : {cbTemplateID, cbTemplateID2}) {
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(std::max(cb->currentIndex() - 1, 0));
    }
    ShowPage(FPager.Prev(int(FDesignNames.size())));
    UpdateNavButtons();
    FTracker->Focus(ScrollBox);
    ShowTemplateName();
}

void TfrmPresetDesign::cbTemplateIDChange()
{
    if (FBuilding || cbTemplateID->currentIndex() < 0)
        return;
    const int k = cbTemplateID->currentIndex();
    ShowPage(FPager.JumpTo(k, int(FDesignNames.size())));
    UpdateNavButtons();
    FTracker->Focus(ScrollBox);
    {
        const QSignalBlocker block(cbTemplateID2);
        cbTemplateID2->setCurrentIndex(k);
    }
    ShowTemplateName();
}

void TfrmPresetDesign::cbTemplateID2Change()
{
    if (FBuilding)
        return;
    {
        const QSignalBlocker block(cbTemplateID);
        cbTemplateID->setCurrentIndex(cbTemplateID2->currentIndex());
    }
    cbTemplateIDChange();
}

void TfrmPresetDesign::SelectDesign(TGalleryTile *sender)
{
    if (FBuilding || FClosing || !sender)
        return;
    const TBoolGuard enterOff(FScrollBoxEnterOn, false);
    const QPointer<TGalleryTile> guard(sender);
    // The focus only highlights the tile: it is selected once, here.
    FocusTileWith(FTracker, sender, [this](TGalleryTile *t) { LitePanelEnter(t); });
    if (!guard)
        return;
    const QString id = FDesignNames.value(sender->Tag());
    const QString xmlName = id + QStringLiteral(".xml");
    const QString folder = DesignFolder();
    FSelectedDesign = !SafePathUnder(folder, xmlName).isEmpty() && QFileInfo(folder + xmlName).isFile() ? xmlName : id;

    // The running job owns the exchange folder and FXmlUtils until it ends.
    WaitForRefresh();

    const QString x = ExchangeFolder();
    QDir().mkpath(x + QStringLiteral("flashmenu"));
    const QString designFile = SafePathUnder(folder, FSelectedDesign);
    const QString demo = designFile.isEmpty() ? QString() : ExtractDemoElement(designFile);
    auto design = std::make_unique<pugi::xml_document>();
    if (designFile.isEmpty() || !ParseXmlBytes(*design, ReadFileBytesOrEmpty(designFile))) {
        // A design that does not read gives no preview set: it cannot be chosen, and the exchange
        // folder is not overwritten with an empty description.
        FSelectedDesign.clear();
        FUnreadableDesign = true;
        if (FRefreshThread)
            FRefreshThread->FJobNumber = 0;  // its page, if still on the way, is not shown any more
        Browser()->Navigate(QStringLiteral("about:blank"));
        return;
    }
    try {
        WriteMenuXmlFiles(x, XmlDocumentBytes(*design));
    } catch (const Exception &) {
        // The job writes the description again; a folder that takes nothing fails it there.
    }
    auto options = std::make_unique<pugi::xml_document>();
    const QString optionsFile = FTemplatesDir + PageOptionsName;
    ParseXmlBytes(*options, ReadFileBytesOrEmpty(optionsFile));
    CopyFileCompat(optionsFile, x + PageOptionsName);
    StartRefresh(std::move(design), std::move(options), demo);
}

void TfrmPresetDesign::StartRefresh(std::unique_ptr<pugi::xml_document> design,
                                    std::unique_ptr<pugi::xml_document> options, const QString &demoBlock)
{
    FUnreadableDesign = false;
    auto *job = new TRefreshThread(this);
    job->FTemplatesDir = FTemplatesDir;
    job->FXmlUtils = FXmlUtils.get();
    const QSize size = Browser()->Size();
    job->FBrowserWidth = size.width();
    job->FBrowserHeight = size.height();
    job->FDesignDoc = std::move(design);
    job->FOptionsDoc = std::move(options);
    job->FDemoBlock = demoBlock;
    job->FHorizontal = FHorizontal;
    job->FOrientationDir = OrientationFolder(FHorizontal, QString());
    job->FUseActiveContentJS = Options.UseActiveContentJS;
    job->FJobNumber = ++FJobCounter;
    connect(job, &TRefreshThread::PageWritten, this, &TfrmPresetDesign::PageWritten, Qt::QueuedConnection);
    delete FRefreshThread;  // ended: WaitForRefresh ran before anything was written
    FRefreshThread = job;
    job->start();
}

void TfrmPresetDesign::PageWritten(quint64 job, const QString &page)
{
    if (!FClosing && FRefreshThread && job == FRefreshThread->FJobNumber && job != 0)
        Browser()->Navigate(page);
}

void TfrmPresetDesign::LitePanelEnter(TGalleryTile *tile)
{
    HighlightTile(ScrollBox->widget(), tile);
}

void TfrmPresetDesign::PanelEnter(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    FFocusedTile = nullptr;
    SelectDesign(tile);
    if (guard)
        LitePanelEnter(tile);
}

void TfrmPresetDesign::ControlEntered(QWidget *w)
{
    GuardSlot([this, w] { DispatchEnter(w, ScrollBox, FScrollBoxEnterOn, [this] { ScrollBoxEnter(); }); });
}

void TfrmPresetDesign::ControlLeft(QWidget *w)
{
    if (w == ScrollBox)
        ScrollBoxExit();
}

void TfrmPresetDesign::ScrollBoxEnter()
{
    if (FFocusedTile) {
        // Back in the tile area: the tile that had the focus is highlighted again, not selected again.
        const QPointer<TGalleryTile> tile = FFocusedTile;
        FocusTileWith(FTracker, tile, [this](TGalleryTile *t) { LitePanelEnter(t); });
        if (tile)
            LitePanelEnter(tile);
    } else if (FFirstTile) {
        const QPointer<TGalleryTile> tile = FFirstTile;
        FFirstTile = nullptr;
        FTracker->Focus(tile);
    } else {
        QWidget *active = FTracker->Active();
        const QList<TGalleryTile *> tiles = Tiles();
        if (!tiles.isEmpty() && !(active && active != ScrollBox && ScrollBox->isAncestorOf(active)))
            FTracker->Focus(tiles.first());
    }
    ScrollBox->setFocusPolicy(Qt::NoFocus);
}

void TfrmPresetDesign::ScrollBoxExit()
{
    ScrollBox->setFocusPolicy(Qt::TabFocus);
}

void TfrmPresetDesign::FormActivate()
{
    FTracker->Focus(ScrollBox);
}

void TfrmPresetDesign::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QMetaObject::invokeMethod(this, [this] { FormActivate(); }, Qt::QueuedConnection);
}

void TfrmPresetDesign::mouseDoubleClickEvent(QMouseEvent *event)
{
    QDialog::mouseDoubleClickEvent(event);
    btnCreateClick();
}

bool TfrmPresetDesign::eventFilter(QObject *watched, QEvent *event)
{
    // The tile that had the focus when the user tabbed or clicked away takes it back on return.
    const bool tab = event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab;
    const bool click = event->type() == QEvent::MouseButtonPress &&
                       static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if ((tab || click) && isActiveWindow())
        if (auto *tile = qobject_cast<TGalleryTile *>(FTracker->Active()); tile && ScrollBox->isAncestorOf(tile))
            FFocusedTile = tile;
    return QDialog::eventFilter(watched, event);
}

void TfrmPresetDesign::btnCreateClick()
{
    // The choice is the preview set the job leaves: it has to be complete before OK counts.
    WaitForRefresh();
    const bool jobFailed = FRefreshThread && FRefreshThread->FJobNumber != 0 && !FRefreshThread->Succeeded();
    if (jobFailed || FUnreadableDesign) {
        FSelectedDesign.clear();
        QString text = QStringLiteral("The preview of the selected design could not be made.");
        if (jobFailed && !FRefreshThread->ErrorText().isEmpty())
            text += QStringLiteral("\n\n") + FRefreshThread->ErrorText();
        ShowPlainMessage(text);
        return;
    }
    if (FSelectedDesign.isEmpty()) {
        ShowPlainMessage(LangMsg(66));
        return;
    }
    accept();
}

void TfrmPresetDesign::done(int result)
{
    WaitForRefresh();
    FClosing = true;
    QDialog::done(result);
}

bool ShowPresetDesign(const QString &templatesDir, bool horizontal, bool &backFlag, QWidget *parent)
{
    TfrmPresetDesign dialog(templatesDir, horizontal, parent);
    dialog.LoadDesigns();
    dialog.btnBack->setVisible(backFlag);
    backFlag = false;
    const int result = dialog.exec();
    if (result == mrRetry)
        backFlag = true;
    return result == QDialog::Accepted;
}
