#include "storage/employment_counts.h"
#include "storage/workstation_files.h"

#include <gtest/gtest.h>

using storage::EmploymentCountProblem;
using storage::TZatrudn;

// Every impossible year is refused with a message naming its columns; every possible one,
// whatever its spelling (empty counts, decimal commas), passes.
TEST(EmploymentCounts, ImpossibleYearsAreNamedByTheirColumns)
{
    const struct
    {
        TZatrudn year; // year, men, women, pregnant, juveniles, night, exposed
        QStringList named;
    } cases[] = {
        {{"2024", "5", "7", "7", "1", "13", "13"}, {}},
        {{"2024", "0", "2,5", "2", "0", "1", "2.5"}, {}},
        {{"2024", "5", "7", "9", "0", "0", "0"}, {"\"Kobiety w ciąży\" (9)", "\"Kobiety ogółem\" (7)"}},
        {{"2024", "5", "", "1", "0", "0", "0"}, {"\"Kobiety w ciąży\" (1)", "\"Kobiety ogółem\" (0)"}},
        {{"2024", "5", "7", "0", "1", "0", "14"}, {"\"Narażeni\" (14)", "13", "\"Mężczyźni\"", "\"Młodociani\""}},
        {{"2024", "5", "7", "0", "1", "14", "0"}, {"\"Pora nocna\" (14)", "13"}},
        {{"2024", "-1", "7", "0", "0", "0", "0"}, {"\"Mężczyźni\"", "ujemna"}},
        {{"-2024", "5", "7", "0", "0", "0", "0"}, {}}, // the year is no count
    };
    for (const auto &c : cases) {
        const QString problem = EmploymentCountProblem(c.year);
        SCOPED_TRACE(c.year.Columns().join(' ').toStdString() + " -> " + problem.toStdString());
        EXPECT_EQ(problem.isEmpty(), c.named.isEmpty());
        for (const QString &name : c.named)
            EXPECT_TRUE(problem.contains(name)) << name.toStdString();
    }
}
