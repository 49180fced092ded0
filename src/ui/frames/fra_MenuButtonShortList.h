#pragma once
// The button short list of the main window's "Button Style" tab: the orientation's menu-button
// sets as tiles (at most 15, the specific and recent sets first when the settings ask for it) and
// one more tile that opens the full Button Style gallery. Picking a tile hands its file name to
// the window, which applies the set.
#include "GalleryTile.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class QScrollArea;
class TMenuDesign;
struct TOptions;

class TfraMenuButtonShortList : public QWidget {
    Q_OBJECT
public:
    using TSelectHandler = std::function<void(const QString &name)>;

    // programFolder: the executable's folder; isHorizontal: the design's orientation, asked at
    // every load; settings: nullptr for the program's Options.
    TfraMenuButtonShortList(const QString &programFolder, std::function<bool()> isHorizontal,
                            QWidget *parent = nullptr, const TOptions *settings = nullptr);

    // Lists the orientation's sets and builds the tiles.
    void LoadButtons(const TSelectHandler &onSelect);
    // Builds the list afresh; any error on the way is swallowed (the tiles made so far stay).
    void Reload(const TSelectHandler &onSelect);
    void ClearTiles();
    // Marks and focuses the tile of the entry equal to name (exact), without calling the handler.
    void SelectByName(const QString &name);
    // Locked: a click on a tile's picture does nothing.
    void SetLocked(bool locked);
    // No tile marked or current (no project is open).
    void ClearMark();
    // The texts of the loaded language, from the section of the window's name and the frame's.
    void ApplyLanguage();

    // The custom tile was clicked: the window runs its Button Style action.
    std::function<void()> OnOpenMore;
    bool KeepCustomTile = false;

    QScrollArea *ScrollBox = nullptr;
    const QStringList &Names() const { return FNames; }
    int SelectedIndex() const { return FSelectedIndex; }
    TGalleryTile *CurrentTile() const { return FCurrentTile; }
    TGalleryTile *CustomTile() const { return FCustomTile; }
    QList<TGalleryTile *> Tiles() const;
    QSize TileSize() const { return FTileSize; }
    TFocusTracker *Tracker() const { return FTracker; }

    void TileClick(TGalleryTile *tile);

private:
    void OpenMoreIfLast();
    void TileEnter(TGalleryTile *tile);
    void HighlightTile(TGalleryTile *tile);
    void SelectButton(TGalleryTile *tile);
    // Focus for a tile that only highlights it.
    void FocusHighlightOnly(TGalleryTile *tile);
    TGalleryTile *MakeTile(int tag, const QPoint &at, const QString &picture, const QString &caption, bool withCaption);
    // The tile that opens the gallery: its picture with its words written over it.
    TGalleryTile *MakeCustomTile(int tag, const QPoint &at, const QString &picture);
    QString LanguageSection() const;
    void ControlEntered(QWidget *w);
    void ControlLeft(QWidget *w);
    void ScrollBoxEnter();
    void ScrollBoxExit();

    QString FProgramFolder;
    std::function<bool()> FIsHorizontal;
    const TOptions *FSettings;
    TFocusTracker *FTracker;
    QPointer<TGalleryTile> FCurrentTile;
    QPointer<TGalleryTile> FCustomTile;
    QString FTemplatesDir;
    QStringList FNames;
    int FSelectedIndex = -1;
    TSelectHandler FOnSelect;
    bool FNotify = true;
    bool FScrollBoxEnterOn = true;
    bool FHorizontal = true;
    QSize FTileSize{620, 86};
};

// The main window's side of a pick (SelectMenuTemplate): the set's movie is copied into the
// working folder, the set's template design applied, then markChanged and refreshPreview run, also
// when the template design does not apply (its error is raised after them).
void SelectMenuTemplate(TMenuDesign &design, const QString &name, const std::function<void()> &markChanged,
                        const std::function<void()> &refreshPreview);
// The tile of the design's button set marked: SelectByName with the file part of fileName.
void RefreshTemplateShortList(TfraMenuButtonShortList &list, const QString &fileName);
// Templates/IconLink/ + the file part of name copied to MenuPreview/ + name (name may start with
// a folder such as "flashmenu\"); a failure or a name that climbs out copies nothing.
void CopyLibraryIconToPreview(const QString &programFolder, const QString &name);
