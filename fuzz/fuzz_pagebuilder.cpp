// Page options and a page template: the input's first line ends the options text, the rest is the
// template every page is filled from.
#include "Errors.h"
#include "FuzzSupport.h"
#include "Messages.h"
#include "uPageBuilder.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        SetDefaultTexts();
        return QDir(FuzzFolder()).mkpath(QStringLiteral("Templates/Horizontal/HTML"));
    }();
    (void)ready;
    const QByteArray bytes = FuzzBytes(data, size);
    const qsizetype cut = bytes.indexOf('\n');
    const QString options = DecodeUtf8Text(cut < 0 ? bytes : bytes.left(cut));
    const QByteArray page = cut < 0 ? QByteArray() : bytes.mid(cut + 1);
    const QString html = FuzzFolder() + QStringLiteral("/Templates/Horizontal/HTML/");
    for (const char *name : {"Template.htm", "TemplateFrame.htm", "TemplateNonFrame.htm", "MenuScript.htm", "AC_RunActiveContent.js"}) {
        QFile f(html + QLatin1String(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    }
    TTemplateEnv env;
    env.ProgramFolder = FuzzFolder();
    try {
        ReadPageOptionValues(options);
        CutPageBody(DecodeUtf8Text(page));
        BuildTemplatePage(env, options, QStringLiteral("menu.swf"), 300, 200, true, true, false);
        BuildFramePage(env, options, false, true, 300, 0);
        BuildNonFramePage(env, options, QStringLiteral("<b>menu</b>"), QStringLiteral("<p>body</p>"), 1, true, true);
    } catch (const Exception &) {
    }
    return 0;
}
