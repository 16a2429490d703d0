#pragma once

// Document items made in code and pages made from layout text, for the printouts tests.

#include "printouts/form_page.h"
#include "storage/document_files.h"

#include <QStringList>

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

} // namespace printoutstest
