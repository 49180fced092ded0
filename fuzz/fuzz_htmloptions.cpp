// HTMLOptions.xml and a template design file.
#include "Errors.h"
#include "FuzzSupport.h"
#include "uDesign.h"
#include "uHtmlOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    try {
        THtmlPageOptions options;
        ReadHtmlOptions(WriteFuzzFile(QStringLiteral("HTMLOptions.xml"), bytes), options);
        TMenuDesign design(FuzzFolder());
        ApplyTemplateDesign(WriteFuzzFile(QStringLiteral("design.xml"), bytes), design);
    } catch (const Exception &) {
    }
    return 0;
}
