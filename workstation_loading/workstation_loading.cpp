#include "workstation_loading/workstation_loading.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/damaged_files.h"
#include "storage/polish_collation.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

namespace workstation_loading {

namespace {

constexpr int kWorkstationRole = Qt::UserRole; // the workstation's id
constexpr int kFactorRole = Qt::UserRole + 1;  // the factor's number

// List entries in Polish alphabetical order, so "Ślusarnia" stands after "Spawalnia" and
// before "Tokarnia", whatever the entries were added in.
class TSortedItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override { return ListTextLess(text(), other.text()); }
};

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

// ---------------------------------------------------------------------------------------
// Entries

void AddFactorItem(QListWidget *list, const storage::TStanowisko &w, const storage::TFactorEntry &entry)
{
    auto *item = new TSortedItem(entry.text);
    item->setData(kWorkstationRole, w.id);
    item->setData(kFactorRole, entry.factor->id);
    insertSorted(list, item);
}

storage::TStanowisko *WorkstationOfFactorItem(const storage::WorkstationList &list, const QListWidgetItem *item)
{
    if (!item)
        return nullptr;
    return storage::FindWorkstationById(list, item->data(kWorkstationRole).toString());
}

storage::TCzynnik *FactorOfItem(const storage::WorkstationList &list, const QListWidgetItem *item)
{
    // Looked up by the factor's number and text in the workstation as it is now: after the
    // workstation was read again the entry finds the new object, never the freed one.
    storage::TStanowisko *w = WorkstationOfFactorItem(list, item);
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

// ---------------------------------------------------------------------------------------
// Loading

void LoadWorkstations(appstate::AppState &state, const QString &listPath, storage::StorageProblems &problems,
                      const ProgressReport &progress)
{
    state.Workstations.clear();
    // A folder without a list file has no version: nothing to rename there either.
    state.ListVersion.clear();
    QString damage;
    storage::ReadWorkstationList(listPath, state.Workstations, state.ListVersion, &damage);
    // What could be read is listed; the list file is not written over until it is mended.
    if (!damage.isEmpty())
        problems.push_back(storage::StorageResult::Failure(damage, storage::StorageResult::Severity::Error));
    // A save cut short by a kill leaves its temporary files in the workstations' folders too.
    for (const auto &w : state.Workstations)
        if (storage::IsSafeFolderName(w->kat_dane))
            storage::RemoveInterruptedSavesBeside(storage::WorkstationDataPath(state.DataFolder, w->kat_dane));
    // Every view lists what was read from now on. Two entries with one
    // number cannot be told apart (each is found by its number): the user is told, so the
    // list file can be put right before anything is deleted.
    TWorkstationListModel &model = WorkstationListModel(state);
    model.Fill(state.Workstations);
    if (!model.RepeatedIds().isEmpty())
        problems.push_back(storage::StorageResult::Failure(
            QStringLiteral("Lista stanowisk %1 zawiera powtórzone numery stanowisk: %2")
                .arg(listPath, model.RepeatedIds().join(QStringLiteral(", ")))));
    if (UpgradeNeeded(state))
        UpgradeFactorNames(state, problems, progress);
}

bool LoadWorkstationData(const appstate::AppState &state, storage::TStanowisko &w,
                         storage::StorageProblems &problems)
{
    return storage::ReadWorkstationAfresh(state.DataFolder, w, state.ReadOptions(), problems);
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
            if (filter.dateRange && std::none_of(f.Measurements.begin(), f.Measurements.end(), [&](const auto &m) {
                    return storage::MeasurementInRange(m->data, filter.from, filter.to);
                }))
                continue;
            AddFactorItem(target, *w, entry);
        }
    }
    target->setUpdatesEnabled(true);
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

bool UpgradeNeeded(const appstate::AppState &state)
{
    // A list that cannot be rewritten with the new version would start the renaming again
    // at every load.
    return !state.FormsFolder.contains(QLatin1String("wzrocen")) && state.ListVersion != state.DataVersion &&
           state.DataVersion == QLatin1String("1.1") && !state.Workstations.empty() &&
           !storage::FileFoundDamaged(storage::WorkstationListPath(state.DataFolder));
}

int UpgradeFactorNames(appstate::AppState &state, storage::StorageProblems &problems, const ProgressReport &progress)
{
    const QString caption = QStringLiteral("Proszę czekać: trwa aktualizacja nazw czynników chemicznych i pyłów");
    const int total = int(state.Workstations.size());
    auto report = [&](int done) {
        if (progress)
            progress(caption, done, total);
    };
    // A write that failed is named and the renaming goes on with the next workstation.
    auto kept = [&](const storage::StorageResult &result) {
        if (!result)
            problems.push_back(result);
        return result.ok();
    };
    report(0);
    int written = 0;
    int position = 0;
    QStringList unchecked;
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
                unchecked << QStringLiteral("%1: brak pliku %2").arg(w.nazwa, path);
                continue;
            }
        } catch (const platform::TarvelinError &e) {
            unchecked << e.message();
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
                problems.push_back(storage::StorageResult::Failure(e.message()));
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
        // The list takes the data version with the first file written, in the same save.
        const bool withList = state.ListVersion != state.DataVersion;
        if (!kept(withList ? storage::WriteWorkstationWithList(state.DataFolder, w, state.Workstations)
                           : storage::WriteWorkstationData(state.DataFolder, w)))
            continue;
        ++written;
        if (withList)
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
        problems.push_back(storage::StorageResult::Failure(unreadableLists.join('\n')));
    if (!unchecked.isEmpty())
        problems.push_back(storage::StorageResult::Failure(
            QStringLiteral("Nie wszystkie stanowiska zostały sprawdzone:\n") + unchecked.join('\n')));
    return written;
}

} // namespace workstation_loading
