#include "shell/help_topics.h"

#include <QVariant>
#include <QWidget>

namespace shell {

const std::vector<HelpTopicEntry> &HelpTopics()
{
    static const std::vector<HelpTopicEntry> topics = {
        {MainWindowHelpContext, "frmMain", "okno_glowne.html"},
        {1010, "pMainWWW", "strona_www.html"},
        {1100, "pDefStan", "stanowiska.html"},
        {1200, "pRyzZakl", "pomiary.html"},
        {1210, "pOcenaRyz", "ocena_ryzyka.html"},
        {1220, "frmNowyPomiar", "dane_pomiaru.html"},
        {1300, "pDokum", "dokumenty.html"},
        {1320, "frmWydruk", "wydruk_dokumentu.html"},
        {1400, "frmTree", "lista_wyboru.html"},
        {1500, "pZestaw", "zestawienie.html"},
        {1510, "frmWydrukRej", "wydruki_zestawienia.html"},
        {1600, "pWyswCzynniki", "katalog_czynnikow.html"},
        {1610, "frmCzynnWl", "czynnik_wlasny.html"},
        {1620, "frmStanCzyn", "czynniki_na_stanowisku.html"},
        {1700, "VRStandardPreview", "podglad_wydruku.html"},
        {9150, "frmParamRiscScore", "parametry_risk_score.html"},
    };
    return topics;
}

int HelpContextOfName(const QString &componentName)
{
    if (componentName.isEmpty())
        return 0;
    for (const HelpTopicEntry &t : HelpTopics())
        if (componentName == QLatin1String(t.name))
            return t.context;
    return 0;
}

QString HelpTopicPage(int context)
{
    for (const HelpTopicEntry &t : HelpTopics())
        if (t.context == context)
            return QString::fromLatin1(t.page);
    return QString();
}

namespace {

int ownContext(const QWidget *w)
{
    const int own = w->property("helpContext").toInt();
    return own > 0 ? own : HelpContextOfName(w->objectName());
}

} // namespace

const QWidget *ControlWithHelp(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (ownContext(w) > 0)
            return w;
    return nullptr;
}

int HelpContextOf(const QWidget *w)
{
    const QWidget *found = ControlWithHelp(w);
    return found ? ownContext(found) : 0;
}

} // namespace shell
