#include "fra_MenuButtonShortList.h"
#include "uProgramStart.h"

#include "Conversions.h"
#include "GalleryShared.h"
#include "Paths.h"
#include "Trans.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uHtmlOptions.h"
#include "uPageBuilder.h"
#include "uSettings.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int MaxListTiles = 15;

} // namespace

TfraMenuButtonShortList::TfraMenuButtonShortList(const QString &programFolder, std::function<bool()> isHorizontal,
                                                 QWidget *parent, const TOptions *settings)
    : QWidget(parent), FProgramFolder(programFolder), FIsHorizontal(std::move(isHorizontal)), FSettings(settings)
{
    setObjectName(QStringLiteral("fraMenuButtonShortList"));
    MarkAsFrame(this);
    ScrollBox = MakeTileArea(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);

    FTracker = new TFocusTracker(this);
    FTracker->OnEnter = [this](QWidget *w) { ControlEntered(w); };
    FTracker->OnExit = [this](QWidget *w) { ControlLeft(w); };
}

QList<TGalleryTile *> TfraMenuButtonShortList::Tiles() const
{
    return TilesOf(ScrollBox->widget());
}

TGalleryTile *TfraMenuButtonShortList::MakeTile(int tag, const QPoint &at, const QString &picture,
                                                const QString &caption, bool withCaption)
{
    auto *tile = new TGalleryTile(ScrollBox->widget(), tag, QRect(at, FTileSize), picture, QString(), caption,
                                  withCaption);
    tile->OnClick = [this](TGalleryTile *t) { GuardSlot([this, t] { TileClick(t); }); };
    tile->OnEnter = [this](TGalleryTile *t) { TileEnter(t); };
    tile->show();
    return tile;
}

