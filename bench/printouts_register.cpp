// The register of harmful factors with all its measurement cards (kind 0 of the printouts
// dialog) on generated data: 100 workstations, each with 10 current factors (3 chemical
// substances, 2 dusts, 3 physical and 2 arduous factors) of 20 measurements each, their
// items read from the shipped form definitions and filled with values. Every measurement
// of the range prints ("WSZYSTKIE") on the cards of all four groups, so a workstation makes
// its register page and 68 cards.
// Timed, as the dialog runs it: the rows prepared and Prepare (the run that counts the
// pages), and Prepare followed by printing to a PDF file; for one workstation and for all
// 100 one after another.
#include "bench_support.h"

#include "printouts/frm_v_rejestr_karta.h"
#include "printouts/register_card_data.h"
#include "reportengine/vr_printer.h"
#include "storage/form_definition_files.h"
#include "storage/workstation_files.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

int workstationCount()
{
    return bench::Sized(100, 2);
}

int measurementCount()
{
    return bench::Sized(20, 2);
}

struct FactorKind
{
    const char *ident;
    int id;
    const char *name;
    const char *form;
    std::vector<std::pair<const char *, const char *>> values;
};

const std::vector<FactorKind> &factorKinds()
{
    static const std::vector<FactorKind> kinds = {
        {"chem", 80004, "Toluen", "chemiczny", {{"NDSZm", "42.5"}, {"NDSKrotn", "0.425"}, {"NDSChZm", "180"}}},
        {"chem", 80005, "Ksylen - mieszanina izomerów", "chemiczny", {{"NDSZm", "38.2"}, {"NDSKrotn", "0.382"}}},
        {"chem", 80010, "Tlenek węgla", "chemiczny", {{"NDSZm", "14.2"}, {"NDSKrotn", "0.617"}}},
        {"pyly", 25202, "Pył ditlenku tytanu", "pyly", {{"PylCalkZm", "4.2"}, {"PylRespZm", "1.1"}}},
        {"pyly", 25203, "Pył tlenków żelaza", "pyly", {{"PylCalkZm", "3.8"}}},
        {"fiz", 30001, "Hałas", "halas_fizyczny", {{"PEWartZm", "88.4"}, {"PEKrotn", "2.19"}, {"MaksWartZm", "104"}}},
        {"fiz",
         10200,
         "Drgania o ogólnym działaniu na organizm człowieka",
         "drgania_ogln",
         {{"RownWartZm", "0.62"}, {"cbCzasEksp", "True"}, {"MaksWartZm", "0.9"}}},
        {"fiz", 50001, "Mikroklimat gorący", "mikroklimat_goracy", {}},
        {"uciaz", 70002, "Obciążenie psychiczne", "obc_psych", {{"PWartZm", "6"}}},
        {"uciaz",
         30004,
         "Hałas w pomieszczeniach wymagających koncentracji uwagi",
         "halas_uciazliwy",
         {{"PEWartZm", "52.1"}}},
    };
    return kinds;
}

std::vector<std::unique_ptr<storage::TStanowisko>> makeWorkstations()
{
    std::vector<std::unique_ptr<storage::TStanowisko>> list;
    std::map<QString, storage::TPomiarList> forms;
    for (const FactorKind &k : factorKinds()) {
        storage::TPomiarList &items = forms[QString::fromLatin1(k.form) + QString::number(k.id)];
        storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\%1_frm_1.xml").arg(QString::fromLatin1(k.form)),
                                     items, k.id);
        for (const auto &[name, value] : k.values)
            if (storage::TPomiar *f = storage::FindField(items, QString::fromLatin1(name)))
                f->Value = QString::fromLatin1(value);
    }
    for (int w = 1; w <= workstationCount(); ++w) {
        auto ws = std::make_unique<storage::TStanowisko>(QString::number(w), QStringLiteral("Stanowisko nr %1").arg(w),
                                                         QStringLiteral("stan_%1").arg(w));
        ws->Kod = QStringLiteral("ST-%1").arg(w);
        ws->DataRej = QStringLiteral("2019-02-11");
        ws->Lokalizacja = QStringLiteral("Hala produkcyjna nr %1").arg(w % 7);
        ws->Opis = QStringLiteral("Opis stanowiska pracy, wykonywane czynności i stosowane maszyny.");
        for (int year = 2021; year <= 2026; ++year)
            ws->AddEmployment(storage::TZatrudn(QString::number(year), QStringLiteral("6"), QStringLiteral("2"),
                                                QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                                                QStringLiteral("2")));
        for (const FactorKind &k : factorKinds()) {
            const QString name = QString::fromUtf8(k.name);
            storage::TCzynnik *f =
                ws->AddFactor(std::make_unique<storage::TCzynnik>(name, QString::fromLatin1(k.ident), k.id,
                                                                  QStringLiteral("1.0"), QString::fromLatin1(k.form),
                                                                  QStringLiteral("T"), QStringLiteral("T")),
                              name);
            const storage::TPomiarList &items = forms[QString::fromLatin1(k.form) + QString::number(k.id)];
            for (int m = 0; m < measurementCount(); ++m) {
                auto meas = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                    .id = m + 1,
                    .data = QDate(2021, 1, 4).addDays(m * 45).toString(Qt::ISODate),
                    .mscPom = QStringLiteral("Stanowisko pracy, strefa oddychania"),
                    .wykpom = QStringLiteral("Laboratorium Higieny Pracy"),
                    .metpom = QStringLiteral("Metoda według normy"),
                    .interwyn = QStringLiteral("Wartości dopuszczalne nie zostały przekroczone."),
                    .srodogrryz = QStringLiteral("Środki ochrony indywidualnej"),
                    .ver = QStringLiteral("1"),
                    .ocenam = 20,
                    .ocenak = 20,
                    .ocenakc = 20,
                    .ocenaml = 20,
                    .ocenamax = 20,
                    .ocenakon = 20,
                });
                meas->Fields = storage::CloneFields(items);
                storage::AddMeasurement(f->Measurements, std::move(meas));
            }
        }
        list.push_back(std::move(ws));
    }
    return list;
}

