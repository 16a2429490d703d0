#pragma once

// The workstation list "struktura_dane.xml" of a data folder and the data file
// "stanowisko_dane.xml" of each workstation folder: the two data classes, their readers
// and writers.

#include "storage/factors.h"
#include "storage/storage_result.h"
#include "storage/view_kind.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace storage {

// The program's data version, written into every workstation list.
QString DataVersion();

// Employment of one year; seven texts as the user typed them.
struct TZatrudn
{
    TZatrudn() = default;
    TZatrudn(QString rok, QString mezczyzni, QString kobiety, QString kobietyCiez, QString mlodociani, QString nocnaZm,
             QString przekrNDS);

    QString Rok;         // year
    QString Mezczyzni;   // men
    QString Kobiety;     // women in total
    QString KobietyCiez; // pregnant women
    QString Mlodociani;  // juveniles
    QString NocnaZm;     // night shift
    QString PrzekrNDS;   // exposed above the limit values

    // The seven values in column order of the employment grid.
    QStringList Columns() const;
    // A figure as a number, as the printouts take it: anything that is not a whole number
    // counts as 0.
    static int Figure(const QString &figure);
    // The people employed that year: men + women + juveniles (pregnant women are among the
    // women and are not counted again).
    int Total() const;
    static TZatrudn FromColumns(const QStringList &columns);
    bool operator==(const TZatrudn &other) const = default;
};

// One factor present on a workstation: its display name (the name, with the own-factor
// suffix for ids above 99999) and the factor itself.
struct TFactorEntry
{
    QString text;
    std::unique_ptr<TCzynnik> factor;
};

// One workstation. It owns its employment and its factors; the list that holds it owns it.
class TStanowisko
{
public:
    TStanowisko(QString id, QString nazwa, QString kat_dane);

    QString id;       // decimal number as text
    QString nazwa;    // name, kept in the list file
    QString kat_dane; // folder inside the data folder, "stan_" + id
    bool Loaded = false;
    QString Kod;
    QString DataRej; // yyyy-MM-dd
    QString Lokalizacja;
    QString NrRegon;
    QString NrRej;
    QString Opis; // may hold "\n"

    // Sorted by year text; a second entry with the same year is not added.
    std::vector<TZatrudn> Employment;
    // In the order they were added.
    std::vector<TFactorEntry> Factors;

    // Non-empty after a read that failed half-way: what was read is incomplete, and writing
    // it back would overwrite the file with the incomplete part, so the writer refuses.
    QString ReadError;
    // False after a read that left out some factors (the measurement window and the summary
    // view read only the current ones): written back, the file would lose the others, so
    // the writer refuses such an object.
    bool AllFactorsRead = true;

    // Adds under the year text in sorted place; false (nothing added) when the year is there.
    bool AddEmployment(const TZatrudn &entry);
    const TZatrudn *FindEmployment(const QString &rok) const;
    // Appends a factor under its display name; returns it.
    TCzynnik *AddFactor(std::unique_ptr<TCzynnik> factor, const QString &text = QString());
    void ClearEmployment() { Employment.clear(); }
    void ClearFactors() { Factors.clear(); }
};

using WorkstationList = std::vector<std::unique_ptr<TStanowisko>>;

TStanowisko *FindWorkstationById(const WorkstationList &list, const QString &id);

// The name a factor is listed under: own factors (id above 99999) carry " (czynnik własny)".
QString FactorDisplayName(const QString &nazwa, int id);
// Whether a factor line is written with its szkod attribute.
bool FactorHasSzkod(const QString &frmDane);

// Paths inside a data folder, stored form with "\".
QString WorkstationListPath(const QString &dataFolder);
QString WorkstationFolderPath(const QString &dataFolder, const QString &katDane);
QString WorkstationDataPath(const QString &dataFolder, const QString &katDane);
// A folder name that stays inside its data folder: not empty, no separators, not "." or "..".
bool IsSafeFolderName(const QString &katDane);

// Reads a list file (stored path). A missing file reads nothing and returns false. Each
// workstation found is appended to list; listVersion gets the root's `ver` (left as it
// was when the file has no root line). A file that is there but not whole (cut short,
// emptied, unreadable) keeps the workstations read from it in list, is marked damaged (the
// list writers refuse it) and damage, when given, gets the message naming it. Temporary
// files of interrupted saves beside it go.
bool ReadWorkstationList(const QString &path, WorkstationList &list, QString &listVersion, QString *damage = nullptr);
// The same on the file's lines (read uncut); false when they are not a whole list: the
// closing root line must be there, as in a workstation file.
bool ParseWorkstationList(const QStringList &lines, WorkstationList &list, QString &listVersion);

