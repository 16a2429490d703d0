// Feeds the line reader and the text routines with arbitrary bytes, and holds the quick
// ways of reading (lines straight from the bytes, plain whole numbers) to what the general
// ones give, and every way of reading an attribute to the one scanner.
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
    // The routine the readers have always named reads the one scanner.
    if (!name.isEmpty() && storage::ReadAttributeValue(name + QLatin1String("=\""), line) !=
                               storage::ElementTag(line).Value(QStringView(name)))
        __builtin_trap();
}

// A tag followed over pieces of its text ends where the scanner ends it, and any text
// written as an attribute's value reads back as it was.
void tagRules(const QString &text, int split)
{
    const storage::ElementTag tag(text);
    storage::TagEndScan scan;
    const qsizetype at = text.isEmpty() ? 0 : split % (text.size() + 1);
    const bool closed = scan.Feed(QStringView(text).first(at)) || scan.Feed(QStringView(text).sliced(at));
    if (closed != tag.Closed())
        __builtin_trap();
    const QString line = QStringLiteral("<x a=\"") + storage::AttributeText(text) + QStringLiteral("\" b='1'>");
    const storage::ElementTag written(line);
    if (written.Value(u"a") != text || written.Value(u"b") != QLatin1String("1") || !written.Closed())
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
        tagRules(line, i * 7 + int(size));
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
