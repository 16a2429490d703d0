// How the lists grow with the plant: the same actions on a data folder of 500 and of 5,000
// workstations (the workstation list loaded at start, the workstation view's list, the
// workstation choosers of the measurement window and of the summary view), and a workstation
// with 500 and with 5,000 measurements opened in the measurement window. Each action is
// printed as "scaling <what>: 500 -> <ms> ms, 5000 -> <ms> ms"; a linear action grows ten
// times, one that grows much more has a step that is quadratic in the size.
#include "appstate/appstate.h"
#include "assessment/frm_ryz_zakl.h"
#include "bench/bench_support.h"
#include "platform/paths.h"
#include "storage/file_cache.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/workstation_files.h"
#include "workstation_loading/workstation_loading.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_zestaw.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString dataFolderFor(int count)
{
    return QStringLiteral("skala%1\\").arg(count);
}

// Names as a plant has them: Polish letters, several words, numbers that do not sort as
// numbers, listed in no order.
QString workstationName(int i)
{
    static const char *const kinds[] = {"Ślusarz", "Spawacz", "Operator wózka", "Tokarz", "Łącznik", "Żurawiowy",
                                        "Magazynier", "Lakiernik", "Ćwiczący", "Elektryk", "Ogrodnik", "Źródłowy"};
    static const char *const places[] = {"hala A", "narzędziownia", "magazyn wyrobów", "spawalnia MAG",
                                         "łaźnia", "wydział obróbki", "Śrutownia", "biuro"};
    const int k = (i * 7919) % 12, p = (i * 104729) % 8;
    return QStringLiteral("%1 - %2 nr %3").arg(QString::fromUtf8(kinds[k]), QString::fromUtf8(places[p])).arg(i);
}

// The list file and a folder with a data file for each workstation; the data files are
// copies of one, as the loading of the list does not read them.
void writePlant(int count)
{
    const QString data = dataFolderFor(count);
    storage::WorkstationList list;
    for (int i = 1; i <= count; ++i)
        list.push_back(std::make_unique<storage::TStanowisko>(QString::number(i), workstationName(i),
                                                               QStringLiteral("stan_%1").arg(i)));
    storage::WriteWorkstationData(data, *list.front());
    QFile first(platform::ToFilePath(storage::WorkstationDataPath(data, list.front()->kat_dane)));
    first.open(QIODevice::ReadOnly);
    const QByteArray bytes = first.readAll();
    for (const auto &w : list) {
        const QString path = platform::ToFilePath(storage::WorkstationDataPath(data, w->kat_dane));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (f.exists())
            continue;
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    storage::WriteWorkstationList(data, list);
}

// Forms shipped with the program, one factor of each, the measurements spread over them.
struct MeasuredFactor
{
    const char *ident;
    int id;
    const char *form;
};
const MeasuredFactor Measured[] = {{"fiz", 30001, "halas_fizyczny"},
                                   {"fiz", 10200, "drgania_ogln"},
                                   {"fiz", 50001, "mikroklimat_goracy"},
                                   {"uciaz", 70002, "obc_psych"},
                                   {"uciaz", 30004, "halas_uciazliwy"}};

// Workstation 1 of a plant of its own with measurements in all, in its measurement files.
void writeMeasuredWorkstation(int measurements)
{
    const QString data = QStringLiteral("pomiary%1\\").arg(measurements);
    auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("1"), QStringLiteral("Stanowisko pomiarowe"),
                                                     QStringLiteral("stan_1"));
    for (int year = 2000; year <= 2030; ++year)
        w->AddEmployment(storage::TZatrudn(QString::number(year), QStringLiteral("5"), QStringLiteral("2"),
                                           QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                                           QStringLiteral("1")));
    const int perFactor = measurements / int(std::size(Measured));
    for (const MeasuredFactor &k : Measured) {
        storage::TPomiarList form;
        storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\%1_frm_1.xml").arg(QString::fromLatin1(k.form)),
                                     form, k.id);
        auto factor = std::make_unique<storage::TCzynnik>(QStringLiteral("Czynnik %1").arg(k.id),
                                                          QString::fromLatin1(k.ident), k.id, QStringLiteral("1.0"),
                                                          QString::fromLatin1(k.form), QStringLiteral("T"),
                                                          QStringLiteral("T"));
        for (int m = 0; m < perFactor; ++m) {
            auto meas = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                .id = m + 1,
                .data = QDate(2000, 1, 3).addDays(m).toString(Qt::ISODate),
                .mscPom = QStringLiteral("Hala produkcyjna"),
                .wykpom = QStringLiteral("Laboratorium"),
                .metpom = QStringLiteral("Metoda według normy"),
                .interwyn = QStringLiteral("Wartości dopuszczalne nie zostały przekroczone."),
                .ver = QStringLiteral("1"),
                .ocenam = 10,
                .ocenak = 10,
                .ocenamax = 10,
                .ocenakon = 10,
            });
            meas->Fields = storage::CloneFields(form);
            for (auto &p : meas->Fields)
                if (p->typ() == QLatin1String("edit"))
                    p->Value = QString::number(m % 90 + 0.5);
            storage::AddMeasurement(factor->Measurements, std::move(meas));
        }
        w->AddFactor(std::move(factor));
    }
    storage::WriteWorkstationData(data, *w); // makes the workstation's folder
    for (const auto &e : w->Factors)
        storage::WriteMeasurementFile(data + QStringLiteral("stan_1\\"), e.factor->frm_dane + QStringLiteral("_dane"),
                                      {e.factor.get()});
    storage::WorkstationList list;
    list.push_back(std::move(w));
    storage::WriteWorkstationList(data, list);
}

