#include "printouts/frm_wydruk.h"

#include "printouts/form_page.h"
#include "printouts/page_forms.h"

#include "appstate/view_registry.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/window_registry.h"
#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"
#include "widgets/dialog_buttons.h"
#include "widgets/form_geometry.h"

#include <QCheckBox>
#include <QDebug>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace printouts {

using namespace reportengine;

TfrmWydruk::TfrmWydruk()
{
    setObjectName(QStringLiteral("frmWydruk"));
    setWindowTitle(QStringLiteral("Wydruk"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed border, sized to the boxes shown
    GroupBox1 = new QGroupBox(QStringLiteral("Wydruk"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *boxes = new QVBoxLayout(GroupBox1);
    QCheckBox **pages[] = {&cbPage1, &cbPage2, &cbPage3, &cbPage4};
    for (int n = 1; n <= 4; ++n) {
        auto *box = new QCheckBox(QStringLiteral("Strona %1").arg(n), GroupBox1);
        box->setObjectName(QStringLiteral("cbPage%1").arg(n));
        boxes->addWidget(box);
        *pages[n - 1] = box;
    }
    cbRodzWydr = new QCheckBox(QStringLiteral("Drukuj puste formularze"), GroupBox1);
    cbRodzWydr->setObjectName(QStringLiteral("cbRodzWydr"));
    boxes->addWidget(cbRodzWydr);
    layout->addWidget(GroupBox1);
    const widgets::TDialogButtons row = widgets::AddDialogButtons(this, layout, {"bOK", QStringLiteral("OK")});
    bOK = row.accept;
    bAnul = row.reject;
    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);

    CompositeReport = new TVelRep(this);
    CompositeReport->setObjectName(QStringLiteral("CompositeReport"));
    CompositeReport->Page().SetOrientation(TPrinterOrientation::poPortrait);
    CompositeReport->Page().SetPaperSize(TVRPaperSize::A4);
    CompositeReport->SetUnits(TVRUnit::MM);

    VRCompRep = new TVRCompositeReport(this);
    VRCompRep->setObjectName(QStringLiteral("VRCompRep"));
    VRCompRep->Options = LastPageFooter;
    VRCompRep->PrinterSettings.PaperSize = TVRPaperSize::A4;
    VRCompRep->PrinterSettings.Orientation = TPrinterOrientation::poPortrait;
    VRCompRep->PrinterSettings.Copies = 1;
    VRCompRep->PrinterSettings.OutputBin = TVRBin::First;
    VRCompRep->OnAddReports = [this](TVRCompositeReport &c) { VRCompRepAddReports(c); };
}

TfrmWydruk::~TfrmWydruk() = default;

void TfrmWydruk::SetDocumentSource(DocumentSource source)
{
    m_source = std::move(source);
}

void TfrmWydruk::SetDocument(const appstate::TPrintSelection &selection)
{
    DocumentSource source;
    source.Items = [items = selection.DocumentItems] { return items; };
    source.StoredVersion = [version = selection.StoredFormVersion] { return version; };
    source.DefinitionFile = selection.DefinitionFile;
    source.CurrentFormVersion = selection.CurrentFormVersion;
    source.Caption = selection.Caption;
    SetDocumentSource(std::move(source));
}

QCheckBox *TfrmWydruk::PageBox(int n) const
{
    switch (n) {
    case 1:
        return cbPage1;
    case 2:
        return cbPage2;
    case 3:
        return cbPage3;
    case 4:
        return cbPage4;
    default:
        return nullptr;
    }
}

QString TfrmWydruk::PrintVersion() const
{
    const QString stored = m_source.StoredVersion ? m_source.StoredVersion() : QString();
    // A new document has no stored version; it is made with the current one.
    return stored.isNull() ? m_source.CurrentFormVersion : stored;
}

QStringList TfrmWydruk::DocumentPageForms() const
{
    const TPageFormRow *row = FindPageFormRow(m_source.DefinitionFile, PrintVersion());
    return row ? row->pages : QStringList();
}

void TfrmWydruk::Execute(TVelRep *report, const QString &attachFolder)
{
    if (m_executing || VRCompRep->Running())
        return;
    const storage::TDokumList *items = m_source.Items ? m_source.Items() : nullptr;
    if (!items || !IsPrintableDefinition(m_source.DefinitionFile))
        return;
    m_attachFolder = attachFolder;
    int pages = 0;
    for (const auto &item : *items)
        if (item->typ == QLatin1String("page"))
            ++pages;
    for (int n = 1; n <= 4; ++n) {
        QCheckBox *box = PageBox(n);
        box->setChecked(n <= pages);
        box->setVisible(n <= pages);
    }
    if (platform::ExecDialog(*this) != QDialog::Accepted)
        return;
    // A value the pages chosen will not print is told before the print, not found missing
    // on paper.
    QStringList notices;
    const QStringList names = DocumentPageForms();
    for (int n = 1; n <= int(names.size()) && n <= 4; ++n)
        if (PageBox(n)->isChecked())
            if (const TFormPage *page = PageForm(names[n - 1]))
                if (const QString notice = page->DocumentNotice(); !notice.isEmpty())
                    notices << notice;
    if (!notices.isEmpty() &&
        !platform::AskYesNo(notices.join(QLatin1Char('\n')) + QStringLiteral("\n\nDrukować mimo to?"),
                            QStringLiteral("Wydruk")))
        return;
    SetReportToPrint(report);
    if (!m_reportToPrint)
        return;
    const QScopedValueRollback<bool> executing(m_executing, true);
    if (m_reportToPrint == CompositeReport) {
        VRCompRep->ReportTitle = m_source.Caption;
        VRCompRep->Preview();
    } else {
        m_reportToPrint->Preview();
    }
}

void TfrmWydruk::VRCompRepAddReports(TVRCompositeReport &composite)
{
    composite.Reports.clear();
    const QStringList names = DocumentPageForms();
    // Every page form of the row is made before any is added.
    std::vector<TFormPage *> pages;
    for (const QString &name : names)
        pages.push_back(PageForm(name));
    for (size_t i = 0; i < pages.size(); ++i) {
        QCheckBox *box = PageBox(int(i) + 1);
        TFormPage *page = pages[i];
        if (!box || !box->isChecked() || !page)
            continue;
        if (!page->LayoutErrors().isEmpty()) {
            qWarning().noquote() << "page form" << page->objectName()
                                 << "has layout errors:" << page->LayoutErrors().join(QLatin1String("; "));
            continue;
        }
        composite.Reports.push_back(page->Report());
    }
}

void TfrmWydruk::FillPageLabels(TFormPage &page)
{
    m_filler.BlankForms = BlankForms();
    m_filler.AttachFolder = m_attachFolder;
    static const storage::TDokumList none;
    const storage::TDokumList *items = m_source.Items ? m_source.Items() : nullptr;
    m_filler.Fill(page, items ? *items : none);
}

QString TfrmWydruk::GetDocumentFieldValue(const QString &name) const
{
    const storage::TDokumList *items = m_source.Items ? m_source.Items() : nullptr;
    return items ? TFormPageFiller::GetDocumentFieldValue(*items, name) : QString();
}

bool TfrmWydruk::BlankForms() const
{
    return cbRodzWydr->isChecked();
}

TfrmWydruk *frmWydruk()
{
    static QPointer<TfrmWydruk> slot;
    return platform::WindowSingleton(slot);
}

void RegisterDialogs()
{
    // The preview opens where the user left it, as every window of the program does.
    reportengine::TVRStandardPreview::SetGeometryKeeper({[](QWidget &w) {
                                                             if (!widgets::HasStoredGeometry(&w, w.objectName()))
                                                                 return false;
                                                             widgets::RestoreFormGeometry(&w);
                                                             return true;
                                                         },
                                                         [](QWidget &w) { widgets::SaveFormGeometry(&w); }});
    appstate::RegisterCommandDialog(QStringLiteral("frmWydruk"), [](const appstate::TPrintSelection &selection) {
        TfrmWydruk *w = frmWydruk();
        w->SetDocument(selection);
        w->Execute(w->CompositeReport, selection.AttachFolder);
    });
}

} // namespace printouts
