#pragma once

// The shipped forms of every rule family under test, from the installation: a form held in
// memory (ShippedForm: its definition read, its fields added to a TMemoryForm under their
// control names, and the user's actions played the way the measurement window plays them -
// an edit evaluates when left and its item has onexit; a combo choice and a check box click
// always evaluate), a measurement window on one measurement of a shipped form
// (WindowOnShippedForm), and the window on the installation's sample data
// (WindowOnSampleData).

#include "assessment_fixture.h"

#include "appstate/appstate.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/memory_form.h"
#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/field_captions.h"
#include "assessment/rules/rules.h"
#include "storage/form_definition_files.h"
#include "storage/form_definitions.h"
#include "storage/measurement_files.h"
#include "storage/measurements.h"
#include "storage/selection_trees.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstation_loading/workstation_loading.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QString>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace shippedforms {

// The control name a definition item is built as; empty for items that build none.
inline QString ControlName(const storage::TPomiar &item)
{
    const QString &t = item.typ();
    if (t == QLatin1String("edit") || t == QLatin1String("form"))
        return QStringLiteral("ed_") + item.nazwa();
    if (t == QLatin1String("combo"))
        return QStringLiteral("cb_") + item.nazwa();
    if (t == QLatin1String("memo"))
        return QStringLiteral("me_") + item.nazwa();
    if (t == QLatin1String("checkbox"))
        return QStringLiteral("ch_") + item.nazwa();
    if (t == QLatin1String("label") || t == QLatin1String("parametr") || t == QLatin1String("naglowek"))
        return QStringLiteral("lb_") + item.nazwa();
    return QString();
}

class ShippedForm
{
public:
    // fileName: "halas_fizyczny_frm_1.xml"; the program folder must hold the installation.
    // factorId chooses the part a definition includes per factor.
    explicit ShippedForm(const QString &fileName, int factorId = 0)
    {
        storage::FormRootInfo root;
        storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\") + fileName, items, factorId, {}, &root);
        function = root.function;
        form.Name = function;
        // Each test may run in a process of its own: the rules register as at start-up.
        assessment::rules::RegisterRules();
        rule = assessment::FindEvaluationRule(function);
        for (const auto &item : items) {
            const QString name = ControlName(*item);
            if (name.isEmpty())
                continue;
            if (name.startsWith(QLatin1String("cb_"))) {
                // "list1;list2": the item's choice number picks one, as in the window.
                QList<QStringList> lists;
                for (const QString &file : item->zal().split(QLatin1Char(';'))) {
                    std::vector<storage::TZalTree> nodes;
                    storage::ReadSelectionTree(QStringLiteral("zaklocen\\frm\\zalaczn\\") + file, nodes);
                    QStringList texts;
                    for (const auto &n : nodes)
                        texts << n.Text;
                    lists << texts;
                }
                const int list = item->ChoiceNr == 1 ? 0 : int(lists.size()) - 1;
                auto &combo = form.AddCombo(name, lists.value(list), item->Value.toInt());
                combo.lists = lists;
                combo.choiceNr = item->ChoiceNr;
            } else if (name.startsWith(QLatin1String("lb_"))) {
                form.Add(name, item->etyk).captions = item->etyk; // a header's variants
            } else {
                form.Add(name, item->Value).enabled = item->enabled;
            }
            form.Captions[name] = assessment::rules::DefinitionFieldCaption(items, name);
            if (item->onexit)
                onexit.insert(name);
        }
        // A value the rule writes re-runs the exit handler: the rule again for edits with
        // onexit, always for a check box whose state changed.
        form.OnExit = [this](const QString &name) {
            if (name.startsWith(QLatin1String("ch_")) || onexit.contains(name))
                Evaluate(name);
        };
    }

