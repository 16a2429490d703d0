// Document definitions (the installation writes them): pages, fields and print positions
// with texts of the input's choosing, written by the definition's line templates, read back
// equal; a text the templates cannot hold (a line break, "</" in a field's text) is left
// out, as their writer has to refuse it.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/config_version.h"
#include "storage/document_files.h"

using roundtrip::Attr;
using roundtrip::Require;
using storage::TextPlace;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(
        data, size, {QStringLiteral("x_frm_2"), QStringLiteral("page"), QStringLiteral("pole"), QStringLiteral("poz")});
    storage::ConfigVersion() = QStringLiteral("1.0");
    const QString katalog = in.Text(), plik = in.Text();
    QStringList lines{QStringLiteral("<x_frm_2 ver=\"1.0\"") + Attr("katalog", katalog) + Attr("plik", plik) + '>'};
    QStringList attributes{katalog, plik}, texts;
    storage::TDokumList items;
    for (int page = 1, pages = in.Number(1, 2); page <= pages; ++page) {
        const QString pageName = in.Text();
        attributes << pageName;
        lines << QStringLiteral(" <page nr=\"%1\"").arg(page) + Attr("nazwa", pageName) + '>';
        items.push_back(std::make_unique<storage::TDokum>(page, 0, 0, 0, 0, pageName, QString(), QStringLiteral("page"),
                                                          QString(), QString(), QString(), QString(), QString()));
        for (int n = in.Number(0, 3); n > 0; --n) {
            auto f = std::make_unique<storage::TDokum>(page, in.Number(1, 3), in.Number(0, 9), in.Number(0, 9),
                                                       in.Number(0, 9), pageName, in.Text(), in.Text(), in.Text(),
                                                       in.Text(), in.Text(), in.Text(), in.Text());
            attributes << f->nazwa << f->typ << f->druk << f->ppow << f->etyk << f->zal;
            texts << f->tekst;
            lines << QStringLiteral("  <pole") + Attr("nazwa", f->nazwa) + Attr("typ", f->typ) + Attr("druk", f->druk) +
                         Attr("ppow", f->ppow) +
                         QStringLiteral(" rozm=\"%1\" szer=\"%2\" wys=\"%3\" ile=\"%4\"")
                             .arg(f->rozm)
                             .arg(f->szer)
                             .arg(f->wys)
                             .arg(f->ile) +
                         Attr("etyk", f->etyk) + Attr("zal", f->zal) + '>' + f->tekst + QStringLiteral("</pole>");
            for (int p = in.Number(0, 2); p > 0; --p) {
                f->PrintPositions.emplace_back(in.Text(), in.Text(), in.Text());
                const storage::TDrukPoz &poz = f->PrintPositions.back();
                attributes << poz.druk << poz.etyk << poz.zal;
                lines << QStringLiteral("   <poz") + Attr("druk", poz.druk) + Attr("etyk", poz.etyk) +
                             Attr("zal", poz.zal) + '>';
            }
            items.push_back(std::move(f));
        }
        lines << QStringLiteral(" </page>");
    }
    lines << QStringLiteral("</x_frm_2>");
    for (const QString &a : attributes)
        if (!roundtrip::Storable(a, TextPlace::Attribute))
            return 0;
    for (const QString &t : texts)
        if (!roundtrip::Storable(t, TextPlace::LineText))
            return 0;

    storage::TDocumentDefinition read;
    Require(storage::ParseDocumentForm(fuzzsupport::WrittenLines(lines, true), QStringLiteral("d\\x_frm_2.xml"), read));
    Require(read.Katalog == katalog && read.Plik == plik && read.Items.size() == items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const storage::TDokum &a = *items[i];
        const storage::TDokum &b = *read.Items[i];
        Require(a.PageNr == b.PageNr && a.PageName == b.PageName && a.nazwa == b.nazwa && a.typ == b.typ &&
                a.druk == b.druk && a.ppow == b.ppow && a.rozm == b.rozm && a.szer == b.szer && a.wys == b.wys &&
                a.ile == b.ile && a.etyk == b.etyk && a.zal == b.zal && a.tekst == b.tekst &&
                a.PrintPositions.size() == b.PrintPositions.size());
        for (size_t p = 0; p < a.PrintPositions.size(); ++p)
            Require(a.PrintPositions[p].druk == b.PrintPositions[p].druk &&
                    a.PrintPositions[p].etyk == b.PrintPositions[p].etyk &&
                    a.PrintPositions[p].zal == b.PrintPositions[p].zal);
    }
    return 0;
}
