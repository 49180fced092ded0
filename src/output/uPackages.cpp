#include "uPackages.h"

#include "Conversions.h"
#include "Errors.h"
#include "IniFile.h"
#include "Messages.h"
#include "MessageBox.h"
#include "Paths.h"
#include "CopyJournal.h"
#include "Temporaries.h"
#include "XmlDom.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uProjects.h"
#include "uXMLUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <utility>

std::array<TTVNRTheme, TemplatePackageCount> TemplatePackages;

namespace {

const QString SettingsName = QStringLiteral("tolvanar.ini");
const QString PackageXmlName = QStringLiteral("package.xml");
const QString PackageExt = QStringLiteral("*.tvm");
const QString RegisterSection = QStringLiteral("register");
const QString WorkFolderName = QStringLiteral("MenuPreview\\");
constexpr int OnTopLimit = 12;

struct TPackageRow {
    const char *Code;
    int32_t First, Last;
    int TitleMessage;
};

constexpr std::array<TPackageRow, TemplatePackageCount> PackageRows{{
    {"tvnr", 1, 6, 84},    {"tvnr", 7, 12, 116},  {"tvmbiz", 1, 6, 85},  {"tvmbiz", 7, 12, 86},
    {"tvmspt", 1, 6, 87},  {"tvmgbl", 1, 6, 93},  {"tvmcyb", 1, 6, 94},  {"tvmholi", 1, 6, 100},
    {"tvmrom", 1, 6, 99},  {"tvmvb", 1, 6, 84},   {"tvstd", 1, 6, 84},   {"tvmjs", 1, 6, 104},
    {"tvmspt", 7, 12, 105}, {"tvmvnat", 1, 6, 106}, {"tvmjy", 1, 6, 107}, {"tvmvgbl", 1, 6, 115},
}};

// What the scan of a package's members found.
struct TPackageScan {
    QString Id;            // the root's id of package.xml
    QStringList Vertical;  // template ids listed with type "v"
    QStringList Folders;   // top-level folder names, in archive order, each once
};

bool IsVertical(const TPackageScan &scan, const QString &folder)
{
    return scan.Vertical.contains(folder, Qt::CaseInsensitive);
}

// A folder name becomes part of file names in the template folders: nothing that could name a
// folder of its own or read as a drive.
bool ValidTemplateFolder(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    return true;
}

QString PackageError(const QString &packageFile, const QString &what)
{
    return QStringLiteral("The template package \"%1\" cannot be installed: %2").arg(ExtractFileName(packageFile), what);
}

void ReadPackageXml(const QString &file, const QString &packageFile, TPackageScan &scan)
{
    QFile f(file);
    pugi::xml_document doc;
    QString reason = QStringLiteral("it cannot be read.");
    if (!f.open(QIODevice::ReadOnly) || !ParseXmlBytes(doc, f.readAll(), &reason))
        throw Exception(PackageError(packageFile, QStringLiteral("%1 %2").arg(PackageXmlName, reason)));
    try {
        const pugi::xml_node root = doc.document_element();
        scan.Id = GetNodeAttribute(root, QStringLiteral("id"));
        for (const pugi::xml_node &node : SelectChildNodes(root, QStringLiteral("template"))) {
            const QString id = GetNodeAttribute(node, QStringLiteral("id"));
            if (GetNodeAttributeDef(node, QStringLiteral("type"), QString()) == QLatin1String("v"))
                scan.Vertical << id;
        }
    } catch (const Exception &e) {
        throw Exception(PackageError(packageFile, QStringLiteral("%1: %2").arg(PackageXmlName, e.Message())));
    }
}

// package.xml and the top-level folder entries, in archive order. The members are already unpacked
// under folder.
TPackageScan ScanPackage(const TZipReader &reader, const QString &folder)
{
    TPackageScan scan;
    for (const TZipMember &m : reader.Members()) {
        if (m.Name.toLower() == PackageXmlName) {
            ReadPackageXml(SafePathUnder(folder, m.Name), reader.FileName(), scan);
            continue;
        }
        const qsizetype slash = m.Name.indexOf(QLatin1Char('/'));
        if (slash <= 0 || slash != m.Name.size() - 1)
            continue;
        const QString name = m.Name.left(slash);
        if (!ValidTemplateFolder(name))
            throw Exception(PackageError(reader.FileName(),
                                         QStringLiteral("the template folder \"%1\" has no valid template name.").arg(name)));
        if (scan.Folders.contains(name))
            continue;
        scan.Folders << name;
    }
    return scan;
}

// A new template goes first; an equal entry already there stays where it is.
void PutOnTop(QStringList &top, const QStringList &specific, const QString &name)
{
    if (specific.contains(name, Qt::CaseInsensitive))
        return;
    top.prepend(name);
    if (top.size() > OnTopLimit)
        top.removeLast();
}

} // namespace

