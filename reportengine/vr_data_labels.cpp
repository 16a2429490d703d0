#include "reportengine/vr_data_labels.h"

#include "reportengine/evaluator_data.h"
#include "reportengine/expr_functions_format.h"
#include "reportengine/vr_band.h"
#include "reportengine/vr_controller.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_text_metrics.h"

#include <QLocale>

namespace reportengine {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

bool IsIntegerKind(TVRFieldKind k)
{
    return k == TVRFieldKind::Integer || k == TVRFieldKind::SmallInt || k == TVRFieldKind::Word;
}

bool IsFloatKind(TVRFieldKind k)
{
    return k == TVRFieldKind::Float || k == TVRFieldKind::Currency || k == TVRFieldKind::BCD ||
           k == TVRFieldKind::FMTBcd;
}

bool IsDateKind(TVRFieldKind k)
{
    return k == TVRFieldKind::Date || k == TVRFieldKind::Time || k == TVRFieldKind::DateTime ||
           k == TVRFieldKind::TimeStamp;
}

QString NumberText(const QString &mask, double value, const QString &plain)
{
    QString text;
    return FormatNumberWithMask(mask, value, &text) ? text : plain;
}

TVelRep *ReportOf(const TVRPrintable &control)
{
    return dynamic_cast<TVelRep *>(control.ParentReport());
}

// The length of the run of `c` at position i of the mask.
qsizetype RunLength(const QString &mask, qsizetype i, QChar c)
{
    qsizetype n = 0;
    while (i + n < mask.size() && mask[i + n].toLower() == c)
        ++n;
    return n;
}

} // namespace

