#include "MainWindowParts.h"

#include "AlignPanel.h"
#include "Dialogs.h"
#include "Trans.h"
#include "uDesign.h"
#include "uGlobal.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

// ---- TMenuStateGrid --------------------------------------------------------------------------

TMenuStateGrid::TMenuStateGrid(const TMenuDesign &design, QWidget *parent) : QFrame(parent), FDesign(design)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(4 * RowHeight + 2);
}

void TMenuStateGrid::SetRowTitle(int row, const QString &text)
{
    if (row < 0 || row > 3)
        return;
    FTitles[size_t(row)] = text;
    update();
}

int32_t TMenuStateGrid::RowColor(int row) const
{
    const TXMLStoreOptions &o = FDesign.FStoreOptions;
    const int32_t colors[4] = {o.MainNormalColor, o.MainActiveColor, o.SubNormalColor, o.SubActiveColor};
    return row >= 0 && row < 4 ? colors[row] : 0;
}

QFont TMenuStateGrid::RowFont(int row) const
{
    TFontValue value;
    TFontInfo info = FDesign.FStoreOptions.Fonts[size_t(std::clamp(row, 0, 3))];
    // The one system whose Japanese interface font cannot show the state fonts gets a fixed one.
    if (WindowsVersionName == QLatin1String("Windows 2000") && LanguageName == QLatin1String("Japanese")) {
        info.Name = QStringLiteral("MS UI Gothic");
        info.Size = row < 2 ? 12 : 10;
    }
    ApplyFontRecord(value, info);
    return FontValueToQFont(value);
}

void TMenuStateGrid::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inner = contentsRect();
    // Disabled (no project open), the grid shows no design's colours.
    const bool shown = isEnabled();
    for (int row = 0; row < 4; ++row) {
        const QRect cell(inner.left(), inner.top() + row * RowHeight, inner.width(), RowHeight);
        const int32_t rgb = RowColor(row);
        p.fillRect(cell, shown ? QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF) : palette().color(QPalette::Button));
        TFontValue value;
        ApplyFontRecord(value, FDesign.FStoreOptions.Fonts[size_t(row)]);
        p.setFont(shown ? RowFont(row) : font());
        p.setPen(shown ? PlatformColorToQColor(value.Color) : palette().color(QPalette::Disabled, QPalette::WindowText));
        const QFontMetrics fm(p.font());
        p.drawText(cell.left() + 2, cell.top() + 3 + fm.ascent(), FTitles[size_t(row)]);
        if (row > 0) {
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(cell.topLeft(), cell.topRight());
        }
    }
}

// ---- TSplitterBar ----------------------------------------------------------------------------

TSplitterBar::TSplitterBar(QWidget *parent) : QFrame(parent)
{
    setCursor(Qt::SplitHCursor);
    resize(4, height());
}

void TSplitterBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !Target)
        return;
    FDragging = true;
    FStartX = int(event->globalPosition().x());
    FStartWidth = Target->width();
}

void TSplitterBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!FDragging || !Target)
        return;
    const int size = FStartWidth + int(event->globalPosition().x()) - FStartX;
    if (!CanResize || CanResize(size))
        SetAlignExtent(Target, size);
}

void TSplitterBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!FDragging)
        return;
    FDragging = false;
    if (Moved)
        Moved();
}
