#pragma once

// The printouts on the shipped sample workstations: a copy of the installation as the
// program folder, the summary view on its data folder with a workstation and a range
// chosen, and the printouts dialog; a preview that prints its pages to a PDF file and
// closes, as a user would; the PDF read back with poppler.

#include "tests/reportengine/page_helpers.h"
#include "tests/reportengine/preview_helpers.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "assessment/measurement_pages.h"
#include "assessment/rules/rules.h"
#include "printouts/frm_stat_rep.h"
#include "printouts/frm_wydruk_rej.h"
#include "printouts/workstation_report.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"
#include "storage/form_definition_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/radio_group.h"
#include "workstations/frm_zestaw.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace workstationprintouts {

inline QDate Day(const char *isoDate)
{
    return QDate::fromString(QString::fromLatin1(isoDate), Qt::ISODate);
}

inline QString Today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

// What a preview showed and printed.
struct PreviewRun
{
    bool shown = false;
    int pages = 0;
    bool waitWindowVisible = false; // when the preview showed its pages
    QString pdf;
    QStringList pageTexts; // pdftotext of each printed page
    QString failure;
};

// Waits for the preview to show its pages, then takes them and closes the preview, as the
// user closes it: their texts (one text per page, its drawn texts joined by newlines), or,
// when run.pdf is set, the pages printed from the preview to that PDF file.
class PreviewWatcher
{
public:
    PreviewWatcher(PreviewRun &run, testsupport::ScriptedDialogs &dialogs)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, &run, &dialogs] {
            reportengine::TVRStandardPreview *w = reportengine_test::FindPreview();
            if (!w || !w->Print->isEnabled() || w->PageCount() < 1)
                return;
            m_poll.stop();
            run.shown = true;
            run.pages = w->PageCount();
            run.waitWindowVisible = printouts::frmStatRep()->isVisible();
            if (run.pdf.isEmpty()) {
                for (int n = 1; n <= run.pages; ++n)
                    run.pageTexts << reportengine::CapturePageTexts(*w->VRPrinter()->GetPage(n)).join('\n');
            } else {
                dialogs.steps.prepend(reportengine_test::ChooseDestination(run.pdf, QString(), 1, run.pages));
                w->PrintSetup->click();
                w->Print->click();
                if (!reportengine_test::SpinUntil([&] { return QFile::exists(run.pdf); }))
                    run.failure = QStringLiteral("no PDF");
            }
            w->close();
        });
        m_poll.start();
        // A preview that never gets its pages must not keep the test waiting.
        QTimer::singleShot(30000, &m_poll, [] {
            if (reportengine::TVRStandardPreview *w = reportengine_test::FindPreview())
                w->close();
        });
    }

private:
    QTimer m_poll;
};

// The text of every page of the run's PDF file, by pdftotext (in the page's layout).
inline void ReadPdfPages(PreviewRun &run)
{
    const QString pdftotext = reportengine_test::Tool("pdftotext");
    if (run.pdf.isEmpty() || !run.shown || pdftotext.isEmpty() || !QFile::exists(run.pdf))
        return;
    run.pageTexts.clear();
    for (int n = 1; n <= run.pages; ++n)
        run.pageTexts << reportengine_test::RunTool(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                                QString::number(n), QStringLiteral("-l"),
                                                                QString::number(n), run.pdf, QStringLiteral("-")});
}

class PrintoutsTest : public ::testing::Test
{
protected:
    // The printouts only read: one copy of the installation serves the whole suite.
    static void SetUpTestSuite() { sharedFolder() = std::make_unique<testsupport::FixtureFolder>(true); }
    static void TearDownTestSuite() { sharedFolder().reset(); }
    static std::unique_ptr<testsupport::FixtureFolder> &sharedFolder()
    {
        static std::unique_ptr<testsupport::FixtureFolder> folder;
        return folder;
    }

    testsupport::ScriptedPrompter boxes;
    std::unique_ptr<workstations::TfrmZestaw> view;
    std::unique_ptr<printouts::TfrmWydrukRej> dialog;
    QTemporaryDir out;

    void SetUp() override
    {
        storage::ClearFormDefinitionCache();
        assessment::rules::RegisterRules();
        appstate::AppState &s = appstate::State();
        s.DataFolder = QStringLiteral("zaklocen\\");
        s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
        s.CatalogueFolder = QStringLiteral("poradn\\");
        s.AttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");
        s.ViewName = QStringLiteral("frmZestaw");
        s.ViewKind = storage::TViewKind::Summary;
        s.Workstations.clear();
        s.SetModified(false);
        printouts::RegisterWorkstationPrintouts();
        view = std::make_unique<workstations::TfrmZestaw>(appstate::State());
        view->InitView();
        dialog = std::make_unique<printouts::TfrmWydrukRej>();
        dialog->SetSelection(view->PrintSelection()); // as Print in the view hands it over
        dialog->FormShow();
    }

    void TearDown() override
    {
        dialog.reset();
        view.reset();
        appstate::State().Workstations.clear();
        appstate::State().ViewName.clear();
        appstate::State().ViewKind = storage::TViewKind::None;
        appstate::State().SetModified(false);
        storage::ClearFormDefinitionCache();
    }

    // The summary view on a workstation and a range, the lists shown.
    void Choose(const QString &workstation, const char *from, const char *to, bool latestOnly = true)
    {
        view->cbStanow->setCurrentIndex(view->cbStanow->findText(workstation));
        view->cbStanowClick();
        view->dtOd->setDate(Day(from));
        view->dtDo->setDate(Day(to));
        view->rgZakres->SetItemIndex(latestOnly ? 0 : 1);
        view->bWyswietlClick();
    }

    void Kind(int kind)
    {
        dialog->rgRodzZest->SetItemIndex(kind);
        dialog->rgRodzZestClick();
    }

    // "Wydruk", with the preview taken by a PreviewWatcher (printed to a PDF file of that
    // name when one is given).
    PreviewRun Print(const QString &pdfName = QString())
    {
        PreviewRun run;
        if (!pdfName.isEmpty())
            run.pdf = out.filePath(pdfName + QStringLiteral(".pdf"));
        testsupport::ScriptedDialogs dialogs;
        {
            PreviewWatcher watcher(run, dialogs);
            dialog->SetSelection(view->PrintSelection());
            dialog->bOKClick();
        }
        ReadPdfPages(run);
        return run;
    }
};

} // namespace workstationprintouts