    void Evaluate(const QString &name)
    {
        ASSERT_TRUE(rule) << function.toStdString();
        rule(form, name);
    }
    // The user types text into an edit and leaves it.
    void Enter(const QString &name, const QString &text)
    {
        ASSERT_TRUE(form.Find(name)) << name.toStdString();
        const QString before = form.Fields[name].value;
        form.Fields[name].value = text;
        if (before != text && onexit.contains(name))
            Evaluate(name);
    }
    // The user picks an item of a combo.
    void Choose(const QString &name, int index)
    {
        ASSERT_TRUE(form.Find(name)) << name.toStdString();
        form.Fields[name].value = QString::number(index);
        Evaluate(name);
    }
    // The user clicks a check box.
    void Click(const QString &name)
    {
        ASSERT_TRUE(form.Find(name)) << name.toStdString();
        auto &v = form.Fields[name].value;
        v = v == QLatin1String("True") ? QStringLiteral("False") : QStringLiteral("True");
        Evaluate(name);
    }
    QString Value(const QString &name) { return form.GetFieldValue(name); }
    bool Enabled(const QString &name)
    {
        const auto *f = form.Find(name);
        return f && f->enabled;
    }
    // The last field the rule named for ratings left not determined, as "name: why"; empty
    // when it named none.
    QString LastNamed() const { return form.InvalidFields.isEmpty() ? QString() : form.InvalidFields.last(); }
    // How many fields the rule has named so far.
    qsizetype Named() const { return form.InvalidFields.size(); }
    // The last ratings handed over: men, women, pregnant women, juveniles.
    std::vector<int> Ratings() const
    {
        if (form.Ratings.isEmpty())
            return {};
        const auto &r = form.Ratings.last();
        return {r.men, r.women, r.pregnantWomen, r.juveniles};
    }

    storage::TPomiarList items;
    QString function;
    assessment::EvaluationRule rule;
    assessment::TMemoryForm form;
    QSet<QString> onexit;
};

// A program folder holding the installation, with every rule registered.
class ShippedFormTest : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder{true};
    void SetUp() override
    {
        storage::ClearFormDefinitionCache();
        assessment::rules::RegisterRules();
    }
    void TearDown() override { storage::ClearFormDefinitionCache(); }
};

using Groups = std::vector<int>; // men, women, pregnant women, juveniles
inline const Groups NotDetermined{0, 0, 0, 0};

// The program's state in the measurement view on the installation's folders, nothing
// modified and the rules registered.
inline void UseMeasurementView()
{
    storage::ClearFormDefinitionCache();
    assessment::rules::RegisterRules();
    assessmenttest::ShowMeasurementView(QStringLiteral("zaklocen\\"));
}

// The focus leaves a control, as when the user tabs on.
inline void Leave(QWidget *control)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(control, &e);
}

using assessmenttest::cbStanow;
using assessmenttest::CloseMeasurementWindow;
using assessmenttest::lbCzyn;
using assessmenttest::lbPomiar;

