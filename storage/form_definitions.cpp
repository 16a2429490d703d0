#include "storage/form_definitions.h"

#include <utility>

namespace storage {

TPomiarWart::TPomiarWart(int nr, QString wartosc) : nr(nr), wartosc(std::move(wartosc))
{
}

TPomiar::TPomiar(int PageNr, int ile, int rozm, int szer, int wys, int Row, int Column, int szerkol, int ChoiceNr,
                 int param, QString PageName, QString nazwa, QString typ, QString druk, QString etyk, QString skrot,
                 QString zal, QString wydropis, QString wydrwart, QString pozycja, QString Value, QString style,
                 bool readonly, bool enabled, bool visible, bool onexit, bool onchange, bool sprpopr, QString function)
    : PageNr(PageNr), PageName(std::move(PageName)), nazwa(std::move(nazwa)), typ(std::move(typ)),
      druk(std::move(druk)), Row(Row), Column(Column), szerkol(szerkol), pozycja(std::move(pozycja)), rozm(rozm),
      szer(szer), wys(wys), ile(ile), etyk(std::move(etyk)), skrot(std::move(skrot)), zal(std::move(zal)),
      readonly(readonly), enabled(enabled), visible(visible), onexit(onexit), onchange(onchange), sprpopr(sprpopr),
      style(std::move(style)), wydropis(std::move(wydropis)), wydrwart(std::move(wydrwart)), param(param),
      Value(std::move(Value)), ChoiceNr(ChoiceNr), function(std::move(function))
{
}

TPomiar::TPomiar(const TPomiar &o)
    : PageNr(o.PageNr), PageName(o.PageName), nazwa(o.nazwa), typ(o.typ), druk(o.druk), Row(o.Row), Column(o.Column),
      szerkol(o.szerkol), pozycja(o.pozycja), rozm(o.rozm), szer(o.szer), wys(o.wys), ile(o.ile), etyk(o.etyk),
      skrot(o.skrot), zal(o.zal), readonly(o.readonly), enabled(o.enabled), visible(o.visible), onexit(o.onexit),
      onchange(o.onchange), sprpopr(o.sprpopr), style(o.style), wydropis(o.wydropis), wydrwart(o.wydrwart),
      param(o.param), Value(o.Value), ChoiceNr(o.ChoiceNr), function(o.function)
{
    Values.reserve(o.Values.size());
    for (const auto &v : o.Values)
        Values.push_back(std::make_unique<TPomiarWart>(*v));
}

std::unique_ptr<TPomiar> TPomiar::Clone() const
{
    return std::unique_ptr<TPomiar>(new TPomiar(*this));
}

bool TPomiar::SameAs(const TPomiar &o) const
{
    if (!(PageNr == o.PageNr && PageName == o.PageName && nazwa == o.nazwa && typ == o.typ && druk == o.druk &&
          Row == o.Row && Column == o.Column && szerkol == o.szerkol && pozycja == o.pozycja && rozm == o.rozm &&
          szer == o.szer && wys == o.wys && ile == o.ile && etyk == o.etyk && skrot == o.skrot && zal == o.zal &&
          readonly == o.readonly && enabled == o.enabled && visible == o.visible && onexit == o.onexit &&
          onchange == o.onchange && sprpopr == o.sprpopr && style == o.style && wydropis == o.wydropis &&
          wydrwart == o.wydrwart && param == o.param && Value == o.Value && ChoiceNr == o.ChoiceNr &&
          function == o.function && Values.size() == o.Values.size()))
        return false;
    for (size_t i = 0; i < Values.size(); ++i)
        if (!(*Values[i] == *o.Values[i]))
            return false;
    return true;
}

TPomiarList CloneFields(const TPomiarList &fields)
{
    TPomiarList out;
    out.reserve(fields.size());
    for (const auto &f : fields)
        out.push_back(f->Clone());
    return out;
}

TPomiar *FindField(const TPomiarList &fields, const QString &nazwa)
{
    for (const auto &f : fields)
        if (f->nazwa == nazwa)
            return f.get();
    return nullptr;
}

bool SameFields(const TPomiarList &a, const TPomiarList &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!a[i]->SameAs(*b[i]))
            return false;
    return true;
}

} // namespace storage
