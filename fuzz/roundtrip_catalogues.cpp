// Chemical catalogue (the installation writes it): entries with texts of the input's
// choosing, written by the catalogue's line templates, are listed back equal and found
// again by their number (name and parameters of a form's fields); a text the templates
// cannot hold (a line break) is left out, as their writer has to refuse it.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/catalogue_files.h"
#include "storage/catalogue_index.h"

using roundtrip::Attr;
using roundtrip::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size, {QStringLiteral("czynchem"), QStringLiteral("czynnik"), QStringLiteral("param")});
    const QString verPom = in.Text(), frmDane = in.Text();
    QStringList attributes{verPom, frmDane};
    QStringList lines{QStringLiteral("<czynchem ver=\"1.0\"") + Attr("ver_pom", verPom) + Attr("frm_dane", frmDane) +
                      '>'};
    storage::TCzynChemList entries;
    for (int n = in.Number(0, 4); n > 0; --n) {
        const int id = 80000 + int(entries.size());
        auto e = std::make_unique<storage::TCzynChem>(id, in.Number(0, 9999), in.Number(-9, 9999), in.Text(), in.Text(),
                                                      in.Text(), in.Text(), in.Text(), in.Text(), verPom, frmDane,
                                                      in.Text(), QStringLiteral("chem"), in.Text());
        attributes << e->nazwa << e->nds << e->ndsch << e->ndsp << e->nrcas << e->nrkarty << e->aktual << e->zwroth;
        lines << QStringLiteral(" <czynnik id=\"%1\"").arg(id) + Attr("nazwa", e->nazwa) + '>'
              << QStringLiteral("  <param") + Attr("nds", e->nds) + Attr("ndsch", e->ndsch) + Attr("ndsp", e->ndsp) +
                     QStringLiteral(" typ=\"%1\"").arg(e->typ) + Attr("nrcas", e->nrcas) + Attr("nrkarty", e->nrkarty) +
                     Attr("aktualny", e->aktual) + QStringLiteral(" typh=\"%1\"").arg(e->typh) +
                     Attr("zwroth", e->zwroth) + '>'
              << QStringLiteral(" </czynnik>");
        entries.push_back(std::move(e));
    }
    lines << QStringLiteral("</czynchem>");
    for (const QString &a : attributes)
        if (!roundtrip::Storable(a, storage::TextPlace::Attribute))
            return 0;

    storage::ChemicalFilter all;
    all.currentOnly = false;
    storage::CatalogueReadInfo info;
    const storage::TCzynChemList back =
        storage::ParseChemicalCatalogue(fuzzsupport::WrittenLines(lines, true), QStringLiteral("poradn\\czynchem.xml"),
                                        all, QStringLiteral("1.0"), &info);
    Require(info.versionAccepted && info.ver_pom == verPom && info.frm_dane == frmDane &&
            back.size() == entries.size());
    const auto index =
        storage::BuildCatalogueIndex(std::make_shared<const QStringList>(fuzzsupport::WrittenLines(lines, false)));
    for (size_t i = 0; i < entries.size(); ++i) {
        const storage::TCzynChem &a = *entries[i];
        const storage::TCzynChem &b = *back[i];
        Require(a.id == b.id && a.typ == b.typ && a.typh == b.typh && a.nazwa == b.nazwa && a.nds == b.nds &&
                a.ndsch == b.ndsch && a.ndsp == b.ndsp && a.nrcas == b.nrcas && a.nrkarty == b.nrkarty &&
                a.aktual == b.aktual && a.zwroth == b.zwroth && a.ver_pom == b.ver_pom && a.frm_dane == b.frm_dane);
        Require(storage::CatalogueName(*index, a.id) == a.nazwa);
        // A form field takes the attribute named like it; "P" is no part of "ndsp".
        Require(storage::CatalogueParam(*index, QStringLiteral("d"), QStringLiteral("NDSP"), a.id) == a.ndsp);
        Require(storage::CatalogueParam(*index, QStringLiteral("d"), QStringLiteral("P"), a.id).isEmpty());
    }
    return 0;
}
