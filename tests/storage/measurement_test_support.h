#pragma once

// Fixture pieces shared by the measurement file tests: a small form definition per layout
// and measurements built from it.

#include "storage/factors.h"
#include "storage/form_definition_files.h"
#include "tests/support/fixture.h"

#include <QString>
#include <map>

namespace storagetest {

inline const QString kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";
inline const QString kForms = "zaklocen\\frm\\";
inline const QString kFolder = "dane\\stan_1\\";

// A form with every kind of item the files store or skip.
inline QString TestFormBody(const QString &root, const QString &extraFields = QString())
{
    return kDecl + "<" + root + " ver=\"1\" katalog=\"\" plik=\"\" function=\"x_Pomiar_01\">\n"
                                "<page nr=\"1\" nazwa=\"Pomiar\">\n"
                                "<naglowek nazwa=\"hWynik\" typ=\"label\" etyk=\"Wyniki\">\n"
                                "</naglowek>\n"
                                "<naglowek nazwa=\"Wariant\" typ=\"radio\" etyk=\"a;b\">\n"
                                "<wiersz szerkol=\"100\">\n"
                                "<pole nazwa=\"lPE\" typ=\"label\" etyk=\"Poziom\"></pole>\n"
                                "<pole nazwa=\"PEWartZm\" typ=\"edit\">0</pole>\n"
                                "<pole nazwa=\"Rodz\" typ=\"combo\" zal=\"rodz.xml\">0</pole>\n"
                                "</wiersz>\n"
                                "</naglowek>\n"
                                "<wiersz>\n"
                                "<pole nazwa=\"Opis\" typ=\"memo\"></pole>\n"
                                "<pole nazwa=\"cbX\" typ=\"checkbox\">False</pole>\n"
                                "<pole nazwa=\"Plik\" typ=\"form\"></pole>\n" +
           extraFields +
           "</wiersz>\n"
           "</page>\n"
           "</" +
           root + ">\n";
}

inline void WriteTestForm(const testsupport::FixtureFolder &fx, const QString &frmDane, const QString &ver = "1",
                          const QString &extraFields = QString())
{
    fx.WriteText("zaklocen/frm/" + frmDane + "_frm_" + ver + ".xml", TestFormBody(frmDane + "_frm", extraFields));
}

// A measurement with the form's items and the given values (by field name).
inline std::unique_ptr<storage::TPomiarCzynn> MakeMeasurement(const QString &frmDane, int factorId, int id,
                                                              const QString &date,
                                                              const std::map<QString, QString> &values,
                                                              const QString &ver = "1")
{
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .id = id, .data = date, .mscPom = "Hala A", .wykpom = "Jan Kowalski", .metpom = "PN-N-01307",
        .interwyn = "Wynik", .srodogrryz = "Ochronniki", .ver = ver, .ocenam = 10, .ocenak = 20, .ocenakc = 30,
        .ocenaml = 40, .ocenamax = 40, .ocenakon = 40
    });
    storage::ReadMeasurementForm(kForms + storage::FormDefinitionName(frmDane, ver), m->Fields, factorId);
    for (const auto &[name, value] : values)
        if (auto *f = storage::FindField(m->Fields, name))
            f->Value = value;
    return m;
}

} // namespace storagetest
