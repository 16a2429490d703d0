// Navigation configuration (the installation writes it): groups, elements and components
// with texts of the input's choosing, written by its line templates, read back equal; a
// text the templates cannot hold (a line break, "</" in a child line) is left out, as their
// writer has to refuse it.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/navigation_file.h"

using roundtrip::Attr;
using roundtrip::Require;
using storage::TextPlace;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("tarvelin"), QStringLiteral("grupa"), QStringLiteral("element"),
                         QStringLiteral("skladnik"), QStringLiteral("katalog"), QStringLiteral("plik")});
    bool storable = true;
    auto attr = [&](const char *name, const QString &v) {
        storable = storable && roundtrip::Storable(v, TextPlace::Attribute);
        return Attr(name, v);
    };
    auto child = [&](const char *name, const QString &v) {
        storable = storable && roundtrip::Storable(v, TextPlace::LineText);
        return QStringLiteral("   <%1>%2</%1>").arg(QLatin1String(name), v);
    };
    const QString ver = in.Text();
    QStringList lines{QStringLiteral("<tarvelin") + attr("ver", ver) + '>'};
    storage::TNavigationGroups groups;
    for (int g = 1, count = in.Number(0, 2); g <= count; ++g) {
        groups.push_back(std::make_unique<storage::TGrupa>(g, in.Flag() ? 16 : 32, in.Text()));
        storage::TGrupa &group = *groups.back();
        lines << QStringLiteral("<grupa") + attr("nazwa", group.nazwa) +
                     QStringLiteral(" numer=\"%1\" rozmikon=\"%2\">").arg(g).arg(group.rozmikon);
        for (int e = 1, elements = in.Number(0, 2); e <= elements; ++e) {
            group.Elements.push_back(std::make_unique<storage::TElem>(e, in.Text(), in.Text(), in.Text()));
            storage::TElem &el = *group.Elements.back();
            lines << QStringLiteral(" <element") + attr("nazwa", el.nazwa) + QStringLiteral(" numer=\"%1\"").arg(e) +
                         attr("oper", el.oper) + attr("ikona", el.ikona) + '>';
            for (int s = 1, parts = in.Number(0, 2); s <= parts; ++s) {
                el.Components.push_back(
                    std::make_unique<storage::TSklad>(s, in.Text(), in.Text(), in.Text(), in.Text(), in.Text()));
                const storage::TSklad &c = *el.Components.back();
                lines << QStringLiteral("  <skladnik numer=\"%1\"").arg(s) + attr("typ", c.typ) + '>'
                      << child("katalog", c.katalog) << child("plik", c.plik) << child("katfrm", c.katfrm)
                      << child("katzal", c.katzal) << QStringLiteral("  </skladnik>");
            }
            lines << QStringLiteral(" </element>");
        }
        lines << QStringLiteral("</grupa>");
    }
    lines << QStringLiteral("</tarvelin>");
    if (!storable)
        return 0;

    QString version;
    const storage::TNavigationGroups back =
        storage::ParseNavigationConfig(fuzzsupport::WrittenLines(lines, true), version);
    Require(version == ver && back.size() == groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        const storage::TGrupa &a = *groups[g], &b = *back[g];
        Require(a.numer == b.numer && a.nazwa == b.nazwa && a.rozmikon == b.rozmikon &&
                a.Elements.size() == b.Elements.size());
        for (size_t e = 0; e < a.Elements.size(); ++e) {
            const storage::TElem &x = *a.Elements[e], &y = *b.Elements[e];
            Require(x.numer == y.numer && x.nazwa == y.nazwa && x.oper == y.oper && x.ikona == y.ikona &&
                    x.Components.size() == y.Components.size());
            for (size_t s = 0; s < x.Components.size(); ++s) {
                const storage::TSklad &p = *x.Components[s], &q = *y.Components[s];
                Require(p.numer == q.numer && p.typ == q.typ && p.katalog == q.katalog && p.plik == q.plik &&
                        p.katfrm == q.katfrm && p.katzal == q.katzal);
            }
        }
    }
    return 0;
}
