#include "workstation_loading/workstation_loading.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/polish_collation.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMap>
#include <QPointer>

namespace workstations {

namespace {

constexpr int kWorkstationRole = Qt::UserRole; // the workstation's id
constexpr int kFactorRole = Qt::UserRole + 1;  // the factor's number

QMap<QString, TWorkstationListView *> &registeredViews()
{
    static QMap<QString, TWorkstationListView *> views;
    return views;
}

// List entries in Polish alphabetical order, so "Ślusarnia" stands after "Spawalnia" and
// before "Tokarnia", whatever the entries were added in.
class TSortedItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override { return ListTextLess(text(), other.text()); }
};

storage::WorkstationList &workstationsList()
{
    return appstate::State().Workstations;
}

void insertSorted(QListWidget *list, QListWidgetItem *item)
{
    // The list boxes are kept sorted by inserting in place, not by the widget's own
    // sorting, whose order is Unicode's and not the alphabet's. Equal texts keep the
    // order they were added in.
    int lo = 0, hi = list->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (ListTextLess(item->text(), list->item(mid)->text()))
            hi = mid;
        else
            lo = mid + 1;
    }
    list->insertItem(lo, item);
}

} // namespace

bool ListTextLess(const QString &a, const QString &b)
{
    const int c = storage::ComparePolish(a, b);
    if (c != 0)
        return c < 0;
    return a < b; // a stable, total order for texts the collation calls equal
}

void RegisterWorkstationListView(const QString &viewName, TWorkstationListView *view)
{
    if (view)
        registeredViews().insert(viewName, view);
    else
        registeredViews().remove(viewName);
}

TWorkstationListView *WorkstationListView(const QString &viewName)
{
    return registeredViews().value(viewName, nullptr);
}

// ---------------------------------------------------------------------------------------
// Entries

void AddWorkstationItem(QListWidget *list, const storage::TStanowisko &w)
{
    auto *item = new TSortedItem(w.nazwa);
    item->setData(kWorkstationRole, w.id);
    insertSorted(list, item);
}

void AddWorkstationItem(QComboBox *combo, const storage::TStanowisko &w)
{
    // The combo boxes are sorted as the lists are.
    int at = combo->count();
    for (int i = 0; i < combo->count(); ++i)
        if (ListTextLess(w.nazwa, combo->itemText(i))) {
            at = i;
            break;
        }
    combo->insertItem(at, w.nazwa, w.id);
}

storage::TStanowisko *WorkstationOfItem(const QListWidgetItem *item)
{
    if (!item)
        return nullptr;
    return storage::FindWorkstationById(workstationsList(), item->data(kWorkstationRole).toString());
}

storage::TStanowisko *WorkstationOfComboIndex(const QComboBox *combo, int index)
{
    if (!combo || index < 0 || index >= combo->count())
        return nullptr;
    return storage::FindWorkstationById(workstationsList(), combo->itemData(index).toString());
}

void AddFactorItem(QListWidget *list, const storage::TStanowisko &w, const storage::TFactorEntry &entry)
{
    auto *item = new TSortedItem(entry.text);
    item->setData(kWorkstationRole, w.id);
    item->setData(kFactorRole, entry.factor->id);
    insertSorted(list, item);
}

storage::TCzynnik *FactorOfItem(const QListWidgetItem *item)
{
    // Looked up by the factor's number and text in the workstation as it is now: after the
    // workstation was read again the entry finds the new object, never the freed one.
    storage::TStanowisko *w = WorkstationOfItem(item);
    if (!w)
        return nullptr;
    bool ok = false;
    const int id = item->data(kFactorRole).toInt(&ok);
    if (!ok)
        return nullptr;
    storage::TCzynnik *sameId = nullptr;
    for (const auto &e : w->Factors) {
        if (e.factor->id != id)
            continue;
        if (e.text == item->text())
            return e.factor.get();
        if (!sameId)
            sameId = e.factor.get();
    }
    return sameId;
}

int FindWorkstationRow(const QListWidget *list, const QString &id)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(kWorkstationRole).toString() == id)
            return i;
    return -1;
}

// ---------------------------------------------------------------------------------------
// Loading

void LoadWorkstations(const QString &listPath, const ProgressReport &progress)
{
    auto &state = appstate::State();
    state.Workstations.clear();
    // A folder without a list file has no version: nothing to rename there either.
    state.ListVersion.clear();
    storage::ReadWorkstationList(listPath, state.Workstations, state.ListVersion);
    // Two entries with one number cannot be told apart (each is found by its number): the
    // user is told, so the list file can be put right before anything is deleted.
    QStringList seen, repeated;
    for (const auto &w : state.Workstations) {
        if (seen.contains(w->id) && !repeated.contains(w->id))
            repeated << w->id;
        seen << w->id;
    }
    if (!repeated.isEmpty())
        platform::ShowWarning(QStringLiteral("Lista stanowisk %1 zawiera powtórzone numery stanowisk: %2")
                                  .arg(listPath, repeated.join(QStringLiteral(", "))));
    FillWorkstationList(state.Workstations);
    if (UpgradeNeeded())
        UpgradeFactorNames(progress);
}

