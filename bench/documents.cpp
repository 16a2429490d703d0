// A document kind with 2,000 stored documents: opening the kind (definition, pages, list of
// 2,000 entries) and opening one stored document from the list. Targets: list under 100 ms,
// open under 50 ms.
#include "appstate/appstate.h"
#include "bench/bench_support.h"
#include "platform/paths.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "workstations/frm_dokum.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bench::UseInstallationCopy(dir);
    storage::ConfigVersion() = QStringLiteral("1.0");
    auto &state = appstate::State();
    state.DataFolder = QStringLiteral("dokumenty\\");
    state.FormsFolder = QStringLiteral("dokumenty\\frm\\");
    state.AttachFolder = QStringLiteral("dokumenty\\zalaczn");
    state.ViewName = QStringLiteral("protpow_frm_2.xml");
    state.FormVersion = QStringLiteral("2");
    const QString definition = state.FormsFolder + state.ViewName;
    const int count = bench::Sized(2000, 20);

    // 2,000 stored accident protocols: one filled document written by the program, copied
    // under every number, and their list.
    {
        storage::TDokumList items;
        storage::ReadDocumentForm(definition, items);
        for (auto &item : items)
            for (auto &slot : item->Values)
                slot.wartosc = item->typ == QLatin1String("memo")
                                   ? QStringLiteral("Pracownik podczas przenoszenia elementu potknął się\no "
                                                    "leżący przewód i upadł na prawą rękę.")
                                   : QStringLiteral("Wartość pola ") + item->nazwa;
        storage::WriteDocumentData(state.DataFolder, QStringLiteral("protpow\\"), QStringLiteral("protpow_dane_1"),
                                   items);
        QFile written(dir.filePath("dokumenty/protpow/protpow_dane_1.xml"));
        written.open(QIODevice::ReadOnly);
        const QByteArray first = written.readAll();
        written.close();
        storage::TListDokumList list;
        for (int nr = 1; nr <= count; ++nr) {
            QByteArray bytes = first;
            bytes.replace("protpow_dane_1", "protpow_dane_" + QByteArray::number(nr));
            QFile f(dir.filePath(QStringLiteral("dokumenty/protpow/protpow_dane_%1.xml").arg(nr)));
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
            list.push_back(std::make_unique<storage::TListDokum>(
                nr,
                QStringLiteral("2024-%1-%2").arg(1 + nr % 12, 2, 10, QChar('0')).arg(1 + nr % 28, 2, 10, QChar('0')),
                QStringLiteral("Kowalski-Jan %1").arg(nr), QStringLiteral("2")));
        }
        storage::TDocumentDefinition names;
        names.PData = QStringLiteral("DataWyp");
        names.PRodzInf = QStringLiteral("ImieNazwisko");
        names.Katalog = QStringLiteral("protpow\\");
        storage::WriteDocumentList(state.DataFolder, QStringLiteral("protpow_lista"), names,
                                   QStringLiteral("protpow_dane.xml"), list);
    }

    workstations::TfrmDokum view(appstate::State());
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();

    std::vector<double> listMs;
    for (int r = 0; r < bench::Sized(7, 1); ++r) {
        QElapsedTimer t;
        t.start();
        view.InitView(definition, state.AttachFolder);
        view.AnchorFieldControls();
        view.New();
        listMs.push_back(t.nsecsElapsed() / 1e6);
    }
    if (view.lbDatyOsob->count() != count) {
        std::printf("list holds %d entries, expected %d\n", view.lbDatyOsob->count(), count);
        return 1;
    }

    std::vector<double> openMs;
    for (int r = 0; r < bench::Sized(21, 2); ++r) {
        QListWidgetItem *item = view.lbDatyOsob->item((r * 97) % count);
        QElapsedTimer t;
        t.start();
        view.lbDatyOsobClick(item);
        openMs.push_back(t.nsecsElapsed() / 1e6);
        bench::Require(view.SelectedEntry() && view.CurrentNumber() == view.SelectedEntry()->nr,
                       "the document chosen in the list shown");
    }
    std::printf("documents: open a kind with %d stored documents (definition, pages, list): median %.1f ms "
                "(target < 100 ms)\n",
                count, bench::Median(listMs));
    std::printf("documents: open one stored document from the list: median %.2f ms, first %.1f ms "
                "(target < 50 ms)\n",
                bench::Median(openMs), openMs.front());
    return 0;
}