TGalleryTile *TfraMenuButtonShortList::MakeCustomTile(int tag, const QPoint &at, const QString &picture)
{
    // The words are written over the picture, wrapped to the tile's width in the window's font: in
    // the picture itself they would be cut in the narrow tile and never be translated. Their
    // colours are the picture's; the marked tile shows by its frame, as a set's picture does.
    TGalleryTile *tile = MakeTile(tag, at, picture, QString(), false);
    auto *face = new QVBoxLayout(tile->Picture());
    face->addStretch();
    const struct {
        const char *name;
        const char *text;
        bool bold;
        QRgb colour;
    } lines[] = {{"lblMoreButtonSets", "More button sets...", true, 0x2E4A6B},
                 {"lblOpenButtonStyle", "Open the Button Style gallery", false, 0x6A7788}};
    for (const auto &line : lines) {
        auto *label = new QLabel(QString::fromLatin1(line.text), tile->Picture());
        label->setObjectName(QString::fromLatin1(line.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        // A click goes to the picture, which the lock governs.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor(line.colour));
        label->setPalette(colours);
        if (line.bold) {
            QFont bold;
            bold.setBold(true);
            label->setFont(bold);
        }
        face->addWidget(label);
    }
    face->addStretch();
    TranslateFrame(tile, LanguageSection());
    return tile;
}

QString TfraMenuButtonShortList::LanguageSection() const
{
    return window()->objectName() + QLatin1Char('.') + objectName();
}

void TfraMenuButtonShortList::ApplyLanguage()
{
    TranslateFrame(this, LanguageSection(), EditTexts::Keep);
}

void TfraMenuButtonShortList::LoadButtons(const TSelectHandler &onSelect)
{
    FHorizontal = FIsHorizontal ? FIsHorizontal() : true;
    FTileSize = FHorizontal ? QSize(620, 86) : QSize(136, 279);
    FNotify = true;
    FSelectedIndex = -1;
    FNames.clear();
    FTemplatesDir = NativePath(FProgramFolder, QStringLiteral("Templates\\"));
    const QString orient = OrientationFolder(FHorizontal, QString());
    ListFolderFiles(NativePath(FTemplatesDir, orient + QStringLiteral("Menus\\")),
                    {QStringLiteral("swf"), QStringLiteral("jpg")}, true, FHorizontal, FNames);
    const QString thumbnails = NativePath(FTemplatesDir, orient + QStringLiteral("Menus\\Thumbnail\\"));

    FOnSelect = onSelect;
    int x = 6, y = 3;
    if (FHorizontal)
        ScrollBox->verticalScrollBar()->setSingleStep(89);
    else
        ScrollBox->horizontalScrollBar()->setSingleStep(142);

    TGalleryTile *last = nullptr;
    const int shown = std::min(MaxListTiles, int(FNames.size()));
    for (int i = 0; i < shown; ++i) {
        last = MakeTile(i, QPoint(x, y), GalleryThumbnailFile(thumbnails, FNames[i]), FNames[i], true);
        if (FHorizontal) {
            x = 6;
            y += 86 + 3;
        } else {
            y = 3;
            x += 136 + 6;
        }
    }
    const int tag = int(FNames.size());
    if (!KeepCustomTile || !FCustomTile) {
        FCustomTile =
            MakeCustomTile(tag, QPoint(x, y), GalleryThumbnailFile(thumbnails, QStringLiteral("CustomButtons.jpg")));
        last = FCustomTile;
    } else {
        // The kept tile still ends the list: it takes the new length and the place after the last set.
        FCustomTile->SetTag(tag);
        FCustomTile->move(x, y);
    }

    QWidget *content = ScrollBox->widget();
    if (FHorizontal)
        content->resize(FTileSize.width() + 12, y + 89);
    else
        content->resize(x + 142, FTileSize.height() + 6);

    if (!FCurrentTile)
        FCurrentTile = last;
    // Giving the focus back marks the tile; it never applies a set the user did not pick.
    if (FCurrentTile && CanFocus(FCurrentTile))
        FocusHighlightOnly(FCurrentTile);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfraMenuButtonShortList::Reload(const TSelectHandler &onSelect)
{
    try {
        if (!KeepCustomTile || FCurrentTile != FCustomTile)
            FCurrentTile = nullptr;
        ClearTiles();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        LoadButtons(onSelect);
    } catch (...) {
        // The tiles made so far stay.
    }
}

void TfraMenuButtonShortList::ClearTiles()
{
    ScrollBox->horizontalScrollBar()->setValue(0);
    ScrollBox->verticalScrollBar()->setValue(0);
    for (TGalleryTile *t : Tiles())
        if (!(KeepCustomTile && t == FCustomTile))
            FTracker->Free(t);
}

void TfraMenuButtonShortList::SelectByName(const QString &name)
{
    TBoolGuard quiet(FNotify, false);
    const int index = FNames.indexOf(name);
    if (index >= 0)
        FSelectedIndex = index;
    if (TGalleryTile *tile = TileWithTag(ScrollBox->widget(), FSelectedIndex))
        FCurrentTile = tile;
    if (FCurrentTile && CanFocus(FCurrentTile))
        FTracker->Focus(FCurrentTile);
    // The marked tile is seen, wherever it stands in the list.
    if (FCurrentTile)
        ScrollBox->ensureWidgetVisible(FCurrentTile, 0, 0);
}

void TfraMenuButtonShortList::ClearMark()
{
    FCurrentTile = nullptr;
    FSelectedIndex = -1;
    HighlightTile(nullptr);
}

void TfraMenuButtonShortList::SetLocked(bool locked)
{
    for (TGalleryTile *t : Tiles())
        t->SetPictureClickable(!locked);
}

void TfraMenuButtonShortList::TileClick(TGalleryTile *tile)
{
    KeepCustomTile = true;
    SelectButton(tile);
    OpenMoreIfLast();
}

void TfraMenuButtonShortList::OpenMoreIfLast()
{
    if (FSelectedIndex == FNames.size() && OnOpenMore)
        OnOpenMore();
}

void TfraMenuButtonShortList::TileEnter(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    FCurrentTile = nullptr;
    SelectButton(tile);
    if (guard)
        HighlightTile(tile);
}

void TfraMenuButtonShortList::HighlightTile(TGalleryTile *tile)
{
    ::HighlightTile(ScrollBox->widget(), tile);
}

void TfraMenuButtonShortList::FocusHighlightOnly(TGalleryTile *tile)
{
    FocusTileWith(FTracker, tile, [this](TGalleryTile *t) { HighlightTile(t); });
}

void TfraMenuButtonShortList::SelectButton(TGalleryTile *tile)
{
    const QPointer<TGalleryTile> guard(tile);
    {
        TBoolGuard enterOff(FScrollBoxEnterOn, false);
        if (CanFocus(tile))
            FocusHighlightOnly(tile);
        FCurrentTile = tile;
    }
    if (!guard)
        return;
    const int tag = tile->Tag();
    const QString name = tag >= 0 && tag < FNames.size() ? FNames[tag] : QString();
    FSelectedIndex = tag;
    if (name.isEmpty())
        return;
    const TOptions &options = FSettings ? *FSettings : Options;
    if (options.RecentButtonsOnTop)
        PutRecentButtonFirst(ChangeFileExt(name, QString()), FHorizontal);
    if (FNotify && FOnSelect)
        FOnSelect(name);
}

void TfraMenuButtonShortList::ControlEntered(QWidget *w)
{
    GuardSlot([this, w] { DispatchEnter(w, ScrollBox, FScrollBoxEnterOn, [this] { ScrollBoxEnter(); }); });
}

void TfraMenuButtonShortList::ControlLeft(QWidget *w)
{
    if (w == ScrollBox)
        ScrollBoxExit();
}

void TfraMenuButtonShortList::ScrollBoxEnter()
{
    if (FCurrentTile) {
        FocusHighlightOnly(FCurrentTile);
    } else {
        for (TGalleryTile *t : Tiles())
            if (CanFocus(t)) {
                FTracker->Focus(t);
                break;
            }
    }
    ScrollBox->setFocusPolicy(Qt::NoFocus);
}

void TfraMenuButtonShortList::ScrollBoxExit()
{
    ScrollBox->setFocusPolicy(Qt::TabFocus);
}

void SelectMenuTemplate(TMenuDesign &design, const QString &name, const std::function<void()> &markChanged,
                        const std::function<void()> &refreshPreview)
{
    design.CurrentMenuFileName = ExtractFileName(name);
    const QString orient = NativePath(design.ProgramFolder(), QStringLiteral("Templates\\") + design.FOrientationDir);
    const QString source = SafePathUnder(orient + QStringLiteral("Menus/"), name);
    const QString target = SafePathUnder(NativePath(design.ProgramFolder(), QStringLiteral("MenuPreview\\")), name);
    if (!source.isEmpty() && !target.isEmpty())
        CopyFileCompat(source, target);
    std::exception_ptr failure;
    try {
        const QString templ = FindTemplateFile(orient + QStringLiteral("Template/"), ChangeFileExt(name, QStringLiteral(".xml")));
        if (!templ.isEmpty())
            ApplyTemplateDesign(templ, design);
    } catch (...) {
        failure = std::current_exception();
    }
    if (markChanged)
        markChanged();
    if (refreshPreview)
        refreshPreview();
    if (failure)
        std::rethrow_exception(failure);
}

void RefreshTemplateShortList(TfraMenuButtonShortList &list, const QString &fileName)
{
    list.SelectByName(ExtractFileName(fileName));
}

void CopyLibraryIconToPreview(const QString &programFolder, const QString &name)
{
    const QString source =
        SafePathUnder(NativePath(programFolder, QStringLiteral("Templates\\IconLink\\")), ExtractFileName(name));
    const QString target = SafePathUnder(NativePath(programFolder, QStringLiteral("MenuPreview\\")), name);
    if (!source.isEmpty() && !target.isEmpty())
        CopyFileCompat(source, target);
}
