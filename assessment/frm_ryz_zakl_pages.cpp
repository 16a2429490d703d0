// The measurement window's pages: built from a form's items into the page control (each
// page laid out by TPageBuilder), the page the field operations search, the choice lists of
// its combos, and the pages taken down again.

#include "assessment/frm_ryz_zakl.h"
#include "assessment/page_builder.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/selection_trees.h"
#include "storage/visibility_rules.h"
#include "storage/workstation_files.h"
#include "widgets/field_binding.h"

#include <QComboBox>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>

namespace assessment {

void TfrmRyzZakl::BuildMeasurementForm(storage::TPomiarList &items, TRiskPanelHost *riskHost)
{
    const appstate::AppState &state = Shared();
    // The view the pages are shown in: this window's own, or the catalogue or the summary
    // they are lent to (no pages in the workstation view).
    const storage::TViewKind view = state.ViewKind;
    const QString dataFolder = state.DataFolder;
    if (view == storage::TViewKind::Workstations)
        return;
    const bool measurementView = IsCurrentView();
    const bool sampleData = InSampleData();

    FormItems = &items;
    if (measurementView) {
        const storage::TStanowisko *w = SelectedWorkstation();
        const storage::TCzynnik *f = SelectedFactor();
        const storage::TPomiarCzynn *m = SelectedMeasurement();
        if (w && f) {
            MeasurementFilePath =
                platform::JoinStoredPath(dataFolder + w->kat_dane, f->frm_dane + QStringLiteral(".xml"));
            storage::ApplyFieldVisibilityRules(f->id, m ? m->ver : QString(), MeasurementFilePath, items);
        }
    }
    if (!items.empty())
        CurrentFormName = items.front()->function();

    widgets::FieldEventSuppressor quiet;
    QSignalBlocker blockPages(pgDokum);
    const bool takeAccess = (measurementView && !sampleData) || view == storage::TViewKind::Catalogue;
    TPageBuilder builder(*this, pgDokum, takeAccess, CurrentFormName.contains(QLatin1String("prad_")));
    builder.Build(items);

    if (pgDokum->count() > 0) {
        pgDokum->setCurrentIndex(0);
        CurrentScrollBox = builder.FirstPage();
    }

    auto *risk = new QWidget;
    risk->setObjectName(QStringLiteral("ts_OcenaRyzyka"));
    pgDokum->addTab(risk, QStringLiteral("Ocena ryzyka zawodowego"));
    frmOcenaRyz()->PlaceOnPage(risk, measurementView && !sampleData, measurementView ? this : riskHost);
    if (pgDokum->count() == 1)
        pgDokum->setCurrentIndex(0);

    if (!builder.UnknownKinds().isEmpty()) {
        platform::ShowWarning(
            QStringLiteral("Definicja formularza zawiera pola nieznanego rodzaju, które pominięto: ") +
            builder.UnknownKinds().join(QStringLiteral(", ")));
    }
}

void TfrmRyzZakl::ClearMeasurementForm()
{
    TfrmOcenaRyz *panel = ExistingFrmOcenaRyz();
    if (panel && pgDokum->isAncestorOf(panel->pOcenaRyz))
        panel->TakeOffPage();
    widgets::FieldEventSuppressor quiet;
    QSignalBlocker block(pgDokum);
    while (pgDokum->count() > 0) {
        QWidget *tab = pgDokum->widget(pgDokum->count() - 1);
        pgDokum->removeTab(pgDokum->count() - 1);
        delete tab;
    }
    FormItems = nullptr;
}

QScrollArea *TfrmRyzZakl::CurrentPage() const
{
    return CurrentScrollBox;
}

void TfrmRyzZakl::pgDokumChange(int index)
{
    // The risk tab has no fields: the field operations keep working on the last form page.
    QWidget *tab = pgDokum->widget(index);
    if (!tab)
        return;
    if (auto *scroll = tab->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly))
        CurrentScrollBox = scroll;
}

QFont TfrmRyzZakl::FieldFont()
{
    // The forms were laid out for an 8-point sans-serif at 96 dots per inch; the
    // metric-compatible face at that pixel size keeps the auto-sized captions as designed.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

Qt::Alignment TfrmRyzZakl::ParseAlignment(const QString &text)
{
    if (text == QLatin1String("left"))
        return Qt::AlignLeft;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignHCenter;
}

QFont TfrmRyzZakl::ParseFontStyle(const QString &text, const QFont &base)
{
    QFont f = base;
    f.setBold(text.contains(QLatin1String("bold")));
    f.setItalic(text.contains(QLatin1String("italic")));
    f.setUnderline(text.contains(QLatin1String("underline")));
    return f;
}

void TfrmRyzZakl::FillComboItems(const storage::TPomiar &item, int choiceNr, QComboBox *combo)
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

} // namespace assessment
