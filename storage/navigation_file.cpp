#include "storage/navigation_file.h"

#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/text_xml.h"

namespace storage {

TSklad::TSklad(int numer_, QString typ_, QString katalog_, QString plik_, QString katfrm_, QString katzal_)
    : numer(numer_), typ(std::move(typ_)), katalog(std::move(katalog_)), plik(std::move(plik_)),
      katfrm(std::move(katfrm_)), katzal(std::move(katzal_))
{
}

TElem::TElem(int numer_, QString nazwa_, QString oper_, QString ikona_)
    : numer(numer_), nazwa(std::move(nazwa_)), oper(std::move(oper_)), ikona(std::move(ikona_))
{
}

TGrupa::TGrupa(int numer_, int rozmikon_, QString nazwa_) : numer(numer_), nazwa(std::move(nazwa_)), rozmikon(rozmikon_)
{
}

TNavigationGroups &NavigationGroups()
{
    static TNavigationGroups groups;
    return groups;
}

namespace {

const QString kConfigName = QStringLiteral("config\\Tarvelin.xml");

[[noreturn]] void malformed(const QString &what, int lineIndex)
{
    throw platform::TarvelinError(QStringLiteral("Niepoprawna struktura pliku konfiguracyjnego %1 (wiersz %2): %3")
                                      .arg(kConfigName)
                                      .arg(lineIndex + 1)
                                      .arg(what));
}

// A number of the configuration; a text that is not a number is a malformed file.
int number(const ElementTag &tag, const QString &name, int lineIndex)
{
    const QString text = tag.Value(name);
    try {
        return ToInt(text);
    } catch (const platform::TarvelinError &e) {
        malformed(QStringLiteral("atrybut %1 %2").arg(name, e.message()), lineIndex);
    }
}

} // namespace

int ReadNavigationGroup(const QStringList &lines, int start, TGrupa &group)
{
    // The remembered values are not cleared between components: a component that leaves
    // a child line out inherits it from the previous component of the same group, and
    // shipped configurations rely on that.
    int numer = 0;
    QString typ, katalog, plik, katfrm, katzal;
    TElem *element = nullptr;
    for (int i = start; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        if (tag.Opens(u"element")) {
            const int n = number(tag, QStringLiteral("numer"), i);
            group.Elements.push_back(
                std::make_unique<TElem>(n, tag.Value(u"nazwa"), tag.Value(u"oper"), tag.Value(u"ikona")));
            // The element is found again by its number; a number that is not its position
            // would attach the components to another element.
            if (n != static_cast<int>(group.Elements.size()))
                malformed(QStringLiteral("element \"%1\" ma numer %2 zamiast %3")
                              .arg(group.Elements.back()->nazwa)
                              .arg(n)
                              .arg(group.Elements.size()),
                          i);
            element = group.Elements[n - 1].get();
        } else if (tag.Opens(u"skladnik")) {
            numer = number(tag, QStringLiteral("numer"), i);
            typ = tag.Value(u"typ");
        } else if (!tag.IsClosing() && line.indexOf(QLatin1String("</")) > 0) {
            const qsizetype gt = line.indexOf('>');
            if (gt < 1)
                continue;
            const QString tag = line.mid(1, gt - 1);
            QString value = line;
            const qsizetype open = value.indexOf(QLatin1Char('<') + tag + QLatin1Char('>'));
            if (open >= 0)
                value.remove(open, tag.size() + 2);
            const qsizetype close = value.indexOf(QLatin1String("</") + tag + QLatin1Char('>'));
            if (close >= 0)
                value.remove(close, tag.size() + 3);
            if (tag == QLatin1String("katalog"))
                katalog = value;
            else if (tag == QLatin1String("plik"))
                plik = value;
            else if (tag == QLatin1String("katfrm"))
                katfrm = value;
            else if (tag == QLatin1String("katzal"))
                katzal = value;
        } else if (tag.Closes(u"skladnik")) {
            if (!element)
                malformed(QStringLiteral("składnik poza elementem grupy \"%1\"").arg(group.nazwa), i);
            element->Components.push_back(std::make_unique<TSklad>(numer, typ, katalog, plik, katfrm, katzal));
        } else if (line.startsWith(QLatin1String("</grupa")) && tag.Closes(u"grupa")) {
            return i;
        }
    }
    return -1;
}

TNavigationGroups ParseNavigationConfig(const QStringList &lines, QString &version)
{
    TNavigationGroups groups;
    QString ver;
    bool rootSeen = false;
    TGrupa *current = nullptr;
    for (int i = 1; i <= lines.size() - 2; ++i) {
        const ElementTag tag(lines[i]);
        if (tag.Opens(u"tarvelin")) {
            ver = tag.Value(u"ver");
            rootSeen = true;
        } else if (tag.Opens(u"grupa")) {
            const QString nazwa = tag.Value(u"nazwa");
            const int n = number(tag, QStringLiteral("numer"), i);
            const int size = number(tag, QStringLiteral("rozmikon"), i);
            groups.push_back(std::make_unique<TGrupa>(n, size, nazwa));
            // The bar finds a group by its position; a number that is not the position
            // would put the following elements into another group.
            if (n != static_cast<int>(groups.size()))
                malformed(QStringLiteral("grupa \"%1\" ma numer %2 zamiast %3").arg(nazwa).arg(n).arg(groups.size()),
                          i);
            current = groups[n - 1].get();
        } else if (current) {
            const int end = ReadNavigationGroup(lines, i, *current);
            if (end < 0)
                malformed(QStringLiteral("grupa \"%1\" nie jest zamknięta (brak </grupa>)").arg(current->nazwa), i);
            i = end;
            // A stray line after a closed group belongs to no group; it must not carry the
            // next group's elements into this one.
            current = nullptr;
        }
        // Lines outside every group (blank or unknown) are ignored.
    }
    if (!rootSeen)
        throw platform::TarvelinError(
            QStringLiteral("Plik konfiguracyjny %1 jest pusty lub uszkodzony (brak wiersza <tarvelin ver=...>).")
                .arg(kConfigName));
    // Cut short after a closed group, it would lose the groups after it without a word.
    if (CheckWholeFile(lines) == FileShape::Cut)
        malformed(QStringLiteral("plik jest niekompletny (brak wiersza </tarvelin>)"), int(lines.size()) - 1);
    version = ver;
    return groups;
}

void ReadNavigationConfig(const QString &relPath)
{
    const QStringList lines = ReadTextXmlLines(relPath, true);
    QString version;
    TNavigationGroups groups = ParseNavigationConfig(lines, version);
    NavigationGroups() = std::move(groups);
    ConfigVersion() = version;
}

TViewKind ViewKindOf(const TSklad &component)
{
    if (component.typ == QLatin1String("dokfrm"))
        return TViewKind::Document;
    if (component.typ == QLatin1String("htm"))
        return TViewKind::WebPage;
    if (component.typ != QLatin1String("frm"))
        return TViewKind::None;
    static const std::pair<const char *, TViewKind> views[] = {{"frmCzynniki", TViewKind::Catalogue},
                                                               {"frmDefStan", TViewKind::Workstations},
                                                               {"frmRyzZakl", TViewKind::Measurement},
                                                               {"frmZestaw", TViewKind::Summary}};
    for (const auto &[name, kind] : views)
        if (component.plik == QLatin1String(name))
            return kind;
    return TViewKind::None;
}

QString CatalogueFolderOf(const TNavigationGroups &groups)
{
    QString folder;
    for (const auto &g : groups)
        for (const auto &e : g->Elements)
            for (const auto &c : e->Components)
                if (ViewKindOf(*c) == TViewKind::Catalogue)
                    folder = c->katalog;
    return folder;
}

} // namespace storage
