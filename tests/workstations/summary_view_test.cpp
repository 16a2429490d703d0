// The measurement summary on a workstation written to disk with its measurements: the
// date range, "OSTATNIE" and "WSZYSTKIE", the stale lists, a measurement shown read-only,
// and Print.
#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/measurement_pages.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/radio_group.h"
#include "workstations/frm_zestaw.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace workstations;

namespace {

const QString Data = QStringLiteral("dane\\");

std::unique_ptr<storage::TCzynnik> fizFactor(const QString &nazwa, int id, const QString &frm)
{
    return std::make_unique<storage::TCzynnik>(nazwa, QStringLiteral("fiz"), id, QStringLiteral("1.0"), frm,
                                               QStringLiteral("T"), QStringLiteral("T"));
}

void addMeasurement(storage::TCzynnik &f, const QString &date, short rating)
{
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .data = date, .mscPom = QStringLiteral("hala"), .wykpom = QStringLiteral("lab"),
        .srodogrryz = QStringLiteral("osłony"), .ver = QStringLiteral("1"), .ocenam = rating, .ocenak = rating,
        .ocenamax = rating, .ocenakon = rating
    });
    storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\") + f.frm_dane + QStringLiteral("_frm_1.xml"),
                                 m->Fields, f.id);
    storage::AddMeasurement(f.Measurements, std::move(m));
}

class Summary : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    std::unique_ptr<TfrmZestaw> view;

    void SetUp() override
    {
        auto &s = appstate::State();
        s.DataFolder = Data;
        s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
        s.CatalogueFolder = QStringLiteral("poradn\\");
        s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
        s.ViewName = QStringLiteral("frmZestaw");
        s.ViewKind = storage::TViewKind::Summary;
        s.Workstations.clear();
        s.SetModified(false);

        storage::WorkstationList list;
        auto w = std::make_unique<storage::TStanowisko>("1", QStringLiteral("Szlifiernia"), "stan_1");
        w->AddEmployment(storage::TZatrudn("2023", "3", "2", "0", "0", "0", "0"));
        storage::TCzynnik *noise = w->AddFactor(fizFactor(QStringLiteral("Hałas"), 30001, "halas_fizyczny"),
                                                QStringLiteral("Hałas"));
        for (const char *date : {"2023-01-01", "2023-06-03", "2023-12-31", "2024-01-15"})
            addMeasurement(*noise, QString::fromLatin1(date), 20);
        storage::TCzynnik *heat = w->AddFactor(fizFactor(QStringLiteral("Mikroklimat gorący"), 50001,
                                                         "mikroklimat_goracy"),
                                               QStringLiteral("Mikroklimat gorący"));
        addMeasurement(*heat, QStringLiteral("2020-02-02"), 10);
        EXPECT_TRUE(storage::WriteWorkstationData(Data, *w));
        for (const storage::TCzynnik *f : {noise, heat})
            EXPECT_TRUE(storage::WriteMeasurementFile(Data + QStringLiteral("stan_1\\"),
                                                      f->frm_dane + QStringLiteral("_dane"), {f}));
        list.push_back(std::move(w));
        list.push_back(std::make_unique<storage::TStanowisko>("2", QStringLiteral("Biuro"), "stan_2"));
        EXPECT_TRUE(storage::WriteWorkstationData(Data, *list.back()));
        EXPECT_TRUE(storage::WriteWorkstationList(Data, list));

        view = std::make_unique<TfrmZestaw>(appstate::State());
        view->InitView();
    }
    void TearDown() override
    {
        view.reset();
        appstate::State().Workstations.clear();
        appstate::State().ViewName.clear();
        appstate::State().ViewKind = storage::TViewKind::None;
        appstate::State().SetModified(false);
    }

    void range(const char *from, const char *to)
    {
        view->dtOd->setDate(QDate::fromString(QString::fromLatin1(from), Qt::ISODate));
        view->dtDo->setDate(QDate::fromString(QString::fromLatin1(to), Qt::ISODate));
    }
    void chooseWorkstation(const QString &name)
    {
        view->cbStanow->setCurrentIndex(view->cbStanow->findText(name));
        view->cbStanowClick();
    }
    static QStringList texts(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QStringList measurementsOf(const QString &factor)
    {
        view->lbCzyn->setCurrentItem(view->lbCzyn->findItems(factor, Qt::MatchExactly).value(0));
        return texts(view->lbPomiar);
    }
    // The summary's own measurement pages.
    assessment::TMeasurementPages *pages() const { return view->MeasurementPages(); }
};

} // namespace

