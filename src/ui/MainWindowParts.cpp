#include "MainWindowParts.h"

#include "Trans.h"
#include "uDesign.h"
#include "uGlobal.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QToolButton>
#include <algorithm>

QColor PlatformColor(int32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t PlatformColorValue(const QColor &color)
{
    return int32_t(color.red() | (color.green() << 8) | (color.blue() << 16));
}

namespace {

QFont FontOf(const TFontValue &value, const QFont &base)
{
    QFont font = base;
    if (!value.Name.isEmpty())
        font.setFamily(value.Name);
    if (value.Size > 0)
        font.setPointSize(value.Size);
    font.setBold(value.Bold);
    font.setItalic(value.Italic);
    font.setUnderline(value.Underline);
    return font;
}

} // namespace

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
    return FontOf(value, font());
}

void TMenuStateGrid::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inner = contentsRect();
    for (int row = 0; row < 4; ++row) {
        const QRect cell(inner.left(), inner.top() + row * RowHeight, inner.width(), RowHeight);
        const int32_t rgb = RowColor(row);
        p.fillRect(cell, QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        TFontValue value;
        ApplyFontRecord(value, FDesign.FStoreOptions.Fonts[size_t(row)]);
        p.setFont(RowFont(row));
        p.setPen(PlatformColor(value.Color));
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
        Target->resize(size, Target->height());
}

void TSplitterBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!FDragging)
        return;
    FDragging = false;
    if (Moved)
        Moved();
}

// ---- TColorField -----------------------------------------------------------------------------

TColorField::TColorField(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    imgColor = new QFrame(this);
    imgColor->setObjectName(QStringLiteral("imgColor"));
    imgColor->setFrameStyle(QFrame::Box | QFrame::Plain);
    imgColor->setFixedSize(22, 20);
    imgColor->setAutoFillBackground(true);
    edColor = new QLineEdit(this);
    edColor->setObjectName(QStringLiteral("edColor"));
    edColor->setMaxLength(7);
    edColor->setFixedWidth(64);
    row->addWidget(imgColor);
    row->addWidget(edColor);
    row->addStretch(1);
    connect(edColor, &QLineEdit::textChanged, this, [this] { edColorChange(); });
    ShowColor();
}

void TColorField::SetColor(int32_t color)
{
    FColor = color & 0xFFFFFF;
    ShowColor();
    if (OnColorChange)
        OnColorChange(this);
}

void TColorField::ShowColor()
{
    FSettingText = true;
    edColor->setText(ColorToHtmlHex(FColor));
    FSettingText = false;
    QPalette pal = imgColor->palette();
    pal.setColor(QPalette::Window, PlatformColor(FColor));
    imgColor->setPalette(pal);
}

void TColorField::edColorChange()
{
    if (FSettingText || FReadOnly)
        return;
    QString text = edColor->text();
    if (text.size() != 6 && !(text.size() == 7 && text.startsWith(QLatin1Char('#'))))
        return;
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!hex.match(text).hasMatch())
        return;
    const int32_t rgb = int32_t(text.toUInt(nullptr, 16));
    FColor = SwapRedBlue(rgb);
    QPalette pal = imgColor->palette();
    pal.setColor(QPalette::Window, PlatformColor(FColor));
    imgColor->setPalette(pal);
    if (OnColorChange)
        OnColorChange(this);
}

void TColorField::SetReadOnly(bool value)
{
    FReadOnly = value;
    edColor->setReadOnly(value);
    edColor->setEnabled(!value);
}

// ---- TFileField ------------------------------------------------------------------------------

TFileField::TFileField(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edFileName = new QLineEdit(this);
    edFileName->setObjectName(QStringLiteral("edFileName"));
    edFileName->setReadOnly(true);
    btnOpenFileDialog = new QToolButton(this);
    btnOpenFileDialog->setObjectName(QStringLiteral("btnOpenFileDialog"));
    btnOpenFileDialog->setText(QStringLiteral("..."));
    // Picking and copying a file belongs to the shared file field; until it is there, no picking.
    btnOpenFileDialog->setEnabled(false);
    row->addWidget(edFileName, 1);
    row->addWidget(btnOpenFileDialog);
}

void TFileField::Setup(const QString &filter, bool readOnly, const QString &initialDir)
{
    FFilter = filter;
    FInitialDir = initialDir;
    SetReadOnly(readOnly);
}

void TFileField::SetReadOnly(bool value)
{
    FReadOnly = value;
    edFileName->setEnabled(!value);
}

void TFileField::SetFileName(const QString &name)
{
    const QString bare = name.mid(std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/'))) + 1);
    if (edFileName->text() != bare)
        edFileName->setText(bare);
}

QString TFileField::FileName() const
{
    return edFileName->text();
}

// ---- TPaletteGrid ----------------------------------------------------------------------------

TPaletteGrid::TPaletteGrid(QWidget *parent) : QFrame(parent)
{
    setFixedSize(8 * 18 + 2, 2 * 18 + 2);
    setCursor(Qt::PointingHandCursor);
}

int32_t TPaletteGrid::CellColor(int index)
{
    static const int32_t cells[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                      0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                      0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return index >= 0 && index < 16 ? cells[index] : 0;
}

void TPaletteGrid::SetForegroundIndex(int index)
{
    FIndex = std::clamp(index, 0, 15);
    update();
}

void TPaletteGrid::SetForegroundEnabled(bool on)
{
    FMarker = on;
    update();
}

void TPaletteGrid::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    for (int i = 0; i < 16; ++i) {
        const QRect cell(1 + (i % 8) * 18, 1 + (i / 8) * 18, 18, 18);
        p.fillRect(cell.adjusted(1, 1, -1, -1), PlatformColor(CellColor(i)));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(cell.adjusted(1, 1, -2, -2));
        if (FMarker && i == FIndex) {
            p.setPen(QPen(isEnabled() ? QColor(0x20, 0x60, 0xD0) : QColor(0x90, 0x90, 0x90), 2));
            p.drawRect(cell.adjusted(1, 1, -2, -2));
        }
    }
}

void TPaletteGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint() - QPoint(1, 1);
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= 8 * 18 || pos.y() >= 2 * 18)
        return;
    FMarker = true;
    FIndex = pos.y() / 18 * 8 + pos.x() / 18;
    update();
    emit Change();
}
