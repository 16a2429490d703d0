// The factor catalogue, the factors of a workstation and the measurement summary in the
// running program, on the shipped installation: the user browses every factor group,
// filters and searches the chemical substances, defines an own factor and edits it, puts
// factors on a workstation from the workstation view and saves, then sees a measurement of
// it read-only in the summary. Under an X display (ctest runs it under xvfb-run at
// 1024x768) each view is photographed into the test output folder.
#include "appstate/appstate.h"
#include "assessment/measurement_pages.h"
#include "printouts/frm_wydruk_rej.h"
#include "shell/frm_main.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/support/model_list.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"
#include "workstations/frm_zw_chem.h"
#include "workstations/views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace workstations;

namespace {

bool onScreen()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Photographs a window as the screen shows it and checks that it is drawn and fits the
// screen; does nothing without an X display.
void shoot(QWidget *window, const QString &name)
{
    if (!onScreen())
        return;
    if (!window->isVisible())
        window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(150);
    const QRect screen = window->screen()->geometry();
    EXPECT_TRUE(screen.contains(window->frameGeometry())) << name.toStdString() << " does not fit the screen";
    const QImage image = window->screen()->grabWindow(window->winId()).toImage();
    ASSERT_FALSE(image.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << name.toStdString() << " looks empty";
    QString folder = qEnvironmentVariable("TARVELIN_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(TARVELIN_TEST_OUTPUT "/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

void clickIcon(shell::TfrmMain &w, int item)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemImageRect(item).center());
}

void chooseGroup(TfrmCzynniki *view, const QString &ident)
{
    for (int i = 0; i < view->cbGrupyCzyn->count(); ++i) {
        view->cbGrupyCzyn->setCurrentIndex(i);
        if (view->SelectedGroup()->ident == ident) {
            view->cbGrupyCzynChange();
            return;
        }
    }
    ADD_FAILURE() << "no group " << ident.toStdString();
}

template <class List> // an item list or one shown through a model
void select(List *list, const QString &text)
{
    const auto found = testsupport::RowsWithText(list, text);
    ASSERT_EQ(found.size(), 1u) << text.toStdString();
    list->setCurrentRow(found.front());
}

// A noise measurement of a month ago, as the measurement window would have saved it.
void writeNoiseMeasurement(const QString &folder, const QDate &date)
{
    storage::TCzynnik noise(QStringLiteral("Hałas"), QStringLiteral("fiz"), 30001, QStringLiteral("1.0"),
                            QStringLiteral("halas_fizyczny"), QStringLiteral("T"), QStringLiteral("T"));
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .id = 1, .data = date.toString(Qt::ISODate), .mscPom = "biuro", .wykpom = "laboratorium",
        .srodogrryz = "wyciszenie drukarek", .ver = "1", .ocenam = 10, .ocenak = 10, .ocenakc = 10, .ocenaml = 10,
        .ocenamax = 10, .ocenakon = 10});
    storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\halas_fizyczny_frm_1.xml"), m->Fields, 30001);
    for (const auto &field : m->Fields)
        if (field->nazwa() == QLatin1String("PEWartZm"))
            field->Value = QStringLiteral("62");
    storage::AddMeasurement(noise.Measurements, std::move(m));
    ASSERT_TRUE(storage::WriteMeasurementFile(folder, QStringLiteral("halas_fizyczny_dane"), {&noise}));
}

} // namespace