// The measurement window in the measurement view, on a workstation that in 2009 employs
// men, women, pregnant women and juveniles, with one measurement of one factor dated
// 2009-03-05 whose fields come from the shipped definition; messages are scripted.
class WindowOnShippedForm : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder{true};
    testsupport::ScriptedPrompter prompter;
    std::unique_ptr<assessment::TfrmRyzZakl> win;
    storage::TStanowisko *ws = nullptr;
    storage::TCzynnik *factor = nullptr;
    storage::TPomiarCzynn *m = nullptr;

    void SetUp() override { UseMeasurementView(); }

    // Opens the window on factorId whose form is frmDane in version ver.
    void Open(int factorId, const QString &frmDane, const QString &ver, const QString &employed = QStringLiteral("1"))
    {
        appstate::AppState &s = appstate::State();
        auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("9"), QStringLiteral("Szlifierz"),
                                                        QStringLiteral("stan_9"));
        w->AddEmployment(storage::TZatrudn(QStringLiteral("2009"), QStringLiteral("3"), employed, employed, employed,
                                           QStringLiteral("0"), QStringLiteral("0")));
        factor =
            w->AddFactor(std::make_unique<storage::TCzynnik>(QStringLiteral("Hałas"), QStringLiteral("fiz"), factorId,
                                                             ver, frmDane, QStringLiteral("T"), QStringLiteral("T")));
        auto meas = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
            .id = 1, .data = QStringLiteral("2009-03-05"), .ver = storage::FormVersionNumber(ver)
        });
        m = storage::AddMeasurement(factor->Measurements, std::move(meas));
        storage::ReadMeasurementForm(s.FormsFolder + storage::FormDefinitionName(frmDane, ver), m->Fields, factorId);
        ShowWorkstation(std::move(w));
        lbCzyn(*win)->setCurrentRow(0);
        auto *entry = new QListWidgetItem(m->data, lbPomiar(*win));
        entry->setData(Qt::UserRole, m->data);
        // Choosing the entry shows the measurement; built once more here from a clean page
        // control, so that every control name is found once.
        lbPomiar(*win)->setCurrentRow(0);
        win->MeasurementPages().ClearMeasurementForm();
        win->BuildMeasurementForm(m->Fields);
    }

    // Hands the workstation to the program and lists it with its factors in a new window.
    void ShowWorkstation(std::unique_ptr<storage::TStanowisko> w)
    {
        ws = w.get();
        appstate::State().Workstations.push_back(std::move(w));
        win = std::make_unique<assessment::TfrmRyzZakl>(appstate::State());
        win->MeasurementPages().SetAttachmentFolder(appstate::State().AttachFolder);
        auto &stations = workstation_loading::WorkstationListModel(appstate::State());
        stations.Fill(appstate::State().Workstations);
        cbStanow(*win)->setCurrentIndex(stations.RowOf(ws->id));
        for (const storage::TFactorEntry &e : ws->Factors)
            workstation_loading::AddFactorItem(lbCzyn(*win), *ws, e);
    }

    void TearDown() override { CloseMeasurementWindow(win); }

    template <typename T> T *Control(const QString &name) { return win->MeasurementPages().Pages()->findChild<T *>(name); }
    // The risk panel of the window's pages.
    assessment::TfrmOcenaRyz *frmOcenaRyz() { return win->MeasurementPages().RiskPanel(); }
    // The user types into an edit and leaves it.
    void Type(const QString &name, const QString &text);
    // The text an edit shows.
    QString Shown(const QString &name)
    {
        auto *ed = Control<QLineEdit>(name);
        return ed ? ed->text() : QStringLiteral("<missing>");
    }
    // The caption a label shows.
    QString Caption(const QString &name)
    {
        auto *lb = Control<QLabel>(name);
        return lb ? lb->text() : QStringLiteral("<missing>");
    }
    // The user picks an item of a combo.
    void Choose(const QString &name, int index)
    {
        auto *cb = Control<QComboBox>(name);
        ASSERT_TRUE(cb) << name.toStdString();
        cb->setCurrentIndex(index);
        win->MeasurementPages().ChangeField(cb);
    }
    // The user clicks a check box.
    void Click(const QString &name)
    {
        auto *box = Control<QCheckBox>(name);
        ASSERT_TRUE(box) << name.toStdString();
        box->click();
    }
    // Writes the factor's measurement file in the workstation's folder and reads it back.
    storage::TMeasurementList SaveAndReadBack()
    {
        const QString stored = QStringLiteral("zaklocen\\stan_9\\");
        EXPECT_TRUE(QDir().mkpath(folder.FilePath("zaklocen/stan_9")));
        EXPECT_TRUE(storage::WriteMeasurementFile(stored, factor->frm_dane + QStringLiteral("_dane"), {factor}));
        storage::TMeasurementList back;
        storage::ReadMeasurements(stored, factor->frm_dane, back, factor->id, appstate::State().FormsFolder);
        return back;
    }
    // The one measurement saved and read back, checked to carry the ratings the window
    // stored; nullptr when the file does not hold exactly one.
    std::unique_ptr<storage::TPomiarCzynn> SavedMeasurement()
    {
        storage::TMeasurementList back = SaveAndReadBack();
        EXPECT_EQ(back.size(), 1u);
        if (back.size() != 1u)
            return nullptr;
        const storage::TPomiarCzynn &r = *back.front();
        EXPECT_EQ((std::vector<int>{r.ocenam, r.ocenak, r.ocenakc, r.ocenaml, r.ocenamax, r.ocenakon}), Stored());
        return std::move(back.front());
    }
    std::vector<int> Stored() const { return {m->ocenam, m->ocenak, m->ocenakc, m->ocenaml, m->ocenamax, m->ocenakon}; }
};