bool LoadWorkstationData(storage::TStanowisko &w)
{
    auto &state = appstate::State();
    const QString path = storage::WorkstationDataPath(state.DataFolder, w.kat_dane);
    // Read afresh: reading on top of what is there would list every factor twice.
    w.ClearFactors();
    w.ClearEmployment();
    storage::WorkstationReadOptions options = storage::WorkstationReadOptions::ForView(state.ViewName);
    options.catalogueFolder = state.CatalogueFolder;
    options.formsFolder = state.FormsFolder;
    QStringList problems;
    options.problems = &problems;
    try {
        if (storage::ReadWorkstationData(path, w, options) == storage::ReadResult::Missing) {
            platform::ShowWarning(QStringLiteral("Brak pliku z danymi stanowiska \"%1\": %2").arg(w.nazwa, path));
            return false;
        }
    } catch (const platform::TarvelinError &e) {
        if (w.ReadError.isEmpty())
            w.ReadError = e.message();
        platform::ShowError(e.message());
        return false;
    }
    if (!problems.isEmpty())
        platform::ShowWarning(problems.join('\n'));
    return true;
}

void FillWorkstationList(const storage::WorkstationList &list)
{
    const QString &viewName = appstate::State().ViewName;
    TWorkstationListView *view = WorkstationListView(viewName);
    if (!view)
        return;
    if (viewName == QLatin1String("frmDefStan")) {
        QListWidget *box = view->WorkstationListBox();
        if (!box)
            return;
        box->setUpdatesEnabled(false);
        box->clear();
        for (const auto &w : list)
            AddWorkstationItem(box, *w);
        box->setUpdatesEnabled(true);
    } else if (QComboBox *combo = view->WorkstationCombo()) {
        for (const auto &w : list)
            AddWorkstationItem(combo, *w);
    }
}

