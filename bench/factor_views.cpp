// The factor catalogue and the measurement summary on generated data: the group of 1,000
// chemical substances shown in the catalogue view and searched in its chemical panel, and
// a workstation with 40 factors and 2,000 measurements listed in the summary view (every
// factor chosen in turn with all its measurements in the range).
#include "appstate/appstate.h"
#include "bench/bench_support.h"
#include "storage/config_version.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/text_xml.h"
#include "storage/workstation_files.h"
#include "widgets/radio_group.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_zestaw.h"
#include "workstations/frm_zw_chem.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

const QString Data = QStringLiteral("zaklocen\\");
const char *const Syllables[] = {"ety", "lo", "mety", "prop", "bu", "tyl", "chlo", "ro", "ben", "zen",
                                 "ącz", "ęt",  "fen", "ol",   "ami", "no", "ksy", "len", "żel", "óz"};

// 1,000 substances with names of Polish syllables, limit values, classes and CAS numbers.
void writeChemicalCatalogue()
{
    QStringList lines = {QStringLiteral("<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">")};
    for (int i = 0; i < 1000; ++i) {
        QString name;
        for (int k = 0, n = i; k < 4; ++k, n = n / 7 + k * 3)
            name += QString::fromUtf8(Syllables[(n + k * 5) % 20]);
        name[0] = name[0].toUpper();
        name += QStringLiteral(" %1").arg(i);
        lines << QStringLiteral(" <czynnik id=\"%1\" nazwa=\"%2\">").arg(80000 + i).arg(name);
        lines << QStringLiteral("  <param nds=\"%1\" ndsch=\"%2\" ndsp=\"-1\" typ=\"%3\" nrcas=\"%4-%5-%6\" nrkarty=\"\" "
                                "aktualny=\"%7\" typh=\"%8\" zwroth=\"H225, H319\">")
                     .arg(i % 50 + 1)
                     .arg(i % 3 ? QStringLiteral("-1") : QString::number(i % 70 + 2))
                     .arg(i * 37 % 65536)
                     .arg(100 + i)
                     .arg(i % 90 + 10)
                     .arg(i % 9)
                     .arg(i % 17 ? 1 : 0)
                     .arg(i % 5 ? i * 131 % 1048576 : -1);
        lines << QStringLiteral(" </czynnik>");
    }
    lines << QStringLiteral("</czynchem>");
    storage::WriteTextXmlFile(QStringLiteral("poradn\\czynchem.xml"), lines);
}

// One workstation with 40 chemical factors of 50 measurements each over five years, in
// the shared measurement file, as the measurement window writes it.
int measurementsPerFactor()
{
    return bench::Sized(50, 3);
}

void writeWorkstation()
{
    storage::WorkstationList list;
    auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("1"), QStringLiteral("Malarnia"),
                                                     QStringLiteral("stan_1"));
    for (int y = 2020; y <= 2026; ++y)
        w->AddEmployment(storage::TZatrudn(QString::number(y), "8", "3", "0", "0", "2", "4"));
    storage::TPomiarList form;
    storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\chemiczny_frm_1.xml"), form, 80000);
    std::vector<const storage::TCzynnik *> factors;
    for (int f = 0; f < 40; ++f) {
        auto factor = std::make_unique<storage::TCzynnik>(QStringLiteral("Substancja %1").arg(f), QStringLiteral("chem"),
                                                          80000 + f, QStringLiteral("1.0"),
                                                          QStringLiteral("chemiczny"), QStringLiteral("T"),
                                                          QStringLiteral("T"));
        for (int m = 0; m < measurementsPerFactor(); ++m) {
            const QDate date = QDate(2021, 1, 4).addDays(m * 36 + f % 5);
            auto meas = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                .id = m + 1,
                .data = date.toString(Qt::ISODate),
                .mscPom = "hala",
                .wykpom = "lab",
                .metpom = "PN-Z-04008",
                .ver = "1",
                .ocenam = 20,
                .ocenak = 20,
                .ocenamax = 20,
                .ocenakon = 20,
            });
            meas->Fields = storage::CloneFields(form);
            storage::AddMeasurement(factor->Measurements, std::move(meas));
        }
        factors.push_back(w->AddFactor(std::move(factor), QStringLiteral("Substancja %1").arg(f)));
    }
    storage::WriteWorkstationData(Data, *w);
    storage::WriteMeasurementFile(Data + QStringLiteral("stan_1\\"), QStringLiteral("chemiczny_dane"), factors);
    list.push_back(std::move(w));
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
    bench::UseInstallationCopy(dir);
    storage::ConfigVersion() = QStringLiteral("1.0"); // as the shipped configuration says
    writeChemicalCatalogue();
    writeWorkstation();

    auto &s = appstate::State();
    // The catalogue view works in the folder of its navigation element, the catalogue's.
    s.CatalogueFolder = QStringLiteral("poradn\\");
    s.DataFolder = s.CatalogueFolder;
    s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
    s.ViewName = QStringLiteral("frmCzynniki");
    s.ViewKind = storage::TViewKind::Catalogue;

    const int rounds = bench::Sized(20, 2);
    workstations::TfrmCzynniki catalogue(appstate::State());
    catalogue.InitView();
    int chem = -1;
    for (int i = 0; i < catalogue.cbGrupyCzyn->count(); ++i) {
        catalogue.cbGrupyCzyn->setCurrentIndex(i);
        if (catalogue.SelectedGroup()->ident == QLatin1String("chem"))
            chem = i;
    }
    catalogue.rgAktual->Button(1)->setChecked(true); // "Wszystkie": all 1,000
    std::vector<double> groupMs, searchMs;
    workstations::TfrmZwChem *panel = workstations::frmZwChem();
    for (int r = 0; r < rounds; ++r) {
        catalogue.cbGrupyCzyn->setCurrentIndex(chem);
        QElapsedTimer t;
        t.start();
        catalogue.cbGrupyCzynChange();
        groupMs.push_back(t.nsecsElapsed() / 1e6);
        if (catalogue.lbCzynniki->count() != 1000) {
            std::printf("expected 1000 substances, got %d\n", catalogue.lbCzynniki->count());
            return 1;
        }
        panel->edSzukStr->setText(QStringLiteral("ĄCZ"));
        t.restart();
        panel->bbSzukajClick();
        searchMs.push_back(t.nsecsElapsed() / 1e6);
        if (catalogue.lbCzynniki->count() == 0 || catalogue.lbCzynniki->count() == 1000) {
            std::printf("the search found %d substances\n", catalogue.lbCzynniki->count());
            return 1;
        }
    }
    std::printf("catalogue group  : 1000 chemical substances shown in %.2f ms (median of %d; target < 50 ms)\n",
                bench::Median(groupMs), rounds);
    std::printf("chemical search  : \"ĄCZ\" over 1000 substances (%d found) in %.2f ms (median of %d; target < 20 ms)\n",
                catalogue.lbCzynniki->count(), bench::Median(searchMs), rounds);

    s.DataFolder = Data;
    s.ViewName = QStringLiteral("frmZestaw");
    s.ViewKind = storage::TViewKind::Summary;
    workstations::TfrmZestaw summary(appstate::State());
    summary.InitView();
    summary.dtOd->setDate(QDate(2020, 1, 1));
    summary.dtDo->setDate(QDate(2026, 12, 31));
    summary.rgZakres->Button(1)->setChecked(true); // "WSZYSTKIE"
    summary.cbStanow->setCurrentIndex(0);
    QElapsedTimer load;
    load.start();
    summary.cbStanowClick(); // reads the workstation with its 2,000 measurements
    const double loadMs = load.nsecsElapsed() / 1e6;
    std::vector<double> listMs;
    int listed = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        summary.bWyswietlClick();
        listed = 0;
        for (int row = 0; row < summary.lbCzyn->count(); ++row) {
            summary.lbCzyn->setCurrentRow(row);
            listed += summary.lbPomiar->count();
        }
        listMs.push_back(t.nsecsElapsed() / 1e6);
    }
    const int measurements = 40 * measurementsPerFactor();
    if (summary.lbCzyn->count() != 40 || listed != measurements) {
        std::printf("expected 40 factors and %d measurements, got %d and %d\n", measurements, summary.lbCzyn->count(),
                    listed);
        return 1;
    }
    std::printf("summary lists    : 40 factors and their %d measurements listed in %.2f ms (median of %d; target < 50 ms)\n",
                measurements, bench::Median(listMs), rounds);
    std::printf("summary first use: the workstation read with its %d measurements in %.2f ms\n", measurements, loadMs);
    return 0;
}
