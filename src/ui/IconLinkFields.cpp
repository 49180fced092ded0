#include "IconLinkFields.h"

#include "Conversions.h"
#include "Paths.h"
#include "uGlobal.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>

namespace {

IconColorChooser &colorChooser()
{
    static IconColorChooser c;
    return c;
}

IconFileChooser &fileChooser()
{
    static IconFileChooser c;
    return c;
}

QColor ToQColor(int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// "text|patterns|text|patterns" as the toolkit's dialog reads it.
QString DialogFilter(const QString &stored)
{
    const QStringList parts = stored.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

} // namespace

IconColorChooser SetIconColorChooser(IconColorChooser chooser)
{
    IconColorChooser previous = std::move(colorChooser());
    colorChooser() = std::move(chooser);
    return previous;
}

IconFileChooser SetIconFileChooser(IconFileChooser chooser)
{
    IconFileChooser previous = std::move(fileChooser());
    fileChooser() = std::move(chooser);
    return previous;
}

bool HasDrivePart(const QString &name)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return name.startsWith(QLatin1Char('/')) || name.startsWith(QStringLiteral("\\\\")) ||
           drive.match(name).hasMatch();
}

// ---- Colour field -------------------------------------------------------------------------------

TIconColorField::TIconColorField(QWidget *parent) : QWidget(parent)
{
    imgColor = new QWidget(this);
    imgColor->setObjectName(QStringLiteral("imgColor"));
    imgColor->setFixedSize(21, 21);
    imgColor->setAutoFillBackground(true);
    edColor = new QLineEdit(this);
    edColor->setObjectName(QStringLiteral("edColor"));
    edColor->setMaxLength(6);
    edColor->setReadOnly(true);
    btnColorDialog = new QToolButton(this);
    btnColorDialog->setObjectName(QStringLiteral("btnColorDialog"));
    btnColorDialog->setText(QStringLiteral("..."));
    btnColorDialog->setFixedSize(21, 21);
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(imgColor);
    l->addWidget(edColor, 1);
    l->addWidget(btnColorDialog);
    connect(btnColorDialog, &QToolButton::clicked, this, &TIconColorField::btnColorDialogClick);
    SetColor(FColor);
}

void TIconColorField::SetColor(int32_t color)
{
    FColor = color;
    QPalette pal = imgColor->palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    imgColor->setPalette(pal);
    edColor->setText(ColorToHtmlHex(color));
    if (OnColorChange)
        OnColorChange(this);
}

void TIconColorField::btnColorDialogClick()
{
    std::optional<int32_t> chosen;
    if (colorChooser()) {
        chosen = colorChooser()(FColor, this);
    } else {
        const QColor c = QColorDialog::getColor(ToQColor(FColor), this);
        if (c.isValid())
            chosen = int32_t(c.red() | (c.green() << 8) | (c.blue() << 16));
    }
    if (chosen)
        SetColor(*chosen);
}

// ---- Palette ------------------------------------------------------------------------------------

TIconColorPalette::TIconColorPalette(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    for (int i = 0; i < 16; ++i) {
        auto *cell = new QToolButton(this);
        cell->setObjectName(QStringLiteral("cell%1").arg(i));
        cell->setFixedSize(16, 16);
        cell->setCheckable(true);
        cell->setAutoFillBackground(true);
        cell->setStyleSheet(QStringLiteral("QToolButton{background:%1;border:1px solid gray}"
                                           "QToolButton:checked{border:2px solid black}")
                                .arg(ToQColor(CellColor(i)).name()));
        connect(cell, &QToolButton::clicked, this, [this, i] { ClickCell(i); });
        FCells[i] = cell;
        grid->addWidget(cell, i / 8, i % 8);
    }
}

int32_t TIconColorPalette::CellColor(int index)
{
    static const int32_t colors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                       0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                       0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return index >= 0 && index < 16 ? colors[index] : 0;
}

bool TIconColorPalette::SelectColor(int32_t color)
{
    FIndex = -1;
    for (int i = 0; i < 16; ++i)
        if (CellColor(i) == (color & 0xFFFFFF)) {
            FIndex = i;
            break;
        }
    Mark();
    return FIndex >= 0;
}

void TIconColorPalette::ClickCell(int index)
{
    FIndex = index;
    Mark();
    emit Change();
}

void TIconColorPalette::Mark()
{
    for (int i = 0; i < 16; ++i)
        FCells[i]->setChecked(i == FIndex);
}

// ---- File field ---------------------------------------------------------------------------------

TIconFileField::TIconFileField(const QString &programFolder, QWidget *parent)
    : QWidget(parent), FProgramFolder(WithSlash(programFolder))
{
    edFileName = new QLineEdit(this);
    edFileName->setObjectName(QStringLiteral("edFileName"));
    edFileName->setReadOnly(true);
    btnOpenFileDialog = new QToolButton(this);
    btnOpenFileDialog->setObjectName(QStringLiteral("btnOpenFileDialog"));
    btnOpenFileDialog->setText(QStringLiteral("..."));
    btnClearFileName = new QToolButton(this);
    btnClearFileName->setObjectName(QStringLiteral("btnClearFileName"));
    btnClearFileName->setText(QStringLiteral("x"));
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(edFileName, 1);
    l->addWidget(btnOpenFileDialog);
    l->addWidget(btnClearFileName);
    connect(btnOpenFileDialog, &QToolButton::clicked, this, [this] {
        if (OnOpenClick)
            OnOpenClick();
        else
            btnOpenFileDialogClick();
    });
    connect(btnClearFileName, &QToolButton::clicked, this, &TIconFileField::a_ClearFileNameExecute);
}

void TIconFileField::Setup(const QString &filter, const QString &initialDir)
{
    FFilter = filter;
    FInitialDir = initialDir;
}

QString TIconFileField::GetRelativeFileName() const
{
    return QStringLiteral("flashmenu\\") + edFileName->text();
}

QString TIconFileField::Text() const
{
    return edFileName->text();
}

void TIconFileField::SetFileName(const QString &name)
{
    edFileName->setText(ExtractFileName(name));
}

void TIconFileField::btnOpenFileDialogClick()
{
    const QString initial = FInitialDir.isEmpty() ? FProgramFolder : FInitialDir;
    const QString chosen = fileChooser() ? fileChooser()(FFilter, initial, this)
                                         : QFileDialog::getOpenFileName(this, QString(), initial, DialogFilter(FFilter));
    if (!chosen.isEmpty()) {
        const QString bare = ExtractFileName(chosen);
        const QString target = SafePathUnder(FProgramFolder + QStringLiteral("MenuPreview/flashmenu/"), bare);
        if (!target.isEmpty()) {
            QDir().mkpath(FProgramFolder + QStringLiteral("MenuPreview/flashmenu"));
            CopyFileCompat(chosen, target);
        }
        edFileName->setText(bare);
        LastFolder = ExtractFilePath(chosen);
    }
    if (OnPicked)
        OnPicked();
}

void TIconFileField::a_ClearFileNameExecute()
{
    edFileName->clear();
}