namespace {

// The day a yyyy-MM-dd text begins with (a time of day after it still names its day);
// invalid when it begins with no such day. Read by hand: the lists read thousands.
QDate dayOf(const QString &data)
{
    if (data.size() < 10 || data[4] != QLatin1Char('-') || data[7] != QLatin1Char('-'))
        return QDate();
    int parts[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8}, to[3] = {4, 7, 10};
    for (int p = 0; p < 3; ++p) {
        for (int i = from[p]; i < to[p]; ++i) {
            const QChar c = data[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QDate();
            parts[p] = parts[p] * 10 + (c.unicode() - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

} // namespace

QString MeasurementDay(const QString &data)
{
    const QDate d = dayOf(data);
    return d.isValid() ? data.left(10) : data;
}

bool MeasurementInRange(const QString &data, const QDate &from, const QDate &to)
{
    const QDate d = dayOf(data);
    if (d.isValid())
        return d >= from && d <= to;
    // A text that is no date compares as yyyy-MM-dd texts do, in the order of the days.
    return data >= from.toString(QStringLiteral("yyyy-MM-dd")) && data <= to.toString(QStringLiteral("yyyy-MM-dd"));
}

std::vector<storage::TPomiarCzynn *> MeasurementsInRange(const storage::TMeasurementList &measurements,
                                                         const QDate &from, const QDate &to, bool latestOnly)
{
    std::vector<storage::TPomiarCzynn *> taken;
    QString latestDay;
    for (const auto &m : measurements) {
        if (!MeasurementInRange(m->data, from, to))
            continue;
        if (!latestOnly) {
            taken.push_back(m.get());
            continue;
        }
        // The first of the latest day, in list order.
        const QString day = MeasurementDay(m->data);
        if (taken.empty() || day > latestDay) {
            taken.assign(1, m.get());
            latestDay = day;
        }
    }
    return taken;
}

void FillFactorList(QListWidget *target, const storage::TStanowisko *w, const FactorFilter &filter)
{
    if (!target)
        return;
    target->setUpdatesEnabled(false);
    target->clear();
    if (w) {
        for (const auto &entry : w->Factors) {
            const storage::TCzynnik &f = *entry.factor;
            if (f.aktual != QLatin1String("T"))
                continue;
            if (filter.dateRange &&
                std::none_of(f.Measurements.begin(), f.Measurements.end(), [&](const auto &m) {
                    return MeasurementInRange(m->data, filter.from, filter.to);
                }))
                continue;
            AddFactorItem(target, *w, entry);
        }
    }
    target->setUpdatesEnabled(true);
}

void FillFactorList(QListWidget *target)
{
    TWorkstationListView *view = WorkstationListView(appstate::State().ViewName);
    if (!view) {
        if (target)
            target->clear();
        return;
    }
    FactorFilter filter;
    filter.dateRange = view->MeasurementDateRange(filter.from, filter.to);
    FillFactorList(target, view->SelectedWorkstation(), filter);
}

// ---------------------------------------------------------------------------------------
// Deleting a workstation folder

bool DeleteFolderTree(const QString &path, const QString &dataFolder)
{
    QString stored = path;
    stored.replace('/', '\\');
    while (stored.endsWith('\\'))
        stored.chop(1);
    if (stored.trimmed().isEmpty())
        return false;
    // Only a folder directly inside the data folder: an empty or odd folder name must never
    // turn this into the deletion of the data folder itself, or of anything outside it.
    const QString dataPath = QDir::cleanPath(platform::ToFilePath(dataFolder));
    const QFileInfo target(platform::ToFilePath(stored));
    if (!target.exists() || !target.isDir() || target.isSymLink())
        return false;
    const QString folderPath = QDir::cleanPath(target.absoluteFilePath());
    if (QDir::cleanPath(target.absolutePath()) != QDir(dataPath).absolutePath() ||
        folderPath == QDir(dataPath).absolutePath())
        return false;

    QDir dir(folderPath);
    // A sub-folder would keep the folder from going; find that out before any file goes,
    // so a refused delete leaves the workstation's files as they were.
    if (!dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty())
        return false;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : files) {
        QFile f(fi.absoluteFilePath());
        if (!fi.isSymLink())
            f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
        f.remove(); // failures show in the result: the folder then stays
    }
    return QDir().rmdir(folderPath);
}

// ---------------------------------------------------------------------------------------
// The one-off renaming

bool UpgradeNeeded()
{
    const auto &state = appstate::State();
    return !state.FormsFolder.contains(QLatin1String("wzrocen")) && state.ListVersion != state.DataVersion &&
           state.DataVersion == QLatin1String("1.1") && !state.Workstations.empty();
}

int UpgradeFactorNames(const ProgressReport &progress)
{
    auto &state = appstate::State();
    const QString caption = QStringLiteral("Proszę czekać: trwa aktualizacja nazw czynników chemicznych i pyłów");
    const int total = int(state.Workstations.size());
    auto report = [&](int done) {
        if (progress)
            progress(caption, done, total);
    };
    report(0);
    int written = 0;
    int position = 0;
    QStringList problems;
    QStringList unreadableLists; // factor lists that could not be read, each named once
    for (const auto &listed : state.Workstations) {
        if (++position < total)
            report(position);
        // Read into an object of its own with every factor, current or not: the file is
        // written back from it, and a factor left out of the read would be gone from disk.
        storage::TStanowisko w(listed->id, listed->nazwa, listed->kat_dane);
        const QString path = storage::WorkstationDataPath(state.DataFolder, w.kat_dane);
        storage::WorkstationReadOptions options = storage::WorkstationReadOptions::AllFactors();
        options.catalogueFolder = state.CatalogueFolder;
        options.problems = &unreadableLists;
        try {
            if (storage::ReadWorkstationData(path, w, options) == storage::ReadResult::Missing) {
                problems << QStringLiteral("%1: brak pliku %2").arg(w.nazwa, path);
                continue;
            }
        } catch (const platform::TarvelinError &e) {
            problems << e.message();
            continue;
        }
        bool changed = false;
        for (auto &entry : w.Factors) {
            storage::TCzynnik &f = *entry.factor;
            if (f.id >= storage::OwnFactorIdBase)
                continue;
            int kind = 0;
            if (f.ident == QLatin1String("chem"))
                kind = 1;
            else if (f.ident == QLatin1String("pyly"))
                kind = 2;
            else
                continue;
            QString name;
            try {
                name = storage::ReadCatalogueName(f.id, kind);
            } catch (const platform::TarvelinError &e) {
                // Without the catalogue nothing can be renamed; the check runs again on the
                // next load.
                report(total);
                platform::ShowWarning(e.message());
                return written;
            }
            // An id the catalogue no longer holds gives no name; the stored one stays.
            if (name.isEmpty() || name == f.nazwa)
                continue;
            f.nazwa = name;
            entry.text = storage::FactorDisplayName(name, f.id);
            changed = true;
        }
        if (!changed)
            continue;
        if (!appstate::ReportStorageResult(storage::WriteWorkstationData(state.DataFolder, w)))
            continue;
        ++written;
        if (state.ListVersion != state.DataVersion &&
            appstate::ReportStorageResult(storage::WriteWorkstationList(state.DataFolder, state.Workstations)))
            state.ListVersion = state.DataVersion;
        // The listed object is read afresh when it is chosen; if it was read already, it
        // takes the new names now.
        if (listed->Loaded) {
            for (auto &le : listed->Factors)
                for (const auto &we : w.Factors)
                    if (we.factor->id == le.factor->id && we.factor->ident == le.factor->ident) {
                        le.factor->nazwa = we.factor->nazwa;
                        le.text = we.text;
                    }
        }
    }
    report(total);
    if (!unreadableLists.isEmpty())
        platform::ShowWarning(unreadableLists.join('\n'));
    if (!problems.isEmpty())
        platform::ShowWarning(QStringLiteral("Nie wszystkie stanowiska zostały sprawdzone:\n") + problems.join('\n'));
    return written;
}

} // namespace workstations
