// The measurement pages: the page area and its page control, the pages built from a form's
// items into it (each page laid out by TPageBuilder), the page the field operations search,
// the choice lists of its combos, the ratings shown on its risk panel, and the pages taken
// down again.

#include "assessment/measurement_pages.h"

#include "assessment/frm_ocena_ryz.h"
#include "assessment/page_builder.h"
#include "assessment/ratings_store.h"
#include "assessment/rules/rating_handover.h"

#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/selection_trees.h"
#include "widgets/field_binding.h"

#include <QComboBox>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace assessment {

TMeasurementPages::TMeasurementPages(QWidget *home, appstate::AppState &state, TRatingsStore *store)
    : m_state(state), m_store(store), m_riskPanel(std::make_unique<TfrmOcenaRyz>())
{
    pAllRyzZakl = new QWidget(home);
    pAllRyzZakl->setObjectName(QStringLiteral("pAllRyzZakl"));
    auto *all = new QVBoxLayout(pAllRyzZakl);
    all->setContentsMargins(0, 0, 0, 0);
    pgDokum = new QTabWidget(pAllRyzZakl);
    pgDokum->setObjectName(QStringLiteral("pgDokum"));
    all->addWidget(pgDokum);
    QObject::connect(pgDokum, &QTabWidget::currentChanged, pgDokum, [this](int index) { pgDokumChange(index); });
    pgDokum->hide();
}

TMeasurementPages::~TMeasurementPages()
{
    ClearMeasurementForm();
    // The area may be docked in another view's panel: it goes with the pages it belongs to.
    delete pAllRyzZakl.data();
}

QWidget *TMeasurementPages::PageArea() const
{
    return pAllRyzZakl;
}

QTabWidget *TMeasurementPages::Pages() const
{
    return pgDokum;
}

void TMeasurementPages::BuildMeasurementForm(storage::TPomiarList &items, bool editable)
{
    FormItems = &items;
    if (!items.empty())
        CurrentFormName = items.front()->function();

    widgets::FieldEventSuppressor quiet;
    QSignalBlocker blockPages(pgDokum);
    TPageBuilder builder(*this, pgDokum, editable, CurrentFormName.contains(QLatin1String("prad_")));
    builder.Build(items);

    if (pgDokum->count() > 0) {
        pgDokum->setCurrentIndex(0);
        CurrentScrollBox = builder.FirstPage();
    }

    auto *risk = new QWidget;
    risk->setObjectName(QStringLiteral("ts_OcenaRyzyka"));
    pgDokum->addTab(risk, QStringLiteral("Ocena ryzyka zawodowego"));
    // The final rating and the measures are the user's to change only where they are kept.
    m_riskPanel->PlaceOnPage(risk, editable && m_store, m_store);
    if (pgDokum->count() == 1)
        pgDokum->setCurrentIndex(0);

    if (!builder.UnknownKinds().isEmpty()) {
        platform::ShowWarning(
            QStringLiteral("Definicja formularza zawiera pola nieznanego rodzaju, które pominięto: ") +
            builder.UnknownKinds().join(QStringLiteral(", ")));
    }
}

void TMeasurementPages::ClearMeasurementForm()
{
    FormItems = nullptr;
    if (!pgDokum)
        return; // gone with the window it was docked in
    if (pgDokum->isAncestorOf(m_riskPanel->pOcenaRyz))
        m_riskPanel->TakeOffPage();
    widgets::FieldEventSuppressor quiet;
    QSignalBlocker block(pgDokum);
    while (pgDokum->count() > 0) {
        QWidget *tab = pgDokum->widget(pgDokum->count() - 1);
        pgDokum->removeTab(pgDokum->count() - 1);
        delete tab;
    }
}

QScrollArea *TMeasurementPages::CurrentPage() const
{
    return CurrentScrollBox;
}

void TMeasurementPages::pgDokumChange(int index)
{
    // The risk tab has no fields: the field operations keep working on the last form page.
    QWidget *tab = pgDokum->widget(index);
    if (!tab)
        return;
    if (auto *scroll = tab->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly))
        CurrentScrollBox = scroll;
}

void TMeasurementPages::FillComboItems(const storage::TPomiar &item, int choiceNr, QComboBox *combo)
{
    QString name = item.zal();
    const qsizetype semi = name.indexOf(QLatin1Char(';'));
    if (semi >= 0)
        name = choiceNr == 1 ? name.left(semi) : name.mid(semi + 1);
    QStringList texts;
    if (!name.isEmpty()) {
        const QString path = platform::JoinStoredPath(AttachmentFolder, name);
        // A missing or broken choice list leaves the combo empty; the rest of the page is
        // still built and usable.
        if (platform::FileExists(path)) {
            try {
                std::vector<storage::TZalTree> nodes;
                storage::ReadSelectionTree(path, nodes);
                for (const storage::TZalTree &n : nodes)
                    texts << n.Text;
            } catch (const platform::TarvelinError &) {
                texts.clear();
            }
        }
    }
    QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(texts);
}

// ---- Ratings ------------------------------------------------------------------------------

void TMeasurementPages::SetRiskAssessment(const TGroupRatings &ratings)
{
    if (m_store)
        ShowRatings(m_store->StoreRuleRatings(ratings), m_store->ShownMeasurement().workstation);
    else
        ShowRatings(CombineAsMaximum(ratings), nullptr);
}

void TMeasurementPages::ShowRatings(const TRiskRatings &ratings, const storage::TStanowisko *workstation)
{
    // The rule's reason names what the user can put right; it holds for these ratings only.
    // A group the rule rates whatever was measured (a work forbidden to pregnant women or
    // juveniles) does not make the others determined.
    const QString note = std::exchange(m_invalidFieldNote, QString());
    m_riskPanel->SetRiskAssessment(ratings, !note.isEmpty() && ratings.groups.AnyNotDetermined()
                                                ? note
                                                : CombinedGap(ratings, workstation));
}

void TMeasurementPages::ReportInvalidField(const QString &name, const QString &why)
{
    if (!m_invalidFieldNote.isEmpty())
        return; // the first field reported is the one to put right first
    m_invalidFieldNote = rules::InvalidFieldNote(*this, name, why);
}

TShownMeasurement TMeasurementPages::ShownMeasurement()
{
    // Only the measurement window's pages work on a workstation; a preview's do not.
    return m_store ? m_store->ShownMeasurement() : TShownMeasurement();
}

void TMeasurementPages::markModified()
{
    if (m_store)
        m_store->MarkModified();
}

void TMeasurementPages::applySaveRule()
{
    if (m_store)
        m_store->ApplySaveRule();
}

void TMeasurementPages::FieldTyped()
{
    if (m_store)
        m_store->FieldTyped();
}

} // namespace assessment
