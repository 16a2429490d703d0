// Saves killed at random moments: the program saving workstations over and over is killed
// fifty times, and each next start finds the list and every workstation file whole and no
// temporary file left beside them.
#include "appstate/appstate.h"
#include "storage/workstation_files.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstation_loading/workstation_loading.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace storage;

TEST(InterruptedSaves, FiftyKillsLeaveEveryFileWholeAndNoTemporaryFileAfterTheNextStart)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    auto &state = appstate::State();
    state.DataFolder = QStringLiteral("dane\\");
    state.CatalogueFolder = QStringLiteral("poradn\\");
    state.ViewName = QStringLiteral("frmDefStan");
    state.Workstations.clear();
    for (int i = 1; i <= 3; ++i) {
        state.Workstations.push_back(std::make_unique<TStanowisko>(QString::number(i), QStringLiteral("Stanowisko %1").arg(i),
                                                                   QStringLiteral("stan_%1").arg(i)));
        ASSERT_TRUE(WriteWorkstationWithList(state.DataFolder, *state.Workstations.back(), state.Workstations));
    }
    // What a save killed between writing and renaming leaves, and names that only look alike.
    fx.Write("dane/struktura_dane.xml.Kx3_9q", "przerwany zapis");
    fx.Write("dane/stan_2/stanowisko_dane.xml.abcDEF", "przerwany zapis");
    const QStringList foreign = {"dane/struktura_dane.xml.kopia", "dane/notatki.txt.abcdef", "dane/stan_1/opis.xml.bak"};
    for (const QString &f : foreign)
        fx.Write(f, "plik użytkownika");

    QRandomGenerator random(38);
    for (int kill = 0; kill < 50; ++kill) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            // Each save changes a workstation, its size from a few bytes to kilobytes, and its name in the list.
            for (int n = 0;; ++n) {
                TStanowisko &w = *state.Workstations[size_t(n % 3)];
                w.Opis = QStringLiteral("Zapis %1 ").arg(n).repeated(1 + (n * 37) % 400);
                w.nazwa = QStringLiteral("Stanowisko %1 (%2)").arg(w.id).arg(n);
                (void)WriteWorkstationWithList(state.DataFolder, w, state.Workstations);
            }
        }
        QThread::usleep(random.bounded(200, 15000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const QString start = QString::fromUtf8(testsupport::RunInChild([&] {
            workstations::LoadWorkstations(state.DataFolder + QStringLiteral("struktura_dane.xml"));
            QStringList found = boxes.Texts();
            for (const auto &w : state.Workstations)
                if (!workstations::LoadWorkstationData(*w) || !w->ReadError.isEmpty())
                    found << w->nazwa;
            found << QStringLiteral("%1 stanowiska").arg(state.Workstations.size());
            QDirIterator it(fx.FilePath("dane"), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = QDir(fx.Path()).relativeFilePath(it.next());
                if (!file.endsWith(QLatin1String(".xml")) && !foreign.contains(file))
                    found << file;
            }
            return found.join('\n').toUtf8();
        }));
        ASSERT_EQ(start, QStringLiteral("3 stanowiska")) << "kill " << kill;
    }
    for (const QString &f : foreign)
        EXPECT_TRUE(fx.Exists(f)) << qPrintable(f);
    state.Workstations.clear();
}
