// A project or package archive unpacked into a fresh folder.
#include "Errors.h"
#include "FuzzSupport.h"
#include "ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString archive = WriteFuzzFile(QStringLiteral("input.zip"), FuzzBytes(data, size));
    QTemporaryDir target;
    try {
        TZipLimits limits;
        limits.MaxMemberSize = 1 << 20;
        limits.MaxTotalSize = 4 << 20;
        TZipReader reader(archive, limits);
        reader.ExtractAll(target.path());
    } catch (const Exception &) {
    }
    return 0;
}
