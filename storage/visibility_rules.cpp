#include "storage/visibility_rules.h"

#include "storage/text_xml.h"

#include <QSet>
#include <algorithm>
#include <functional>

namespace storage {

namespace {

struct Switch
{
    QString name;
    std::function<bool(const QString &)> flagOf;
    QSet<QString> dependents; // exact names
    std::function<void(TPomiar &, bool)> apply;
};

void walk(TPomiarList &fields, const std::vector<Switch> &switches)
{
    std::vector<int> state(switches.size(), -1); // -1 before the switch, else the flag
    for (auto &p : fields) {
        TPomiar &item = *p;
        for (size_t s = 0; s < switches.size(); ++s) {
            const Switch &sw = switches[s];
            if (item.nazwa() == sw.name) {
                state[s] = sw.flagOf(item.Value) ? 1 : 0;
                continue;
            }
            if (state[s] >= 0 && sw.dependents.contains(item.nazwa()))
                sw.apply(item, state[s] == 1);
        }
    }
}

void setEnabled(TPomiar &p, bool flag)
{
    p.enabled = flag;
}

double numberOr0(const QString &text)
{
    return ToDoubleDef(text, 0.0);
}

const QSet<QString> kRespirable = {QStringLiteral("lPResp"),       QStringLiteral("lStZmierzoneResp"),
                                   QStringLiteral("lStDopResp"),   QStringLiteral("lKrotnoscResp"),
                                   QStringLiteral("PylRespZm"),    QStringLiteral("PylRespDop"),
                                   QStringLiteral("PylRespKrotn")};

} // namespace

void ApplyFieldVisibilityRule(TPomiarList &fields, int factorId, int ruleNr)
{
    auto equals = [](const char *text) {
        const QString t = QString::fromUtf8(text);
        return std::function<bool(const QString &)>([t](const QString &v) { return v == t; });
    };
    auto differs = [](const char *text) {
        const QString t = QString::fromUtf8(text);
        return std::function<bool(const QString &)>([t](const QString &v) { return v != t; });
    };
    std::vector<Switch> sw;
    switch (ruleNr) {
    case 1:
        sw.push_back({QStringLiteral("cbCzasEksp"), equals("True"),
                      {QStringLiteral("lMaksWartZm"), QStringLiteral("lMaksWartDp"), QStringLiteral("lMaksKrotn"),
                       QStringLiteral("MaksWartZm"), QStringLiteral("MaksWartDop"), QStringLiteral("MaksKrotn"),
                       QStringLiteral("lMaksWartDopMlKc"), QStringLiteral("MaksWartDopMlKc"),
                       QStringLiteral("MaksKrotnMlKc"), QStringLiteral("lMaksWartDopMl"),
                       QStringLiteral("MaksWartDopMl"), QStringLiteral("MaksKrotnMl"), QStringLiteral("pMaksSW")},
                      setEnabled});
        break;
    case 2:
        sw.push_back({QStringLiteral("cbZagrTO"), equals("True"),
                      {QStringLiteral("lTOCzas"), QStringLiteral("lTOWymiar"), QStringLiteral("TOParam"),
                       QStringLiteral("TOCzas"), QStringLiteral("TOWymiar"), QStringLiteral("lTOWartZm"),
                       QStringLiteral("lTOWartDp"), QStringLiteral("lTOKrotn"), QStringLiteral("TOWartZm"),
                       QStringLiteral("TOWartDop"), QStringLiteral("TOKrotn")},
                      setEnabled});
        break;
    case 3: {
        if (factorId == 25020)
            sw.push_back({QStringLiteral("cmbIloscKrzem"), differs(" Poniżej 2% "), kRespirable, setEnabled});
        if (factorId == 25090)
            sw.push_back({QStringLiteral("Rodz"), differs(" Syntetycznego "), kRespirable, setEnabled});
        walk(fields, sw);
        sw.clear();
        // Dust types with either of the two lowest bits set take no part in the sum.
        std::vector<int> state;
        bool seen = false;
        bool flag = false;
        for (auto &p : fields) {
            if (p->nazwa() == QLatin1String("Typ")) {
                const double t = numberOr0(p->Value);
                flag = (static_cast<long long>(std::ceil(t)) & 3) == 0;
                seen = true;
                continue;
            }
            if (seen && p->nazwa().contains(QLatin1String("SumNDS")))
                p->visible = flag;
        }
        if (factorId == 25070) {
            bool fibres = false;
            bool rodzSeen = false;
            for (auto &p : fields) {
                if (p->nazwa() == QLatin1String("Rodz")) {
                    fibres = p->Value.contains(QStringLiteral("Zawierający włókna mineralne (w tym azbest)"));
                    rodzSeen = true;
                    continue;
                }
                if (rodzSeen && fibres && p->nazwa() == QLatin1String("lPResp"))
                    p->etyk = QStringLiteral("Włókna respirabilne [włókna/cm^3]");
            }
        }
        return;
    }
    case 4:
        sw.push_back({QStringLiteral("Koncentr"), equals("True"),
                      {QStringLiteral("pPozCisnCzas"), QStringLiteral("lPCCzasWartZm"), QStringLiteral("lPCCzasWartDp"),
                       QStringLiteral("lPCCzasKrotn"), QStringLiteral("PCCzasWartZm"), QStringLiteral("PCCzasWartDp"),
                       QStringLiteral("PCCzasKrotn")},
                      setEnabled});
        break;
    case 5:
        sw.push_back({QStringLiteral("PracaZewn"), equals("True"),
                      {QStringLiteral("pWCI"), QStringLiteral("lWartZm"), QStringLiteral("lWartDp"),
                       QStringLiteral("lKrotnWCI"), QStringLiteral("WartZm"), QStringLiteral("WartDop"),
                       QStringLiteral("KrotnWCI")},
                      setEnabled});
        break;
    case 6:
        sw.push_back({QStringLiteral("cPromieniowanie"), equals(" impulsowe "),
                      {QStringLiteral("CzestPracy"), QStringLiteral("CzasImp"), QStringLiteral("lCzestPracy"),
                       QStringLiteral("lCzasImp")},
                      setEnabled});
        sw.push_back({QStringLiteral("cDzialanie"), equals(" na oko "),
                      {QStringLiteral("KatAlfa"), QStringLiteral("lKatAlfa")}, setEnabled});
        sw.push_back({QStringLiteral("DlugFal"), [](const QString &v) { return numberOr0(v) < 600.0; },
                      {QStringLiteral("CalkCzasEksp"), QStringLiteral("lCalkCzasEksp")}, setEnabled});
        break;
    case 7:
        sw.push_back({QStringLiteral("PracaZewn"), equals("True"),
                      {QStringLiteral("lWartZm"), QStringLiteral("lWartDp"), QStringLiteral("lKrotnTwc"),
                       QStringLiteral("WartZm"), QStringLiteral("WartDop"), QStringLiteral("KrotnTwc"),
                       QStringLiteral("lCzasNar"), QStringLiteral("CzasNar"), QStringLiteral("lTa"),
                       QStringLiteral("Ta"), QStringLiteral("lVa"), QStringLiteral("Va"), QStringLiteral("ptwc")},
                      setEnabled});
        break;
    default:
        return;
    }
    walk(fields, sw);
}

void ApplyFieldVisibilityRules(int factorId, const QString &ver, const QString &fileName, TPomiarList &fields)
{
    if (factorId == 10100 || factorId == 10200)
        ApplyFieldVisibilityRule(fields, factorId, 1);
    if (factorId == 50008)
        ApplyFieldVisibilityRule(fields, factorId, 2);
    // Only the file's own name counts: the folders above it may be named anything.
    const QString ownName = fileName.mid(std::max(fileName.lastIndexOf('\\'), fileName.lastIndexOf('/')) + 1);
    if (ownName.contains(QLatin1String("pyly")))
        ApplyFieldVisibilityRule(fields, factorId, 3);
    if (factorId == 30005)
        ApplyFieldVisibilityRule(fields, factorId, 4);
    if (factorId == 50002 && ver == QLatin1String("2"))
        ApplyFieldVisibilityRule(fields, factorId, 5);
    if (factorId == 50006 && ver == QLatin1String("2"))
        ApplyFieldVisibilityRule(fields, factorId, 6);
    if (factorId == 50002 && ver == QLatin1String("3"))
        ApplyFieldVisibilityRule(fields, factorId, 7);
}

} // namespace storage
