#pragma once

// The whole preview road of a composite document, as a user walks it: pages, go to a
// page, search a Polish word, print pages 2-3 (the reports run again), save, load the
// saved file back and print pages 2-3 of it to a print queue or a second PDF file.

#include "preview_helpers.h"

#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_preview.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace reportengine_test {

// The pages of the three reports of the script: one page each, the second with a
// Polish word in capitals.
inline QList<QList<QStringList>> ScriptReportPages()
{
    return {{{QStringLiteral("Raport 1"), QStringLiteral("Karta szkolenia")}},
            {{QStringLiteral("Raport 2"), QStringLiteral("Siedziba: ŁÓDŹ")}},
            {{QStringLiteral("Raport 3"), QStringLiteral("Rejestr czynników szkodliwych")}}};
}

struct ScriptResult
{
    bool ran = false;
    QString failure;
    QString pdf;       // pages 2-3, printed by running the reports again
    QString storedPdf; // pages 2-3 of the loaded file (without a queue)
    bool printedToQueue = false;
    bool askedForPdf = false; // printed once more, to the PDF file it asked for
};

inline ScriptResult RunCompositePreviewScript(reportengine::TVRCompositeReport &composite, const QString &dir,
                                              const QString &queue)
{
    using namespace reportengine;
    ScriptResult r;
    testsupport::ScriptedDialogs dialogs;
    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedPrompter boxes;
    const auto fail = [&r](const QString &why) {
        if (r.failure.isEmpty())
            r.failure = why;
    };
    const auto script = [&] {
        TVRStandardPreview *w = FindPreview();
        if (!w)
            return fail(QStringLiteral("no preview window"));
        r.ran = true;
        const auto shown = [w] { return w->VRPreview->PageNumber(); };
        if (w->PageCount() != 3)
            fail(QStringLiteral("pages: %1").arg(w->PageCount()));
        w->nextPage->click();
        w->nextPage->click();
        if (shown() != 3 || w->StatusPanels[1]->text() != QStringLiteral("Page 3 of 3"))
            fail(QStringLiteral("next page"));
        w->FirstPage->click();
        dialogs.steps << TypePage(QStringLiteral("2"));
        w->GotoPageButton->click();
        if (shown() != 2)
            fail(QStringLiteral("go to page"));
        dialogs.steps << Search(QStringLiteral("łódź"));
        w->FindButton->click();
        if (ResultItems(*w) != QStringList{QStringLiteral("Page 2")})
            fail(QStringLiteral("search: ") + ResultItems(*w).join(QLatin1Char('|')));

        // Where no printer is set up, Print first asks for the PDF file.
        r.askedForPdf = IsPdfDestinationIndex(composite.PrinterSettings.PrinterIndex);
        if (r.askedForPdf) {
            const QString asked = QDir(dir).filePath(QStringLiteral("dokument.pdf"));
            files.answers << asked;
            w->Print->click();
            if (!SpinUntil([&] { return QFile::exists(asked); }) ||
                files.folders != QStringList{SuggestedPdfFileName(composite.ReportTitle)})
                fail(QStringLiteral("no PDF file asked for"));
        }
        r.pdf = QDir(dir).filePath(QStringLiteral("strony_2-3.pdf"));
        dialogs.steps << ChooseDestination(r.pdf, QString(), 2, 3);
        w->PrintSetup->click();
        w->Print->click();
        if (!SpinUntil([&] { return QFile::exists(r.pdf); }))
            fail(QStringLiteral("no PDF from the reports run again"));

        const QString stored = QDir(dir).filePath(QStringLiteral("dokument.VRP"));
        files.answers << stored << stored;
        w->SaveReport->click();
        if (!QFile::exists(stored))
            fail(QStringLiteral("not saved"));
        w->LoadReport->click();
        if (!w->LoadedFromFile() || w->Title() != QStringLiteral("dokument.VRP") || w->PageCount() != 3)
            fail(QStringLiteral("not loaded back"));

        if (queue.isEmpty()) {
            r.storedPdf = QDir(dir).filePath(QStringLiteral("z_pliku_2-3.pdf"));
            dialogs.steps << ChooseDestination(r.storedPdf, QString(), 2, 3);
        } else {
            dialogs.steps << ChooseDestination(QString(), queue, 2, 3);
        }
        w->PrintSetup->click();
        w->Print->click();
        r.printedToQueue = !queue.isEmpty();
        if (!boxes.boxes.isEmpty())
            fail(QStringLiteral("message: ") + boxes.boxes.first().text);
        if (!dialogs.steps.isEmpty())
            fail(QStringLiteral("a dialog was not shown"));
        w->close();
    };
    bool scheduled = false;
    const auto previousFinished = composite.OnFinished;
    composite.OnFinished = [&](TVRCompositeReport &c, TVRReportProducer *report) {
        if (previousFinished)
            previousFinished(c, report);
        if (!report && !scheduled) {
            scheduled = true;
            QTimer::singleShot(0, script);
        }
    };
    composite.Preview();
    composite.OnFinished = previousFinished;
    return r;
}

// A PDF of pages 2 and 3 of the script's document, read back with poppler.
inline void CheckPdfOfPagesTwoAndThree(const QString &pdf)
{
    ASSERT_TRUE(QFile::exists(pdf)) << pdf.toStdString();
    const int pages = PdfPageCount(pdf);
    if (pages < 0)
        GTEST_SKIP() << "pdfinfo not installed (tools/deps.sh installs poppler-utils)";
    EXPECT_EQ(pages, 2) << pdf.toStdString();
    const QString text = PdfText(pdf);
    for (const char *wanted : {"Raport 2", "Siedziba: ŁÓDŹ", "Strona 2", "Raport 3", "Strona 3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(wanted))) << wanted << " in " << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Raport 1")));
    EXPECT_TRUE(RunTool(Tool("pdfinfo"), {pdf}).contains(QStringLiteral("(A4)")));
}

} // namespace reportengine_test
