// The program saving workstations over and over is killed fifty times at random moments;
// each next start finds the list and every workstation file whole and from the same save
// (a save killed part-way is undone), and no temporary file.
#include "appstate/appstate.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstation_loading/workstation_loading.h"

#include <QDateTime>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

TEST(InterruptedSaves, FiftyKillsLeaveEveryFileWholeAndNoTemporaryFileAfterTheNextStart)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    auto &state = appstate::State();
    state.DataFolder = QStringLiteral("dane\\");
    state.ViewKind = storage::TViewKind::Workstations;
    auto &list = state.Workstations;
    list.clear();
    for (const QString id : {"1", "2", "3"}) {
        list.push_back(std::make_unique<storage::TStanowisko>(id, "Stanowisko " + id, "stan_" + id));
        ASSERT_TRUE(storage::WriteWorkstationWithList(state.DataFolder, *list.back(), list));
    }
    // What a kill between writing and renaming leaves, and files that only look like it.
    for (const QString f :
         {"dane/struktura_dane.xml.tarvelin-zapis-Kx3a9q", "dane/stan_2/stanowisko_dane.xml.tarvelin-zapis-abcDEF"}) {
        fx.Write(f, "przerwany zapis");
        QFile file(fx.FilePath(f)); // of an earlier run, not of a save of another copy of the program
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    }
    const QStringList foreign = {"dane/struktura_dane.xml.kopia1", "dane/notatki.txt.tarvelin-zapis-abcdef",
                                 "dane/stan_1/a.xml.bak"};
    for (const QString &f : foreign)
        fx.Write(f, "plik użytkownika");
    QRandomGenerator random(38);
    for (int kill = 0; kill < 50; ++kill) {
        const pid_t saver = ::fork();
        for (int n = 0; saver == 0; ++n) { // each save changes a workstation's size and name
            storage::TStanowisko &w = *list[size_t(n % 3)];
            w.Opis = QStringLiteral("Zapis %1 ").arg(n).repeated(1 + (n * 37) % 400);
            w.nazwa = QStringLiteral("Stanowisko %1 (%2)").arg(w.id).arg(n);
            (void)storage::WriteWorkstationWithList(state.DataFolder, w, list);
        }
        QThread::usleep(random.bounded(200, 15000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const QByteArray start = testsupport::RunInChild([&] {
            storage::StorageProblems problems;
            workstation_loading::LoadWorkstations(appstate::State(), state.DataFolder + QStringLiteral("struktura_dane.xml"), problems);
            QStringList found = boxes.Texts() << QString::number(list.size());
            for (const auto &w : list) {
                if (!workstation_loading::LoadWorkstationData(appstate::State(), *w, problems))
                    found << w->nazwa;
                // The name (in the list) and the description (in its file) of one save.
                const QString save = w->nazwa.section('(', 1).section(')', 0, 0);
                if (!save.isEmpty() && !w->Opis.startsWith(QStringLiteral("Zapis %1 ").arg(save)))
                    found << w->nazwa + QStringLiteral(": ") + w->Opis.left(12);
            }
            for (const auto &problem : problems)
                found << problem.message();
            for (QDirIterator it(fx.FilePath("dane"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                if (const QString f = QDir(fx.Path()).relativeFilePath(it.next());
                    !f.endsWith(".xml") && !foreign.contains(f))
                    found << f;
            return found.join('\n').toUtf8();
        });
        ASSERT_EQ(start, "3") << "kill " << kill;
    }
    for (const QString &f : foreign)
        EXPECT_TRUE(fx.Exists(f)) << qPrintable(f);
    list.clear();
}
