#pragma once
// File types of the program's own files (".tvp" projects, ".tvm" template packages) for the
// desktop: a shared-mime-info package and a desktop entry that opens the file with the program.
#include "FreedesktopMime.h"

#include <QByteArray>
#include <QString>

enum class RegisterResult { AlreadyKnown, Registered, Failed };

// "application/x-tolvanar-" + ext.
QString FileTypeMimeName(const QString &ext);
QString MimePackageFileName(const XdgDataPaths &paths, const QString &ext);
QString DesktopEntryFileName(const XdgDataPaths &paths, const QString &ext);
QByteArray MimePackageText(const QString &ext);
QByteArray DesktopEntryText(const QString &ext, const QString &programPath);

// ext is without its point, letters and digits only. When the MIME database already knows a type for
// the extension nothing is written, whatever program that type opens. Otherwise the desktop entry,
// then the package are written and the database is rebuilt with the update tool when it is
// installed (never waiting longer than timeoutMs). A failed write leaves no package behind, so the
// next start tries again.
RegisterResult RegisterFileExtension(const QString &ext, const QString &programPath, const XdgDataPaths &paths,
                                     const QString &updateTool = QStringLiteral("update-mime-database"),
                                     int timeoutMs = 15000);
// The same with the data folders of the environment.
RegisterResult RegisterFileExtension(const QString &ext, const QString &programPath);