// Lines of the list file after the declaration.
QStringList WorkstationListLines(const WorkstationList &list);
// Success, or the refusal of a list holding a text the file cannot hold as it is (a line
// break, a character outside Windows-1250); the writers ask first.
StorageResult StorableWorkstationList(const QString &path, const WorkstationList &list);
// Writes dataFolder + "struktura_dane.xml" with the program's data version; on failure
// "Błąd dostępu do pliku" naming it, the old file stays. A list found damaged is refused.
StorageResult WriteWorkstationList(const QString &dataFolder, const WorkstationList &list);

// Which factors a read takes, and whether their measurements come with them. The views
// differ: the definition view lists factors no longer current too; the measurement window
// and the summary view take only the current ones, with measurements. Anything that writes
// a workstation back must read it with every factor.
struct WorkstationReadOptions
{
    bool currentFactors = true;
    bool nonCurrentFactors = true;
    bool measurements = false;
    QString catalogueFolder; // where the factor lists give each factor's current form version
    QString formsFolder;     // where the measurement form definitions lie
    // Measurement files that could not be read whole are listed here, each once (the
    // factor keeps what could be read, is marked MeasurementsIncomplete and the read goes
    // on), and so is a factor list that cannot be read (once in a run); null: not collected.
    QStringList *problems = nullptr;

    static WorkstationReadOptions ForView(TViewKind view);
    // Every factor, no measurements: for rewriting a workstation file.
    static WorkstationReadOptions AllFactors();
};

enum class ReadResult { Read, Missing };

// Reads a "stanowisko_dane.xml" into target. Missing file: nothing read, Missing. The
// file must be readable, name target's id and be complete (its closing root line present);
// otherwise, and on a malformed number, target.ReadError is set and TarvelinError is thrown
// with a message naming the file. Temporary files of interrupted saves beside it go. On
// success ReadError is cleared. Factors and employment read are added to those target
// holds (callers that re-read empty them first).
ReadResult ReadWorkstationData(const QString &path, TStanowisko &target, const WorkstationReadOptions &options);

// Reads w's "stanowisko_dane.xml" (dataFolder + kat_dane) afresh: its factors and
// employment are emptied first (read on top they would be listed twice), then read with
// options. What went wrong is added to problems: a missing file (a warning), a malformed one
// (an error; w.ReadError names it too) and, in one warning, the measurement files and
// factor lists that could not be read whole. Returns whether the file was read whole.
bool ReadWorkstationAfresh(const QString &dataFolder, TStanowisko &w, WorkstationReadOptions options,
                           StorageProblems &problems);

// What a read does for each factor it takes beyond the factor's own line: the form version
// from the factor lists and the measurements from their files. folder is the workstation
// folder (the path up to the file name).
using FactorFilesStep = std::function<void(TCzynnik &factor, const QString &folder)>;
// The factor files step ReadWorkstationData takes with options.
FactorFilesStep WorkstationFactorFiles(const WorkstationReadOptions &options);

// The same read on the file's lines (read uncut); path names the file in messages and
// gives the folder. Without a factor files step each factor keeps the version stored on its
// line and reads no measurements.
void ParseWorkstationData(const QStringList &lines, const QString &path, TStanowisko &target,
                          const WorkstationReadOptions &options, const FactorFilesStep &factorFiles = {});

// The lines of a workstation file after the declaration.
QStringList WorkstationDataLines(const TStanowisko &w);
// The same for a workstation's file: a line break in a one-line value, "</" in a value.
StorageResult StorableWorkstationData(const QString &path, const TStanowisko &w);
// Whether a year is written: not when Rok, Mezczyzni, Kobiety, Mlodociani, NocnaZm and
// PrzekrNDS are all empty or all "0".
bool EmploymentYearWritten(const TZatrudn &z);

// Writes dataFolder + kat_dane + "\stanowisko_dane.xml", creating the folder when needed
// ("Nie powiodła się próba utworzenia katalogu"). Refuses, with the reason, a workstation
// whose last read failed or left factors out, or whose folder name would leave the data
// folder.
StorageResult WriteWorkstationData(const QString &dataFolder, const TStanowisko &w);

// The reason given when a workstation that was not read whole is about to be written: the
// read error naming the file, and that it stays as it is.
QString IncompleteWorkstationText(const TStanowisko &w);

// The save of a workstation with the list: both files are written whole before either
// replaces its old file, so a failure (or a kill) part-way leaves both as they were. What
// WriteWorkstationData and WriteWorkstationList refuse is refused before anything is written.
StorageResult WriteWorkstationWithList(const QString &dataFolder, const TStanowisko &w, const WorkstationList &list);

} // namespace storage
