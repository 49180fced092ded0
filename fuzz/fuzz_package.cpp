// A template package installed into a scratch program folder.
#include "Errors.h"
#include "FuzzSupport.h"
#include "MessageBox.h"
#include "Messages.h"
#include "uDesign.h"
#include "uPackages.h"

#include <QDir>

namespace {
struct NoHost : IPackageHost {
    QString ChooseOpenFile(const TFileDialogSetup &) override { return QString(); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        SetDefaultTexts();
        SetMessageBoxHandler([](const MessageBoxRequest &) { return int(mrOK); });
        return true;
    }();
    (void)ready;
    QTemporaryDir program;
    QDir(program.path()).mkpath(QStringLiteral("Templates/Horizontal/Menus"));
    QDir(program.path()).mkpath(QStringLiteral("Templates/Vertical/Menus"));
    QFile ini(program.path() + QStringLiteral("/tolvanar.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[Horizontal]\nmenu.swf=Templates\\Horizontal\\Menus\n"
                  "[Vertical]\nmenu.swf=Templates\\Vertical\\Menus\n");
    ini.close();
    const QString package = program.path() + QStringLiteral("/input.tvm");
    QFile f(package);
    if (f.open(QIODevice::WriteOnly))
        f.write(FuzzBytes(data, size));
    f.close();
    try {
        TMenuDesign design(program.path());
        NoHost host;
        TZipLimits limits;
        limits.MaxMemberSize = 1 << 20;
        limits.MaxTotalSize = 4 << 20;
        TPackages(design, host, limits).InstallPackage(package);
    } catch (const Exception &) {
    }
    return 0;
}
