// flashmenu.xml as the designer and the preview read it, with the demo-block helpers.
#include "Errors.h"
#include "FuzzSupport.h"
#include "uDesign.h"
#include "uMenuXml.h"
#include "uXMLUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const QString text = QString::fromUtf8(bytes);
    // Made once: the design's entry table is large, and every read starts from a reset.
    static TMenuDesign design(FuzzFolder());
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
    try {
        TXMLUtils xml(text);
        xml.GetSoundSrc();
        xml.GetBackgroundSrc();
        xml.GetButtonType();
        xml.GetMainImgSrc();
        xml.GetMenuFileSrc();
        xml.GetBackgroundWidth();
        xml.GetBackgroundHeight();
        for (int n = 0; n <= 5; ++n)
            xml.GetIconLinkImg(n);
        xml.SetIconLinkImg(2, QStringLiteral("i.png"));
        xml.SetMenuFileSrc(QStringLiteral("m.swf"));
        xml.GetXml();
    } catch (const Exception &) {
    }
    return 0;
}
