// Measurement pages made without a ratings store (the catalogue's and the summary's) are
// previews: whatever the user or a rule does on them, no rating is stored and nothing is
// marked modified, even when they show a stored measurement's own items.

#include "assessment_fixture.h"

#include "assessment/frm_ocena_ryz.h"
#include "assessment/measurement_pages.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

#include <functional>

using namespace assessmenttest;

namespace {

void leave(QWidget *w)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

std::vector<int> ratingsOf(const storage::TPomiarCzynn &m)
{
    return {m.ocenam, m.ocenak, m.ocenakc, m.ocenaml, m.ocenamax, m.ocenakon};
}

struct PreviewAction
{
    const char *what;
    std::function<void(assessment::TMeasurementPages &)> act;
};

template <typename T> T *on(assessment::TMeasurementPages &p, const char *name)
{
    return p.Pages()->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class PreviewPages : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
        auto ed = Field(QStringLiteral("WartZm"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1"));
        ed->onexit = true;
        Add(std::move(ed));
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
    const PreviewAction actions[] = {
        {"an edit typed into and left",
         [](auto &p) {
             QTest::keyClick(on<QLineEdit>(p, "ed_WartZm"), Qt::Key_7);
             leave(on<QLineEdit>(p, "ed_WartZm"));
         }},
        {"a memo left", [](auto &p) { leave(on<QPlainTextEdit>(p, "me_Uwagi")); }},
        {"a check box clicked", [](auto &p) { on<QCheckBox>(p, "ch_cbSumNDS")->click(); }},
        {"a choice made in a tree", [](auto &p) { on<QToolButton>(p, "bb_Rodzaj")->click(); }},
        {"a rule's writes", [](auto &p) { p.SetFieldValue(QStringLiteral("ch_cbSumNDS"), "True"); }},
        {"a final rating clicked",
         [](auto &p) {
             p.RiskPanel()->gbOcena->setEnabled(true); // as if a click could reach it
             p.RiskPanel()->rbOcenaKoncDuze->click();
         }},
        {"measures typed",
         [](auto &p) {
             p.RiskPanel()->mSrodOgrRyz->setEnabled(true);
             p.RiskPanel()->mSrodOgrRyz->setPlainText(QStringLiteral("nowe środki"));
         }},
    };
    for (const bool editable : {true, false}) { // the catalogue's form, the summary's measurement
        for (const PreviewAction &a : actions) {
            const std::vector<int> stored = ratingsOf(*m);
            assessment::TMeasurementPages preview(nullptr, appstate::State());
            preview.BuildMeasurementForm(m->Fields, editable); // the stored measurement's own items
            appstate::State().SetModified(false);
            QSignalSpy saveOffered(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
            a.act(preview);
            const std::string what = std::string(a.what) + (editable ? " (editable)" : " (read-only)");
            EXPECT_EQ(ratingsOf(*m), stored) << what;
            EXPECT_EQ(m->srodogrryz, "zapisane") << what;
            EXPECT_FALSE(appstate::State().Modified()) << what;
            EXPECT_EQ(saveOffered.count(), 0) << what;
            EXPECT_EQ(preview.RiskPanel()->Host(), nullptr) << what;
            preview.ClearMeasurementForm();
        }
    }
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}

TEST_F(PreviewPages, ARuleThatRatesShowsThePlainMaximumOnThePreviewsOwnPanel)
{
    assessment::TMeasurementPages preview(nullptr, appstate::State());
    preview.BuildMeasurementForm(m->Fields, true);
    Build(); // the window's own pages, beside the preview
    assessment::TfrmOcenaRyz *own = frmOcenaRyz();
    own->SetRiskAssessment({assessment::TGroupRatings::All(10), 10, 10, QString()});
    on<QCheckBox>(preview, "ch_cbSumNDS")->click();
    EXPECT_EQ(preview.RiskPanel()->ShownCode(preview.RiskPanel()->gbKompLaczna), 30);
    EXPECT_NE(preview.RiskPanel(), own);
    EXPECT_EQ(own->ShownCode(own->gbKompLaczna), 10) << "the window's panel is its own";
    preview.ClearMeasurementForm();
}
