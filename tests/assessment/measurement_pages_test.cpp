// Measurement pages made without a ratings store (the catalogue's and the summary's) are
// previews: whatever the user or a rule does on them, no rating is stored and nothing is
// marked modified, even when they show a stored measurement's own items; a rule's rating
// shows on the preview's own panel, never on the window's.

#include "assessment_fixture.h"

#include "assessment/frm_ocena_ryz.h"
#include "assessment/measurement_pages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

#include <functional>

using namespace assessmenttest;

template <typename T> static T *on(assessment::TMeasurementPages &p, const char *name)
{
    return p.Pages()->findChild<T *>(QString::fromLatin1(name));
}

class PreviewPages : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
        Add(Field(QStringLiteral("WartZm"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1")));
        m->Fields.back()->onexit = true;
        Add(Field(QStringLiteral("Uwagi"), QStringLiteral("memo"), 1, 200, 100, QStringLiteral("u")));
        Add(Field(QStringLiteral("cbSumNDS"), QStringLiteral("checkbox"), 2, 200, 100, QStringLiteral("False")));
        Add(Field(QStringLiteral("Rodzaj"), QStringLiteral("form"), 2, 200, 100, QStringLiteral("Biuro")));
        m->ocenam = m->ocenak = m->ocenamax = m->ocenakon = 10;
        m->srodogrryz = QStringLiteral("zapisane");
        // A rule that rewrites a field and rates every group as large.
        assessment::RegisterEvaluationRule(QString::fromLatin1(FormName),
                                           [](assessment::TFormAccess &form, const QString &sender) {
                                               if (sender != QLatin1String("ed_WartZm"))
                                                   form.SetFieldValue(QStringLiteral("ed_WartZm"), "42");
                                               form.SetRiskAssessment(assessment::TGroupRatings::All(30));
                                           });
        assessment::TMeasurementPages::SetParamTreeChooser([](const QString &, const QString &) {
            return assessment::TMeasurementPages::ParamTreeChoice{1, QStringLiteral("Hala"), "1", "2", "3"};
        });
    }
    void TearDown() override
    {
        assessment::TMeasurementPages::SetParamTreeChooser({});
        WindowTest::TearDown();
    }
};

TEST_F(PreviewPages, NeverStoreARatingNorMarkAnythingModified)
{
    Build(); // the window's own pages, beside the previews
    assessment::TfrmOcenaRyz *own = frmOcenaRyz();
    own->SetRiskAssessment({assessment::TGroupRatings::All(10), 10, 10, QString()});
    const std::pair<const char *, std::function<void(assessment::TMeasurementPages &)>> actions[] = {
        {"an edit typed into and left",
         [](auto &p) {
             QTest::keyClick(on<QLineEdit>(p, "ed_WartZm"), Qt::Key_7), leave(on<QLineEdit>(p, "ed_WartZm"));
         }},
        {"a memo left", [](auto &p) { leave(on<QPlainTextEdit>(p, "me_Uwagi")); }},
        {"a check box clicked", [](auto &p) { on<QCheckBox>(p, "ch_cbSumNDS")->click(); }},
        {"a choice made in a tree", [](auto &p) { on<QToolButton>(p, "bb_Rodzaj")->click(); }},
        {"a rule's writes", [](auto &p) { p.SetFieldValue(QStringLiteral("ch_cbSumNDS"), "True"); }},
        {"a final rating clicked", // as if a click could reach it
         [](auto &p) { p.RiskPanel()->gbOcena->setEnabled(true), p.RiskPanel()->rbOcenaKoncDuze->click(); }},
        {"measures typed", [](auto &p) { p.RiskPanel()->mSrodOgrRyz->setPlainText(QStringLiteral("nowe środki")); }},
    };
    const storage::TMeasurementAttributes stored = *m; // the ratings and the measures among them
    for (const bool editable : {true, false}) { // the catalogue's form, the summary's measurement
        for (const auto &[what, act] : actions) {
            SCOPED_TRACE(std::string(what) + (editable ? " (editable)" : " (read-only)"));
            assessment::TMeasurementPages preview(nullptr, appstate::State());
            preview.BuildMeasurementForm(m->Fields, editable); // the stored measurement's own items
            appstate::State().SetModified(false);
            QSignalSpy saveOffered(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
            act(preview);
            EXPECT_TRUE(stored == *m && !appstate::State().Modified() && saveOffered.isEmpty() &&
                        !preview.RiskPanel()->Host());
            EXPECT_TRUE(preview.RiskPanel() != own && own->ShownCode(own->gbKompLaczna) == 10);
            const int shown = preview.RiskPanel()->ShownCode(preview.RiskPanel()->gbKompLaczna);
            EXPECT_TRUE(shown == 30 || !editable || !QString(what).startsWith("a check box")); // the rule's, its own
            preview.ClearMeasurementForm();
        }
    }
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}
