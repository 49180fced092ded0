// A project or package archive unpacked into a fresh folder: inputs of odd length under the
// program's own caps, the others under small ones.
#include "Errors.h"
#include "FuzzSupport.h"
#include "ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString archive = WriteFuzzFile(QStringLiteral("input.zip"), FuzzBytes(data, size));
    QTemporaryDir target;
    try {
        TZipLimits limits;
        if (size % 2 == 0) {
            limits.MaxMemberSize = 1 << 20;
            limits.MaxTotalSize = 4 << 20;
            limits.RatioFloor = 16 << 10;  // below the member cap, so the ratio check is reached
        }
        TZipReader reader(archive, limits);
        reader.ExtractAll(target.path());
    } catch (const Exception &) {
    }
    return 0;
}