TEST_F(Summary, StartsOnTheLastYearWithNoWorkstationAndTheMeasurementPagesDockedHidden)
{
    EXPECT_EQ(view->DateTo(), QDate::currentDate());
    EXPECT_EQ(view->DateFrom(), QDate::currentDate().addYears(-1));
    EXPECT_EQ(view->dtOd->displayFormat(), "yyyy-MM-dd");
    EXPECT_TRUE(view->LatestOnly());
    EXPECT_EQ(view->rgZakres->Button(0)->text(), "OSTATNIE");
    EXPECT_EQ(view->cbStanow->currentIndex(), -1);
    EXPECT_EQ(view->cbStanow->count(), 2);
    EXPECT_EQ(view->cbStanow->itemText(0), "Biuro") << "sorted";
    EXPECT_EQ(pages()->PageArea()->parentWidget(), view->pZestawPoj);
    EXPECT_TRUE(pages()->Pages()->isHidden());

    view->bWyswietlClick();
    EXPECT_EQ(boxes.Texts(), QStringList({"Nie wybrano stanowiska"}));
}

TEST_F(Summary, OnlyMeasurementsInTheRangeCountBothEndsIncluded)
{
    range("2023-01-01", "2023-12-31");
    chooseWorkstation("Szlifiernia");
    EXPECT_EQ(texts(view->lbCzyn), QStringList({"Hałas"})) << "the heat was measured outside the range";
    EXPECT_EQ(measurementsOf("Hałas"), QStringList({"2023-12-31"})) << "OSTATNIE: the latest in the range";

    view->rgZakres->Button(1)->click(); // "WSZYSTKIE"
    EXPECT_FALSE(view->lbCzyn->isEnabled()) << "the lists wait for Wyświetl";
    EXPECT_FALSE(view->lbPomiar->isEnabled());
    view->bWyswietl->click();
    EXPECT_TRUE(view->lbCzyn->isEnabled());
    EXPECT_TRUE(view->lbPomiar->isEnabled());
    EXPECT_EQ(measurementsOf("Hałas"), QStringList({"2023-01-01", "2023-06-03", "2023-12-31"}));

    range("2023-06-03", "2023-06-03");
    view->bWyswietl->click();
    EXPECT_EQ(measurementsOf("Hałas"), QStringList({"2023-06-03"}));

    range("2024-01-01", "2019-01-01"); // start after end: nothing, no message
    view->bWyswietl->click();
    EXPECT_TRUE(texts(view->lbCzyn).isEmpty());
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(Summary, AMeasurementIsShownReadOnlyAndNeverOffersSave)
{
    QSignalSpy saveOffered(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
    range("2023-01-01", "2024-12-31");
    chooseWorkstation("Szlifiernia");
    measurementsOf("Hałas");
    ASSERT_EQ(texts(view->lbPomiar), QStringList({"2024-01-15"}));
    view->lbPomiar->setCurrentRow(0);
    ASSERT_FALSE(pages()->Pages()->isHidden());
    ASSERT_GT(pages()->Pages()->count(), 1);
    EXPECT_EQ(view->SelectedMeasurement()->data, "2024-01-15");
    int inputs = 0;
    for (QLineEdit *e : pages()->Pages()->findChildren<QLineEdit *>()) {
        if (!e->objectName().startsWith("ed_"))
            continue;
        ++inputs;
        EXPECT_FALSE(e->isEnabled() && !e->isReadOnly()) << e->objectName().toStdString();
        pages()->ExitField(e);
    }
    EXPECT_GT(inputs, 0);
    assessment::TfrmOcenaRyz *panel = pages()->RiskPanel();
    EXPECT_EQ(panel->ShownCode(panel->gbMezczyzni), 20);
    EXPECT_EQ(panel->MeasuresText(), "osłony");
    EXPECT_EQ(panel->Host(), nullptr) << "a preview's panel reports the user's choices to no store";
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(saveOffered.count(), 0);

    // "Wyświetl" keeps the factor and the measurement the new range still lists; a new
    // factor choice takes the measurement off.
    range("2020-01-01", "2024-12-31");
    view->bWyswietl->click();
    EXPECT_EQ(view->SelectedMeasurement()->data, "2024-01-15");
    measurementsOf(QStringLiteral("Mikroklimat gorący"));
    EXPECT_TRUE(pages()->Pages()->isHidden());
}

TEST_F(Summary, PrintOpensThePrintoutsDialogOnceOneIsThere)
{
    view->Print();
    EXPECT_EQ(boxes.Texts(), QStringList({"Z tego miejsca programu nie można jeszcze niczego wydrukować."}));
    QString seen;
    appstate::RegisterCommandDialog("frmWydrukRej", [&](const appstate::TPrintSelection &selection) {
        seen = selection.Workstation ? selection.Workstation->nazwa : QString();
        seen += ' ' + selection.DateFrom.toString(Qt::ISODate);
    });
    range("2023-01-01", "2023-12-31");
    chooseWorkstation("Szlifiernia");
    view->Print();
    appstate::UnregisterCommandDialog("frmWydrukRej");
    EXPECT_EQ(seen, "Szlifiernia 2023-01-01");
    EXPECT_EQ(boxes.boxes.size(), 1);
}