void InitPackages()
{
    for (int i = 0; i < TemplatePackageCount; ++i) {
        const TPackageRow &row = PackageRows[size_t(i)];
        TTVNRTheme &theme = TemplatePackages[size_t(i)];
        theme.Code = QString::fromLatin1(row.Code);
        theme.First = row.First;
        theme.Last = row.Last;
        theme.Title = LangMsg(row.TitleMessage);
    }
}

QString TemplateId(const QString &code, int number)
{
    return code + QString::asprintf("%.3d", number);
}

void ListPackageTemplates(const QString &folder, QStringList &list)
{
    for (const TTVNRTheme &theme : TemplatePackages)
        for (int32_t n = theme.First; n <= theme.Last; ++n) {
            const QString id = TemplateId(theme.Code, n);
            if (QFileInfo(FindTemplateFile(folder, id + QStringLiteral(".xml"))).isFile())
                list << id;
        }
}

void ListOtherTemplates(const QString &folder, QStringList &list)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (!name.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive))
            continue;
        const QString base = name.left(name.size() - 4);
        if (!list.contains(base, Qt::CaseInsensitive))
            list << base;
    }
}

void ReplacePackageCaptions(QStringList &items)
{
    for (QString &item : items)
        for (const TTVNRTheme &theme : TemplatePackages)
            if (item == TemplateId(theme.Code, theme.First) + QStringLiteral(" - ") + TemplateId(theme.Code, theme.Last))
                item = theme.Title;
}

bool RegisterTemplatePackage(const QString &settingsFile, const QString &id)
{
    IniFile ini(settingsFile);
    int n = 1;
    for (;; ++n) {
        const QString value = ini.ReadString(RegisterSection, QStringLiteral("template%1").arg(n), QString());
        if (value.isEmpty())
            break;
        if (value == id)
            return true;
    }
    return ini.WriteString(RegisterSection, QStringLiteral("template%1").arg(n), id);
}

namespace {

// The files an install or Update Project may have written: a template file that a line of the
// settings map names (its folder and extension), or a file of the working folder or its media.
CopyTargetCheck CopyTargets(const QString &programFolder)
{
    struct TPlace {
        QString Folder; // without links
        QString Extension;
    };
    QList<TPlace> places;
    const auto add = [&](const QString &fileInFolder, const QString &extension) {
        const QString file = SafePathUnder(programFolder, fileInFolder);
        const QString folder = file.isEmpty() ? QString() : ResolvedPath(QFileInfo(file).absolutePath());
        if (!folder.isEmpty())
            places << TPlace{folder, extension};
    };
    add(WorkFolderName + QStringLiteral("x"), QString());
    add(WorkFolderName + QStringLiteral("flashmenu\\x"), QString());
    const QString settings = NativePath(programFolder, SettingsName);
    if (QFileInfo(settings).isFile()) {
        const IniFile ini(settings);
        for (const QString &section : {QStringLiteral("Horizontal"), QStringLiteral("Vertical")})
            for (const auto &[file, destination] : ini.ReadSectionValues(section))
                if (const QString extension = ExtractFileExt(file); !extension.isEmpty())
                    add(destination + QStringLiteral("\\x"), extension);
    }
    const QString root = ResolvedPath(programFolder);
    return [places, root](const QString &target) {
        const QFileInfo file(target);
        for (const TPlace &place : places)
            if (file.absolutePath() == place.Folder && place.Folder != root && file.fileName().endsWith(place.Extension)
                && file.fileName() != place.Extension)
                return true;
        return false;
    };
}

} // namespace

