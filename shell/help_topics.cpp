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
        {1400, "frmTree", "lista_wyboru.html"},
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

int HelpContextOf(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        const int own = w->property("helpContext").toInt();
        if (own > 0)
            return own;
        if (const int named = HelpContextOfName(w->objectName()))
            return named;
    }
    return 0;
}

} // namespace shell
