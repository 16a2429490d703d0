#include "storage/employment_counts.h"

#include "storage/text_xml.h"
#include "storage/workstation_files.h"

namespace storage {

namespace {

enum Column { Rok, Mezczyzni, Kobiety, KobietyCiez, Mlodociani, NocnaZm, PrzekrNDS, ColumnCount };

double count(const QString &text)
{
    double value = 0;
    return TryToDouble(NumberWithPoint(text.trimmed()), value) ? value : 0;
}

QString quoted(Column c)
{
    return QLatin1Char('"') + EmploymentColumnTitles()[c] + QLatin1Char('"');
}

} // namespace

const QStringList &EmploymentColumnTitles()
{
    static const QStringList titles = {QStringLiteral("Rok"),
                                       QStringLiteral("Mężczyźni"),
                                       QStringLiteral("Kobiety ogółem"),
                                       QStringLiteral("Kobiety w ciąży"),
                                       QStringLiteral("Młodociani"),
                                       QStringLiteral("Pora nocna"),
                                       QStringLiteral("Narażeni")};
    return titles;
}

QString EmploymentCountProblem(const TZatrudn &z)
{
    const QStringList cells = z.Columns();
    double n[ColumnCount] = {};
    for (int c = Mezczyzni; c < ColumnCount; ++c) {
        n[c] = count(cells[c]);
        if (n[c] < 0)
            return QStringLiteral("Liczba w kolumnie %1 nie może być ujemna.").arg(quoted(Column(c)));
    }
    const auto shown = [&](Column c) {
        return cells[c].trimmed().isEmpty() ? QStringLiteral("0") : cells[c].trimmed();
    };
    if (n[KobietyCiez] > n[Kobiety])
        return QStringLiteral("Liczba w kolumnie %1 (%2) nie może być większa niż liczba w kolumnie %3 (%4).")
            .arg(quoted(KobietyCiez), shown(KobietyCiez), quoted(Kobiety), shown(Kobiety));
    const double everyone = n[Mezczyzni] + n[Kobiety] + n[Mlodociani];
    for (Column c : {PrzekrNDS, NocnaZm}) {
        if (n[c] > everyone)
            return QStringLiteral("Liczba w kolumnie %1 (%2) nie może być większa niż liczba zatrudnionych ogółem "
                                  "(%3: %4 + %5 + %6).")
                .arg(quoted(c), shown(c), QString::number(everyone), quoted(Mezczyzni), quoted(Kobiety),
                     quoted(Mlodociani));
    }
    return QString();
}

} // namespace storage
