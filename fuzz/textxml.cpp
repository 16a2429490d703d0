// Feeds the line reader and the text routines with arbitrary bytes, and holds the quick
// ways of reading (lines straight from the bytes, attributes found by name, plain whole
// numbers) to what the general ones give.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "platform/cp1250.h"
#include "platform/text_file.h"
#include "storage/text_xml.h"

#include <QLocale>
#include <cstddef>
#include <cstdint>

namespace {

void sameAttribute(const QString &name, const QString &line)
{
    const QString general = storage::ReadAttributeValue(name + QLatin1String("=\""), line);
    if (storage::DecodedAttributeText(storage::RawNamedAttribute(QStringView(name), line)) != general)
        __builtin_trap();
    bool latin1 = true;
    for (QChar c : name)
        latin1 = latin1 && c.unicode() < 0x100;
    if (latin1 && storage::ReadNamedAttribute(QLatin1String(name.toLatin1()), line) != general)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = platform::DecodeCp1250(bytes);
    if (platform::EncodeCp1250(text) != bytes)
        __builtin_trap(); // every byte must round-trip
    QStringList lines = platform::SplitLines(text);
    if (platform::DecodeLinesCp1250(bytes) != lines)
        __builtin_trap(); // the lines read straight from the bytes are the decoded text's
    storage::CutLines(lines);
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        (void)storage::ReadAttributeValue(QStringLiteral("nazwa=\""), line);
        // Any name the line begins with, quotes and all, and the names the readers ask for.
        for (const QString &name : {line.left(i % 7 + 1), QStringLiteral("nazwa"), QStringLiteral("a\"b")})
            sameAttribute(name, line);
        int plain = 0;
        if (storage::PlainInt(line, plain)) {
            bool ok = false;
            if (QLocale::c().toInt(line.trimmed(), &ok) != plain || !ok)
                __builtin_trap(); // a plain number reads as the locale's conversion reads it
        }
        (void)storage::ReadElementText(line);
        if (line.startsWith('<'))
            (void)storage::StripElementTags(line);
        int index = i;
        (void)storage::JoinContinuationLines(lines, line, index);
        if (index < i || index >= lines.size())
            __builtin_trap();
    }
    return 0;
}
