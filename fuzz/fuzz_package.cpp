// A template package installed into a scratch program folder. The first input byte picks the
// setting: bit 0, a settings file of the input's own follows up to the first NUL byte; bit 1, new
// templates go on top of the lists; bit 2, the horizontal template folders are plain files, so
// every copy into them fails (the on-top lists are read from the settings as at start); bit 3, the maps point outside the program folder; bit 4, the
// program's own unpack caps instead of small ones. The rest is the package.
#include "Errors.h"
#include "FuzzSupport.h"
#include "MessageBox.h"
#include "Messages.h"
#include "uDesign.h"
#include "uGlobal.h"
#include "uPackages.h"
#include "uSettings.h"

#include <QDir>

namespace {
struct FuzzHost : IPackageHost {
    bool onTop = false;
    QString ChooseOpenFile(const TFileDialogSetup &) override { return QString(); }
    bool LatestButtonsOnTop() const override { return onTop; }
};

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        SetDefaultTexts();
        SetMessageBoxHandler([](const MessageBoxRequest &) { return int(mrOK); });
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];
    QByteArray rest = FuzzBytes(data + 1, size - 1);
    // The shipped installation maps, with their folders made.
    QByteArray settings;
    QStringList folders;
    for (const char *orientation : {"Horizontal", "Vertical"}) {
        settings += QByteArray("[") + orientation + "]\n";
        for (const auto &[file, sub] : {std::pair{"menu.swf", "Menus"}, {"menu.jpg", "Menus\\Thumbnail"},
                                        {"menu_narrow.jpg", "Menus\\Thumbnail_Narrow"}, {"template.xml", "Template"},
                                        {"template.jpg", "Template\\Thumbnail"}, {"background.jpg", "BGround"},
                                        {"background_thumb.jpg", "BGround\\Thumbnail"}}) {
            const QByteArray folder = QByteArray("Templates\\") + orientation + "\\" + sub;
            folders << QString::fromLatin1(folder).replace(QLatin1Char('\\'), QLatin1Char('/'));
            settings += QByteArray(file) + "=" + ((flags & 8) ? "..\\..\\" + folder : folder) + "\n";
        }
    }
    if (flags & 1) {
        const qsizetype nul = rest.indexOf('\0');
        settings = nul < 0 ? rest : rest.left(nul);
        rest = nul < 0 ? QByteArray() : rest.mid(nul + 1);
    }
    // One program folder and design for the whole run: the design's entry table is large to make.
    static QTemporaryDir program;
    static TMenuDesign design(program.path());
    QDir dir(program.path());
    dir.removeRecursively();
    dir.mkpath(program.path());
    for (const QString &folder : folders)
        if (!(flags & 4) || !folder.startsWith(QLatin1String("Templates/Horizontal/Menus")))
            dir.mkpath(folder);
    if (flags & 4)
        WriteBytes(program.path() + QStringLiteral("/Templates/Horizontal/Menus"), "not a folder");
    WriteBytes(program.path() + QStringLiteral("/tolvanar.ini"), settings);
    const QString package = program.path() + QStringLiteral("/input.tvm");
    WriteBytes(package, rest);
    HorzTop.clear();
    VertTop.clear();
    HorzTopSpec.clear();
    VertTopSpec.clear();
    try {
        // The on-top lists as the program reads them at start, from the same settings file.
        TOptions options;
        ReadMenuListOptions(program.path(), options);
        FuzzHost host;
        host.onTop = (flags & 2) || options.LatestButtonsOnTop;
        TZipLimits limits;
        if (!(flags & 16)) {
            limits.MaxMemberSize = 1 << 20;
            limits.MaxTotalSize = 4 << 20;
            limits.RatioFloor = 16 << 10;  // below the member cap, so the ratio check is reached
        }
        TPackages(design, host, limits).InstallPackage(package);
    } catch (const Exception &) {
    }
    return 0;
}
