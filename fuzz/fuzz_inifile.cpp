// An ini or language file: decoding, every section read, then a value written back.
#include "Errors.h"
#include "FuzzSupport.h"
#include "IniFile.h"
#include "TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    try {
        const DecodedText decoded = DecodeText(bytes);
        QByteArray encoded;
        EncodeText(decoded.text, decoded.encoding, encoded);
        IniFile ini(WriteFuzzFile(QStringLiteral("test.ini"), bytes));
        for (const QString &section : ini.ReadSections()) {
            ini.ReadSectionValues(section);
            for (const QString &key : ini.ReadSection(section))
                ini.ReadInteger(section, key, 0);
        }
        ini.WriteString(QStringLiteral("Main"), QStringLiteral("Key"), QStringLiteral("value"));
        ini.EraseSection(QStringLiteral("Other"));
    } catch (const Exception &) {
    }
    return 0;
}
