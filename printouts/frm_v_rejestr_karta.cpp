#include "printouts/frm_v_rejestr_karta.h"

#include "platform/window_registry.h"
#include "printouts/workstation_report_layout.h"
#include "reportengine/vr_text_metrics.h"
#include "storage/workstation_files.h"

#include <QDate>

#include <algorithm>

namespace printouts {

using namespace reportengine;

namespace {

// Columns of the factor list and of the employment table, in report pixels.
constexpr int kKodColumn = kReportWidth / 3;
constexpr int kZatrLeft = 325;
constexpr int kZatrColumn = (kReportWidth - kZatrLeft) / 4;
// Columns of a card: number, parameter, three measurements.
constexpr int kCardLp = 24;
constexpr int kCardParam = 120;
constexpr int kCardColumn = (kReportWidth - kCardLp - kCardParam) / 3;
constexpr int kInset = 2;
constexpr int kRowHeight = 20;
// A card row is never taller than what a page holds below its header.
constexpr int kTallestRow = 880;

const char *const kKodNames[3] = {"lChem", "lPyl", "lFiz"};
const char *const kKodTitles[3] = {"Czynniki chemiczne", "Pyły", "Czynniki fizyczne"};

struct TEmploymentLayout
{
    const char *caption;
    int captionLeft;
    int captionWidth;
    bool showWTym;
    int rectLeft; // -1: no rectangle
    int rectWidth;
    bool showVertical;
    int height;
};

const TEmploymentLayout kEmploymentRows[6] = {
    {"Rok", 300, 24, false, 75, 250, false, kRowHeight},
    {"Liczba pracujących ogółem na stanowisku pracy", 80, 243, false, -1, 0, true, kRowHeight},
    {"kobiet", 130, 193, false, 125, 200, true, kRowHeight},
    {"młodocianych", 130, 193, true, 125, 200, true, kRowHeight},
    {"pracujących w porze nocnej", 130, 193, false, 125, 200, true, kRowHeight},
    {"Liczba pracujących w warunkach przekroczenia wartości dopuszczalnych", 80, 240, false, 75, 250, false, 44},
};

QString dayMonthYear(const QString &stored)
{
    const QDate d = QDate::fromString(stored.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
    // Qt's "mm" is minutes: day-month-year is "dd-MM-yyyy".
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

// A cell's text with its line breaks as one LF each, without an empty last line.
QString cellText(const QString &text)
{
    QString t = UnifyLineBreaks(text);
    while (t.size() > 1 && t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    return t;
}

int linesOf(const TVRRichText *text)
{
    return WrappedLineCount(text->Text(), text->PixelWidth(), text->Font());
}

} // namespace

QString TfrmVRejestrKarta::RegisterTitle()
{
    return QStringLiteral("REJESTR CZYNNIKÓW SZKODLIWYCH DLA ZDROWIA WYSTĘPUJĄCYCH NA STANOWISKU PRACY");
}

QString TfrmVRejestrKarta::HarmfulCardTitle()
{
    return QStringLiteral("KARTA BADAŃ I POMIARÓW CZYNNIKÓW SZKODLIWYCH");
}

QString TfrmVRejestrKarta::ArduousCardTitle()
{
    return QStringLiteral("KARTA BADAŃ I POMIARÓW CZYNNIKÓW UCIĄŻLIWYCH");
}

TfrmVRejestrKarta::TfrmVRejestrKarta()
    : TWorkstationReportFormBase(QStringLiteral("frmVRejestrKarta"), QStringLiteral("vrRejestrKarta"),
                                 QStringLiteral("Rejestr czynników szkodliwych i karty badań"))
{
    buildReport();
}

TfrmVRejestrKarta::~TfrmVRejestrKarta() = default;

void TfrmVRejestrKarta::SetOptions(const TWorkstationReportOptions &options)
{
    m_options = options;
}

// ---------------------------------------------------------------------------------------
// Layout

void TfrmVRejestrKarta::buildReport()
{
    buildHeader();
    buildWorkstation();
    buildFactorList();
    buildEmployment();
    m_cards[0] = buildCard(QStringLiteral("Chem"), kCardChem);
    m_cards[1] = buildCard(QStringLiteral("Pyl"), kCardPyl);
    m_cards[2] = buildCard(QStringLiteral("Fiz"), kCardFiz);
    m_cards[3] = buildCard(QStringLiteral("Uc"), kCardUc);
    bKartChem = m_cards[0].band;
    bKartPyl = m_cards[1].band;
    bKartFiz = m_cards[2].band;
    bKartUc = m_cards[3].band;
    VRBand2 = AddPageNumberFooter(QStringLiteral("VRBand2"));
    vrLiczStr = FindPrintable<TVRLabel>(VRBand2, QStringLiteral("vrLiczStr"));

    vrRejestrKarta->BeforePrint = [this](TVelRep *, bool &print) { vrRejestrKartaBeforePrint(print); };
    vrRejestrKarta->OnNeedData() = [this](QObject *, bool &more) { vrRejestrKartaNeedData(more); };
}

void TfrmVRejestrKarta::buildHeader()
{
    bHeader = AddBand(*vrRejestrKarta, QStringLiteral("bHeader"), TVRBandType::rbPageHeader, 84);
    vrlDataWydr = AddLabel(bHeader, QStringLiteral("vrlDataWydr"), QString(), QRect(418, 0, 300, 14), ReportFont(8),
                           TAlignment::taRightJustify);
    lHeader = AddLabel(bHeader, QStringLiteral("lHeader"), RegisterTitle(), QRect(40, 18, kReportWidth - 80, 38),
                       ReportFont(11, true), TAlignment::taCenter);
    lHeaderKrt = AddLabel(bHeader, QStringLiteral("lHeaderKrt"), QString(), QRect(0, 60, kReportWidth, 18),
                          ReportFont(10, true), TAlignment::taCenter);
}

void TfrmVRejestrKarta::buildWorkstation()
{
    const QFont caption = ReportFont(8);
    const QFont value = ReportFont(9);
    bStan = AddBand(*vrRejestrKarta, QStringLiteral("bStan"), TVRBandType::rbDetail, 104);
    AddShape(bStan, QString(), TVRShapeType::vrsRectangle, QRect(0, 0, kReportWidth, 105));
    AddShape(bStan, QString(), TVRShapeType::vrsHorLine, QRect(0, 44, kReportWidth, 1));
    AddShape(bStan, QString(), TVRShapeType::vrsVertLine, QRect(124, 0, 1, 105));
    AddShape(bStan, QString(), TVRShapeType::vrsVertLine, QRect(470, 0, 1, 105));
    AddShape(bStan, QString(), TVRShapeType::vrsVertLine, QRect(574, 0, 1, 105));
    AddShape(bStan, QString(), TVRShapeType::vrsHorLine, QRect(470, 74, kReportWidth - 470, 1));
    AddLabel(bStan, QString(), QStringLiteral("Stanowisko pracy (kod, nazwa)"), QRect(4, 4, 116, 36), caption);
    mNazwa = AddMemo(bStan, QStringLiteral("mNazwa"), QRect(128, 4, 338, 38), value);
    AddLabel(bStan, QString(), QStringLiteral("Nr REGON"), QRect(474, 4, 96, 36), caption);
    lNrRegon = AddLabel(bStan, QStringLiteral("lNrRegon"), QString(), QRect(578, 4, 136, 36), value);
    AddLabel(bStan, QString(), QStringLiteral("Lokalizacja stanowiska pracy"), QRect(4, 48, 116, 36), caption);
    mLokalizacja = AddMemo(bStan, QStringLiteral("mLokalizacja"), QRect(128, 48, 338, 54), value);
    AddLabel(bStan, QString(), QStringLiteral("Data założenia rejestru"), QRect(474, 48, 96, 24), caption);
    lDatZal = AddLabel(bStan, QStringLiteral("lDatZal"), QString(), QRect(578, 48, 136, 24), value);
    AddLabel(bStan, QString(), QStringLiteral("Nr karty rejestru"), QRect(474, 78, 96, 24), caption);
    lNrRej = AddLabel(bStan, QStringLiteral("lNrRej"), QString(), QRect(578, 78, 136, 24), value);
    bStan->BeforePrint = [this](TVRCustomBand *, bool &print) { bStanBeforePrint(print); };

    bCharStan = AddChildBand(*vrRejestrKarta, QStringLiteral("bCharStan"), bStan, 44);
    AddLabel(bCharStan, QString(), QStringLiteral("Charakterystyka stanowiska pracy"), QRect(0, 8, kReportWidth, 14),
             ReportFont(8, true));
    mOpis = AddMemo(bCharStan, QStringLiteral("mOpis"), QRect(0, 24, kReportWidth, 16), value);
    mOpis->SetAutoStretch(true);
    bCharStan->BeforePrint = [this](TVRCustomBand *, bool &print) { print = bStan->Enabled(); };
}

void TfrmVRejestrKarta::buildFactorList()
{
    bKod = AddSubDetail(*vrRejestrKarta, QStringLiteral("bKod"), kRowHeight);
    bKodHead = AddSubDetailHeader(*vrRejestrKarta, QStringLiteral("bKodHead"), bKod, 46);
    AddLabel(bKodHead, QString(), QStringLiteral("Czynniki szkodliwe dla zdrowia występujące na stanowisku pracy"),
             QRect(0, 10, kReportWidth, 14), ReportFont(8, true));
    for (int c = 0; c < 3; ++c) {
        AddShape(bKodHead, QString(), TVRShapeType::vrsRectangle, QRect(c * kKodColumn, 26, kKodColumn + 1, 21));
        AddLabel(bKodHead, QString(), QString::fromUtf8(kKodTitles[c]), QRect(c * kKodColumn, 29, kKodColumn, 14),
                 ReportFont(8, true), TAlignment::taCenter);
    }
    for (int c = 0; c < 3; ++c)
        shP[size_t(c)] = AddShape(bKod, QStringLiteral("shP%1").arg(c + 1), TVRShapeType::vrsRectangle,
                                  QRect(c * kKodColumn, 0, kKodColumn + 1, kRowHeight + 1));
    for (int c = 0; c < 3; ++c)
        lKod[size_t(c)] = AddRichText(bKod, QString::fromLatin1(kKodNames[c]),
                                      QRect(c * kKodColumn + 4, 3, kKodColumn - 8, kRowHeight), ReportFont(8));
    bKod->OnNeedData() = [this](QObject *, bool &more) { bKodNeedData(more); };
    bKod->BeforePrint = [this](TVRCustomBand *, bool &) { bKodBeforePrint(); };
}

void TfrmVRejestrKarta::buildEmployment()
{
    bZatr = AddSubDetail(*vrRejestrKarta, QStringLiteral("bZatr"), kRowHeight);
    bZatrHead = AddSubDetailHeader(*vrRejestrKarta, QStringLiteral("bZatrHead"), bZatr, 30);
    AddLabel(bZatrHead, QString(), QStringLiteral("Liczba pracujących na stanowisku pracy"),
             QRect(0, 12, kReportWidth, 14), ReportFont(8, true));
    const QFont font = ReportFont(8);
    shRect = AddShape(bZatr, QStringLiteral("shRect"), TVRShapeType::vrsRectangle, QRect(75, 0, 250, kRowHeight + 1));
    shvert = AddShape(bZatr, QStringLiteral("shvert"), TVRShapeType::vrsVertLine, QRect(74, 0, 1, kRowHeight + 1));
    for (int c = 0; c < 4; ++c)
        shZatr[size_t(c)] = AddShape(bZatr, QStringLiteral("shZatr%1").arg(c + 1), TVRShapeType::vrsRectangle,
                                     QRect(kZatrLeft + c * kZatrColumn, 0, kZatrColumn + 1, kRowHeight + 1));
    lLabel = AddLabel(bZatr, QStringLiteral("lLabel"), QString(), QRect(300, 4, 24, 14), font);
    lLabel15 = AddLabel(bZatr, QStringLiteral("lLabel15"), QStringLiteral("w tym:"), QRect(80, 4, 44, 14), font);
    for (int c = 0; c < 4; ++c)
        lZatr[size_t(c)] =
            AddLabel(bZatr, QStringLiteral("lZatr%1").arg(c + 1), QString(),
                     QRect(kZatrLeft + c * kZatrColumn + 2, 4, kZatrColumn - 4, 14), font, TAlignment::taCenter);
    bZatr->OnNeedData() = [this](QObject *, bool &more) { bZatrNeedData(more); };
}

TfrmVRejestrKarta::TCardBand TfrmVRejestrKarta::buildCard(const QString &suffix, int group)
{
    TCardBand card;
    card.group = group;
    card.band = AddSubDetail(*vrRejestrKarta, QStringLiteral("bKart") + suffix, kRowHeight);
    const int lefts[5] = {0, kCardLp, kCardLp + kCardParam, kCardLp + kCardParam + kCardColumn,
                          kCardLp + kCardParam + 2 * kCardColumn};
    const int widths[5] = {kCardLp, kCardParam, kCardColumn, kCardColumn, kReportWidth - lefts[4]};
    for (int c = 0; c < 5; ++c)
        card.cells[size_t(c)] = AddShape(card.band, QString(), TVRShapeType::vrsRectangle,
                                         QRect(lefts[c], 0, widths[c] + 1, kRowHeight + 1));
    card.lLp = AddLabel(card.band, QStringLiteral("lLp") + suffix, QString(), QRect(0, 3, kCardLp, 14), ReportFont(8),
                        TAlignment::taCenter);
    card.mParametr = AddRichText(card.band, QStringLiteral("mParametr") + suffix,
                                 QRect(lefts[1] + kInset, 3, widths[1] - 2 * kInset, kRowHeight), ReportFont(8));
    for (int c = 0; c < 3; ++c)
        card.mP[size_t(c)] =
            AddRichText(card.band, QStringLiteral("mP%1").arg(c + 1) + suffix,
                        QRect(lefts[c + 2] + kInset, 3, widths[c + 2] - 2 * kInset, kRowHeight), ReportFont(8));
    TCardBand *slot = &m_cards[size_t(group - 1)];
    card.band->OnNeedData() = [this, slot](QObject *, bool &more) { cardNeedData(*slot, more); };
    card.band->BeforePrint = [this, slot](TVRCustomBand *, bool &) { cardBeforePrint(*slot); };
    card.band->AfterPrint = [this](TVRCustomBand *, bool) { cardAfterPrint(); };
    return card;
}

// ---------------------------------------------------------------------------------------
// Handlers

void TfrmVRejestrKarta::vrRejestrKartaBeforePrint(bool &)
{
    m_registerRow = 1;
    m_employmentRow = 1;
    m_cardRow = 1;
    m_recordGiven = false;
    // The register's dates are day-month-year: so is the day it was printed.
    vrlDataWydr->SetCaption(QStringLiteral("Wydrukowano: ") +
                            QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")));
    lHeader->SetCaption(RegisterTitle());
    lHeaderKrt->SetEnabled(false);
    if (m_data)
        m_data->ResetCardCursors();
    const bool cards = m_options.KartaBadan;
    if (cards)
        lHeader->SetCaption(HarmfulCardTitle());
    bKartChem->SetEnabled(cards && m_options.PomChem);
    bKartPyl->SetEnabled(cards && m_options.PomPyl);
    bKartFiz->SetEnabled(cards && m_options.PomFiz);
    // The arduous cards follow their box on every run.
    bKartUc->SetEnabled(m_options.KartaBadanUc);
    if (m_options.Rejestr)
        lHeader->SetCaption(RegisterTitle());
    for (TVRCustomBand *b : std::initializer_list<TVRCustomBand *>{bStan, bKodHead, bKod, bZatrHead, bZatr})
        b->SetEnabled(m_options.Rejestr);
}

void TfrmVRejestrKarta::vrRejestrKartaNeedData(bool &moreData)
{
    moreData = !m_recordGiven;
    m_recordGiven = true;
}

void TfrmVRejestrKarta::bStanBeforePrint(bool &printBand)
{
    const storage::TStanowisko *w = m_options.Workstation;
    if (!w) {
        printBand = false;
        return;
    }
    mNazwa->SetLines({w->Kod, w->nazwa});
    lNrRegon->SetCaption(w->NrRegon);
    lNrRej->SetCaption(w->NrRej);
    lDatZal->SetCaption(dayMonthYear(w->DataRej));
    mLokalizacja->SetText(w->Lokalizacja);
    mOpis->SetText(w->Opis);
}

void TfrmVRejestrKarta::bKodNeedData(bool &moreData)
{
    moreData = false;
    if (!m_options.Rejestr || !m_data)
        return;
    while (m_registerRow <= m_data->RegisterRowCount()) {
        const TRegisterRow row = m_data->GetRegisterRow(m_registerRow++);
        if (row.Blank())
            continue;
        const QString texts[3] = {row.Chem, row.Pyl, row.Fiz};
        m_kodLines = 0;
        for (int c = 0; c < 3; ++c) {
            lKod[size_t(c)]->SetText(cellText(texts[c]));
            m_kodLines = std::max(m_kodLines, linesOf(lKod[size_t(c)]));
        }
        moreData = true;
        return;
    }
}

void TfrmVRejestrKarta::bKodBeforePrint()
{
    const int h = RowHeight((lKod[0]->Font().pointSize() + 5) * m_kodLines + 6);
    for (int c = 0; c < 3; ++c) {
        SetPixelHeight(lKod[size_t(c)], h);
        SetPixelHeight(shP[size_t(c)], h + 1);
    }
    SetPixelHeight(bKod, h + 1);
}

void TfrmVRejestrKarta::bZatrNeedData(bool &moreData)
{
    moreData = false;
    if (!m_options.Rejestr || !m_data || m_employmentRow > 6)
        return;
    const int row = m_employmentRow++;
    const TEmploymentLayout &l = kEmploymentRows[row - 1];
    Place(lLabel, l.captionLeft, 4, l.captionWidth, l.height - 6);
    lLabel->SetCaption(QString::fromUtf8(l.caption));
    lLabel15->SetEnabled(l.showWTym);
    shRect->SetEnabled(l.rectLeft >= 0);
    if (l.rectLeft >= 0)
        Place(shRect, l.rectLeft, 0, l.rectWidth, l.height + 1);
    shvert->SetEnabled(l.showVertical);
    SetPixelHeight(shvert, l.height + 1);
    for (int c = 0; c < 4; ++c) {
        const TEmploymentRecord e = m_data->GetEmploymentRecord(c + 1);
        const int values[6] = {e.Rok, e.Ogolem, e.Kobiety, e.Mlodociani, e.NocnaZm, e.PrzekrNDS};
        // A record without a year is a column left empty.
        lZatr[size_t(c)]->SetCaption(e.Rok != 0 ? QString::number(values[row - 1]) : QString());
        SetPixelHeight(shZatr[size_t(c)], l.height + 1);
    }
    SetPixelHeight(bZatr, l.height);
    moreData = true;
}

bool TfrmVRejestrKarta::cardBandOn(int group) const
{
    if (group == kCardUc)
        return m_options.KartaBadanUc;
    if (!m_options.KartaBadan)
        return false;
    return group == kCardChem ? m_options.PomChem : group == kCardPyl ? m_options.PomPyl : m_options.PomFiz;
}

void TfrmVRejestrKarta::cardNeedData(TCardBand &card, bool &moreData)
{
    moreData = false;
    if (!m_data || !cardBandOn(card.group))
        return;
    if (m_cardRow == 1 && !m_data->FillNextCard(card.group))
        return;
    static const char *const kinds[4] = {"CZYNNIK CHEMICZNY", "PYŁ", "CZYNNIK FIZYCZNY", "CZYNNIK UCIĄŻLIWY"};
    lHeader->SetCaption(card.group == kCardUc ? ArduousCardTitle() : HarmfulCardTitle());
    lHeaderKrt->SetCaption(QString::fromUtf8(kinds[card.group - 1]));
    lHeaderKrt->SetEnabled(true);
    // Each card on a page of its own.
    card.band->ForceNewPage = m_cardRow == 1;
    const TCardRow row = m_data->GetCardRow(m_cardRow);
    // The results line up in a fixed-pitch font.
    const QFont columnFont = m_cardRow == 6 ? QFont(QStringLiteral("Courier New"), 8) : ReportFont(8);
    card.lLp->SetCaption(QString::number(row.Nr));
    card.mParametr->SetText(row.Caption);
    card.parameterLines = linesOf(card.mParametr);
    card.columnLines = 1;
    for (int c = 0; c < 3; ++c) {
        TVRRichText *text = card.mP[size_t(c)];
        text->SetFont(columnFont);
        text->SetText(cellText(row.Columns[size_t(c)]));
        card.columnLines = std::max(card.columnLines, linesOf(text));
    }
    moreData = true;
}

void TfrmVRejestrKarta::cardBeforePrint(TCardBand &card)
{
    const int byParameter = (3 - FontHeight(card.mParametr->Font())) * card.parameterLines;
    const int byColumns = (3 - FontHeight(card.mP[0]->Font())) * card.columnLines;
    const int h = std::min(RowHeight(std::max(byParameter, byColumns) + 8), kTallestRow);
    SetPixelHeight(card.mParametr, h);
    for (TVRRichText *text : card.mP)
        SetPixelHeight(text, h);
    for (TVRShape *cell : card.cells)
        SetPixelHeight(cell, h + 1);
    SetPixelHeight(card.band, h);
}

void TfrmVRejestrKarta::cardAfterPrint()
{
    m_cardRow = m_cardRow >= kCardRows ? 1 : m_cardRow + 1;
}

TfrmVRejestrKarta *frmVRejestrKarta()
{
    static QPointer<TfrmVRejestrKarta> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
