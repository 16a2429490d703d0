// Measurement form definitions (the installation writes them): pages, headers and fields
// with texts of the input's choosing, written by their line templates, read back as the
// same items; a text the templates cannot hold (a line break, "</" in a default value) is
// left out, as their writer has to refuse it.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "fuzz/small_form.h"
#include "platform/tarvelin_error.h"
#include "storage/form_definition_files.h"

using roundtrip::Attr;
using roundtrip::Require;
using storage::TextPlace;

namespace {

struct Written
{
    QString nazwa, typ, druk, etyk, skrot, zal, pozycja, style, wydropis, wydrwart, readonly, enabled, visible, sprpopr,
        onexit, onchange, text;
    bool header = false;
    int param = -1; // none written
};

// What the reader makes of an item's texts.
void expectItem(const Written &w, const storage::TPomiar &p)
{
    const QString druk = w.param >= 0 || (!w.header && !w.wydropis.isEmpty()) ? QStringLiteral("T") : w.druk;
    Require(p.nazwa() == w.nazwa && p.druk() == druk && p.etyk == w.etyk && p.skrot() == w.skrot &&
            p.zal() == w.zal && p.style() == w.style && p.wydropis() == w.wydropis && p.wydrwart() == w.wydrwart &&
            p.enabled == (w.enabled != QLatin1String("F")) && p.visible == (w.visible != QLatin1String("F")) &&
            p.param() == std::max(w.param, 0));
    if (w.header)
        return;
    Require(p.typ() == w.typ && p.pozycja() == w.pozycja && p.Value == w.text &&
            p.readonly() == (w.readonly == QLatin1String("T")) && p.sprpopr() == (w.sprpopr != QLatin1String("F")) &&
            p.onexit == (w.onexit == QLatin1String("T")) && p.onchange == (w.onchange == QLatin1String("T")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("met5Krok_frm"), QStringLiteral("page"), QStringLiteral("naglowek"),
                         QStringLiteral("wiersz"), QStringLiteral("pole"), QStringLiteral("parametr"),
                         QStringLiteral("plik")});
    bool storable = true;
    auto attr = [&](const char *name, const QString &v) {
        storable = storable && roundtrip::Storable(v, TextPlace::Attribute);
        return Attr(name, v);
    };
    const QString katalog = in.Text(), plik = in.Text(), function = in.Text();
    QStringList lines{QStringLiteral("<met5Krok_frm ver=\"1\"") + attr("katalog", katalog) + attr("plik", plik) +
                      attr("function", function) + '>'};
    std::vector<std::pair<QString, std::vector<Written>>> pages; // caption, items
    for (int page = 1, count = in.Number(1, 2); page <= count; ++page) {
        pages.push_back({in.Text(), {}});
        lines << QStringLiteral(" <page nr=\"%1\"").arg(page) + attr("nazwa", pages.back().first) + '>';
        const bool header = in.Flag();
        for (int n = in.Number(0, 3) + (header ? 1 : 0); n > 0; --n) {
            Written w;
            w.header = header && pages.back().second.empty();
            for (QString *v : {&w.nazwa, &w.typ, &w.druk, &w.etyk, &w.skrot, &w.zal, &w.pozycja, &w.style, &w.wydropis,
                               &w.wydrwart, &w.readonly, &w.enabled, &w.visible, &w.sprpopr, &w.onexit, &w.onchange})
                *v = in.Text();
            w.param = in.Number(-1, 3);
            QString line = (w.header ? QStringLiteral("  <naglowek") : QStringLiteral("   <pole")) +
                           attr("nazwa", w.nazwa) + attr("typ", w.typ) + attr("druk", w.druk) + attr("etyk", w.etyk) +
                           attr("skrot", w.skrot) + attr("zal", w.zal) + attr("style", w.style) +
                           attr("wydropis", w.wydropis) + attr("wydrwart", w.wydrwart) + attr("enabled", w.enabled) +
                           attr("visible", w.visible) +
                           (w.param >= 0 ? QStringLiteral(" param=\"%1\"").arg(w.param) : QString());
            if (w.header) {
                lines << line + '>' << QStringLiteral("  <wiersz szerkol=\"40\">");
            } else {
                w.text = in.Text();
                storable = storable && roundtrip::Storable(w.text, TextPlace::LineText);
                lines << line + attr("pozycja", w.pozycja) + attr("readonly", w.readonly) + attr("sprpopr", w.sprpopr) +
                             attr("onexit", w.onexit) + attr("onchange", w.onchange) + '>' + w.text +
                             QStringLiteral("</pole>");
            }
            pages.back().second.push_back(w);
        }
        if (header)
            lines << QStringLiteral("  </naglowek>");
        lines << QStringLiteral(" </page>");
    }
    lines << QStringLiteral("</met5Krok_frm>");
    if (!storable)
        return 0;

    storage::TPomiarList items;
    storage::FormRootInfo root;
    storage::ParseMeasurementForm(fuzzsupport::WrittenLines(lines, true),
                                  QStringLiteral("zaklocen\\frm\\met5Krok_frm_1.xml"), items, 100001,
                                  fuzzsupport::NoDefinitionFiles(), {}, &root);
    Require(root.katalog == katalog && root.plik == plik && root.function == function);
    size_t at = 0;
    for (size_t page = 0; page < pages.size(); ++page) {
        Require(at < items.size() && items[at]->typ() == QLatin1String("page") &&
                items[at]->PageNr() == int(page) + 1 && items[at]->PageName() == pages[page].first &&
                items[at]->function() == function);
        ++at;
        for (const Written &w : pages[page].second) {
            Require(at < items.size() && items[at]->PageName() == pages[page].first);
            expectItem(w, *items[at++]);
        }
    }
    Require(at == items.size());
    return 0;
}
