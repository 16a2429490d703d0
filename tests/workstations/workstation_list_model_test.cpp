// The list model every view shows the workstations through: its order is the lists' Polish
// alphabetical order however it was filled, and repeated numbers are found.
#include "storage/polish_collation.h"
#include "tests/support/model_list.h"
#include "workstation_loading/workstation_list_model.h"

#include <gtest/gtest.h>

using namespace workstation_loading;

namespace {

storage::WorkstationList listOf(const QStringList &names)
{
    storage::WorkstationList list;
    for (int i = 0; i < names.size(); ++i)
        list.push_back(std::make_unique<storage::TStanowisko>(QString::number(i + 1), names[i],
                                                              QStringLiteral("stan_%1").arg(i + 1)));
    return list;
}

} // namespace

// Names that differ by a Polish letter, by case, by accents of other languages, by digits,
// blanks and signs, some the order calls equal, one given twice, one empty: in the lists'
// order however they were filled or added, each row with its own number.
TEST(WorkstationListModel, RowsStandInPolishOrderWhateverTheOrderFilledOrAddedIn)
{
    const QStringList sorted = QStringLiteral("|\u00AD|  Hala|Cafe|Café|Cma|Ćma|Ec|Ęć|Hala 10|Hala 9|Hala-9|Lad|"
                                              "Lakiernia|Ląd|Łaźnia|Nana|Ńańa|Osa|Ósemka|Spawalnia|spawalnia|Strasse|"
                                              "Straße|Ślusarnia|Tokarnia|Tokarnia|Zdrój|Źródło|Żuraw")
                                   .split('|');
    for (const QString &a : sorted) // the sort keys order as the lists' comparison does
        for (const QString &b : sorted) {
            const int key = storage::PolishSortKey(a).compare(storage::PolishSortKey(b));
            const int c = storage::ComparePolish(a, b);
            EXPECT_EQ((key > 0) - (key < 0), (c > 0) - (c < 0)) << a.toStdString() << " / " << b.toStdString();
        }
    for (int rotation = 0; rotation < sorted.size(); rotation += 7) {
        QStringList names(sorted.rbegin(), sorted.rend());
        names = names.mid(rotation) + names.first(rotation);
        const storage::WorkstationList list = listOf(names);
        TWorkstationListModel filled, added;
        filled.Fill(list);
        for (const auto &w : list)
            added.Add(*w);
        for (const TWorkstationListModel *m : {&filled, &added}) {
            EXPECT_EQ(testsupport::ListTexts(m), sorted);
            for (int r = 0; r < m->rowCount(); ++r) // equal names in list order
                EXPECT_TRUE(names[m->IdAt(r).toInt() - 1] == sorted[r] &&
                            (r == 0 || sorted[r] != sorted[r - 1] || m->IdAt(r).toInt() > m->IdAt(r - 1).toInt()))
                    << rotation << ", " << r;
        }
    }
}

TEST(WorkstationListModel, RepeatedNumbersAreFoundAndARowFindsItsWorkstationInTheListAsItIsNow)
{
    storage::WorkstationList list = listOf({"C", "B", "A", "E", "D", "F"});
    list[3]->id = list[5]->id = "1"; // "E" and "F" take the number of "C"
    list[4]->id = "2";               // "D" of "B"
    TWorkstationListModel m;
    m.Fill(list);
    EXPECT_EQ(m.RepeatedIds(), QStringList({"1", "2"}));
    EXPECT_EQ(m.RowOf("1"), 2); // "C" stands before "E" and "F"
    m.Remove("1");
    EXPECT_EQ(testsupport::ListTexts(&m), QStringList({"A", "B", "D"}));
    const storage::WorkstationList first = listOf({"B", "A"}), reread = listOf({"B", "A"});
    m.Fill(first);
    EXPECT_TRUE(m.RepeatedIds().isEmpty());
    EXPECT_EQ(m.WorkstationAt(0, reread), reread[1].get());
    EXPECT_EQ(m.WorkstationAt(0, listOf({"B"})), nullptr);
}