CopiesInProgramFolder FinishInterruptedCopies(const QString &programFolder)
{
    TUndoReport report;
    try {
        report = UndoInterruptedCopies(programFolder, CopyTargets(programFolder));
    } catch (const std::exception &e) {
        report.Pending << QStringLiteral("What an install or update that ended half-way left in \"%1\" could not be "
                                         "undone: %2")
                              .arg(programFolder, QString::fromLocal8Bit(e.what()));
    }
    RemoveLeftoverTemporaries(programFolder, Leftovers::FilesAndFolders);
    // What is still pending stays so until something changes: said once in each run.
    static QSet<QString> saidPending;
    QStringList texts = report.Messages;
    for (const QString &text : std::as_const(report.Pending))
        if (!saidPending.contains(text)) {
            saidPending.insert(text);
            texts << text;
        }
    // However many there are, one box says them.
    if (!texts.isEmpty())
        ShowMsgBox(JoinAtMost(texts, 20, QStringLiteral("\n\n")), mtWarning, mbOK);
    if (!report.Pending.isEmpty())
        return CopiesInProgramFolder::Pending;
    return report.Running ? CopiesInProgramFolder::Running : CopiesInProgramFolder::Clear;
}

namespace {

// A copy over the files that an earlier one's undo still has to put back would be undone with them.
void RefuseOverPendingUndo(const QString &programFolder)
{
    switch (FinishInterruptedCopies(programFolder)) {
    case CopiesInProgramFolder::Clear:
        return;
    case CopiesInProgramFolder::Pending:
        throw Exception(QStringLiteral("An install or update that ended half-way in \"%1\" is still to be undone; "
                                       "nothing is copied there until it is.")
                            .arg(programFolder));
    case CopiesInProgramFolder::Running:
        throw Exception(QStringLiteral("Another install or update is running in \"%1\"; try again once it has ended.")
                            .arg(programFolder));
    }
}

// The text of a failed copy: the target, the system's reason, then what stayed as the copy left it.
QString CopyFailureText(const QString &format, const TCopyFailure &failure)
{
    return format.arg(failure.Target, failure.Reason)
           + (failure.NotPutBack.isEmpty() ? QString() : QLatin1Char('\n') + failure.NotPutBack);
}

} // namespace

TPackages::TPackages(TMenuDesign &design, IPackageHost &host, const TZipLimits &limits)
    : FDesign(design), FHost(host), FLimits(limits)
{
}

QString TPackages::ProgramPath(const QString &stored) const
{
    return NativePath(FDesign.ProgramFolder(), stored);
}

QString TPackages::SettingsFile() const
{
    return ProgramPath(SettingsName);
}

bool TPackages::a_InstallTemplateExecute(QString &startupFileName)
{
    QString file;
    if (!startupFileName.isEmpty()) {
        file = ExtractFilePath(startupFileName).isEmpty() ? ProgramPath(startupFileName) : startupFileName;
        startupFileName.clear();
    } else {
        TFileDialogSetup setup;
        setup.Filter = LangFilterLabel(6) + QStringLiteral(" (") + PackageExt + QStringLiteral(")|") + PackageExt;
        file = FHost.ChooseOpenFile(setup);
        if (file.isEmpty())
            return false;
    }
    return InstallPackage(file);
}

