// The measurement window on a workstation with 20 chemical substances and 10 dusts of 100
// measurements each, every measurement marked for the workstation sums and all factors
// measured on the same dates: one edit carried through the rule, the sum over the 30 factors
// (the 29 others re-rated) to the re-rated panel, for a substance and for a dust; then Save
// after such a change (the shared chemical file, or the dust's file with the other dusts'
// files it makes depend on it).
#include "appstate/appstate.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/rules.h"
#include "bench/bench_support.h"
#include "bench/measurement_window_support.h"
#include "platform/paths.h"
#include "storage/form_definition_files.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "workstation_loading/workstation_loading.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>

namespace {

struct FactorDef
{
    int id;
    const char *ident;
    const char *frmDane;
    const char *measured; // the field an edit types into
};

// 100 measurements of f, weekly from 2000-01-03, with the definition's fields marked for the sum.
void addMeasurements(storage::TCzynnik &f, const storage::TPomiarList &form, const QString &measured)
{
    const QDate first(2000, 1, 3);
    for (int i = 0; i < 100; ++i) {
        auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
            .id = i + 1,
            .data = first.addDays(i * 7).toString(QStringLiteral("yyyy-MM-dd")),
            .mscPom = QStringLiteral("Hala"),
            .wykpom = QStringLiteral("Jan Kowalski"),
            .metpom = QStringLiteral("PN-Z-04008-7"),
            .ver = QStringLiteral("1.0"),
            .ocenam = 10,
            .ocenak = 10,
            .ocenakc = 10,
            .ocenaml = 10,
            .ocenamax = 10,
            .ocenakon = 10,
        });
        m->Fields = storage::CloneFields(form);
        for (auto &p : m->Fields) {
            if (p->nazwa() == QLatin1String("cbSumNDS"))
                p->Value = QStringLiteral("True");
            else if (p->nazwa() == measured)
                p->Value = QStringLiteral("0.1");
            else if (p->nazwa().endsWith(QLatin1String("Krotn")))
                p->Value = QStringLiteral("0.01");
            else if (p->Value.isEmpty() && (p->nazwa() == QLatin1String("NDS") || p->nazwa() == QLatin1String("PylCalk")))
                p->Value = QStringLiteral("10"); // a limit the catalogue leaves to the user
        }
        storage::AddMeasurement(f.Measurements, std::move(m));
    }
}

void leave(QLineEdit *edit)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir installCopy;
    bench::UseInstallationCopy(installCopy);
    QDir(installCopy.path()).mkpath(QStringLiteral("zaklocen/stan_sumy"));
    appstate::AppState &state = appstate::State();
    state.ViewName = QStringLiteral("frmRyzZakl");
    state.ViewKind = storage::TViewKind::Measurement;
    state.DataFolder = QStringLiteral("zaklocen\\");
    state.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    state.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
    state.CatalogueFolder = QStringLiteral("poradn\\");
    assessment::rules::RegisterRules();

    std::vector<FactorDef> defs;
    for (int i = 0; i < 20; ++i)
        defs.push_back({80001 + i, "chem", "chemiczny", "NDSZm"});
    const std::vector<std::pair<int, const char *>> dusts = {{25010, "pyly_apatytow"},
                                                             {25020, "pyly_wegla"},
                                                             {25040, "pyly_cementow"},
                                                             {25050, "pyly_drewna"},
                                                             {25060, "pyly_krystkrzem"},
                                                             {25201, "pyly"},
                                                             {25202, "pyly"},
                                                             {25203, "pyly"},
                                                             {25204, "pyly"},
                                                             {25205, "pyly"}};
    for (const auto &[id, frm] : dusts)
        defs.push_back({id, "pyly", frm, "PylCalkZm"});

    auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("9"), QStringLiteral("Stanowisko"),
                                                    QStringLiteral("stan_sumy"));
    for (const char *year : {"2000", "2001"})
        w->AddEmployment(storage::TZatrudn(QString::fromLatin1(year), QStringLiteral("5"), QStringLiteral("3"),
                                           QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                           QStringLiteral("0")));
    for (const FactorDef &d : defs) {
        const QString frm = QString::fromLatin1(d.frmDane);
        storage::TPomiarList form;
        storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\") + storage::FormDefinitionName(frm, "1.0"), form,
                                     d.id);
        storage::TCzynnik *f = w->AddFactor(std::make_unique<storage::TCzynnik>(
            QStringLiteral("Czynnik %1").arg(d.id), QString::fromLatin1(d.ident), d.id, QStringLiteral("1.0"), frm,
            QStringLiteral("T"), QStringLiteral("T")));
        addMeasurements(*f, form, QString::fromLatin1(d.measured));
    }
    storage::TStanowisko *ws = w.get();
    state.Workstations.push_back(std::move(w));

    assessment::TfrmRyzZakl win(appstate::State());
    const auto [cbStanow, lbCzyn, lbPomiar] = bench::ShowWorkstation(win, ws);

    bool ok = true;
    auto run = [&](int factorId, const char *what, const char *field) {
        for (int i = 0; i < lbCzyn->count(); ++i)
            if (workstation_loading::FactorOfItem(appstate::State().Workstations, lbCzyn->item(i))->id == factorId)
                lbCzyn->setCurrentRow(i);
        lbPomiar->setCurrentRow(50);
        auto *edit = qobject_cast<QLineEdit *>(win.MeasurementPages().FindField(QString::fromLatin1(field)));
        if (!edit) {
            std::printf("%s: no %s on the form\n", what, field);
            ok = false;
            return;
        }
        const int edits = bench::Sized(200, 4);
        std::vector<double> times;
        QElapsedTimer t;
        for (int i = 0; i < edits; ++i) {
            edit->setText(i % 2 ? QStringLiteral("0.3") : QStringLiteral("0.2"));
            t.restart();
            leave(edit);
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        const storage::TPomiarCzynn *m = win.SelectedMeasurement();
        if (!m || win.MeasurementPages().GetFieldValue(QStringLiteral("ed_SumNDS")).isEmpty()) {
            std::printf("%s: the sum was not worked out\n", what);
            ok = false;
        }
        std::printf("%s: edit through the sum of 30 factors to the re-rated panel: %.3f ms median, %.3f ms worst "
                    "(sum shown %s, panel %d)\n",
                    what, bench::Median(times), *std::max_element(times.begin(), times.end()),
                    qPrintable(win.MeasurementPages().GetFieldValue(QStringLiteral("ed_SumNDS"))),
                    m ? win.MeasurementPages().RiskPanel()->ShownCode(win.MeasurementPages().RiskPanel()->gbKompLaczna) : -1);

        std::vector<double> saves;
        for (int i = 0; i < bench::Sized(5, 1); ++i) {
            edit->setText(i % 2 ? QStringLiteral("0.3") : QStringLiteral("0.2"));
            leave(edit);
            t.restart();
            ok = win.Save() && ok;
            saves.push_back(t.nsecsElapsed() / 1e6);
            state.SetModified(false);
        }
        std::printf("%s: Save after a sum change: %.1f ms median, %.1f ms first\n", what, bench::Median(saves),
                    saves.front());
    };
    run(80001, "substance", "ed_NDSZm");
    run(25020, "dust (single file)", "ed_PylCalkZm");
    run(25201, "dust (shared file)", "ed_PylCalkZm");
    win.MeasurementPages().ClearMeasurementForm();
    state.Workstations.clear();
    return ok ? 0 : 1;
}
