// The list model every view shows the workstations through: its order is the lists' Polish
// alphabetical order however it was filled, and repeated numbers are found.
#include "storage/polish_collation.h"
#include "workstation_loading/workstation_list_model.h"
#include "workstation_loading/workstation_loading.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace workstation_loading;

namespace {

// Names that differ by a Polish letter, by case, by accents of other languages, by digits,
// blanks and signs; some the order calls equal, one given twice, one empty.
const QStringList Names = {
    QStringLiteral("Tokarnia"),  QStringLiteral("Ślusarnia"),   QStringLiteral("spawalnia"),
    QStringLiteral("Spawalnia"), QStringLiteral("Łaźnia"),      QStringLiteral("Lakiernia"),
    QStringLiteral("Ląd"),       QStringLiteral("Lad"),         QStringLiteral("Żuraw"),
    QStringLiteral("Źródło"),    QStringLiteral("Zdrój"),       QStringLiteral("Ósemka"),
    QStringLiteral("Osa"),       QStringLiteral("Ćma"),         QStringLiteral("Cma"),
    QStringLiteral("Café"),      QStringLiteral("Cafe"),        QStringLiteral("Hala 10"),
    QStringLiteral("Hala 9"),    QStringLiteral("Hala-9"),      QStringLiteral("  Hala"),
    QStringLiteral("Straße"),    QStringLiteral("Strasse"),     QStringLiteral("Ęć"),
    QStringLiteral("Ec"),        QStringLiteral("Tokarnia"),    QString(),
    QStringLiteral("\u00AD"),    QStringLiteral("Ńańa"),        QStringLiteral("Nana")};

storage::WorkstationList listOf(const QStringList &names, int firstId = 1)
{
    storage::WorkstationList list;
    for (int i = 0; i < names.size(); ++i)
        list.push_back(std::make_unique<storage::TStanowisko>(QString::number(firstId + i), names[i],
                                                               QStringLiteral("stan_%1").arg(firstId + i)));
    return list;
}

QStringList rows(const TWorkstationListModel &m, int role = Qt::DisplayRole)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r).data(role).toString();
    return out;
}

// The order the lists have always had: ListTextLess, equal texts as they came.
QStringList expectedIds(const storage::WorkstationList &list)
{
    std::vector<const storage::TStanowisko *> sorted;
    for (const auto &w : list)
        sorted.push_back(w.get());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto *a, const auto *b) { return ListTextLess(a->nazwa, b->nazwa); });
    QStringList ids;
    for (const auto *w : sorted)
        ids << w->id;
    return ids;
}

} // namespace

TEST(WorkstationListModel, SortKeysOrderAsThePolishComparisonDoes)
{
    for (const QString &a : Names)
        for (const QString &b : Names) {
            const int byKey = storage::PolishSortKey(a) < storage::PolishSortKey(b)   ? -1
                              : storage::PolishSortKey(b) < storage::PolishSortKey(a) ? 1
                                                                                      : 0;
            const int c = storage::ComparePolish(a, b);
            EXPECT_EQ(byKey, (c > 0) - (c < 0)) << a.toStdString() << " / " << b.toStdString();
        }
}

TEST(WorkstationListModel, RowsStandInTheListsOrderWhateverTheOrderFilledOrAddedIn)
{
    for (int rotation = 0; rotation < Names.size(); rotation += 7) {
        const QStringList names = Names.mid(rotation) + Names.mid(0, rotation);
        const storage::WorkstationList list = listOf(names);
        TWorkstationListModel filled;
        filled.Fill(list);
        EXPECT_EQ(rows(filled, TWorkstationListModel::IdRole), expectedIds(list));
        TWorkstationListModel added;
        for (const auto &w : list)
            added.Add(*w);
        EXPECT_EQ(rows(added, TWorkstationListModel::IdRole), expectedIds(list));
    }
}

TEST(WorkstationListModel, RepeatedNumbersAreFoundAndTheFirstRowOfANumberIsFound)
{
    storage::WorkstationList list = listOf({"C", "B", "A", "E", "D", "F"});
    list[3]->id = "1"; // "E" takes the number of "C"
    list[4]->id = "2"; // "D" of "B"
    list[5]->id = "1"; // "F" of "C" too
    TWorkstationListModel m;
    m.Fill(list);
    EXPECT_EQ(m.RepeatedIds(), QStringList({"1", "2"}));
    EXPECT_EQ(m.RowOf("1"), 2); // "C" stands before "E" and "F"
    EXPECT_EQ(m.RowOf("9"), -1);
    m.Remove("1");
    EXPECT_EQ(rows(m), QStringList({"A", "B", "D"}));
    m.Fill(listOf({"X", "Y"}));
    EXPECT_TRUE(m.RepeatedIds().isEmpty());
}

TEST(WorkstationListModel, ARowFindsItsWorkstationInTheListAsItIsNow)
{
    const storage::WorkstationList first = listOf({"B", "A"});
    TWorkstationListModel m;
    m.Fill(first);
    EXPECT_EQ(m.WorkstationAt(0, first), first[1].get());
    const storage::WorkstationList reread = listOf({"B", "A"});
    EXPECT_EQ(m.WorkstationAt(0, reread), reread[1].get());
    EXPECT_EQ(m.WorkstationAt(0, listOf({"B"})), nullptr);
    EXPECT_EQ(m.WorkstationAt(2, first), nullptr);
    EXPECT_EQ(m.WorkstationAt(-1, first), nullptr);
}
