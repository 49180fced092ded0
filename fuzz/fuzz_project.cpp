// A project file opened as the start-up wizard or the recent list opens it: unpacked under the
// program's own caps, its description checked, only what a project is made of taken into the
// working folder, then the design and page options read from there.
#include "Errors.h"
#include "FuzzSupport.h"
#include "MessageBox.h"
#include "Messages.h"
#include "uDesign.h"
#include "uHtmlOptions.h"
#include "uPreview.h"
#include "uProjects.h"

#include <QDir>
#include <QFileInfo>

namespace {
struct PreviewHost : IPreviewHost {
    BrowserPane *Browser() override { return nullptr; }
};

struct ProjectHost : IProjectHost {
    QString ChooseOpenFile(const TFileDialogSetup &) override { return QString(); }
    QString ChooseSaveFile(const TFileDialogSetup &) override { return QString(); }
    bool ShowSelectMenuType(const QString &, bool &) override { return false; }
    bool ShowMenuButtonsStyle(const QString &, const QString &) override { return false; }
};

// The design reads the blank project's page options through the window.
struct DesignHost : IDesignHost {
    THtmlPageOptions *page = nullptr;
    void ReadHtmlOptions(const QString &file) override { ::ReadHtmlOptions(file, *page); }
};

void CopyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &fi : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (fi.isDir())
            CopyTree(fi.filePath(), to + QLatin1Char('/') + fi.fileName());
        else
            QFile::copy(fi.filePath(), to + QLatin1Char('/') + fi.fileName());
    }
}

// The program folder with the shipped templates, and the objects that live as long as the window.
struct Program {
    QTemporaryDir folder;
    THtmlPageOptions page;
    PreviewHost previewHost;
    DesignHost designHost;
    ProjectHost host;
    TMenuDesign design{folder.path(), &designHost};
    TPreviewSet preview{design, page, previewHost};
    TProjects projects{design, preview, page, host, folder.filePath(QStringLiteral("tolvanar.ini"))};

    Program()
    {
        SetDefaultTexts();
        SetMessageBoxHandler([](const MessageBoxRequest &) { return int(mrOK); });
        designHost.page = &page;
        CopyTree(QStringLiteral(TOLVANAR_DATA_DIR "/Templates"), folder.filePath(QStringLiteral("Templates")));
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Program program;
    // Every run starts from the blank project in a working folder of its own.
    QDir work(program.folder.filePath(QStringLiteral("MenuPreview")));
    work.removeRecursively();
    work.mkpath(QStringLiteral("flashmenu"));
    QFile::remove(program.folder.filePath(QStringLiteral("tolvanar.ini")));
    program.design.ResetToBlankProject();
    program.projects.WizardProjectFile =
        WriteFuzzFile(QStringLiteral("input.tvp"), FuzzBytes(data, size));
    try {
        program.projects.OpenProject();
        program.preview.RefreshPreview();
    } catch (const Exception &) {
    }
    return 0;
}
