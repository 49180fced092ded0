#include "ColorGrid.h"

#include "Dialogs.h"
#include "uGlobal.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Columns = 8;
constexpr int Rows = 2;
constexpr int CellSize = 16;
} // namespace

TColorGrid::TColorGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

void TColorGrid::SetForegroundIndex(int index)
{
    if (index < 0 || index >= CellCount || index == FForegroundIndex)
        return;
    FForegroundIndex = index;
    update();
}

void TColorGrid::SetForegroundEnabled(bool enabled)
{
    if (enabled == FForegroundEnabled)
        return;
    FForegroundEnabled = enabled;
    update();
}

int32_t TColorGrid::ForegroundColor() const { return CellColor(FForegroundIndex); }

int32_t TColorGrid::CellColor(int index)
{
    return index >= 0 && index < CellCount ? BasicColors[size_t(index)] : 0;
}

bool TColorGrid::SelectColor(int32_t color)
{
    SetForegroundEnabled(true);
    for (int i = 0; i < CellCount; ++i) {
        SetForegroundIndex(i);
        if (CellColor(i) == color)
            return true;
    }
    SetForegroundEnabled(false);
    return false;
}

QSize TColorGrid::sizeHint() const { return QSize(Columns * CellSize + 1, Rows * CellSize + 1); }

QRect TColorGrid::cellRect(int index) const
{
    return QRect((index % Columns) * CellSize, (index / Columns) * CellSize, CellSize, CellSize);
}

int TColorGrid::cellAt(const QPoint &pos) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return -1;
    const int column = pos.x() / CellSize, row = pos.y() / CellSize;
    return column < Columns && row < Rows ? row * Columns + column : -1;
}

void TColorGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (int i = 0; i < CellCount; ++i) {
        const QRect r = cellRect(i);
        p.fillRect(r, PlatformColorToQColor(CellColor(i)));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r);
    }
    if (FForegroundEnabled) {
        const QRect r = cellRect(FForegroundIndex).adjusted(2, 2, -2, -2);
        const QColor cell = PlatformColorToQColor(CellColor(FForegroundIndex));
        p.setPen(QPen(cell.lightness() < 128 ? Qt::white : Qt::black, 2));
        p.drawRect(r);
    }
}

void TColorGrid::mousePressEvent(QMouseEvent *event)
{
    const int cell = event->button() == Qt::LeftButton ? cellAt(event->position().toPoint()) : -1;
    if (cell < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    SetForegroundEnabled(true);
    SetForegroundIndex(cell);
    emit Change();
}
