#include "uExtensionRegister.h"

#include "Paths.h"

#include <QRegularExpression>

namespace {

bool validExtension(const QString &ext)
{
    static const QRegularExpression plain(QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9]+")));
    return plain.match(ext).hasMatch();
}

QString fileStem(const QString &ext) { return QStringLiteral("tolvanar-") + ext.toLower(); }

} // namespace

QString FileTypeMimeName(const QString &ext)
{
    return QStringLiteral("application/x-tolvanar-") + ext.toLower();
}

QString MimePackageFileName(const XdgDataPaths &paths, const QString &ext)
{
    return WithSlash(paths.dataHome) + QStringLiteral("mime/packages/") + fileStem(ext) + QStringLiteral(".xml");
}

QString DesktopEntryFileName(const XdgDataPaths &paths, const QString &ext)
{
    return WithSlash(paths.dataHome) + QStringLiteral("applications/") + fileStem(ext) + QStringLiteral(".desktop");
}

QByteArray MimePackageText(const QString &ext)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <glob pattern=\"*.%2\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(FileTypeMimeName(ext), ext)
        .toUtf8();
}

QByteArray DesktopEntryText(const QString &ext, const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tolvanar\n"
                          "Exec=%1\n"
                          "MimeType=%2;\n"
                          "NoDisplay=true\n")
        .arg(DesktopEntryEscape(DesktopExecArgument(programPath) + QStringLiteral(" %f")), FileTypeMimeName(ext))
        .toUtf8();
}

RegisterResult RegisterFileExtension(const QString &ext, const QString &programPath, const XdgDataPaths &paths,
                                     const QString &updateTool, int timeoutMs)
{
    if (!validExtension(ext) || paths.dataHome.isEmpty() || programPath.isEmpty()
        || programPath.contains(QLatin1Char('\n')) || programPath.contains(QLatin1Char('\r')))
        return RegisterResult::Failed;
    if (MimeDatabaseKnowsExtension(paths, ext))
        return RegisterResult::AlreadyKnown;
    // The package is what marks the extension as known: it goes last.
    if (!WriteFileReplacing(DesktopEntryFileName(paths, ext), DesktopEntryText(ext, programPath)))
        return RegisterResult::Failed;
    if (!WriteFileReplacing(MimePackageFileName(paths, ext), MimePackageText(ext)))
        return RegisterResult::Failed;
    RunMimeDatabaseUpdate(WithSlash(paths.dataHome) + QStringLiteral("mime"), timeoutMs, updateTool);
    return RegisterResult::Registered;
}

RegisterResult RegisterFileExtension(const QString &ext, const QString &programPath)
{
    return RegisterFileExtension(ext, programPath, XdgDataPathsFromEnvironment());
}
