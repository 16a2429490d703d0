#pragma once

// A measurement window on one workstation with one factor and one measurement, in a
// temporary program folder, with message boxes scripted.

#include "appstate/appstate.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/evaluation_dispatch.h"
#include "storage/factors.h"
#include "storage/form_definition_files.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstation_loading/workstation_loading.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

namespace assessmenttest {

inline std::unique_ptr<storage::TPomiar> Page(int nr, const QString &name, const QString &function)
{
    return std::make_unique<storage::TPomiar>(
        storage::TFieldDefinition{.PageNr = nr, .PageName = name, .typ = QStringLiteral("page"), .function = function},
        storage::TFieldState{.enabled = false});
}

inline std::unique_ptr<storage::TPomiar> Field(const QString &nazwa, const QString &typ, int row, int szerkol,
                                               int szer, const QString &value = QString())
{
    return std::make_unique<storage::TPomiar>(
        storage::TFieldDefinition{.nazwa = nazwa, .typ = typ, .Row = row, .szerkol = szerkol, .szer = szer, .ile = 1},
        storage::TFieldState{.Value = value, .ChoiceNr = 1});
}

inline std::unique_ptr<storage::TPomiar> Header(const QString &nazwa, int width, const QString &etyk,
                                                const QString &function)
{
    return std::make_unique<storage::TPomiar>(
        storage::TFieldDefinition{.nazwa = nazwa, .typ = QStringLiteral("naglowek"), .szerkol = width,
                                  .pozycja = QStringLiteral("center"), .szer = width, .function = function},
        storage::TFieldState{.etyk = etyk, .ChoiceNr = 1});
}

// The user leaves a field (by Tab).
inline void leave(QWidget *w)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

// The program's state in the measurement view on the data folder given (the forms, their
// choice lists and the catalogues where the installation keeps them), with no workstation
// loaded and nothing modified.
inline void ShowMeasurementView(const QString &dataFolder)
{
    appstate::AppState &s = appstate::State();
    s.ViewName = QStringLiteral("frmRyzZakl");
    s.ViewKind = storage::TViewKind::Measurement;
    s.DataFolder = dataFolder;
    s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
    s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    s.CatalogueFolder = QStringLiteral("poradn\\");
    s.Workstations.clear();
    s.SetModified(false);
}

// The window's lists, found by their names on its panel as the user's tools find them.
inline QComboBox *cbStanow(assessment::TfrmRyzZakl &w)
{
    return w.GetMainPanel()->findChild<QComboBox *>(QStringLiteral("cbStanow"));
}
inline QListWidget *lbCzyn(assessment::TfrmRyzZakl &w)
{
    return w.GetMainPanel()->findChild<QListWidget *>(QStringLiteral("lbCzyn"));
}
inline QListWidget *lbPomiar(assessment::TfrmRyzZakl &w)
{
    return w.GetMainPanel()->findChild<QListWidget *>(QStringLiteral("lbPomiar"));
}

// Closes a measurement window of a test and leaves the program's state as it found it.
inline void CloseMeasurementWindow(std::unique_ptr<assessment::TfrmRyzZakl> &win)
{
    if (win)
        win->MeasurementPages().ClearMeasurementForm();
    win.reset();
    appstate::State().Workstations.clear();
    appstate::State().SetModified(false);
    appstate::State().ViewName.clear();
    appstate::State().ViewKind = storage::TViewKind::None;
    storage::ClearFormDefinitionCache();
}

// Writes a plain selection tree at the stored path the window will ask for.
inline void WriteTree(const testsupport::FixtureFolder &folder, const QString &storedPath, const QStringList &texts)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<drzewo plik=\"") + storedPath +
                   QStringLiteral("\" ver=\"1.0\">\n");
    for (const QString &t : texts)
        text += QStringLiteral("  <poz>") + t + QStringLiteral("</poz>\n");
    text += QStringLiteral("</drzewo>\n");
    folder.WriteText(QString(storedPath).replace('\\', '/'), text);
}

class WindowTest : public ::testing::Test
{
protected:
    static constexpr const char *FormName = "probny_Pomiar_01";
    testsupport::FixtureFolder folder;
    testsupport::ScriptedPrompter prompter;
    std::unique_ptr<assessment::TfrmRyzZakl> win;
    storage::TStanowisko *ws = nullptr;
    storage::TCzynnik *factor = nullptr;
    storage::TPomiarCzynn *m = nullptr;
    QStringList evaluations; // sender names the form's rule was called with

    void SetUp() override
    {
        ShowMeasurementView(QStringLiteral("dane\\"));
        appstate::AppState &s = appstate::State();
        auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("1"), QStringLiteral("Spawacz"),
                                                         QStringLiteral("stan_1"));
        w->AddEmployment(storage::TZatrudn(QStringLiteral("2020"), QStringLiteral("3"), QStringLiteral("2"),
                                           QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                           QStringLiteral("0")));
        factor = w->AddFactor(std::make_unique<storage::TCzynnik>(QStringLiteral("Czynnik próbny"),
                                                                   QStringLiteral("fiz"), 90001, QStringLiteral("1.0"),
                                                                   QStringLiteral("probny"), QStringLiteral("T"),
                                                                   QString()));
        auto meas = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
            .id = 1, .data = QStringLiteral("2020-05-04"), .ver = QStringLiteral("1")
        });
        m = storage::AddMeasurement(factor->Measurements, std::move(meas));
        ws = w.get();
        s.Workstations.push_back(std::move(w));

        win = std::make_unique<assessment::TfrmRyzZakl>(appstate::State());
        win->MeasurementPages().SetAttachmentFolder(s.AttachFolder);
        // The lists are set as a user's earlier choices left them, without their handlers.
        QSignalBlocker b1(cbStanow(*win)), b2(lbCzyn(*win)), b3(lbPomiar(*win));
        auto &stations = workstation_loading::WorkstationListModel(s);
        stations.Fill(s.Workstations);
        cbStanow(*win)->setCurrentIndex(stations.RowOf(ws->id));
        workstation_loading::AddFactorItem(lbCzyn(*win), *ws, ws->Factors.front());
        lbCzyn(*win)->setCurrentRow(0);
        auto *entry = new QListWidgetItem(m->data, lbPomiar(*win));
        entry->setData(Qt::UserRole, m->data);
        lbPomiar(*win)->setCurrentRow(0);
        assessment::RegisterEvaluationRule(QString::fromLatin1(FormName),
                                           [this](assessment::TFormAccess &, const QString &sender) {
                                               evaluations << sender;
                                           });
    }

    void TearDown() override
    {
        assessment::RegisterEvaluationRule(QString::fromLatin1(FormName), {});
        CloseMeasurementWindow(win);
    }

    storage::TPomiarList &Items() { return m->Fields; }
    void Add(std::unique_ptr<storage::TPomiar> item) { m->Fields.push_back(std::move(item)); }
    void Build() { win->BuildMeasurementForm(m->Fields); }
    storage::TPomiar *Item(const QString &nazwa) { return storage::FindField(m->Fields, nazwa); }
    template <typename T> T *Control(const QString &name) { return win->MeasurementPages().Pages()->findChild<T *>(name); }
    // The risk panel of the window's pages.
    assessment::TfrmOcenaRyz *frmOcenaRyz() { return win->MeasurementPages().RiskPanel(); }
};

} // namespace assessmenttest