QString FormatDateTimeWithMask(const QString &mask, const QDateTime &value)
{
    static const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < mask.size();) {
        const QChar c = mask[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = mask.indexOf(c, i + 1);
            out += mask.mid(i + 1, (end < 0 ? mask.size() : end) - i - 1);
            i = end < 0 ? mask.size() : end + 1;
            continue;
        }
        if (mask.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        if (mask.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("a") : QStringLiteral("p");
            i += 3;
            continue;
        }
        const qsizetype n = RunLength(mask, i, lower);
        switch (lower.unicode()) {
        case 'c':
            out += date.toString(kDateFormat);
            if (time != QTime(0, 0))
                out += QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
            break;
        case 'd':
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += date.toString(QStringLiteral("dd"));
            else if (n == 3)
                out += polish.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else if (n == 4)
                out += polish.dayName(date.dayOfWeek(), QLocale::LongFormat);
            else if (n == 5)
                out += date.toString(kDateFormat);
            else
                out += polish.toString(date, QLocale::LongFormat);
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += n == 1 ? QString::number(time.minute()) : time.toString(QStringLiteral("mm"));
            else if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += date.toString(QStringLiteral("MM"));
            else if (n == 3)
                out += polish.monthName(date.month(), QLocale::ShortFormat);
            else
                out += polish.monthName(date.month(), QLocale::LongFormat);
            break;
        case 'y':
            out += n <= 2 ? date.toString(QStringLiteral("yy")) : date.toString(QStringLiteral("yyyy"));
            break;
        case 'h':
            out += n == 1 ? QString::number(time.hour()) : time.toString(QStringLiteral("HH"));
            break;
        case 'n':
            out += n == 1 ? QString::number(time.minute()) : time.toString(QStringLiteral("mm"));
            break;
        case 's':
            out += n == 1 ? QString::number(time.second()) : time.toString(QStringLiteral("ss"));
            break;
        case 'z':
            out += n < 3 ? QString::number(time.msec()) : time.toString(QStringLiteral("zzz"));
            break;
        case 't':
            out += time.toString(n == 1 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
            break;
        case '/':
            out += QLatin1Char('-');
            break;
        default:
            out += QString(n, c);
            break;
        }
        if (lower == QLatin1Char('h'))
            afterHour = true;
        else if (lower.isLetter())
            afterHour = false;
        i += n;
    }
    return out;
}

// ---------------------------------------------------------------------------------------

TVRDBText::TVRDBText(QObject *parent) : TVRCustomLabel(parent) {}

void TVRDBText::SetDataField(const QString &field)
{
    m_dataField = field;
    SetCaption(field);
}

TVRField *TVRDBText::Field() const
{
    return m_dataSet && m_fieldIndex >= 0 ? m_dataSet->FieldAt(m_fieldIndex) : nullptr;
}

void TVRDBText::Prepare()
{
    TVRCustomLabel::Prepare();
    m_fieldIndex = m_dataSet ? m_dataSet->FieldIndex(m_dataField) : -1;
    const TVRField *field = Field();
    m_isMemo = field && field->IsMemo();
    if (m_isMemo)
        SetPrintText(QString());
}

QString TVRDBText::FieldText() const
{
    const TVRField *field = Field();
    if (!field)
        return {};
    const TVRFieldKind kind = field->FieldKind();
    if (m_isMemo || Mask.isEmpty() || kind == TVRFieldKind::String)
        return kind == TVRFieldKind::String ? field->AsString() : field->DisplayText();
    if (IsIntegerKind(kind))
        return NumberText(Mask, field->AsInteger(), field->DisplayText());
    if (IsFloatKind(kind))
        return NumberText(Mask, field->AsFloat(), field->DisplayText());
    if (IsDateKind(kind))
        return FormatDateTimeWithMask(Mask, field->AsDateTime());
    // Kinds a mask does not apply to print as they show.
    return field->DisplayText();
}

void TVRDBText::TakeFieldText()
{
    const QString text = FieldText();
    if (m_isMemo)
        SetSourceLines(UnifyLineBreaks(text).split(QLatin1Char('\n')));
    else
        SetPrintText(text);
}

void TVRDBText::Print(double offsetX, double offsetY)
{
    // A continuation prints the rest of what the first part began with.
    if (Finished())
        TakeFieldText();
    const TVRField *field = Field();
    const bool numeric = field && (IsIntegerKind(field->FieldKind()) || IsFloatKind(field->FieldKind()) ||
                                   IsDateKind(field->FieldKind()));
    // Right-to-left reading mirrors the alignment of texts, not of numbers and dates.
    if (numeric && BiDiMode() == TBiDiMode::bdRightToLeft) {
        const bool parentMode = ParentBiDiMode();
        SetBiDiMode(TBiDiMode::bdRightToLeftReadingOnly);
        TVRCustomLabel::Print(offsetX, offsetY);
        SetBiDiMode(TBiDiMode::bdRightToLeft);
        SetParentBiDiMode(parentMode);
        return;
    }
    TVRCustomLabel::Print(offsetX, offsetY);
}

double TVRDBText::ExpandedHeight()
{
    TakeFieldText();
    FormatLines();
    return double(LineHeightPixels()) * FormattedLines().size();
}

void TVRDBText::Unprepare()
{
    m_fieldIndex = -1;
    m_isMemo = false;
    SetSourceLines({});
    TVRCustomLabel::Unprepare();
    SetCaption(m_dataField.isEmpty() ? Name() : m_dataField);
}

// ---------------------------------------------------------------------------------------

TVRExpr::TVRExpr(QObject *parent) : TVRCustomLabel(parent)
{
    SetExpression(QString());
}

TVRExpr::~TVRExpr() = default;

void TVRExpr::SetExpression(const QString &expression)
{
    m_expression = expression;
    SetCaption(expression.isEmpty() ? QStringLiteral("(none)") : expression);
}

void TVRExpr::SetMask(const QString &mask)
{
    m_mask = mask;
    SetExpression(m_expression);
}

bool TVRExpr::SetMaster(QObject *master)
{
    if (master && !qobject_cast<TVelRep *>(master) && !qobject_cast<TVRSubDetail *>(master))
        return false;
    m_master = master;
    return true;
}

void TVRExpr::Prepare()
{
    TVRCustomLabel::Prepare();
    TVelRep *report = ReportOf(*this);
    m_evaluator.SetDataSets(report ? report->AllDataSets() : QList<TVRDataSet *>());
    m_evaluator.SetEnvironment(report ? &report->Functions() : nullptr);
    m_evaluator.Prepare(m_expression);
    m_aggregates = m_evaluator.IsAggreg();
    m_controller = nullptr;
    if (auto *master = qobject_cast<TVelRep *>(m_master))
        m_controller = &master->Controller();
    else if (auto *sub = qobject_cast<TVRSubDetail *>(m_master))
        m_controller = &sub->OwnController();
    else if (m_aggregates && report)
        m_controller = &report->Controller();
    if (m_controller)
        m_controller->AddClient(this);
    m_evaluator.Reset();
}

void TVRExpr::VRNotification(QObject *sender, int operation)
{
    if (operation != 0) {
        TVRCustomLabel::VRNotification(sender, operation);
        return;
    }
    // Only a record of the master's walk counts, and each of them once.
    if (!m_aggregates || !m_controller || !m_evaluator.Prepared())
        return;
    if (const quint64 serial = m_controller->RecordSerial())
        m_evaluator.DoAggregate(serial);
}

QString TVRExpr::ValueText()
{
    if (!m_evaluator.Prepared())
        return Caption();
    const TVREvResult r = m_evaluator.Value();
    switch (r.Kind) {
    case TVREvKind::Integer:
        return m_mask.isEmpty() ? QString::number(r.Integer)
                                : NumberText(m_mask, r.Integer, QString::number(r.Integer));
    case TVREvKind::Float:
        if (m_mask.contains(QLatin1String("%m"))) {
            static const QLocale polish(QLocale::Polish, QLocale::Poland);
            QString text = m_mask;
            return text.replace(QLatin1String("%m"), polish.toCurrencyString(r.Float, QString(), 2));
        }
        return m_mask.isEmpty() ? FloatToGeneralText(r.Float)
                                : NumberText(m_mask, r.Float, FloatToGeneralText(r.Float));
    case TVREvKind::Boolean:
        return r.Boolean ? QStringLiteral("True") : QStringLiteral("False");
    case TVREvKind::String:
    case TVREvKind::Error:
        break;
    }
    return r.Text;
}

void TVRExpr::Print(double offsetX, double offsetY)
{
    if (Finished())
        SetPrintText(ValueText());
    TVRCustomLabel::Print(offsetX, offsetY);
    if (ResetAfterPrint && Finished())
        m_evaluator.Reset();
}

double TVRExpr::ExpandedHeight()
{
    if (m_evaluator.Prepared())
        SetPrintText(ValueText());
    FormatLines();
    return double(LineHeightPixels()) * FormattedLines().size();
}

void TVRExpr::Unprepare()
{
    m_evaluator.SetDataSets({});
    m_evaluator.UnPrepare();
    m_controller = nullptr;
    m_aggregates = false;
    TVRCustomLabel::Unprepare();
    SetExpression(m_expression);
}

// ---------------------------------------------------------------------------------------

TVRSysData::TVRSysData(QObject *parent) : TVRCustomLabel(parent)
{
    UpdateCaption();
}

void TVRSysData::SetData(TVRSysDataType data)
{
    m_data = data;
    UpdateCaption();
}

void TVRSysData::SetText(const QString &text)
{
    m_text = text;
    UpdateCaption();
}

void TVRSysData::UpdateCaption()
{
    static const char *const names[] = {"Time",         "Date",         "Date/Time", "Page#",
                                        "Report title", "Detail count", "Detail no"};
    SetCaption(m_text + QLatin1Char('(') + QString::fromLatin1(names[static_cast<int>(m_data)]) + QLatin1Char(')'));
}

QString TVRSysData::ValueText() const
{
    const TVelRep *report = ReportOf(*this);
    const QDateTime now = QDateTime::currentDateTime();
    switch (m_data) {
    case TVRSysDataType::vrsTime:
        return m_text + FormatDateTimeWithMask(QStringLiteral("t"), now);
    case TVRSysDataType::vrsDate:
        return m_text + FormatDateTimeWithMask(QStringLiteral("c"), now.date().startOfDay());
    case TVRSysDataType::vrsDateTime:
        return m_text + FormatDateTimeWithMask(QStringLiteral("c"), now);
    case TVRSysDataType::vrsPageNumber:
        return m_text + QString::number(report ? report->PageNumber() : 0);
    case TVRSysDataType::vrsReportTitle:
        return m_text + (report ? report->ReportTitle : QString());
    case TVRSysDataType::vrsDetailCount:
        return report ? m_text + QString::number(report->RecordCount()) : Caption();
    case TVRSysDataType::vrsDetailNo:
        return report ? m_text + QString::number(report->Controller().DetailNumber) : Caption();
    }
    return Caption();
}

void TVRSysData::Print(double offsetX, double offsetY)
{
    SetPrintText(ValueText());
    TVRCustomLabel::Print(offsetX, offsetY);
}

} // namespace reportengine
