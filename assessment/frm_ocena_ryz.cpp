#include "assessment/frm_ocena_ryz.h"

#include "platform/prompter.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace assessment {

namespace {

// The code colours are kept as the program has always shown them (green, yellow, red).
QString codeColour(int code)
{
    switch (code) {
    case 10:
        return QStringLiteral("#008000");
    case 20:
        return QStringLiteral("#FFFF00");
    case 30:
        return QStringLiteral("#FF0000");
    default:
        return QString();
    }
}

void paintButton(QRadioButton *b, const QString &colour)
{
    b->setProperty("riskColour", colour);
    // The employee groups are display only and therefore disabled: the background keeps the
    // rating visible where a disabled text would be greyed out.
    b->setStyleSheet(colour.isEmpty() ? QString()
                                      : QStringLiteral("QRadioButton { background-color: %1; }").arg(colour));
}

void paintCaption(QGroupBox *g, bool red)
{
    g->setProperty("captionRed", red);
    g->setStyleSheet(red ? QStringLiteral("QGroupBox { color: #FF0000; }") : QString());
}

// Radio buttons of one group are exclusive; unchecking the checked one needs the
// exclusivity lifted for a moment.
void uncheck(QRadioButton *b)
{
    if (!b->isChecked())
        return;
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

} // namespace

TfrmOcenaRyz::TfrmOcenaRyz()
{
    setObjectName(QStringLiteral("frmOcenaRyz"));
    pOcenaRyz = new QWidget(this);
    pOcenaRyz->setObjectName(QStringLiteral("pOcenaRyz"));
    auto *main = new QVBoxLayout(pOcenaRyz);

    Label81 = new QLabel(QStringLiteral("Poziom ryzyka zawodowego:"), pOcenaRyz);
    Label81->setObjectName(QStringLiteral("Label81"));
    main->addWidget(Label81);
    lBrakOceny = new QLabel(pOcenaRyz);
    lBrakOceny->setObjectName(QStringLiteral("lBrakOceny"));
    lBrakOceny->setWordWrap(true);
    lBrakOceny->setStyleSheet(QStringLiteral("QLabel { color: #C00000; }"));
    lBrakOceny->hide();
    main->addWidget(lBrakOceny);

    auto *grid = new QGridLayout;
    main->addLayout(grid);
    gbMlodociani = makeGroup(QStringLiteral("gbMlodociani"), QStringLiteral("Młodociani"), rbOcenaMldcDuze,
                             rbOcenaMldcSrednie, rbOcenaMldcMale);
    gbKobCiez = makeGroup(QStringLiteral("gbKobCiez"), QStringLiteral("Kobiety w ciąży"), rbOcenaKbtWCDuze,
                          rbOcenaKbtWCSrednie, rbOcenaKbtWCMale);
    gbKobiety = makeGroup(QStringLiteral("gbKobiety"), QStringLiteral("Kobiety"), rbOcenaKbtDuze, rbOcenaKbtSrednie,
                          rbOcenaKbtMale);
    gbMezczyzni = makeGroup(QStringLiteral("gbMezczyzni"), QStringLiteral("Mężczyźni"), rbOcenaMzczDuze,
                            rbOcenaMzczSrednie, rbOcenaMzczMale);
    gbKompLaczna = makeGroup(QStringLiteral("gbKompLaczna"), QStringLiteral("Ocena łączna"), rbOcenaKompDuze,
                             rbOcenaKompSrednie, rbOcenaKompMale);
    gbOcena = makeGroup(QStringLiteral("gbOcena"), QStringLiteral("Ocena końcowa"), rbOcenaKoncDuze, rbOcenaKoncSrednie,
                        rbOcenaKoncMale);
    grid->addWidget(gbMezczyzni, 0, 0);
    grid->addWidget(gbKobiety, 0, 1);
    grid->addWidget(gbKobCiez, 0, 2);
    grid->addWidget(gbMlodociani, 0, 3);
    grid->addWidget(gbKompLaczna, 1, 0, 1, 2);
    grid->addWidget(gbOcena, 1, 2, 1, 2);

    for (QGroupBox *g : {gbMlodociani, gbKobCiez, gbKobiety, gbMezczyzni, gbKompLaczna})
        g->setEnabled(false); // display only

    rbOcenaKoncDuze->setProperty("tag", 30);
    rbOcenaKoncSrednie->setProperty("tag", 20);
    rbOcenaKoncMale->setProperty("tag", 10);
    for (QRadioButton *rb : {rbOcenaKoncDuze, rbOcenaKoncSrednie, rbOcenaKoncMale}) {
        // The user's choice only: the panel's own checks must not store anything.
        connect(rb, &QRadioButton::clicked, this, [this, rb] { rbOcenaKoncDuzeClick(rb); });
    }
    gbOcena->installEventFilter(this);

    lSrodkiOgrRyz = new QLabel(QStringLiteral("Środki ograniczające ryzyko zawodowe"), pOcenaRyz);
    lSrodkiOgrRyz->setObjectName(QStringLiteral("lSrodkiOgrRyz"));
    main->addWidget(lSrodkiOgrRyz);
    mSrodOgrRyz = new QPlainTextEdit(pOcenaRyz);
    mSrodOgrRyz->setObjectName(QStringLiteral("mSrodOgrRyz"));
    mSrodOgrRyz->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mSrodOgrRyz->setTabChangesFocus(true); // Tab leaves it, as every memo of the program
    main->addWidget(mSrodOgrRyz, 1);
    connect(mSrodOgrRyz, &QPlainTextEdit::textChanged, this, [this] { mSrodOgrRyzChange(); });

    pOcenaRyz->hide();
}

TfrmOcenaRyz::~TfrmOcenaRyz() = default;

QGroupBox *TfrmOcenaRyz::makeGroup(const QString &name, const QString &caption, QRadioButton *&duze,
                                   QRadioButton *&srednie, QRadioButton *&male)
{
    auto *g = new QGroupBox(caption, pOcenaRyz);
    g->setObjectName(name);
    auto *layout = new QVBoxLayout(g);
    const QString stem = name == QLatin1String("gbMlodociani")   ? QStringLiteral("rbOcenaMldc")
                         : name == QLatin1String("gbKobCiez")    ? QStringLiteral("rbOcenaKbtWC")
                         : name == QLatin1String("gbKobiety")    ? QStringLiteral("rbOcenaKbt")
                         : name == QLatin1String("gbMezczyzni")  ? QStringLiteral("rbOcenaMzcz")
                         : name == QLatin1String("gbKompLaczna") ? QStringLiteral("rbOcenaKomp")
                                                                 : QStringLiteral("rbOcenaKonc");
    duze = new QRadioButton(QStringLiteral("Duże"), g);
    duze->setObjectName(stem + QStringLiteral("Duze"));
    srednie = new QRadioButton(QStringLiteral("Średnie"), g);
    srednie->setObjectName(stem + QStringLiteral("Srednie"));
    male = new QRadioButton(QStringLiteral("Małe"), g);
    male->setObjectName(stem + QStringLiteral("Male"));
    layout->addWidget(duze);
    layout->addWidget(srednie);
    layout->addWidget(male);
    return g;
}

bool TfrmOcenaRyz::UstawOceneRyzyka(QRadioButton *rbMale, QRadioButton *rbSrednie, QRadioButton *rbDuze,
                                    QGroupBox *group, int code)
{
    if (code != 0 && code != 10 && code != 20 && code != 30 && code != 40 && code != 99) {
        platform::ShowWarning(QStringLiteral(" Błąd wewnętrzny! Niewłaściwa ocena ryzyka w UstawOceneRyzyka : ") +
                              QString::number(code));
        return false;
    }
    for (QRadioButton *b : {rbMale, rbSrednie, rbDuze})
        paintButton(b, QString());
    paintCaption(group, false);
    QRadioButton *chosen = code == 10 ? rbMale : code == 20 ? rbSrednie : code == 30 ? rbDuze : nullptr;
    if (chosen) {
        chosen->setChecked(true); // programmatic: `clicked` stays quiet
        paintButton(chosen, codeColour(code));
    } else {
        for (QRadioButton *b : {rbMale, rbSrednie, rbDuze})
            uncheck(b);
        if (code == 40)
            paintCaption(group, true);
    }
    return true;
}

void TfrmOcenaRyz::SetRiskAssessment(const TRiskRatings &ratings, const QString &notDeterminedReason)
{
    const TGroupRatings &g = ratings.groups;
    UstawOceneRyzyka(rbOcenaMzczMale, rbOcenaMzczSrednie, rbOcenaMzczDuze, gbMezczyzni, g.men);
    UstawOceneRyzyka(rbOcenaKbtMale, rbOcenaKbtSrednie, rbOcenaKbtDuze, gbKobiety, g.women);
    UstawOceneRyzyka(rbOcenaKbtWCMale, rbOcenaKbtWCSrednie, rbOcenaKbtWCDuze, gbKobCiez, g.pregnantWomen);
    UstawOceneRyzyka(rbOcenaMldcMale, rbOcenaMldcSrednie, rbOcenaMldcDuze, gbMlodociani, g.juveniles);
    ShowNotDeterminedReason(notDeterminedReason);
    UstawOceneRyzyka(rbOcenaKompMale, rbOcenaKompSrednie, rbOcenaKompDuze, gbKompLaczna, ratings.combined);
    UstawOceneRyzyka(rbOcenaKoncMale, rbOcenaKoncSrednie, rbOcenaKoncDuze, gbOcena, ratings.final);
}

void TfrmOcenaRyz::LoadMeasuresText(const QString &text)
{
    QSignalBlocker block(mSrodOgrRyz);
    mSrodOgrRyz->setPlainText(text);
}

void TfrmOcenaRyz::ShowNotDeterminedReason(const QString &text)
{
    lBrakOceny->setText(text);
    lBrakOceny->setVisible(!text.isEmpty());
}

QString TfrmOcenaRyz::NotDeterminedReason() const
{
    return lBrakOceny->text();
}

QString TfrmOcenaRyz::MeasuresText() const
{
    return mSrodOgrRyz->toPlainText();
}

void TfrmOcenaRyz::PlaceOnPage(QWidget *tab, bool finalEditable, TRiskPanelHost *host)
{
    m_host = host;
    if (!tab)
        return;
    QLayout *layout = tab->layout();
    if (!layout) {
        layout = new QVBoxLayout(tab);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(pOcenaRyz);
    gbOcena->setEnabled(finalEditable);
    lSrodkiOgrRyz->setEnabled(finalEditable);
    mSrodOgrRyz->setEnabled(finalEditable);
    pOcenaRyz->show();
}

void TfrmOcenaRyz::TakeOffPage()
{
    m_host = nullptr;
    if (pOcenaRyz->parentWidget() == this)
        return;
    pOcenaRyz->hide();
    pOcenaRyz->setParent(this);
}

void TfrmOcenaRyz::rbOcenaKoncDuzeClick(QRadioButton *sender)
{
    if (!sender)
        return;
    const int tag = sender->property("tag").toInt();
    UstawOceneRyzyka(rbOcenaKoncMale, rbOcenaKoncSrednie, rbOcenaKoncDuze, gbOcena, tag);
    if (m_host)
        m_host->FinalRatingChosen(tag);
}

void TfrmOcenaRyz::gbOcenaClick()
{
    // "Praca wzbroniona" chosen by a click on the caption is stored as 40, and clicking it
    // off stores 0, so that the screen and the saved rating never disagree.
    const int code = CaptionRed(gbOcena) ? 0 : 40;
    UstawOceneRyzyka(rbOcenaKoncMale, rbOcenaKoncSrednie, rbOcenaKoncDuze, gbOcena, code);
    if (m_host)
        m_host->FinalRatingChosen(code);
}

void TfrmOcenaRyz::mSrodOgrRyzChange()
{
    if (m_host)
        m_host->MeasuresEdited(mSrodOgrRyz->toPlainText());
}

bool TfrmOcenaRyz::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == gbOcena && event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && gbOcena->isEnabled())
            gbOcenaClick();
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmOcenaRyz::CaptionRed(const QGroupBox *group)
{
    return group && group->property("captionRed").toBool();
}

QString TfrmOcenaRyz::ButtonColour(const QRadioButton *button)
{
    return button ? button->property("riskColour").toString() : QString();
}

int TfrmOcenaRyz::ShownCode(const QGroupBox *group) const
{
    if (!group)
        return 0;
    if (CaptionRed(group))
        return 40;
    const auto buttons = group->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (QRadioButton *b : buttons) {
        if (!b->isChecked())
            continue;
        if (b->objectName().endsWith(QLatin1String("Duze")))
            return 30;
        if (b->objectName().endsWith(QLatin1String("Srednie")))
            return 20;
        if (b->objectName().endsWith(QLatin1String("Male")))
            return 10;
    }
    return 0;
}

} // namespace assessment
