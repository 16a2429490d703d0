#pragma once

// What the register of harmful factors and the measurement cards print, prepared by the
// printouts dialog from the summary view's workstation and factor list: the register rows
// (one column per factor group), four years of employment, and the card rows, filled card
// by card with up to three measurements each.
//
// What it guarantees: any number of register rows; figures and values that are not
// numbers count as 0 and never stop a printout; a card never mixes factor groups; the
// card walk resumes where the last card stopped, also in the middle of a factor.

#include "printouts/workstation_report.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace storage {
class TPomiarCzynn;
}

namespace printouts {

// One register row: the factors of the chemical, dust and physical columns (and a fourth
// column that nothing fills), " " where a column has no more factors.
struct TRegisterRow
{
    QString Chem = QStringLiteral(" ");
    QString Pyl = QStringLiteral(" ");
    QString Fiz = QStringLiteral(" ");
    QString Fourth = QStringLiteral(" ");

    bool Blank() const;
};

// The employment of one year: year, total (men + women + juveniles), women, juveniles,
// night work, above the limit values, and a seventh figure that stays 0. Year 0: no year.
struct TEmploymentRecord
{
    int Rok = 0;
    int Ogolem = 0;
    int Kobiety = 0;
    int Mlodociani = 0;
    int NocnaZm = 0;
    int PrzekrNDS = 0;
    int Seventh = 0;
};

// One row of a card: its number, caption and the texts of the three measurement columns.
struct TCardRow
{
    int Nr = 0;
    QString Caption;
    std::array<QString, 3> Columns{QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")};
};

// Card groups of FillNextCard.
enum TCardGroup { kCardChem = 1, kCardPyl = 2, kCardFiz = 3, kCardUc = 4 };

constexpr int kCardRows = 8;
constexpr int kEmploymentRecords = 4;

class TRegisterCardData
{
public:
    // The workstation, its factor list and the range the cards take measurements from.
    void SetSource(const TWorkstationReportOptions &options);

    // The register rows and employment records of the workstation (none: all blank).
    void BuildRegisterData();
    // Card rows 1..8 get their numbers and captions.
    void SetCardRowCaptions();
    // The card walk starts again at the first factor.
    void ResetCardCursors();

    // Rows 1..RegisterRowCount(); a row past them reads blank.
    int RegisterRowCount() const { return int(m_rows.size()); }
    TRegisterRow GetRegisterRow(int row) const;
    // Records 1..4.
    TEmploymentRecord GetEmploymentRecord(int record) const;
    // Rows 1..8 of the current card.
    TCardRow GetCardRow(int row) const;

    // Fills the next card of the group with the next (up to three) measurements of its
    // factors; false when the group has none left (the walk then starts again at the
    // first factor for the next group).
    bool FillNextCard(int group);
    // Column 1..3 of the card from one measurement of a factor.
    void FillCardColumn(const QString &factorName, const storage::TPomiarCzynn &measurement, const QString &group,
                        int factorId, int column);
    // Columns first..3 of every row become " ".
    void ClearCardColumns(int firstColumn);

    // Whether a factor belongs to a card group (physical factors that count as harmful only
    // by their flag are left out without it).
    static bool InCardGroup(const storage::TCzynnik &factor, int group);
    // Physical factors listed as harmful only when their flag says so.
    static bool HarmfulOnlyByFlag(int factorId);

    // Told the measurements of each factor the card walk lists.
    std::function<void(const std::vector<storage::TPomiarCzynn *> &)> OnMeasurementsListed;

private:
    storage::TStanowisko *m_workstation = nullptr;
    std::vector<TListedFactor> m_factors;
    QDate m_from;
    QDate m_to;
    bool m_latestOnly = true;

    std::vector<TRegisterRow> m_rows;
    std::array<TEmploymentRecord, kEmploymentRecords> m_employment{};
    std::array<TCardRow, kCardRows> m_card{};
    int m_factorCursor = 0;
    int m_measurementCursor = 0;
    std::vector<storage::TPomiarCzynn *> m_listed; // the current factor's measurements
};

} // namespace printouts
