#pragma once
// A palette of the sixteen basic colours in 8 x 2 cells with a marker on the chosen cell.
#include <QWidget>
#include <cstdint>

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellCount = 16;

    explicit TColorGrid(QWidget *parent = nullptr);

    int ForegroundIndex() const { return FForegroundIndex; }
    // Moves the marker without telling anyone.
    void SetForegroundIndex(int index);
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    void SetForegroundEnabled(bool enabled);
    // The colour of the marked cell, platform order.
    int32_t ForegroundColor() const;
    static int32_t CellColor(int index);

    // Marks the first cell of the colour, or switches the marker off when no cell holds it.
    // Returns whether a cell holds it. Emits nothing.
    bool SelectColor(int32_t color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user picked a cell (also the one already marked): the marker is on and on that cell.
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRect cellRect(int index) const;
    int cellAt(const QPoint &pos) const;

    int FForegroundIndex = 0;
    bool FForegroundEnabled = true;
};
