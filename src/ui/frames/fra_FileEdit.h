#pragma once
// A file field: the bare name of a media file of the design, a button that picks a file and copies
// it into the project's media folder, and a button that clears the name.
#include "Dialogs.h"

#include <QIcon>
#include <QList>
#include <QWidget>
#include <functional>

class QAction;
class QLineEdit;
class QToolButton;

class TfraFileEdit : public QWidget {
    Q_OBJECT
public:
    // programFolder: the folder that holds MenuPreview/ (the executable's folder in the program).
    explicit TfraFileEdit(const QString &programFolder, QWidget *parent = nullptr);

    // filter in the stored form "text|patterns|..."; an empty initialDir starts in the program folder.
    void Setup(const QString &filter, bool readOnly, const QString &initialDir);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);

    // "flashmenu\" + the name shown ("flashmenu\" alone when none is).
    QString GetRelativeFileName() const;
    // Shows the name without its folder part.
    void SetFileName(const QString &name);
    // The folder of the file last picked here, with a trailing "/".
    QString GetLastFolder() const { return LastFolder; }
    void SetLastFolder(const QString &folder) { LastFolder = folder; }

    // The media folder picked files are copied into.
    QString MediaFolder() const;

    // Replaces the open button's own handler by the owner's (which may call btnOpenFileDialogClick).
    void BindOpenFileDialogButton(std::function<void()> handler);

    QLineEdit *edFileName = nullptr;  // its textChanged is the field's change event
    QToolButton *btnOpenFileDialog = nullptr;
    QToolButton *btnClearFileName = nullptr;
    QAction *a_ClearFileName = nullptr;
    QList<QIcon> ImageList1;  // 0: normal glyph, 1: greyed glyph
    TOpenDialog OpenDialog;

public slots:
    void btnOpenFileDialogClick();
    void a_ClearFileNameExecute();

private:
    QString FProgramFolder;
    QString LastFolder;
    bool FReadOnly = false;
};
