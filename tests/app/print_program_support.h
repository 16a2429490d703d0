#pragma once

// Printing from the running program, for the tests that print statutory documents: the
// main window's navigation, typing into the document window as the user does, and Print ->
// "Wydruk" -> preview -> the preview's Print to a PDF file read back with poppler.
#include "appstate/appstate.h"
#include "platform/prompter.h"
#include "printouts/frm_wydruk.h"
#include "reportengine/vr_composite_report.h"
#include "shell/frm_main.h"
#include "tests/reportengine/preview_helpers.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_dokum.h"
#include "workstations/views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace printprogramtest {

using namespace reportengine_test;

// The running program ready to print statutory documents to PDF: a copy of the installation,
// scripted message boxes and dialogs, the views and the print dialogs registered, nothing
// unsaved. Without poppler-utils there is nothing to read the PDF with: the test is skipped.
class DocumentPrintProgram : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;

    void SetUp() override
    {
        if (Tool("pdfinfo").isEmpty() || Tool("pdftotext").isEmpty() || Tool("pdftoppm").isEmpty())
            GTEST_SKIP() << "poppler-utils not installed (tools/deps.sh installs it)";
        workstations::RegisterViews(appstate::State());
        printouts::RegisterDialogs();
        appstate::State().SetModified(false);
    }
};

inline void clickHeader(shell::TfrmMain &w, int button)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->HeaderRect(button).center());
}
inline void clickIcon(shell::TfrmMain &w, int item)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemImageRect(item).center());
}

// Types into a field of the document window as the user does, leaving it afterwards.
inline void type(const char *field, const QString &text)
{
    workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());
    const QString name = QString::fromLatin1(field);
    if (auto *edit = doc->pgDokum->findChild<QLineEdit *>("ed_0_" + name)) {
        doc->EnterField(edit);
        edit->setText(text);
        doc->ExitField(edit);
    } else if (auto *memo = doc->pgDokum->findChild<QPlainTextEdit *>("me_0_" + name)) {
        doc->EnterField(memo);
        memo->setPlainText(text);
        doc->ExitMemo(memo);
    } else if (auto *combo = doc->pgDokum->findChild<QComboBox *>("cb_0_" + name)) {
        doc->EnterField(combo);
        combo->setCurrentIndex(combo->findText(text));
        doc->ChangeField(combo);
    } else {
        ADD_FAILURE() << "no field " << field;
    }
}

struct Printed
{
    QString boxes; // the page boxes as "Wydruk" showed them
    QString text;
    int pages = -1;
    bool a4 = false;
};

// Print from the main window: "Wydruk" answered with the blank-forms choice, the preview's
// Print to a PDF file, the preview closed; then the file read back and kept as images.
inline Printed printThroughPreview(shell::TfrmMain &w, testsupport::ScriptedDialogs &dialogs, bool blank,
                                   const QString &name)
{
    Printed out;
    const QString dir = QStringLiteral(TARVELIN_TEST_OUTPUT);
    QDir().mkpath(dir);
    const QString pdf = dir + QLatin1Char('/') + name + QStringLiteral(".pdf");
    QFile::remove(pdf);
    printouts::TfrmWydruk *wydruk = printouts::frmWydruk();
    dialogs.steps << [&out, blank, wydruk](QDialog &) {
        for (QCheckBox *b : {wydruk->cbPage1, wydruk->cbPage2, wydruk->cbPage3, wydruk->cbPage4})
            out.boxes += b->isHidden() ? QLatin1Char('-') : b->isChecked() ? QLatin1Char('x') : QLatin1Char('o');
        wydruk->cbRodzWydr->setChecked(blank);
        return int(QDialog::Accepted);
    };
    // The preview is driven from a timer that looks in now and then: the report runs
    // process events, so a script that waited inside one of its calls would wait on itself.
    QTimer poll;
    int stage = 0;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        reportengine::TVRStandardPreview *p = FindPreview();
        if (!p || wydruk->VRCompRep->Running() || p->PageCount() == 0)
            return;
        if (stage == 0) {
            stage = 1;
            dialogs.steps << [pdf](QDialog &d) {
                auto *pd = qobject_cast<QPrintDialog *>(&d);
                if (!pd)
                    return int(QDialog::Rejected);
                pd->printer()->setOutputFormat(QPrinter::PdfFormat);
                pd->printer()->setOutputFileName(pdf);
                pd->printer()->setPrintRange(QPrinter::AllPages);
                return int(QDialog::Accepted);
            };
            p->PrintSetup->click();
            p->Print->click();
        } else if (QFile::exists(pdf)) {
            poll.stop();
            p->close();
        }
    });
    poll.start();
    // Nothing hangs for good: after a minute the preview is closed whatever it shows.
    QTimer::singleShot(60000, [] {
        if (reportengine::TVRStandardPreview *p = FindPreview())
            p->close();
    });
    w.PrintForm();
    if (!QFile::exists(pdf))
        return out;
    out.pages = PdfPageCount(pdf);
    out.text = PdfText(pdf);
    out.a4 = RunTool(Tool("pdfinfo"), {pdf}).contains(QStringLiteral("(A4)"));
    if (!Tool("pdftoppm").isEmpty())
        RunTool(Tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), pdf,
                                   dir + QLatin1Char('/') + name});
    return out;
}

} // namespace printprogramtest