bool TPackages::InstallPackage(const QString &packageFile)
{
    const QString settings = SettingsFile();
    if (!QFileInfo(settings).isFile())
        throw Exception(LangMsg(34) + QStringLiteral(" \"") + settings + QStringLiteral("\" ") + LangMsg(35));
    const IniFile ini(settings);
    const QList<std::pair<QString, QString>> horizontalMap = ini.ReadSectionValues(QStringLiteral("Horizontal"));
    const QList<std::pair<QString, QString>> verticalMap = ini.ReadSectionValues(QStringLiteral("Vertical"));

    // Everything is unpacked and checked in a private folder before a template file is touched: a
    // package that is refused writes nothing into the template folders. The folder lies in the
    // program folder, where the next install finds what one killed half-way left.
    const QString programFolder = FDesign.ProgramFolder();
    RefuseOverPendingUndo(programFolder);
    TZipReader reader(packageFile, FLimits);
    const TFolderInUse inUse(programFolder);
    if (inUse.Error())
        throw Exception(PackageError(packageFile, QStringLiteral("no temporary folder: %1").arg(qt_error_string(inUse.Error()))));
    QTemporaryDir unpacked(inUse.Template());
    if (!unpacked.isValid())
        throw Exception(PackageError(packageFile, QStringLiteral("no temporary folder: %1").arg(unpacked.errorString())));
    // package.xml first, for the maps its templates take; then only what those maps take.
    reader.ExtractAll(unpacked.path(), [](const QString &member) { return member.toLower() == PackageXmlName; });
    const TPackageScan scan = ScanPackage(reader, unpacked.path());
    if (scan.Folders.isEmpty())
        throw Exception(LangMsg(36));

    struct TMapped {
        QString Member;
        QString Target;
        QString Missing; // the text when the package does not hold the member
    };
    QList<TMapped> mapped;
    QStringList taken;
    for (const QString &folder : scan.Folders) {
        const bool vertical = IsVertical(scan, folder);
        const auto &map = vertical ? verticalMap : horizontalMap;
        // No map would install nothing and still report success.
        if (map.isEmpty())
            throw Exception(PackageError(packageFile, QStringLiteral("the settings file \"%1\" has no section [%2].")
                                                          .arg(settings, vertical ? QStringLiteral("Vertical")
                                                                                  : QStringLiteral("Horizontal"))));
        for (const auto &[file, destination] : map) {
            // The map is read from a file a user can edit: its names are trusted no more than the
            // package's, and a link in a template folder does not lead a copy elsewhere.
            const QString stored = destination + QLatin1Char('\\') + folder + ExtractFileExt(file);
            const QString target = ZipMemberName(file).isEmpty() ? QString() : SafePathUnder(FDesign.ProgramFolder(), stored);
            if (target.isEmpty())
                throw Exception(PackageError(packageFile, QStringLiteral("the file \"%1\" of the line \"%2=%3\" of the "
                                                                         "settings file would lie outside the program folder.")
                                                              .arg(stored, file, destination)));
            // The program folder itself holds the settings, the projects' working folder and this
            // install's own unpacked files: no template goes there.
            if (ResolvedPath(QFileInfo(target).absolutePath()) == ResolvedPath(programFolder))
                throw Exception(PackageError(packageFile, QStringLiteral("the line \"%1=%2\" of the settings file names "
                                                                         "no template folder inside the program folder.")
                                                              .arg(file, destination)));
            const QString member = folder + QLatin1Char('/') + QString(file).replace(QLatin1Char('\\'), QLatin1Char('/'));
            const int index = reader.FindMember(member);
            if (index >= 0 && !reader.Members()[index].IsFolder)
                taken << member;
            mapped << TMapped{member, target,
                              LangMsg(37) + QStringLiteral(" \"") + file + QStringLiteral("\" ") + LangMsg(38)
                                  + QStringLiteral(" \"") + folder + QStringLiteral("/\" ") + LangMsg(39)};
        }
    }
    reader.ExtractAll(unpacked.path(), [&taken](const QString &member) { return taken.contains(member); });

    QList<TCopyStep> steps;
    QStringList missing;
    for (const TMapped &m : mapped) {
        const QString source = taken.contains(m.Member) ? SafePathUnder(unpacked.path(), m.Member) : QString();
        if (source.isEmpty() || !QFileInfo(source).isFile())
            missing << m.Missing;
        else
            steps << TCopyStep{source, m.Target};
    }

    for (const QString &text : missing)
        ShowMsgBox(text, mtError, mbOK);
    // The unpacked copy goes first, so that an undo on a full disk has the room it frees.
    if (const TCopyFailure failed = CopyAllOrNothing(programFolder, steps, [&unpacked] { unpacked.remove(); });
        !failed.IsEmpty())
        throw Exception(PackageError(packageFile, CopyFailureText(QStringLiteral("the file \"%1\" cannot be written: %2."), failed)));

    // Each template goes on its own orientation's list, wherever package.xml stands in the archive.
    if (FHost.LatestButtonsOnTop())
        for (const QString &folder : scan.Folders) {
            const bool vertical = IsVertical(scan, folder);
            PutOnTop(vertical ? VertTop : HorzTop, vertical ? VertTopSpec : HorzTopSpec, folder);
        }
    FHost.ReloadTemplateShortList(FDesign.CurrentMenuFileName);

    if (!missing.isEmpty())
        return false;
    // The about box lists the package by its id; an id that cannot stand in the settings file, or a
    // package without one, is listed by its file name.
    QString id = TrimText(scan.Id);
    if (id.isEmpty() || !IniFile::ValidValue(id))
        id = FileBaseName(ExtractFileName(packageFile));
    if (!RegisterTemplatePackage(settings, id))
        throw Exception(QStringLiteral("The template package \"%1\" was installed, but the settings file \"%2\" "
                                       "cannot be written.")
                            .arg(ExtractFileName(packageFile), settings));
    ShowMsgBox(LangMsg(40) + QStringLiteral(" \"") + ExtractFileName(packageFile) + QStringLiteral("\" ") + LangMsg(41),
               mtInformation, mbOK);
    return true;
}

