#include "storage/employment_counts.h"
#include "storage/workstation_files.h"

#include <gtest/gtest.h>

// Every impossible year is refused with a message naming its columns; every possible one,
// whatever its spelling (empty counts, decimal commas), passes. (The grid refusing a typed
// count, the negative one and pregnant above women among them, is tried in frm_def_stan_test.)
TEST(EmploymentCounts, ImpossibleYearsAreNamedByTheirColumns)
{
    // year, men, women, pregnant, juveniles, night, exposed; what the message names
    const std::pair<storage::TZatrudn, QStringList> cases[] = {
        {{"2024", "5", "7", "7", "1", "13", "13"}, {}},
        {{"2024", "0", "2,5", "2", "0", "1", "2.5"}, {}},
        {{"-2024", "5", "7", "0", "0", "0", "0"}, {}}, // the year is no count
        {{"2024", "5", "", "1", "0", "0", "0"}, {"\"Kobiety w ciąży\" (1)", "\"Kobiety ogółem\" (0)"}},
        {{"2024", "5", "7", "0", "1", "0", "14"}, {"\"Narażeni\" (14)", "13", "\"Mężczyźni\"", "\"Młodociani\""}},
        {{"2024", "5", "7", "0", "1", "14", "0"}, {"\"Pora nocna\" (14)", "13"}},
    };
    for (const auto &[year, named] : cases) {
        const QString problem = storage::EmploymentCountProblem(year);
        SCOPED_TRACE(year.Columns().join(' ').toStdString() + " -> " + problem.toStdString());
        EXPECT_EQ(problem.isEmpty(), named.isEmpty());
        for (const QString &name : named)
            EXPECT_TRUE(problem.contains(name)) << name.toStdString();
    }
}
