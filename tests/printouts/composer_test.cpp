// The print composer "Wydruk": when it opens at all, its page boxes, the blank-forms box
// kept between prints, the page forms chosen by definition file and version (the current
// version for a new document), and the road to the preview.
#include "printouts_test_support.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"
#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_printer.h"
#include "tests/support/fakes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace printouts;
using namespace printoutstest;

namespace {

// A document of `pages` pages with a stored version (a null text: a new document).
class ComposerTest : public ::testing::Test
{
protected:
    Document doc;
    QString stored;
    QString currentVersion; // the version new documents are made with
    testsupport::ScriptedDialogs dialogs;
    TfrmWydruk *w = frmWydruk();

    void SetUp() override
    {
        Pages(2);
        Use();
        w->cbRodzWydr->setChecked(false);
    }
    // The composer is handed the document and its definition file, as the document view's Print hands them.
    void Use(const QString &definition = QStringLiteral("zaswszkol_frm.xml"))
    {
        TfrmWydruk::DocumentSource source;
        source.Items = [this] { return &doc.items; };
        source.StoredVersion = [this] { return stored; };
        source.DefinitionFile = definition;
        source.CurrentFormVersion = currentVersion;
        w->SetDocumentSource(source);
    }
    void TearDown() override { w->SetDocumentSource({}); }

    void Pages(int n)
    {
        doc.items.clear();
        for (int p = 1; p <= n; ++p) {
            auto page = Field(QString(), QStringLiteral("page"), 0);
            page->PageNr = p;
            doc.Add(std::move(page));
            doc.Add(Field(QStringLiteral("Pole%1").arg(p), QStringLiteral("edit")));
        }
    }
    // Runs Execute with a step that records the page boxes and answers.
    QString Boxes(int answer = QDialog::Rejected)
    {
        QString seen;
        dialogs.steps << [&seen, answer, this](QDialog &d) {
            for (QCheckBox *b : {w->cbPage1, w->cbPage2, w->cbPage3, w->cbPage4})
                seen += b->isHidden() ? QLatin1Char('-') : b->isChecked() ? QLatin1Char('x') : QLatin1Char('o');
            EXPECT_EQ(&d, w);
            return answer;
        };
        w->Execute(w->CompositeReport, QStringLiteral("dokumenty\\zalaczn"));
        return seen;
    }
};

} // namespace

TEST_F(ComposerTest, TheDialogIsTheProgramsWydrukWithItsNamedControls)
{
    EXPECT_EQ(w->cbRodzWydr->text(), "Drukuj puste formularze");
    EXPECT_EQ(w->findChild<QCheckBox *>("cbPage4"), w->cbPage4);
    EXPECT_EQ(w->VRCompRep->Options, int(reportengine::LastPageFooter));
    EXPECT_EQ(w->VRCompRep->PrinterSettings.PaperSize, reportengine::TVRPaperSize::A4);
}

TEST_F(ComposerTest, PageBoxesFollowTheDefinitionAndBlankFormsStayChosen)
{
    EXPECT_EQ(Boxes(), "xx--");
    EXPECT_EQ(w->AttachmentFolder(), "dokumenty\\zalaczn");
    Pages(6);
    w->cbPage1->setChecked(false);
    EXPECT_EQ(Boxes(), "xxxx"); // set anew; four boxes at most
    Pages(1);
    dialogs.steps << [this](QDialog &) {
        w->cbRodzWydr->setChecked(true);
        return int(QDialog::Rejected);
    };
    w->Execute(w->CompositeReport, QString());
    EXPECT_EQ(Boxes(), "x---");
    EXPECT_TRUE(w->cbRodzWydr->isChecked());
    EXPECT_EQ(dialogs.titles, (QStringList{"Wydruk", "Wydruk", "Wydruk", "Wydruk"}));
}

TEST_F(ComposerTest, NothingOpensOutsideADocumentOfAKindTheTableLists)
{
    Use(QStringLiteral("frmDefStan"));
    EXPECT_EQ(Boxes(), "");
    Use(QStringLiteral("nieznany_frm.xml"));
    EXPECT_EQ(Boxes(), "");
    Use(QStringLiteral("zaswszkol_frm.xml"));
    TfrmWydruk::DocumentSource none;
    none.Items = []() -> const storage::TDokumList * { return nullptr; }; // no document window yet
    w->SetDocumentSource(none);
    EXPECT_EQ(Boxes(), "");
    EXPECT_TRUE(dialogs.titles.isEmpty());
    dialogs.steps.clear();
    // Through the main window's command: the registered dialog, the same rule.
    RegisterDialogs();
    appstate::State().ViewName = QStringLiteral("frmRyzZakl");
    EXPECT_TRUE(appstate::RunCommandDialog(QStringLiteral("frmWydruk")));
    EXPECT_TRUE(dialogs.titles.isEmpty());
    appstate::UnregisterCommandDialog(QStringLiteral("frmWydruk"));
}

TEST_F(ComposerTest, PageFormsFollowTheStoredVersionAndANewDocumentTakesTheCurrentOne)
{
    currentVersion = QStringLiteral("3");
    Use(QStringLiteral("skw_frm_3.xml"));
    stored = QStringLiteral("2");
    EXPECT_EQ(w->DocumentPageForms(), (QStringList{"frmStatKartWypP1_2", "frmStatKartWypP2_2"}));
    stored = QString(); // a new document, never saved
    EXPECT_EQ(w->DocumentPageForms(), (QStringList{"frmStatKartWypP1_3", "frmStatKartWypP2_3"}));
    stored = QStringLiteral("7");
    EXPECT_TRUE(w->DocumentPageForms().isEmpty());
    stored = QStringLiteral(""); // stored without a version
    EXPECT_TRUE(w->DocumentPageForms().isEmpty());
    Use(QStringLiteral("kartwyp_frm.xml"));
    EXPECT_EQ(w->DocumentPageForms().size(), 4);
}

TEST_F(ComposerTest, CancelPreviewsNothingAndAKindWithoutBuiltPagesAddsNoReport)
{
    int added = 0;
    const auto previous = w->VRCompRep->OnAddReports;
    w->VRCompRep->OnAddReports = [&](reportengine::TVRCompositeReport &c) {
        ++added;
        previous(c);
    };
    Boxes(QDialog::Rejected);
    EXPECT_EQ(added, 0);
    Use(QStringLiteral("kartwyp_frm.xml"));
    Pages(4);
    QStringList built;
    for (const QString &name : w->DocumentPageForms())
        if (PageFormBuilt(name))
            built << name;
    if (built.isEmpty()) {
        Boxes(QDialog::Accepted); // nothing to show: no preview, no message
        EXPECT_EQ(added, 1);
        EXPECT_TRUE(w->VRCompRep->Reports.empty());
    }
    w->VRCompRep->OnAddReports = previous;
}
