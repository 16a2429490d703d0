#pragma once

// Polish alphabetical order without the ICU collation library: the lists order their
// entries the way the Polish collation does (the letters a ą b c ć d e ę f g h i j k l ł m
// n ń o ó p q r s ś t u v w x y z ź ż, other accented letters with their base letter and
// after it, digits before letters, blanks and punctuation before digits), case and the
// control characters ignored. The collation library would cost every start of the program
// some 2 MiB of memory for the first sorted list; this order needs a few kilobytes.
//
// What it guarantees: for texts made of characters of the Windows-1250 code page (the only
// ones the files can hold), the sign of ComparePolish equals the sign of a Polish QCollator
// set to ignore case. Other characters get a fixed place: accented letters of the Latin
// alphabet next to their base letter, other letters after "ż", other symbols just before
// the digits, each ordered by its code.

#include <QByteArray>
#include <QStringView>

namespace storage {

// Negative, zero or positive as a sorts before, with or after b. Texts that differ only in
// case (or in characters the order ignores) compare equal.
int ComparePolish(QStringView a, QStringView b);

// The text's place in that order as bytes: the sign of a byte-wise comparison of two keys
// equals the sign of ComparePolish. A list sorts by keys made once per text, where a
// comparison of the texts themselves works out both texts' weights each time.
QByteArray PolishSortKey(QStringView text);

} // namespace storage
