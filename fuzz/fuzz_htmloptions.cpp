// HTMLOptions.xml and a template design file.
#include "Errors.h"
#include "FuzzSupport.h"
#include "uDesign.h"
#include "uHtmlOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    // Made once: the design's entry table is large, and a template design sets only its look.
    static TMenuDesign design(FuzzFolder());
    try {
        THtmlPageOptions options;
        ReadHtmlOptions(WriteFuzzFile(QStringLiteral("HTMLOptions.xml"), bytes), options);
        ApplyTemplateDesign(WriteFuzzFile(QStringLiteral("design.xml"), bytes), design);
    } catch (const Exception &) {
    }
    return 0;
}
