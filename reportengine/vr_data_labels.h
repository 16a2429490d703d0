#pragma once

// Labels that get their text when their band prints: a data set's field (TVRDBText),
// the value of an expression (TVRExpr), or a value of the run such as the page number
// or today's date (TVRSysData). Between runs they show what they will print: the field
// name, the expression, the kind of value. They print as labels (word wrap, AutoSize,
// AutoStretch).
//
// An expression that aggregates (SUM, COUNT, AVERAGE, MAX, MIN) follows the records of
// its Master (the report or a sub-detail; the report when it has none): it takes every
// record once, however often the record is announced, and starts again at every run,
// so Prepare followed by Preview prints the same totals twice.

#include "reportengine/evaluator.h"
#include "reportengine/vr_label.h"

#include <QDateTime>
#include <QPointer>
#include <QString>

namespace reportengine {

class TVRController;
class TVRDataSet;
class TVRField;

// The text of a date and time by a Delphi-style mask: d dd ddd dddd ddddd dddddd, m mm
// mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, am/pm, a/p,
// c (the date, and the time unless it is midnight), t (hours and minutes), tt, '/' the
// date separator "-", ':' the time separator, quoted text kept as it stands. Month and
// day names are Polish.
QString FormatDateTimeWithMask(const QString &mask, const QDateTime &value);

class TVRDBText : public TVRCustomLabel
{
    Q_OBJECT

public:
    explicit TVRDBText(QObject *parent = nullptr);

    // Not owned; must outlive the control's runs.
    TVRDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TVRDataSet *dataSet) { m_dataSet = dataSet; }
    QString DataField() const { return m_dataField; }
    // Also the caption shown between runs.
    void SetDataField(const QString &field);
    QString Mask;
    // The field found at Prepare is a memo: its text prints as lines.
    bool IsMemo() const { return m_isMemo; }

    bool UseCaption() const override { return !m_isMemo; }
    void Prepare() override;
    void Print(double offsetX, double offsetY) override;
    void Unprepare() override;
    bool HasExpandedHeight() const override { return true; }
    double ExpandedHeight() override;

    // The current record's text of the field, formatted by the mask.
    QString FieldText() const;

private:
    TVRField *Field() const;
    void TakeFieldText();

    TVRDataSet *m_dataSet = nullptr;
    QString m_dataField;
    int m_fieldIndex = -1;
    bool m_isMemo = false;
};

class TVRExpr : public TVRCustomLabel
{
    Q_OBJECT

public:
    explicit TVRExpr(QObject *parent = nullptr);
    ~TVRExpr() override;

    QString Expression() const { return m_expression; }
    // Also the caption shown between runs ("(none)" for an empty expression).
    void SetExpression(const QString &expression);
    QString Mask() const { return m_mask; }
    void SetMask(const QString &mask);
    // The report (TVelRep) or sub-detail whose records the aggregates follow; other
    // objects are refused (false).
    QObject *Master() const { return m_master; }
    bool SetMaster(QObject *master);
    // Aggregates start again after every print (a group total).
    bool ResetAfterPrint = false;

    void Prepare() override;
    void Print(double offsetX, double offsetY) override;
    void Unprepare() override;
    // Operation 0: the current record goes into the aggregates.
    void VRNotification(QObject *sender, int operation) override;
    bool HasExpandedHeight() const override { return true; }
    double ExpandedHeight() override;

    // The expression's value as it prints: formatted by the mask; an error prints its
    // message.
    QString ValueText();

private:
    TVREvaluator m_evaluator;
    QString m_expression;
    QString m_mask;
    QPointer<QObject> m_master;
    TVRController *m_controller = nullptr;
    bool m_aggregates = false;
};

enum class TVRSysDataType { vrsTime, vrsDate, vrsDateTime, vrsPageNumber, vrsReportTitle, vrsDetailCount, vrsDetailNo };

class TVRSysData : public TVRCustomLabel
{
    Q_OBJECT

public:
    explicit TVRSysData(QObject *parent = nullptr);

    TVRSysDataType Data() const { return m_data; }
    void SetData(TVRSysDataType data);
    // Printed before the value ("Strona ").
    QString Text() const { return m_text; }
    void SetText(const QString &text);

    void Print(double offsetX, double offsetY) override;
    // The text the control prints now.
    QString ValueText() const;

private:
    void UpdateCaption();

    TVRSysDataType m_data = TVRSysDataType::vrsTime;
    QString m_text;
};

} // namespace reportengine
