#pragma once
// Small widgets of the main window: the menu-state grid, the splitter of the vertical layout, and
// the stand-ins for the colour field, file field and palette used until the shared frames exist.
#include <QFrame>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class QLineEdit;
class QToolButton;
class TMenuDesign;

// Platform order 0x00BBGGRR to a colour to paint with, and back.
QColor PlatformColor(int32_t color);
int32_t PlatformColorValue(const QColor &color);

// Four rows of 21 pixels, one per button state: the state's colour behind its title, drawn in the
// state's font (MenuStringGridDrawCell).
class TMenuStateGrid : public QFrame {
    Q_OBJECT
public:
    explicit TMenuStateGrid(const TMenuDesign &design, QWidget *parent = nullptr);
    static constexpr int RowHeight = 21;
    void SetRowTitle(int row, const QString &text);
    QString RowTitle(int row) const { return FTitles[size_t(row)]; }
    // The brush colour (0xRRGGBB as stored) and the font a row is drawn with.
    int32_t RowColor(int row) const;
    QFont RowFont(int row) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TMenuDesign &FDesign;
    std::array<QString, 4> FTitles;
};

// The bar between the preview column and the rest in the vertical layout. Dragging it sizes the
// widget on its left; canResize decides whether a new size is taken, moved runs after a drag.
class TSplitterBar : public QFrame {
    Q_OBJECT
public:
    explicit TSplitterBar(QWidget *parent = nullptr);
    QWidget *Target = nullptr;
    std::function<bool(int)> CanResize;
    std::function<void()> Moved;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int FStartX = 0;
    int FStartWidth = 0;
    bool FDragging = false;
};

// Stand-in colour field: a swatch and the colour as six hex digits (red, green, blue). The colour is
// held in platform order; typing acts once six digits stand (one leading "#" is dropped).
class TColorField : public QWidget {
    Q_OBJECT
public:
    explicit TColorField(QWidget *parent = nullptr);
    int32_t GetColor() const { return FColor; }
    // Shows the colour and tells the owner.
    void SetColor(int32_t color);
    void SetReadOnly(bool value);
    bool ReadOnly() const { return FReadOnly; }
    std::function<void(TColorField *)> OnColorChange;
    QFrame *imgColor = nullptr;
    QLineEdit *edColor = nullptr;

private:
    void edColorChange();
    void ShowColor();
    int32_t FColor = 0xFFFFFF;
    bool FReadOnly = false;
    bool FSettingText = false;
};

// Stand-in file field: the bare name of a media file of the design. Picking a file is the shared
// frame's; this one shows and hands back the name.
class TFileField : public QWidget {
    Q_OBJECT
public:
    explicit TFileField(QWidget *parent = nullptr);
    void Setup(const QString &filter, bool readOnly, const QString &initialDir);
    void SetReadOnly(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetFileName(const QString &name);
    QString FileName() const;
    QString InitialDir() const { return FInitialDir; }
    QString Filter() const { return FFilter; }
    void SetInitialDir(const QString &dir) { FInitialDir = dir; }
    QLineEdit *edFileName = nullptr;
    QToolButton *btnOpenFileDialog = nullptr;

private:
    QString FFilter;
    QString FInitialDir;
    bool FReadOnly = false;
};

// Stand-in palette: the sixteen basic colours in 8 x 2 cells with a marker on the chosen cell.
class TPaletteGrid : public QFrame {
    Q_OBJECT
public:
    explicit TPaletteGrid(QWidget *parent = nullptr);
    static int32_t CellColor(int index);  // platform order
    int ForegroundIndex() const { return FIndex; }
    void SetForegroundIndex(int index);
    bool ForegroundEnabled() const { return FMarker; }
    void SetForegroundEnabled(bool on);
    int32_t ForegroundColor() const { return CellColor(FIndex); }

signals:
    // A cell was clicked: the marker is on and on that cell.
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int FIndex = 0;
    bool FMarker = false;
};
