#pragma once
// Small widgets of the main window: the menu-state grid and the splitter of the vertical layout.
#include <QFrame>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class TMenuDesign;

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