printouts::TWorkstationReportOptions optionsFor(storage::TStanowisko &w)
{
    printouts::TWorkstationReportOptions o;
    o.Workstation = &w;
    for (const storage::TFactorEntry &e : w.Factors)
        o.Factors.push_back({e.text, e.factor.get()});
    std::sort(o.Factors.begin(), o.Factors.end(), [](const auto &a, const auto &b) { return a.Text < b.Text; });
    o.DateFrom = QDate(2021, 1, 1);
    o.DateTo = QDate(2026, 12, 31);
    o.LatestOnly = false;
    o.KartaBadanUc = true; // all the cards: the arduous ones too
    return o;
}

struct Timing
{
    double wall = 0;
    double cpu = 0;
    int pages = 0;
};

// "Wydruk" for one workstation: the rows prepared, the pages counted, then (with pdf) the
// report printed to a PDF file with the count in its footers.
Timing printOne(printouts::TfrmVRejestrKarta &form, printouts::TRegisterCardData &data, storage::TStanowisko &w,
                const QString &pdf)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = bench::ThreadCpuSeconds();
    const printouts::TWorkstationReportOptions o = optionsFor(w);
    data.SetSource(o);
    data.BuildRegisterData();
    data.SetCardRowCaptions();
    data.ResetCardCursors();
    form.SetRegisterData(&data);
    form.SetOptions(o);
    form.Report().Prepare();
    Timing t;
    t.pages = form.Report().VRPrinter()->PageCount();
    form.SetPageCount(t.pages);
    if (!pdf.isEmpty()) {
        form.Report().PrinterSettings.PdfFileName = pdf;
        form.Report().Print();
    }
    t.wall = timer.nsecsElapsed() / 1e9;
    t.cpu = bench::ThreadCpuSeconds() - cpu;
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bench::UseInstallationCopy(dir);
    std::vector<std::unique_ptr<storage::TStanowisko>> workstations = makeWorkstations();
    printouts::TfrmVRejestrKarta form;
    printouts::TRegisterCardData data;
    form.Report().PrinterSettings.PrinterIndex = static_cast<int>(reportengine::PrinterNames().size()) - 1;
    const QString pdf = dir.filePath(QStringLiteral("rejestr.pdf"));

    printOne(form, data, *workstations.front(), QString()); // fonts and caches warm
    std::vector<double> oneWall, oneCpu, onePdfWall, onePdfCpu;
    int pages = 0;
    for (int i = 0; i < bench::Sized(5, 1); ++i) {
        const Timing prepare = printOne(form, data, *workstations[size_t(i)], QString());
        const Timing print = printOne(form, data, *workstations[size_t(i)], pdf);
        pages = prepare.pages;
        oneWall.push_back(prepare.wall);
        oneCpu.push_back(prepare.cpu);
        onePdfWall.push_back(print.wall);
        onePdfCpu.push_back(print.cpu);
    }
    Timing all, allPdf;
    for (auto &w : workstations) {
        const Timing t = printOne(form, data, *w, QString());
        all.wall += t.wall;
        all.cpu += t.cpu;
        all.pages += t.pages;
    }
    for (auto &w : workstations) {
        const Timing t = printOne(form, data, *w, pdf);
        allPdf.wall += t.wall;
        allPdf.cpu += t.cpu;
        allPdf.pages += t.pages;
    }
    bench::Require(pages > 1 && allPdf.pages == all.pages && QFileInfo(pdf).size() > 0,
                   "the register and its cards prepared and printed to a PDF file");
    const double ow = bench::Median(oneWall), oc = bench::Median(oneCpu);
    const double pw = bench::Median(onePdfWall), pc = bench::Median(onePdfCpu);
    std::printf("register and cards: %d workstations x 10 factors x %d measurements, %d pages a workstation, "
                "PDF %lld bytes\n",
                workstationCount(), measurementCount(), pages, static_cast<long long>(QFileInfo(pdf).size()));
    std::printf("  one workstation, Prepare         : %.3f s (processor %.3f s), %.0f pages/s (target < 2 s)\n", ow, oc,
                pages / ow);
    std::printf("  one workstation, Prepare plus PDF: %.3f s (processor %.3f s), %.0f pages/s (target < 4 s)\n", pw, pc,
                pages / pw);
    std::printf("  all %d workstations, Prepare         : %.2f s (processor %.2f s), %d pages, %.0f pages/s\n",
                workstationCount(), all.wall, all.cpu, all.pages, all.pages / all.wall);
    std::printf("  all %d workstations, Prepare plus PDF: %.2f s (processor %.2f s), %.0f pages/s\n", workstationCount(),
                allPdf.wall, allPdf.cpu, allPdf.pages / allPdf.wall);
    return 0;
}
