#pragma once

// Shared routines of every view that works on the workstations of a data folder: load the
// list, load one workstation, fill a view's workstation and factor lists, delete a
// workstation folder, and the one-off renaming of stored chemical and dust factors after a
// data-version change. They work on the application state (data folder, forms folder, view
// kind, the workstation list and the two versions). They show no message: what went wrong
// comes back to the caller as a list of problems (storage::StorageProblems), in the order
// found, and the view shows them (appstate::ReportProblems).

#include "storage/workstation_files.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace workstations {

// How a long load reports its progress: with its caption and done = 0 before the first
// step, then with the steps done; done == total when it is over (also when it ends early).
// The program's views pass widgets::ProgressWindowReport(); empty: nothing is reported.
using ProgressReport = std::function<void(const QString &caption, int done, int total)>;

// Frees the application's workstations, reads listPath (normally data folder +
// "struktura_dane.xml") into the list, then runs the renaming check (which reports its
// progress). A damaged list is named in problems and read as far as it could be;
// temporary files of interrupted saves in the data folder and the workstations' folders
// are removed. The caller fills its own list from the application's workstations.
void LoadWorkstations(const QString &listPath, storage::StorageProblems &problems, const ProgressReport &progress = {});

// Reads the workstation's "stanowisko_dane.xml" (data folder + kat_dane) afresh: its
// factors and employment are emptied first, then read with what the current view needs.
// A missing or malformed file is named in problems; the result says whether the file was
// read whole.
bool LoadWorkstationData(storage::TStanowisko &w, storage::StorageProblems &problems);

// The definition view's list box, cleared and filled with the workstations ...
void FillWorkstationList(QListWidget *box, const storage::WorkstationList &list);
// ... and the combo box of the measurement window and the summary view, appended to (they
// clear it in their own set-up).
void FillWorkstationList(QComboBox *combo, const storage::WorkstationList &list);

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

// Entries of the workstation and factor lists. A workstation entry holds the workstation's
// id, and a factor entry its workstation's id and the factor's number: both are looked up
// in the application's current list, so an entry left over from before a reload gives the
// object read since (or nullptr), never a freed one.
void AddWorkstationItem(QListWidget *list, const storage::TStanowisko &w);
void AddWorkstationItem(QComboBox *combo, const storage::TStanowisko &w);
storage::TStanowisko *WorkstationOfItem(const QListWidgetItem *item);
storage::TStanowisko *WorkstationOfComboIndex(const QComboBox *combo, int index);
void AddFactorItem(QListWidget *list, const storage::TStanowisko &w, const storage::TFactorEntry &entry);
storage::TCzynnik *FactorOfItem(const QListWidgetItem *item);
// Index of the entry holding workstation id, or -1.
int FindWorkstationRow(const QListWidget *list, const QString &id);

// Polish alphabetical order, letter case ignored: the order of the sorted lists.
bool ListTextLess(const QString &a, const QString &b);

// Deletes the plain files of the folder and removes it; does not descend into
// sub-folders. Refuses, touching nothing, a folder that holds a sub-folder, an empty path
// and any folder that is not directly inside dataFolder. Result: whether the folder is gone.
bool DeleteFolderTree(const QString &path, const QString &dataFolder);

// Whether the renaming check at the end of LoadWorkstations runs.
bool UpgradeNeeded();
// The one-off renaming of stored chemical and dust factors to their catalogue names.
// Every factor is kept, current or not, whatever view starts it. Returns the number of
// workstations rewritten; what could not be checked or written is named in problems.
int UpgradeFactorNames(storage::StorageProblems &problems, const ProgressReport &progress = {});

} // namespace workstations