bool TPackages::a_UpdateExecute()
{
    if (ShowMsgBox(LangMsg(117) + QStringLiteral("\r\n") + LangMsg(118), mtAlert, mbOKCancel) != mrOK)
        return false;

    const QString templates = ProgramPath(QStringLiteral("Templates\\")
                                          + (FDesign.IsHorizontal() ? QStringLiteral("Horizontal\\") : QStringLiteral("Vertical\\")));
    const QString work = ProgramPath(QStringLiteral("MenuPreview\\"));
    const QString movie = ExtractFileName(FDesign.CurrentMenuFileName);
    const QString background = ExtractFileName(FDesign.Controls.BackgroundImage);

    // A source is a template file (found without regard to case); a name that is empty or could
    // climb out of its folder counts as missing.
    auto source = [&](const QString &folder, const QString &name) {
        const QString path = name.isEmpty() ? QString() : FindTemplateFile(templates + folder, name);
        return QFileInfo(path).isFile() ? path : QString();
    };
    const QString movieSource = source(QStringLiteral("Menus"), movie);
    const QString backgroundSource = source(QStringLiteral("BGround"), background);
    const QString movieTarget = movie.isEmpty() ? QString() : SafePathUnder(work, movie);
    const QString backgroundTarget = background.isEmpty() ? QString() : SafePathUnder(work + QStringLiteral("flashmenu/"), background);

    if (movieSource.isEmpty() || backgroundSource.isEmpty() || movieTarget.isEmpty() || backgroundTarget.isEmpty()) {
        // The blank after each label doubles the label's own trailing blank, as the box always showed it.
        const QString crlf = QStringLiteral("\r\n");
        ShowMsgBox(LangMsg(119) + crlf + LangMsg(120) + QLatin1Char(' ') + movie + crlf + LangMsg(121) + QLatin1Char(' ')
                       + background,
                   mtError, mbOK);
        return false;
    }
    // Both files or neither: a half-updated project would show a movie with a background it was not
    // made for.
    RefuseOverPendingUndo(FDesign.ProgramFolder());
    if (const TCopyFailure failed =
            CopyAllOrNothing(FDesign.ProgramFolder(), {{movieSource, movieTarget}, {backgroundSource, backgroundTarget}});
        !failed.IsEmpty())
        throw Exception(CopyFailureText(
            QStringLiteral("The file \"%1\" cannot be written: %2; the project's files were not updated."), failed));
    // The project file still holds the files just replaced.
    FDesign.SetModified(true);
    ShowMsgBox(LangMsg(122), mtInformation, mbOK);
    FHost.NavigateBrowser(work + QStringLiteral("flashmenu.htm"));
    return true;
}
