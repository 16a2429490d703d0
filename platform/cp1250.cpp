#include "platform/cp1250.h"


namespace platform {

namespace {

// Upper half of the code page; the lower half is ASCII. Bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control of the same value.
const char16_t kUpper[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Byte of every UTF-16 code unit the code page holds; 0 for the others (a character
// above 0x7F never maps to a byte below 0x80, so 0 is free to mean "not in the page").
const unsigned char *reverseTable()
{
    static const auto *table = [] {
        auto *t = new unsigned char[65536]();
        for (int i = 0; i < 128; ++i)
            t[kUpper[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

} // namespace

QString DecodeCp1250(const QByteArray &bytes)
{
    static const auto *full = [] {
        auto *t = new char16_t[256];
        for (int b = 0; b < 256; ++b)
            t[b] = b < 0x80 ? char16_t(b) : kUpper[b - 0x80];
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    auto *dst = reinterpret_cast<char16_t *>(out.data());
    const auto *src = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = full[src[i]];
    return out;
}

QByteArray EncodeCp1250(const QString &text)
{
    QByteArray out;
    out.resize(text.size());
    const QChar *src = text.constData();
    const unsigned char *rev = reverseTable();
    char *dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = src[i].unicode();
        if (c < 0x80) {
            dst[i] = static_cast<char>(c);
        } else {
            const unsigned char b = rev[c];
            dst[i] = b ? static_cast<char>(b) : '?';
        }
    }
    return out;
}

bool FitsCp1250(const QString &text)
{
    const unsigned char *rev = reverseTable();
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80 && !rev[ch.unicode()])
            return false;
    }
    return true;
}

} // namespace platform
