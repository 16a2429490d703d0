// The workstation definition view on a generated data folder: the list of 500 workstations
// loaded into the view, and one workstation with 40 factors and ten years of employment
// opened in it (read, factors listed, fields and grid filled).
#include "appstate/appstate.h"
#include "bench/bench_support.h"
#include "platform/paths.h"
#include "storage/text_xml.h"
#include "storage/workstation_files.h"
#include "workstations/frm_def_stan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString Data = QStringLiteral("zaklocen\\");

// Factor lists of the size the shipped catalogue has, so each factor's form-version lookup
// reads a real file.
void writeCatalogue(const QString &folder)
{
    QStringList fiz = {QStringLiteral("<czynfiz ver=\"1.0\">")};
    for (int i = 0; i < 60; ++i)
        fiz << QStringLiteral(" <czynnik id=\"%1\" ver_pom=\"1.0\" frm_dane=\"f%1\" aktualny=\"1\" szkod=\"T\">Czynnik "
                              "fizyczny nr %1</czynnik>")
                   .arg(30000 + i);
    fiz << QStringLiteral("</czynfiz>");
    QStringList chem = {QStringLiteral("<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">")};
    for (int i = 0; i < 300; ++i) {
        chem << QStringLiteral(" <czynnik id=\"%1\" nazwa=\"Substancja chemiczna nr %1\">").arg(80000 + i);
        chem << QStringLiteral("  <param nds=\"10\" ndsch=\"-1\" ndsp=\"-1\" typ=\"0\" nrcas=\"\" aktualny=\"1\">");
        chem << QStringLiteral(" </czynnik>");
    }
    chem << QStringLiteral("</czynchem>");
    QDir().mkpath(platform::ToFilePath(folder));
    storage::WriteTextXmlFile(folder + "czynfiz.xml", fiz);
    storage::WriteTextXmlFile(folder + "czynchem.xml", chem);
}

void generate(int count, int bigId)
{
    storage::WorkstationList list;
    for (int i = 1; i <= count; ++i) {
        auto w = std::make_unique<storage::TStanowisko>(QString::number(i),
                                                        QStringLiteral("Stanowisko pracy nr %1 – hala Łęczyca").arg(i),
                                                        QStringLiteral("stan_%1").arg(i));
        w->Kod = QStringLiteral("K-%1").arg(i);
        w->DataRej = QStringLiteral("2015-01-01");
        w->Opis = QStringLiteral("Opis stanowiska\nw dwóch liniach");
        const int years = i == bigId ? 10 : 3;
        for (int y = 0; y < years; ++y)
            w->AddEmployment(storage::TZatrudn(QString::number(2015 + y), "5", "2", "0", "0", "1", "1"));
        const int factors = i == bigId ? 40 : 5;
        for (int f = 0; f < factors; ++f) {
            const bool chem = f % 2 == 1;
            const int id = chem ? 80000 + (f * 7) % 300 : 30000 + f % 60;
            w->AddFactor(std::make_unique<storage::TCzynnik>(
                chem ? QStringLiteral("Substancja chemiczna nr %1").arg(id)
                     : QStringLiteral("Czynnik fizyczny nr %1").arg(id),
                chem ? QStringLiteral("chem") : QStringLiteral("fiz"), id, QStringLiteral("1.0"),
                chem ? QStringLiteral("chemiczny") : QStringLiteral("f%1").arg(id), f % 9 == 8 ? "N" : "T", "T"));
        }
        storage::WriteWorkstationData(Data, *w);
        list.push_back(std::move(w));
    }
    storage::WriteWorkstationList(Data, list);
}


} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    platform::SetProgramFolder(dir.path());
    const int count = bench::Sized(500, 20);
    const int bigId = count / 2;
    writeCatalogue(QStringLiteral("poradn\\"));
    generate(count, bigId);

    auto &s = appstate::State();
    s.DataFolder = Data;
    s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    s.CatalogueFolder = QStringLiteral("poradn\\");
    s.ViewName = QStringLiteral("frmDefStan");
    s.ViewKind = storage::TViewKind::Workstations;

    workstations::TfrmDefStan view(appstate::State());
    const int rounds = bench::Sized(20, 2);
    std::vector<double> listMs, openMs;
    QString bigName;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        view.InitView();
        listMs.push_back(t.nsecsElapsed() / 1e6);
        if (view.lbStanowiska->count() != count) {
            std::printf("expected %d workstations, got %d\n", count, view.lbStanowiska->count());
            return 1;
        }
        const storage::TStanowisko *big = storage::FindWorkstationById(s.Workstations, QString::number(bigId));
        const int row = workstation_loading::WorkstationListModel(s).RowOf(big->id);
        t.restart();
        view.lbStanowiska->setCurrentRow(row);
        openMs.push_back(t.nsecsElapsed() / 1e6);
        if (view.lbStanCzyn->count() == 0 || view.e_Kod->text() != QStringLiteral("K-%1").arg(bigId)) {
            std::printf("the workstation did not open\n");
            return 1;
        }
        bigName = big->nazwa;
    }
    std::printf("workstation list: %d workstations loaded into the view in %.2f ms (median of %d; target < 100 ms)\n",
                count, bench::Median(listMs), rounds);
    std::printf("one workstation : 40 factors, 10 years opened in the view in %.2f ms (median of %d; target < 30 ms)\n",
                bench::Median(openMs), rounds);
    return 0;
}