void showView(const QString &name, storage::TViewKind kind, const QString &data)
{
    appstate::AppState &s = appstate::State();
    s.ViewName = name;
    s.ViewKind = kind;
    s.DataFolder = data;
    s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
    s.CatalogueFolder = QStringLiteral("poradn\\");
}

// One action measured at every size. prepare sets the program up for a size (not timed),
// run does what is timed, done says whether it did its work.
struct Action
{
    const char *what;
    std::function<void(int size)> prepare;
    std::function<void(int size)> run;
    std::function<bool(int size)> done;
};

// Milliseconds of the action at each size with what it left for the event loop (the shown
// list laid out and painted), the median of the rounds. The sizes take turns round by round,
// so a busy spell of the machine falls on both alike. The file cache is emptied before each
// round, so every round reads its files as the first one of a session does. Processor time
// of this thread: on a shared machine the wall clock measures the neighbours too.
std::vector<double> timed(const Action &action, const std::vector<int> &sizes, int rounds)
{
    std::vector<std::vector<double>> ms(sizes.size());
    for (int r = 0; r < rounds; ++r) {
        for (size_t i = 0; i < sizes.size(); ++i) {
            action.prepare(sizes[i]);
            storage::ClearFileCache();
            QApplication::processEvents();
            const double start = bench::ThreadCpuSeconds();
            action.run(sizes[i]);
            QApplication::processEvents();
            ms[i].push_back((bench::ThreadCpuSeconds() - start) * 1e3);
            bench::Require(action.done(sizes[i]), action.what);
        }
    }
    std::vector<double> medians;
    for (const auto &m : ms)
        medians.push_back(bench::Median(m));
    return medians;
}

} // namespace

int main(int argc, char **argv)
{
    bench::ReadMode(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bench::UseInstallationCopy(dir);
    const std::vector<int> sizes = {bench::Sized(500, 10), bench::Sized(5000, 100)};
    const int rounds = bench::Sized(9, 1);
    appstate::AppState &s = appstate::State();

    workstations::TfrmDefStan definitionView(appstate::State());
    assessment::TfrmRyzZakl measurementWindow(appstate::State());
    workstations::TfrmZestaw summaryView(appstate::State());
    // One view shown at a time, as in the main window.
    const auto showOnly = [&](QWidget *shown) {
        for (QWidget *view : std::initializer_list<QWidget *>{&definitionView, &measurementWindow, &summaryView})
            view->setVisible(view == shown);
        shown->resize(1000, 700);
    };
    QComboBox *measurementChooser =
        measurementWindow.GetMainPanel()->findChild<QComboBox *>(QStringLiteral("cbStanow"));

    for (const int count : sizes) {
        writePlant(count);
        writeMeasuredWorkstation(count);
    }
    const auto workstationsListed = [&](int count) { return int(s.Workstations.size()) == count; };
    const auto measurementsRead = [&](int count) {
        int read = 0;
        for (const auto &e : s.Workstations.front()->Factors)
            read += int(e.factor->Measurements.size());
        return read == count;
    };
    // A view set up again finds the list of its own data folder loaded (the sizes take turns:
    // freeing the other size's list is no part of it); at start there is none.
    const auto loaded = [&](int count) {
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstations(appstate::State(), storage::WorkstationListPath(dataFolderFor(count)), problems);
    };
    const Action actions[] = {
        {"loading the list at start",
         [&](int count) {
             showView(QStringLiteral("frmDefStan"), storage::TViewKind::Workstations, dataFolderFor(count));
             s.Workstations.clear();
             workstation_loading::WorkstationListModel(s).Fill(s.Workstations);
         },
         [&](int count) {
             storage::StorageProblems problems;
             workstation_loading::LoadWorkstations(appstate::State(), storage::WorkstationListPath(dataFolderFor(count)), problems);
         },
         workstationsListed},
        {"workstation view's list",
         [&](int count) {
             showView(QStringLiteral("frmDefStan"), storage::TViewKind::Workstations, dataFolderFor(count));
             loaded(count);
             showOnly(&definitionView);
         },
         [&](int) { definitionView.InitView(); },
         [&](int count) { return definitionView.lbStanowiska->count() == count; }},
        {"measurement window's workstation combo",
         [&](int count) {
             showView(QStringLiteral("frmRyzZakl"), storage::TViewKind::Measurement, dataFolderFor(count));
             loaded(count);
             showOnly(&measurementWindow);
         },
         [&](int) { measurementWindow.InitView(); },
         // Every workstation, in alphabetical order ("Ć" before "E", after "C").
         [&](int count) {
             return measurementChooser->count() == count && measurementChooser->itemText(0).startsWith("Ćwiczący");
         }},
        {"summary view's workstation combo",
         [&](int count) {
             showView(QStringLiteral("frmZestaw"), storage::TViewKind::Summary, dataFolderFor(count));
             loaded(count);
             showOnly(&summaryView);
         },
         [&](int) { summaryView.InitView(); },
         [&](int count) { return summaryView.cbStanow->count() == count; }},
        {"opening the workstation",
         [&](int count) {
             showView(QStringLiteral("frmRyzZakl"), storage::TViewKind::Measurement,
                      QStringLiteral("pomiary%1\\").arg(count));
             showOnly(&measurementWindow);
             measurementWindow.InitView();
         },
         [&](int) {
             measurementChooser->setCurrentIndex(0);
             measurementWindow.cbStanowClick();
         },
         measurementsRead},
    };
    for (const Action &action : actions) {
        const std::vector<double> ms = timed(action, sizes, rounds);
        std::printf("scaling %s: %d -> %.1f ms, %d -> %.1f ms\n", action.what, sizes[0], ms[0], sizes[1], ms[1]);
        std::fflush(stdout);
    }
    return 0;
}
