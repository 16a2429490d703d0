#include "printouts/frm_karta_oc_ryz.h"

#include "platform/window_registry.h"
#include "printouts/risk_level_text.h"
#include "printouts/workstation_report_layout.h"
#include "reportengine/vr_text_metrics.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"

#include <QPointer>

#include <algorithm>

namespace printouts {

using namespace reportengine;

namespace {

// Columns of the factor table, in report pixels.
constexpr int kColumns[7] = {0, 28, 214, 320, 426, 498, kReportWidth};
constexpr int kCaptionTop = 4;
constexpr int kTextTop = 20;
constexpr int kSignatureWidth = 200;

int linesOf(const TVRRichText *text)
{
    return WrappedLineCount(text->Text(), text->PixelWidth(), text->Font());
}

QRect cell(int column, int top, int height)
{
    return QRect(kColumns[column], top, kColumns[column + 1] - kColumns[column] + 1, height);
}

QRect cellText(int column, int top, int height)
{
    return QRect(kColumns[column] + 3, top, kColumns[column + 1] - kColumns[column] - 6, height);
}

} // namespace

QString TfrmKartaOcRyz::Title()
{
    return QStringLiteral("KARTA OCENY RYZYKA ZAWODOWEGO NA STANOWISKU PRACY");
}

int TfrmKartaOcRyz::EmployedCount(const storage::TStanowisko &w, const QDate &cardDate)
{
    const storage::TZatrudn *latest = nullptr;
    int latestYear = 0;
    for (const storage::TZatrudn &z : w.Employment) {
        const int year = storage::TZatrudn::Figure(z.Rok);
        if (year > 0 && year <= cardDate.year() && (!latest || year >= latestYear)) {
            latest = &z;
            latestYear = year;
        }
    }
    return latest ? latest->Total() : 0;
}

TfrmKartaOcRyz::TfrmKartaOcRyz()
    : TWorkstationReportFormBase(QStringLiteral("frmKartaOcRyz"), QStringLiteral("vrKartRyz"),
                                 QStringLiteral("Karta oceny ryzyka zawodowego"))
{
    buildReport();
}

TfrmKartaOcRyz::~TfrmKartaOcRyz() = default;

// ---------------------------------------------------------------------------------------
// Layout

void TfrmKartaOcRyz::buildReport()
{
    buildHeader();
    buildWorkstation();
    buildFactors();
    buildEmployees();
    VRBand1 = AddPageNumberFooter(QStringLiteral("VRBand1"));
    vrLiczStr = FindPrintable<TVRLabel>(VRBand1, QStringLiteral("vrLiczStr"));
    vrKartRyz->BeforePrint = [this](TVelRep *, bool &print) { vrKartRyzBeforePrint(print); };
    vrKartRyz->OnNeedData() = [this](QObject *, bool &more) { vrKartRyzNeedData(more); };
}

void TfrmKartaOcRyz::buildHeader()
{
    const QFont caption = ReportFont(8, true);
    bHeader = AddBand(*vrKartRyz, QStringLiteral("bHeader"), TVRBandType::rbPageHeader, 80);
    AddLabel(bHeader, QString(), Title(), QRect(0, 0, kReportWidth, 20), ReportFont(12, true), TAlignment::taCenter);
    AddLabel(bHeader, QString(), QStringLiteral("Data:"), QRect(0, 28, 40, 14), caption);
    vrDataWydr = AddLabel(bHeader, QStringLiteral("vrDataWydr"), QString(), QRect(40, 28, 120, 14), ReportFont(9));
    AddLabel(bHeader, QString(), QStringLiteral("Numer Karty:"), QRect(200, 28, 80, 14), caption);
    vrNumKart = AddLabel(bHeader, QStringLiteral("vrNumKart"), QString(), QRect(282, 28, 436, 14), ReportFont(9));
    AddLabel(bHeader, QString(), QStringLiteral("Sporządził:"), QRect(0, 52, 80, 14), caption);
    shKartSporz = AddShape(bHeader, QStringLiteral("shKartSporz"), TVRShapeType::vrsRectangle,
                           QRect(84, 48, kReportWidth - 84, 24));
    mKartSporz =
        AddRichText(bHeader, QStringLiteral("mKartSporz"), QRect(88, 52, kReportWidth - 92, 16), ReportFont(9));
}

void TfrmKartaOcRyz::buildWorkstation()
{
    const QFont caption = ReportFont(8, true);
    bStan = AddBand(*vrKartRyz, QStringLiteral("bStan"), TVRBandType::rbDetail, 40);
    shStan = AddShape(bStan, QStringLiteral("shStan"), TVRShapeType::vrsRectangle, QRect(0, 0, kReportWidth, 41));
    AddLabel(bStan, QString(), QStringLiteral("Stanowisko pracy:"), QRect(4, kCaptionTop, 400, 14), caption);
    lNazStan = AddRichText(bStan, QStringLiteral("lNazStan"), QRect(4, kTextTop, 440, 16), ReportFont(10, true));
    AddLabel(bStan, QString(), QStringLiteral("Liczba osób zatrudnionych:"), QRect(470, kCaptionTop, 200, 14), caption);
    lZatrudn = AddLabel(bStan, QStringLiteral("lZatrudn"), QString(), QRect(470, kTextTop, 100, 16), ReportFont(10));
    bStan->BeforePrint = [this](TVRCustomBand *, bool &) { bStanBeforePrint(); };

    bCharStan = AddChildBand(*vrKartRyz, QStringLiteral("bCharStan"), bStan, 40);
    shCharStan =
        AddShape(bCharStan, QStringLiteral("shCharStan"), TVRShapeType::vrsRectangle, QRect(0, 0, kReportWidth, 41));
    AddLabel(bCharStan, QString(), QStringLiteral("Charakterystyka stanowiska:"), QRect(4, kCaptionTop, 400, 14),
             caption);
    mCharStan =
        AddRichText(bCharStan, QStringLiteral("mCharStan"), QRect(4, kTextTop, kReportWidth - 8, 16), ReportFont(8));
    bCharStan->BeforePrint = [this](TVRCustomBand *, bool &) {
        const int h = RowHeight((3 - FontHeight(mCharStan->Font())) * m_descriptionLines + 6);
        SetPixelHeight(mCharStan, h);
        SetPixelHeight(shCharStan, kTextTop + h + 1);
        SetPixelHeight(bCharStan, kTextTop + h);
    };

    bSoiDokum = AddChildBand(*vrKartRyz, QStringLiteral("bSoiDokum"), bCharStan, 40);
    const int half = kReportWidth / 2;
    shSoiDokum[0] = AddShape(bSoiDokum, QString(), TVRShapeType::vrsRectangle, QRect(0, 0, half + 1, 41));
    shSoiDokum[1] = AddShape(bSoiDokum, QString(), TVRShapeType::vrsRectangle, QRect(half, 0, kReportWidth - half, 41));
    AddLabel(bSoiDokum, QString(), QStringLiteral("Dokumenty związane:"), QRect(4, kCaptionTop, half - 8, 14), caption);
    mDokZwiaz = AddRichText(bSoiDokum, QStringLiteral("mDokZwiaz"), QRect(4, kTextTop, half - 8, 16), ReportFont(8));
    AddLabel(bSoiDokum, QString(), QStringLiteral("Stosowane środki ochrony indywidualnej:"),
             QRect(half + 4, kCaptionTop, half - 8, 14), caption);
    mStosSOI =
        AddRichText(bSoiDokum, QStringLiteral("mStosSOI"), QRect(half + 4, kTextTop, half - 8, 16), ReportFont(8));
    bSoiDokum->BeforePrint = [this](TVRCustomBand *, bool &) { bSoiDokumBeforePrint(); };
}

void TfrmKartaOcRyz::buildFactors()
{
    bCzynn = AddSubDetail(*vrKartRyz, QStringLiteral("bCzynn"), 20);
    bKodHead = AddSubDetailHeader(*vrKartRyz, QStringLiteral("bKodHead"), bCzynn, 88);
    static const char *const titles[6] = {
        "Lp",
        "Zagrożenie / czynnik",
        "Oszacowanie ryzyka zawodowego bez uwzględnienia środków ograniczających ryzyko zawodowe",
        "Oszacowanie ryzyka zawodowego z uwzględnieniem środków ograniczających ryzyko zawodowe",
        "Data pomiaru",
        "Środki ograniczające ryzyko zawodowe"};
    for (int c = 0; c < 6; ++c) {
        AddShape(bKodHead, QString(), TVRShapeType::vrsRectangle, cell(c, 8, 81));
        AddLabel(bKodHead, QString(), QString::fromUtf8(titles[c]), cellText(c, 12, 74), ReportFont(7, true),
                 TAlignment::taCenter);
    }
    for (int c = 0; c < 6; ++c)
        shCzynn[size_t(c)] = AddShape(bCzynn, QString(), TVRShapeType::vrsRectangle, cell(c, 0, 21));
    const QFont font = ReportFont(8);
    lNr = AddLabel(bCzynn, QStringLiteral("lNr"), QString(), cellText(0, 4, 14), font, TAlignment::taCenter);
    mCzynniki = AddRichText(bCzynn, QStringLiteral("mCzynniki"), cellText(1, 4, 14), font);
    lOcenaBez =
        AddLabel(bCzynn, QStringLiteral("lOcenaBez"), QString(), cellText(2, 4, 14), font, TAlignment::taCenter);
    lOcenaZ = AddLabel(bCzynn, QStringLiteral("lOcenaZ"), QString(), cellText(3, 4, 14), font, TAlignment::taCenter);
    lData = AddLabel(bCzynn, QStringLiteral("lData"), QString(), cellText(4, 4, 14), font, TAlignment::taCenter);
    mSrodki = AddRichText(bCzynn, QStringLiteral("mSrodki"), cellText(5, 4, 14), font);
    bCzynn->OnNeedData() = [this](QObject *, bool &more) { bCzynnNeedData(more); };
    bCzynn->BeforePrint = [this](TVRCustomBand *, bool &) { bCzynnBeforePrint(); };
    bCzynn->AfterPrint = [this](TVRCustomBand *, bool) { ++m_rowIndex; };

    bKodFoot2 = AddBand(*vrKartRyz, QStringLiteral("bKodFoot2"), TVRBandType::rbGroupFooter, 40);
    bCzynn->SetFooterBand(bKodFoot2);
    AddLabel(bKodFoot2, QString(), QStringLiteral("Zatwierdził:"), QRect(0, 16, 80, 14), ReportFont(8, true));
    shKartZatw = AddShape(bKodFoot2, QStringLiteral("shKartZatw"), TVRShapeType::vrsRectangle,
                          QRect(84, 12, kReportWidth - 84, 24));
    mKartZatw =
        AddRichText(bKodFoot2, QStringLiteral("mKartZatw"), QRect(88, 16, kReportWidth - 92, 16), ReportFont(9));
}

void TfrmKartaOcRyz::buildEmployees()
{
    const QFont font = ReportFont(9);
    const QFont small = ReportFont(7);
    vrSbPracow = AddSubDetail(*vrKartRyz, QStringLiteral("vrSbPracow"), 52);
    vrGrSPracow = AddSubDetailHeader(*vrKartRyz, QStringLiteral("vrGrSPracow"), vrSbPracow, 36);
    AddLabel(vrGrSPracow, QString(), QStringLiteral("Potwierdzenie przyjęcia do wiadomości przez pracownika:"),
             QRect(0, 16, kReportWidth, 16), ReportFont(9, true));
    const int column = kReportWidth / 3;
    for (int c = 0; c < 3; ++c) {
        vrListPrac[size_t(c)] = AddLabel(vrSbPracow, QStringLiteral("vrListPrac%1").arg(c + 1), QString(),
                                         QRect(c * column, 8, column - 12, 16), font);
        shPodpis[size_t(c)] =
            AddShape(vrSbPracow, QString(), TVRShapeType::vrsHorLine, QRect(c * column, 38, kSignatureWidth, 1));
        lPodpis[size_t(c)] = AddLabel(vrSbPracow, QString(), QStringLiteral("data i podpis"),
                                      QRect(c * column, 40, kSignatureWidth, 12), small, TAlignment::taCenter);
    }
    vrSbPracow->OnNeedData() = [this](QObject *, bool &more) { vrSbPracowNeedData(more); };

    bKodFoot = AddSubDetail(*vrKartRyz, QStringLiteral("bKodFoot"), 70);
    lWedlug = AddLabel(bKodFoot, QStringLiteral("lWedlug"),
                       QStringLiteral("Potwierdzenie przyjęcia do wiadomości przez pracownika:"),
                       QRect(0, 16, kReportWidth, 16), ReportFont(9, true));
    vrNazwPrac = AddLabel(bKodFoot, QStringLiteral("vrNazwPrac"), QString(), QRect(0, 36, 300, 16), font);
    AddShape(bKodFoot, QString(), TVRShapeType::vrsHorLine,
             QRect(kReportWidth - kSignatureWidth, 54, kSignatureWidth, 1));
    AddLabel(bKodFoot, QString(), QStringLiteral("data i podpis"),
             QRect(kReportWidth - kSignatureWidth, 56, kSignatureWidth, 12), small, TAlignment::taCenter);
    bKodFoot->OnNeedData() = [this](QObject *, bool &more) { bKodFootNeedData(more); };
    bKodFoot->BeforePrint = [this](TVRCustomBand *, bool &print) { print = !vrNazwPrac->Caption().isEmpty(); };
}

// ---------------------------------------------------------------------------------------
// Handlers

void TfrmKartaOcRyz::vrKartRyzBeforePrint(bool &)
{
    m_rows.clear();
    for (const TListedFactor &entry : m_options.Factors) {
        const storage::TCzynnik *f = entry.Factor;
        if (!f || f->aktual != QLatin1String("T") || f->Measurements.empty())
            continue;
        for (const storage::TPomiarCzynn *m :
             storage::MeasurementsInRange(f->Measurements, m_options.DateFrom, m_options.DateTo, m_options.LatestOnly))
            m_rows.push_back(
                {f->ident, entry.Text, m->data, RiskLevelText(m->ocenamax), RiskLevelText(m->ocenakon), m->srodogrryz});
    }
    m_rowIndex = 0;
    m_employeeCursor = 0;
    m_recordGiven = false;
    m_confirmationGiven = false;
    bKodFoot->SetEnabled(!m_options.IncludeSelectedEmployees);
    vrGrSPracow->SetEnabled(m_options.IncludeSelectedEmployees);
    vrSbPracow->SetEnabled(m_options.IncludeSelectedEmployees);
}

void TfrmKartaOcRyz::sizeSignedText(TVRRichText *text, TVRShape *frame, TVRCustomBand *band, int top)
{
    const int lines = text->Text().trimmed().isEmpty() ? 1 : linesOf(text);
    const int h = RowHeight(lines * (text->Font().pointSize() + 5));
    SetPixelHeight(text, h);
    SetPixelHeight(frame, h + 8);
    SetPixelHeight(band, top + h + 12);
}

void TfrmKartaOcRyz::vrKartRyzNeedData(bool &moreData)
{
    moreData = !m_recordGiven;
    if (m_recordGiven)
        return;
    m_recordGiven = true;
    const storage::TStanowisko *w = m_options.Workstation;
    vrDataWydr->SetCaption(PrintedOnText(QString()));
    vrNumKart->SetCaption(m_options.CardNumber);
    lNazStan->SetText(w ? w->nazwa : QString());
    m_nameLines = linesOf(lNazStan);
    mCharStan->SetText(UnifyLineBreaks(w ? w->Opis : QString()));
    m_descriptionLines = linesOf(mCharStan);
    mDokZwiaz->SetText(UnifyLineBreaks(m_options.RelatedDocuments));
    mStosSOI->SetText(UnifyLineBreaks(m_options.ProtectiveEquipment));
    m_documentLines = std::max(linesOf(mDokZwiaz), linesOf(mStosSOI));
    mKartSporz->SetText(UnifyLineBreaks(m_options.CardAuthor));
    sizeSignedText(mKartSporz, shKartSporz, bHeader, 52);
    mKartZatw->SetText(UnifyLineBreaks(m_options.CardApprover));
    sizeSignedText(mKartZatw, shKartZatw, bKodFoot2, 16);
    vrNazwPrac->SetCaption(m_options.EmployeeName.trimmed());
    lZatrudn->SetCaption(QString::number(m_options.Employees.size()));
}

void TfrmKartaOcRyz::bStanBeforePrint()
{
    const int h = RowHeight((3 - FontHeight(lNazStan->Font())) * m_nameLines + 6);
    SetPixelHeight(lNazStan, h);
    SetPixelHeight(shStan, kTextTop + h + 1);
    SetPixelHeight(bStan, kTextTop + h);
    // The card is dated the day it is printed.
    lZatrudn->SetCaption(
        QString::number(m_options.Workstation ? EmployedCount(*m_options.Workstation, QDate::currentDate()) : 0));
}

void TfrmKartaOcRyz::bSoiDokumBeforePrint()
{
    const int h = RowHeight((3 - FontHeight(mDokZwiaz->Font())) * m_documentLines + 6);
    SetPixelHeight(mDokZwiaz, h);
    SetPixelHeight(mStosSOI, h);
    for (TVRShape *frame : shSoiDokum)
        SetPixelHeight(frame, kTextTop + h + 1);
    SetPixelHeight(bSoiDokum, kTextTop + h);
}

void TfrmKartaOcRyz::bCzynnNeedData(bool &moreData)
{
    moreData = m_rowIndex < int(m_rows.size());
    if (!moreData)
        return;
    const TTabczynn &row = m_rows[size_t(m_rowIndex)];
    lNr->SetCaption(QString::number(m_rowIndex + 1));
    mCzynniki->SetText(UnifyLineBreaks(row.nazwa));
    mSrodki->SetText(UnifyLineBreaks(row.srodki));
    lOcenaBez->SetCaption(row.ocenaBez);
    lOcenaZ->SetCaption(row.ocenaZ);
    lData->SetCaption(row.data);
    m_rowLines = std::max(linesOf(mCzynniki), linesOf(mSrodki));
}

void TfrmKartaOcRyz::bCzynnBeforePrint()
{
    const int h = RowHeight((3 - FontHeight(mCzynniki->Font())) * m_rowLines + 6);
    SetPixelHeight(mCzynniki, h - 2);
    SetPixelHeight(mSrodki, h - 2);
    for (TVRShape *s : shCzynn)
        SetPixelHeight(s, h + 1);
    SetPixelHeight(bCzynn, h);
}

void TfrmKartaOcRyz::vrSbPracowNeedData(bool &moreData)
{
    moreData = false;
    if (!vrSbPracow->Enabled())
        return;
    int filled = 0;
    for (TVRLabel *name : vrListPrac)
        name->SetCaption(QString());
    const QStringList &names = m_options.SelectedEmployees;
    while (filled < 3 && m_employeeCursor < names.size())
        vrListPrac[size_t(filled++)]->SetCaption(names[m_employeeCursor++]);
    for (int c = 0; c < 3; ++c) {
        shPodpis[size_t(c)]->SetEnabled(c < filled);
        lPodpis[size_t(c)]->SetEnabled(c < filled);
    }
    moreData = filled > 0;
}

void TfrmKartaOcRyz::bKodFootNeedData(bool &moreData)
{
    moreData = bKodFoot->Enabled() && !m_confirmationGiven;
    m_confirmationGiven = true;
}

TfrmKartaOcRyz *frmKartaOcRyz()
{
    static QPointer<TfrmKartaOcRyz> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
