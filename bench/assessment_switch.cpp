// The measurement window on a workstation with two noise factors of 200 measurements each:
// switching between the factors (list refilled, first measurement shown with its pages and
// ratings), and one field edit carried through the exit handler, the dispatcher and the noise
// rule to the re-rated panel.
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
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QComboBox>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir installCopy;
    bench::UseInstallationCopy(installCopy);
    appstate::AppState &state = appstate::State();
    state.ViewName = QStringLiteral("frmRyzZakl");
    state.ViewKind = storage::TViewKind::Measurement;
    state.DataFolder = QStringLiteral("zaklocen\\");
    state.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    state.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
    assessment::rules::RegisterRules();

    storage::TPomiarList form;
    storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\halas_fizyczny_frm_1.xml"), form, 30001);

    auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("1"), QStringLiteral("Stanowisko"),
                                                     QStringLiteral("stan_1"));
    w->AddEmployment(storage::TZatrudn(QStringLiteral("2000"), QStringLiteral("5"), QStringLiteral("3"),
                                       QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                       QStringLiteral("0")));
    for (int k = 0; k < 2; ++k) {
        storage::TCzynnik *f = w->AddFactor(std::make_unique<storage::TCzynnik>(
            QStringLiteral("Hałas %1").arg(k + 1), QStringLiteral("fiz"), 30001 + k, QStringLiteral("1.0"),
            QStringLiteral("halas_fizyczny"), QStringLiteral("T"), QString()));
        const QDate first(2000, 1, 1);
        for (int i = 0; i < 200; ++i) {
            auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                .id = i + 1,
                .data = first.addDays(i * 7).toString(QStringLiteral("yyyy-MM-dd")),
                .mscPom = QStringLiteral("Hala"),
                .wykpom = QStringLiteral("Jan Kowalski"),
                .metpom = QStringLiteral("PN-EN ISO 9612"),
                .ver = QStringLiteral("1.0"),
                .ocenam = 20,
                .ocenak = 20,
                .ocenakc = 20,
                .ocenaml = 20,
                .ocenamax = 20,
                .ocenakon = 20,
            });
            m->Fields = storage::CloneFields(form);
            storage::AddMeasurement(f->Measurements, std::move(m));
        }
    }
    storage::TStanowisko *ws = w.get();
    state.Workstations.push_back(std::move(w));

    assessment::TfrmRyzZakl win(appstate::State());
    const auto [cbStanow, lbCzyn, lbPomiar] = bench::ShowWorkstation(win, ws);

    const int rounds = bench::Sized(20, 2);
    double total = 0, worst = 0;
    QElapsedTimer t;
    for (int r = 0; r < rounds; ++r) {
        t.restart();
        lbCzyn->setCurrentRow(r % 2); // the user's click: list refilled, pages cleared
        lbPomiar->setCurrentRow(0);   // the first measurement shown
        const double ms = t.nsecsElapsed() / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }
    bench::Require(lbPomiar->count() == 200 && win.SelectedMeasurement(), "the factor's 200 measurements listed, one shown");
    std::printf("switch factor (200 measurements) and show one: %.1f ms average, %.1f ms worst (%d listed)\n",
                total / rounds, worst, lbPomiar->count());

    auto *edit = qobject_cast<QLineEdit *>(win.MeasurementPages().FindField(QStringLiteral("ed_PEWartZm")));
    if (!edit) {
        std::printf("the noise form has no ed_PEWartZm\n");
        return 1;
    }
    const int edits = bench::Sized(500, 4);
    t.restart();
    for (int i = 0; i < edits; ++i) {
        edit->setText(i % 2 ? QStringLiteral("87") : QStringLiteral("79.5"));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &out);
    }
    const double ms = t.nsecsElapsed() / 1e6 / edits;
    const storage::TPomiarCzynn *m = win.SelectedMeasurement();
    bench::Require(m && m->ocenamax > 0, "the edited measurement rated");
    std::printf("edit to re-rated panel (noise rule): %.3f ms per edit (last rating %d, panel %d)\n", ms,
                m ? m->ocenamax : -1, win.MeasurementPages().RiskPanel()->ShownCode(win.MeasurementPages().RiskPanel()->gbKompLaczna));
    win.MeasurementPages().ClearMeasurementForm();
    state.Workstations.clear();
    return 0;
}
