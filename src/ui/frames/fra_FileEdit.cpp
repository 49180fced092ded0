#include "fra_FileEdit.h"

#include "Conversions.h"
#include "FormControls.h"
#include "Messages.h"
#include "Paths.h"
#include "uGlobal.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

TfraFileEdit::TfraFileEdit(const QString &programFolder, QWidget *parent)
    : QWidget(parent), FProgramFolder(programFolder)
{
    setObjectName(QStringLiteral("fraFileEdit"));

    edFileName = WholeValues(new QLineEdit(this));
    edFileName->setObjectName(QStringLiteral("edFileName"));
    edFileName->setReadOnly(true);

    btnOpenFileDialog = new QToolButton(this);
    btnOpenFileDialog->setObjectName(QStringLiteral("btnOpenFileDialog"));
    btnOpenFileDialog->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(btnOpenFileDialog, &QToolButton::clicked, this, &TfraFileEdit::btnOpenFileDialogClick);

    const QIcon clear = style()->standardIcon(QStyle::SP_DialogResetButton);
    ImageList1 << clear << QIcon(clear.pixmap(16, 16, QIcon::Disabled));
    a_ClearFileName = new QAction(ImageList1[0], QString(), this);
    a_ClearFileName->setObjectName(QStringLiteral("a_ClearFileName"));
    connect(a_ClearFileName, &QAction::triggered, this, &TfraFileEdit::a_ClearFileNameExecute);
    btnClearFileName = new QToolButton(this);
    btnClearFileName->setObjectName(QStringLiteral("btnClearFileName"));
    btnClearFileName->setDefaultAction(a_ClearFileName);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(edFileName, 1);
    layout->addWidget(btnOpenFileDialog);
    layout->addWidget(btnClearFileName);
}

void TfraFileEdit::Setup(const QString &filter, bool readOnly, const QString &initialDir)
{
    SetReadOnly(readOnly);
    OpenDialog.Filter = filter;
    OpenDialog.InitialDir = initialDir.isEmpty() ? QDir::cleanPath(FProgramFolder) : initialDir;
}

void TfraFileEdit::SetReadOnly(bool value)
{
    if (value == FReadOnly)
        return;
    FReadOnly = value;
    QPalette p = edFileName->palette();
    p.setColor(QPalette::Base, palette().color(value ? QPalette::Button : QPalette::Base));
    edFileName->setPalette(p);
    btnOpenFileDialog->setEnabled(!value);
    a_ClearFileName->setEnabled(!value);
    a_ClearFileName->setIcon(ImageList1[value ? 1 : 0]);
}

QString TfraFileEdit::GetRelativeFileName() const
{
    return QStringLiteral("flashmenu\\") + edFileName->text();
}

void TfraFileEdit::SetFileName(const QString &name)
{
    edFileName->setText(ExtractFileName(name));
    OpenDialog.FileName.clear();
}

QString TfraFileEdit::MediaFolder() const
{
    return NativePath(FProgramFolder, QStringLiteral("MenuPreview\\flashmenu\\"));
}

void TfraFileEdit::BindOpenFileDialogButton(std::function<void()> handler)
{
    disconnect(btnOpenFileDialog, &QToolButton::clicked, this, nullptr);
    connect(btnOpenFileDialog, &QToolButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

void TfraFileEdit::btnOpenFileDialogClick()
{
    const std::optional<QString> chosen = ChooseOpenFile(OpenDialog, this);
    if (!chosen || chosen->isEmpty())
        return;
    const QString name = ExtractFileName(*chosen);
    if (name.isEmpty())
        return;
    OpenDialog.FileName = *chosen;
    // A missing media folder is made rather than failing every copy. A failed copy keeps the old
    // name: the design must never name a file the project does not hold.
    QDir().mkpath(MediaFolder());
    if (!CopyFileCompat(*chosen, WithSlash(MediaFolder()) + name)) {
        ShowMsgBox(QStringLiteral("The file \"%1\" cannot be copied into the project.")
                       .arg(QDir::toNativeSeparators(*chosen)),
                   mtError, mbOK);
        return;
    }
    edFileName->setText(name);
    LastFolder = ExtractFilePath(*chosen);
}

void TfraFileEdit::a_ClearFileNameExecute() { edFileName->clear(); }
