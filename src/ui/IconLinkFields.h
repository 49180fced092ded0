#pragma once
// The small fields the icon-link dialogs are built from: a colour field, the 16-colour palette and a
// media file field. Kept here until one set of field frames serves every dialog.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QLineEdit;
class QToolButton;

// The colour dialog and the open dialog, replaceable so that tests answer them. The colour chooser
// gets and gives platform order (0x00BBGGRR); the file chooser gives "" on Cancel.
using IconColorChooser = std::function<std::optional<int32_t>(int32_t initial, QWidget *parent)>;
using IconFileChooser = std::function<QString(const QString &filter, const QString &initialDir, QWidget *parent)>;
IconColorChooser SetIconColorChooser(IconColorChooser chooser);
IconFileChooser SetIconFileChooser(IconFileChooser chooser);

// A name with a drive part: a drive letter, a network share, or a rooted path here.
bool HasDrivePart(const QString &name);

// A swatch, the colour as six hex digits (read-only in the dialogs) and "..." for the colour dialog.
class TIconColorField : public QWidget {
    Q_OBJECT
public:
    explicit TIconColorField(QWidget *parent = nullptr);
    int32_t GetColor() const { return FColor; }  // white until set
    // Shows the colour and always notifies the owner.
    void SetColor(int32_t color);
    std::function<void(TIconColorField *)> OnColorChange;

    QWidget *imgColor = nullptr;
    QLineEdit *edColor = nullptr;
    QToolButton *btnColorDialog = nullptr;

public slots:
    void btnColorDialogClick();

private:
    int32_t FColor = 0xFFFFFF;
};

// The sixteen basic colours in 8 x 2 cells with a marker on the chosen one.
class TIconColorPalette : public QWidget {
    Q_OBJECT
public:
    explicit TIconColorPalette(QWidget *parent = nullptr);
    static int32_t CellColor(int index);  // platform order
    // Marks the cell of the colour; no cell marked when none holds it. Emits nothing.
    bool SelectColor(int32_t color);
    int ForegroundIndex() const { return FIndex; }  // -1: none
    int32_t ForegroundColor() const { return FIndex < 0 ? 0 : CellColor(FIndex); }
    // A click on a cell (as the user does it).
    void ClickCell(int index);

signals:
    void Change();

private:
    void Mark();
    QToolButton *FCells[16] = {};
    int FIndex = -1;
};

// The bare name of a media file, "..." to pick one (copied into MenuPreview/flashmenu/ at once) and
// a clear button.
class TIconFileField : public QWidget {
    Q_OBJECT
public:
    TIconFileField(const QString &programFolder, QWidget *parent = nullptr);
    void Setup(const QString &filter, const QString &initialDir);

    // "flashmenu\" + the name shown ("flashmenu\" alone when none is).
    QString GetRelativeFileName() const;
    QString Text() const;
    // Shows the name without its folder part.
    void SetFileName(const QString &name);
    QString GetLastFolder() const { return LastFolder; }
    void SetLastFolder(const QString &folder) { LastFolder = folder; }

    // Replaces the "..." button's own pick when set.
    std::function<void()> OnOpenClick;
    // After the field's own pick has run (also when it was cancelled).
    std::function<void()> OnPicked;

    QLineEdit *edFileName = nullptr;
    QToolButton *btnOpenFileDialog = nullptr;
    QToolButton *btnClearFileName = nullptr;

public slots:
    void btnOpenFileDialogClick();
    void a_ClearFileNameExecute();

private:
    QString FProgramFolder;
    QString FFilter;
    QString FInitialDir;
    QString LastFolder;
};
