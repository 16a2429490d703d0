// Feeds the line reader and the text routines with arbitrary bytes.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "platform/cp1250.h"
#include "platform/text_file.h"
#include "storage/text_xml.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = platform::DecodeCp1250(bytes);
    if (platform::EncodeCp1250(text) != bytes)
        __builtin_trap(); // every byte must round-trip
    QStringList lines = platform::SplitLines(text);
    storage::CutLines(lines);
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        (void)storage::ReadAttributeValue(QStringLiteral("nazwa=\""), line);
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
