// Factor files: own factors with texts of the input's choosing, written by the program's
// writer and read back equal (or refused by it with its reason), and the factor groups
// (the installation writes them) by their line template, a text it cannot hold left out.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/factor_files.h"

using roundtrip::Attr;
using roundtrip::Require;
using storage::TextPlace;

namespace {

void ownFactors(roundtrip::Input &in)
{
    storage::TCzynnikList factors;
    std::vector<const storage::TCzynnik *> raw;
    for (int n = in.Number(0, 4); n > 0; --n) {
        factors.push_back(std::make_unique<storage::TCzynnik>(in.Text(), QStringLiteral("fiz"),
                                                              storage::OwnFactorIdBase + in.Number(1, 99), in.Text(),
                                                              in.Text(), in.Text(), in.Text()));
        raw.push_back(factors.back().get());
    }
    const QString path = QStringLiteral("poradn\\czynfizWl.xml");
    if (!storage::StorableOwnFactorList(path, raw))
        return;
    const QStringList lines =
        fuzzsupport::WrittenLines(storage::OwnFactorListLines(QStringLiteral("czynfiz"), raw), true);
    QString damage;
    const storage::TCzynnikList back = storage::ParseFactorList(lines, path, QStringLiteral("fiz"), false, &damage);
    Require(damage.isEmpty() && back.size() == factors.size());
    for (size_t i = 0; i < factors.size(); ++i) {
        const storage::TCzynnik &a = *factors[i];
        const storage::TCzynnik &b = *back[i];
        Require(a.nazwa == b.nazwa && a.id == b.id && a.ver_pom == b.ver_pom && a.frm_dane == b.frm_dane &&
                a.aktual == b.aktual && a.szkod == b.szkod);
        QString ver;
        if (storage::FindFactorFormVersion(lines, path, QString::number(a.id), ver) ==
            storage::FormVersionLookup::Found)
            Require(ver == QLatin1String("1.0")); // the root's version answers for every own factor
    }
}

void groups(roundtrip::Input &in)
{
    QStringList lines{QStringLiteral("<czynniki_grupy>")};
    storage::TGrupaCzynnikList written;
    for (int n = in.Number(0, 4); n > 0; --n) {
        auto g =
            std::make_unique<storage::TGrupaCzynnik>(in.Text(), in.Text(), in.Text(), in.Text(), in.Text(), in.Text());
        for (const QString *a : {&g->ident, &g->plik, &g->katfrm, &g->katzal, &g->plikWl})
            if (!roundtrip::Storable(*a, TextPlace::Attribute))
                return;
        if (!roundtrip::Storable(g->nazwa, TextPlace::LineText))
            return;
        lines << QStringLiteral(" <poz") + Attr("ident", g->ident) + Attr("plik", g->plik) + Attr("katfrm", g->katfrm) +
                     Attr("katzal", g->katzal) + Attr("plikWl", g->plikWl) + '>' + g->nazwa + QStringLiteral("</poz>");
        written.push_back(std::move(g));
    }
    lines << QStringLiteral("</czynniki_grupy>");
    const storage::TGrupaCzynnikList back = storage::ParseFactorGroups(fuzzsupport::WrittenLines(lines, true));
    Require(back.size() == written.size());
    for (size_t i = 0; i < written.size(); ++i)
        Require(back[i]->nazwa == written[i]->nazwa && back[i]->ident == written[i]->ident &&
                back[i]->plik == written[i]->plik && back[i]->katfrm == written[i]->katfrm &&
                back[i]->katzal == written[i]->katzal && back[i]->plikWl == written[i]->plikWl);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("czynfizWl"), QStringLiteral("czynnik"), QStringLiteral("pyly"),
                         QStringLiteral("poz"), QStringLiteral("czynniki_grupy")});
    ownFactors(in);
    groups(in);
    return 0;
}
