// flashmenu.xml as the designer and the preview read it, with the demo-block helpers.
#include "Errors.h"
#include "FuzzSupport.h"
#include "uDesign.h"
#include "uMenuXml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const QString text = QString::fromUtf8(bytes);
    TMenuDesign design(FuzzFolder());
    try {
        design.ReadMenuXml(text);
    } catch (const Exception &) {
    }
    WriteFuzzFile(QStringLiteral("flashmenu.xml"), bytes);
    try {
        design.LoadPreviewMenuXml(FuzzFolder());
    } catch (const Exception &) {
    }
    const QString blank = BlankDemoElement(text);
    SpliceDemoText(blank, ExtractDemoElement(FuzzFolder() + QStringLiteral("/flashmenu.xml")));
    UnescapeCdataCaption(text);
    return 0;
}
