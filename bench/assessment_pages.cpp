// Building the measurement pages of a generated form of 10 pages and 400 fields (clearing
// the previous ones included), and one SetFieldValue round trip: format, exit handler,
// dispatch to the form's rule, the rule's read back.
#include "appstate/appstate.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/evaluation_dispatch.h"
#include "bench/bench_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <cstdio>

namespace {

std::unique_ptr<storage::TPomiar> item(const QString &nazwa, const QString &typ, int page, int row, int szerkol,
                                       int szer, const QString &value, const QString &etyk)
{
    return std::make_unique<storage::TPomiar>(storage::TFieldDefinition{.PageNr = page,
                                                                        .nazwa = nazwa,
                                                                        .typ = typ,
                                                                        .Row = row,
                                                                        .szerkol = szerkol,
                                                                        .szer = szer,
                                                                        .wys = 40,
                                                                        .ile = 1,
                                                                        .sprpopr = typ == QLatin1String("edit")},
                                              storage::TFieldState{.etyk = etyk, .Value = value, .ChoiceNr = 1, .onexit = true});
}

storage::TPomiarList generate()
{
    storage::TPomiarList items;
    static const char *kinds[] = {"edit", "edit", "combo", "checkbox", "label", "edit", "memo", "edit"};
    for (int p = 1; p <= 10; ++p) {
        items.push_back(std::make_unique<storage::TPomiar>(storage::TFieldDefinition{
            .PageNr = p,
            .PageName = QStringLiteral("Strona %1").arg(p),
            .typ = QStringLiteral("page"),
            .function = QStringLiteral("bench_Pomiar_01"),
        }));
        for (int i = 0; i < 40; ++i) {
            const QString kind = QString::fromLatin1(kinds[i % 8]);
            items.push_back(item(QStringLiteral("Pole_%1_%2").arg(p).arg(i), kind, p, i / 4 + 1, 200, 90,
                                 kind == QLatin1String("checkbox") ? QStringLiteral("False") : QStringLiteral("1.5"),
                                 QStringLiteral("Wartość zmierzona %1").arg(i)));
        }
    }
    return items;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    appstate::State().ViewName = QStringLiteral("frmRyzZakl");
    appstate::State().ViewKind = storage::TViewKind::Measurement;
    appstate::State().DataFolder = QStringLiteral("zaklocen\\");

    storage::TPomiarList items = generate();
    assessment::TfrmRyzZakl win(appstate::State());
    int evaluations = 0;
    assessment::RegisterEvaluationRule(QStringLiteral("bench_Pomiar_01"),
                                       [&](assessment::TFormAccess &form, const QString &sender) {
                                           ++evaluations;
                                           (void)form.GetFieldValue(sender);
                                       });

    const int rounds = bench::Sized(10, 2);
    QElapsedTimer t;
    double total = 0;
    double worst = 0;
    for (int r = 0; r < rounds; ++r) {
        t.restart();
        win.MeasurementPages().ClearMeasurementForm();
        win.BuildMeasurementForm(items);
        const double ms = t.nsecsElapsed() / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }
    bench::Require(win.MeasurementPages().Pages()->count() == 11, "the 10 pages and the risk page built");
    std::printf("build 10 pages / 400 fields: %.1f ms average, %.1f ms worst (%d tabs)\n", total / rounds, worst,
                win.MeasurementPages().Pages()->count());

    const int ops = bench::Sized(20000, 20);
    t.restart();
    for (int i = 0; i < ops; ++i)
        win.MeasurementPages().SetFieldValue(QStringLiteral("ed_Pole_1_0"), i % 2 ? QStringLiteral("2.5") : QStringLiteral("3.75"));
    const double us = t.nsecsElapsed() / 1e3 / ops;
    bench::Require(evaluations >= ops, "every changed value evaluated");
    std::printf("SetFieldValue round trip (changed value, rule run): %.2f us (%d evaluations)\n", us, evaluations);

    t.restart();
    for (int i = 0; i < ops; ++i)
        (void)win.MeasurementPages().GetFieldValue(QStringLiteral("ed_Pole_1_39"));
    std::printf("GetFieldValue: %.2f us\n", t.nsecsElapsed() / 1e3 / ops);
    win.MeasurementPages().ClearMeasurementForm();
    return 0;
}
