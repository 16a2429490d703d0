#pragma once

// What the round-trip targets share. Each builds a record of its file kind from the input,
// every text drawn from pieces a stored value has to survive - attribute names with "=\"",
// quotes and the two escapes, markup and the file kind's own tags, blanks at either end,
// line breaks, every Windows-1250 letter and the characters of the bytes 0x80-0x9F, and a
// letter outside the code page - writes it as the program writes that kind, reads it back
// and requires what was written, unless the writer refused the record and said why.

#include "fuzz/fuzz_support.h"
#include "platform/cp1250.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace roundtrip {

inline void Require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// The pieces texts are made of; tags are the file kind's element names.
inline QStringList HostilePieces(const QStringList &tags)
{
    // The attribute names of every file kind, as a value's end (the closing quote then
    // completes the key) and as a key of its own.
    static const char *const names[] = {
        "kat_dane",   "nazwa",  "id",        "ident",      "frm_dane", "aktual",  "aktualny", "wer_dok",   "rodzinf",
        "data",       "pData",  "pRodzInf",  "katalog",    "plik",     "ver",     "ver_pom",  "szkod",     "idczynn",
        "nr",         "typ",    "nrzal",     "nrwyb",      "mscPom",   "ocenam",  "numer",    "oper",      "ikona",
        "par1",       "etyk",   "zal",       "druk",       "ppow",     "ile",     "param",    "nds",       "ndsp",
        "Typ",        "NrPoz",  "OpisPodst", "Wartosc",    "function", "szerkol", "par2",     "par3",      "OpisUszcz1",
        "OpisUszcz2", "grzagr", "interwyn",  "katfrm",     "katzal",   "metpom",  "ndsch",    "nrcas",     "nrkarty",
        "ozndod",     "plikWl", "rozm",      "srodogrryz", "szer",     "typczyn", "typh",     "uszgrzagr", "wykpom",
        "wys",        "zwroth"};
    QStringList pieces;
    for (const char *name : names)
        pieces << QLatin1String(name) + QLatin1Char('=')
               << QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"");
    pieces += {QStringLiteral("ver=\"9\""),  QStringLiteral("idczynn=\"7\""),
               QStringLiteral("nr=\"3\" "),  QStringLiteral("=\""),
               QStringLiteral("="),          QStringLiteral("\""),
               QStringLiteral("'"),          QStringLiteral("&quot;"),
               QStringLiteral("&amp;"),      QStringLiteral("&"),
               QStringLiteral("&amp;quot;"), QStringLiteral("<"),
               QStringLiteral(">"),          QStringLiteral("</"),
               QStringLiteral("/>"),         QStringLiteral(" "),
               QStringLiteral("  "),         QStringLiteral("\t"),
               QStringLiteral("\n"),         QStringLiteral("\r"),
               QStringLiteral("Ж"),          QStringLiteral("a"),
               QStringLiteral("Z"),          QStringLiteral("0"),
               QStringLiteral("7")};
    for (const QString &tag : tags)
        pieces << QLatin1Char('<') + tag + QLatin1Char(' ') << QLatin1Char('<') + tag + QLatin1Char('>')
               << QLatin1String("</") + tag + QLatin1Char('>');
    for (int byte = 0x80; byte <= 0xff; ++byte)
        pieces << platform::DecodeCp1250(QByteArray(1, char(byte)));
    return pieces;
}

// Draws the record from the input, one byte at a time; an input used up gives zeros.
class Input
{
public:
    Input(const uint8_t *data, size_t size, const QStringList &tags)
        : m_data(data), m_size(size), m_pieces(HostilePieces(tags))
    {
    }

    int Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    int Number(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }
    bool Flag() { return Byte() & 1; }
    // A text of up to five pieces.
    QString Text()
    {
        QString text;
        for (int n = Number(0, 5); n > 0; --n) {
            const int high = Byte();
            text += m_pieces[(high * 256 + Byte()) % int(m_pieces.size())];
        }
        return text;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
    QStringList m_pieces;
};

// For the kinds the program only reads (the installation writes them): an attribute as
// the line templates write it, and whether a text can stand in its place at all - the
// refusal those files' writer has to make.
inline QString Attr(const char *name, const QString &value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), storage::AttributeText(value));
}

inline bool Storable(const QString &text, storage::TextPlace place)
{
    return storage::UnstorablePart(text, place).isEmpty();
}

} // namespace roundtrip
