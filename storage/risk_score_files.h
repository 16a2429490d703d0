#pragma once

// The four files of the Risk Score parameter set in the attachments folder of the
// measurement forms: "metRiskScore_1.xml" holds the five risk bands, and each table has a
// file of its own ("metRiskScore_Prawd_1.xml", "metRiskScore_Eksp_1.xml",
// "metRiskScore_Skutki_1.xml") whose rows the Risk Score form's choice lists show as they
// stand, so a row's text ends with its value in round brackets.
//
// Nothing here shows a message: a file that cannot be opened or is damaged comes back as a
// problem naming the file, and the caller decides what to show.

#include "storage/risk_score.h"
#include "storage/storage_result.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace storage {

// "zaklocen\frm\zalaczn\"
QString RiskScoreFolder();
// Stored paths of the main file and of the file of table typ (RiskScoreTable) in folder.
QString RiskScoreMainPath(const QString &folder = RiskScoreFolder());
QString RiskScoreTablePath(quint16 typ, const QString &folder = RiskScoreFolder());

struct TRiskScoreFileProblem
{
    QString StoredPath;
    bool Unreadable = false; // the file could not be opened; otherwise it is damaged
    QString Detail;          // for a damaged file: what is wrong, the file named (Polish)
    // Not all of what the file holds could be read (it is cut short, or a number is none):
    // it is not written over until it is mended.
    bool Damaged = false;
};

// What the user is told about a problem of a parameter file: "Błąd dostępu do pliku : path"
// for a file that cannot be opened, the damage named with the file otherwise.
QString RiskScoreProblemText(const TRiskScoreFileProblem &problem);

struct TRiskScoreReadResult
{
    TRiskScore Set;
    std::vector<TRiskScoreFileProblem> Problems; // in the order the files were read
    // The main file was read whole and its five bands can rate (RiskScoreBandsFault). When
    // false, Set holds what could be read, a malformed number as 0, for the user to mend.
    bool BandsUsable = false;
};

// Reads the set of version wersja (the files' own "Wersja" is not looked at): the bands,
// then the rows of the tables in the order S, P, E; a row's `Typ`, not its file, names its
// table. A malformed number reads as 0 and makes its file a damaged one; damaged files are
// registered (damaged_files.h), so no save writes over them.
TRiskScoreReadResult ReadRiskScore(quint16 wersja, const QString &folder = RiskScoreFolder());

// Its steps on the lines (cut) of one file, path naming it in the problems: the bands of
// the main file into r.Set (true when they can rate), and the rows of table typ's file
// appended to r.Set.Params. The tables are read in this order.
bool ParseRiskScoreBands(const QStringList &lines, const QString &path, TRiskScoreReadResult &r);
void ParseRiskScoreTable(const QStringList &lines, const QString &path, quint16 typ, TRiskScoreReadResult &r);
inline constexpr quint16 RiskScoreTableReadOrder[] = {RiskScoreConsequences, RiskScoreProbability, RiskScoreExposure};

// Why the bands of set cannot rate, in Polish; empty when they can: every code is 10, 20,
// 30 or 40 and, from band to band, the minima rise strictly and the codes never fall.
QString RiskScoreBandsFault(const TRiskScore &set);

// The lines of the files after the declaration.
QStringList RiskScoreMainLines(const TRiskScore &set);
QStringList RiskScoreTableLines(const TRiskScore &set, quint16 typ);
// A table value as written and shown: the shortest text that reads back as the same
// single-precision number ("0.1", "15").
QString RiskScoreValueText(float value);

// The stored paths of the four files: the main file, then the tables P, E and S.
QStringList RiskScorePaths(const QString &folder = RiskScoreFolder());

// Success, or the refusal naming the file of the first text the set's files cannot hold
// as it is (a description with a line break or, in the main file, "</"; a character
// outside Windows-1250). WriteRiskScore asks first.
StorageResult StorableRiskScore(const TRiskScore &set, const QString &folder = RiskScoreFolder());

// Writes the main file and the tables P, E and S, all four or none (a file that cannot be
// written, one found damaged, or a text the files cannot hold leaves every file as it was);
// the failure names the file. Rows whose Typ is no table are left out.
StorageResult WriteRiskScore(const TRiskScore &set, const QString &folder = RiskScoreFolder());

} // namespace storage
