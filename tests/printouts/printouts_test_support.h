#pragma once

// Document items made in code and pages made from layout text, for the printouts tests.

#include "appstate/appstate.h"
#include "printouts/form_page.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "tests/support/fixture.h"

#include <QCheckBox>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

namespace printoutstest {

// A field item with `ile` empty slots, as the definition reader makes it.
inline std::unique_ptr<storage::TDokum> Field(const QString &name, const QString &typ, int ile = 1,
                                              const QString &druk = QString(), const QString &ppow = QString(),
                                              const QString &zal = QString(), const QString &etyk = QString())
{
    auto f = std::make_unique<storage::TDokum>(1, ile, 100, 300, 0, QStringLiteral("Dane"), name, typ, druk, etyk, zal,
                                               ppow, QString());
    for (int k = 1; k <= ile; ++k)
        f->Values.emplace_back(k, QString());
    return f;
}

// A document: its field items with their values.
struct Document
{
    storage::TDokumList items;

    storage::TDokum &Add(std::unique_ptr<storage::TDokum> f)
    {
        items.push_back(std::move(f));
        return *items.back();
    }
    // Sets slot k of the first field of that name.
    void Set(const QString &name, const QString &value, int k = 1)
    {
        for (auto &i : items)
            if (i->nazwa == name) {
                if (storage::TDokumWart *slot = i->Slot(k))
                    slot->wartosc = value;
                return;
            }
    }
};

// A page on one detail band from lines of controls ("value | Name | 0,0,50,5 | |").
inline std::unique_ptr<printouts::TFormPage> PageOf(const QStringList &controls)
{
    const QString text = QStringLiteral("report | VelRep |\nband | DetailBand1 | detail | 200 | newpage\n") +
                         controls.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return std::make_unique<printouts::TFormPage>(QStringLiteral("frmTest"), text);
}

// A document of a shipped definition, printed through the composer's filler.
class ShippedDocumentPages : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    Document doc;
    printouts::TfrmWydruk *w = printouts::frmWydruk();
    // The form version the document was stored with.
    QString storedVersion = QStringLiteral("1");

    void SetUp() override
    {
        Use(QString());
        w->cbRodzWydr->setChecked(false);
    }
    // The composer is handed the document of definition, as the document view's Print hands it.
    void Use(const QString &definition)
    {
        printouts::TfrmWydruk::DocumentSource source;
        source.Items = [this] { return &doc.items; };
        source.StoredVersion = [this] { return storedVersion; };
        source.DefinitionFile = definition;
        w->SetDocumentSource(source);
    }
    void TearDown() override
    {
        w->SetDocumentSource({});
        w->cbRodzWydr->setChecked(false);
    }
    void Open(const QString &definition)
    {
        storage::ConfigVersion() = QStringLiteral("1.0");
        doc.items.clear();
        storage::ReadDocumentForm(QStringLiteral("dokumenty\\frm\\") + definition, doc.items);
        appstate::State().ViewName = definition;
        Use(definition);
    }
    // The texts of the page as printed now.
    QStringList Print(const char *pageForm)
    {
        printouts::TFormPage *page = printouts::PageForm(QString::fromLatin1(pageForm));
        if (!page || !page->Report()->Prepare())
            return {QStringLiteral("<not printed>")};
        QStringList texts;
        reportengine::TVRPrinter *printer = page->Report()->VRPrinter();
        for (int n = 1; n <= printer->PageCount(); ++n)
            texts += reportengine::CapturePageTexts(*printer->GetPage(n));
        return texts;
    }
    printouts::TFormPage &Page(const char *name) { return *printouts::PageForm(QString::fromLatin1(name)); }
};

} // namespace printoutstest
