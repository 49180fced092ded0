#pragma once
// Paths built from stored names. Stored texts keep their form ("flashmenu\x.jpg", "Templates\Horizontal\");
// these helpers turn them into native paths only where a file is touched.
#include <QString>
#include <QStringList>

// Name parts of a stored relative name, split on "\" and "/", empty parts dropped.
QStringList SplitNameParts(const QString &stored);

// base + stored name as a native path ("/" separators). Does not check where it leads.
QString NativePath(const QString &base, const QString &stored);

// The absolute path the system reaches by this one once its missing folders are made (mkpath): each
// part looked up in turn from the root, a link replaced by its target before the parts after it (so
// "link/.." is the folder above the link's target, not the folder holding the link), the last part
// too, and a missing part taken for a new folder that ".." climbs back out of. A missing last part
// is kept as written. "" where the system refuses the name (a part after a file, a trailing "/"
// after a file, links that go round), with the system's errno in error when given.
QString ResolvedPath(const QString &path, int *error = nullptr);

// The native path of an untrusted name under base, or "" when the name has a root, a drive, a ".."
// part, or resolves (links followed) outside base. Every name read from a file goes through here.
QString SafePathUnder(const QString &base, const QString &untrusted);

// A template file found without regard to case under base (the real spelling on disk), or "" when
// none exists. The user's own files are matched exactly and do not use this.
QString FindTemplateFile(const QString &base, const QString &stored);

// Whether a name the user picked is a full path: a drive letter ("C:"), a network share ("\\host")
// or a rooted path here ("/").
bool HasDrivePart(const QString &name);

// A folder path with exactly one trailing "/".
QString WithSlash(const QString &folder);
