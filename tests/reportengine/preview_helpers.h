#pragma once

// Pages made as a report makes them, a report that takes part in a composite run, and
// the helpers that drive the preview window headless.

#include "page_helpers.h"

#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report_producer.h"

#include "tests/support/fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QStringList>
#include <QThread>
#include <QToolButton>

#include <functional>

namespace reportengine_test {

// Draws one line per text and a frame on the printer's open page, in report units.
inline void DrawReportPage(reportengine::TVRPrinter &printer, const QStringList &texts)
{
    QPainter *c = printer.Canvas();
    if (!c)
        return;
    c->setFont(printer.CanvasFont(QStringLiteral("Arial"), 10));
    int y = 200;
    for (const QString &t : texts) {
        c->drawText(printer.XPos(200), printer.YPos(y), t);
        y += 60;
    }
    c->drawRect(printer.XPos(100), printer.YPos(100), printer.XSize(1900), printer.YSize(2770));
}

// A whole run of the given pages into a page printer.
inline void ProducePages(reportengine::TVRPrinter &printer, const QList<QStringList> &pages)
{
    printer.BeginDoc();
    for (const QStringList &texts : pages) {
        printer.NewPage();
        DrawReportPage(printer, texts);
    }
    printer.EndDoc();
}

// One report of a composite: its pages carry the running page number of the whole run
// ("Strona n"), as the statutory forms' footers do.
class PageProducer : public reportengine::TVRReportProducer
{
public:
    explicit PageProducer(QList<QStringList> pages) : m_pages(std::move(pages)) {}

    reportengine::TPrinterOrientation PageOrientation() const override { return orientation; }
    reportengine::TVRPaperSize PagePaperSize() const override { return paper; }
    int PageColumns() const override { return 1; }
    reportengine::TVRPreviewSettings PreviewSettings() const override { return settings; }
    void RunBeforePrint() override { ++beforePrint; }
    void RunAfterPrint() override { ++afterPrint; }
    bool Cancelled() const override { return m_cancelled; }
    void Cancel() override { m_cancelled = true; }

    void RunInComposite(reportengine::TVRPrinter &printer, reportengine::TVRCompositeRunState &state, bool last) override
    {
        ++runs;
        m_cancelled = false;
        wasLast = last;
        for (int i = 0; i < m_pages.size(); ++i) {
            // A report looks at the event queue at every record, which is where a closed
            // preview or a Cancel reaches it.
            QCoreApplication::processEvents();
            if (m_cancelled || printer.Cancelled()) {
                m_cancelled = true;
                return;
            }
            printer.NewPage();
            ++state.PageNumber;
            QStringList texts = m_pages[i];
            texts << QStringLiteral("Strona %1").arg(state.PageNumber);
            DrawReportPage(printer, texts);
            state.VerticalPosition = 200 + 60 * texts.size();
            if (onPage)
                onPage(i + 1);
        }
    }

    reportengine::TPrinterOrientation orientation = reportengine::TPrinterOrientation::poPortrait;
    reportengine::TVRPaperSize paper = reportengine::TVRPaperSize::A4;
    reportengine::TVRPreviewSettings settings;
    std::function<void(int pageOfThisReport)> onPage;
    int beforePrint = 0;
    int afterPrint = 0;
    int runs = 0;
    bool wasLast = false;

private:
    QList<QStringList> m_pages;
    bool m_cancelled = false;
};

// The preview window on screen, if any.
inline reportengine::TVRStandardPreview *FindPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<reportengine::TVRStandardPreview *>(w))
            if (p->isVisible())
                return p;
    return nullptr;
}

// Lets events through until the condition holds (false after timeoutMs).
inline bool SpinUntil(const std::function<bool()> &condition, int timeoutMs = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

// Script steps for the preview's dialogs.

// Types into the go-to-page box and confirms it.
inline testsupport::ScriptedDialogs::Step TypePage(const QString &text)
{
    return [text](QDialog &d) {
        auto *box = qobject_cast<QInputDialog *>(&d);
        if (!box)
            return int(QDialog::Rejected);
        box->setTextValue(text);
        return int(QDialog::Accepted);
    };
}

// Fills in the search dialog and presses Search.
inline testsupport::ScriptedDialogs::Step Search(const QString &text, bool matchCase = false)
{
    return [text, matchCase](QDialog &d) {
        auto *dlg = qobject_cast<reportengine::TSearchDlg *>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->SearchText->setText(text);
        dlg->MatchCase->setChecked(matchCase);
        dlg->SearchButton->click();
        return d.result();
    };
}

// Picks a destination in the print dialog, as a user does: the PDF file (queue empty)
// or a print queue, and pages from..to.
inline testsupport::ScriptedDialogs::Step ChooseDestination(const QString &pdfFile, const QString &queue, int from,
                                                            int to)
{
    return [=](QDialog &d) {
        auto *pd = qobject_cast<QPrintDialog *>(&d);
        if (!pd)
            return int(QDialog::Rejected);
        QPrinter *p = pd->printer();
        if (queue.isEmpty()) {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(pdfFile);
        } else {
            p->setOutputFormat(QPrinter::NativeFormat);
            p->setPrinterName(queue);
        }
        p->setPrintRange(QPrinter::PageRange);
        p->setFromTo(from, to);
        return int(QDialog::Accepted);
    };
}

inline QStringList ResultItems(const reportengine::TVRStandardPreview &w)
{
    QStringList items;
    for (int i = 0; i < w.SearchResultBox->count(); ++i)
        items << w.SearchResultBox->item(i)->text();
    return items;
}

} // namespace reportengine_test
