#pragma once

// A form held in memory, for evaluating rules without pages: fields by control name, the
// writes a rule makes, the ratings it hands over. Its write semantics follow the window's:
// edits show numbers as FormatMeasuredValue does, combos take an item index, check boxes
// "True"/"False"; a write that changes a value runs OnExit with the field's name (set it to
// re-run the rule the way the window's exit handler does).

#include "assessment/form_access.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace assessment {

class TMemoryForm : public TFormAccess
{
public:
    struct Field
    {
        QString value; // edits, memos, labels: the text; combos: the item index; check boxes: "True"/"False"
        bool enabled = true;
        bool visible = true;
        QStringList items;        // combo items (the list of the current choice)
        QList<QStringList> lists; // combo item lists by choice number (from 1)
        QString captions;         // header variants, ";"-separated
        int choiceNr = 1;
    };

    // Adds a field; a combo ("cb_") gets its items and an index, a header ("lb_") may get
    // its ";"-separated captions.
    Field &Add(const QString &name, const QString &value = QString());
    Field &AddCombo(const QString &name, const QStringList &items, int index = -1);
    Field *Find(const QString &name);

    QString GetFieldValue(const QString &name) override;
    void SetFieldValue(const QString &name, const QString &value) override;
    void SetFieldText(const QString &name, const QString &text) override;
    void SetFieldVisible(const QString &name, const QString &flag) override;
    void SetFieldEnabled(const QString &name, const QString &flag) override;
    bool IsFieldEnabled(const QString &name) override;
    void FocusField(const QString &name) override;
    void SetHeaderChoice(const QString &name, int choiceNr) override;
    void SetComboChoice(const QString &name, int choiceNr) override;
    bool HasCombo(const QString &name) override;
    QStringList ComboItems(const QString &name) override;
    QString ComboText(const QString &name) override;
    void SetRiskAssessment(const TGroupRatings &ratings) override { Ratings << ratings; }
    QString FormName() override { return Name; }
    TShownMeasurement ShownMeasurement() override { return Shown; }
    void ReportInvalidField(const QString &name, const QString &why) override;
    QString FieldCaption(const QString &name) const override { return Captions.value(name); }
    void ShowWarning(const QString &text) override { Messages << text; }
    void ShowInfo(const QString &text) override { Messages << text; }
    void ShowError(const QString &text, const QString &caption) override
    {
        Messages << text;
        ErrorCaptions << caption;
    }

    QString Name; // the form's `function` name
    TShownMeasurement Shown; // what the workstation sums work on; none by default
    QHash<QString, Field> Fields;
    QList<TGroupRatings> Ratings; // in the order handed over
    QStringList Writes;   // "name=value" in the order written
    QStringList Messages; // warnings and information a rule showed
    QStringList ErrorCaptions; // the captions of the errors among them
    QStringList InvalidFields; // "name: why" for each field a rule reported as invalid
    QStringList Notes;         // the same as the risk panel says them
    QHash<QString, QString> Captions; // what the user reads fields by, by control name
    QString Focused;
    std::function<void(const QString &name)> OnExit;

private:
    void exited(const QString &name, bool changed);
};

} // namespace assessment
