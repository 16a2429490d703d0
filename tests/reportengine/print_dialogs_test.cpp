// Print dialog, progress window and the label's text settings, each answered through
// the dialog runner.

#include "preview_helpers.h"

#include "reportengine/vr_label.h"
#include "reportengine/vr_label_editor.h"
#include "reportengine/vr_units.h"
#include "reportengine/vr_print_dialog.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_progress_form.h"

#include "tests/support/fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

} // namespace

TEST(PrintDialog, ShowsTheReportsValuesAndReportsTheChoice)
{
    testsupport::ScriptedDialogs dialogs;
    QPrinter printer(QPrinter::HighResolution);
    TVRPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1; // the PDF file
    dialog.PdfFileName = QStringLiteral("/tmp/raport.pdf");
    dialog.MinPage = 1;
    dialog.MaxPage = 7;
    dialog.FromPage = 1;
    dialog.ToPage = 7;
    dialog.Orientation = 2;
    dialog.PaperSize = PaperCode(TVRPaperSize::A4);
    dialog.Options = poPageNums;
    dialog.SetCopies(2);
    EXPECT_EQ(printer.copyCount(), 2); // the copies go to the printer object at once
    int shown = 0, closed = 0;
    dialog.OnShow = [&](TVRCommonDialog *) { ++shown; };
    dialog.OnClose = [&](TVRCommonDialog *d) {
        ++closed;
        EXPECT_EQ(d->Handle(), nullptr);
    };
    dialogs.steps << [&](QDialog &d) {
        auto &pd = dynamic_cast<QPrintDialog &>(d);
        EXPECT_EQ(dialog.Handle(), &d);
        EXPECT_EQ(pd.objectName(), QStringLiteral("PrintDialog1"));
        EXPECT_TRUE(pd.testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_TRUE(pd.testOption(QAbstractPrintDialog::PrintToFile));
        EXPECT_FALSE(pd.testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_EQ(pd.minPage(), 1);
        EXPECT_EQ(pd.maxPage(), 7);
        EXPECT_EQ(pd.printer()->outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(pd.printer()->outputFileName(), QStringLiteral("/tmp/raport.pdf"));
        EXPECT_EQ(pd.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(pd.printer()->pageLayout().pageSize().id(), QPageSize::A4);
        // The user picks pages 3 to 5, three copies, portrait, both sides.
        pd.printer()->setPrintRange(QPrinter::PageRange);
        pd.printer()->setFromTo(3, 5);
        pd.printer()->setCopyCount(3);
        pd.printer()->setPageOrientation(QPageLayout::Portrait);
        pd.printer()->setDuplex(QPrinter::DuplexLongSide);
        pd.printer()->setOutputFileName(QStringLiteral("/tmp/inny.pdf"));
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dialog.PrintRange, TVRPrintRange::prPageNums);
    EXPECT_EQ(dialog.FromPage, 3);
    EXPECT_EQ(dialog.ToPage, 5);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_EQ(dialog.Orientation, 1);
    EXPECT_EQ(dialog.DuplexCode, 1); // a PDF file has one side to a sheet
    EXPECT_FALSE(dialog.Duplex);
    EXPECT_EQ(dialog.PaperSize, 9);
    EXPECT_DOUBLE_EQ(dialog.Paperwidth, 2100);
    EXPECT_DOUBLE_EQ(dialog.Paperlength, 2970);
    EXPECT_TRUE(dialog.PrintToFile);
    EXPECT_EQ(dialog.Device, QStringLiteral("Plik PDF"));
    EXPECT_EQ(dialog.PdfFileName, QStringLiteral("/tmp/inny.pdf"));
    EXPECT_EQ(dialog.PrinterIndex, static_cast<int>(PrinterNames().size()) - 1);
    EXPECT_NE(dialog.Fields & dmCopies, 0);

    // Cancelled: every value stays; without page numbers the range cannot be chosen.
    dialog.Options = 0;
    dialogs.steps << [&](QDialog &d) {
        EXPECT_FALSE(dynamic_cast<QPrintDialog &>(d).testOption(QAbstractPrintDialog::PrintPageRange));
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FromPage, 3);
    EXPECT_EQ(dialog.Copies(), 3);
    // Printing to a file can be switched off, which leaves the PDF file out.
    dialog.Options = poDisablePrintToFile;
    dialogs.steps << [&](QDialog &d) {
        EXPECT_FALSE(dynamic_cast<QPrintDialog &>(d).testOption(QAbstractPrintDialog::PrintToFile));
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(dialog.Execute());
}

TEST(PrintDialog, ABinTheUserDoesNotChangeComesBackUnchanged)
{
    testsupport::ScriptedDialogs dialogs;
    QPrinter printer(QPrinter::HighResolution);
    TVRPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.OutputBin = BinCode(TVRBin::Manual);
    dialogs.steps << [](QDialog &) { return int(QDialog::Accepted); };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.OutputBin, BinCode(TVRBin::Manual));
    EXPECT_EQ(dialog.PrintRange, TVRPrintRange::prAllPages);
}

TEST(ProgressForm, MovesAtMultiplesOfFiveAndCancelStopsThePrinter)
{
    TVRPrinter printer;
    TVRProgressForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Printing progress"));
    EXPECT_EQ(form.size(), QSize(149, 97));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.CancelButton->text(), QStringLiteral("Cancel"));
    form.SetPrinter(&printer);
    EXPECT_EQ(printer.Client, &form);
    printer.SetProgress(12);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Info->text(), QString());
    EXPECT_EQ(form.Gauge->value(), 0);
    printer.SetProgress(15);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Info->text(), QStringLiteral("15%  Completed"));
    EXPECT_EQ(form.Gauge->value(), 15);

    printer.BeginDoc();
    printer.NewPage();
    form.CancelButton->click();
    EXPECT_TRUE(printer.Cancelled());
    printer.Cleanup();
}

TEST(ProgressForm, PrintingStoredPagesCanBeCancelledFromTheProgressWindow)
{
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    TVRPrinter printer;
    QList<QStringList> pages;
    for (int i = 1; i <= 40; ++i)
        pages << QStringList{QStringLiteral("Strona %1").arg(i)};
    ProducePages(printer, pages);
    printer.PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1);
    printer.PrinterSettings().PdfFileName = dir.filePath("przerwany.pdf");
    TVRStandardPreview *w = new TVRStandardPreview(&printer);
    w->show();
    // The progress window is the client of the run; its Cancel is pressed at 25 %.
    QObject::connect(&printer, &TVRPrinter::progressChanged, [&](int percent) {
        if (percent >= 25)
            if (auto *form = qobject_cast<TVRProgressForm *>(printer.Client.data()))
                form->CancelButton->click();
    });
    w->Print->click();
    EXPECT_TRUE(printer.Cancelled());
    EXPECT_FALSE(QFile::exists(dir.filePath("przerwany.pdf")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // no part of it either
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(LabelEditor, ShowsTheLabelAndWritesBackOnlyOnOk)
{
    testsupport::ScriptedDialogs dialogs;
    testsupport::ScriptedPrompter boxes;
    TVRLabel label;
    label.SetCaption(QStringLiteral("Imię i nazwisko"));
    label.Size().SetUnits(TVRUnit::MM);
    label.Size().SetWidth(45.5);
    label.Size().SetHeight(4.2);
    label.SetAutoSize(true);
    label.SetAutoStretch(false);
    TVRLabelEditor editor(label);
    EXPECT_EQ(TVRLabelEditor::Name(), QStringLiteral("VRLABEL"));
    EXPECT_EQ(TVRLabelEditor::Description(), QStringLiteral("Text Control"));
    EXPECT_EQ(editor.Text(), QStringLiteral("Imię i nazwisko"));

    dialogs.steps << [](QDialog &d) {
        auto &f = dynamic_cast<TVRLabelEditorForm &>(d);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Text Settings"));
        EXPECT_EQ(f.Value->text(), QStringLiteral("Imię i nazwisko"));
        EXPECT_EQ(f.Width->text(), QStringLiteral("45.5"));
        EXPECT_EQ(f.Height->text(), QStringLiteral("4.2"));
        EXPECT_TRUE(f.AutoSize->isChecked());
        f.Value->setText(QStringLiteral("Stanowisko pracy"));
        f.Width->setText(QStringLiteral("60,25")); // a decimal comma is a point
        f.Stretch->setChecked(true);
        f.AutoSize->setChecked(false);
        f.OKBtn->click();
        return f.result();
    };
    EXPECT_TRUE(editor.Edit());
    EXPECT_EQ(label.Caption(), QStringLiteral("Stanowisko pracy"));
    EXPECT_DOUBLE_EQ(label.Size().Width(), 60.25); // in the report's units, here millimetres
    EXPECT_DOUBLE_EQ(label.Size().NativeWidth(), 602.5);
    EXPECT_DOUBLE_EQ(label.Size().Height(), 4.2);
    EXPECT_TRUE(label.AutoStretch());
    EXPECT_FALSE(label.AutoSize());

    // A width that is not a number is named, the form stays open; Cancel then writes nothing.
    dialogs.steps << [&](QDialog &d) {
        auto &f = dynamic_cast<TVRLabelEditorForm &>(d);
        f.Value->setText(QStringLiteral("Zmienione"));
        f.Width->setText(QStringLiteral("szeroko"));
        f.OKBtn->click();
        EXPECT_EQ(f.result(), 0);
        EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("'szeroko' is not a valid floating point value")});
        f.Button4->click();
        return f.result();
    };
    EXPECT_FALSE(editor.Edit());
    EXPECT_EQ(label.Caption(), QStringLiteral("Stanowisko pracy"));
    EXPECT_DOUBLE_EQ(label.Size().Width(), 60.25);
}