inline void WindowOnShippedForm::Type(const QString &name, const QString &text)
{
    auto *ed = Control<QLineEdit>(name);
    ASSERT_TRUE(ed) << name.toStdString();
    ed->setText(text);
    Leave(ed);
}

// The measurement window on the installation's sample workstations, without the sample
// measurements (each case makes its own), started as the program starts it; messages are
// scripted, and the data dialog is answered by the runner a test sets.
class WindowOnSampleData : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder{true};
    testsupport::ScriptedPrompter prompter;
    std::unique_ptr<assessment::TfrmRyzZakl> win;

    void SetUp() override
    {
        UseMeasurementView();
        QDirIterator files(folder.FilePath(QStringLiteral("zaklocen")), {QStringLiteral("*_dane.xml")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QFileInfo info(file);
            if (info.dir().dirName().startsWith(QLatin1String("stan_")) &&
                info.fileName() != QLatin1String("stanowisko_dane.xml"))
                QFile::remove(file);
        }
    }
    void TearDown() override
    {
        assessment::TfrmNowyPomiar::SetRunner({});
        CloseMeasurementWindow(win);
    }

    // The program started afresh on the same files, nothing chosen yet.
    void Start()
    {
        if (win)
            win->MeasurementPages().ClearMeasurementForm();
        win.reset();
        appstate::State().Workstations.clear();
        appstate::State().SetModified(false);
        win = std::make_unique<assessment::TfrmRyzZakl>(appstate::State());
        win->InitView();
    }
    void ChooseWorkstation(const QString &name)
    {
        const int i = cbStanow(*win)->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        cbStanow(*win)->setCurrentIndex(i);
        emit cbStanow(*win)->activated(i); // as the user's choice
    }
    void ChooseFactor(const QString &text)
    {
        const auto found = lbCzyn(*win)->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        lbCzyn(*win)->setCurrentItem(found.first());
    }
    void ChooseMeasurement(const QString &d)
    {
        const auto found = lbPomiar(*win)->findItems(d, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << d.toStdString();
        lbPomiar(*win)->setCurrentItem(found.first());
    }
    QLineEdit *Edit(const QString &name) { return qobject_cast<QLineEdit *>(win->MeasurementPages().FindField(name)); }
    // The risk panel of the window's pages.
    assessment::TfrmOcenaRyz *frmOcenaRyz() { return win->MeasurementPages().RiskPanel(); }
    // The text an edit shows.
    QString Shown(const QString &name)
    {
        QLineEdit *ed = Edit(name);
        return ed ? ed->text() : QStringLiteral("<missing>");
    }
    // The user types into an edit and leaves it.
    void Type(const QString &name, const QString &text)
    {
        QLineEdit *ed = Edit(name);
        ASSERT_TRUE(ed) << name.toStdString();
        ed->setText(text);
        Leave(ed);
    }
    // Save, as the main window's command: a saved window is no longer modified.
    bool Save()
    {
        const bool ok = win->Save();
        if (ok)
            appstate::State().SetModified(false);
        return ok;
    }
};

} // namespace shippedforms