TEST(FactorViewsInProgram, BrowseChooseSaveAndSummarise)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;
    RegisterViews(appstate::State());
    printouts::RegisterWorkstationPrintouts();
    auto &s = appstate::State();
    s.SetModified(false);
    const QString office = QStringLiteral("Pracownik biurowy - dział kadr i płac");
    {
        shell::TfrmMain w;
        w.resize(1024, 768);
        w.move(0, 0);
        w.show();

        // ---- the catalogue: every group, the chemical filters and search ----
        clickIcon(w, 3);
        ASSERT_EQ(s.ViewName, "frmCzynniki");
        TfrmCzynniki *catalogue = frmCzynniki(appstate::State());
        EXPECT_TRUE(catalogue->Panel3->isHidden());
        for (const char *ident : {"pyly", "biol", "uciaz", "fiz", "chem"}) {
            chooseGroup(catalogue, QString::fromLatin1(ident));
            EXPECT_GT(catalogue->lbCzynniki->count(), 0) << ident;
            if (QByteArray(ident) == "biol")
                shoot(&w, QStringLiteral("catalogue_biological"));
        }
        shoot(&w, QStringLiteral("catalogue_chemical"));
        TfrmZwChem *chem = frmZwChem();
        chem->edSzukStr->setText(QStringLiteral("WĘGLA")), chem->bbSzukaj->click();
        EXPECT_EQ(catalogue->lbCzynniki->count(), 2) << "Tlenek węgla, Ditlenek węgla";
        chem->edSzukStr->setText(QStringLiteral("ołów")), chem->bbSzukaj->click();
        ASSERT_EQ(catalogue->lbCzynniki->count(), 1);
        EXPECT_TRUE(catalogue->lbCzynniki->item(0)->text().startsWith(QStringLiteral("Ołów")));
        chem->Box(QStringLiteral("cbTyp_New_21"))->setChecked(true), chem->BitBtn1->click();
        EXPECT_GT(catalogue->lbCzynniki->count(), 3) << "the organic solvents";
        chem->Box(QStringLiteral("cbTyp_New_21"))->setChecked(false);
        chooseGroup(catalogue, QStringLiteral("fiz"));
        select(catalogue->lbCzynniki, QStringLiteral("Hałas"));
        EXPECT_GT(catalogue->MeasurementPages()->Pages()->count(), 1);
        shoot(&w, QStringLiteral("catalogue_form_preview"));
        EXPECT_FALSE(s.Modified());

        // ---- the workstation view's factor button: an own factor defined, edited, chosen ----
        clickIcon(w, 0);
        TfrmDefStan *def = frmDefStan(appstate::State());
        select(def->lbStanowiska, office);
        const int before = def->lbStanCzyn->count();
        TfrmStanCzyn *dialog = frmStanCzyn(appstate::State());
        dialogs.steps.enqueue([&](QDialog &) {
            shoot(dialog, QStringLiteral("factor_dialog"));
            chooseGroup(catalogue, QStringLiteral("fiz"));
            catalogue->miNowyCzynWlClick(); // answered by the next step
            select(catalogue->lbCzynnikiWl, QStringLiteral("Praca przy monitorze (met5Krok)"));
            catalogue->miEdytujCzynWlClick(); // and the one after
            select(catalogue->lbCzynnikiWl, QStringLiteral("Praca przy monitorze ekranowym (met5Krok)"));
            dialog->bDodaj->click();
            select(catalogue->lbCzynniki, QStringLiteral("Hałas"));
            dialog->bDodaj->click();
            shoot(dialog, QStringLiteral("factor_dialog_chosen"));
            dialog->hide();
            dialog->bOk->click();
            return dialog->result();
        });
        dialogs.steps.enqueue([&](QDialog &d) {
            auto &own = static_cast<TfrmCzynnWl &>(d);
            own.edNazwaCzynnWl->setText(QStringLiteral("Praca przy monitorze"));
            shoot(&own, QStringLiteral("own_factor_dialog"));
            own.hide();
            own.bOk->click();
            return own.result();
        });
        dialogs.steps.enqueue([&](QDialog &d) {
            auto &own = static_cast<TfrmCzynnWl &>(d);
            EXPECT_EQ(own.edNazwaCzynnWl->text(), "Praca przy monitorze");
            own.edNazwaCzynnWl->setText(QStringLiteral("Praca przy monitorze ekranowym"));
            own.bOk->click();
            return own.result();
        });
        def->bWybierz->click();
        EXPECT_TRUE(dialogs.steps.isEmpty());
        EXPECT_EQ(def->lbStanCzyn->count(), before + 2);
        EXPECT_EQ(testsupport::ListTexts(def->lbStanCzyn).count("Praca przy monitorze ekranowym (czynnik własny)"), 1);
        EXPECT_TRUE(s.Modified());
        EXPECT_TRUE(w.tbSave->isEnabled());
        w.SaveForm();
        EXPECT_FALSE(s.Modified());
        EXPECT_TRUE(fx.ReadText("zaklocen/stan_3/stanowisko_dane.xml").contains(QStringLiteral("id=\"30001\"")));
        EXPECT_TRUE(fx.ReadText("poradn/czynfizWl.xml").contains(QStringLiteral("Praca przy monitorze ekranowym")));
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();

        // ---- the summary: the workstation's measurement of a month ago, read-only ----
        writeNoiseMeasurement(QStringLiteral("zaklocen\\stan_3\\"), QDate::currentDate().addMonths(-1));
        clickIcon(w, 2);
        ASSERT_EQ(s.ViewName, "frmZestaw");
        TfrmZestaw *summary = frmZestaw(appstate::State());
        summary->cbStanow->setCurrentIndex(summary->cbStanow->findText(office));
        summary->cbStanowClick();
        select(summary->lbCzyn, QStringLiteral("Hałas"));
        ASSERT_EQ(summary->lbPomiar->count(), 1);
        summary->lbPomiar->setCurrentRow(0);
        assessment::TMeasurementPages *pages = summary->MeasurementPages();
        EXPECT_EQ(pages->PageArea()->parentWidget(), summary->pZestawPoj);
        ASSERT_GT(pages->Pages()->count(), 1);
        for (QLineEdit *e : pages->Pages()->findChildren<QLineEdit *>())
            EXPECT_FALSE(e->objectName().startsWith("ed_") && e->isEnabled() && !e->isReadOnly())
                << e->objectName().toStdString();
        shoot(&w, QStringLiteral("summary_measurement"));
        pages->Pages()->setCurrentIndex(pages->Pages()->count() - 1);
        shoot(&w, QStringLiteral("summary_risk"));
        EXPECT_FALSE(s.Modified());
        EXPECT_FALSE(w.tbSave->isEnabled());
        // Print opens the printouts dialog (closed here at once).
        const qsizetype dialogsBefore = dialogs.titles.size();
        w.PrintForm();
        ASSERT_EQ(dialogs.titles.size(), dialogsBefore + 1);
        EXPECT_EQ(dialogs.titles.last(), QStringLiteral("Wydruk"));
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    }
    s.Workstations.clear();
}
