#pragma once

// Shared routines of every view that works on the workstations of a data folder: load the
// list (which the views show through its model, workstation_list_model.h), load one
// workstation, fill a view's factor list, delete a workstation folder, and the one-off
// renaming of stored chemical and dust factors after a data-version change. They work on
// the state the calling view was handed (data folder, forms folder, view kind, the
// workstation list and the two versions), or on the list it gives. They show no message: what went wrong comes back to the caller as a list
// of problems (storage::StorageProblems), in the order found, and the view shows them
// (appstate::ReportProblems).

#include "storage/workstation_files.h"
#include "workstation_loading/workstation_list_model.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace workstation_loading {

// How a long load reports its progress: with its caption and done = 0 before the first
// step, then with the steps done; done == total when it is over (also when it ends early).
// The program's views pass widgets::ProgressWindowReport(); empty: nothing is reported.
using ProgressReport = std::function<void(const QString &caption, int done, int total)>;

// Frees the state's workstations, reads listPath (normally data folder +
// "struktura_dane.xml") into the list and shows it in the list model every view lists
// them through, then runs the renaming check (which reports its progress). A damaged list,
// and numbers standing in it more than once, are named in problems; the list is read as
// far as it could be. Temporary files of interrupted saves in the data folder and the
// workstations' folders are removed.
void LoadWorkstations(appstate::AppState &state, const QString &listPath, storage::StorageProblems &problems,
                      const ProgressReport &progress = {});

// Reads the workstation's "stanowisko_dane.xml" (data folder + kat_dane) afresh: its
// factors and employment are emptied first, then read with what the current view needs.
// A missing or malformed file is named in problems; the result says whether the file was
// read whole.
bool LoadWorkstationData(const appstate::AppState &state, storage::TStanowisko &w,
                         storage::StorageProblems &problems);

// Which factors a factor list shows: the current ones ("T") of the workstation; with a
// date range only those with a measurement dated inside it (both ends included).
struct FactorFilter
{
    bool dateRange = false;
    QDate from;
    QDate to;
};
// Clears target and lists the workstation's factors (nothing when w is null).
void FillFactorList(QListWidget *target, const storage::TStanowisko *w, const FactorFilter &filter = {});

// Entries of the factor lists: an entry holds its workstation's id and the factor's number,
// both looked up in the current list (the state's workstations), so an entry left over from
// before a reload gives the object read since (or nullptr), never a freed one.
void AddFactorItem(QListWidget *list, const storage::TStanowisko &w, const storage::TFactorEntry &entry);
storage::TCzynnik *FactorOfItem(const storage::WorkstationList &list, const QListWidgetItem *item);
storage::TStanowisko *WorkstationOfFactorItem(const storage::WorkstationList &list, const QListWidgetItem *item);

// Polish alphabetical order, letter case ignored: the order of the sorted lists.
bool ListTextLess(const QString &a, const QString &b);

// Deletes the plain files of the folder and removes it; does not descend into
// sub-folders. Refuses, touching nothing, a folder that holds a sub-folder, an empty path
// and any folder that is not directly inside dataFolder. Result: whether the folder is gone.
bool DeleteFolderTree(const QString &path, const QString &dataFolder);

// Whether the renaming check at the end of LoadWorkstations runs.
bool UpgradeNeeded(const appstate::AppState &state);
// The one-off renaming of stored chemical and dust factors to their catalogue names.
// Every factor is kept, current or not, whatever view starts it. Returns the number of
// workstations rewritten; what could not be checked or written is named in problems.
int UpgradeFactorNames(appstate::AppState &state, storage::StorageProblems &problems,
                       const ProgressReport &progress = {});

} // namespace workstation_loading
