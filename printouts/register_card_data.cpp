#include "printouts/register_card_data.h"

#include "printouts/measurement_result_text.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"

#include <algorithm>

namespace printouts {

namespace {

const QString kBlank = QStringLiteral(" ");

const char *const kCardCaptions[kCardRows] = {"Nazwa czynnika",       "Data pomiaru",    "Miejsce pomiaru",
                                              "Wykonujący pomiar",    "Metoda pomiaru",  "Wynik pomiaru",
                                              "Interpretacja wyniku", "Stanowisko pracy"};

} // namespace

bool TRegisterRow::Blank() const
{
    return Chem == kBlank && Pyl == kBlank && Fiz == kBlank && Fourth == kBlank;
}

void TRegisterCardData::SetSource(const TWorkstationReportOptions &options)
{
    m_workstation = options.Workstation;
    m_factors = options.Factors;
    m_from = options.DateFrom;
    m_to = options.DateTo;
    m_latestOnly = options.LatestOnly;
    m_listed.clear();
}

bool TRegisterCardData::HarmfulOnlyByFlag(int factorId)
{
    return (factorId >= 2000 && factorId <= 2008) || factorId == 4000 || factorId == 5001 || factorId == 5002 ||
           factorId == 60003 || factorId == 60005 || factorId == 60006 || factorId >= storage::OwnFactorIdBase;
}

bool TRegisterCardData::InCardGroup(const storage::TCzynnik &factor, int group)
{
    switch (group) {
    case kCardChem:
        return factor.ident == QLatin1String("chem");
    case kCardPyl:
        return factor.ident == QLatin1String("pyly");
    case kCardFiz:
        return factor.ident == QLatin1String("fiz") &&
               (!HarmfulOnlyByFlag(factor.id) || factor.szkod == QLatin1String("T"));
    case kCardUc:
        return factor.ident == QLatin1String("uciaz");
    default:
        return false;
    }
}

void TRegisterCardData::BuildRegisterData()
{
    m_rows.clear();
    m_employment = {};
    if (!m_workstation)
        return;
    // Each column keeps its own row counter.
    size_t chem = 0, pyl = 0, fiz = 0;
    const auto put = [this](size_t &counter, QString TRegisterRow::*column, const QString &text) {
        if (m_rows.size() <= counter)
            m_rows.resize(counter + 1);
        m_rows[counter].*column = text;
        ++counter;
    };
    for (const storage::TFactorEntry &entry : m_workstation->Factors) {
        const storage::TCzynnik &f = *entry.factor;
        if (f.aktual != QLatin1String("T"))
            continue;
        if (InCardGroup(f, kCardChem))
            put(chem, &TRegisterRow::Chem, entry.text);
        else if (InCardGroup(f, kCardPyl))
            put(pyl, &TRegisterRow::Pyl, entry.text);
        else if (InCardGroup(f, kCardFiz))
            put(fiz, &TRegisterRow::Fiz, entry.text);
    }

    // Up to four years; of more, the last four, the latest last.
    const std::vector<storage::TZatrudn> &years = m_workstation->Employment;
    const size_t first = years.size() > size_t(kEmploymentRecords) ? years.size() - kEmploymentRecords : 0;
    for (size_t i = first, r = 0; i < years.size(); ++i, ++r) {
        const storage::TZatrudn &z = years[i];
        TEmploymentRecord &e = m_employment[r];
        e.Rok = storage::TZatrudn::Figure(z.Rok);
        e.Ogolem = z.Total();
        e.Kobiety = storage::TZatrudn::Figure(z.Kobiety);
        e.Mlodociani = storage::TZatrudn::Figure(z.Mlodociani);
        e.NocnaZm = storage::TZatrudn::Figure(z.NocnaZm);
        e.PrzekrNDS = storage::TZatrudn::Figure(z.PrzekrNDS);
    }
}

TRegisterRow TRegisterCardData::GetRegisterRow(int row) const
{
    return row >= 1 && row <= RegisterRowCount() ? m_rows[size_t(row - 1)] : TRegisterRow();
}

TEmploymentRecord TRegisterCardData::GetEmploymentRecord(int record) const
{
    return record >= 1 && record <= kEmploymentRecords ? m_employment[size_t(record - 1)] : TEmploymentRecord();
}

void TRegisterCardData::SetCardRowCaptions()
{
    for (int r = 0; r < kCardRows; ++r) {
        m_card[size_t(r)].Nr = r + 1;
        m_card[size_t(r)].Caption = QString::fromUtf8(kCardCaptions[r]);
    }
}

void TRegisterCardData::ResetCardCursors()
{
    m_factorCursor = 0;
    m_measurementCursor = 0;
    m_listed.clear();
}

TCardRow TRegisterCardData::GetCardRow(int row) const
{
    return row >= 1 && row <= kCardRows ? m_card[size_t(row - 1)] : TCardRow();
}

bool TRegisterCardData::FillNextCard(int group)
{
    int column = 1;
    while (m_factorCursor < int(m_factors.size())) {
        const TListedFactor &entry = m_factors[size_t(m_factorCursor)];
        if (!entry.Factor || !InCardGroup(*entry.Factor, group)) {
            ++m_factorCursor;
            m_measurementCursor = 0;
            continue;
        }
        if (m_measurementCursor == 0) {
            m_listed = storage::MeasurementsInRange(entry.Factor->Measurements, m_from, m_to, m_latestOnly);
            if (OnMeasurementsListed)
                OnMeasurementsListed(m_listed);
        }
        while (m_measurementCursor < int(m_listed.size())) {
            if (column > 3)
                return true; // the next card goes on from this measurement
            FillCardColumn(entry.Text, *m_listed[size_t(m_measurementCursor)], entry.Factor->ident, entry.Factor->id,
                           column);
            ++column;
            ++m_measurementCursor;
        }
        ++m_factorCursor;
        m_measurementCursor = 0;
    }
    if (column > 1) {
        ClearCardColumns(column);
        return true;
    }
    m_factorCursor = 0;
    return false;
}

void TRegisterCardData::FillCardColumn(const QString &factorName, const storage::TPomiarCzynn &m, const QString &group,
                                       int factorId, int column)
{
    if (column < 1 || column > 3)
        return;
    const size_t c = size_t(column - 1);
    const QString texts[kCardRows] = {factorName, m.data,
                                      m.mscPom,   m.wykpom,
                                      m.metpom,   MeasurementResultText(m.Fields, factorId, group, m.ver),
                                      m.interwyn, m_workstation ? m_workstation->nazwa : QString()};
    for (int r = 0; r < kCardRows; ++r)
        m_card[size_t(r)].Columns[c] = texts[r];
}

void TRegisterCardData::ClearCardColumns(int firstColumn)
{
    for (TCardRow &row : m_card)
        for (int c = std::max(firstColumn, 1); c <= 3; ++c)
            row.Columns[size_t(c - 1)] = kBlank;
}

} // namespace printouts
